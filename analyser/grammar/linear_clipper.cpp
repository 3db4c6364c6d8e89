#include "grammar/linear_clipper.h"

#include "grammar/blanked_text.h"
#include "grammar/block_index.h"
#include "grammar/compact_tree.h"
#include "grammar/kept_text.h"
#include "grammar/mark_scanner.h"
#include "grammar/saved_text.h"
#include "grammar/utf8_units.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace grammar {
namespace {

bool isQuote(char c) {
    return c == char('"');
}
bool isNonBlank(char c) {
    return !isBlank(c);
}
bool isLineFeed(char c) {
    return c == char('\n');
}

// Called for every key and value: kept in line.
[[gnu::always_inline]] inline std::string_view trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    while (begin < end && isBlank(text[begin]))
        ++begin;
    return text.substr(begin, end - begin);
}

std::size_t lastQuoteIn(std::string_view text) {
    const void* found = ::memrchr(text.data(), '"', text.size());
    return found == nullptr
               ? text.npos
               : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
}

// The text between the first and the last double quote; after the only one; or all of it.
std::string_view unquoted(std::string_view text) {
    const std::size_t first = text.find(char('"'));
    if (first == text.npos)
        return text;
    const std::size_t last = lastQuoteIn(text);
    if (last == first)
        return text.substr(first + 1);
    return text.substr(first + 1, last - first - 1);
}

std::string_view cleaned(std::string_view text) {
    return unquoted(trimmed(text));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

// One `key = value` piece of a table (the text between two commas), as parts of the piece. A
// bare item's value is cut by a count of UTF-16 code units, so in UTF-8 this holds for ASCII
// pieces alone (see CompactAttribs).
KeyValue keyValueOfPiece(std::string_view piece) {
    const std::size_t eq = piece.find(char('='));
    if (eq != piece.npos)
        return {trimmed(unquoted(piece.substr(0, eq))), trimmed(unquoted(piece.substr(eq + 1)))};
    const auto key = unquoted(piece);
    const std::ptrdiff_t count =
        static_cast<std::ptrdiff_t>(piece.size()) - static_cast<std::ptrdiff_t>(key.size()) - 1;
    const auto value =
        unquoted(count < 0 ? piece : piece.substr(0, static_cast<std::size_t>(count)));
    return {trimmed(key), trimmed(value)};
}

// Every line with an `=`: the text before the first `=` and the text up to the next one.
template <typename Emit> void forEachDocumentAssignment(std::string_view text, Emit emit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(char('\n'), start);
        if (end == text.npos)
            end = text.size();
        const auto line = text.substr(start, end - start);
        const std::size_t eq = line.find(char('='));
        if (eq != line.npos) {
            const auto value = line.substr(eq + 1, line.substr(eq + 1).find(char('=')));
            emit(KeyValue{cleaned(line.substr(0, eq)), cleaned(value)});
        }
        start = end + 1;
    }
}

// Positions [from, to) of the text in front of a block (see Prefix); empty when to <= from.
struct PrefixRange {
    std::int32_t from = 0;
    std::int32_t to = 0;
};

// A text cut out by the clipper: a range of the clipped text when it lies in one place there,
// or a copy when the cuts joined it from two places.
struct Piece {
    std::int32_t offset = 0;
    std::int32_t size = 0;
    bool joined = false;
    std::string copy;
};

// A block found by a cut: its cleaned name, the positions of its braces and its number.
struct Cut {
    Piece name;
    std::int32_t head;
    std::int32_t tail;
    std::int32_t block;
};

// The text in front of a block: the kept text followed by the unread text from `from` up to
// the block's opening brace. Positions count from the start of the kept text.
class Prefix {
public:
    Prefix(const KeptText<char>& kept, const char* text, std::int32_t from, std::int32_t head)
        : kept_(kept), text_(text), from_(from), keptSize_(kept.size()),
          size_(kept.size() + head - from) {}

    std::int32_t size() const { return size_; }
    std::int32_t keptSize() const { return keptSize_; }
    char at(std::int32_t i) const {
        return i < keptSize_ ? kept_.at(i) : text_[from_ + i - keptSize_];
    }

