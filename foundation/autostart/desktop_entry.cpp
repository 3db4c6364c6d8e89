#include "autostart/desktop_entry.h"

namespace autostart {

namespace desktop_entry {
namespace {

constexpr std::string_view kReservedInExec = " \t\n\"'\\><~|&;$*?#()`";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Escapes of string values: \s \n \t \r \\.
std::string escapeString(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string unescapeString(std::string_view value) {
    std::string plain;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        const char next = value[++i];
        switch (next) {
        case 's':
            plain += ' ';
            break;
        case 'n':
            plain += '\n';
            break;
        case 't':
            plain += '\t';
            break;
        case 'r':
            plain += '\r';
            break;
        default:
            plain += next;
        }
    }
    return plain;
}

} // namespace

std::string quoteExecArgument(std::string_view program) {
    std::string argument;
    for (const char c : program) {
        if (c == '%')
            argument += "%%";
        else
            argument += c;
    }
    if (argument.find_first_of(kReservedInExec) == std::string::npos && !argument.empty())
        return argument;
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string applicationEntry(std::string_view name, std::string_view program) {
    std::string text = "[Desktop Entry]\nType=Application\nName=";
    text += escapeString(name);
    text += "\nExec=";
    text += escapeString(quoteExecArgument(program));
    text += "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    return text;
}

std::optional<std::string> readValue(std::string_view entryText, std::string_view key) {
    bool inMainGroup = false;
    while (!entryText.empty()) {
        const auto end = entryText.find('\n');
        const std::string_view line = trimmed(entryText.substr(0, end));
        entryText = end == std::string_view::npos ? std::string_view() : entryText.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos)
            continue;
        if (trimmed(line.substr(0, equals)) == key)
            return unescapeString(trimmed(line.substr(equals + 1)));
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> splitExec(std::string_view exec) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == '"') {
            for (++i;; ++i) {
                if (i == exec.size())
                    return std::nullopt;
                if (exec[i] == '"')
                    break;
                // A literal "%" is written "%%" inside quotes too.
                if (i + 1 < exec.size() &&
                    (exec[i] == '\\' || (exec[i] == '%' && exec[i + 1] == '%')))
                    ++i;
                current += exec[i];
            }
            continue;
        }
        if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%')
            ++i;
        current += c;
    }
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

} // namespace desktop_entry

} // namespace autostart
