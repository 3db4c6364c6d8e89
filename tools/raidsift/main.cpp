// raidsift: lists, summarises and exports the raids of a TALLYRA saved-variables file.
#include "command_line.h"
#include "dkp/load_raids.h"
#include "dkp/raid_formats.h"
#include "dkp/raids.h"
#include "input.h"
#include "parsers.h"
#include "raid_text.h"
#include "tree_json.h"
#include "utilkit/ustring.h"

#include <iostream>
#include <string>
#include <vector>

namespace raidsift {
namespace {

// Thrown for a request that names something the file does not hold.
class RequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void loadRaids(const std::string& file, dkp::Raids& raids) {
    dkp::loadRaidsFromBytes(readInput(file), raids);
}

const dkp::Raid& chosenRaid(const std::vector<dkp::Raid*>& raids, std::size_t index) {
    if (index > raids.size())
        throw RequestError("raid " + std::to_string(index) + " does not exist: the file holds " +
                           std::to_string(raids.size()) + " raid" + (raids.size() == 1 ? "" : "s"));
    return *raids[index - 1];
}

void listRaids(const std::vector<dkp::Raid*>& raids, bool json) {
    if (json) {
        std::cout << dkp::raidListJson({raids.begin(), raids.end()});
        return;
    }
    for (std::size_t i = 0; i < raids.size(); ++i)
        std::cout << raidLine(i + 1, *raids[i]) << '\n';
}

void printTree(const std::string& file, bool reference) {
    ReferenceClipper referenceClipper;
    FastClipper fastClipper;
    grammar::WOWLUAClipper& clipper =
        reference ? static_cast<grammar::WOWLUAClipper&>(referenceClipper) : fastClipper;
    clipper.loadUtf8String(readInput(file));
    writeTreeJson(std::cout, clipper.getDocument());
    std::cout << '\n';
}

void run(const Request& request) {
    if (request.command == Command::Tree) {
        printTree(request.file, request.reference);
        return;
    }
    dkp::Raids raids;
    loadRaids(request.file, raids);
    const std::vector<dkp::Raid*> list = raids.getRaids();
    switch (request.command) {
    case Command::Raids:
        listRaids(list, request.json);
        break;
    case Command::Show:
        std::cout << raidSummary(request.raidIndex, chosenRaid(list, request.raidIndex));
        break;
    case Command::Export:
        std::cout << ustring::toUtf8(chosenRaid(list, request.raidIndex).exportDocument());
        break;
    case Command::Tree:
        break;
    }
}

} // namespace
} // namespace raidsift

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << raidsift::usageText();
        return 0;
    }
    try {
        raidsift::run(raidsift::parseCommandLine(arguments));
        std::cout.flush();
        if (!std::cout)
            throw std::runtime_error("cannot write to standard output");
        return 0;
    } catch (const raidsift::UsageError& error) {
        std::cerr << "raidsift: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "raidsift: " << error.what() << '\n';
        return 1;
    }
}
