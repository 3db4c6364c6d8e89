#include "grammar/tree_walker.h"

#include "grammar/linear_clipper.h"
#include "grammar/wowluaclipper.h"

namespace grammar {
namespace {

// Turns the tables that the clipper hands out, each with its depth, into entered and left
// nodes.
class WalkingListener final : public TreeListener {
public:
    explicit WalkingListener(TreeWalker& walker) : walker_(walker) {}

    void attrib(const CompactTree& tree, const CompactTree::Attrib& attrib) override {
        tree.decode(attrib.name, name_);
        tree.decode(attrib.value, value_);
        walker_.attrib(name_, value_);
    }

    void table(const CompactTree& tree, CompactTree::Index node, int depth) override {
        leaveTo(depth - 1);
        tree.decode(tree.node(node).name, name_);
        walker_.enterNode(name_);
        open_ = depth;
    }

    void leaveTo(int depth) {
        for (; open_ > depth; --open_)
            walker_.leaveNode();
    }

private:
    TreeWalker& walker_;
    int open_ = 0;
    std::u16string name_;
    std::u16string value_;
};

void walkNode(const Node& node, TreeWalker& walker) {
    walker.enterNode(node.name);
    for (const Attrib& attrib : node.attribs)
        walker.attrib(attrib.name, attrib.value);
    for (const Node& child : node.nodes)
        walkNode(child, walker);
    walker.leaveNode();
}

} // namespace

void walkUtf8Tree(std::string bytes, TreeWalker& walker) {
    WalkingListener listener(walker);
    clipSavedUtf8(std::move(bytes), listener, WOWLUAClipper::kMaxNodeDepth);
    listener.leaveTo(0);
}

void walkDocument(const Document& document, TreeWalker& walker) {
    for (const Attrib& attrib : document.getAttribs())
        walker.attrib(attrib.name, attrib.value);
    for (const Node& node : document.getNodes())
        walkNode(node, walker);
}

} // namespace grammar
