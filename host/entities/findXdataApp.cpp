#include "host/entities/findXdataApp.h"

#include "host/ResbufChain.h"
#include "host/entities/entReaderSteps.h"

int findXdataApp(const resbuf* list, const char16_t* name) {
  if (entReader2D::firstGroup(list, 1001) == nullptr) return 0;
  return name != nullptr && findResbufText(list, 1001, name) != nullptr ? 2 : 1;
}
