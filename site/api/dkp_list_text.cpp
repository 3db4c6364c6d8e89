#include "api/dkp_list_text.h"

#include <cstdio>

namespace dkpsite {

std::string luaQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03u", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string formatDkpList(std::int64_t updateTimeMs, const std::vector<DkpListSystem>& systems) {
    std::string text = "Mer_DKP_UPDATETIME = \"" + std::to_string(updateTimeMs) + "\";\n";
    text += "MerDKP_Table = {\n";
    for (const DkpListSystem& entry : systems) {
        text += "\t[" + std::to_string(entry.system.id) + "] = {\n";
        text += "\t\t[\"name\"] = " + luaQuoted(entry.system.name) + ",\n";
        text += "\t\t[\"players\"] = {\n";
        for (const Standing& s : entry.standings) {
            text += "\t\t\t[" + luaQuoted(s.name) + "] = {\n";
            text += "\t\t\t\t[\"class\"] = " + luaQuoted(s.playerClass) + ",\n";
            text += "\t\t\t\t[\"earned\"] = " + std::to_string(s.earned) + ",\n";
            text += "\t\t\t\t[\"spent\"] = " + std::to_string(s.spent) + ",\n";
            text += "\t\t\t\t[\"dkp\"] = " + std::to_string(s.dkp()) + ",\n";
            text += "\t\t\t},\n";
        }
        text += "\t\t},\n";
        text += "\t},\n";
    }
    text += "}\n";
    return text;
}

} // namespace dkpsite
