// Helpers of the drawing-database tests: short list builders, drawings from
// text, and a drawing that holds every entity kind the host must keep.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/cadhost/Drawing.h"

namespace cadhost::test {

std::u16string u16(std::string_view utf8);
inline Group T(int code, std::string_view utf8) { return Group::text(code, u16(utf8)); }
inline Group I(int code, std::int64_t v) { return Group::integer(code, v); }
inline Group R(int code, double v) { return Group::real(code, v); }
inline Group P(int code, double x, double y, double z = 0.0) { return Group::point(code, {x, y, z}); }

std::unique_ptr<Drawing> load(const std::string& text, const std::string& name = "test.dxf");
std::string save(Drawing& drawing);
// Saves and loads again.
std::unique_ptr<Drawing> reload(Drawing& drawing);

// A new drawing (AC1027) or one in AC1015 with code page 1250.
std::unique_ptr<Drawing> emptyDrawing(bool codePage1250 = false);

// Every record list by handle, with erased records marked.
std::map<Handle, std::string> snapshot(const Drawing& drawing);

// The first difference of two snapshots or texts, shortly; empty when equal.
std::string firstDifference(const std::map<Handle, std::string>& a, const std::map<Handle, std::string>& b);
std::string firstDifference(const std::string& a, const std::string& b);

// Makes one entity of every kind the host keeps (through makeEntity and the
// block builder); answers how many entity lists were made.
int makeEveryKind(Drawing& drawing);

// The message of the DxfError that reading `text` throws; empty if none.
std::string readError(const std::string& text);

}  // namespace cadhost::test
