#include "testsupport/addon_lua.h"

#include "testsupport/child_process.h"

#include <stdexcept>
#include <tuple>

namespace addon_lua {
namespace {

// What lua5.4 printed on standard output and standard error, and its exit status.
std::pair<std::string, int> runHarness(const std::filesystem::path& addonFolder,
                                       const std::string& tocName) {
    testsupport::ChildProcess lua({"lua5.4", ADDON_HARNESS, addonFolder.string(), tocName});
    std::string text = lua.readAll();
    lua.closeOutput();
    return {std::move(text), testsupport::exitCode(lua.wait())};
}

std::vector<std::string> tabFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// A field as the harness escapes it: \\, \t, \n and \r.
std::string unescaped(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        const char next = field[++i];
        text += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return text;
}

long long wholeNumber(const std::string& text, const std::string& line) {
    std::size_t used = 0;
    long long value = 0;
    try {
        value = std::stoll(text, &used);
    } catch (const std::logic_error&) {
        used = 0;
    }
    if (used == 0 || used != text.size())
        throw std::runtime_error("not a whole number in harness line: " + line);
    return value;
}

void readLine(const std::string& line, AddonRun& run) {
    std::vector<std::string> fields = tabFields(line);
    for (std::string& field : fields)
        field = unescaped(field);
    const std::string& kind = fields[0];
    if (kind == "missing" && fields.size() == 2)
        run.missingFiles.push_back(fields[1]);
    else if (kind == "error" && fields.size() == 3)
        run.errors.push_back(fields[1] + ": " + fields[2]);
    else if (kind == "system" && fields.size() == 3)
        run.systems[wholeNumber(fields[1], line)] = fields[2];
    else if (kind == "points" && fields.size() == 4)
        run.points[fields[3]][wholeNumber(fields[1], line)] = wholeNumber(fields[2], line);
    else if (kind == "default" && fields.size() == 3)
        run.defaults[fields[2]] = wholeNumber(fields[1], line);
    else
        throw std::runtime_error("unknown harness line: " + line);
}

} // namespace

AddonRun runAddon(const std::filesystem::path& addonFolder, const std::string& tocName) {
    AddonRun run;
    std::tie(run.output, run.exitStatus) = runHarness(addonFolder, tocName);
    if (run.exitStatus != 0 && run.exitStatus != 1)
        throw std::runtime_error("the harness failed:\n" + run.output);
    std::size_t start = 0;
    while (start < run.output.size()) {
        std::size_t end = run.output.find('\n', start);
        if (end == std::string::npos)
            end = run.output.size();
        readLine(run.output.substr(start, end - start), run);
        start = end + 1;
    }
    return run;
}

Points runAddonPoints(const std::filesystem::path& addonFolder, const std::string& tocName) {
    AddonRun run = runAddon(addonFolder, tocName);
    if (run.exitStatus != 0 || !run.errors.empty())
        throw std::runtime_error("the addon failed in " + addonFolder.string() + ":\n" +
                                 run.output);
    return std::move(run.points);
}

} // namespace addon_lua
