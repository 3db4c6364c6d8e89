#pragma once

#include "packlist/pack.h"

#include <optional>
#include <string>
#include <string_view>

// The package-list documents: "localver.xml", "temp/dlstate.xml", "temp/installed.xml" and the
// downloader's manifest. Their bytes are in code page 0 (GBK); `name` and `url` are decoded from
// it without loss (list_text.h), `md5` is kept as bytes.
namespace packlist {

// The list of `pack` children of the document's first top-level `version` element. False, with
// an empty list, when the text is not well-formed XML or has no `version` element.
bool parsePackList(std::string_view document, PackList& list);

// The `flag` attribute of the first `state` child of `version`; nothing when there is none.
std::optional<std::string> parseStateFlag(std::string_view document);

// The written form: the declaration naming gb2312 directly followed by "<version>", one
// tab-indented `pack` line per record, an optional `<state flag="..."/>` line, "</version>".
// Ampersands, angle brackets and double quotes in values are written as XML references so
// that the document stays readable.
std::string formatPackList(const PackList& list,
                           const std::optional<std::string>& stateFlag = std::nullopt);

bool readPackList(std::u16string_view path, PackList& list);
// Replaces the file as a whole. False when it cannot be written.
bool writePackList(std::u16string_view path, const PackList& list,
                   const std::optional<std::string>& stateFlag = std::nullopt);

// Decimal integer as the lists hold it: leading blanks skipped, an optional sign, digits up to
// the first other character; no digits give 0, values beyond 32 bits are clamped.
std::int32_t parseListNumber(std::string_view text);

} // namespace packlist
