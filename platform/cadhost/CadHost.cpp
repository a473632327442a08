#include "platform/cadhost/CadHost.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "platform/cadhost/DescFormatterStub.h"
#include "platform/cadhost/DialogKeys.h"
#include "platform/cadhost/DxfError.h"
#include "platform/cadhost/DxfWriter.h"
#include "platform/cadhost/EntitySelector.h"
#include "platform/cadhost/FloorLibraryStub.h"
#include "platform/cadhost/HostApiExports.h"
#include "platform/cadhost/HostProducts.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/cadhost/HostWords.h"
#include "platform/cadhost/ManifoldCheck.h"
#include "platform/cadhost/ModuleCommands.h"
#include "platform/cadhost/NarrowText.h"
#include "platform/cadhost/ResbufLists.h"
#include "platform/cadhost/RunReport.h"
#include "platform/cadhost/SaveTarget.h"
#include "platform/cadhost/SelectionSummary.h"
#include "platform/win/CWinApp.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Modules.h"
#include "platform/win/Utf8.h"
#include "platform/win/WindowMessages.h"

namespace cadhost {

namespace {

std::atomic<CadHost*> g_host{nullptr};

// Drawing units per metre of a $INSUNITS value; 0 when it has none.
int unitsPerMetre(int insUnits) {
  switch (insUnits) {
    case 4: return 1000;  // millimetres
    case 5: return 100;   // centimetres
    case 6: return 1;     // metres
    case 7: return 0;     // kilometres: no whole number
    default: return 0;
  }
}

std::vector<std::string> handleTexts(const Drawing& d, const std::vector<RecordId>& ids) {
  std::vector<std::string> out;
  out.reserve(ids.size());
  for (RecordId id : ids) out.push_back(utf16ToUtf8(handleText(d.record(id).handle)));
  return out;
}

}  // namespace

CadHost::CadHost(CadhostOptions options, std::unique_ptr<Drawing> drawing, Script script)
    : options_(std::move(options)), drawing_(std::move(drawing)), script_(std::move(script)),
      blockWalk_(*drawing_) {
  // Before the host becomes current: a malformed record file stops the run.
  products_ = loadHostProducts(options_, productsSource_);
  CadHost* expected = nullptr;
  if (!g_host.compare_exchange_strong(expected, this)) throw std::logic_error("one host at a time");
  log_.setCommandThread();
  if (!options_.logPath.empty() && !log_.open(options_.logPath)) {
    g_host.store(nullptr);
    throw std::runtime_error(options_.logPath + ": cannot write the log");
  }
  ucs_ = options_.ucs ? *options_.ucs : UcsFrame(drawing_->ucsOrigin(), drawing_->ucsXDirection());
  int factor = options_.unitFactor.value_or(unitsPerMetre(drawing_->insUnits()));
  if (factor <= 0) factor = 1000;
  unitFactor_.store(factor);
  std::string folder = options_.hostDir;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  hostFolder_ = hvUtf8ToWide(folder);
  userFolder_ = hostFolder_ + u"/user/";
  allUsersFolder_ = hostFolder_ + u"/common/";
  drawing_->onRecordCreated = [this](std::u16string_view table, std::u16string_view name) {
    write(JsonLine().text("kind", "table").text("table", table).text("name", name));
  };
  fillHostWords(table_, !options_.hideWord138);
  std::u16string letters;
  if (products_)
    for (char16_t letter : products_->letters()) letters += letter;
  write(JsonLine().text("kind", "products").text("file", productsSource_).text("professions", letters));
}

CadHost::~CadHost() {
  // A module loaded from a file stays loaded (see the header).
  if (registered_) {
    hvSetMessageBoxListener({});
    hvSetMessageBoxEcho(true);
    dropQueuedMessageBoxAnswer();
    for (HMODULE m : hostModules_) hvUnregisterModule(m);
    if (window_ != nullptr) DestroyWindow(window_);
  }
  drawing_->onRecordCreated = nullptr;
  g_host.store(nullptr);
}

CadHost* CadHost::current() { return g_host.load(); }

JsonLine CadHost::wordLine(int word) {
  JsonLine line;
  line.text("kind", "word").integer("word", word);
  return line;
}

JsonLine CadHost::slotLine(int slot) {
  JsonLine line;
  line.text("kind", "slot").integer("slot", slot).text("name", hostApiSlotNames[slot]);
  return line;
}

bool CadHost::injectFailure(int word, JsonLine& line) {
  if (options_.failWords.empty()) return false;
  const int call = ++wordCalls_[word];
  for (const InjectedFailure& failure : options_.failWords) {
    if (failure.word != word || failure.call != call) continue;
    line.boolean("injected", true).integer("call", call);
    return true;
  }
  return false;
}

void CadHost::fault(const std::string& message) {
  write(JsonLine().text("kind", "fault").text("message", message));
  std::fprintf(stderr, "cadhost: %s\n", message.c_str());
  if (commandActive_) commandFailed_ = true;
  else runFailed_ = true;
}

// ------------------------------------------------------------ registration

void CadHost::registerTables() {
  if (registered_) return;
  window_ = hvCreateWindow();
  auto add = [this](const std::u16string& file, std::vector<HvModuleExport> exports, HvModuleLoad load) {
    HMODULE m = hvRegisterModule(file, std::move(exports), load);
    if (m == nullptr)
      throw std::runtime_error("cannot register " + hvWideToUtf8(file) + ": a module of that name exists already");
    hostModules_.push_back(m);
  };
  registered_ = true;
  add(hostFolder_ + u"/" + hostExecutableName,
      {hvExport(hostExportTableExport, GetExport2DProc{getExport2DExport}),
       hvExport(hostScriptedDialogExport, HvRunScriptedDialogProc{runScriptedDialogExport})},
      HvModuleLoad::now);
  add(hostFolder_ + u"/" + hostApiModuleName, hostApiExports(), HvModuleLoad::now);
  if (options_.floorLibrary)
    add(hostFolder_ + u"/" + floorLibraryModuleName, floorLibraryExports(), HvModuleLoad::onRequest);
  if (options_.descFormatter)
    add(hostFolder_ + u"/" + descFormatterModuleName, descFormatterExports(), HvModuleLoad::onRequest);
  const Point3& o = ucs_.origin();
  const Point3& x = ucs_.xDirection();
  write(JsonLine()
            .text("kind", "host")
            .text("folder", hostFolder_)
            .integer("unitFactor", unitFactor())
            .reals("ucs", {o.x, o.y, x.x, x.y})
            .text("handOver", options_.handOver == HandOverMode::Deferred    ? "deferred"
                              : options_.handOver == HandOverMode::Immediate ? "immediate"
                                                                             : "log")
            .boolean("word138", !options_.hideWord138)
            .boolean("floorLibrary", options_.floorLibrary)
            .boolean("descFormatter", options_.descFormatter));
  // The host echoes the boxes itself, with their answers (onMessageBox).
  hvSetMessageBoxEcho(false);
  hvSetMessageBoxListener([this](const HvMessageBoxRecord& record) { onMessageBox(record); });
}

bool CadHost::loadModule(const std::string& path, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    error = path + ": the module file does not exist";
    return false;
  }
  // One loaded by an earlier host of the process is taken up again.
  const std::u16string file = hvUtf8ToWide(path);
  HMODULE m = GetModuleHandleW(file.c_str());
  if (m != nullptr) {
    char16_t loadedFile[4096] = {};
    const DWORD length = GetModuleFileNameW(m, loadedFile, 4096);
    if (std::u16string_view(loadedFile, std::min<DWORD>(length, 4095)) != file) {
      error = path + ": a module of that name is loaded from another file";
      return false;
    }
  }
  const bool loaded = m == nullptr;
  if (loaded) m = hvRegisterSharedObject(file, path, {}, HvModuleLoad::now);
  if (m == nullptr) {
    error = path + ": the module does not load";
    return false;
  }
  module_ = m;
  write(JsonLine().text("kind", "module").text("event", loaded ? "loaded" : "taken up").text("file", path));
  if (CWinApp* app = AfxGetApp()) {
    const BOOL ok = app->InitInstance();
    write(JsonLine().text("kind", "module").text("event", "InitInstance").integer("answer", ok));
  }
  return true;
}

