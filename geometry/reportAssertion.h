// The shared library's failure reporter. An internal assumption that fails
// (a boundary that should have been merged, a curve kind a routine does not
// handle) is reported in one common form naming the application, source,
// line and function, the source's time stamp, the build date and the
// compiler version; the reporter then returns 0 and the caller goes on with
// its fallback. Reports go through the failure notice sink (FailureNotice.h),
// which never blocks a worker thread. Every text may be null (read as empty).
#pragma once

#include "platform/win/WinTypes.h"

// The caption of every report.
inline constexpr const WCHAR* HV_ASSERTION_CAPTION = u"Assertion Failed !";

// The flags of the box on the host's thread: stop icon, system modal, set foreground.
constexpr UINT HV_ASSERTION_BOX_FLAGS = 0x12010;

// The version of the compiler that builds the library, as major * 100 + minor.
#if defined(__clang__)
#define HV_COMPILER_VERSION (__clang_major__ * 100 + __clang_minor__)
#elif defined(__GNUC__)
#define HV_COMPILER_VERSION (__GNUC__ * 100 + __GNUC_MINOR__)
#else
#define HV_COMPILER_VERSION 0
#endif

// Reports from the calling source file with its own time stamp and build date.
#define HV_REPORT_ASSERTION(file, line, function)                                              \
  reportAssertion(file, line, u"" __TIMESTAMP__, u"" __TIME__, u"" __DATE__, function, \
                  HV_COMPILER_VERSION)

// file, line and function name the failure; fileStamp is the source's time
// stamp in the compiler's form ("Tue Jul 30 22:02:07 2024"), time and date
// the build time ("11:06:57") and date ("Mar  5 2025"); compilerVersion
// prints as major.minor (1929 as 19.29). The message reads
//   <application>\n<file> (<line>) <function>\n<stamp> modified\n
//   <time date> compiled\nCompiler: <major>.<minor>
// followed by the closing text; dates that parse are printed in the user's
// format, others as they were passed. Always answers 0.
int reportAssertion(LPCWSTR file, int line, LPCWSTR fileStamp, LPCWSTR time, LPCWSTR date,
                    LPCWSTR function, int compilerVersion);

// Narrow variant (code page 1250): "HAVLEN\n<file> (<line>) <function>\n
// Compiler: <major>.<minor>\nInfo: <info>" and the closing text. Answers 0.
int reportAssertionA(LPCSTR file, int line, LPCSTR function, int compilerVersion, LPCSTR info);

// The same report from wide texts. Answers 0.
int reportAssertionInfo(LPCWSTR file, int line, LPCWSTR function, int compilerVersion,
                        LPCWSTR info);
