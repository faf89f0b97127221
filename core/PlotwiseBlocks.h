// Records kept in the host's memory blocks: the click chain, the text records and the lists
// a regeneration builds. One way to make a node and one way to give a list back.
#pragma once

#include <new>
#include <type_traits>

#include "core/PlotwiseSuites.h"
#include "geometry/PlotwiseErrors.h"

// A value-initialised node in a fresh block.
template <class Node>
AIErr NewBlock(Node** node) {
    void* block = nullptr;
    if (AIErr err = sAIBlock->AllocateBlock(sizeof(Node), &block)) return err;
    *node = new (block) Node{};
    return kNoErr;
}

// Gives back every node of a list linked through `next`, after `each` has released what the
// node owns. A failure does not stop the walk (the rest would leak); the first one is returned.
template <class Node, class Each>
AIErr DisposeBlockList(Node* node, Node* Node::*next, Each&& each) {
    AIErr first = kNoErr;
    while (node) {
        Node* const following = node->*next;
        if (AIErr err = each(node); err && !first) first = err;
        if constexpr (!std::is_trivially_destructible_v<Node>) node->~Node();
        const AIErr err = sAIBlock ? sAIBlock->DisposeBlock(node) : kCADErr;
        if (err && !first) first = err;
        node = following;
    }
    return first;
}

template <class Node>
AIErr DisposeBlockList(Node* node, Node* Node::*next) {
    return DisposeBlockList(node, next, [](Node*) { return kNoErr; });
}
