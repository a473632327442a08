// The stand-in CAD host: serves a module its host tables over a drawing and
// answers every user input from a script.
//
// One host exists at a time (the tables' functions find it through
// CadHost::current()). Registering puts into the module registry the host
// executable "REDUZUZI.EXE" (export "GetExport2D", plus the scripted-dialog
// export), the drawing interface "DuZivaruReZuz2u.vev" and, unless turned
// off, the floor-structure library "VO_VUDE2RUR.EVO", all as files of the host
// folder, and unless turned off the description formatter "QEV_DESC.CRX".
// Then the module is loaded (its static objects bind the tables) and
// initialised, and run() carries out the script.
//
// Everything runs on the command thread, except the "GetExport2D" lookup,
// word 33 and the log, which any thread may use.
//
// What makes a run fail is also said on standard error (RunReport.h): the
// input a command asks for when the script has none for it, a selection that
// selects nothing, a dialog step refused with the dialog's reason (or the
// host's, for a length no floor holds: DialogKeys.h), a save after a failed
// command; message boxes are echoed there as they are shown unless --quiet,
// with the number of their text; and when the module refuses a manifold, the
// host says there which requirement the picked block reference misses
// (ManifoldCheck.h).
//
// A module loaded from a file stays loaded until the process exits, as in a
// host that never unloads a module it loaded: its static objects and its
// thread-local state live as long as the process (closing it while its
// thread-local blocks are registered leaves the main thread a stale slot,
// which the leak check at exit reads). A later host of the process takes it
// up again.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/cadhost/BlockWalk.h"
#include "platform/cadhost/CadhostOptions.h"
#include "platform/cadhost/Drawing.h"
#include "platform/cadhost/HostLog.h"
#include "platform/cadhost/HostTables.h"
#include "platform/cadhost/Script.h"
#include "platform/cadhost/ScriptedDialog.h"
#include "platform/cadhost/UcsFrame.h"
#include "platform/cadhost/resbuf.h"
#include "platform/qevdb/ProductFile.h"
#include "platform/win/WinTypes.h"

struct HvMessageBoxRecord;

namespace cadhost {

class CadHost {
 public:
  CadHost(CadhostOptions options, std::unique_ptr<Drawing> drawing, Script script);
  ~CadHost();
  CadHost(const CadHost&) = delete;
  CadHost& operator=(const CadHost&) = delete;

  // The host, or null; safe from any thread.
  static CadHost* current();

  // Registers the host's modules and the message-box listener; throws
  // std::runtime_error when a module of those names is registered already.
  void registerTables();
  // Loads the module file (or takes up the one an earlier host loaded) and
  // calls its application's InitInstance. False with a message when the file
  // does not load.
  bool loadModule(const std::string& path, std::string& error);
  // Uses a module registered in-process (tests).
  void useModule(HMODULE module) { module_ = module; }
  // Runs the script; answers 0 when every line did what it says, else 1: a
  // command that failed or was rolled back, a selection naming a handle that
  // selects nothing, a failed save (which also ends the run, so that nothing
  // is written after a broken step).
  int run();

  // ---- State the host's functions use
  const CadhostOptions& options() const { return options_; }
  Drawing& drawing() { return *drawing_; }
  const Drawing& drawing() const { return *drawing_; }
  HostLog& log() { return log_; }
  HostExport2D* table() { return &table_; }
  HWND window() const { return window_; }
  const UcsFrame& ucs() const { return ucs_; }
  int unitFactor() const { return unitFactor_.load(std::memory_order_relaxed); }
  const std::u16string& hostFolder() const { return hostFolder_; }
  const std::u16string& userDataFolder() const { return userFolder_; }
  const std::u16string& allUsersFolder() const { return allUsersFolder_; }
  BlockWalk& blockWalk() { return blockWalk_; }
  // The product database of a profession letter (either case), or null.
  qevDatabase::Database* productDatabase(char16_t letter) const {
    return products_ ? products_->find(letter) : nullptr;
  }
  bool inCommand() const { return commandActive_; }

  // A log line started with "kind" (and "word"/"slot" where given).
  static JsonLine wordLine(int word);
  static JsonLine slotLine(int slot);
  void write(const JsonLine& line) { log_.write(line); }
  // Counts a call of a word that answers a status within the running
  // command; true when the options inject a failure into this call (the line
  // then says "injected"); the word must answer -5001 without doing anything.
  bool injectFailure(int word, JsonLine& line);
  // Logs a fault and counts the running command (or the run) as failed.
  void fault(const std::string& message);

  // ---- Script input of the running command
  // The next line of the command's input block when it is of `kind`; else
  // logs "script exhausted" or "script mismatch" (naming `requester`), says
  // on standard error what was asked for (with the `prompt` shown), counts
  // the command as failed and answers null.
  const ScriptItem* takeInput(ScriptKind kind, const char* requester, std::u16string_view prompt = {});

  // ---- Selection (words 37/138, 112/167)
  int selectionRequest(int word, const char* prompt, int mode, int filter);
  resbuf* nextSelected(int word);

