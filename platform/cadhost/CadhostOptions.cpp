#include "platform/cadhost/CadhostOptions.h"

#include <filesystem>
#include <string_view>

#include "platform/cadhost/DxfNumber.h"
#include "platform/cadhost/SaveTarget.h"
#include "platform/cadhost/Script.h"

namespace cadhost {

namespace {

bool parsePair(const std::string& text, double& a, double& b) {
  const std::size_t comma = text.find(',');
  return comma != std::string::npos && parseDxfReal(std::string_view(text).substr(0, comma), a) &&
         parseDxfReal(std::string_view(text).substr(comma + 1), b);
}

bool parseUcs(const std::string& text, UcsFrame& ucs) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos || comma + 1 >= text.size()) return false;
  const std::size_t second = text.find(',', comma + 1);
  if (second == std::string::npos) return false;
  double ox = 0, oy = 0, dx = 0, dy = 0;
  if (!parsePair(text.substr(0, second), ox, oy) || !parsePair(text.substr(second + 1), dx, dy)) return false;
  if (dx == 0.0 && dy == 0.0) return false;
  ucs = UcsFrame({ox, oy, 0.0}, {dx, dy, 0.0});
  return true;
}

// "N@K" with a word whose failure can be injected and a call from 1.
bool parseFailWord(const std::string& text, InjectedFailure& failure) {
  const std::size_t at = text.find('@');
  if (at == std::string::npos) return false;
  std::int64_t word = 0, call = 0;
  if (!parseDxfInteger(std::string_view(text).substr(0, at), word) ||
      !parseDxfInteger(std::string_view(text).substr(at + 1), call))
    return false;
  if (word < 0 || word > 1000 || !failureInjectable(static_cast<int>(word)) || call < 1 || call > 100000000)
    return false;
  failure = {static_cast<int>(word), static_cast<int>(call)};
  return true;
}

std::string absolute(const std::string& path) {
  std::error_code error;
  auto p = std::filesystem::absolute(path, error);
  return error ? path : p.lexically_normal().string();
}

}  // namespace

bool failureInjectable(int word) {
  switch (word) {
    case 37: case 114: case 118: case 127: case 138: case 198: return true;
    default: return false;
  }
}

std::string usageText(const std::string& defaultModule, const std::string& defaultHostDir) {
  return "usage: cadhost [options] DRAWING.dxf SCRIPT\n"
         "\n"
         "Loads the drawing, registers the host tables, loads the module, runs the\n"
         "script's lines in order and exits 0 when every line did what it says; 1\n"
         "when a command failed or was rolled back, a selection named a handle that\n"
         "selects nothing or a save failed (a failed save also ends the run); 2 on\n"
         "unusable arguments, an unreadable drawing or a malformed script. Why a\n"
         "line did not do what it says is said on standard error, and every message\n"
         "box the module shows is echoed there with its answer (unless --quiet). The\n"
         "module's own messages, prompts and texts are in Czech.\n"
         "\n"
         "Options:\n"
         "  --host-dir DIR        the host's data folder (default: " + defaultHostDir + ")\n"
         "  --module PATH         the module to load (default: " + defaultModule + ")\n"
         "  --log FILE            the call log, one JSON object per line ('-': standard output);\n"
         "                        never the drawing or the script\n"
         "  --out-dir DIR         the folder of relative `save` files, which must exist\n"
         "                        (default: the working folder)\n"
         "  --unit-factor N       drawing units per metre (default: from $INSUNITS, else 1000)\n"
         "  --scale X             the drawing scale (word 32, default 1): the module sizes\n"
         "                        the texts and labels it draws for it\n"
         "  --anno-scale X        the annotation scale (word 216, default 1)\n"
         "  --ucs OX,OY,DX,DY     the user coordinate system (default: $UCSORG, $UCSXDIR)\n"
         "  --142=deferred|log|immediate\n"
         "                        what handed-over handles (word 142) do: erase marks made\n"
         "                        final by the command's next commit and dropped by word 19\n"
         "                        with another code (default), only a log line, or an erase\n"
         "                        at once (outside any output: nothing brings them back)\n"
         "  --keep-partial        keep the output of a command that ends inside a transaction\n"
         "  --no-138              leave selection word 138 out (modules use word 37)\n"
         "  --no-floorlib         no floor-structure library\n"
         "  --no-desc             no description formatter (\"QEV_DESC.CRX\")\n"
         "  --fail-word N@K       the K-th call (from 1) of word N in each command answers\n"
         "                        -5001 and logs \"injected\"; N is one of the words that\n"
         "                        answer a status: 37, 114, 118, 127, 138, 198 (repeatable)\n"
         "  --products FILE|none  the product records that word 51 serves (default:\n"
         "                        <host-dir>/Dat/QevProducts.dat when present; 'none': no\n"
         "                        databases); a malformed file ends the run with exit 2\n"
         "  --quiet               no message-box echo on standard error (the reasons of\n"
         "                        failed lines are still printed)\n"
         "  --help [TOPIC]        this text, or a topic: manifold, dialog, messages\n"
         "\n" +
         std::string(helpTopicsLine) +
         "\n"
         "Log lines: {\"kind\":\"word\",\"word\":N,...,\"answer\":...} for each call of the\n"
         "\"GetExport2D\" table, {\"kind\":\"slot\",\"slot\":N,\"name\":...} for the drawing\n"
         "interface, {\"kind\":\"export\"} for its host values, {\"kind\":\"msgbox\"},\n"
         "{\"kind\":\"dialog\"}, {\"kind\":\"floorlib\"}, {\"kind\":\"command\"}, {\"kind\":\"script\"}\n"
         "(\"script exhausted\", \"script mismatch\", unused lines), {\"kind\":\"fault\"},\n"
         "{\"kind\":\"table\"} (records made on demand), {\"kind\":\"select\"}, {\"kind\":\"summary\"},\n"
         "{\"kind\":\"products\"} (the record file read and its professions),\n"
         "{\"kind\":\"manifold\"} (what a manifold the module refused misses)\n"
         "and {\"kind\":\"save\"}. Lines from other threads carry \"thread\":\"worker\".\n"
         "\n" +
         std::string(scriptLanguageHelp());
}

