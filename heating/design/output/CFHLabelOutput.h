// The text writers of the output: one MTEXT with its properties, handle,
// manifold association, heating record and annotative group. The labels of
// the manifold, the zones, their heating bodies and the circuits are written
// through it (CFHLabelOutput.cpp). The command's thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "host/entities/ownedChain.h"

#include "platform/cadhost/HostTables.h"
#include "platform/ge/XtGePoint2d.h"

#include <string_view>

class CFHDescData;
class CFHEntityInOut;
struct CFHOutputContext;

// Where and how large a text is written, in world coordinates.
struct CFHTextPlacement {
  XtGePoint2d insertion;
  double height = 0.0;
  double width = 0.0;
  int attachment = 5;  // middle centre
  double rotation = 0.0;
};

// The properties of a drawn entity (layer, linetype, colour ...) without its
// extended data, handle and reactors; the defaults without an entity.
ltEntProps replacedProperties(const CFHEntityInOut* old);

// The width of a text as the host measures it (word 131); 0 when it cannot.
// `measuredHeight`, when given, receives the height it answers (the height
// asked for when it answers none).
double measureTextWidth(const HostExport2D* host, std::u16string_view text, std::u16string_view style,
                        double height, double widthFactor, double* measuredHeight = nullptr);

// Writes one MTEXT: the old entity's handle (a new one without it), the
// manifold association, the heating record `data` and the labels'
// annotative group; the old list lends the groups a rewrite keeps. True when
// the host made it.
bool writeOutputText(CFHOutputContext& context, ltEntProps props, const CFHEntityInOut* old,
                     const CFHTextPlacement& placement, std::u16string_view text, std::u16string_view style,
                     ownedChain data, const CFHDescData& desc);
