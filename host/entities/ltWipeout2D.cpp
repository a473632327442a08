#include "host/entities/ltWipeout2D.h"

#include "host/entities/entKindFactories.h"

std::unique_ptr<ltEnt2D> newWipeout2D() { return std::make_unique<ltWipeout2D>(); }

std::unique_ptr<ltEnt2D> ltWipeout2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltWipeout2D(*this)); }
