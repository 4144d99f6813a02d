#include "editorsettings/TKeyStore.h"

namespace quarry {

TKeyStore& TKeyStore::operator=(const TKeyStore& other) {
    if (this == &other) return *this;
    Clear();
    other.ForEachBinding([this](const Node& node) {
        if (node.parent)
            Add(node.parent->key, node.key, node.action);
        else
            Add(node.key, 0, node.action);
    });
    return *this;
}

void TKeyStore::Clear() {
    nodes_.clear();
    root_ = nullptr;
    current_ = nullptr;
    lastAction_ = -1;
}

TKeyStore::Node* TKeyStore::Find(Node* level, TShortCut key) const {
    for (; level; level = level->next)
        if (level->key == key) return level;
    return nullptr;
}

TKeyStore::Node* TKeyStore::Append(Node*& level, TShortCut key, Node* parent) {
    nodes_.push_back(std::make_unique<Node>());
    Node* node = nodes_.back().get();
    node->key = key;
    node->parent = parent;
    Node** tail = &level;
    while (*tail) tail = &(*tail)->next;
    *tail = node;
    return node;
}

std::int32_t TKeyStore::FirstActionBelow(const Node* node) {
    for (const Node* child = node->children; child; child = child->next)
        if (child->terminal) return child->action;
    return -1;
}

TKeyStore::AddResult TKeyStore::Add(TShortCut first, TShortCut second, std::int32_t action) {
    Node* node = Find(root_, first);
    if (node && node->children && second == 0) return {false, FirstActionBelow(node)};
    if (node && node->terminal) return {false, node->action};
    if (second != 0) {
        const TShortCut plain = static_cast<TShortCut>(second & 0xFF);
        Node* child = node ? Find(node->children, plain) : nullptr;
        if (child) return {false, child->action};
        if (!node) node = Append(root_, first, nullptr);
        node = Append(node->children, plain, node);
    } else if (!node) {
        node = Append(root_, first, nullptr);
    }
    node->terminal = true;
    node->action = action;
    return {true, -1};
}

TKeyStore::TMatch TKeyStore::Match(TShortCut stroke, std::int32_t& action) {
    Node* level = current_ ? current_->children : root_;
    if (current_) stroke = static_cast<TShortCut>(stroke & 0xFF);
    Node* node = Find(level, stroke);
    if (!node) {
        current_ = nullptr;
        return TMatch::NoMatch;
    }
    if (node->children) {
        current_ = node;
        return TMatch::Pending;
    }
    current_ = nullptr;
    lastAction_ = node->action;
    action = node->action;
    return TMatch::Recognised;
}

}  // namespace quarry
