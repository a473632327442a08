// The lines of a host script, parsed. A script is a sequence of statements
// (command, save, summary, end, and selections outside commands); the input
// lines that directly follow a `command` line form that command's input
// block, from which its prompts, selections, points, keywords, distances,
// message boxes, dialogs and floor-structure choices are answered in order.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/cadhost/DxfNumber.h"
#include "platform/cadhost/Group.h"

namespace cadhost {

enum class ScriptKind {
  Command,   // command NAME
  Select,    // select ...
  Point,     // point X,Y | cancel
  Keyword,   // keyword WORD | INDEX | cancel
  Distance,  // distance VALUE | cancel
  MsgBox,    // msgbox ANSWER
  Dialog,    // dialog ...
  FloorLib,  // floorlib MARK [ACTION] | cancel
  Save,      // save FILE
  Summary,   // summary
  End,       // end (closes a command's input block)
};

// Whether lines of the kind answer a command's input requests.
constexpr bool isInputKind(ScriptKind kind) {
  return kind != ScriptKind::Command && kind != ScriptKind::Save && kind != ScriptKind::Summary &&
         kind != ScriptKind::End;
}

const char* scriptKindName(ScriptKind kind);

struct SelectSpec {
  enum class Mode { Handles, All, Window, Assoc, Cancel, Fail };
  Mode mode = Mode::Handles;
  std::vector<Handle> handles;        // handles; assoc: the one entity
  std::vector<std::u16string> types;  // all: type=T[,T...] (upper case)
  std::vector<std::u16string> layers; // all: layer=L[,L...]
  Point3 low;                         // window corners, world coordinates
  Point3 high;
  bool emptyOk = false;               // an empty result still answers normal
};

// A key of a pick, a circuit=colour pair or a field of a show (kind, first
// and second as HvDialogStepItem takes them).
struct DialogItemSpec {
  int kind = 0;  // HvDialogItemKind
  int first = 0;
  int second = 0;
};

struct DialogStepSpec {
  // In the order of HvDialogStepKind (the host maps one onto the other by position).
  enum class Kind { Wait, Calc, Set, End, Pick, Number, Colors, Show };
  Kind kind = Kind::Wait;
  double seconds = 0.0;          // wait: the time-out; 0 when not given
  std::u16string setter;         // set
  std::u16string value;          // set
  enum class Target { None, Zone, Circuit };
  Target target = Target::None;  // set: [zone N | circuit N]; number: zone N | circuit N
  int targetIndex = 0;
  int endCode = 0;               // end: IDOK, IDCANCEL, 599, 600, 601
  int first = 0;                 // end 600 join A B: A; end 601 body Z: Z
  int second = 0;                // end 600 join A B: B
  int mode = 0;                  // pick
  int option = 0;                // pick: option N
  std::vector<DialogItemSpec> items;  // pick, colors, show
};

struct ScriptItem {
  ScriptKind kind = ScriptKind::End;
  std::size_t line = 0;    // 1-based line of the script file
  std::string source;      // the line as written (UTF-8, trimmed)
  bool inCommand = false;  // part of a command's input block
  bool cancel = false;     // point, keyword, distance, floorlib: "cancel"

  std::string name;                 // command: export name; save: file
  SelectSpec select;                // select
  Point3 point;                     // point (user coordinates)
  std::u16string keyword;           // keyword by text
  int keywordIndex = -1;            // keyword by index
  double distance = 0.0;            // distance
  int answer = 0;                   // msgbox: the button id
  DialogStepSpec dialog;            // dialog
  std::u16string mark;              // floorlib
  std::u16string action;            // floorlib; empty: the catalogue's structure of the mark
};

}  // namespace cadhost
