// Thrown where the heating code meets a curve or record kind it does not know
// (the kind-pair intersections, the curve factories). It is a typed exception,
// so the design jobs catch it at their thread boundary and end the job with a
// failure instead of letting an exception leave the thread.
#pragma once

#include <array>
#include <exception>

class CFHUnknownCurveKind : public std::exception {
 public:
  explicit CFHUnknownCurveKind(long long kind) noexcept;

  // The kind that was not known.
  long long kind() const noexcept { return kind_; }
  // "unknown heating curve kind <kind>"
  const char* what() const noexcept override { return message_.data(); }

 private:
  long long kind_;
  std::array<char, 48> message_{};
};