// ------------------------------------------------------------ script run

int CadHost::run() {
  const std::vector<ScriptItem>& items = script_.items();
  std::size_t i = 0;
  while (i < items.size()) {
    const ScriptItem& item = items[i];
    switch (item.kind) {
      case ScriptKind::Command: {
        std::size_t end = i + 1;
        while (end < items.size() && items[end].inCommand) ++end;
        runCommand(i, end);
        i = end;
        continue;
      }
      case ScriptKind::Select:
        selectOutside(item);
        break;
      case ScriptKind::Save:
        if (!save(item)) {
          // Nothing is written after a broken step.
          write(JsonLine().text("kind", "script").integer("line", static_cast<std::int64_t>(item.line))
                    .text("stopped", "the save failed; the lines after it are not run"));
          return 1;
        }
        break;
      case ScriptKind::Summary:
        summary(item);
        break;
      case ScriptKind::End:
        break;
      default:
        // The parser lets no other input line stand outside a command.
        scriptError(item, "input line outside a command");
        break;
    }
    ++i;
  }
  return runFailed_ ? 1 : 0;
}

std::string CadHost::at(std::size_t line) const { return script_.name() + ":" + std::to_string(line) + ": "; }

void CadHost::scriptError(const ScriptItem& item, const std::string& message) {
  const std::string text = at(item.line) + message;
  std::fprintf(stderr, "cadhost: %s\n", text.c_str());
  write(JsonLine().text("kind", "script").integer("line", static_cast<std::int64_t>(item.line)).text("error", message));
  runFailed_ = true;
}

