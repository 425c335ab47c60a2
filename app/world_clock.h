#pragma once
// The main window without Windows: it owns the settings records, the display, title and
// timed-action state and the map surfaces for the window's whole life, and makes every
// decision of the window: what creation loads and applies, the one-second tick, each popup
// command, what follows OK of each dialog, and what the session's end and the window's
// destruction save. Everything it does to the world goes through one MainWindow port.
//
// The shell calls, in the window's life: create() at window creation, showMap() once the
// bitmaps are loaded, then onTimer / onCommand / onClientSize / onPaint / onSessionEnd as
// messages arrive, and onDestroy() at destruction.
#include <cstdint>

#include "actions/timed_action_engine.h"
#include "app/clock_tick.h"
#include "app/main_window.h"
#include "app/session_end.h"
#include "display/display_state.h"
#include "display/frame.h"
#include "display/title_bar.h"
#include "platform/clock.h"
#include "settings/profile_store.h"
#include "worldtime/zone_rules.h"

namespace mdx {

// The popup menu's commands that reach the window.
enum class MenuCommand { TimerAction, CallReset, AreaSettings, Options, TimeServer, About, Help };

class WorldClock : private TickTargets,
                   private TickTimer,
                   private FramePresenter,
                   private TimedActionEffects {
 public:
  // `zones` are the PC's time zones (none: every AREA follows RUG). All four outlive this.
  WorldClock(MainWindow& window, ProfileStore& store, const Clock& pc, const ZoneRules* zones);

  // Window creation: the settings are read, the window is placed at the stored rectangle (the
  // window's default one when none is stored) and put into or out of the topmost band, and the
  // tick's timer starts.
  void create();
  // The map bitmaps are loaded: the surfaces are kept, the title-bar style and the topmost
  // option are applied, and a first picture is composed for the window's first paint (the
  // first tick still composes and presents its frame as every start does).
  void showMap(MapSurfaces surfaces);
  // A timer message; true when it was the tick's (id 1).
  bool onTimer(unsigned timerId);
  void onCommand(MenuCommand command);
  // The client area's new size (0 or less counts as 1).
  void onClientSize(int32_t width, int32_t height);
  // A paint: the last composed frame, whole.
  void onPaint();
  // The session-end notice: saves once when the session really ends.
  void onSessionEnd(bool sessionEnds);
  // Destruction: saves every setting and releases the surfaces.
  void onDestroy();

  // The popup menu enables "ｺｰﾙﾘｾｯﾄ" only while a call is pending.
  bool callResetEnabled() const { return mdx::callResetEnabled(actions_); }
  // Until the first picture is composed the window's own background shows; afterwards the
  // picture covers it all.
  bool hasPicture() const { return hasPicture_; }
  const SettingsRecords& records() const { return records_; }

 private:
  // The tick's work at its one instant.
  void updateTitle(int64_t utcSeconds) override;
  void checkTimedActions(int64_t utcSeconds) override;
  void composeFrame(int64_t utcSeconds) override;
  void stop() override { window_.stopTickTimer(); }
  void start(unsigned delayMs) override { window_.startTickTimer(delayMs); }
  void presentFrame() override;

  // The timed actions' effects: the save is this window's, the rest the port's.
  void saveSettings() override;
  bool endSession(uint32_t flags, uint32_t reason) override { return window_.endSession(flags, reason); }
  void postQuit() override { window_.postQuit(); }
  void playSound(const std::string& path, SoundKind kind) override { window_.playSound(path, kind); }
  void launch(const std::string& commandLine) override { window_.launch(commandLine); }
  bool isMinimised() override { return window_.isMinimised(); }
  void restoreWindow() override { window_.restore(); }
  void setTopMost(bool topMost) override { window_.setTopMost(topMost); }
  void flashWindow(bool invert) override { window_.flash(invert); }

  void applyTopMostOption();
  void runOptions();

  MainWindow& window_;
  ProfileStore& store_;
  const Clock& pc_;
  const ZoneRules* zones_;
  SettingsRecords records_;
  MapSurfaces surfaces_;
  DisplayState display_;
  TitleState title_;
  TimedActionState actions_;  // fired switches and callPending
  SessionEnd sessionEnd_;
  bool hasPicture_ = false;  // WorkSurface holds a whole frame
  ClockTick tick_;
};

}  // namespace mdx
