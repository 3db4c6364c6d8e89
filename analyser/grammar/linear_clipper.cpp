#include "grammar/linear_clipper.h"

#include "grammar/block_index.h"
#include "grammar/kept_text.h"
#include "grammar/saved_text.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace grammar {
namespace {

// The clipper works on UTF-16 text or directly on UTF-8 bytes: every character it looks at
// is ASCII, a UTF-8 sequence never holds an ASCII byte, and the decoder never turns other
// bytes into ASCII, so decoding the pieces it cuts gives what cutting the decoded text gives.
std::u16string wide(std::u16string_view text) {
    return std::u16string(text);
}

bool isAscii(std::string_view bytes) {
    unsigned char seen = 0;
    for (char c : bytes)
        seen |= static_cast<unsigned char>(c);
    return seen < 0x80;
}

std::u16string wide(std::string_view bytes) {
    if (isAscii(bytes))
        return std::u16string(bytes.begin(), bytes.end());
    return ustring::toWideString(bytes, ustring::kUtf8CodePage);
}

template <typename Char> bool isQuote(Char c) {
    return c == Char('"');
}
template <typename Char> bool isNonBlank(Char c) {
    return !isBlank(c);
}
template <typename Char> bool isLineFeed(Char c) {
    return c == Char('\n');
}

// A `--` starts a comment that is blanked through the line feed that ends it.
template <typename Char> void blankComments(std::basic_string<Char>& text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i + 1 < n) {
        if (text[i] != Char('-') || text[i + 1] != Char('-')) {
            ++i;
            continue;
        }
        while (i < n && text[i] != Char('\n'))
            text[i++] = Char(' ');
        if (i < n)
            text[i++] = Char(' ');
    }
}

// In UTF-8 a comment is blanked with one blank for each UTF-16 code unit it decodes to, as it
// is in the decoded text; the bytes shrink, so the text is compacted as it goes.
void blankComments(std::string& bytes) {
    const std::size_t n = bytes.size();
    std::size_t out = 0;
    std::size_t in = 0;
    auto keep = [&](std::size_t end) {
        if (out != in)
            std::memmove(bytes.data() + out, bytes.data() + in, end - in);
        out += end - in;
        in = end;
    };
    for (std::size_t dash = bytes.find("--"); dash != std::string::npos;
         dash = bytes.find("--", in)) {
        keep(dash);
        const std::size_t lineFeed = bytes.find('\n', dash);
        const std::size_t end = lineFeed == std::string::npos ? n : lineFeed + 1;
        const std::string_view comment(bytes.data() + dash, end - dash);
        const std::size_t units = isAscii(comment) ? comment.size() : wide(comment).size();
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(out), units, ' ');
        out += units;
        in = end;
    }
    keep(n);
    bytes.resize(out);
}

template <typename Char> void blankCommaAfterBrace(std::basic_string<Char>& text) {
    for (std::size_t brace = text.find(Char('}')); brace != text.npos && brace + 1 < text.size();
         brace = text.find(Char('}'), brace + 1))
        if (text[brace + 1] == Char(','))
            text[brace + 1] = Char(' ');
}

template <typename Char> std::basic_string_view<Char> trimmed(std::basic_string_view<Char> text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    while (begin < end && isBlank(text[begin]))
        ++begin;
    return text.substr(begin, end - begin);
}

// The text between the first and the last double quote; after the only one; or all of it.
template <typename Char> std::basic_string_view<Char> unquoted(std::basic_string_view<Char> text) {
    const std::size_t first = text.find(Char('"'));
    if (first == text.npos)
        return text;
    const std::size_t last = text.rfind(Char('"'));
    if (last == first)
        return text.substr(first + 1);
    return text.substr(first + 1, last - first - 1);
}

template <typename Char> std::basic_string_view<Char> cleaned(std::basic_string_view<Char> text) {
    return unquoted(trimmed(text));
}

// One `key = value` piece of a table (the text between two commas). A bare item's value is cut
// by a count of UTF-16 code units; in UTF-8 that count is only the byte count for ASCII.
template <typename Char> Attrib attribOfPiece(std::basic_string_view<Char> piece) {
    const std::size_t eq = piece.find(Char('='));
    if (eq != piece.npos)
        return {wide(trimmed(unquoted(piece.substr(0, eq)))),
                wide(trimmed(unquoted(piece.substr(eq + 1))))};
    const auto key = unquoted(piece);
    const std::ptrdiff_t count =
        static_cast<std::ptrdiff_t>(piece.size()) - static_cast<std::ptrdiff_t>(key.size()) - 1;
    const auto value =
        unquoted(count < 0 ? piece : piece.substr(0, static_cast<std::size_t>(count)));
    return {wide(trimmed(key)), wide(trimmed(value))};
}

