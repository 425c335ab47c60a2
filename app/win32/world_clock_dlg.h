#pragma once
// The main window: a modal dialog from template 102 that shows the map, owns every setting
// and all run-time state, ticks once a second and routes the popup menu's commands.
#include <windows.h>

#include <memory>

#include "actions/timed_action_engine.h"
#include "actions/win32/main_window_effects.h"
#include "actions/win32/win32_sound_device.h"
#include "app/beep_player.h"
#include "app/clock_tick.h"
#include "app/session_end.h"
#include "settings/profile_store.h"
#include "settings/settings.h"
#include "dialogfw/win32/dialog.h"
#include "display/display_state.h"
#include "display/frame.h"
#include "display/map_surfaces.h"
#include "display/title_bar.h"
#include "display/win32/surface_bridge.h"
#include "platform/clock.h"

namespace mdx::win {

class WorldClockDlg : public DialogImpl<WorldClockDlg>,
                      public TickTargets,
                      public TickTimer,
                      public TitleWindow,
                      public FramePresenter {
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

  // Popup-menu commands.
  void onAbout();
  void onCallReset();
  void onTimerAction();
  void onAreaSettings();
  void onOptions();
  void onHelp();
  void onTimeServer();

  // The tick's work.
  void updateTitle(int64_t utcSeconds) override;
  void checkTimedActions(int64_t utcSeconds) override;
  void composeFrame(int64_t utcSeconds) override;
  void stop() override;
  void start(unsigned delayMs) override;

  // The title bar and the presentation of frames.
  void setTitle(const std::string& utf8) override;
  void flash(bool invert) override;
  void presentFrame() override;

  void loadSettings();
  void saveSettings();
  void loadMapSurfaces();
  void composeFirstPicture();
  void showPopup(POINT screen);
  void showPopupAtClientCorner();

  ProfileStore& store_;
  const Clock& clock_;
  SettingsRecords records_;
  SessionEnd sessionEnd_;
  BeepPlayer keyBeep_;  // the key rules' beep, sounded off this thread
  HICON icon_ = nullptr;
  HWND mapPicture_ = nullptr;
  bool firstPictureReady_ = false;  // WorkSurface holds a whole frame

  // Run-time state shared between the tick, the display and the dialogs.
  MapSurfaces surfaces_;
  DisplayState display_;
  TitleState title_;
  TimedActionState actionState_;  // fired switches and callPending
  Win32SoundDevice sound_;
  std::unique_ptr<MainWindowEffects> effects_;
  win::FramePainter painter_;

  std::unique_ptr<ClockTick> tick_;
};

}  // namespace mdx::win