void CadHost::runCommand(std::size_t index, std::size_t blockEnd) {
  const ScriptItem& item = script_.items()[index];
  {
    std::lock_guard lock(inputMutex_);
    block_ = {index + 1, blockEnd};
    commandActive_ = true;
    commandFailed_ = false;
    rolledBack_ = false;
    commandIndex_ = index;
    reportedInput_ = SIZE_MAX;
    queueMessageBoxAnswer();
  }
  dialogShows_ = 0;
  lastSelectLine_ = 0;
  lastSelectPrompt_.clear();
  pendingPrompt_.clear();
  outputPending_ = false;
  pendingSelect_ = nullptr;
  selection_.clear();
  selectionNext_ = 0;
  eraseMarks_.clear();
  wordCalls_.clear();
  write(JsonLine().text("kind", "command").text("event", "start").integer("line", static_cast<std::int64_t>(item.line)).text("name", item.name));

  FARPROC entry = module_ != nullptr ? GetProcAddress(module_, item.name.c_str()) : nullptr;
  if (entry == nullptr) {
    std::string message = module_ == nullptr ? "no module is loaded to run command " + item.name
                                             : "the module exports no command " + item.name;
    std::string names;
    for (const std::string& name : moduleCommandNames(options_.modulePath)) names += (names.empty() ? "" : ", ") + name;
    if (module_ != nullptr && !names.empty()) message += "; its commands: " + names;
    scriptError(item, message);
    finishCommand(item, false);
    return;
  }
  try {
    reinterpret_cast<void (*)()>(entry)();
  } catch (const std::exception& e) {
    fault(std::string("command ") + item.name + " threw: " + e.what());
  } catch (...) {
    fault(std::string("command ") + item.name + " threw an exception");
  }
  finishCommand(item, true);
}

void CadHost::finishCommand(const ScriptItem& item, bool started) {
  if (started) {
    Drawing& d = *drawing_;
    if (d.transactionOpen() && options_.keepPartial) {
      d.commit();
      changedSinceSave_ = changedSinceSave_ || outputPending_;
      fault("command " + item.name + " ended with an open transaction; its partial output was kept");
    } else if (d.endCommand()) {
      rolledBack_ = true;
      fault("command " + item.name + " ended with an open transaction; its output was rolled back");
    }
    if (!eraseMarks_.empty()) {
      std::vector<std::string> handles;
      for (Handle h : eraseMarks_) handles.push_back(utf16ToUtf8(handleText(h)));
      write(JsonLine().text("kind", "erase").text("event", "dropped").texts("handles", handles));
      eraseMarks_.clear();
    }
  }
  outputPending_ = false;
  std::size_t unusedFrom = 0;
  std::size_t unusedTo = 0;
  std::size_t reported = SIZE_MAX;
  {
    std::lock_guard lock(inputMutex_);
    dropQueuedMessageBoxAnswer();
    unusedFrom = block_.position;
    unusedTo = block_.end;
    reported = reportedInput_;
    block_ = {};
    commandActive_ = false;
  }
  const auto& items = script_.items();
  for (std::size_t i = unusedFrom; i < unusedTo; ++i) {
    const ScriptItem& unused = items[i];
    if (!started) {
      write(JsonLine().text("kind", "script").integer("line", static_cast<std::int64_t>(unused.line)).text("skipped", unused.source));
      continue;
    }
    commandFailed_ = true;
    // The line the command found in place of what it asked for is reported.
    if (i == reported) continue;
    std::string message = "input not used by command " + item.name + ": " + unused.source;
    if (unused.kind == ScriptKind::Dialog)
      message += dialogShows_ == 0 ? " (the command ended without showing a dialog)" : " (its dialog had ended)";
    scriptError(unused, message);
  }
  pendingSelect_ = nullptr;
  selection_.clear();
  narrowTexts_.clear();
  narrowArrays_.clear();
  realArrays_.clear();
  const bool failed = !started || commandFailed_ || rolledBack_;
  if (failed) {
    runFailed_ = true;
    failedSinceSave_.emplace_back(item.name, item.line);
  }
  write(JsonLine()
            .text("kind", "command")
            .text("event", "end")
            .integer("line", static_cast<std::int64_t>(item.line))
            .text("name", item.name)
            .text("result", !started ? "not run" : rolledBack_ ? "rolled back" : failed ? "failed" : "ok"));
}