    std::string copy(std::int32_t from, std::int32_t to) const {
        std::string out;
        if (to <= from)
            return out;
        out.reserve(static_cast<std::size_t>(to - from));
        if (from < keptSize_)
            kept_.copyTo(out, from, std::min(to, keptSize_));
        if (to > keptSize_) {
            const std::int32_t start = std::max(from, keptSize_);
            out.append(text_ + from_ + start - keptSize_, static_cast<std::size_t>(to - start));
        }
        return out;
    }

    // The text [from, to), read in place when it lies in the unread part, else copied to
    // `copy`.
    std::string_view view(std::int32_t from, std::int32_t to, std::string& copy) const {
        if (from >= keptSize_ && to > from)
            return {text_ + from_ + from - keptSize_, static_cast<std::size_t>(to - from)};
        copy = this->copy(from, to);
        return copy;
    }

    // The first position at or after `start` in the unread part whose character fits.
    template <typename Test> std::int32_t findInUnread(std::int32_t start, Test test) const {
        for (std::int32_t i = std::max(start, keptSize_); i < size_; ++i)
            if (test(at(i)))
                return i;
        return -1;
    }

    // The last position at or before `start` whose character fits; in the kept text the
    // answer comes from `keptLast`.
    template <typename Test, typename KeptLast>
    std::int32_t findLast(std::int32_t start, Test test, KeptLast keptLast) const {
        std::int32_t i = start;
        for (; i >= keptSize_; --i)
            if (test(at(i)))
                return i;
        return i < 0 ? -1 : keptLast(i);
    }

    const KeptText<char>& kept() const { return kept_; }

private:
    const KeptText<char>& kept_;
    const char* text_;
    std::int32_t from_;
    std::int32_t keptSize_;
    std::int32_t size_;
};

// The name that the literal steps give a block whose whole prefix is its key text: the
// prefix trimmed and unquoted, then trimmed and unquoted again. Found from the ends of the
// prefix, so that a long kept text is not rescanned for every block.
PrefixRange nameOfWholePrefix(const Prefix& prefix) {
    const KeptText<char>& kept = prefix.kept();
    const std::int32_t end = prefix.size() - 1;
    auto lastNonBlank = [&](std::int32_t i) { return kept.lastNonBlank(i); };
    auto lastQuote = [&](std::int32_t i) { return kept.lastQuote(i); };

    const std::int32_t first =
        kept.firstNonBlank() >= 0 ? kept.firstNonBlank() : prefix.findInUnread(0, isNonBlank);
    if (first < 0)
        return {};
    const std::int32_t last = prefix.findLast(end, isNonBlank, lastNonBlank);
    const std::int32_t firstQuote =
        kept.firstQuote() >= 0 ? kept.firstQuote() : prefix.findInUnread(0, isQuote);
    if (firstQuote < 0)
        return {first, last + 1};

    const std::int32_t lastQuotePos = prefix.findLast(end, isQuote, lastQuote);
    const bool quoteInKept = firstQuote < prefix.keptSize();
    const std::int32_t afterQuote = quoteInKept && kept.firstNonBlankAfterFirstQuote() >= 0
                                        ? kept.firstNonBlankAfterFirstQuote()
                                        : prefix.findInUnread(firstQuote + 1, isNonBlank);
    if (lastQuotePos == firstQuote)
        return afterQuote < 0 ? PrefixRange() : PrefixRange{afterQuote, last + 1};

    if (afterQuote >= lastQuotePos)
        return {};
    const std::int32_t beforeLastQuote =
        prefix.findLast(lastQuotePos - 1, isNonBlank, lastNonBlank);
    const std::int32_t secondQuote = quoteInKept && kept.secondQuote() >= 0
                                         ? kept.secondQuote()
                                         : prefix.findInUnread(firstQuote + 1, isQuote);
    if (secondQuote == lastQuotePos)
        return {afterQuote, beforeLastQuote + 1};
    const std::int32_t secondLastQuote = prefix.findLast(lastQuotePos - 1, isQuote, lastQuote);
    if (secondQuote == secondLastQuote)
        return {secondQuote + 1, beforeLastQuote + 1};
    return {secondQuote + 1, secondLastQuote};
}

// Where the parts of a text that the cuts put together come from: each part starts at `at` in
// the joined text and at `source` in the clipped text.
struct Part {
    std::int32_t at;
    std::int32_t source;
};

