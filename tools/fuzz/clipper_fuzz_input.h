#pragma once

#include "dkp/load_raids.h"
#include "dkp/raids.h"
#include "grammar/wowluaclipper.h"
#include "raid_dump.h"
#include "utilkit/ustring.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Turns fuzzer bytes into the texts that both clippers are fed: the bytes themselves as a
// UTF-8 file, the bytes read as a recipe of saved-variables fragments, which reaches the
// clipper's quirks far more often than random text does, and the bytes read as a recipe of
// raid-table fragments inside a raid log, which reaches the raid analysis.
namespace clipper_fuzz {

inline std::u16string recipeText(std::string_view bytes) {
    static const std::array<std::u16string_view, 40> fragments{u"{",
                                                               u"}",
                                                               u"},",
                                                               u"} ,",
                                                               u",",
                                                               u"\n",
                                                               u"\r\n",
                                                               u"\t",
                                                               u" ",
                                                               u"=",
                                                               u" = ",
                                                               u"\"",
                                                               u"--",
                                                               u" -- [1]\n",
                                                               u"[\"player\"]",
                                                               u"[\"Join\"]",
                                                               u"[3]",
                                                               u"\"Alpha\"",
                                                               u"\"a, b\"",
                                                               u"\"x--y\"",
                                                               u"\"p=q\"",
                                                               u"10",
                                                               u"true",
                                                               u"Log",
                                                               u"\uFEFF",
                                                               u"\r",
                                                               u"\\\"",
                                                               u"[[",
                                                               u"]]",
                                                               u"小怪掉落",
                                                               u"\t{\n",
                                                               u"\t},\n",
                                                               u"\t}, -- [2]\n",
                                                               u" = {\n",
                                                               u"\"",
                                                               u"[\"k\"] = \"v\",\n",
                                                               u"Version = 3\n",
                                                               u"}}",
                                                               u"{}",
                                                               u"\n}\n"};
    std::u16string text;
    for (unsigned char byte : bytes)
        text += fragments[byte % fragments.size()];
    return text;
}

inline std::u16string raidRecipeText(std::string_view bytes) {
    static const std::array<std::u16string_view, 40> fragments{
        u"{",
        u"}",
        u"},\n",
        u"}, -- [1]\n",
        u",\n",
        u"\n",
        u" = ",
        u" = {\n",
        u"\"",
        u"--",
        u"[\"key\"] = \"01/25/08 20:00:00\",\n",
        u"[\"End\"] = \"01/25/08 23:10:05\",\n",
        u"[\"zone\"] = \"纳克萨玛斯\",\n",
        u"[\"Realm\"] = \"Hall\",\n",
        u"[\"note\"] = \"a, b\",\n",
        u"[\"PlayerInfos\"]",
        u"[\"Join\"]",
        u"[\"Leave\"]",
        u"[\"BossKills\"]",
        u"[\"Loot\"]",
        u"[\"item\"]",
        u"[\"attendees\"]",
        u"[\"Alpha\"]",
        u"[\"暗影之刃\"]",
        u"[\"player\"] = \"Alpha\",\n",
        u"[\"player\"] = \"暗影之刃\",\n",
        u"[\"time\"] = \"01/25/08 21:30:00\",\n",
        u"[\"time\"] = \"01/25/08 20:15:00\",\n",
        u"[\"class\"] = \"PRIEST\",\n",
        u"[\"race\"] = \"Human\", [\"sex\"] = 3,\n",
        u"[\"level\"] = 70, [\"guild\"] = \"G\",\n",
        u"[\"boss\"] = \"小怪掉落\",\n",
        u"[\"dkp\"] = 12,\n",
        u"[\"costs\"] = 30, [\"count\"] = 2,\n",
        u"[\"c\"] = \"ffa335ee\", [\"id\"] = \"1:0\",\n",
        u"[\"name\"] = \"Blade\", [\"icon\"] = \"I\\\\x\",\n",
        u"[\"tooltip\"] = \"Blade\\nBinds\",\n",
        u"\"Alpha\", -- [1]\n",
        u"\"𝄞暗\", -- [2]\n",
        u"\r\n"};
    std::u16string text = u"CT_RaidTracker_RaidLog = {\n{\n";
    for (unsigned char byte : bytes)
        text += fragments[byte % fragments.size()];
    return text + u"\n},\n}\n";
}

// One input as a file's bytes and as the text they decode to.
struct Case {
    std::string bytes;
    std::u16string text;
};

inline std::vector<Case> casesFromBytes(std::string_view bytes) {
    const std::u16string recipe = recipeText(bytes);
    const std::u16string raidRecipe = raidRecipeText(bytes);
    return {{std::string(bytes), ustring::toWideString(bytes, ustring::kUtf8CodePage)},
            {ustring::toUtf8(recipe), recipe},
            {ustring::toUtf8(raidRecipe), raidRecipe}};
}

// The results of one case: the documents of the literal reference from the text, of the fast
// parser from the text and of the fast parser from the bytes (which turns its compact tree
// into the document), and the raids analysed from the reference document and from the compact
// tree, written out by raid_dump. The documents must be equal, and so must the raids, whose
// figures must agree with their lists.
struct Documents {
    grammar::Document reference;
    grammar::Document fromText;
    grammar::Document fromBytes;
    std::string referenceRaids;
    std::string compactRaids;

    bool agree() const {
        return fromText == reference && fromBytes == reference && compactRaids == referenceRaids &&
               compactRaids.find("figures=differ") == std::string::npos;
    }
};

inline Documents load(const Case& input) {
    grammar::ReferenceWOWLUAClipper reference;
    grammar::WOWLUAClipper fast;
    Documents documents;
    reference.loadString(input.text);
    documents.reference = reference.getDocument();
    fast.loadString(input.text);
    documents.fromText = fast.getDocument();
    fast.loadUtf8String(input.bytes);
    documents.fromBytes = fast.getDocument();
    dkp::Raids fromReference;
    fromReference.loadFromDocument(documents.reference);
    documents.referenceRaids = raid_dump::of(fromReference);
    dkp::Raids fromCompact;
    dkp::loadRaidsFromBytes(input.bytes, fromCompact);
    documents.compactRaids = raid_dump::of(fromCompact);
    return documents;
}

} // namespace clipper_fuzz
