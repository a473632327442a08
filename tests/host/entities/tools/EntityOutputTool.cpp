// The text, attribute, insert, image, dimension and leader lists through the
// stand-in host, for the ezdxf checks of entity_output.py.
//
// write IN OUT: makes the heating output's shapes (a zone description MTEXT,
//   border-width DIMENSIONs), an INSERT with two ATTRIBs, a LEADER and a
//   MULTILEADER by word 114, reads the MTEXT and the MULTILEADER back (word
//   167) and saves the drawing.
// rewrite IN OUT: reads every model-space entity (word 167) as a copy,
//   reports the values of the INSERT, IMAGE, WIPEOUT and MTEXT copies, hands
//   the rewritten lists back (word 114), reports the block cache and the view
//   frame, runs seeded mutations of every list through the readers and
//   writers, and saves the drawing.
//
// Reports are JSON lines on standard output; the exit code is 0 when every
// step the tool checks itself held.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "host/HostExport.h"
#include "host/HvHostApi.h"
#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/entities/attributeList.h"
#include "host/entities/blockCache.h"
#include "host/entities/dimensionList.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/insertList.h"
#include "host/entities/leaderList.h"
#include "host/entities/ltImage2D.h"
#include "host/entities/ltInsert2D.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/mleaderList.h"
#include "host/entities/mtextList.h"
#include "host/entities/styleTables.h"
#include "host/entities/viewFrame.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/win/Modules.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "tests/host/entities/tools/ToolSupport.h"

