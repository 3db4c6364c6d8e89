#include "records/raid_log_xml.h"

#include <cstdint>
#include <ctime>
#include <map>
#include <tinyxml2.h>
#include <tuple>
#include <vector>

namespace dkpsite {

namespace {

using tinyxml2::XMLElement;

struct LogError : Refused {
    using Refused::Refused;
};

// A time the XML does not know (an empty element).
constexpr std::int64_t kUnknownTime = -1;

std::string textOf(const XMLElement* parent, const char* name) {
    const XMLElement* child = parent->FirstChildElement(name);
    if (child == nullptr)
        return {};
    const char* text = child->GetText();
    return text == nullptr ? std::string() : std::string(text);
}

const XMLElement& required(const XMLElement* parent, const char* name) {
    const XMLElement* child = parent->FirstChildElement(name);
    if (child == nullptr)
        throw LogError({RefusalKind::RaidLogMissing, {name, parent->Name()}});
    return *child;
}

// A whole number of the text, or nothing for an empty text.
std::optional<long long> numberText(const std::string& text, const char* what) {
    if (text.empty())
        return std::nullopt;
    const std::size_t digits = text[0] == '-' ? 1 : 0;
    if (text.size() == digits || text.size() > 15 ||
        text.find_first_not_of("0123456789", digits) != std::string::npos)
        throw LogError({RefusalKind::RaidLogNotNumber, {what, text}});
    return std::stoll(text);
}

long long boundedNumber(const XMLElement* parent, const char* name) {
    const long long value = numberText(textOf(parent, name), name).value_or(0);
    if (value < -kMaxDocumentNumber || value > kMaxDocumentNumber)
        throw LogError({RefusalKind::RaidLogNumberRange,
                        {name, std::to_string(value), std::to_string(kMaxDocumentNumber)}});
    return value;
}

std::int64_t timeOf(const XMLElement* element, const char* what) {
    const char* text = element == nullptr ? nullptr : element->GetText();
    const auto seconds = numberText(text == nullptr ? "" : text, what);
    if (!seconds)
        return kUnknownTime;
    if (*seconds <= 0)
        throw LogError({RefusalKind::RaidLogNoTime, {what, std::to_string(*seconds)}});
    return *seconds;
}

// The log's own shape of a time, "mm/dd/yy hh:mm:ss", in local time.
std::string logTimeText(std::int64_t seconds) {
    if (seconds == kUnknownTime)
        return {};
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr)
        throw LogError({RefusalKind::RaidLogTimeUnshown, {std::to_string(seconds)}});
    char text[32];
    std::strftime(text, sizeof text, "%m/%d/%y %H:%M:%S", &local);
    return text;
}

std::string classText(const std::string& token) {
    static const std::map<std::string, std::string> spellings = {
        {"WARRIOR", "Warrior"},        {"ROGUE", "Rogue"},   {"HUNTER", "Hunter"},
        {"PALADIN", "Paladin"},        {"SHAMAN", "Shaman"}, {"DRUID", "Druid"},
        {"WARLOCK", "Warlock"},        {"MAGE", "Mage"},     {"PRIEST", "Priest"},
        {"DEATHKNIGHT", "DeathKnight"}};
    const auto found = spellings.find(token);
    return found == spellings.end() ? token : found->second;
}

template <typename Visit>
void eachChild(const XMLElement& parent, const char* name, Visit&& visit) {
    for (const XMLElement* child = parent.FirstChildElement(name); child != nullptr;
         child = child->NextSiblingElement(name))
        visit(*child);
}

struct Stay {
    std::int64_t join, leave;
};

struct LoggedMember {
    RaidMember record;
    std::vector<Stay> stays;
};

// The member's stays; an unknown join is the raid's start, an unknown leave its end.
std::vector<Stay> staysOf(const XMLElement& member, std::int64_t start, std::int64_t end) {
    std::vector<Stay> stays;
    const XMLElement* times = member.FirstChildElement("times");
    if (times == nullptr)
        return stays;
    // The open stay's join; the raid's start when a leave comes without one.
    std::int64_t joined = start;
    bool open = false;
    eachChild(*times, "time", [&](const XMLElement& time) {
        const char* type = time.Attribute("type");
        const std::string kind = type == nullptr ? "" : type;
        std::int64_t at = timeOf(&time, "stay time");
        if (kind == "join") {
            joined = at == kUnknownTime ? start : at;
            open = true;
        } else if (kind == "leave") {
            if (at == kUnknownTime)
                at = end;
            stays.push_back({joined, at});
            joined = start;
            open = false;
        } else {
            throw LogError(RefusalKind::RaidLogStayKind);
        }
    });
    if (open)
        stays.push_back({joined, end});
    return stays;
}

bool presentAt(const LoggedMember& member, std::int64_t time) {
    for (const Stay& stay : member.stays)
        if (stay.join != kUnknownTime && stay.leave != kUnknownTime && stay.join <= time &&
            time <= stay.leave)
            return true;
    return false;
}

RaidDocument readRaid(const XMLElement& root, const RaidLogRules& rules) {
    if (std::string(root.Name()) != "raidlog")
        throw LogError({RefusalKind::RaidLogRoot, {root.Name()}});
    const XMLElement& data = required(&root, "raiddata");
    const XMLElement& zones = required(&data, "zones");
    std::vector<const XMLElement*> zoneList;
    eachChild(zones, "zone", [&](const XMLElement& zone) { zoneList.push_back(&zone); });
    if (zoneList.size() != 1)
        throw LogError({RefusalKind::RaidLogZones, {std::to_string(zoneList.size())}});
    const XMLElement* zone = zoneList.front();
    const std::int64_t start = timeOf(zone->FirstChildElement("enter"), "zone enter time");
    const std::int64_t end = timeOf(zone->FirstChildElement("leave"), "zone leave time");

    RaidDocument raid;
    raid.start = logTimeText(start);
    raid.key = raid.start;
    raid.end = logTimeText(end);
    raid.zone = textOf(zone, "name");

    std::vector<LoggedMember> members;
    if (const XMLElement* list = data.FirstChildElement("members"))
        eachChild(*list, "member", [&](const XMLElement& member) {
            LoggedMember logged;
            logged.record = {textOf(&member, "name"),
                             textOf(&member, "race"),
                             textOf(&member, "guild"),
                             textOf(&member, "sex"),
                             classText(textOf(&member, "class")),
                             boundedNumber(&member, "level")};
            logged.stays = staysOf(member, start, end);
            raid.members.push_back(logged.record);
            members.push_back(std::move(logged));
        });
    if (const XMLElement* list = data.FirstChildElement("bosskills"))
        eachChild(*list, "bosskill", [&](const XMLElement& kill) {
            const std::int64_t time = timeOf(kill.FirstChildElement("time"), "kill time");
            RaidKill made{textOf(&kill, "name"), rules.killPoints, logTimeText(time), {}};
            if (time != kUnknownTime)
                for (const LoggedMember& member : members)
                    if (presentAt(member, time))
                        made.attendees.push_back(member.record.name);
            raid.kills.push_back(std::move(made));
        });
    if (const XMLElement* list = data.FirstChildElement("items"))
        eachChild(*list, "item", [&](const XMLElement& item) {
            RaidLoot loot;
            loot.itemName = textOf(&item, "name");
            loot.itemId = textOf(&item, "itemid");
            loot.count = boundedNumber(&item, "count");
            loot.player = textOf(&item, "member");
            loot.costs = boundedNumber(&item, "cost");
            loot.time = logTimeText(timeOf(item.FirstChildElement("time"), "item time"));
            loot.zone = textOf(&item, "zone");
            loot.boss = textOf(&item, "boss");
            raid.loot.push_back(std::move(loot));
        });
    return raid;
}

bool sameRaid(const RaidDocument& a, const RaidDocument& b) {
    const auto memberKey = [](const RaidMember& m) {
        return std::tie(m.name, m.race, m.guild, m.sex, m.playerClass, m.level);
    };
    const auto killKey = [](const RaidKill& k) {
        return std::tie(k.boss, k.dkp, k.time, k.attendees);
    };
    const auto lootKey = [](const RaidLoot& l) {
        return std::tie(l.itemName, l.itemId, l.icon, l.itemClass, l.subClass, l.color, l.count,
                        l.player, l.costs, l.time, l.zone, l.boss, l.tooltip);
    };
    if (std::tie(a.key, a.realm, a.start, a.end, a.zone, a.note) !=
            std::tie(b.key, b.realm, b.start, b.end, b.zone, b.note) ||
        a.members.size() != b.members.size() || a.kills.size() != b.kills.size() ||
        a.loot.size() != b.loot.size())
        return false;
    for (std::size_t i = 0; i < a.members.size(); ++i)
        if (memberKey(a.members[i]) != memberKey(b.members[i]))
            return false;
    for (std::size_t i = 0; i < a.kills.size(); ++i)
        if (killKey(a.kills[i]) != killKey(b.kills[i]))
            return false;
    for (std::size_t i = 0; i < a.loot.size(); ++i)
        if (lootKey(a.loot[i]) != lootKey(b.loot[i]))
            return false;
    return true;
}

} // namespace

