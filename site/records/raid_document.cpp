#include "records/raid_document.h"

#include "utilkit/ustring.h"

#include <cctype>
#include <limits>
#include <stdexcept>

namespace dkpsite {

namespace {

struct DocumentError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Walks the document from the front, expecting its elements in their fixed order.
class DocumentReader {
public:
    explicit DocumentReader(std::string_view text) : text_(text) {}

    void open(std::string_view name) {
        skipSpace();
        const std::string tag = "<" + std::string(name) + ">";
        if (!startsWith(tag))
            throw DocumentError("expected " + tag + " at byte " + std::to_string(pos_));
        pos_ += tag.size();
    }

    void close(std::string_view name) { open("/" + std::string(name)); }

    bool opens(std::string_view name) {
        skipSpace();
        return startsWith("<" + std::string(name) + ">");
    }

    // The content of a text element: everything up to the first closing tag of its name, at
    // most `limit` bytes.
    std::string leaf(std::string_view name, std::size_t limit) {
        open(name);
        const std::string closing = "</" + std::string(name) + ">";
        const size_t end = text_.find(closing, pos_);
        if (end == std::string_view::npos)
            throw DocumentError("element <" + std::string(name) + "> is not closed");
        if (end - pos_ > limit)
            throw DocumentError("<" + std::string(name) + "> at byte " + std::to_string(pos_) +
                                " is longer than " + std::to_string(limit) + " bytes");
        std::string content(text_.substr(pos_, end - pos_));
        pos_ = end + closing.size();
        return content;
    }

    // A decimal element; anything that is not a number reads as 0.
    long long number(std::string_view name) {
        const size_t start = pos_;
        const std::string content = leaf(name, document_limits::kWord);
        long long value = 0;
        try {
            size_t used = 0;
            value = std::stoll(content, &used);
            if (used != content.size())
                return 0;
        } catch (const std::invalid_argument&) {
            return 0;
        } catch (const std::out_of_range&) {
            value = std::numeric_limits<long long>::max();
        }
        if (value > kMaxDocumentNumber || value < -kMaxDocumentNumber)
            throw DocumentError("<" + std::string(name) + "> at byte " + std::to_string(start) +
                                " is beyond ±" + std::to_string(kMaxDocumentNumber));
        return value;
    }

    // Reads the numbered entries key1, key2, ... of a list element, at most `limit` of them.
    template <typename ReadEntry>
    void list(std::string_view name, std::size_t limit, ReadEntry readEntry) {
        open(name);
        for (std::size_t n = 1; opens("key" + std::to_string(n)); ++n) {
            if (n > limit)
                throw DocumentError("<" + std::string(name) + "> has more than " +
                                    std::to_string(limit) + " entries");
            const std::string key = "key" + std::to_string(n);
            open(key);
            readEntry();
            close(key);
        }
        close(name);
    }

    void finish() {
        skipSpace();
        if (pos_ != text_.size())
            throw DocumentError("unexpected text after </RaidInfo>");
    }

private:
    bool startsWith(std::string_view tag) const { return text_.substr(pos_, tag.size()) == tag; }