// Runs the literal cut loop over one stretch of the text, [begin, end), whose first opening
// brace has the number `block`: each cut yields a block, and what the cuts leave behind is
// the stretch's own text (its attributes). Every text it hands out can be traced back to the
// clipped text (see locate), so that a caller can keep ranges instead of copies.
class CutRun {
public:
    using View = std::string_view;

    CutRun(const std::string& text, const BlockIndex& blocks) : text_(text), blocks_(blocks) {}

    // Fills `cuts` (names only when `named`) and returns the text left behind. Stops at the
    // first unbalanced block, leaving it and what follows in the text left behind.
    View run(std::int32_t begin, std::int32_t end, std::int32_t block, bool named,
             std::vector<Cut>& cuts) {
        kept_.clear();
        keptParts_.clear();
        std::int32_t from = begin;
        while (true) {
            const std::int32_t head = findOpening(from, end);
            if (head < 0 || !blocks_.opensAt(block, head))
                break;
            const std::int32_t tail = blocks_.closeOf(block);
            cut(from, head, tail, block, named, cuts);
            block = blocks_.nextAfter(block);
            if (tail + 1 >= end) {
                kept_.clear();
                keptParts_.clear();
                from = end;
            } else {
                from = tail + 1;
            }
        }
        const View unread = View(text_).substr(static_cast<std::size_t>(from),
                                               static_cast<std::size_t>(end - from));
        leftParts_ = keptParts_;
        leftParts_.push_back({kept_.size(), from});
        if (kept_.size() == 0) {
            left_ = unread;
            return left_;
        }
        leftStore_.clear();
        leftStore_.reserve(static_cast<std::size_t>(kept_.size()) + unread.size());
        kept_.copyTo(leftStore_, 0, kept_.size());
        leftStore_.append(unread);
        left_ = leftStore_;
        return left_;
    }

    // Where a part of the text that run() returned lies in the clipped text.
    Piece locate(View part) const {
        const auto at = static_cast<std::int32_t>(part.data() - left_.data());
        return locate(leftParts_, static_cast<std::int32_t>(left_.size()), at,
                      at + static_cast<std::int32_t>(part.size()),
                      [&](std::int32_t, std::int32_t) { return std::string(part); });
    }

private:
    // Parts are in order of `at`; a range inside one part is a range of the clipped text.
    template <typename Copy>
    static Piece locate(const std::vector<Part>& parts, std::int32_t size, std::int32_t from,
                        std::int32_t to, Copy copy) {
        if (to <= from)
            return {};
        const auto part =
            std::upper_bound(parts.begin(), parts.end(), from,
                             [](std::int32_t at, const Part& p) { return at < p.at; }) -
            1;
        const std::int32_t partEnd = part + 1 == parts.end() ? size : (part + 1)->at;
        if (to <= partEnd)
            return {part->source + from - part->at, to - from, false, {}};
        return {0, to - from, true, copy(from, to)};
    }

    std::int32_t findOpening(std::int32_t from, std::int32_t end) const {
        const View stretch = View(text_).substr(0, static_cast<std::size_t>(end));
        const std::size_t found = stretch.find(char('{'), static_cast<std::size_t>(from));
        return found == View::npos ? -1 : static_cast<std::int32_t>(found);
    }

    // The block's name: the key before its `=` on the block's line, or the whole prefix.
    static PrefixRange nameRange(const Prefix& prefix, std::int32_t lineFeed) {
        std::int32_t equals = -1;
        for (std::int32_t i = lineFeed; i < prefix.size() && equals < 0; ++i)
            if (prefix.at(i) == char('='))
                equals = i;
        if (equals <= lineFeed)
            return nameOfWholePrefix(prefix);
        std::string copy;
        const View key = prefix.view(lineFeed, equals, copy);
        const View name = cleaned(cleaned(key));
        const auto start = lineFeed + static_cast<std::int32_t>(name.data() - key.data());
        return {start, start + static_cast<std::int32_t>(name.size())};
    }