void CadHost::selectionNotes(const ScriptItem& item, const std::vector<std::string>& notes) {
  // A handle that selects nothing means the line did not do what it says.
  for (const std::string& note : notes)
    std::fprintf(stderr, "cadhost: %s:%zu: %s\n", script_.name().c_str(), item.line, note.c_str());
  if (notes.empty()) return;
  if (commandActive_) commandFailed_ = true;
  else runFailed_ = true;
}

void CadHost::selectOutside(const ScriptItem& item) {
  SelectionResult result = EntitySelector(*drawing_).select(item.select);
  write(JsonLine()
            .text("kind", "select")
            .integer("line", static_cast<std::int64_t>(item.line))
            .text("spec", item.source)
            .texts("handles", handleTexts(*drawing_, result.entities))
            .texts("notes", result.notes));
  selectionNotes(item, result.notes);
  reportEmptySelection(item, result.entities);
  topSelections_.push_back({&item, std::move(result.entities)});
}

void CadHost::summary(const ScriptItem& item) {
  std::string array = "[";
  if (topSelections_.empty()) std::printf("no selection since the last summary\n");
  for (const TopSelection& s : topSelections_) {
    SelectionSummary sum = SelectionSummary::of(*drawing_, s.entities);
    std::printf("selection at line %zu (%s):\n%s", s.item->line, s.item->source.c_str(), sum.text().c_str());
    JsonLine one;
    one.integer("line", static_cast<std::int64_t>(s.item->line)).text("spec", s.item->source);
    sum.addTo(one);
    if (array.size() > 1) array += ",";
    array += one.str();
  }
  array += "]";
  std::fflush(stdout);
  write(JsonLine().text("kind", "summary").integer("line", static_cast<std::int64_t>(item.line)).raw("selections", array));
  topSelections_.clear();
}

bool CadHost::save(const ScriptItem& item) {
  std::filesystem::path path = item.name;
  if (path.is_relative() && !options_.outDir.empty()) path = std::filesystem::path(options_.outDir) / path;
  const std::string file = namesFolder(item.name) ? item.name : path.string();
  const std::string problem = saveTargetProblem(
      file, {{options_.drawingPath, "the drawing loaded"}, {options_.scriptPath, "the script"},
             {options_.logPath == "-" ? std::string() : options_.logPath, "the call log"}});
  if (!problem.empty()) {
    scriptError(item, "cannot save " + file + ": " + problem);
    return false;
  }
  try {
    DxfWriter::writeFile(*drawing_, file);
  } catch (const std::exception& e) {
    scriptError(item, std::string("cannot save: ") + e.what());
    return false;
  }
  std::size_t entities = 0;
  for (RecordId id : drawing_->entitiesSection()) entities += drawing_->isLive(id) ? 1 : 0;
  std::printf("saved %s (%zu entities)\n", file.c_str(), entities);
  std::fflush(stdout);
  reportSaveAfterFailures(item);
  write(JsonLine()
            .text("kind", "save")
            .integer("line", static_cast<std::int64_t>(item.line))
            .text("file", file)
            .integer("entities", static_cast<std::int64_t>(entities))
            .texts("erased", handleTexts(*drawing_, drawing_->erasedEntities())));
  return true;
}

// ------------------------------------------------------------ script input

const ScriptItem* CadHost::takeInput(ScriptKind kind, const char* requester, std::u16string_view prompt) {
  std::lock_guard lock(inputMutex_);
  const auto& items = script_.items();
  JsonLine line;
  line.text("kind", "script").text("wanted", scriptKindName(kind)).text("requester", requester);
  if (!commandActive_ || block_.position >= block_.end) {
    line.text("error", "script exhausted");
  } else if (items[block_.position].kind != kind) {
    const ScriptItem& found = items[block_.position];
    line.text("error", "script mismatch").integer("line", static_cast<std::int64_t>(found.line)).text("found", found.source);
  } else {
    const ScriptItem* item = &items[block_.position++];
    queueMessageBoxAnswer();
    return item;
  }
  log_.write(line);
  reportMissingInput(kind, requester, prompt);
  commandFailed_ = true;
  return nullptr;
}

