// Reads the model-space DIMENSION, LEADER, MULTILEADER, SPLINE and 3DFACE
// entities of a drawing from the stand-in host (word 167), makes each a
// catch-all entity copy, sets new common properties, hands the rewritten list
// back (word 114) and saves the drawing. Each list the host gave is also
// mutated (nodes dropped, duplicated, swapped, codes changed) and run through
// the readers and the rewrite, which must neither crash nor leak and must keep
// the extended data and the rewrite's result stable.
//
// Usage: hv_entity_rewrite_tool IN.dxf OUT.dxf [truecolor]; exit code 0 when
// every entity was rewritten and every check held.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/entities/entityDispatch.h"
#include "platform/cadhost/HostStatus.h"
#include "tests/host/entities/EntityTestLists.h"
#include "tests/host/entities/tools/ToolSupport.h"

namespace {

using toolSupport::fail;
bool g_trueColor = false;

// The list from its first code of 1000 or more: what every rewrite keeps.
std::string tailOf(const resbuf* list) {
  while (list && list->code < 1000) list = list->next;
  return describe(list);
}

// One seeded mutation of a copy of the list: nodes dropped, duplicated,
// swapped, or given another code of their value class (so the value stays
// readable).
ownedChain mutated(const resbuf* list, std::mt19937& random) {
  static const std::vector<std::vector<int>> sameClass = {
      {0, 1, 2, 5, 6, 8, 100, 102, 410, 1000, 1001}, {10, 11, 13, 210, 1010}, {40, 42, 48, 1040},
      {60, 62, 67, 70, 1070}, {90, 420, 440, 1071}, {330, 340, 360}};
  std::vector<resbuf*> nodes;
  for (const resbuf* n = list; n; n = n->next) nodes.push_back(copyResbufChainEx(n, false, true, true, nullptr, nullptr));
  for (int step = 1 + static_cast<int>(random() % 4); step > 0 && !nodes.empty(); --step) {
    const auto at = nodes.begin() + static_cast<std::ptrdiff_t>(random() % nodes.size());
    switch (random() % 4) {
      case 0:
        freeResbufChain(*at, false);
        nodes.erase(at);
        break;
      case 1: nodes.insert(at, copyResbufChainEx(*at, false, true, true, nullptr, nullptr)); break;
      case 2: std::swap(*at, nodes[random() % nodes.size()]); break;
      default:
        for (const auto& family : sameClass)
          if (std::find(family.begin(), family.end(), (*at)->code) != family.end())
            (*at)->code = static_cast<std::int16_t>(family[random() % family.size()]);
    }
  }
  for (std::size_t i = 0; i < nodes.size(); ++i) nodes[i]->next = i + 1 < nodes.size() ? nodes[i + 1] : nullptr;
  return ownedChain(nodes.empty() ? nullptr : nodes.front());
}

void mutationRun(const resbuf* list, std::mt19937& random) {
  for (int i = 0; i < 200; ++i) {
    ownedChain changed = mutated(list, random);
    if (!changed) continue;
    (void)entReader2D::entity(changed.get());
    auto copy = entReader2D::anyEntity(changed.get());
    if (!copy) {
      fail("anyEntity refused a mutated list:\n" + describe(changed.get()));
      continue;
    }
    auto clone = copy->clone();
    const resbuf* once = copy->getUpdatedList(2);
    if (!once) continue;
    const std::string first = describe(once);
    if (tailOf(once) != tailOf(changed.get())) fail("a rewrite lost extended data:\n" + describe(changed.get()));
    if (describe(copy->getUpdatedList(2)) != first) fail("a second rewrite changed the list:\n" + first);
    (void)clone->getUpdatedList(0);
  }
}

void rewrite() {
  callHostWord<17>();
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) {
    fail("selection refused");
    return;
  }
  std::mt19937 random(20240611);
  while (resbuf* list = callHostWord<167>(0, 0).value_or(nullptr)) {
    ownedChain given(list);
    mutationRun(given.get(), random);
    auto copy = entReader2D::anyEntity(given.get());
    if (!copy || copy->entType() != ltEntKind::unknown) {
      fail("not a catch-all copy:\n" + describe(given.get()));
      continue;
    }
    ltEntProps& props = copy->getProps();
    props.layer = u"PREPSANO";
    props.linetype = u"DASHED";
    props.colorIndex = 3;
    props.lineweight = 35;
    props.linetypeScale = 2.5;
    props.visibility = 1;
    if (g_trueColor) {
      props.hasTrueColor = true;
      props.trueColor = 0x123456;
      props.transparencyMode = 2;
      props.transparencyPercent = 50;
    }
    const resbuf* out = copy->getUpdatedList(2);
    if (out == nullptr) {
      fail("no rewritten list for\n" + describe(given.get()));
      continue;
    }
    if (callHostWord<114>(out, 0, 0).value_or(0) != hostStatus::normal) fail("word 114 refused\n" + describe(out));
  }
  callHostWord<19>(1u);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  g_trueColor = argc > 3 && std::string(argv[3]) == "truecolor";
  toolSupport::runHost(argv[1],
                       "command rewrite\nselect all type=DIMENSION,LEADER,MULTILEADER,SPLINE,3DFACE\n"
                       "save rewritten.dxf\n",
                       {{"rewrite", rewrite}}, "rewritten.dxf", argv[2]);
  return toolSupport::finish();
}
