#pragma once

#include "grammar/wowluaclipper.h"
#include "utilkit/ustring.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Turns fuzzer bytes into the texts that both clippers are fed: the bytes themselves as a
// UTF-8 file, and the bytes read as a recipe of saved-variables fragments, which reaches the
// clipper's quirks far more often than random text does.
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

// One input as a file's bytes and as the text they decode to.
struct Case {
    std::string bytes;
    std::u16string text;
};

inline std::vector<Case> casesFromBytes(std::string_view bytes) {
    const std::u16string recipe = recipeText(bytes);
    return {{std::string(bytes), ustring::toWideString(bytes, ustring::kUtf8CodePage)},
            {ustring::toUtf8(recipe), recipe}};
}

// The documents of one case: the literal reference from the text, the fast parser from the
// text and the fast parser from the bytes. All three must be equal.
struct Documents {
    grammar::Document reference;
    grammar::Document fromText;
    grammar::Document fromBytes;

    bool agree() const { return fromText == reference && fromBytes == reference; }
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
    return documents;
}

} // namespace clipper_fuzz
