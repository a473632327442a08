#include "heating/curves/CGLHTesselationData.h"

#include <GL/glu.h>

#include <bit>
#include <cmath>
#include <iostream>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::size_t kMaxIndex = std::numeric_limits<std::uint32_t>::max();

// Where the run of contour `index` ends: at the next contour's start, the
// last run at the end of the values.
std::size_t runEnd(const std::vector<std::uint32_t>& starts, std::size_t index, std::size_t valueCount) {
  return index + 1 < starts.size() ? starts[index + 1] : valueCount;
}

}  // namespace

// The tessellator calls back through plain C function pointers with this
// object as polygon data. Nothing may throw through the tessellator, so every
// failure inside a callback only marks the run as failed.
struct CGLHTesselationData::GluCallbacks {
  static CGLHTesselationData& self(void* data) { return *static_cast<CGLHTesselationData*>(data); }

  // A new output contour starts at the current end of the output values.
  static void GLAPIENTRY begin(GLenum /*type*/, void* data) noexcept {
    CGLHTesselationData& t = self(data);
    try {
      if (t.outputValues_.size() > kMaxIndex) {
        t.runFailed_ = true;
        return;
      }
      t.outputStarts_.push_back(static_cast<std::uint32_t>(t.outputValues_.size()));
    } catch (...) {
      t.runFailed_ = true;
    }
  }

  // Vertex data is the address of an input or combine triple.
  static void GLAPIENTRY vertex(void* vertexData, void* data) noexcept {
    CGLHTesselationData& t = self(data);
    if (vertexData == nullptr) {
      std::cerr << "[CGLHTesselationData] : tessVertexProc() : data is NULL" << std::endl;
      t.runFailed_ = true;  // the contour would lack a vertex
      return;
    }
    const double* xyz = static_cast<const double*>(vertexData);
    try {
      t.outputValues_.insert(t.outputValues_.end(), xyz, xyz + 3);
    } catch (...) {
      t.runFailed_ = true;
    }
  }

  // A vertex where edges cross (its neighbours' data are the vertices as
  // given, the coordinates as fed): kept at a stable address until the polygon
  // ends. The tessellator blends its coordinates with single-precision
  // weights, which puts the point off by some 1e-8 of its coordinates (a
  // tenth of a millimetre at 1e7); where it names the two crossing edges,
  // the crossing is computed again from their ends in double precision.
  static void GLAPIENTRY combine(GLdouble coords[3], void* neighbours[4], GLfloat /*weights*/[4], void** outData,
                                 void* data) noexcept {
    CGLHTesselationData& t = self(data);
    try {
      Vertex v{coords[0], coords[1], coords[2]};
      if (t.quarterTurned_) v = {coords[1], -coords[0], coords[2]};  // turned back
      refineCrossing(v, neighbours);
      t.combineVertices_.push_back(v);
      *outData = t.combineVertices_.back().data();
    } catch (...) {
      *outData = nullptr;  // the tessellator reports the missing vertex
      t.runFailed_ = true;
    }
  }

  // Replaces v by the crossing of the lines through neighbours 0-1 and 2-3
  // when all four are given, the lines are not parallel and the crossing
  // lies within the blending's error of v.
  static void refineCrossing(Vertex& v, void* neighbours[4]) noexcept {
    for (int i = 0; i < 4; ++i)
      if (neighbours[i] == nullptr) return;
    const auto* a = static_cast<const double*>(neighbours[0]);
    const auto* b = static_cast<const double*>(neighbours[1]);
    const auto* c = static_cast<const double*>(neighbours[2]);
    const auto* d = static_cast<const double*>(neighbours[3]);
    const double ux = b[0] - a[0], uy = b[1] - a[1];
    const double wx = d[0] - c[0], wy = d[1] - c[1];
    const double den = ux * wy - uy * wx;
    if (den == 0.0 || !std::isfinite(den)) return;
    const double s = ((c[0] - a[0]) * wy - (c[1] - a[1]) * wx) / den;
    const double x = a[0] + s * ux;
    const double y = a[1] + s * uy;
    const double reach = 1e-6 * (std::fabs(v[0]) + std::fabs(v[1]) + 1.0);
    if (!(std::fabs(x - v[0]) <= reach && std::fabs(y - v[1]) <= reach)) return;
    v[0] = x;
    v[1] = y;
  }

  static void GLAPIENTRY error(GLenum code, void* data) noexcept {
    const GLubyte* text = gluErrorString(code);
    std::cerr << "[CGLHTesselationData] : (GLU ERROR) : "
              << (text != nullptr ? reinterpret_cast<const char*>(text) : "unknown error") << std::endl;
    self(data).runFailed_ = true;
  }
};