    void cut(std::int32_t from, std::int32_t head, std::int32_t tail, std::int32_t block,
             bool named, std::vector<Cut>& cuts) {
        const Prefix prefix(kept_, text_.data(), from, head);
        const std::int32_t keptSize = prefix.keptSize();
        std::int32_t lineFeed = prefix.findLast(
            prefix.size() - 1, isLineFeed, [&](std::int32_t i) { return kept_.lastLineFeed(i); });
        const bool lineFeedUnread = lineFeed >= keptSize;
        if (lineFeed < 0)
            lineFeed = 0;
        if (named) {
            const PrefixRange name = nameRange(prefix, lineFeed);
            keptParts_.push_back({keptSize, from}); // the unread part of the prefix
            cuts.push_back(
                {locate(keptParts_, prefix.size(), name.from, name.to,
                        [&](std::int32_t a, std::int32_t b) { return prefix.copy(a, b); }),
                 head, tail, block});
            keptParts_.pop_back();
        }
        if (lineFeedUnread) {
            if (lineFeed > keptSize)
                keptParts_.push_back({keptSize, from});
            kept_.append(text_.data() + from, lineFeed - keptSize);
        } else {
            while (!keptParts_.empty() && keptParts_.back().at >= lineFeed)
                keptParts_.pop_back();
            kept_.truncate(lineFeed);
        }
    }

    const std::string& text_;
    const BlockIndex& blocks_;
    KeptText<char> kept_;
    std::vector<Part> keptParts_;
    std::string leftStore_;
    View left_;
    std::vector<Part> leftParts_;
};

// The byte length of the first `units` UTF-16 code units of valid UTF-8 bytes; -1 when that
// count ends between the two units of one character.
std::ptrdiff_t bytesOfUnits(std::string_view bytes, std::size_t units) {
    std::size_t i = 0;
    std::size_t counted = 0;
    while (counted < units && i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        counted += length == 4 ? 2 : 1;
        i += length;
    }
    return counted == units ? static_cast<std::ptrdiff_t>(i) : -1;
}

// Builds the compact tree from UTF-8 bytes that went through prepareSavedText and hold no
// ill-formed sequence.
class CompactBuilder {
public:
    // A table still to be filled: its node, the stretch between its braces, its block and its
    // depth.
    struct Table {
        CompactTree::Index node;
        std::int32_t head;
        std::int32_t tail;
        std::int32_t block;
        int depth;
    };

    // With a listener, the attributes go to it instead of the tree.
    CompactBuilder(CompactTree& tree, TreeListener* listener)
        : tree_(tree), text_(tree.text()), listener_(listener) {}

    void addDocumentAttrib(const CutRun& run, KeyValue assignment) {
        add(CompactTree::kRoot,
            {span(run.locate(assignment.key)), span(run.locate(assignment.value))});
    }

    // `commas` bounds the number of entries of the tables.
    void prepare(const BlockIndex& blocks, std::size_t commas) {
        tree_.reserve(static_cast<std::size_t>(blocks.count()) + 1,
                      listener_ != nullptr ? 0 : tree_.attribCount() + commas);
    }

    void beginTable(const Table& table) {
        if (listener_ != nullptr)
            listener_->table(tree_, table.node, table.depth);
    }

    // Cuts a table's own text into `key = value` pieces as the literal steps do, from its
    // marks alone: a piece ends at a comma, its key is before its first `=` and its value
    // after it, each between the first and the last quote on its side when it has any.
    void addPieces(const CutRun& run, CompactTree::Index node, std::string_view text) {
        constexpr std::size_t kNone = MarkScanner::kEnd;
        MarkScanner marks(text);
        std::size_t start = 0;
        PieceMarks piece;
        for (std::size_t at = marks.next(); at != MarkScanner::kEnd; at = marks.next()) {
            if (text[at] == ',') {
                if (piece.equals == kNone)
                    addBareItem(run, node, text, start, at, piece.key);
                else
                    addKeyValue(run, node, text, start, at, piece);
                start = at + 1;
                piece = PieceMarks();
            } else if (text[at] == '=') {
                if (piece.equals == kNone)
                    piece.equals = at;
            } else {
                Quotes& side = piece.equals == kNone ? piece.key : piece.value;
                if (side.first == kNone)
                    side.first = at;
                side.last = at;
            }
        }
    }

