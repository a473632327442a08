// Small helpers of the result-buffer list tests.
#pragma once

#include <string>
#include <vector>

#include "platform/cadhost/resbuf.h"

// Frees a list at the end of a scope (without keeping pointers).
struct ListGuard {
  resbuf* list;
  explicit ListGuard(resbuf* l) : list(l) {}
  ~ListGuard();
  ListGuard(const ListGuard&) = delete;
  ListGuard& operator=(const ListGuard&) = delete;
};

std::vector<int> codesOf(const resbuf* list);
