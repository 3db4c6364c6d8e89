// raidsift: lists, summarises and exports the raids of a TALLYRA saved-variables file.
#include "command_line.h"
#include "dkp/load_raids.h"
#include "dkp/raid_formats.h"
#include "dkp/raid_review.h"
#include "dkp/raids.h"
#include "grammar/wowluaclipper.h"
#include "input.h"
#include "raid_text.h"
#include "tree_json.h"
#include "utilkit/program_io.h"
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

// The raids the request names: the one numbered, or all for number 0.
std::vector<const dkp::Raid*> chosenRaids(const std::vector<dkp::Raid*>& raids, std::size_t index) {
    if (index == 0)
        return {raids.begin(), raids.end()};
    return {&chosenRaid(raids, index)};
}

void exportRaids(const std::vector<dkp::Raid*>& raids, const Request& request) {
    dkp::ExportOptions options;
    options.programVersion = RAIDSIFT_VERSION;
    std::cout << dkp::exportRaids(chosenRaids(raids, request.raidIndex), request.format, options);
}

// Prints each raid's findings; true when one of them is an error.
bool lintRaids(const std::vector<dkp::Raid*>& raids, std::size_t index) {
    const std::vector<const dkp::Raid*> chosen = chosenRaids(raids, index);
    dkp::ReviewCounts total;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const std::vector<dkp::ReviewFinding> findings = dkp::reviewRaid(*chosen[i]);
        std::cout << "Raid " << (index == 0 ? i + 1 : index) << ": "
                  << ustring::toUtf8(chosen[i]->getRaidName()) << '\n';
        if (findings.empty())
            std::cout << "  no findings\n";
        for (const dkp::ReviewFinding& finding : findings)
            std::cout << "  " << dkp::findingLevelName(finding.level) << " " << finding.code << ": "
                      << finding.english << '\n';
        const dkp::ReviewCounts counts = dkp::countFindings(findings);
        total.errors += counts.errors;
        total.warnings += counts.warnings;
        total.infos += counts.infos;
    }
    std::cout << total.errors << " error" << (total.errors == 1 ? "" : "s") << ", "
              << total.warnings << " warning" << (total.warnings == 1 ? "" : "s") << ", "
              << total.infos << " note" << (total.infos == 1 ? "" : "s") << '\n';
    return total.errors > 0;
}

void printTree(const std::string& file, bool reference) {
    if (reference) {
        // The literal clipper, the oracle for the fast one.
        grammar::ReferenceWOWLUAClipper clipper;
        clipper.loadUtf8String(readInput(file));
        writeTreeJson(std::cout, clipper.getDocument());
    } else {
        writeTreeJson(std::cout, readInput(file));
    }
    std::cout << '\n';
}

// The exit status: 0, or 1 when lint found an error.
int run(const Request& request) {
    if (request.command == Command::Tree) {
        printTree(request.file, request.reference);
        return 0;
    }
    dkp::Raids raids;
    loadRaids(request.file, raids);
    const std::vector<dkp::Raid*> list = raids.getRaids();
    switch (request.command) {
    case Command::Raids:
        listRaids(list, request.json);
        break;
    case Command::Show:
        writeRaidSummary(std::cout, request.raidIndex, chosenRaid(list, request.raidIndex));
        break;
    case Command::Export:
        exportRaids(list, request);
        break;
    case Command::Lint:
        return lintRaids(list, request.raidIndex) ? 1 : 0;
    case Command::Tree:
        break;
    }
    return 0;
}

} // namespace
} // namespace raidsift

int main(int argc, char** argv) {
    utilkit::useBinaryStandardStreams();
    const std::vector<std::string> arguments = utilkit::programArguments(argc, argv);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << raidsift::usageText();
        return 0;
    }
    try {
        const int status = raidsift::run(raidsift::parseCommandLine(arguments));
        std::cout.flush();
        if (!std::cout)
            throw std::runtime_error("cannot write to standard output");
        return status;
    } catch (const raidsift::UsageError& error) {
        std::cerr << "raidsift: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "raidsift: " << error.what() << '\n';
        return 1;
    }
}
