#include "addon_lua.h"

#include <cerrno>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

extern char** environ;

namespace addon_lua {
namespace {

// What lua5.4 printed on standard output and standard error, and its exit status.
std::pair<std::string, int> runHarness(const std::filesystem::path& addonFolder,
                                       const std::string& tocName) {
    std::vector<std::string> arguments = {"lua5.4", ADDON_HARNESS, addonFolder.string(), tocName};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int output[2];
    if (pipe(output) != 0)
        throw std::runtime_error("cannot create a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "lua5.4", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawned != 0) {
        close(output[0]);
        throw std::runtime_error("cannot start lua5.4");
    }
    std::string text;
    char buffer[4096];
    while (true) {
        const ssize_t got = read(output[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(output[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return {text, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
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
