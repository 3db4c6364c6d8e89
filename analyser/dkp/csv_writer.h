#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dkp {

// One cell of a table: text, which a spreadsheet is to show as it is, or a number, which it
// may compute with.
class CsvCell {
public:
    CsvCell(std::string text) : value_(std::move(text)) {}
    CsvCell(const char* text) : value_(text) {}
    CsvCell(std::int64_t number) : value_(std::to_string(number)), isNumber_(true) {}
    // A number written with one decimal, "80.3".
    static CsvCell oneDecimal(double number);

    const std::string& value() const { return value_; }
    bool isNumber() const { return isNumber_; }

private:
    std::string value_;
    bool isNumber_ = false;
};

// Writes a table as a spreadsheet opens it directly: UTF-8 with a byte-order mark, fields
// separated by commas, rows ended by CR LF, and a field quoted (quotes doubled) when it holds
// a comma, a quote, a line break or leading or trailing blanks. A text cell that a spreadsheet
// would run as a formula gets a leading "'" (see guardFormula); numbers are written as they are.
class CsvWriter {
public:
    CsvWriter();
    void row(const std::vector<CsvCell>& cells);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The text with a leading "'" when a spreadsheet would read it as a formula: when its first
// character other than blanks is "=", "+", "-" or "@", or their full-width forms, which some
// spreadsheets take as the same; or when it starts with a tab, carriage return or line feed.
std::string guardFormula(std::string text);

std::string csvField(std::string_view field);

} // namespace dkp