namespace {

using toolSupport::fail;
std::string g_mode;
int g_mutations = 200;

// ---- JSON lines

std::string jsonText(std::u16string_view text) {
  std::string out = "\"";
  for (char16_t c : text) {
    if (c == u'"' || c == u'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out + "\"";
}

std::string number(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return std::isfinite(value) ? buffer : "null";
}

std::string points(const std::vector<XtGePoint2d>& list) {
  std::string out = "[";
  for (const XtGePoint2d& p : list) out += (out.size() > 1 ? ",[" : "[") + number(p.x) + "," + number(p.y) + "]";
  return out + "]";
}

void report(const std::string& kind, const std::string& fields) {
  std::printf("{\"kind\":\"%s\",%s}\n", kind.c_str(), fields.c_str());
}

// ---- host calls

int make(const resbuf* list, const char* what) {
  const int status = list ? callHostWord<114>(list, 0, 0).value_or(0) : 0;
  if (status != hostStatus::normal) fail(std::string("word 114 refused the ") + what);
  return status;
}

int makeOwned(resbuf* list, const char* what) {
  ownedChain owned(list);
  if (!owned) fail(std::string("no list for the ") + what);
  return make(owned.get(), what);
}

std::vector<ownedChain> selectAll() {
  std::vector<ownedChain> lists;
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) return lists;
  while (resbuf* list = callHostWord<167>(0, 0).value_or(nullptr)) lists.emplace_back(list);
  return lists;
}

ltEntProps propsOn(const char16_t* layer, std::initializer_list<ResbufPair> extra) {
  ltEntProps props;
  props.layer = layer;
  props.setTail(ownedChain(buildResbufList(extra)));
  return props;
}

// ---- write

std::u16string zoneDescription() {
  std::u16string text = u"\\fStandard;\\W0.75;Zóna 1\n\\W0.75;\\H0.67x;";
  const std::u16string czech = u"Příliš žluťoučký kůň úpěl ďábelské ódy. ";
  while (text.size() < 400 + 33) text += czech;
  return text.substr(0, 400 + 33);
}

void writeHeatingShapes() {
  const ltEntProps label = propsOn(u"HVPOPIS", {{1001, u"QEV_DATA"}, {1000, u"ZONE"}, {1070, 1},
                                                {1001, u"VE2R_ANNOTATIVE"}, {1071, 1}});
  const std::u16string text = zoneDescription();
  makeOwned(entBuilder2D::mtext(label, {100, 200}, 2.5, 60, 5, 1, text, u"Standard", -std::numbers::pi / 6, 1, 1.0,
                                0, 1.0, 0, nullptr),
            "zone description");
  const ltEntProps border = propsOn(u"HVKOTY", {{1001, u"ACAD"}, {1000, u"DSTYLE"}, {1002, u"{"}, {1070, 42},
                                               {1040, 0.0}, {1070, 44}, {1040, 0.0}, {1002, u"}"},
                                               {1001, u"VE2R_ANNOTATIVE"}, {1071, 1}});
  makeOwned(writeDimension(border, {0, 0}, {0, 150}, {0, 150}, u"havlen", std::numbers::pi / 2, 0.0, u"", false),
            "border dimension");
  makeOwned(writeDimension(border, {500, 0}, {800, 40}, {650, 100}, u"havlen", 0.0, 5.0, u"", true),
            "extended dimension");
}

void writeInsertWithAttributes() {
  const ltEntProps props = propsOn(u"0", {{1001, u"QEV_DATA"}, {1000, u"ITEM"}});
  const ltEntProps none;
  callHostWord<17>();
  makeOwned(entBuilder2D::insert(props, {300, 300}, u"ATTBLK", XtGeScale3d(), 0.0, nullptr, nullptr, nullptr, 1,
                                 nullptr),
            "insert with attributes");
  attributeValues single;
  single.insertion = {300, 310};
  single.height = 2.5;
  single.tag = u"OZNACENI";
  single.value = u"RZ7";
  makeOwned(writeAttribSingle(none, single), "single-line attribute");
  attributeValues multiline = single;
  multiline.tag = u"POPIS";
  multiline.deviceTag = u"DEV-1";
  multiline.hJust = 1;
  multiline.vJust = 3;
  multiline.alignment = {305, 320};
  multiline.value.clear();
  for (int i = 0; i < 600; ++i) multiline.value += static_cast<char16_t>(i % 50 == 49 ? u' ' : u'a' + i % 26);
  makeOwned(writeAttrib(none, multiline), "multiline attribute");
  makeOwned(buildResbufList({{0, u"SEQEND"}, {100, u"AcDbEntity"}, {8, u"0"}}), "attribute end");
  callHostWord<19>(1u);
}

void writeLeaders() {
  std::vector<HvTextStyle> textStyles;
  std::vector<HvMLeaderStyle> leaderStyles;
  readTextStyles(textStyles);
  readMLeaderStyles(leaderStyles);
  const HvTextStyle* text = findTextStyle(textStyles, u"no such style");
  const HvMLeaderStyle* style = findStyleRecordByName(leaderStyles, u"Standard");
  if (text == nullptr || style == nullptr || findStyleRecord(leaderStyles, style->handle) != style) {
    fail("the drawing's Standard text and multileader styles were not found");
    return;
  }
  const std::vector<XtGePoint2d> vertices{{0, 400}, {40, 440}, {90, 440}};
  makeOwned(entBuilder2D::leader(propsOn(u"0", {}), vertices, u"", u"Standard", 0.0), "leader");

  mleaderStyle record;
  record.styleHandle = style->handle;
  record.textStyleHandle = text->handle;
  record.doglegLength = 8.0;
  record.context.hasText = true;
  record.context.text = u"Rozdělovač RZ7";
  record.context.textStyleHandle = text->handle;
  record.context.textHeight = 2.5;
  record.context.textLocation = {100, 500, 0};
  record.context.contentBase = {100, 500, 0};
  mleaderLeader& leader = record.context.leaders.emplace_back();
  leader.lastPoint = {92, 500, 0};
  leader.doglegLength = 8.0;
  leader.lines.push_back({{{0, 450, 0}, {92, 500, 0}}, 0});
  ownedChain list(writeMLeader(record, propsOn(u"0", {})));
  makeOwned(copyResbufChain(list.get(), false), "multileader");
}

void writeAll() {
  callHostWord<17>();
  writeHeatingShapes();
  writeLeaders();
  callHostWord<19>(1u);
  writeInsertWithAttributes();
  // What the host holds now, read back as the module reads it.
  for (const ownedChain& list : selectAll()) {
    const std::u16string type = entReader2D::listType(list.get()) ? entReader2D::listType(list.get()) : u"";
    if (type == u"MTEXT") {
      XtGePoint2d at;
      double height = 0, width = 0, rotation = 0, factor = 0;
      int attachment = 0, direction = 0, spacing = 0;
      std::u16string text, style;
      if (!entReader2D::mtext(at, height, width, attachment, direction, text, style, rotation, spacing, factor,
                              list.get(), nullptr))
        fail("the MTEXT read back was refused");
      report("mtext", "\"insertion\":" + points({at}) + ",\"height\":" + number(height) + ",\"width\":" +
                          number(width) + ",\"attachment\":" + std::to_string(attachment) + ",\"rotation\":" +
                          number(rotation) + ",\"text\":" + jsonText(text));
    } else if (type == u"MULTILEADER") {
      mleaderStyle read;
      if (!entReader2D::mleader(read, list.get())) fail("the MULTILEADER read back was refused");
      report("mleader", "\"text\":" + jsonText(read.context.text) + ",\"lines\":" +
                            std::to_string(read.context.leaders.empty() ? 0 : read.context.leaders[0].lines.size()));
    }
  }
}

// ---- rewrite

std::string matrix(const XtGeMatrix2d& m) {
  std::string out = "[";
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 3; ++j) out += (out.size() > 1 ? "," : "") + number(m(i, j));
  return out + "]";
}

std::vector<XtGePoint2d> vertices(const XtGeCompositeCurve2d& curve) {
  std::vector<XtGePoint2d> list;
  for (int i = 0; i < curve.numCurves(); ++i) {
    XtGePoint2d start;
    if (curve.curveAt(i)->hasStartPoint(start)) list.push_back(start);
  }
  return list;
}

void reportCopy(const ltEnt2D& copy) {
  const std::u16string handle = copy.getProps().handle;
  switch (copy.entType()) {
    case ltEntKind::insert: {
      const auto& insert = static_cast<const ltInsert2D&>(copy);
      report("insert", "\"handle\":" + jsonText(handle) + ",\"block\":" + jsonText(insert.blockName) +
                           ",\"matrix\":" + matrix(insert.getTransform()));
      break;
    }
    case ltEntKind::image:
    case ltEntKind::wipeout:
      report("image", "\"handle\":" + jsonText(handle) + ",\"boundary\":" +
                          points(vertices(static_cast<const ltImage2D&>(copy).clipBoundary)));
      break;
    case ltEntKind::mText:
      report("mtext", "\"handle\":" + jsonText(handle) + ",\"text\":" + jsonText(static_cast<const ltMText2D&>(copy).text));
      break;
    default: break;
  }
}

// One seeded mutation: values turned extreme, nodes dropped or doubled.
ownedChain mutated(const resbuf* list, std::mt19937& random) {
  ownedChain copy(copyResbufChain(list, false));
  static const double reals[] = {std::nan(""), INFINITY, -INFINITY, 0.0, -1.0, 1e308, -1e-308};
  static const std::int16_t shorts[] = {0, -1, 1, 2, 5, 32767, -32768};
  static const std::int32_t longs[] = {0, -1, 1, 5, 70000, 2147483647, -2147483647 - 1};
  resbuf* previous = nullptr;
  for (resbuf* node = copy.get(); node != nullptr; previous = node, node = node->next) {
    if (random() % 8 != 0) continue;
    const int code = node->code;
    const bool isReal = (code >= 40 && code <= 59) || (code >= 140 && code <= 149) || (code >= 1040 && code <= 1042);
    const bool isPoint = (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || (code >= 210 && code <= 213);
    const bool isShort = (code >= 60 && code <= 79) || (code >= 170 && code <= 179) || (code >= 270 && code <= 299);
    const bool isLong = code >= 90 && code <= 99;
    switch (random() % 3) {
      case 0:
        if (isReal) node->value.real = reals[random() % 7];
        else if (isPoint) node->value.point[random() % 3] = reals[random() % 7];
        else if (isShort) node->value.i16 = shorts[random() % 7];
        else if (isLong) node->value.i32 = longs[random() % 7];
        break;
      case 1:
        if (previous != nullptr && code != 0) {  // drop the node
          previous->next = node->next;
          node->next = nullptr;
          freeResbufChain(node, false);
          node = previous;
        }
        break;
      default: {  // double the node
        resbuf* twin = copyResbufChainEx(node, false, true, true, nullptr, nullptr);
        if (twin) {
          twin->next = node->next;
          node->next = twin;
          node = twin;
        }
      }
    }
  }
  return copy;
}

void mutationRun(const resbuf* list, std::mt19937& random) {
  for (int i = 0; i < g_mutations; ++i) {
    ownedChain changed = mutated(list, random);
    auto copy = entReader2D::anyEntity(changed.get());
    if (!copy) {
      fail("anyEntity refused a mutated list");
      continue;
    }
    (void)copy->clone()->getUpdatedList(2);
    const resbuf* once = copy->getUpdatedList(2);
    if (once != nullptr && entReader2D::anyEntity(once)->entType() != copy->entType())
      fail("a rewritten list reads as another kind");
    mleaderStyle leader;
    (void)entReader2D::mleader(leader, changed.get());
    XtGeCompositeCurve2d vertices;
    (void)entReader2D::leader(vertices, changed.get(), nullptr);
  }
}

void reportBlocksAndView() {
  blockCache cache;
  if (!cache.fill(getExport2D())) fail("the block cache was not filled");
  std::string blocks = "{";
  for (std::size_t i = 0; i < cache.size(); ++i)
    blocks += (i ? "," : "") + jsonText(cache.at(i).name) + ":" + std::to_string(cache.at(i).entities.size());
  report("blocks", "\"counts\":" + blocks + "}");
  XtGePoint3d corners[4];
  XtGeVector3d direction;
  if (getViewTransform(corners[0], corners[1], corners[2], corners[3], direction) == 0) {
    fail("the view was not read");
    return;
  }
  std::vector<XtGePoint2d> flat;
  for (const XtGePoint3d& c : corners) flat.push_back({c.x, c.y});
  const XtGePoint3d centre((corners[0].x + corners[2].x) / 2, (corners[0].y + corners[2].y) / 2, 0);
  const XtGePoint3d outside(corners[2].x + 1, corners[2].y + 1, 0);
  report("view", "\"corners\":" + points(flat) + ",\"centreInside\":" +
                     std::to_string(anyPointInsideFrame(std::span(&centre, 1))) + ",\"outsideInside\":" +
                     std::to_string(anyPointInsideFrame(std::span(&outside, 1))));
}

void rewriteAll() {
  std::mt19937 random(20240612);
  callHostWord<17>();
  for (const ownedChain& list : selectAll()) {
    mutationRun(list.get(), random);
    auto copy = entReader2D::anyEntity(list.get());
    if (!copy) {
      fail("no copy of a selected list");
      continue;
    }
    if (copy->entType() == ltEntKind::insert) {
      ltEntArray entities;  // the walk also sets the block's base point
      if (!static_cast<ltInsert2D&>(*copy).getBlockEntities(entities, getExport2D(), nullptr))
        fail("the block of an INSERT was not read");
    }
    reportCopy(*copy);
    const resbuf* rewritten = copy->getUpdatedList(2);
    if (rewritten == nullptr) {
      fail("no rewritten list for a copy of kind " + std::to_string(static_cast<int>(copy->entType())));
      continue;
    }
    make(rewritten, "rewritten list");
  }
  callHostWord<19>(1u);
  reportBlocksAndView();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s write|rewrite IN.dxf OUT.dxf [MUTATIONS]\n", argv[0]);
    return 2;
  }
  g_mode = argv[1];
  if (argc > 4) g_mutations = std::stoi(argv[4]);
  toolSupport::runHost(argv[2], "command run\nselect all\nsave out.dxf\n",
                       {{"run", [] {
                           hvInitHostApi(GetModuleHandleW(hostApiModuleName));
                           if (g_mode == "write") writeAll();
                           else rewriteAll();
                         }}},
                       "out.dxf", argv[3]);
  return toolSupport::finish();
}