    void addNodes(const std::vector<Cut>& cuts, CompactTree::Index parent, int depth,
                  std::vector<Table>& pending) {
        const CompactTree::Index first = tree_.addNodes(cuts.size());
        tree_.node(parent).firstChild = first;
        tree_.node(parent).childCount = static_cast<CompactTree::Index>(cuts.size());
        for (std::size_t i = 0; i < cuts.size(); ++i)
            tree_.node(first + static_cast<CompactTree::Index>(i)).name = span(cuts[i].name);
        for (std::size_t i = cuts.size(); i-- > 0;)
            pending.push_back({first + static_cast<CompactTree::Index>(i), cuts[i].head,
                               cuts[i].tail, cuts[i].block, depth});
    }

private:
    struct Quotes {
        std::size_t first = MarkScanner::kEnd;
        std::size_t last = MarkScanner::kEnd;
    };
    // Positions in the table's text of a piece's first `=` and of the quotes on either side.
    struct PieceMarks {
        std::size_t equals = MarkScanner::kEnd;
        Quotes key;
        Quotes value;
    };

    // The text [begin, end) unquoted as `unquoted` does, from its quotes.
    static std::string_view unquotedBetween(std::string_view text, std::size_t begin,
                                            std::size_t end, Quotes quotes) {
        if (quotes.first == MarkScanner::kEnd)
            return text.substr(begin, end - begin);
        if (quotes.first == quotes.last)
            return text.substr(quotes.first + 1, end - quotes.first - 1);
        return text.substr(quotes.first + 1, quotes.last - quotes.first - 1);
    }

    void addKeyValue(const CutRun& run, CompactTree::Index node, std::string_view text,
                     std::size_t start, std::size_t end, const PieceMarks& piece) {
        const std::string_view key = trimmed(unquotedBetween(text, start, piece.equals, piece.key));
        const std::string_view value =
            trimmed(unquotedBetween(text, piece.equals + 1, end, piece.value));
        add(node, {span(run.locate(key)), span(run.locate(value))});
    }

    // A bare item's key is the text between its first and last quote; its value is cut from
    // the front of the piece by a count of UTF-16 code units, the piece's less the key's and one.
    // When the text around the quotes is ASCII, that count ends right after the opening quote
    // if nothing follows the closing one (the game's `"name",`), and the value is empty; it
    // ends past the closing quote if what follows has more units than the key, and the value
    // is the key.
    void addBareItem(const CutRun& run, CompactTree::Index node, std::string_view text,
                     std::size_t start, std::size_t end, Quotes quotes) {
        const bool quoted = quotes.first != MarkScanner::kEnd && quotes.first != quotes.last;
        if (quoted && ustring::isAscii(text.substr(start, quotes.first - start)) &&
            ustring::isAscii(text.substr(quotes.last + 1, end - quotes.last - 1))) {
            const std::string_view key =
                text.substr(quotes.first + 1, quotes.last - quotes.first - 1);
            const std::size_t after = end - quotes.last - 1;
            if (after == 0 || after > unitCount(key)) {
                const CompactTree::Span name = span(run.locate(trimmed(key)));
                const CompactTree::Span value =
                    after == 0 ? span(run.locate(key.substr(0, 0))) : name;
                add(node, {name, value});
                return;
            }
        }
        addBareItem(run, node, text.substr(start, end - start));
    }

    // The UTF-16 tree cuts a bare item's value by a count of code units; in UTF-8 that count
    // is turned into bytes, and a count that ends inside a character is cut in UTF-16.
    void addBareItem(const CutRun& run, CompactTree::Index node, std::string_view piece) {
        if (ustring::isAscii(piece)) {
            const KeyValue attrib = keyValueOfPiece(piece);
            add(node, {span(run.locate(attrib.key)), span(run.locate(attrib.value))});
            return;
        }
        const std::string_view key = unquoted(piece);
        const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(unitCount(piece)) -
                                     static_cast<std::ptrdiff_t>(unitCount(key)) - 1;
        const std::ptrdiff_t length = count < 0
                                          ? static_cast<std::ptrdiff_t>(piece.size())
                                          : bytesOfUnits(piece, static_cast<std::size_t>(count));
        CompactTree::Span value;
        if (length >= 0) {
            value = span(
                run.locate(trimmed(unquoted(piece.substr(0, static_cast<std::size_t>(length))))));
        } else {
            // The units up to the count, the first half of a pair last, in the bytes that
            // give them back (see utf8_units.h).
            std::string front;
            appendUnitsAsUtf8(
                std::u16string_view(decodeUnits(piece)).substr(0, static_cast<std::size_t>(count)),
                front);
            value = tree_.wideSpan(decodeUnits(trimmed(unquoted(std::string_view(front)))));
        }
        add(node, {span(run.locate(trimmed(key))), value});
    }