std::optional<RaidDocument> raidFromLogXml(std::string_view xml, const RaidLogRules& rules,
                                           Refusal& error) {
    if (xml.size() > kMaxRaidLogXmlBytes) {
        error = {RefusalKind::RaidLogTooLarge, {std::to_string(kMaxRaidLogXmlBytes >> 20)}};
        return std::nullopt;
    }
    if (rules.killPoints < 0 || rules.killPoints > kMaxDocumentNumber) {
        error = {RefusalKind::KillPointsRange, {std::to_string(kMaxDocumentNumber)}};
        return std::nullopt;
    }
    tinyxml2::XMLDocument document;
    if (document.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS ||
        document.RootElement() == nullptr) {
        const char* problem = document.ErrorStr();
        error = {RefusalKind::RaidLogNotXml, {problem == nullptr ? "no root element" : problem}};
        return std::nullopt;
    }
    try {
        const RaidDocument raid = readRaid(*document.RootElement(), rules);
        // The upload document's own limits (lengths, counts, UTF-8) hold for it too, and it
        // must read back as the same raid.
        std::string refusal;
        const auto checked = parseRaidDocument(raidDocumentText(raid), refusal);
        if (!checked) {
            error = {RefusalKind::RaidLogDocument, {refusal}};
            return std::nullopt;
        }
        if (!sameRaid(*checked, raid)) {
            error = RefusalKind::RaidLogClosingTag;
            return std::nullopt;
        }
        return checked;
    } catch (const LogError& e) {
        error = e.refusal;
        return std::nullopt;
    }
}

} // namespace dkpsite
