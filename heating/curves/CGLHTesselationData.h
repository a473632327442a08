// Contour tessellation of the inward offset levels. A level's joined offset
// polygon overlaps itself where the boundary turns; the GLU tessellator, run in
// boundary-only mode with the positive winding rule, reduces it to the simple
// contours of its positively wound regions.
//
// The object holds the input contours as flat runs of x, y, z values, drives
// one GLU tessellator and collects the boundary contours it returns, again as
// flat runs of x, y, z. A contour's run ends where the next one starts; the
// last run ends at the end of its value list. Use:
//
//   CGLHTesselationData tess;
//   tess.beginInputContour();
//   tess.appendVertex(x, y, 0.0);            // for every vertex
//   if (tess.tessellateBoundary()) {
//     std::uint32_t count = 0;
//     while (const double* run = tess.nextContour(count)) { ... count / 3 vertices ... }
//   }
//   tess.reset();                            // before the object is used again
//
// Each object owns at most one tessellator and is used by one thread at a
// time; objects on different threads share nothing.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

class GLUtesselator;

class CGLHTesselationData {
 public:
  CGLHTesselationData();
  ~CGLHTesselationData();
  CGLHTesselationData(const CGLHTesselationData&) = delete;
  CGLHTesselationData& operator=(const CGLHTesselationData&) = delete;

  // Starts a new input contour at the current end of the input values.
  void beginInputContour();
  // Appends one input vertex to the current contour; a vertex appended before
  // any contour was begun begins the first one.
  void appendVertex(double x, double y, double z);

  // Feeds every input contour not yet fed to the tessellator (positive
  // winding, boundary only, normal +Z) and collects the boundary contours.
  // The lowest byte of each fed x and y is cleared in place first, so points
  // that differ only in their last mantissa bits meet exactly.
  // True after a complete run (no input contour gives true and no output).
  // False, with nothing changed, when the tessellator cannot be created or an
  // input coordinate is not finite (the latter with a message on the standard
  // error stream). False also when the tessellator reports an error: the
  // message goes to the standard error stream, the run's output is dropped and
  // the tessellator is replaced on the next call. A second call feeds nothing
  // new: each input contour is fed once.
  bool tessellateBoundary();

  // The next contour of the output list (output true) or of the input list
  // (output false): a pointer to its first value, with its number of values
  // (three per vertex) in count; the list's read cursor moves on. After the
  // last contour: null and count 0, on every further call.
  const double* nextContour(std::uint32_t& count, bool output = true);

  // Deletes the tessellator, empties every list and rewinds both cursors.
  void reset();

  // Whether the tessellator is given the vertices turned by a quarter turn,
  // (x, y) as (-y, x), and its new vertices turned back: both exact. It
  // sweeps the vertices in the order of their first coordinate, and where
  // two edges cross at or before the vertex being swept it puts the crossing
  // on that vertex; on an edge square to the sweep every point is at the
  // vertex's coordinate, so a crossing there may be moved along the edge to
  // its end by the last bit of the input. Turned, such an edge lies along
  // the sweep. Contours and vertices may come in another order. Off unless
  // set; kept by reset.
  void setQuarterTurned(bool turned) { quarterTurned_ = turned; }

  // The value with the lowest byte of its IEEE 754 bit pattern (the eight
  // least significant mantissa bits) cleared, as every fed x and y is.
  static double withLowByteCleared(double value);

 private:
  struct GluCallbacks;
  struct TessDeleter {
    void operator()(GLUtesselator* tess) const noexcept;
  };
  using Vertex = std::array<double, 3>;

  void feedInput();

  std::vector<double> inputValues_;
  std::vector<double> outputValues_;
  // The vertices the tessellator makes where edges cross. The tessellator
  // keeps their addresses until the polygon ends, so they live in a deque,
  // which never moves an element when it grows.
  std::deque<Vertex> combineVertices_;
  std::vector<std::uint32_t> outputStarts_;
  std::vector<std::uint32_t> inputStarts_;
  std::unique_ptr<GLUtesselator, TessDeleter> tess_;
  std::uint32_t outputCursor_ = 0;
  std::uint32_t inputCursor_ = 0;
  bool runFailed_ = false;  // set by the callbacks during a run
  bool quarterTurned_ = false;
};
