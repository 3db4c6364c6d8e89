#pragma once

#include <QString>

#include <string>

namespace ui {

// The item database's search page for a boss or item name: `host` followed by
// "/wow/s.php?n=" and the name's UTF-8 bytes, percent-encoded.
QString itemSearchAddress(const QString& host, const std::u16string& name);

} // namespace ui
