#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "text/EditorTypes.h"

namespace quarry {

// A tree of key strokes: the root level holds first strokes, a node's children the second
// strokes that may follow it. A path of one or two strokes ends in an action code.
//
// Invariants: a node that carries an action has no children (a single-stroke binding and a
// two-stroke binding never share their first stroke); second strokes carry no modifiers; the
// running match, current_, is null (root level) or a root node that has children.
class TKeyStore final {
public:
    struct Node {
        TShortCut key = 0;
        Node* parent = nullptr;
        Node* next = nullptr;
        Node* children = nullptr;
        bool terminal = false;
        std::int32_t action = -1;
    };
    enum class TMatch { NoMatch, Pending, Recognised };
    // How an addition went; on a collision, collidingAction names the binding in the way.
    struct AddResult {
        bool added = false;
        std::int32_t collidingAction = -1;
    };

    TKeyStore() = default;
    TKeyStore(const TKeyStore& other) { *this = other; }
    TKeyStore& operator=(const TKeyStore& other);

    AddResult Add(TShortCut first, TShortCut second, std::int32_t action);
    // One step of the match; `action` is set when the result is Recognised.
    TMatch Match(TShortCut stroke, std::int32_t& action);
    void Reset() { current_ = nullptr; }
    bool Pending() const { return current_ != nullptr; }
    void Clear();

    const Node* Root() const { return root_; }
    // Terminal nodes in tree order: a node, then its children, then its Next list.
    template <typename Visit>
    void ForEachBinding(Visit visit) const {
        VisitLevel(root_, visit);
    }
    std::int32_t LastAction() const { return lastAction_; }

private:
    template <typename Visit>
    static void VisitLevel(const Node* node, Visit& visit) {
        for (; node; node = node->next) {
            if (node->terminal) visit(*node);
            VisitLevel(node->children, visit);
        }
    }
    Node* Find(Node* level, TShortCut key) const;
    Node* Append(Node*& level, TShortCut key, Node* parent);
    static std::int32_t FirstActionBelow(const Node* node);

    std::vector<std::unique_ptr<Node>> nodes_;  // owns every node; links are plain pointers
    Node* root_ = nullptr;
    Node* current_ = nullptr;
    std::int32_t lastAction_ = -1;
};

}  // namespace quarry
