// The application: one running copy per session (the named mutex "MERIDEXA"), the settings
// root "Quenholt", and the main window run modally; when it ends the program ends.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/single_instance.h"
#include "app/win32/world_clock_dlg.h"
#include "dialogfw/win32/app_title.h"
#include "nettime/win32/adjust_clock_one_shot.h"
#include "platform/win32/pc_clock.h"
#include "settings/win32/registry_store.h"

namespace {
constexpr char kSettingsRoot[] = "Quenholt";
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Started elevated by the time-server dialog to set the clock: that, and nothing else.
  if (int helperExit = 0; mdx::win::runAdjustClockOneShot(helperExit)) return helperExit;

  HANDLE mutex = nullptr;
  // Another copy runs: its window comes forward; this one ends without touching the settings.
  if (!mdx::win::becomeTheRunningCopy(mutex)) return 0;

  // The controls of every dialog (up-down, property sheet, date/time) come from comctl32 v6.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);

  {
    mdx::win::RegistryProfileStore store(kSettingsRoot, mdx::win::appTitle());
    mdx::win::WorldClockDlg dlg(store, mdx::win::pcClock());
    dlg.doModal();
  }

  if (mutex) CloseHandle(mutex);
  return 0;
}