Attrib attribOf(std::string_view piece) {
    if (isAscii(piece))
        return attribOfPiece(piece);
    const std::u16string decoded = wide(piece);
    return attribOfPiece(std::u16string_view(decoded));
}

Attrib attribOf(std::u16string_view piece) {
    return attribOfPiece(piece);
}

// Every piece that a comma ends; the text after the last comma gives nothing.
template <typename Char>
void appendTableAttribs(std::basic_string_view<Char> text, std::vector<Attrib>& attribs) {
    attribs.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), Char(','))));
    std::size_t start = 0;
    for (std::size_t comma = text.find(Char(',')); comma != text.npos;
         comma = text.find(Char(','), start)) {
        attribs.push_back(attribOf(text.substr(start, comma - start)));
        start = comma + 1;
    }
}

// Every line with an `=`: the text before the first `=` and the text up to the next one.
template <typename Char>
void appendDocumentAttribs(std::basic_string_view<Char> text, std::vector<Attrib>& attribs) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(Char('\n'), start);
        if (end == text.npos)
            end = text.size();
        const auto line = text.substr(start, end - start);
        const std::size_t eq = line.find(Char('='));
        if (eq != line.npos) {
            const auto value = line.substr(eq + 1, line.substr(eq + 1).find(Char('=')));
            attribs.push_back({wide(cleaned(line.substr(0, eq))), wide(cleaned(value))});
        }
        start = end + 1;
    }
}

// A block found by a cut: its cleaned name, the positions of its braces and its number.
struct Cut {
    std::u16string name;
    std::int32_t head;
    std::int32_t tail;
    std::int32_t block;
};

