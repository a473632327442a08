// Bounded numeric search for the zeros and minima of a smooth function of
// one parameter, used where curves have no closed form (ellipses). Every
// loop has a fixed iteration limit.
#pragma once

#include <algorithm>
#include <cmath>

namespace GeKernel {

inline constexpr int kRootIterations = 200;
inline constexpr int kGoldenIterations = 100;

// A zero of f in [a, b] where f(a) and f(b) differ in sign.
template <class F>
double bisectZero(F&& f, double a, double b, double fa) {
  for (int i = 0; i < kRootIterations; ++i) {
    const double m = 0.5 * (a + b);
    if (!(m > a && m < b)) break;
    const double fm = f(m);
    if (fm == 0.0) return m;
    if ((fm < 0.0) == (fa < 0.0)) {
      a = m;
      fa = fm;
    } else {
      b = m;
    }
  }
  return 0.5 * (a + b);
}

// The minimum of f over [a, b] by golden-section search (f unimodal there).
template <class F>
double goldenMinimum(F&& f, double a, double b) {
  constexpr double kInvPhi = 0.6180339887498949;
  double c = b - (b - a) * kInvPhi;
  double d = a + (b - a) * kInvPhi;
  double fc = f(c);
  double fd = f(d);
  for (int i = 0; i < kGoldenIterations && c < d; ++i) {
    if (fc <= fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - (b - a) * kInvPhi;
      fc = f(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + (b - a) * kInvPhi;
      fd = f(d);
    }
  }
  return fc <= fd ? c : d;
}

// Zeros of f on [a, b], ascending, at most maxOut. f is sampled at n + 1
// points; sign changes are bisected. Where |f| has a local minimum between
// samples without a sign change, the extremum is located (by bisecting the
// derivative df where it changes sign, else by golden section): when it
// crosses zero, both zeros are bisected; when |f| there is at most
// touchLimit, the extremum itself is answered (a touch).
template <class F, class DF>
int findZeros(F&& f, DF&& df, double a, double b, int n, double touchLimit, double* out,
              int maxOut) {
  if (!(b >= a) || n < 1 || maxOut < 1) return 0;
  int count = 0;
  auto add = [&](double t) {
    if (count > 0 && !(t > out[count - 1])) return;  // keep ascending, drop repeats
    if (count < maxOut) out[count++] = t;
  };
  auto extremum = [&](double lo, double hi, double sign) {
    const double dlo = df(lo);
    const double dhi = df(hi);
    if (dlo != 0.0 && dhi != 0.0 && (dlo < 0.0) != (dhi < 0.0)) return bisectZero(df, lo, hi, dlo);
    return goldenMinimum([&](double s) { return sign * f(s); }, lo, hi);
  };
  const double step = (b - a) / n;
  double prevT = a;
  double prevF = f(a);
  if (prevF == 0.0) add(a);
  double prevPrevF = prevF;
  for (int i = 1; i <= n; ++i) {
    const double t = (i == n) ? b : a + step * i;
    const double ft = f(t);
    if (std::isnan(ft) || std::isnan(prevF)) {
      prevPrevF = prevF;
      prevT = t;
      prevF = ft;
      continue;
    }
    if (ft == 0.0) {
      add(t);
    } else if (prevF != 0.0 && (ft < 0.0) != (prevF < 0.0)) {
      add(bisectZero(f, prevT, t, prevF));
    } else if (i >= 2 && prevF != 0.0 && std::fabs(prevF) <= std::fabs(prevPrevF) &&
               std::fabs(prevF) <= std::fabs(ft) && (prevPrevF < 0.0) == (prevF < 0.0)) {
      // |f| dips at the previous sample: look between its neighbours.
      const double lo = prevT - step;
      const double te = extremum(lo, t, prevF < 0.0 ? -1.0 : 1.0);
      const double fe = f(te);
      if ((fe < 0.0) != (prevF < 0.0) && fe != 0.0) {
        // Two zeros around the extremum.
        add(bisectZero(f, lo, te, prevPrevF));
        add(bisectZero(f, te, t, fe));
      } else if (std::fabs(fe) <= touchLimit) {
        add(te);
      }
    }
    prevPrevF = prevF;
    prevT = t;
    prevF = ft;
  }
  return count;
}

}  // namespace GeKernel
