#include "command_line.h"

#include <charconv>

namespace raidsift {
namespace {

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

void expectCount(const std::vector<std::string>& rest, std::size_t count,
                 const std::string& command) {
    if (rest.size() < count)
        throw UsageError(command + ": missing " + (rest.empty() ? "FILE" : "raid number"));
    if (rest.size() > count)
        throw UsageError(command + ": unexpected argument \"" + rest[count] + "\"");
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
    } else if (command == "show" || command == "export") {
        bool none = false;
        const auto rest = takeOptions(arguments, "", none);
        expectCount(rest, 2, command);
        request.command = command == "show" ? Command::Show : Command::Export;
        request.file = rest[0];
        request.raidIndex = parseRaidIndex(rest[1]);
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
           "       raidsift show FILE N            summary of raid N (from 1)\n"
           "       raidsift export FILE N          upload document of raid N (UTF-8)\n"
           "       raidsift tree [--reference] FILE  the parsed tree as JSON\n"
           "FILE is a TALLYRA.lua file, or - for standard input.\n";
}

} // namespace raidsift