// The text in front of a block: the kept text followed by the unread text from `from` up to
// the block's opening brace. Positions count from the start of the kept text.
template <typename Char> class Prefix {
public:
    Prefix(const KeptText<Char>& kept, const Char* text, std::int32_t from, std::int32_t head)
        : kept_(kept), text_(text), from_(from), keptSize_(kept.size()),
          size_(kept.size() + head - from) {}

    std::int32_t size() const { return size_; }
    std::int32_t keptSize() const { return keptSize_; }
    Char at(std::int32_t i) const {
        return i < keptSize_ ? kept_.at(i) : text_[from_ + i - keptSize_];
    }

    std::basic_string<Char> copy(std::int32_t from, std::int32_t to) const {
        std::basic_string<Char> out;
        if (to <= from)
            return out;
        out.reserve(static_cast<std::size_t>(to - from));
        if (from < keptSize_)
            out.append(kept_.text(), static_cast<std::size_t>(from),
                       static_cast<std::size_t>(std::min(to, keptSize_) - from));
        if (to > keptSize_) {
            const std::int32_t start = std::max(from, keptSize_);
            out.append(text_ + from_ + start - keptSize_, static_cast<std::size_t>(to - start));
        }
        return out;
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

    const KeptText<Char>& kept() const { return kept_; }

private:
    const KeptText<Char>& kept_;
    const Char* text_;
    std::int32_t from_;
    std::int32_t keptSize_;
    std::int32_t size_;
};

// The name that the literal steps give a block whose whole prefix is its key text: the
// prefix trimmed and unquoted, then trimmed and unquoted again. Found from the ends of the
// prefix, so that a long kept text is not rescanned for every block.
template <typename Char> std::basic_string<Char> nameOfWholePrefix(const Prefix<Char>& prefix) {
    const KeptText<Char>& kept = prefix.kept();
    const std::int32_t end = prefix.size() - 1;
    auto lastNonBlank = [&](std::int32_t i) { return kept.lastNonBlank(i); };
    auto lastQuote = [&](std::int32_t i) { return kept.lastQuote(i); };

    const std::int32_t first =
        kept.firstNonBlank() >= 0 ? kept.firstNonBlank() : prefix.findInUnread(0, isNonBlank<Char>);
    if (first < 0)
        return {};
    const std::int32_t last = prefix.findLast(end, isNonBlank<Char>, lastNonBlank);
    const std::int32_t firstQuote =
        kept.firstQuote() >= 0 ? kept.firstQuote() : prefix.findInUnread(0, isQuote<Char>);
    if (firstQuote < 0)
        return prefix.copy(first, last + 1);

    const std::int32_t lastQuotePos = prefix.findLast(end, isQuote<Char>, lastQuote);
    const bool quoteInKept = firstQuote < prefix.keptSize();
    const std::int32_t afterQuote = quoteInKept && kept.firstNonBlankAfterFirstQuote() >= 0
                                        ? kept.firstNonBlankAfterFirstQuote()
                                        : prefix.findInUnread(firstQuote + 1, isNonBlank<Char>);
    if (lastQuotePos == firstQuote)
        return afterQuote < 0 ? std::basic_string<Char>() : prefix.copy(afterQuote, last + 1);

    if (afterQuote >= lastQuotePos)
        return {};
    const std::int32_t beforeLastQuote =
        prefix.findLast(lastQuotePos - 1, isNonBlank<Char>, lastNonBlank);
    const std::int32_t secondQuote = quoteInKept && kept.secondQuote() >= 0
                                         ? kept.secondQuote()
                                         : prefix.findInUnread(firstQuote + 1, isQuote<Char>);
    if (secondQuote == lastQuotePos)
        return prefix.copy(afterQuote, beforeLastQuote + 1);
    const std::int32_t secondLastQuote =
        prefix.findLast(lastQuotePos - 1, isQuote<Char>, lastQuote);
    if (secondQuote == secondLastQuote)
        return prefix.copy(secondQuote + 1, beforeLastQuote + 1);
    return prefix.copy(secondQuote + 1, secondLastQuote);
}

// Runs the literal cut loop over one stretch of the text, [begin, end), whose first opening
// brace has the number `block`: each cut yields a block, and what the cuts leave behind is
// the stretch's own text (its attributes).
template <typename Char> class CutRun {
public:
    using View = std::basic_string_view<Char>;

    CutRun(const std::basic_string<Char>& text, const BlockIndex& blocks)
        : text_(text), blocks_(blocks) {}

    // Fills `cuts` (names only when `named`) and returns the text left behind. Stops at the
    // first unbalanced block, leaving it and what follows in the text left behind.
    View run(std::int32_t begin, std::int32_t end, std::int32_t block, bool named,
             std::vector<Cut>& cuts) {
        kept_.clear();
        std::int32_t from = begin;
        while (true) {
            const std::int32_t head = findOpening(from, end);
            if (head < 0 || blocks_.closeOf(block) < 0)
                break;
            const std::int32_t tail = blocks_.closeOf(block);
            cut(from, head, tail, block, named, cuts);
            block = blocks_.nextAfter(block);
            if (tail + 1 >= end) {
                kept_.clear();
                from = end;
            } else {
                from = tail + 1;
            }
        }
        const View unread = View(text_).substr(static_cast<std::size_t>(from),
                                               static_cast<std::size_t>(end - from));
        if (kept_.size() == 0)
            return unread;
        left_.assign(kept_.text());
        left_.append(unread);
        return left_;
    }

private:
    std::int32_t findOpening(std::int32_t from, std::int32_t end) const {
        const View stretch = View(text_).substr(0, static_cast<std::size_t>(end));
        const std::size_t found = stretch.find(Char('{'), static_cast<std::size_t>(from));
        return found == View::npos ? -1 : static_cast<std::int32_t>(found);
    }

    void cut(std::int32_t from, std::int32_t head, std::int32_t tail, std::int32_t block,
             bool named, std::vector<Cut>& cuts) {
        const Prefix<Char> prefix(kept_, text_.data(), from, head);
        const std::int32_t keptSize = prefix.keptSize();
        std::int32_t lineFeed =
            prefix.findLast(prefix.size() - 1, isLineFeed<Char>,
                            [&](std::int32_t i) { return kept_.lastLineFeed(i); });
        const bool lineFeedUnread = lineFeed >= keptSize;
        if (lineFeed < 0)
            lineFeed = 0;
        if (named) {
            std::int32_t equals = -1;
            for (std::int32_t i = lineFeed; i < prefix.size() && equals < 0; ++i)
                if (prefix.at(i) == Char('='))
                    equals = i;
            const std::basic_string<Char> key = prefix.copy(lineFeed, equals);
            cuts.push_back({equals > lineFeed ? wide(cleaned(cleaned(View(key))))
                                              : wide(View(nameOfWholePrefix(prefix))),
                            head, tail, block});
        }
        if (lineFeedUnread)
            kept_.append(text_.data() + from, lineFeed - keptSize);
        else
            kept_.truncate(lineFeed);
    }

    const std::basic_string<Char>& text_;
    const BlockIndex& blocks_;
    KeptText<Char> kept_;
    std::basic_string<Char> left_;
};

// A table still to be filled: its node, the stretch between its braces and its depth.
struct Pending {
    Node* node;
    std::int32_t head;
    std::int32_t tail;
    std::int32_t block;
    int depth;
};

// Adds a node for every cut and queues the nodes so that the first is filled first.
void addNodes(std::vector<Cut>& cuts, std::vector<Node>& nodes, int depth,
              std::vector<Pending>& pending) {
    nodes.reserve(cuts.size());
    for (Cut& cut : cuts) {
        nodes.emplace_back();
        nodes.back().name = std::move(cut.name);
    }
    for (std::size_t i = cuts.size(); i-- > 0;)
        pending.push_back({&nodes[i], cuts[i].head, cuts[i].tail, cuts[i].block, depth});
}

// Tables are filled in text order, so once a table is reached nothing before its opening
// brace is read again. The memory pages of that part of the text go back to the system as the
// tree grows, so that the whole text and the whole tree are never resident together. The
// released pages read as zeros and are freed with the text as usual.
class TextReleaser {
public:
    TextReleaser(const void* text, std::size_t charSize)
        : start_(reinterpret_cast<std::uintptr_t>(text)), charSize_(charSize),
          page_(static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE))), released_(roundUp(start_)) {}

    void releaseBefore(std::int32_t position) {
        const std::uintptr_t end =
            (start_ + static_cast<std::uintptr_t>(position) * charSize_) & ~(page_ - 1);
        if (end < released_ + kBatch)
            return;
        ::madvise(reinterpret_cast<void*>(released_), end - released_, MADV_DONTNEED);
        released_ = end;
    }

