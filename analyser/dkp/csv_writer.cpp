#include "dkp/csv_writer.h"

#include <array>
#include <cstdio>

namespace dkp {
namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

// "=", "+", "-", "@" and, in UTF-8, their full-width forms U+FF1D, U+FF0B, U+FF0D, U+FF20.
constexpr std::array<std::string_view, 8> kFormulaStarts{
    "=", "+", "-", "@", "\xEF\xBC\x9D", "\xEF\xBC\x8B", "\xEF\xBC\x8D", "\xEF\xBC\xA0"};

bool startsFormula(std::string_view text) {
    if (!text.empty() && (text.front() == '\t' || text.front() == '\r' || text.front() == '\n'))
        return true;
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    for (const std::string_view start : kFormulaStarts)
        if (text.substr(first).starts_with(start))
            return true;
    return false;
}

bool needsQuotes(std::string_view field) {
    if (field.find_first_of(",\"\r\n") != std::string_view::npos)
        return true;
    return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

} // namespace

CsvCell CsvCell::oneDecimal(double number) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", number);
    CsvCell cell(text);
    cell.isNumber_ = true;
    return cell;
}

std::string guardFormula(std::string text) {
    return startsFormula(text) ? "'" + text : text;
}

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

void CsvWriter::row(const std::vector<CsvCell>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text_ += ',';
        const CsvCell& cell = cells[i];
        text_ += csvField(cell.isNumber() ? cell.value() : guardFormula(cell.value()));
    }
    text_ += "\r\n";
}

} // namespace dkp
