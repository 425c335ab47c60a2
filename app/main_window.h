#pragma once
// The one port between the portable main window (app/world_clock.h, which owns every setting,
// all run-time state and every decision) and the platform's window. It is everything the
// program asks of its window: title, z-order, placement, frame presentation, the tick's timer,
// the timed actions' outside effects, and the modal dialogs opened over the window. The
// Windows shell implements it once (app/win32/world_clock_dlg); native tests use a fake that
// records the calls.
//
// Contract for implementers:
// - Every call comes on the user-interface thread from inside a WorldClock handler; none may
//   call back into WorldClock except through the messages it dispatches (the tick's timer
//   keeps arriving while a modal dialog runs).
// - An implementation decides nothing: which value to show, when to go topmost, what OK
//   changes are WorldClock's. Each call does exactly the one platform act it names.
// - Dialogs run modally over the window on the copy they are given and return the values as
//   OK left them, or nothing on Cancel. They never write the settings, the profile store or
//   the window themselves; WorldClock applies what they return.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "actions/sound.h"
#include "display/map_surfaces.h"
#include "display/title_bar.h"
#include "settings/settings.h"
#include "settings_ui/options_model.h"

namespace mdx {

// The window shows the title itself: TitleWindow's setTitle and flash are the port's first calls.
class MainWindow : public TitleWindow {
 public:
  // ---- the window itself
  // Moves and sizes the window to `rect`, or to the nearest place where it can be reached on
  // one of the screens; the z-order is left alone.
  virtual void place(const WindowRect& rect) = 0;
  // The default (and reset) rectangle: the default position, sized so that the client area is
  // the map at the window's DPI.
  virtual WindowRect defaultRect() = 0;
  // The rectangle to store: the outer rectangle, or while minimised or maximised the one the
  // window returns to when restored.
  virtual WindowRect rectForSaving() = 0;
  // Into (true) or out of (false) the topmost band; position and size unchanged. The only
  // call that changes the band.
  virtual void setTopMost(bool topMost) = 0;
  // Caption and frame buttons on for MAIN_TITLE 0, off otherwise.
  virtual void applyTitleBarStyle(int32_t mainTitle) = 0;
  virtual bool isMinimised() = 0;
  virtual void restore() = 0;
  // Shows WorkSurface stretched over the client area: all of it when `whole`, else only what
  // changed since the last present.
  virtual void presentFrame(const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight, bool whole) = 0;

  // ---- the tick's timer (one timer; a start replaces the pending one)
  virtual void startTickTimer(unsigned delayMs) = 0;
  virtual void stopTickTimer() = 0;

  // ---- the timed actions' effects on the world
  // Asks Windows to end the session with these ExitWindowsEx flags and reason, enabling the
  // shutdown privilege first when sessionEndNeedsShutdownPrivilege(flags). True when Windows
  // took the request, false when it refused.
  virtual bool endSession(uint32_t exitWindowsFlags, uint32_t reason) = 0;
  // Posts the quit message to the window: its modal run ends, then it is destroyed.
  virtual void postQuit() = 0;
  virtual void playSound(const std::string& path, SoundKind kind) = 0;
  // Starts a whole command line as WinExec reads it, shown normally, in the program's own
  // folder (through the shell when the program asks for administrator rights). Result ignored.
  virtual void launch(const std::string& commandLine) = 0;

  // ---- modal dialogs and pages over the window
  virtual std::optional<std::array<AreaSettings, kAreaCount>> runAreaSheet(
      const std::array<AreaSettings, kAreaCount>& areas) = 0;
  virtual std::optional<OptionDialogValues> runOptionsDialog(const OptionDialogValues& values) = 0;
  // The reservations as OK left them; the user-chime fields come back as they were given.
  virtual std::optional<TimedAction> runTimerActionDialog(const TimedAction& action) = 0;
  virtual void runTimeServerDialog() = 0;
  virtual void showAbout() = 0;
  virtual void openHelp() = 0;
};

}  // namespace mdx