  // ---- Output (words 17, 19, 114, 142)
  // Handed-over handles (word 142, deferred) are erase marks: word 19 with 1
  // commits them and logs as "erased" only the entities the commit erased
  // (one written again under its handle meanwhile is replaced, not erased);
  // word 19 with another code drops them, with or without an open output.
  void openTransaction();
  void endOutput(std::uint32_t code);
  int makeEntity(const resbuf* list);
  void handOver(const char16_t* const* handles, int count, int flag);

  // ---- Narrow texts kept for the caller until the next call of the same
  // word or the end of the command.
  const char* keepNarrow(int key, std::string text);
  const char* const* keepNarrowArray(int key, std::vector<std::string> texts, int& count);
  // The same for numbers (word 60's dash lists).
  const double* keepReals(int key, std::vector<double> values);

  // ---- Dialog (export "HvRunScriptedDialog")
  int runScriptedDialog(const char16_t* name, HvDialogDriverProc driver, void* context);

 private:
  struct InputBlock {
    std::size_t position = 0;
    std::size_t end = 0;
  };
  struct TopSelection {
    const ScriptItem* item;
    std::vector<RecordId> entities;
  };

  void runCommand(std::size_t index, std::size_t blockEnd);
  void finishCommand(const ScriptItem& item, bool started);
  void selectOutside(const ScriptItem& item);
  void summary(const ScriptItem& item);
  // False when nothing was saved.
  bool save(const ScriptItem& item);
  // Reports the notes of a selection (handles that select nothing); any note
  // fails the running command, or the run.
  void selectionNotes(const ScriptItem& item, const std::vector<std::string>& notes);
  void scriptError(const ScriptItem& item, const std::string& message);
  // "script:line: " for a line of the script.
  std::string at(std::size_t line) const;
  // Says on standard error what the running command asked for that the
  // script does not give; the caller holds inputMutex_.
  void reportMissingInput(ScriptKind kind, const char* requester, std::u16string_view prompt);
  // Says that a selection selects nothing, unless the line allows it.
  void reportEmptySelection(const ScriptItem& item, const std::vector<RecordId>& selected);
  // Says that the save follows failed commands, and whether their output is in it.
  void reportSaveAfterFailures(const ScriptItem& item);

  void onMessageBox(const HvMessageBoxRecord& record);
  // Says what the block references of the running command's selection miss
  // of a manifold; on the command thread.
  void reportManifoldRefusal();
  // Queues the answer of the next input line when it is a msgbox line; the
  // caller holds inputMutex_.
  void queueMessageBoxAnswer();
  void dropQueuedMessageBoxAnswer();

  CadhostOptions options_;
  std::unique_ptr<Drawing> drawing_;
  Script script_;
  HostLog log_;
  HostExport2D table_{};
  HWND window_ = nullptr;
  UcsFrame ucs_;
  std::atomic<int> unitFactor_{1000};
  std::u16string hostFolder_;
  std::u16string userFolder_;
  std::u16string allUsersFolder_;
  std::thread::id commandThread_ = std::this_thread::get_id();
  std::vector<HMODULE> hostModules_;
  HMODULE module_ = nullptr;
  bool registered_ = false;
  BlockWalk blockWalk_;
  std::unique_ptr<qevDatabase::ProductDatabases> products_;  // word 51; null: none
  std::string productsSource_;

  // Input of the running command; the message-box listener may run on any thread.
  std::mutex inputMutex_;
  InputBlock block_;
  bool answerQueued_ = false;
  bool commandActive_ = false;
  bool commandFailed_ = false;
  bool runFailed_ = false;
  std::size_t commandIndex_ = 0;        // the running command's line among the items
  std::size_t reportedInput_ = SIZE_MAX;  // a block line reported already as not what was asked
  int dialogShows_ = 0;                 // scripted dialogs shown in the running command

  // The selection taken last in the running command: its line and prompt.
  std::size_t lastSelectLine_ = 0;
  std::u16string lastSelectPrompt_;
  std::u16string pendingPrompt_;

  // What the next save says: the commands that failed since the last save
  // (name, line), and whether output was committed since then.
  std::vector<std::pair<std::string, std::size_t>> failedSinceSave_;
  bool changedSinceSave_ = false;
  bool outputPending_ = false;  // entities made or updated in the open transaction

  // Selection state of the running command.
  const ScriptItem* pendingSelect_ = nullptr;
  std::vector<RecordId> selection_;
  std::size_t selectionNext_ = 0;
  std::vector<Handle> eraseMarks_;  // word 142 marks waiting for a commit
  bool rolledBack_ = false;

  std::map<int, int> wordCalls_;  // calls per word in the running command (--fail-word)

  std::vector<TopSelection> topSelections_;
  std::map<int, std::string> narrowTexts_;
  std::map<int, std::pair<std::vector<std::string>, std::vector<const char*>>> narrowArrays_;
  std::map<int, std::vector<double>> realArrays_;
};

}  // namespace cadhost
