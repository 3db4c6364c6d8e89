#include "store/row_batch.h"

#include <algorithm>

namespace dkpsite {

namespace {

// Bound values a statement: below SQLite's limit (32,766) and PostgreSQL's (65,535).
constexpr std::size_t kValuesPerStatement = 16'000;

} // namespace

RowBatch::RowBatch(std::string table, std::string columns, std::size_t width, std::string tail)
    : table_(std::move(table)), columns_(std::move(columns)), tail_(std::move(tail)),
      width_(width) {}

RowBatch& RowBatch::operator<<(long long number) {
    values_.push_back({number, "", false});
    return *this;
}

RowBatch& RowBatch::operator<<(std::optional<long long> number) {
    values_.push_back({number, "", false});
    return *this;
}

RowBatch& RowBatch::operator<<(std::string text) {
    values_.push_back({std::nullopt, std::move(text), true});
    return *this;
}

void RowBatch::insert(soci::session& sql) const {
    // The values are bound by position. SQLite takes them as "?": it looks each name up among all
    // the statement's names, which for thousands of values takes longer than the insert. SOCI
    // turns the names into PostgreSQL's numbered placeholders.
    const bool named = sql.get_backend_name() == "postgresql";
    const std::size_t perStatement = std::max<std::size_t>(1, kValuesPerStatement / width_);
    for (std::size_t first = 0; first < rows(); first += perStatement) {
        const std::size_t last = std::min(rows(), first + perStatement);
        const std::size_t count = (last - first) * width_;
        // Bound by reference: reserved whole, so that no value moves while the statement runs.
        std::vector<long long> numbers;
        std::vector<soci::indicator> present;
        numbers.reserve(count);
        present.reserve(count);
        soci::statement statement(sql);
        std::string text = "INSERT INTO " + table_ + "(" + columns_ + ") VALUES ";
        for (std::size_t i = first * width_; i < last * width_; ++i) {
            if (i % width_ == 0)
                text += i == first * width_ ? "(" : "), (";
            else
                text += ", ";
            text += named ? ":v" + std::to_string(i - first * width_) : std::string("?");
            const Value& value = values_[i];
            if (value.isText) {
                statement.exchange(soci::use(value.text));
                continue;
            }
            numbers.push_back(value.number.value_or(0));
            present.push_back(value.number ? soci::i_ok : soci::i_null);
            statement.exchange(soci::use(numbers.back(), present.back()));
        }
        text += ")" + tail_;
        statement.alloc();
        statement.prepare(text);
        statement.define_and_bind();
        statement.execute(true);
    }
}

} // namespace dkpsite