void CadHost::reportMissingInput(ScriptKind kind, const char* requester, std::u16string_view prompt) {
  const auto& items = script_.items();
  const std::string what = inputRequestText(kind, requester, prompt);
  if (!commandActive_) {
    std::fprintf(stderr, "cadhost: the module asks for %s while no command runs\n", what.c_str());
    return;
  }
  const ScriptItem& command = items[commandIndex_];
  const std::string asker = (kind == ScriptKind::Dialog ? "the dialog of command " : "command ") + command.name;
  std::string message;
  if (block_.position >= block_.end) {
    // After the block's last line (or the command's, for an empty block).
    const std::size_t last = block_.end > commandIndex_ + 1 ? items[block_.end - 1].line : command.line;
    message = at(last) + asker + " asks for " + what + ", but no line of the command's input block is left";
    if (kind == ScriptKind::Dialog)
      message += std::string(": the block has no `dialog end` for the dialog (") + dialogEndCodes +
                 "), which ends as cancelled";
  } else {
    const ScriptItem& found = items[block_.position];
    reportedInput_ = block_.position;
    message = at(found.line) + asker + " asks for " + what + ", not for this line: " + found.source;
    if (kind == ScriptKind::Select && lastSelectLine_ != 0)
      message += "; line " + std::to_string(lastSelectLine_) + " answered the selection before it (\"" +
                 utf16ToUtf8(lastSelectPrompt_) +
                 "\"): each selection a command asks for is a select line of its own, in the order it asks "
                 "(see cadhost --help)";
    if (kind == ScriptKind::Dialog) message += "; the dialog ends as cancelled";
  }
  std::fprintf(stderr, "cadhost: %s\n", message.c_str());
}

void CadHost::reportEmptySelection(const ScriptItem& item, const std::vector<RecordId>& selected) {
  if (!selected.empty() || item.select.emptyOk || item.select.mode == SelectSpec::Mode::Cancel ||
      item.select.mode == SelectSpec::Mode::Fail)
    return;
  std::fprintf(stderr, "cadhost: %s%s selects nothing%s\n", at(item.line).c_str(), item.source.c_str(),
               commandActive_ ? ": the command gets no selection (-5001); `empty-ok` at the line's end hands "
                                "over an empty one"
                              : "");
}

void CadHost::reportSaveAfterFailures(const ScriptItem& item) {
  if (failedSinceSave_.empty()) {
    changedSinceSave_ = false;
    return;
  }
  std::string commands;
  for (const auto& [name, line] : failedSinceSave_)
    commands += (commands.empty() ? "" : ", ") + name + " (line " + std::to_string(line) + ")";
  const char* plural = failedSinceSave_.size() > 1 ? "s" : "";
  if (changedSinceSave_)
    std::fprintf(stderr, "cadhost: %sthe drawing is saved after the failed command%s %s, with the output committed "
                 "before\n", at(item.line).c_str(), plural, commands.c_str());
  else
    std::fprintf(stderr, "cadhost: %sthe drawing is saved unchanged: the command%s %s failed and drew nothing\n",
                 at(item.line).c_str(), plural, commands.c_str());
  failedSinceSave_.clear();
  changedSinceSave_ = false;
}

void CadHost::queueMessageBoxAnswer() {
  if (answerQueued_ || !commandActive_ || block_.position >= block_.end) return;
  const ScriptItem& next = script_.items()[block_.position];
  if (next.kind != ScriptKind::MsgBox) return;
  hvQueueMessageBoxAnswer(next.answer);
  answerQueued_ = true;
}

void CadHost::dropQueuedMessageBoxAnswer() {
  if (!answerQueued_) return;
  hvClearMessageBoxLog();  // also drops the answer still queued
  answerQueued_ = false;
}

void CadHost::onMessageBox(const HvMessageBoxRecord& record) {
  JsonLine line;
  line.text("kind", "msgbox")
      .text("icon", messageBoxIconName(record.flags))
      .integer("flags", record.flags)
      .text("caption", record.caption)
      .text("text", record.text)
      .integer("answer", record.answer);
  if (record.stringNumber != 0) line.integer("string", record.stringNumber);
  std::string answeredBy = "by default";
  {
    std::lock_guard lock(inputMutex_);
    if (answerQueued_) {
      // The box took the answer of the msgbox line at the input position.
      answerQueued_ = false;
      const std::size_t answering = script_.items()[block_.position].line;
      line.integer("line", static_cast<std::int64_t>(answering));
      answeredBy = "line " + std::to_string(answering);
      ++block_.position;
      queueMessageBoxAnswer();
    }
  }
  log_.write(line);
  if (options_.echoMessageBoxes)
    std::fprintf(stderr, "cadhost: %s\n", messageBoxEcho(record, answeredBy).c_str());
  // The selection is the command thread's, as is every box that refuses a
  // manifold.
  if (record.stringNumber == kManifoldRefusedText && std::this_thread::get_id() == commandThread_ && commandActive_)
    reportManifoldRefusal();
}

