// Release of nested arrays of owned items: preview items (GDI::item) and
// any node type shaped like them, with an array of owned child pointers
// `children` and an owned object: `owned` (a raw pointer or a unique_ptr) or,
// for the boundary tree's nodes, the raw curve pointer `curve`.
#pragma once

#include "ui/gdi/ArrayRelease.h"

#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>

namespace GDI::detail {

template <typename Node>
void releaseOwned(Node& node) {
  if constexpr (requires { node.owned.reset(); }) {
    node.owned.reset();
  } else if constexpr (requires { node.owned; }) {
    delete std::exchange(node.owned, nullptr);
  } else {
    delete std::exchange(node.curve, nullptr);
  }
}

}  // namespace GDI::detail

// Frees every item of the array with its children and its owned object,
// skipping null entries, then empties the array. Works through a list of
// pending items rather than by recursion, so that deep trees cannot exhaust
// the stack.
template <typename Array>
void releaseGdiItemArray(Array& items) {
  using NodePointer = std::remove_reference_t<decltype(*std::begin(items))>;
  std::vector<NodePointer> pending;
  for (auto& node : items)
    if (node) pending.push_back(std::exchange(node, nullptr));
  GDI::detail::emptyArray(items);
  while (!pending.empty()) {
    NodePointer node = pending.back();
    pending.pop_back();
    for (auto& child : node->children)
      if (child) pending.push_back(std::exchange(child, nullptr));
    GDI::detail::emptyArray(node->children);
    GDI::detail::releaseOwned(*node);
    delete node;
  }
}

// Frees the node's children (with theirs) and its owned object; the node
// itself stays.
template <typename Node>
void releasePreviewItem(Node& node) {
  releaseGdiItemArray(node.children);
  GDI::detail::releaseOwned(node);
}
