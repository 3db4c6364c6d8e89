#include "itemsearchaddress.h"

#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"

namespace ui {

QString itemSearchAddress(const QString& host, const std::u16string& name) {
    const std::string utf8 = ustring::toNarrowString(name, ustring::kUtf8CodePage);
    const std::u16string encoded =
        ustring::toWideString(encrypt::urlEncode(utf8), ustring::kUtf8CodePage);
    return host + QStringLiteral("/wow/s.php?n=") + QString::fromStdU16String(encoded);
}

} // namespace ui
