// Tolerance pair of the geometry library: one absolute distance for points,
// one for directions of normalised vectors.
#pragma once

class XtGeTol {
public:
  constexpr XtGeTol() = default;
  constexpr XtGeTol(double equalPoint, double equalVector)
      : m_equalPoint(equalPoint), m_equalVector(equalVector) {}

  // Two points are equal when their distance is at most equalPoint; a
  // distance counts as zero when it is at most equalPoint.
  constexpr double equalPoint() const { return m_equalPoint; }
  // Two unit vectors are equal when their difference is at most equalVector.
  constexpr double equalVector() const { return m_equalVector; }
  constexpr void setEqualPoint(double value) { m_equalPoint = value; }
  constexpr void setEqualVector(double value) { m_equalVector = value; }

  static constexpr double kDefaultEqualPoint = 1e-10;
  static constexpr double kDefaultEqualVector = 1e-10;

private:
  double m_equalPoint = kDefaultEqualPoint;
  double m_equalVector = kDefaultEqualVector;
};
