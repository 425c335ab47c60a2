#include "nettime/win32/adjust_clock_one_shot.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "nettime/adjust_clock_command.h"
#include "nettime/win32/system_clock_mover.h"
#include "platform/win32/text.h"

namespace mdx::win {

bool runAdjustClockOneShot(int& exitCode) {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return false;
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(narrow(argv[i]));
  LocalFree(argv);

  const AdjustClockCommand command = parseAdjustClockCommand(args);
  if (!command.isOneShot) return false;
  exitCode = command.valid ? static_cast<int>(moveSystemClockBy(command.offsetMillis))
                           : static_cast<int>(ERROR_INVALID_PARAMETER);
  return true;
}

}  // namespace mdx::win