void CadHost::reportManifoldRefusal() {
  for (const RecordId id : selection_) {
    if (!drawing_->isLive(id) || drawing_->record(id).type() != u"INSERT") continue;
    const std::vector<std::string> misses = manifoldMisses(*drawing_, id, products_.get(), productsSource_);
    const std::string handle = utf16ToUtf8(handleText(drawing_->record(id).handle));
    std::string said;
    for (const std::string& miss : misses) said += (said.empty() ? "" : "; ") + miss;
    write(JsonLine().text("kind", "manifold").text("handle", handle).texts("misses", misses));
    std::fprintf(stderr, "cadhost: %sthe module refused block reference %s (block %s) as its manifold: %s (see "
                 "cadhost --help manifold)\n", at(lastSelectLine_).c_str(), handle.c_str(),
                 utf16ToUtf8(groupText(drawing_->record(id).list, 2)).c_str(),
                 said.empty() ? "cadhost finds no requirement it misses" : said.c_str());
  }
}

// ------------------------------------------------------------ selection

int CadHost::selectionRequest(int word, const char* prompt, int mode, int filter) {
  JsonLine line = wordLine(word);
  line.text("prompt", narrowToWide(prompt)).integer("mode", mode).integer("filter", filter);
  const bool promptCall = mode == 1 || mode == 2;
  if (injectFailure(word, line)) {
    write(line.integer("answer", hostStatus::error));
    return hostStatus::error;
  }
  const ScriptItem* item = nullptr;
  const std::u16string shown = narrowToWide(prompt);
  const char* requester = word == 37 ? "word 37" : "word 138";
  if (promptCall) {
    pendingSelect_ = nullptr;
    item = takeInput(ScriptKind::Select, requester, shown);
  } else {
    item = pendingSelect_ != nullptr ? pendingSelect_ : takeInput(ScriptKind::Select, requester, shown);
    pendingSelect_ = nullptr;
  }
  if (item != nullptr && item->line != lastSelectLine_) {
    lastSelectLine_ = item->line;
    lastSelectPrompt_ = shown.empty() ? pendingPrompt_ : shown;
  }
  if (promptCall) pendingPrompt_ = shown;
  int answer = hostStatus::normal;
  if (item == nullptr) {
    answer = hostStatus::error;
  } else {
    line.integer("line", static_cast<std::int64_t>(item->line));
    if (item->select.mode == SelectSpec::Mode::Cancel) {
      answer = hostStatus::cancelled;
    } else if (item->select.mode == SelectSpec::Mode::Fail) {
      answer = hostStatus::error;
    } else if (promptCall) {
      pendingSelect_ = item;
    } else {
      SelectionResult result = EntitySelector(*drawing_).select(item->select);
      selection_ = std::move(result.entities);
      selectionNext_ = 0;
      line.texts("selected", handleTexts(*drawing_, selection_)).texts("notes", result.notes);
      selectionNotes(*item, result.notes);
      reportEmptySelection(*item, selection_);
      if (selection_.empty() && !item->select.emptyOk) answer = hostStatus::error;
    }
  }
  write(line.integer("answer", answer));
  return answer;
}

resbuf* CadHost::nextSelected(int word) {
  JsonLine line = wordLine(word);
  while (selectionNext_ < selection_.size()) {
    const RecordId id = selection_[selectionNext_++];
    if (!drawing_->isLive(id)) continue;
    resbuf* list = newResbufList(drawing_->handOutList(id));
    line.text("handle", handleText(drawing_->record(id).handle)).text("type", drawing_->record(id).type());
    write(line.text("answer", list ? "list" : "out of memory"));
    return list;
  }
  write(line.null("answer"));
  return nullptr;
}

// ------------------------------------------------------------ output

void CadHost::openTransaction() {
  const bool nested = drawing_->transactionOpen();
  drawing_->beginTransaction();
  write(wordLine(17).boolean("nested", nested));
}

