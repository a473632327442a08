// The values one field of the dialog pages shows for the selected zones
// (CFHModel::collectPropertyValues): one value when the zones agree, several
// when they differ, one total for the summed fields.
//
// The field ids are shared with the pages:
//   0 placement, 1 area from heat loss (integers); 2 floor-structure action,
//   3 its mark, 4 the circuit's pipe material (texts); 5 A0; 6 SPNS, 7 SPNN;
//   8 SP, 9 OP; 10 Qc, 11 ti, 12 tp, 13 d, 14 l; 15, 16 nothing; 17 t'i,
//   18 αp, 19 α'p, 20 λ, 21 c, 22 Rz, 23 tz; 24 LA, 25 LB; 26 R fixed (flag);
//   27 R, 28 TM; 29 QPC, 30 S; 31 M; 32 QO; 33 Q, 34 Q2; 35 QP, 36 QP + QO;
//   37 4.75 (tp - ti), 38 the weighted temperature; 39 P, 40 MHP; 41 W;
//   42 LH, 43 LP; 44 KV; 45 L (LH of every zone, LP once per circuit);
//   46 the circuit's maximum loop length; 47 TS, 48 R2, 49 tp - ti, 50 θ,
//   51 (tp - ti) / θ, 52 (QPC + the heating body's output) / Qc, 53 QPC +
//   the heating body's output; 54 the circuit's default-pressure flag;
//   55 its maximum pressure loss; 56 t1, 57 t2; 58 tp fixed (flag).
// Sums (5, 8, 9, 29, 30, 32, 35, 36, 39, 40, 42, 43, 45) give one total.
// The circuit's fields (4, 43, 46, 54-57) take each circuit once, and
// nothing from a zone without one, but 43 takes such a zone's LP. Results
// are read as doubles, an empty result as 0 (a sum skips it).
//
// The list owns its values (texts included) and clears them when it goes.
#pragma once

#include "platform/win/Variant.h"

#include <cstddef>
#include <vector>

class CFHPropertyValueList {
 public:
  static constexpr int kFirstId = 0;
  static constexpr int kLastId = 58;

  CFHPropertyValueList() = default;
  ~CFHPropertyValueList() { clear(); }
  CFHPropertyValueList(const CFHPropertyValueList&) = delete;
  CFHPropertyValueList& operator=(const CFHPropertyValueList&) = delete;

  std::size_t size() const { return values_.size(); }
  bool empty() const { return values_.empty(); }
  const VARIANT& operator[](std::size_t i) const { return values_[i]; }
  const std::vector<VARIANT>& values() const { return values_; }

  // Takes the value over (and frees it when the list cannot grow).
  void append(VARIANT value) {
    try {
      values_.push_back(value);
    } catch (...) {
      VariantClear(&value);
      throw;
    }
  }
  void clear();

 private:
  std::vector<VARIANT> values_;
};