private:
    static constexpr std::uintptr_t kBatch = 1 << 18;

    std::uintptr_t roundUp(std::uintptr_t address) const {
        return (address + page_ - 1) & ~(page_ - 1);
    }

    std::uintptr_t start_;
    std::uintptr_t charSize_;
    std::uintptr_t page_;
    std::uintptr_t released_;
};

template <typename Char>
void clip(std::basic_string<Char>& text, Document& document, int maxDepth) {
    using View = std::basic_string_view<Char>;
    blankComments(text);
    blankCommaAfterBrace(text);
    const BlockIndex blocks{View(text)};
    CutRun<Char> run(text, blocks);
    std::vector<Cut> cuts;
    std::vector<Pending> pending;

    const View outside = run.run(0, static_cast<std::int32_t>(text.size()), 0, true, cuts);
    appendDocumentAttribs(outside, document.getAttribs());
    addNodes(cuts, document.getNodes(), 1, pending);

    TextReleaser releaser(text.data(), sizeof(Char));
    while (!pending.empty()) {
        const Pending table = pending.back();
        pending.pop_back();
        releaser.releaseBefore(table.head);
        cuts.clear();
        const bool withChildren = table.depth < maxDepth;
        const View own = run.run(table.head + 1, table.tail, table.block + 1, withChildren, cuts);
        appendTableAttribs(own, table.node->attribs);
        if (withChildren)
            addNodes(cuts, table.node->nodes, table.depth + 1, pending);
    }
}

} // namespace

void clipSavedText(std::u16string text, Document& document, int maxDepth) {
    clip(text, document, maxDepth);
}

void clipSavedUtf8(std::string bytes, Document& document, int maxDepth) {
    // Cutting joins text from both sides of a block. Ill-formed bytes could then form a new
    // sequence across the join, so they are first written as the U+FFFD they decode to.
    if (!ustring::isValidUtf8(bytes))
        bytes = ustring::toUtf8(ustring::fromUtf8(bytes));
    prepareSavedText(bytes);
    clip(bytes, document, maxDepth);
}

} // namespace grammar