void CGLHTesselationData::TessDeleter::operator()(GLUtesselator* tess) const noexcept {
  gluDeleteTess(tess);
}

CGLHTesselationData::CGLHTesselationData() = default;
CGLHTesselationData::~CGLHTesselationData() = default;

void CGLHTesselationData::beginInputContour() {
  if (inputValues_.size() > kMaxIndex) throw std::length_error("CGLHTesselationData: too many input values");
  inputStarts_.push_back(static_cast<std::uint32_t>(inputValues_.size()));
}

void CGLHTesselationData::appendVertex(double x, double y, double z) {
  if (inputStarts_.empty()) beginInputContour();
  inputValues_.insert(inputValues_.end(), {x, y, z});
}

bool CGLHTesselationData::tessellateBoundary() {
  // The tessellator has no answer for a NaN or an infinity; refuse them
  // before anything is changed.
  const std::size_t firstNew = inputCursor_ < inputStarts_.size() ? inputStarts_[inputCursor_] : inputValues_.size();
  for (std::size_t i = firstNew; i < inputValues_.size(); ++i) {
    if (!std::isfinite(inputValues_[i])) {
      std::cerr << "[CGLHTesselationData] : tessellateBoundary() : coordinate is not finite" << std::endl;
      return false;
    }
  }

  if (!tess_) {
    tess_.reset(gluNewTess());
    if (!tess_) return false;
    GLUtesselator* tess = tess_.get();
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(&GluCallbacks::begin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(&GluCallbacks::vertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(&GluCallbacks::combine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(&GluCallbacks::error));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_POSITIVE);
    gluTessProperty(tess, GLU_TESS_BOUNDARY_ONLY, GL_TRUE);
    gluTessNormal(tess, 0.0, 0.0, 1.0);
  }

  const std::size_t outputValuesBefore = outputValues_.size();
  const std::size_t outputStartsBefore = outputStarts_.size();
  runFailed_ = false;
  feedInput();
  combineVertices_.clear();  // their coordinates are in the output by now

  if (runFailed_) {
    outputValues_.resize(outputValuesBefore);
    outputStarts_.resize(outputStartsBefore);
    tess_.reset();  // its state after an error is not to be trusted
    return false;
  }
  return true;
}

void CGLHTesselationData::feedInput() {
  GLUtesselator* tess = tess_.get();
  gluTessBeginPolygon(tess, this);
  for (; inputCursor_ < inputStarts_.size(); ++inputCursor_) {
    const std::size_t end = runEnd(inputStarts_, inputCursor_, inputValues_.size());
    gluTessBeginContour(tess);
    // Whole vertices only: a run never yields a vertex past its end.
    for (std::size_t i = inputStarts_[inputCursor_]; i + 3 <= end; i += 3) {
      double* xyz = inputValues_.data() + i;
      xyz[0] = CGLHTesselationData::withLowByteCleared(xyz[0]);
      xyz[1] = CGLHTesselationData::withLowByteCleared(xyz[1]);
      // The tessellator copies the coordinates at once; the data it hands
      // back is the vertex as given.
      double fed[3] = {xyz[0], xyz[1], xyz[2]};
      if (quarterTurned_) {
        fed[0] = -xyz[1];
        fed[1] = xyz[0];
      }
      gluTessVertex(tess, fed, xyz);
    }
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
}

const double* CGLHTesselationData::nextContour(std::uint32_t& count, bool output) {
  const std::vector<double>& values = output ? outputValues_ : inputValues_;
  const std::vector<std::uint32_t>& starts = output ? outputStarts_ : inputStarts_;
  std::uint32_t& cursor = output ? outputCursor_ : inputCursor_;
  count = 0;
  if (cursor >= starts.size()) return nullptr;
  const std::size_t begin = starts[cursor];
  count = static_cast<std::uint32_t>(runEnd(starts, cursor, values.size()) - begin);
  ++cursor;
  // An empty contour still answers a pointer, so that null means only "no
  // contour left".
  static constexpr double kEmptyRun = 0.0;
  return values.empty() ? &kEmptyRun : values.data() + begin;
}

void CGLHTesselationData::reset() {
  tess_.reset();
  inputValues_.clear();
  outputValues_.clear();
  combineVertices_.clear();
  outputStarts_.clear();
  inputStarts_.clear();
  outputCursor_ = 0;
  inputCursor_ = 0;
  runFailed_ = false;
}

double CGLHTesselationData::withLowByteCleared(double value) {
  return std::bit_cast<double>(std::bit_cast<std::uint64_t>(value) & ~std::uint64_t{0xFF});
}
