// The host's "GetExport2D" table, fetched afresh on every call, with one typed
// accessor per word the module uses. Every accessor tests the table and the
// word and answers nothing (an empty optional, or false) when either is missing.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "host/CallIfPresent.h"
#include "platform/cadhost/HostTables.h"

// The table of the loaded host executable ("REDUZUZI.EXE", else
// "HAVLEN2D.ARX"), or null when neither is loaded or it exports no table.
HostExport2D* getExport2D();
// An export of the loaded host executable (as getExport2D finds it), or null.
FARPROC hostExecutableExport(const char* name);

// Calls a word of the given table (or of a fresh one) with its own argument
// types: the answer, or for words without an answer whether the call was made.
template <int Word, class... A>
auto callHostWordOf(const HostExport2D* table, A&&... args) {
  return callIfPresent(hostWordOf<Word>(table), std::forward<A>(args)...);
}

template <int Word, class... A>
auto callHostWord(A&&... args) {
  return callHostWordOf<Word>(getExport2D(), std::forward<A>(args)...);
}

// Word 20: the host's main window; nothing when the host gives none.
std::optional<HWND> hostMainWindow(const HostExport2D* table);
// Word 33: the host's unit factor (drawing units per metre). Nothing when the
// word is missing or answers 0 or less: the caller then has no unit factor.
std::optional<int> hostUnitFactor();
// Word 178: the host's unit scale.
std::optional<double> hostUnitScale(const HostExport2D* table);
// Word 109: the host folder as the host gives it.
std::optional<std::u16string> hostFolder(const HostExport2D* table);
// Word 180 with 0x10003: the host's data folder.
std::optional<std::u16string> hostDataFolder();
// Words 32 and 216: the drawing and the annotation scale.
std::optional<double> hostDrawingScale();
std::optional<double> hostAnnotationScale();
// Word 51: the product database of a profession letter ('E', 'T', 'V', 'Z',
// either case); nothing for any other letter or when the host has none.
std::optional<void*> hostProductDatabase(char16_t letter);
// The same through the given table (a fresh one when null).
std::optional<void*> hostProductDatabaseOf(const HostExport2D* table, char16_t letter);
// Word 153: opens a topic of the host's help file; false when it cannot.
bool showHostHelp(const char16_t* topic);
