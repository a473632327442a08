// Conversions between UTF-8 (the Linux side: file names, files, the terminal)
// and UTF-16 (the module's text).
#pragma once

#include <string>
#include <string_view>

// True when `bytes` is well-formed UTF-8: no overlong forms, no encoded
// surrogates, nothing above U+10FFFF, no sequence cut short.
bool hvIsValidUtf8(std::string_view bytes);

// Decodes UTF-8 into UTF-16. Each malformed byte becomes U+FFFD.
std::u16string hvUtf8ToWide(std::string_view bytes);

// Encodes UTF-16 as UTF-8. A surrogate half without its partner becomes
// U+FFFD; callers that must keep such units use another encoding.
std::string hvWideToUtf8(std::u16string_view text);

// True when `text` holds no surrogate half without its partner, so that it
// survives a trip through UTF-8 unchanged.
bool hvIsWellFormedUtf16(std::u16string_view text);
