#include "tree_json.h"

#include "grammar/tree_walker.h"
#include "utilkit/ustring.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace raidsift {
namespace {

// Writes the tree as nlohmann's dump(2) lays it out, as it is walked: an empty array as "[]",
// otherwise each element on its own line, indented two spaces deeper than its bracket. Each
// open object (the document, then the nodes entered) keeps the depth of its arrays and how far
// it has got.
class TreeJsonWriter final : public grammar::TreeWalker {
public:
    explicit TreeJsonWriter(std::ostream& out) : out_(out) {
        out_ << "{\n";
        key(1, "attribs");
        open_.push_back({1});
    }

    void attrib(const std::u16string& name, const std::u16string& value) override {
        Level& level = open_.back();
        openEntry(level.attribs, level.depth, name, "value");
        text(value);
        close(level.depth + 1, '}');
    }

    void enterNode(const std::u16string& name) override {
        Level& level = open_.back();
        startNodes(level);
        openEntry(level.nodes, level.depth, name, "attribs");
        open_.push_back({level.depth + 2});
    }

    void leaveNode() override {
        const int depth = finishLevel();
        close(depth - 1, '}');
    }

    void finish() {
        finishLevel();
        out_ << '\n' << '}';
    }

private:
    struct Level {
        int depth;
        int attribs = 0;
        int nodes = 0;
        bool inNodes = false;
    };

    // Closes the attributes' array, if still open, and begins the nodes'.
    void startNodes(Level& level) {
        if (level.inNodes)
            return;
        closeArray(level.attribs, level.depth);
        out_ << ",\n";
        key(level.depth, "nodes");
        level.inNodes = true;
    }

    // Begins the next object of an array at `depth` (the array's first when `count` is 0): its
    // name, then the key of what follows it.
    void openEntry(int& count, int depth, const std::u16string& name, const char* nextKey) {
        out_ << (count++ == 0 ? "[\n" : ",\n");
        indent(depth + 1);
        out_ << "{\n";
        key(depth + 2, "name");
        text(name);
        out_ << ",\n";
        key(depth + 2, nextKey);
    }

    // Closes the innermost object's arrays and returns their depth.
    int finishLevel() {
        Level& level = open_.back();
        startNodes(level);
        closeArray(level.nodes, level.depth);
        const int depth = level.depth;
        open_.pop_back();
        return depth;
    }

    void closeArray(int items, int depth) {
        if (items == 0)
            out_ << "[]";
        else
            close(depth, ']');
    }

    void key(int depth, const char* name) {
        indent(depth);
        out_ << '"' << name << "\": ";
    }

    // UTF-8, escaped as nlohmann escapes it; a broken surrogate becomes U+FFFD.
    void text(const std::u16string& value) {
        out_ << nlohmann::json(ustring::toUtf8(value)).dump();
    }

    void close(int depth, char bracket) {
        out_ << '\n';
        indent(depth);
        out_ << bracket;
    }

    void indent(int depth) {
        for (int i = 0; i < depth; ++i)
            out_ << "  ";
    }

    std::ostream& out_;
    std::vector<Level> open_;
};

} // namespace

void writeTreeJson(std::ostream& out, const grammar::Document& document) {
    TreeJsonWriter writer(out);
    grammar::walkDocument(document, writer);
    writer.finish();
}

void writeTreeJson(std::ostream& out, std::string bytes) {
    TreeJsonWriter writer(out);
    grammar::walkUtf8Tree(std::move(bytes), writer);
    writer.finish();
}

} // namespace raidsift
