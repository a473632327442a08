#include "platform/win/ProfileFile.h"

#include "platform/win/CodePage.h"
#include "platform/win/FileContents.h"
#include "platform/win/FileErrors.h"
#include "platform/win/LastError.h"
#include "platform/win/NumberParse.h"
#include "platform/win/StringCompare.h"
#include "platform/win/TextFileEncoding.h"
#include "platform/win/WinPath.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER

// One mutex for every profile file: reads never see half a write of this
// process, and two writes never interleave.
std::mutex& profileMutex() {
  static std::mutex mutex;
  return mutex;
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\r'; }

std::u16string_view trim(std::u16string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool sameName(std::u16string_view a, std::u16string_view b) { return hvCompareNoCaseLetters(a, b) == 0; }

struct Line {
  std::u16string text;
  std::u16string end;  // "\r\n", "\n", "\r" or "" (last line)
};

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  std::u16string_view name;
  std::u16string_view value;
};

ParsedLine parseLine(std::u16string_view text) {
  ParsedLine parsed;
  const std::u16string_view t = trim(text);
  if (t.starts_with(u'[')) {
    std::u16string_view name = t.substr(1);
    const std::size_t close = name.rfind(u']');
    if (close != std::u16string_view::npos) name = name.substr(0, close);
    parsed.kind = LineKind::Section;
    parsed.name = trim(name);
  } else if (!t.starts_with(u';')) {
    const std::size_t eq = t.find(u'=');
    if (eq != std::u16string_view::npos) {
      parsed.kind = LineKind::Key;
      parsed.name = trim(t.substr(0, eq));
      std::u16string_view value = trim(t.substr(eq + 1));
      if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
      parsed.value = value;
    }
  }
  return parsed;
}

struct Profile {
  HvTextEncoding encoding = HvTextEncoding::Utf8;
  std::u16string newline = u"\r\n";
  std::vector<Line> lines;

  static Profile fromBytes(std::string_view bytes) {
    Profile profile;
    HvDecodedText decoded = hvDecodeTextFile(bytes);
    profile.encoding = decoded.encoding;
    const std::u16string& text = decoded.text;
    bool newlineSeen = false;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find_first_of(u"\r\n", start);
      Line line;
      if (end == std::u16string::npos) {
        line.text = text.substr(start);
        start = text.size();
      } else {
        line.text = text.substr(start, end - start);
        const std::size_t endLength = (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1;
        line.end = text.substr(end, endLength);
        start = end + endLength;
        if (!newlineSeen) {
          profile.newline = line.end;
          newlineSeen = true;
        }
      }
      profile.lines.push_back(std::move(line));
    }
    return profile;
  }

  std::u16string text() const {
    std::u16string all;
    for (const Line& line : lines) all += line.text + line.end;
    return all;
  }

  // The index of the first header of `section`, or none.
  std::optional<std::size_t> findSection(std::u16string_view section) const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const ParsedLine p = parseLine(lines[i].text);
      if (p.kind == LineKind::Section && sameName(p.name, section)) return i;
    }
    return std::nullopt;
  }

  // One past the last line of the section whose header is at `header`.
  std::size_t sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines.size() && parseLine(lines[i].text).kind != LineKind::Section) ++i;
    return i;
  }

  std::optional<std::size_t> findKey(std::size_t header, std::u16string_view key) const {
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
      const ParsedLine p = parseLine(lines[i].text);
      if (p.kind == LineKind::Key && sameName(p.name, key)) return i;
    }
    return std::nullopt;
  }

  // Inserts a line before `index`, giving the line before it a line end.
  void insertLine(std::size_t index, std::u16string text) {
    if (index > 0 && lines[index - 1].end.empty()) lines[index - 1].end = newline;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(text), newline});
  }
};

std::u16string_view viewOf(LPCWSTR text) { return text ? std::u16string_view(text) : std::u16string_view(); }

// The full answer of a read: a value, or a list of names each followed by a
// zero (and the list by one more).
struct ReadResult {
  std::u16string text;
  bool isList = false;
};

ReadResult readProfile(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPCWSTR fileName) {
  ReadResult result;
  Profile profile;
  if (fileName) {
    std::lock_guard lock(profileMutex());
    if (const std::optional<std::string> bytes = hvReadFileBytes(hvLinuxPath(fileName))) profile = Profile::fromBytes(*bytes);
  }
  if (!section || !key) {
    result.isList = true;
    std::optional<std::size_t> header;
    if (section) header = profile.findSection(section);
    const std::size_t first = section ? (header ? *header + 1 : profile.lines.size()) : 0;
    const std::size_t end = section ? (header ? profile.sectionEnd(*header) : first) : profile.lines.size();
    const LineKind wanted = section ? LineKind::Key : LineKind::Section;
    for (std::size_t i = first; i < end; ++i) {
      const ParsedLine p = parseLine(profile.lines[i].text);
      if (p.kind == wanted) {
        result.text += p.name;
        result.text += u'\0';
      }
    }
    result.text += u'\0';
    return result;
  }
  if (const std::optional<std::size_t> header = profile.findSection(section)) {
    if (const std::optional<std::size_t> line = profile.findKey(*header, key)) {
      result.text = parseLine(profile.lines[*line].text).value;
      return result;
    }
  }
  std::u16string_view fallback = viewOf(defaultValue);
  while (!fallback.empty() && isBlank(fallback.back())) fallback.remove_suffix(1);
  result.text = fallback;
  return result;
}