    void add(CompactTree::Index node, CompactTree::Attrib attrib) {
        if (listener_ != nullptr)
            listener_->attrib(tree_, attrib);
        else
            tree_.addAttrib(node, attrib);
    }

    CompactTree::Span span(const Piece& piece) {
        if (piece.joined)
            return tree_.joinedSpan(piece.copy);
        return tree_.textSpan(static_cast<std::size_t>(piece.offset),
                              static_cast<std::size_t>(piece.size));
    }

    CompactTree& tree_;
    std::string& text_;
    TreeListener* listener_;
};

// Cuts the text into tables and fills them first to last: the assignments outside every
// table, then each table's own pieces and its children's nodes, queued last to first.
void clipTables(std::string& text, int maxDepth, CompactBuilder& tree) {
    using View = std::string_view;
    const std::size_t commas = blankCommentsAndBraceCommas(text);
    const BlockIndex blocks{View(text)};
    CutRun run(text, blocks);
    std::vector<Cut> cuts;
    std::vector<CompactBuilder::Table> pending;

    const View outside = run.run(0, static_cast<std::int32_t>(text.size()), 0, true, cuts);
    forEachDocumentAssignment(
        outside, [&](KeyValue assignment) { tree.addDocumentAttrib(run, assignment); });
    tree.prepare(blocks, commas);
    tree.addNodes(cuts, CompactTree::kRoot, 1, pending);

    while (!pending.empty()) {
        const CompactBuilder::Table table = pending.back();
        pending.pop_back();
        tree.beginTable(table);
        cuts.clear();
        const bool withChildren = table.depth < maxDepth;
        const View own = run.run(table.head + 1, table.tail, table.block + 1, withChildren, cuts);
        tree.addPieces(run, table.node, own);
        if (withChildren)
            tree.addNodes(cuts, table.node, table.depth + 1, pending);
    }
}

// Clips bytes that went through prepareSavedText into the new `tree`.
void clipPrepared(std::string bytes, CompactTree& tree, int maxDepth, TreeListener* listener) {
    tree.text() = std::move(bytes);
    CompactBuilder builder(tree, listener);
    clipTables(tree.text(), maxDepth, builder);
}

// Whether sixteen bytes from `at` are all ASCII.
bool isAsciiBlock(const char* at) {
#if defined(__SSE2__)
    return _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at))) == 0;
#else
    return ustring::isAscii(std::string_view(at, 16));
#endif
}

// Whether the bytes are valid UTF-8. Stretches of ASCII, the bulk of a saved-variables file, are
// stepped over sixteen bytes at a time; the rest is checked by the utility library a stretch at
// a time, each from and to an ASCII byte, where no sequence can start or end inside.
bool isValidUtf8(std::string_view bytes) {
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        while (i + 16 <= n && isAsciiBlock(bytes.data() + i))
            i += 16;
        std::size_t end = std::min(n, i + 16);
        while (end + 16 <= n && !isAsciiBlock(bytes.data() + end))
            end += 16;
        if (end + 16 > n)
            end = n;
        if (!ustring::isValidUtf8(bytes.substr(i, end - i)))
            return false;
        i = end;
    }
    return true;
}

// A file's bytes made ready for clipping. Cutting joins text from both sides of a block.
// Ill-formed bytes could then form a new sequence across the join, so they are first written
// as the U+FFFD they decode to.
std::string preparedUtf8(std::string bytes) {
    if (!isValidUtf8(bytes))
        bytes = ustring::toUtf8(ustring::fromUtf8(bytes));
    prepareSavedText(bytes);
    return bytes;
}

} // namespace

void clipSavedUtf8(std::string bytes, CompactTree& tree, int maxDepth) {
    clipPrepared(preparedUtf8(std::move(bytes)), tree, maxDepth, nullptr);
}

void clipSavedUtf8(std::string bytes, TreeListener& listener, int maxDepth) {
    CompactTree tree;
    clipPrepared(preparedUtf8(std::move(bytes)), tree, maxDepth, &listener);
}

void clipSavedText(std::u16string text, CompactTree& tree, int maxDepth) {
    std::string bytes;
    bytes.reserve(text.size());
    appendUnitsAsUtf8(text, bytes);
    std::u16string().swap(text);
    prepareSavedText(bytes);
    clipPrepared(std::move(bytes), tree, maxDepth, nullptr);
}

} // namespace grammar
