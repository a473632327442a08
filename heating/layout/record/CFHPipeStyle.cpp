#include "heating/layout/record/CFHPipeStyle.h"

#include "host/CodePageText.h"

std::string CFHPipeStyle::linetypeForHost() const { return hvWideToMb(linetype.view()); }
