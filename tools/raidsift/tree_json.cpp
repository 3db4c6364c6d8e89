#include "tree_json.h"

#include "utilkit/ustring.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace raidsift {
namespace {

// Writes arrays and objects as nlohmann's dump(2) lays them out: an empty array as "[]",
// otherwise each element on its own line, indented two spaces deeper than its bracket.
class TreeJsonWriter {
public:
    explicit TreeJsonWriter(std::ostream& out) : out_(out) {}

    void document(const grammar::Document& document) {
        out_ << "{\n";
        key(1, "attribs");
        attribs(document.getAttribs(), 1);
        out_ << ",\n";
        key(1, "nodes");
        nodes(document.getNodes(), 1);
        out_ << '\n' << '}';
    }

private:
    void attribs(const std::vector<grammar::Attrib>& list, int depth) {
        array(list, depth, [&](const grammar::Attrib& attrib) {
            out_ << "{\n";
            key(depth + 2, "name");
            text(attrib.name);
            out_ << ",\n";
            key(depth + 2, "value");
            text(attrib.value);
            close(depth + 1, '}');
        });
    }

    void nodes(const std::vector<grammar::Node>& list, int depth) {
        array(list, depth, [&](const grammar::Node& node) {
            out_ << "{\n";
            key(depth + 2, "name");
            text(node.name);
            out_ << ",\n";
            key(depth + 2, "attribs");
            attribs(node.attribs, depth + 2);
            out_ << ",\n";
            key(depth + 2, "nodes");
            nodes(node.nodes, depth + 2);
            close(depth + 1, '}');
        });
    }

    template <typename Item, typename WriteItem>
    void array(const std::vector<Item>& items, int depth, WriteItem writeItem) {
        if (items.empty()) {
            out_ << "[]";
            return;
        }
        out_ << "[\n";
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0)
                out_ << ",\n";
            indent(depth + 1);
            writeItem(items[i]);
        }
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
};

} // namespace

void writeTreeJson(std::ostream& out, const grammar::Document& document) {
    TreeJsonWriter(out).document(document);
}

} // namespace raidsift
