#pragma once
// The main window on Windows: a modal dialog from template 102 that implements the MainWindow
// port for the portable WorldClock, which it owns. It translates messages into WorldClock's
// handlers and the port's calls into Win32 calls; it keeps no setting and decides nothing
// beyond the keyboard rules' platform side (beep, popup position).
#include <windows.h>

#include "actions/win32/win32_sound_device.h"
#include "app/beep_player.h"
#include "app/main_window.h"
#include "app/world_clock.h"
#include "dialogfw/win32/dialog.h"
#include "display/win32/surface_bridge.h"
#include "platform/clock.h"
#include "settings/profile_store.h"

namespace mdx::win {

class WorldClockDlg : public DialogImpl<WorldClockDlg>, public MainWindow {
 public:
  WorldClockDlg(ProfileStore& store, const Clock& clock);
  ~WorldClockDlg() override;

  static const MessageEntry<WorldClockDlg> kMessages[];
  static const CommandEntry<WorldClockDlg> kCommands[];

  bool preTranslateMessage(MSG& msg) override;

 protected:
  BOOL onInitDialog() override;
  void onDestroy() override;

 private:
  // Window messages.
  INT_PTR onTimer(WPARAM, LPARAM);
  INT_PTR onPaint(WPARAM, LPARAM);
  INT_PTR onEraseBackground(WPARAM, LPARAM);
  INT_PTR onSize(WPARAM, LPARAM);
  INT_PTR onContextMenu(WPARAM, LPARAM);
  INT_PTR onQueryDragIcon(WPARAM, LPARAM);
  INT_PTR onQueryEndSession(WPARAM, LPARAM);
  INT_PTR onEndSession(WPARAM, LPARAM);
  INT_PTR onDpiChanged(WPARAM, LPARAM);

  // Popup-menu commands, each handed to WorldClock.
  void onAbout() { core_.onCommand(MenuCommand::About); }
  void onCallReset() { core_.onCommand(MenuCommand::CallReset); }
  void onTimerAction() { core_.onCommand(MenuCommand::TimerAction); }
  void onAreaSettings() { core_.onCommand(MenuCommand::AreaSettings); }
  void onOptions() { core_.onCommand(MenuCommand::Options); }
  void onHelp() { core_.onCommand(MenuCommand::Help); }
  void onTimeServer() { core_.onCommand(MenuCommand::TimeServer); }

  // The MainWindow port.
  void setTitle(const std::string& utf8) override;
  void flash(bool invert) override;
  void place(const WindowRect& rect) override;
  WindowRect defaultRect() override;
  WindowRect rectForSaving() override;
  void setTopMost(bool topMost) override;
  void applyTitleBarStyle(int32_t mainTitle) override;
  bool isMinimised() override;
  void restore() override;
  void presentFrame(const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight, bool whole) override;
  void startTickTimer(unsigned delayMs) override;
  void stopTickTimer() override;
  bool endSession(uint32_t exitWindowsFlags, uint32_t reason) override;
  void postQuit() override;
  void playSound(const std::string& path, SoundKind kind) override;
  void launch(const std::string& commandLine) override;
  std::optional<std::array<AreaSettings, kAreaCount>> runAreaSheet(
      const std::array<AreaSettings, kAreaCount>& areas) override;
  std::optional<OptionDialogValues> runOptionsDialog(const OptionDialogValues& values) override;
  std::optional<TimedAction> runTimerActionDialog(const TimedAction& action) override;
  void runTimeServerDialog() override;
  void showAbout() override;
  void openHelp() override;

  void showPopup(POINT screen);
  void showPopupAtClientCorner();

  const Clock& clock_;
  HICON icon_ = nullptr;
  BeepPlayer keyBeep_;  // the key rules' beep, sounded off this thread
  Win32SoundDevice sound_;
  FramePainter painter_;
  WorldClock core_;
};

}  // namespace mdx::win
