// The end-to-end test driver: mdxdriver <scenario> <meridexa.exe> <output dir>
// Runs one scenario against the real program and exits 0 when every check held.
#include <cstdio>

#include "tests/e2e/driver/harness.h"

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"--list") {
    for (const auto& s : e2e::scenarios()) std::printf("%s\n", s.first.c_str());
    return 0;
  }
  if (argc != 4) {
    std::printf("usage: mdxdriver <scenario> <meridexa.exe> <output dir>\n");
    return 2;
  }
  const std::string name = e2e::narrow(argv[1]);
  auto it = e2e::scenarios().find(name);
  if (it == e2e::scenarios().end()) {
    std::printf("unknown scenario %s\n", name.c_str());
    return 2;
  }
  e2e::Context ctx{argv[2], argv[3]};
  e2e::log("scenario " + name);
  try {
    it->second(ctx);
  } catch (const e2e::Failure& f) {
    e2e::log("FAILED: " + f.message);
    return 1;
  }
  e2e::log("PASSED");
  return 0;
}
