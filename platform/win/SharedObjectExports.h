// The functions a shared object exports under plain names, read from the
// dynamic symbol table of its file: what the export directory of a Windows
// module lists. C++ names (mangled, "_Z...") and the runtime's own ("_init",
// "_fini", anything starting with '_') are left out: a host calls a module's
// commands by their plain names.
#pragma once

#include <string>
#include <vector>

// The names in order, each once; empty when the file cannot be read or is
// not a 64-bit ELF file of this machine's byte order.
std::vector<std::string> hvSharedObjectPlainExports(const std::string& path);
