#include "platform/ge/XtGeContext.h"

thread_local XtGeTol XtGeContext::gTol{};