ParsedArguments parseArguments(int argc, const char* const* argv, const std::string& defaultModule,
                               const std::string& defaultHostDir) {
  ParsedArguments parsed;
  CadhostOptions& o = parsed.options;
  o.modulePath = defaultModule;
  o.hostDir = defaultHostDir;
  std::vector<std::string> files;
  // With --help anywhere, the help is shown for the module the arguments name.
  bool help = false;
  for (int i = 1; i < argc; ++i)
    help = help || std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h";
  auto fail = [&](std::string message) {
    parsed.outcome = help ? ParsedArguments::Outcome::Help : ParsedArguments::Outcome::Error;
    parsed.message = std::move(message);
    return parsed;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--help" || arg == "-h") {
      // A topic may follow; any other word is a file, as without --help.
      if (i + 1 < argc && helpTopicNamed(argv[i + 1])) parsed.helpTopic = helpTopicNamed(argv[++i]);
      continue;
    } else if (arg == "--host-dir" || arg == "--module" || arg == "--log" || arg == "--out-dir") {
      if (!value(v)) return fail(arg + " needs a value");
      (arg == "--host-dir" ? o.hostDir : arg == "--module" ? o.modulePath : arg == "--log" ? o.logPath : o.outDir) = v;
    } else if (arg == "--unit-factor") {
      std::int64_t n = 0;
      if (!value(v) || !parseDxfInteger(v, n) || n <= 0 || n > 1000000)
        return fail("--unit-factor needs a whole number from 1 to 1000000");
      o.unitFactor = static_cast<int>(n);
    } else if (arg == "--scale" || arg == "--anno-scale") {
      double x = 0.0;
      if (!value(v) || !parseDxfReal(v, x) || !(x > 0.0) || x > 1e12) return fail(arg + " needs a positive number");
      (arg == "--scale" ? o.scale : o.annotationScale) = x;
    } else if (arg == "--ucs") {
      UcsFrame ucs;
      if (!value(v) || !parseUcs(v, ucs)) return fail("--ucs needs OX,OY,DX,DY with a non-zero direction");
      o.ucs = ucs;
    } else if (arg.rfind("--142=", 0) == 0) {
      const std::string mode = arg.substr(6);
      if (mode == "deferred") o.handOver = HandOverMode::Deferred;
      else if (mode == "log") o.handOver = HandOverMode::LogOnly;
      else if (mode == "immediate") o.handOver = HandOverMode::Immediate;
      else return fail("--142 takes deferred, log or immediate, not " + mode);
    } else if (arg == "--keep-partial") {
      o.keepPartial = true;
    } else if (arg == "--no-138") {
      o.hideWord138 = true;
    } else if (arg == "--no-floorlib") {
      o.floorLibrary = false;
    } else if (arg == "--no-desc") {
      o.descFormatter = false;
    } else if (arg == "--fail-word") {
      InjectedFailure failure;
      if (!value(v) || !parseFailWord(v, failure))
        return fail("--fail-word needs N@K: N one of 37, 114, 118, 127, 138, 198 and K from 1");
      o.failWords.push_back(failure);
    } else if (arg == "--products") {
      if (!value(o.productsPath) || o.productsPath.empty()) return fail("--products needs a file or none");
    } else if (arg == "--quiet") {
      o.echoMessageBoxes = false;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option " + arg + " (see --help)");
    } else {
      files.push_back(arg);
    }
  }
  if (help) {
    parsed.outcome = ParsedArguments::Outcome::Help;
    if (!o.modulePath.empty()) o.modulePath = absolute(o.modulePath);
    return parsed;
  }
  if (files.size() != 2) return fail("expected a drawing and a script (see --help)");
  o.drawingPath = files[0];
  o.scriptPath = files[1];
  if (o.hostDir.empty()) return fail("no host folder: give --host-dir");
  if (o.modulePath.empty()) return fail("no module: give --module");
  std::error_code error;
  if (!std::filesystem::is_directory(o.hostDir, error)) return fail(o.hostDir + ": the host folder does not exist");
  // The run reads the drawing and the script to their end: no output of it
  // may replace them.
  for (const auto& [option, path] : {std::pair{"--log", o.logPath}, std::pair{"--out-dir", o.outDir}}) {
    if (path.empty() || path == "-") continue;
    const char* used = sameFile(path, o.drawingPath) ? "drawing" : sameFile(path, o.scriptPath) ? "script" : nullptr;
    if (used != nullptr) return fail(std::string(option) + " " + path + " is the " + used + " of the run");
  }
  if (!o.outDir.empty() && !std::filesystem::is_directory(o.outDir, error))
    return fail("--out-dir " + o.outDir + ": the folder does not exist");
  o.hostDir = absolute(o.hostDir);
  o.modulePath = absolute(o.modulePath);
  parsed.outcome = ParsedArguments::Outcome::Run;
  return parsed;
}

}  // namespace cadhost
