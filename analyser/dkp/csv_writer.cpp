#include "dkp/csv_writer.h"

namespace dkp {
namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

bool needsQuotes(std::string_view field) {
    if (field.find_first_of(",\"\r\n") != std::string_view::npos)
        return true;
    return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

} // namespace

std::string csvField(std::string_view field) {
    if (!needsQuotes(field))
        return std::string(field);
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

CsvWriter::CsvWriter() : text_(kByteOrderMark) {}

void CsvWriter::row(const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text_ += ',';
        text_ += csvField(fields[i]);
    }
    text_ += "\r\n";
}

} // namespace dkp
