// Calling a function pointer of a host table that may be missing.
#pragma once

#include <optional>
#include <type_traits>
#include <utility>

// The answer of fn(args...), or nothing when fn is null; for functions
// without an answer, whether the call was made.
template <class Fn, class... A>
auto callIfPresent(Fn fn, A&&... args) {
  using R = std::invoke_result_t<Fn, A...>;
  if constexpr (std::is_void_v<R>) {
    if (fn == nullptr) return false;
    fn(std::forward<A>(args)...);
    return true;
  } else {
    if (fn == nullptr) return std::optional<R>();
    return std::optional<R>(fn(std::forward<A>(args)...));
  }
}
