// One factory per entity kind: a new empty copy of the kind, ready for
// setFromResbuf. Each kind defines its factory in its own source file, beside
// the class, and names it in its row of the dispatch table (entKindTable.cpp).
#pragma once

#include <memory>

class ltEnt2D;

std::unique_ptr<ltEnt2D> newAbscissa2D();
std::unique_ptr<ltEnt2D> newArc2D();
std::unique_ptr<ltEnt2D> newPolyline2D();
std::unique_ptr<ltEnt2D> newEllipse2D();
std::unique_ptr<ltEnt2D> newRay2D();
std::unique_ptr<ltEnt2D> newLine2D();
std::unique_ptr<ltEnt2D> newHatch2D();
std::unique_ptr<ltEnt2D> newPoint2D();
std::unique_ptr<ltEnt2D> newSolid2D();
std::unique_ptr<ltEnt2D> newImage2D();
std::unique_ptr<ltEnt2D> newWipeout2D();
std::unique_ptr<ltEnt2D> newText2D();
std::unique_ptr<ltEnt2D> newAttDef2D();
std::unique_ptr<ltEnt2D> newAttrib2D();
std::unique_ptr<ltEnt2D> newMText2D();
std::unique_ptr<ltEnt2D> newInsert2D();
std::unique_ptr<ltEnt2D> newUnknown2D();
