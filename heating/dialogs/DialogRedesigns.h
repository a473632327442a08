// The redesigns that the main dialog's calculations start, and which end of
// a design run the dialog warns at.
//
// A calculation in the dialog (the designs taken up when a show starts, the
// jobs' WM_USER+1, the calculation page's action) may change a zone's free
// border width and so leave its circuit's layouts outdated
// (OutdatedLayouts.h). The dialog then starts those circuits' jobs again at
// once, at most kMaxRedesignRounds times between two steps of its script;
// reaching the bound is logged, and the next calculation tries again.
//
// Such a redesign finishes the run whose calculation started it and ends no
// run of its own (no WM_USER+4): a run end heard while it runs is kept until
// the redesign has ended and its layouts are calculated, so that the warning
// about zones over their limits comes once, with the final values.
//
// Threads: the command's thread.
#pragma once

class CFHModel;

class DialogRedesigns {
 public:
  explicit DialogRedesigns(CFHModel& model) : model_(model) {}

  // A show starts: no redesign runs, nothing is kept, no round counted.
  void reset();
  // A step of the script starts: the rounds count from 0 again.
  void newStep() { rounds_ = 0; }
  // After a calculation: starts the outdated circuits' jobs again (within
  // the bound). Answers whether a redesign runs now.
  bool afterCalculation();
  // After the calculation of a WM_USER+1: afterCalculation, then whether a
  // run end kept before is due now (the redesign it waited for has ended).
  bool designsChanged();
  // WM_USER+4: whether the dialog warns now; false while a redesign runs
  // (the run end is kept for designsChanged).
  bool runEnded();

 private:
  CFHModel& model_;
  int rounds_ = 0;
  bool redesigning_ = false;
  bool runEndKept_ = false;
};