// Copies a read's answer into a buffer of `size` units, cutting as Windows
// does: a value at size - 1, a list at size - 2 with two zeros after it.
template <typename Char>
DWORD deliver(const std::basic_string<Char>& text, bool isList, Char* out, DWORD size) {
  if (!out || size == 0) return 0;
  if (isList) {
    if (text.size() <= size) {
      std::char_traits<Char>::copy(out, text.data(), text.size());
      return static_cast<DWORD>(text.size() - 1);
    }
    if (size < 2) {
      out[0] = 0;
      return 0;
    }
    std::char_traits<Char>::copy(out, text.data(), size - 2);
    out[size - 2] = 0;
    out[size - 1] = 0;
    return size - 2;
  }
  const std::size_t n = text.size() < size ? text.size() : size - 1;
  std::char_traits<Char>::copy(out, text.data(), n);
  out[n] = 0;
  return static_cast<DWORD>(n);
}

bool hasLineBreak(std::u16string_view s) { return s.find_first_of(u"\r\n") != std::u16string_view::npos; }

BOOL failWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

std::optional<std::u16string> wideOf(LPCSTR narrow) {
  if (!narrow) return std::nullopt;
  return hvCp1250ToWide(narrow);
}

LPCWSTR pointerOf(const std::optional<std::u16string>& text) { return text ? text->c_str() : nullptr; }

}  // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR out, DWORD size,
                               LPCWSTR fileName) {
  const ReadResult result = readProfile(section, key, defaultValue, fileName);
  return deliver(result.text, result.isList, out, size);
}

UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName) {
  if (!section || !key) return static_cast<UINT>(defaultValue);
  const ReadResult result = readProfile(section, key, u"", fileName);
  if (result.text.empty()) return static_cast<UINT>(defaultValue);
  return static_cast<UINT>(wcstol(result.text.c_str(), nullptr, 10));
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName) {
  if (!fileName || !*fileName || !section) return failWith(kInvalidParameter);
  const std::u16string_view sectionName = trim(section);
  const std::u16string_view keyName = trim(viewOf(key));
  if (hasLineBreak(section) || sectionName.find(u']') != std::u16string_view::npos ||
      (key && (hasLineBreak(key) || keyName.find(u'=') != std::u16string_view::npos || keyName.starts_with(u'[') ||
               keyName.starts_with(u';'))) ||
      (value && hasLineBreak(value)))
    return failWith(kInvalidParameter);

  std::lock_guard lock(profileMutex());
  const fs::path path = hvLinuxPath(fileName);
  Profile profile;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(path, ec))) {
    const std::optional<std::string> bytes = hvReadFileBytes(path);
    if (!bytes) return failWith(hvSystemErrorFromErrno(errno));
    profile = Profile::fromBytes(*bytes);
  } else {
    const fs::path folder = path.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) return failWith(ERROR_PATH_NOT_FOUND);
    if (!key || !value) return TRUE;  // nothing to remove
  }

  const std::u16string before = profile.text();
  const std::optional<std::size_t> header = profile.findSection(sectionName);
  if (!key) {
    if (header) {
      const auto first = profile.lines.begin() + static_cast<std::ptrdiff_t>(*header);
      profile.lines.erase(first, profile.lines.begin() + static_cast<std::ptrdiff_t>(profile.sectionEnd(*header)));
    }
  } else if (!value) {
    if (header) {
      if (const std::optional<std::size_t> line = profile.findKey(*header, keyName))
        profile.lines.erase(profile.lines.begin() + static_cast<std::ptrdiff_t>(*line));
    }
  } else if (!header) {
    profile.insertLine(profile.lines.size(), u"[" + std::u16string(sectionName) + u"]");
    profile.insertLine(profile.lines.size(), std::u16string(keyName) + u"=" + value);
  } else if (const std::optional<std::size_t> line = profile.findKey(*header, keyName)) {
    std::u16string& text = profile.lines[*line].text;
    const std::size_t indent = std::min(text.find_first_not_of(u" \t"), text.size());
    text = text.substr(0, indent) + std::u16string(parseLine(text).name) + u"=" + value;
  } else {
    // After the section's last non-blank line, so blank lines that part it
    // from the next section stay where they are.
    std::size_t at = profile.sectionEnd(*header);
    while (at > *header + 1 && trim(profile.lines[at - 1].text).empty()) --at;
    profile.insertLine(at, std::u16string(keyName) + u"=" + value);
  }

  const std::u16string after = profile.text();
  if (after == before && fs::exists(path, ec)) return TRUE;
  if (!hvCanEncode(after, profile.encoding)) profile.encoding = HvTextEncoding::Utf16Le;
  const int err = hvReplaceFileBytes(path, hvEncodeTextFile(after, profile.encoding));
  if (err != 0) return failWith(err == ENOENT ? ERROR_PATH_NOT_FOUND : hvSystemErrorFromErrno(err));
  return TRUE;
}

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size,
                               LPCSTR fileName) {
  const ReadResult result = readProfile(pointerOf(wideOf(section)), pointerOf(wideOf(key)),
                                        pointerOf(wideOf(defaultValue)), pointerOf(wideOf(fileName)));
  return deliver(hvWideToCp1250(result.text), result.isList, out, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  return GetPrivateProfileIntW(pointerOf(wideOf(section)), pointerOf(wideOf(key)), defaultValue,
                               pointerOf(wideOf(fileName)));
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  return WritePrivateProfileStringW(pointerOf(wideOf(section)), pointerOf(wideOf(key)), pointerOf(wideOf(value)),
                                    pointerOf(wideOf(fileName)));
}
