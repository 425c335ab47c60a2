#pragma once
// The main window: a modal dialog from template 102 that shows the map, owns every setting
// and all run-time state, ticks once a second and routes the popup menu's commands.
#include <windows.h>

#include <memory>

#include "app/clock_tick.h"
#include "app/profile_store.h"
#include "app/settings.h"
#include "dialogfw/win32/dialog.h"
#include "platform/clock.h"

namespace mdx::win {

class WorldClockDlg : public DialogImpl<WorldClockDlg>, public TickTargets, public TickTimer {
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

  // Popup-menu commands.
  void onAbout();
  void onCallReset();
  void onHelp();

  // The tick's work.
  void updateTitle() override;
  void checkTimedActions() override;
  void composeFrame() override;
  void stop() override;
  void start(unsigned delayMs) override;

  void loadSettings();
  void saveSettings();
  void showPopup(POINT screen);
  void showPopupAtClientCorner();
  void presentFrame(HDC dc);

  ProfileStore& store_;
  const Clock& clock_;
  SettingsRecords records_;
  HICON icon_ = nullptr;
  HWND mapPicture_ = nullptr;

  // Process-wide switches shared between the tick, the display and the dialogs.
  int32_t firstFrameDue_ = 1;
  int32_t titleRefreshDue_ = 1;
  int32_t clientWidth_ = 578;
  int32_t clientHeight_ = 341;
  int32_t callPending_ = 0;
  std::string lastTitleMinute_;

  std::unique_ptr<ClockTick> tick_;
};

}  // namespace mdx::win
