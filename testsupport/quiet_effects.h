#pragma once
// Timed-action effects that do nothing, for tools and tests that only need the check to run.
// Derive and override what should be counted or checked.
#include <cstdint>
#include <string>

#include "actions/timed_action_engine.h"

namespace mdx {

class QuietEffects : public TimedActionEffects {
 public:
  void saveSettings() override {}
  bool endSession(uint32_t, uint32_t) override { return true; }
  void postQuit() override {}
  void playSound(const std::string&, SoundKind) override {}
  void launch(const std::string&) override {}
  bool isMinimised() override { return false; }
  void restoreWindow() override {}
  void setTopMost(bool) override {}
  void flashWindow(bool) override {}
};

}  // namespace mdx