void CadHost::endOutput(std::uint32_t code) {
  JsonLine line = wordLine(19);
  line.integer("code", code);
  const bool open = drawing_->transactionOpen();
  if (code == 1) {
    drawing_->commit();
    // Only what the commit erased: a handed entity written again under its
    // handle was replaced, and stays.
    std::vector<std::string> erased;
    for (Handle h : eraseMarks_) {
      const RecordId id = drawing_->findByHandle(h);
      if (id != kNoRecord && !drawing_->isLive(id)) erased.push_back(utf16ToUtf8(handleText(h)));
    }
    eraseMarks_.clear();
    changedSinceSave_ = changedSinceSave_ || outputPending_ || !erased.empty();
    outputPending_ = false;
    line.text("result", open ? "committed" : "end of command").texts("erased", erased);
  } else if (open) {
    drawing_->rollback();
    eraseMarks_.clear();
    outputPending_ = false;
    rolledBack_ = true;
    line.text("result", "rolled back");
  } else {
    // An end without output: the handed entities stay where they are.
    if (!eraseMarks_.empty()) {
      std::vector<std::string> dropped;
      for (Handle h : eraseMarks_) dropped.push_back(utf16ToUtf8(handleText(h)));
      line.texts("dropped", dropped);
    }
    drawing_->dropEraseMarks();
    eraseMarks_.clear();
    line.text("result", "end of command");
  }
  write(line);
  if (open && code != 1) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", code);
    fault(std::string("word 19 rolled the output back (code ") + hex + ")");
  }
}

int CadHost::makeEntity(const resbuf* list) {
  JsonLine line = wordLine(114);
  GroupList groups;
  std::string error;
  std::size_t skipped = 0;
  int answer = hostStatus::error;
  if (injectFailure(114, line)) {
    // Refused as a host refuses a list it cannot take: nothing is made.
  } else if (list == nullptr) {
    line.text("error", "no list");
  } else if (!readResbufList(list, groups, error, &skipped)) {
    line.text("error", error);
  } else {
    const bool open = drawing_->transactionOpen();
    MakeResult result = drawing_->makeEntity(groups);
    static const char* const statusNames[] = {"made", "updated", "unchanged", "pending", "refused"};
    line.text("type", groups.empty() ? std::u16string() : std::u16string(groupText(groups, 0)))
        .text("status", statusNames[static_cast<int>(result.status)]);
    if (result.record != kNoRecord) line.text("handle", handleText(drawing_->record(result.record).handle));
    if (skipped) line.integer("skippedNodes", static_cast<std::int64_t>(skipped));
    if (!result.ok()) line.text("error", result.message);
    else if (!open) line.boolean("outsideTransaction", true);
    if (result.ok()) answer = hostStatus::normal;
    if (result.status == MakeStatus::Made || result.status == MakeStatus::Updated ||
        result.status == MakeStatus::Pending)
      (open ? outputPending_ : changedSinceSave_) = true;
  }
  write(line.integer("answer", answer));
  return answer;
}

void CadHost::handOver(const char16_t* const* handles, int count, int flag) {
  JsonLine line = wordLine(142);
  constexpr int kMaxHandles = 1'000'000;
  std::vector<std::string> given;
  std::vector<std::string> unknown;
  const char* mode = options_.handOver == HandOverMode::Deferred    ? "deferred"
                     : options_.handOver == HandOverMode::Immediate ? "immediate"
                                                                    : "log";
  EntitySelector selector(*drawing_);
  for (int i = 0; handles != nullptr && i < count && i < kMaxHandles && handles[i] != nullptr; ++i) {
    const std::u16string text(handles[i]);
    given.push_back(utf16ToUtf8(text));
    const RecordId id = drawing_->findByHandleText(text);
    if (id == kNoRecord || !selector.selectable(id)) {
      unknown.push_back(utf16ToUtf8(text));
      continue;
    }
    if (options_.handOver == HandOverMode::Deferred) {
      if (!drawing_->isErasePending(id)) eraseMarks_.push_back(drawing_->record(id).handle);
      drawing_->markErase(id);
    } else if (options_.handOver == HandOverMode::Immediate) {
      drawing_->erase(id);
      changedSinceSave_ = true;
    }
  }
  write(line.integer("count", count).integer("flag", flag).text("mode", mode).texts("handles", given).texts("notSelectable", unknown));
}

// ------------------------------------------------------------ narrow storage

const char* CadHost::keepNarrow(int key, std::string text) {
  std::string& kept = narrowTexts_[key];
  kept = std::move(text);
  return kept.c_str();
}

const char* const* CadHost::keepNarrowArray(int key, std::vector<std::string> texts, int& count) {
  auto& [strings, pointers] = narrowArrays_[key];
  strings = std::move(texts);
  pointers.clear();
  for (const std::string& s : strings) pointers.push_back(s.c_str());
  pointers.push_back(nullptr);
  count = static_cast<int>(strings.size());
  return pointers.data();
}

