#include "heating/design/HeatingCommandRun.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHDataFiles.h"
#include "heating/design/CFHDrawingInOut.h"
#include "heating/design/CFHJobs.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"
#include "heating/design/HeatingCommandScope.h"
#include "heating/design/LaidPipeSoundness.h"
#include "heating/design/OutdatedLayouts.h"

#include "host/CodePageText.h"
#include "host/HostExport.h"
#include "host/MessageBoxRes.h"
#include "host/SiblingModules.h"

#include "platform/cadhost/HostStatus.h"

#include "resources/ModuleStrings.h"

namespace {

// The dialog is shown at most this often; a loop that never ends is left as
// cancelled.
constexpr int kMaxDialogShows = 100000;

// The numbers of the zones of circuits that have no laid pipe, as "1, 3";
// empty when every zone of a circuit has one.
CString zonesWithoutLaidPipe(const CFHModel& model) {
  CString text;
  for (const auto& zone : model.zones()) {
    if (zone->circuit == nullptr || zoneHasLaidPipe(*zone)) continue;
    appendListedNumber(text, zone->number);
  }
  return text;
}

// The numbers of the zones whose laid pipe crosses or overlaps itself or
// leaves the zone, as "1, 3"; empty when there is none. A zone 9002 names
// is not named again.
CString zonesWithUnsoundLaidPipe(const CFHModel& model) {
  CString text;
  for (const CFHZoneEntry* zone : zonesWithUnsoundPipe(model)) appendListedNumber(text, zone->number);
  return text;
}

// A point picked with the prompt (word 118), in work coordinates: converted
// to the world (word 35), then into the work frame. False when no point was
// picked.
bool pickPoint(const CFHModel& model, UINT promptId, XtGePoint2d& point) {
  const CString prompt = moduleText(promptId);
  double picked[3] = {0.0, 0.0, 0.0};
  if (callHostWordOf<118>(model.hostTable, 0, prompt.GetString(), picked) != hostStatus::normal) return false;
  callHostWordOf<35>(model.hostTable, picked, 0);
  point = XtGePoint2d(picked[0], picked[1]).transformBy(CFHDrawingInOut::instance().workMatrix());
  return true;
}

void joinAtPickedPoint(CFHModel& model) {
  XtGePoint2d point;
  if (pickPoint(model, IDS_PROMPT_JOIN_POINT, point)) {
    model.joinAtPoint(point);
    return;
  }
  model.joinPair[0] = model.joinPair[1] = nullptr;
}

void placeHeatingBodyAtPickedPoint(CFHModel& model) {
  XtGePoint2d point;
  const bool picked = pickPoint(model, IDS_PROMPT_INSERTION_POINT, point);
  model.placeHeatingBody(point, picked);
}

// IDOK's first steps: true when the design can be drawn, false when the
// dialog is to be shown again after warning 9002 (zones without a laid
// pipe), then 9005 (zones whose laid pipe is unsound), each when it applies.
bool readyToDraw(CFHModel& model) {
  // A change still queued for a window is never taken up once the loop
  // ends: every circuit is calculated from the layouts its job left, and
  // laid out again while the calculation changes a zone's border width.
  calculateForDrawing(model);
  const std::string caption = heatingCaption(model);
  const CString bare = zonesWithoutLaidPipe(model);
  const CString unsound = zonesWithUnsoundLaidPipe(model);
  if (!bare.IsEmpty())
    messageBoxResFormat(caption.c_str(), IDS_WARN_ZONES_WITHOUT_PIPE, MB_ICONWARNING, bare.GetString());
  if (!unsound.IsEmpty())
    messageBoxResFormat(caption.c_str(), IDS_WARN_ZONES_PIPE_UNSOUND, MB_ICONWARNING, unsound.GetString());
  return bare.IsEmpty() && unsound.IsEmpty();
}

// Clears the drawing I/O object when the command ends, after the model (and
// its jobs) are gone.
struct DrawingInOutClear {
  ~DrawingInOutClear() { CFHDrawingInOut::instance().clear(); }
};

}  // namespace

void runHeatingCommand(const std::function<void(CFHModel&)>& body) {
  const CFHDataFiles files = CFHDataFiles::ofApplication();
  const HeatingCommandScope scope(files.veziru);
  const HostExport2D* host = getExport2D();
  if (hvSiblings.floorLibInit != nullptr) hvSiblings.floorLibInit(hostMainWindow(host).value_or(nullptr));
  const DrawingInOutClear clearAtEnd;
  CFHDrawingInOut::instance().clear();
  CFHModel model;
  model.loadSettings(host);
  body(model);
}

CString moduleText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

std::string heatingCaption(const CFHModel& model) { return hvWideToMb(model.caption.view()); }

void appendListedNumber(CString& list, std::int64_t number) {
  list.AppendFormat(list.IsEmpty() ? u"%lld" : u", %lld", static_cast<long long>(number));
}

void endHeatingCommand(const CFHModel& model, std::uint32_t code) { callHostWordOf<19>(model.hostTable, code); }

void handOverHandles(const CFHModel& model, const std::vector<std::u16string>& handles) {
  std::vector<const char16_t*> texts;
  texts.reserve(handles.size() + 1);
  for (const std::u16string& handle : handles) texts.push_back(handle.c_str());
  texts.push_back(nullptr);
  callHostWordOf<142>(model.hostTable, texts.data(), static_cast<int>(handles.size()), 1);
}

void runDialogLoop(CFHModel& model, CFHMainDialogFactory makeDialog, const DialogLoopEnds& ends) {
  std::unique_ptr<CFHMainDialog> dialog = makeDialog(model, hostMainWindow(model.hostTable).value_or(nullptr));
  startDesignJobs(model.workerSync(), model.circuits());
  bool left = false;
  for (int show = 0; show < kMaxDialogShows && !left; ++show) {
    const int code = dialog->showModal();
    switch (code) {
      case CFHMainDialog::kChooseFloorStructure: model.chooseFloorStructure(); break;
      case CFHMainDialog::kJoinAtPoint: joinAtPickedPoint(model); break;
      case CFHMainDialog::kPlaceHeatingBody: placeHeatingBodyAtPickedPoint(model); break;
      case IDOK:
        if (readyToDraw(model)) {
          ends.draw();
          left = true;
        }
        break;
      default:
        ends.leave();
        left = true;
        break;
    }
  }
  if (!left) ends.leave();
  // No job may read a record the clear frees.
  model.stopDesignJobs();
  if (hvSiblings.floorLibDone != nullptr) hvSiblings.floorLibDone();
  CFHDrawingInOut::instance().clear();
}

bool drawDesignOrRollBack(CFHModel& model) {
  if (model.drawDesign()) return true;
  messageBoxRes(heatingCaption(model).c_str(), IDS_ERR_DRAWING_FAILED, MB_ICONERROR);
  endHeatingCommand(model, kEndWithoutDrawing);
  return false;
}
