#include "heating/curves/CLoopElement.h"

CLoopElement::~CLoopElement() {
  if (ownsCurve) delete curve;
}

void addToElementChain(std::vector<CLoopElement*>& chain, CLoopElement* element, const XtGeTol& tol) {
  if (element == nullptr) return;
  const CLoopElement* first = chain.empty() ? nullptr : chain.front();
  if (first != nullptr && first->hasCurve() && element->hasCurve() &&
      element->endPoint().isEqualTo(first->startPoint(), tol)) {
    chain.insert(chain.begin(), element);
    return;
  }
  chain.push_back(element);
}
