#include "command_line.h"

#include <charconv>

namespace raidsift {
namespace {

constexpr const char* kAllRaids = "all";

std::size_t parseRaidIndex(const std::string& text) {
    std::size_t index = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, index);
    if (text.empty() || error != std::errc() || stop != end || index == 0)
        throw UsageError("raid number must be a whole number from 1 up, not \"" + text + "\"");
    return index;
}

// Splits the arguments into options ("--x") and the rest, checking each option is allowed.
std::vector<std::string> takeOptions(const std::vector<std::string>& arguments,
                                     const std::string& allowed, bool& seen) {
    std::vector<std::string> rest;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() > 2 && argument.rfind("--", 0) == 0) {
            if (argument != allowed)
                throw UsageError("unknown option " + argument + " for " + arguments[0]);
            seen = true;
        } else {
            rest.push_back(argument);
        }
    }
    return rest;
}

// Takes "--format NAME" or "--format=NAME" out of the arguments; the rest as takeOptions.
std::vector<std::string> takeFormat(std::vector<std::string> arguments, dkp::ExportFormat& format) {
    const std::string option = "--format";
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string name;
        std::size_t taken = 1;
        if (arguments[i] == option) {
            if (i + 1 == arguments.size())
                throw UsageError(option + " needs a format name");
            name = arguments[i + 1];
            taken = 2;
        } else if (arguments[i].rfind(option + "=", 0) == 0) {
            name = arguments[i].substr(option.size() + 1);
        } else {
            continue;
        }
        if (!dkp::parseExportFormat(name, format))
            throw UsageError("unknown format \"" + name +
                             "\" (upload, eqdkp-xml, csv-attendance, csv-loot or json)");
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                        arguments.begin() + static_cast<std::ptrdiff_t>(i + taken));
        --i;
    }
    bool none = false;
    return takeOptions(arguments, "", none);
}

void expectCount(const std::vector<std::string>& rest, std::size_t count,
                 const std::string& command) {
    if (rest.size() < count)
        throw UsageError(command + ": missing " + (rest.empty() ? "FILE" : "raid number"));
    if (rest.size() > count)
        throw UsageError(command + ": unexpected argument \"" + rest[count] + "\"");
}

void readExport(const std::vector<std::string>& arguments, Request& request) {
    const auto rest = takeFormat(arguments, request.format);
    expectCount(rest, 2, arguments[0]);
    request.command = Command::Export;
    request.file = rest[0];
    if (rest[1] != kAllRaids)
        request.raidIndex = parseRaidIndex(rest[1]);
    else if (!dkp::exportTakesSeveralRaids(request.format))
        throw UsageError(std::string("export: the ") + dkp::exportFormatName(request.format) +
                         " format takes one raid, not \"all\"");
}

void readLint(const std::vector<std::string>& arguments, Request& request) {
    bool none = false;
    const auto rest = takeOptions(arguments, "", none);
    if (rest.empty())
        throw UsageError("lint: missing FILE");
    if (rest.size() > 2)
        throw UsageError("lint: unexpected argument \"" + rest[2] + "\"");
    request.command = Command::Lint;
    request.file = rest[0];
    if (rest.size() == 2)
        request.raidIndex = parseRaidIndex(rest[1]);
}

} // namespace

Request parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        throw UsageError("no command given (try raidsift --help)");
    const std::string& command = arguments[0];
    Request request;
    if (command == "raids") {
        const auto rest = takeOptions(arguments, "--json", request.json);
        expectCount(rest, 1, command);
        request.file = rest[0];
    } else if (command == "show") {
        bool none = false;
        const auto rest = takeOptions(arguments, "", none);
        expectCount(rest, 2, command);
        request.command = Command::Show;
        request.file = rest[0];
        request.raidIndex = parseRaidIndex(rest[1]);
    } else if (command == "export") {
        readExport(arguments, request);
    } else if (command == "lint") {
        readLint(arguments, request);
    } else if (command == "tree") {
        const auto rest = takeOptions(arguments, "--reference", request.reference);
        expectCount(rest, 1, command);
        request.command = Command::Tree;
        request.file = rest[0];
    } else {
        throw UsageError("unknown command \"" + command + "\" (try raidsift --help)");
    }
    return request;
}

std::string usageText() {
    return "usage: raidsift raids [--json] FILE     list the raids of a saved-variables file\n"
           "       raidsift show FILE N            summary of raid N (from 1) with attendance\n"
           "       raidsift export FILE N [--format F]\n"
           "                                       raid N as F (UTF-8): upload (the upload\n"
           "                                       document, the default), eqdkp-xml,\n"
           "                                       csv-attendance, csv-loot or json; N may be\n"
           "                                       all for eqdkp-xml and the csv formats\n"
           "       raidsift lint FILE [N]          review raid N (or every raid) before upload;\n"
           "                                       exit status 1 when an error was found\n"
           "       raidsift tree [--reference] FILE  the parsed tree as JSON\n"
           "FILE is a TALLYRA.lua file, or - for standard input.\n";
}

} // namespace raidsift