const double* CadHost::keepReals(int key, std::vector<double> values) {
  std::vector<double>& kept = realArrays_[key];
  kept = std::move(values);
  return kept.data();
}

// ------------------------------------------------------------ dialog

int CadHost::runScriptedDialog(const char16_t* name, HvDialogDriverProc driver, void* context) {
  const std::u16string dialogName = name ? name : u"";
  write(JsonLine().text("kind", "dialog").text("event", "open").text("name", dialogName));
  ++dialogShows_;
  // A refused step ends the show as cancelled: what it would have drawn is
  // not what the script says. The steps after it are still taken.
  std::size_t refusedLine = 0;
  // Each step takes one input line, so the loop ends with the block.
  for (;;) {
    const ScriptItem* item = takeInput(ScriptKind::Dialog, "dialog");
    if (item == nullptr) {
      write(JsonLine().text("kind", "dialog").text("event", "end").text("name", dialogName).integer("code", hostStatus::error));
      return hostStatus::error;
    }
    const DialogStepSpec& s = item->dialog;
    HvDialogStep step{};
    step.kind = static_cast<std::int32_t>(s.kind) + hvDialogWait;
    step.line = static_cast<std::int32_t>(item->line);
    step.seconds = s.seconds;
    step.setter = s.kind == DialogStepSpec::Kind::Set ? s.setter.c_str() : nullptr;
    step.value = s.kind == DialogStepSpec::Kind::Set ? s.value.c_str() : nullptr;
    step.target = static_cast<std::int32_t>(s.target);
    step.targetIndex = s.targetIndex;
    step.endCode = s.endCode;
    step.first = s.first;
    step.second = s.second;
    step.mode = s.mode;
    step.option = s.option;
    std::vector<HvDialogStepItem> items;
    for (const DialogItemSpec& spec : s.items) items.push_back({spec.kind, spec.first, spec.second});
    step.itemCount = static_cast<std::int32_t>(items.size());
    step.items = items.empty() ? nullptr : items.data();
    std::u16string reply(static_cast<std::size_t>(hvDialogReplyCapacity), u'\0');
    step.reply = reply.data();
    step.replyCapacity = hvDialogReplyCapacity;
    // A length no floor holds is refused before the dialog sees it.
    const std::string hostRefusal =
        s.kind == DialogStepSpec::Kind::Set ? hostDialogRefusal(s.setter, s.value) : std::string();
    if (!hostRefusal.empty()) {
      const std::u16string why = hvUtf8ToWide(hostRefusal);
      std::copy_n(why.begin(), std::min<std::size_t>(why.size(), reply.size() - 1), reply.begin());
    }
    const int status = !hostRefusal.empty() ? hostStatus::error
                       : driver != nullptr  ? driver(context, &step)
                                            : hostStatus::error;
    // The driver may leave the buffer unterminated: it is read up to the
    // terminator's place, the buffer's last unit.
    reply.resize(std::min(reply.find(u'\0'), reply.size() - 1));
    JsonLine stepLine;
    stepLine.text("kind", "dialog")
        .text("event", "step")
        .integer("line", static_cast<std::int64_t>(item->line))
        .text("step", item->source)
        .integer("status", status);
    if (!reply.empty()) stepLine.text("reply", reply);
    if (!hostRefusal.empty()) stepLine.text("refusedBy", "cadhost");
    write(stepLine);
    if (status != hostStatus::normal) {
      fault(at(item->line) + "the dialog did not take the step: " + item->source +
            (reply.empty() ? std::string() : ": " + utf16ToUtf8(reply)));
      if (refusedLine == 0) refusedLine = item->line;
    }
    // An end the dialog refuses (a join of zones it cannot join) leaves it
    // open: the next dialog line goes on.
    if (s.kind == DialogStepSpec::Kind::End && status == hostStatus::normal) {
      JsonLine end;
      end.text("kind", "dialog").text("event", "end").text("name", dialogName);
      int code = s.endCode;
      if (refusedLine != 0 && code != IDCANCEL) {
        code = IDCANCEL;
        end.integer("refusedStep", static_cast<std::int64_t>(refusedLine));
        std::fprintf(stderr,
                     "cadhost: %sthe dialog ends as cancelled, not with `%s`: it refused the step at line %zu\n",
                     at(item->line).c_str(), item->source.c_str(), refusedLine);
      }
      write(end.integer("code", code));
      return code;
    }
  }
}

}  // namespace cadhost
