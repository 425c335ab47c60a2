#include "app/world_clock.h"

#include <utility>

#include "display/window_style.h"
#include "settings/settings_io.h"
#include "settings_ui/options_model.h"

namespace mdx {

WorldClock::WorldClock(MainWindow& window, ProfileStore& store, const Clock& pc, const ZoneRules* zones)
    : window_(window),
      store_(store),
      pc_(pc),
      zones_(zones),
      tick_(pc, *this, *this, display_.firstFrameDue, records_.option.INTERVAL) {}

void WorldClock::create() {
  WindowRect rect;
  loadSettings(store_, records_, rect);
  window_.place(hasStoredWindowRect(store_) ? rect : window_.defaultRect());
  applyTopMostOption();
  tick_.start();
}

void WorldClock::showMap(MapSurfaces surfaces) {
  surfaces_ = std::move(surfaces);
  window_.applyTitleBarStyle(records_.option.MAIN_TITLE);
  applyTopMostOption();
  // Shown on the first paint only; the first tick's frame is still the first one presented.
  mdx::composeFrame(FrameContext{surfaces_, records_, pc_, display_, zones_}, pc_.nowSeconds());
  display_.firstFrameDue = 1;
  hasPicture_ = true;
}

void WorldClock::applyTopMostOption() { window_.setTopMost(wantsTopMost(records_.option)); }

bool WorldClock::onTimer(unsigned timerId) { return tick_.onTimer(timerId); }

void WorldClock::updateTitle(int64_t utcSeconds) {
  mdx::updateTitle(window_, title_, records_, pc_, zones_, utcSeconds, actions_.callPending == 1);
}

void WorldClock::checkTimedActions(int64_t utcSeconds) {
  mdx::checkTimedActions(pc_, utcSeconds, records_.action, records_.option, actions_, *this);
}

void WorldClock::composeFrame(int64_t utcSeconds) {
  mdx::composeFrame(FrameContext{surfaces_, records_, pc_, display_, zones_}, utcSeconds, this);
}

// A composed frame sends only what changed since the last present (all of it for the first
// frame); a paint sends the whole picture, since the window may have lost any part of it.
void WorldClock::presentFrame() {
  window_.presentFrame(surfaces_, display_.clientWidth, display_.clientHeight, display_.firstFrameDue == 1);
}

void WorldClock::onPaint() { window_.presentFrame(surfaces_, display_.clientWidth, display_.clientHeight, true); }

void WorldClock::onClientSize(int32_t width, int32_t height) { display_.setClientSize(width, height); }

// The settings dialogs work on copies; OK hands back what changed and the title is rebuilt at
// the next tick. The map shows the new values from its next composed frame.
void WorldClock::onCommand(MenuCommand command) {
  switch (command) {
    case MenuCommand::TimerAction:
      if (auto action = window_.runTimerActionDialog(records_.action)) records_.action = std::move(*action);
      break;
    case MenuCommand::CallReset:
      resetCall(records_.option, actions_, *this, title_.titleRefreshDue);
      break;
    case MenuCommand::AreaSettings:
      if (auto areas = window_.runAreaSheet(records_.areas)) {
        records_.areas = std::move(*areas);
        title_.titleRefreshDue = 1;
      }
      break;
    case MenuCommand::Options:
      runOptions();
      break;
    case MenuCommand::TimeServer:
      window_.runTimeServerDialog();
      break;
    case MenuCommand::About:
      window_.showAbout();
      title_.titleRefreshDue = 1;
      break;
    case MenuCommand::Help:
      window_.openHelp();
      break;
  }
}

void WorldClock::runOptions() {
  if (auto values = window_.runOptionsDialog(optionValuesFrom(records_))) {
    const OptionsOkSteps steps = applyOptionsOk(*values, records_);
    if (steps.resetWindow) window_.place(window_.defaultRect());
    if (steps.restyle) window_.applyTitleBarStyle(records_.option.MAIN_TITLE);
    title_.titleRefreshDue = 1;
  }
  // After OK and Cancel alike: the band follows the option (the reset moved the window only).
  applyTopMostOption();
}

void WorldClock::saveSettings() { mdx::saveSettings(store_, records_, window_.rectForSaving()); }

// Windows ends the process after the session-end notice without destroying the window, so
// the settings are saved here; a cancelled end leaves everything as it was.
void WorldClock::onSessionEnd(bool sessionEnds) {
  if (sessionEnd_.shouldSave(sessionEnds)) saveSettings();
}

void WorldClock::onDestroy() {
  saveSettings();
  surfaces_ = MapSurfaces{};
}

}  // namespace mdx