    void skipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

using namespace document_limits;

RaidMember readMember(DocumentReader& reader) {
    RaidMember member;
    member.name = reader.leaf("name", kName);
    member.race = reader.leaf("race", kWord);
    member.guild = reader.leaf("guild", kTitle);
    member.sex = reader.leaf("sex", kWord);
    member.playerClass = reader.leaf("class", kWord);
    member.level = reader.number("level");
    return member;
}

RaidKill readKill(DocumentReader& reader) {
    RaidKill kill;
    kill.boss = reader.leaf("name", kTitle);
    kill.dkp = reader.number("dkp");
    kill.time = reader.leaf("time", kWord);
    reader.list("attendees", kMembers,
                [&] { kill.attendees.push_back(reader.leaf("name", kName)); });
    return kill;
}

RaidLoot readLoot(DocumentReader& reader) {
    RaidLoot loot;
    loot.itemName = reader.leaf("ItemName", kTitle);
    loot.itemId = reader.leaf("ItemID", kTitle);
    loot.icon = reader.leaf("Icon", kTitle);
    loot.itemClass = reader.leaf("Class", kWord);
    loot.subClass = reader.leaf("SubClass", kWord);
    loot.color = reader.leaf("Color", kWord);
    loot.count = reader.number("Count");
    loot.player = reader.leaf("Player", kName);
    loot.costs = reader.number("Costs");
    loot.time = reader.leaf("Time", kWord);
    loot.zone = reader.leaf("Zone", kTitle);
    loot.boss = reader.leaf("Boss", kTitle);
    loot.tooltip = reader.leaf("Tooltip", kNote);
    return loot;
}

} // namespace

std::optional<RaidDocument> parseRaidDocument(std::string_view text, std::string& error) {
    if (!ustring::isValidUtf8(text)) {
        error = "the document is not UTF-8";
        return std::nullopt;
    }
    try {
        DocumentReader reader(text);
        RaidDocument raid;
        reader.open("RaidInfo");
        raid.key = reader.leaf("key", kWord);
        raid.realm = reader.leaf("realm", kTitle);
        raid.start = reader.leaf("start", kWord);
        raid.end = reader.leaf("end", kWord);
        raid.zone = reader.leaf("zone", kTitle);
        reader.list("PlayerInfos", kMembers, [&] { raid.members.push_back(readMember(reader)); });
        reader.list("BossKills", kKills, [&] { raid.kills.push_back(readKill(reader)); });
        raid.note = reader.leaf("note", kNote);
        reader.list("Loot", kLoot, [&] { raid.loot.push_back(readLoot(reader)); });
        reader.close("RaidInfo");
        reader.finish();
        return raid;
    } catch (const DocumentError& e) {
        error = e.what();
        return std::nullopt;
    }
}

namespace {

std::string element(const std::string& name, const std::string& content) {
    return "<" + name + ">" + content + "</" + name + ">";
}

std::string numbered(std::size_t index, const std::string& content) {
    return element("key" + std::to_string(index + 1), content);
}

} // namespace

std::string raidDocumentText(const RaidDocument& raid) {
    std::string members, kills, loot;
    for (std::size_t i = 0; i < raid.members.size(); ++i) {
        const RaidMember& m = raid.members[i];
        members += numbered(i, element("name", m.name) + element("race", m.race) +
                                   element("guild", m.guild) + element("sex", m.sex) +
                                   element("class", m.playerClass) +
                                   element("level", std::to_string(m.level)));
    }
    for (std::size_t i = 0; i < raid.kills.size(); ++i) {
        const RaidKill& k = raid.kills[i];
        std::string attendees;
        for (std::size_t a = 0; a < k.attendees.size(); ++a)
            attendees += numbered(a, element("name", k.attendees[a]));
        kills += numbered(i, element("name", k.boss) + element("dkp", std::to_string(k.dkp)) +
                                 element("time", k.time) + element("attendees", attendees));
    }
    for (std::size_t i = 0; i < raid.loot.size(); ++i) {
        const RaidLoot& l = raid.loot[i];
        loot += numbered(i, element("ItemName", l.itemName) + element("ItemID", l.itemId) +
                                element("Icon", l.icon) + element("Class", l.itemClass) +
                                element("SubClass", l.subClass) + element("Color", l.color) +
                                element("Count", std::to_string(l.count)) +
                                element("Player", l.player) +
                                element("Costs", std::to_string(l.costs)) +
                                element("Time", l.time) + element("Zone", l.zone) +
                                element("Boss", l.boss) + element("Tooltip", l.tooltip));
    }
    return element("RaidInfo", element("key", raid.key) + element("realm", raid.realm) +
                                   element("start", raid.start) + element("end", raid.end) +
                                   element("zone", raid.zone) + element("PlayerInfos", members) +
                                   element("BossKills", kills) + element("note", raid.note) +
                                   element("Loot", loot));
}

} // namespace dkpsite
