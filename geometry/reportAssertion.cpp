#include "geometry/reportAssertion.h"

#include "geometry/FailureNotice.h"
#include "geometry/formatOleDate.h"
#include "platform/win/CWinApp.h"
#include "platform/win/CodePage.h"
#include "platform/win/OleDate.h"
#include "platform/win/WideFormat.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::u16string_view kClosingText =
    u"\nPlease save information provided and report problem.\n"
    u"Program may be unstable or may crash, save your work as soon as You can.";

constexpr LCID kUsEnglish = 1033;

std::u16string_view textOf(LPCWSTR text) { return text ? std::u16string_view(text) : std::u16string_view(); }

// The date written in English, when it parses and lies in the valid range.
bool parseEnglishDate(const std::u16string& text, DATE& date) {
  return VarDateFromStr(text.c_str(), kUsEnglish, 0, &date) == S_OK && date >= HV_DATE_MIN &&
         date <= HV_DATE_MAX;
}

bool isBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

// The words of a text split on runs of blanks.
std::vector<std::u16string_view> wordsOf(std::u16string_view text) {
  std::vector<std::u16string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isBlank(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !isBlank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// The source's time stamp in the user's date format. The compiler's form
// "weekday month day time year" is tried as it is and then as "month day
// year time"; a stamp that still does not parse is shown as passed.
std::u16string modifiedText(std::u16string_view stamp) {
  const std::u16string raw(stamp);
  CString printed;
  DATE date = 0;
  if (parseEnglishDate(raw, date) && formatOleDate(date, printed, 0, LOCALE_USER_DEFAULT))
    return printed.str();

  const std::vector<std::u16string_view> words = wordsOf(stamp);
  if (words.size() < 4) return raw;
  std::u16string rearranged;
  auto add = [&rearranged](std::u16string_view word) {
    if (!rearranged.empty()) rearranged += u' ';
    rearranged += word;
  };
  add(words[1]);
  add(words[2]);
  for (std::size_t i = 4; i < words.size(); ++i) add(words[i]);
  add(words[3]);
  if (parseEnglishDate(rearranged, date) && formatOleDate(date, printed, 0, LOCALE_USER_DEFAULT))
    return printed.str();
  return raw;
}

// The build time and date in the user's format, or as passed.
std::u16string compiledText(std::u16string_view time, std::u16string_view date) {
  std::u16string joined(time);
  joined += u' ';
  joined += date;
  CString printed;
  DATE value = 0;
  if (parseEnglishDate(joined, value) && formatOleDate(value, printed, 0, LOCALE_USER_DEFAULT))
    return printed.str();
  return joined;
}

std::u16string numberText(int value) {
  return hvFormat(u"%d", value).value_or(std::u16string());
}

std::u16string versionText(int compilerVersion) {
  return numberText(compilerVersion / 100) + u'.' + numberText(compilerVersion % 100);
}

std::u16string applicationName() {
  LPCWSTR name = AfxGetAppName();
  return name ? std::u16string(name) : std::u16string(u"<unknown application>");
}

// "HAVLEN\n<file> (<line>) <function>\nCompiler: <version>\nInfo: <info>" and the closing text.
std::u16string infoReport(std::u16string_view file, int line, std::u16string_view function,
                          int compilerVersion, std::u16string_view info) {
  std::u16string text = u"HAVLEN\n";
  text += file;
  text += u" (" + numberText(line) + u") ";
  text += function;
  text += u"\nCompiler: " + versionText(compilerVersion) + u"\nInfo: ";
  text += info;
  text += kClosingText;
  return text;
}

int deliver(std::u16string text) {
  hvDeliverFailureNotice(HV_ASSERTION_CAPTION, std::move(text), HV_ASSERTION_BOX_FLAGS, true);
  return 0;
}

}  // namespace

int reportAssertion(LPCWSTR file, int line, LPCWSTR fileStamp, LPCWSTR time, LPCWSTR date,
                    LPCWSTR function, int compilerVersion) {
  std::u16string text = applicationName();
  text += u'\n';
  text += textOf(file);
  text += u" (" + numberText(line) + u") ";
  text += textOf(function);
  text += u'\n' + modifiedText(textOf(fileStamp)) + u" modified\n";
  text += compiledText(textOf(time), textOf(date)) + u" compiled\n";
  text += u"Compiler: " + versionText(compilerVersion);
  text += kClosingText;
  return deliver(std::move(text));
}

int reportAssertionA(LPCSTR file, int line, LPCSTR function, int compilerVersion, LPCSTR info) {
  auto wide = [](LPCSTR narrow) { return narrow ? hvCp1250ToWide(narrow) : std::u16string(); };
  return deliver(infoReport(wide(file), line, wide(function), compilerVersion, wide(info)));
}

int reportAssertionInfo(LPCWSTR file, int line, LPCWSTR function, int compilerVersion,
                        LPCWSTR info) {
  return deliver(infoReport(textOf(file), line, textOf(function), compilerVersion, textOf(info)));
}
