// The command line of the cadhost executable.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/cadhost/HelpTopics.h"
#include "platform/cadhost/UcsFrame.h"

namespace cadhost {

// What word 142 does with the handles it is given.
enum class HandOverMode {
  Deferred,   // erase marks that the next commit of the command makes final
  LogOnly,    // only logged
  Immediate,  // erased at once
};

// A call of a host word that is made to fail: the `call`-th call (from 1) of
// word `word` within one command answers -5001 (--fail-word N@K).
struct InjectedFailure {
  int word = 0;
  int call = 0;
};

// The words whose failure can be injected: those that answer a host status.
bool failureInjectable(int word);

struct CadhostOptions {
  std::string drawingPath;
  std::string scriptPath;
  std::string hostDir;     // absolute; the data folder of the host
  std::string logPath;     // empty: no log; "-": standard output
  std::string modulePath;  // the module to load
  std::string outDir;      // where relative `save` files go; empty: the working folder
  std::optional<int> unitFactor;  // instead of the drawing's $INSUNITS
  double scale = 1.0;             // word 32
  double annotationScale = 1.0;   // word 216
  bool hideWord138 = false;       // modules then fall back to word 37
  HandOverMode handOver = HandOverMode::Deferred;
  bool keepPartial = false;       // keep the output of a command that ends inside a transaction
  std::optional<UcsFrame> ucs;    // instead of the drawing's $UCSORG/$UCSXDIR
  bool floorLibrary = true;       // register the floor-structure library stand-in
  std::string productsPath;       // the product records (word 51); "none": no databases;
                                  // empty: <host-dir>/Dat/QevProducts.dat when present
  bool echoMessageBoxes = true;   // message boxes also on standard error
  bool descFormatter = true;      // register the description formatter stand-in
  std::vector<InjectedFailure> failWords;  // --fail-word, in the order given
};

struct ParsedArguments {
  enum class Outcome { Run, Help, Error };
  Outcome outcome = Outcome::Error;
  CadhostOptions options;
  std::string message;  // the error
  std::optional<HelpTopic> helpTopic;  // Help: --help TOPIC; none: the general help
};

// `defaultModule` and `defaultHostDir` stand where the options give none.
ParsedArguments parseArguments(int argc, const char* const* argv, const std::string& defaultModule,
                               const std::string& defaultHostDir);

// The text of --help (options and the script language, and the topics of
// --help TOPIC).
std::string usageText(const std::string& defaultModule, const std::string& defaultHostDir);

}  // namespace cadhost
