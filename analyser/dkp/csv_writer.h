#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dkp {

// Writes a table as a spreadsheet opens it directly: UTF-8 with a byte-order mark, fields
// separated by commas, rows ended by CR LF, and a field quoted (quotes doubled) when it holds
// a comma, a quote, a line break or leading or trailing blanks.
class CsvWriter {
public:
    CsvWriter();
    void row(const std::vector<std::string>& fields);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

std::string csvField(std::string_view field);

} // namespace dkp
