// What the entity test tools share: failures collected while the host runs
// (printed at the end), and one host run whose saved drawing is copied out.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace toolSupport {

inline std::vector<std::string> g_failures;

inline void fail(std::string message) { g_failures.push_back(std::move(message)); }

// Runs `script` on the drawing `in`; with `out`, the drawing the script saved
// as `saved` is copied there.
inline void runHost(const std::string& in, const std::string& script,
                    std::vector<std::pair<std::string, cadhost::test::TestCommand>> commands,
                    const char* saved = nullptr, const char* out = nullptr) {
  cadhost::test::HostRun run(std::filesystem::absolute(in).string(), script, {}, std::move(commands));
  if (run.run() != 0) fail("the host run failed");
  if (out == nullptr) return;
  std::error_code error;
  std::filesystem::copy_file(run.folder() / saved, out, std::filesystem::copy_options::overwrite_existing, error);
  if (error) fail("no saved drawing: " + error.message());
}

// The tool's exit code: 0 when nothing failed.
inline int finish() {
  for (const std::string& failure : g_failures) std::fprintf(stderr, "%s\n", failure.c_str());
  return g_failures.empty() ? 0 : 1;
}

}  // namespace toolSupport
