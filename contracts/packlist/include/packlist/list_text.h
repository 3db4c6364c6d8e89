#pragma once

#include <string>
#include <string_view>

// The text of the package lists, in code page 0 (GBK), read and written without loss: a byte
// that does not decode stands for itself as a lone low surrogate U+DC80 to U+DCFF (a code unit
// that decoding never gives), and writing turns such a unit back into its byte. A name that the
// downloader wrote with such bytes therefore compares equal to the same name recorded by the
// updater.
namespace packlist {

std::u16string decodeListText(std::string_view bytes);
std::string encodeListText(std::u16string_view text);

} // namespace packlist
