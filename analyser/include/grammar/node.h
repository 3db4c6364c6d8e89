#pragma once

#include "raidsift/export.h"

#include <string>
#include <vector>

namespace grammar {

// One scalar entry of a table, both texts exactly as cut from the file.
struct RAIDSIFT_API Attrib {
    std::u16string name;
    std::u16string value;

    bool operator==(const Attrib&) const = default;
};

// One table: its scalar entries and its nested tables, both in text order. Names are not
// unique; every lookup is a forward scan and the first exact match wins.
class RAIDSIFT_API Node {
public:
    std::vector<Attrib> attribs;
    std::vector<Node> nodes;
    std::u16string name;

    Node() = default;
    Node(const Node&) = default;
    Node(Node&&) noexcept = default;
    // Safe when `other` lies inside this node's own subtree.
    Node& operator=(const Node& other);
    Node& operator=(Node&&) noexcept = default;
    // Takes the subtree apart without recursion, so that any depth can be destroyed.
    ~Node();

    // Copies the first child called `name` into `out`; false (and `out` untouched) if none.
    bool getNode(const std::u16string& name, Node& out) const;
    // The first child called `name`, read in place, or null if none.
    const Node* findNode(const std::u16string& name) const;
    // The value of the first attribute called `name`, or the empty text.
    std::u16string getAttrib(const std::u16string& name) const;
    // The value of the first attribute called `name`, read in place, or null if none.
    const std::u16string* findAttrib(const std::u16string& name) const;
    // True when the node holds neither attributes nor children.
    bool empty() const;

    bool operator==(const Node&) const = default;
};

// The top level of a saved-variables text: its table assignments and scalar assignments.
class RAIDSIFT_API Document {
public:
    std::vector<Node>& getNodes() { return nodes_; }
    std::vector<Attrib>& getAttribs() { return attribs_; }
    const std::vector<Node>& getNodes() const { return nodes_; }
    const std::vector<Attrib>& getAttribs() const { return attribs_; }

    bool getNode(const std::u16string& name, Node& out) const;
    const Node* findNode(const std::u16string& name) const;
    std::u16string getAttrib(const std::u16string& name) const;
    void clear();

    bool operator==(const Document&) const = default;

private:
    std::vector<Node> nodes_;
    std::vector<Attrib> attribs_;
};

} // namespace grammar
