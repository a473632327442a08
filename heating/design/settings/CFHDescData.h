// The label settings of a design: text style, height, width factor and layer
// of each kind of label the output writes, the description mask, and what the
// drawing offers (its text styles and current layer). One per design model,
// filled by the settings (loadProfileDefaults) and by a drawn manifold's
// values (CFHPipeNetwork::readManifoldSettings); read by the dialogs and the
// output. Used on the command's thread only.
#pragma once

#include "platform/cadhost/HostTables.h"
#include "platform/win/CString.h"

#include <array>
#include <cstdint>
#include <vector>

class CFHDescData {
 public:
  // The five label kinds with a height and a width factor of their own.
  enum TextKind : int {
    kZoneLabel = 0,        // OPT: the zone's label line
    kZoneDescription = 1,  // DPP: the zone's description lines
    kManifoldLabel = 2,    // OR
    kCircuitLabel = 3,     // CO: circuit labels and heating-body numbers
    kHeatingBody = 4,      // DOT: heating-body descriptions
    kTextKindCount = 5
  };
  // The four label kinds with a text style and a layer of their own.
  enum StyleKind : int { kStyleZone = 0, kStyleManifold = 1, kStyleCircuit = 2, kStyleHeatingBody = 3, kStyleKindCount = 4 };

  // Heights and width factors are taken only strictly inside these bounds.
  static constexpr double kMinTextSize = 0.001;
  static constexpr double kMaxTextSize = 1000.0;

  CFHDescData();
  virtual ~CFHDescData() = default;

  // An empty name or "*" stores the default layer and sets the flag to 1;
  // any other name is stored with the flag 0.
  void setLayerOrDefault(const CString& name, CString& layer, std::uint32_t& useDefault) const;
  // The value is stored only when it is finite and strictly between
  // kMinTextSize and kMaxTextSize; answers whether it was.
  static bool setTextHeightChecked(double value, double& field);
  static bool setWidthFactorChecked(double value, double& field);
  // The drawing's own spelling of the style when the drawing has it
  // (compared without case); else the drawing's first style; "STANDARD" when
  // the drawing has none.
  CString resolveTextStyle(const CString& name) const;
  // Asks the host for the state of the layer "HV_QEVHEATING" (word 218), the
  // drawing's text styles (word 59; "Standard" when it gives none; appended to
  // those known) and the current layer (word 29 "CLAYER"; empty when it
  // gives none). Without a table or a word that part is left as it is, but
  // the style list still gets "Standard" when it stays empty.
  void readDefaultLayer(const HostExport2D* host);
  // The text style of a label kind (TextKind): the zone's for its label and
  // description lines, else the kind's own. An empty style, or a kind
  // outside TextKind, leaves `out` as it is and answers false.
  bool descriptionTextByKind(int kind, CString& out) const;

  std::array<CString, kStyleKindCount> textStyles;
  std::array<double, kTextKindCount> textHeights{7.2, 4.8, 7.2, 4.8, 7.2};
  std::array<double, kTextKindCount> widthFactors{0.75, 0.75, 0.75, 0.75, 0.75};
  std::array<CString, kStyleKindCount> layers;
  std::array<std::uint32_t, kStyleKindCount> useDefaultLayer{};
  // The description mask of the zones' descriptions.
  CString descriptionMask;
  // The labels are annotative (scaled by the annotation scale, and marked
  // "VE2R_ANNOTATIVE" 1), and with the second flag annotative mode 3.
  std::uint8_t annotative = 0;
  std::uint8_t annotativeSecond = 0;
  // The two state bytes of the layer "HV_QEVHEATING".
  std::uint8_t layerState[2] = {0, 0};
  // The drawing's text styles, in the host's order.
  std::vector<CString> drawingTextStyles;
  // The drawing's current layer.
  CString defaultLayer;
};
