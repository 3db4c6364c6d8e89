#pragma once

#include <cstddef>
#include <optional>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace dkpsite {

// Rows for one table written by as few INSERT statements as the engines' limits on bound values
// allow: each statement is a round trip to a PostgreSQL server, and one upload writes hundreds of
// rows.
class RowBatch {
public:
    // `columns` as the INSERT names them ("a, b, c"); `tail` follows the VALUES (an ON CONFLICT).
    RowBatch(std::string table, std::string columns, std::size_t width, std::string tail = "");

    // The next value of the current row; a row is whole after `width` values.
    RowBatch& operator<<(long long number);
    RowBatch& operator<<(std::optional<long long> number); // NULL when empty
    RowBatch& operator<<(std::string text);

    std::size_t rows() const { return values_.size() / width_; }
    // Writes the rows added; nothing when there are none.
    void insert(soci::session& sql) const;

private:
    struct Value {
        std::optional<long long> number;
        std::string text;
        bool isText = false;
    };

    std::string table_, columns_, tail_;
    std::size_t width_;
    std::vector<Value> values_;
};

} // namespace dkpsite
