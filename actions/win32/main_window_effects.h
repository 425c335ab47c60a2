#pragma once
// What the timed actions do to the world, on the main window: save the settings, end the
// Windows session, quit, play sounds, launch programs, and bring the window forward or flash
// its title bar for a call.
#include <windows.h>

#include <functional>

#include "actions/sound.h"
#include "actions/timed_action_engine.h"

namespace mdx::win {

class MainWindowEffects : public TimedActionEffects {
 public:
  // saveSettings writes every setting of the main window to the profile store; sounds go to
  // `device`. Both must outlive this object.
  MainWindowEffects(HWND mainWindow, std::function<void()> saveSettings, SoundDevice& device);

  void saveSettings() override;
  bool endSession(uint32_t exitWindowsFlags, uint32_t reason) override;
  void postQuit() override;
  void playSound(const std::string& path, SoundKind kind) override;
  void launch(const std::string& commandLine) override;
  bool isMinimised() override;
  void restoreWindow() override;
  void setTopMost(bool topMost) override;
  void flashWindow(bool invert) override;

 private:
  HWND main_;
  std::function<void()> save_;
  SoundDevice& device_;
};

// Enables SE_SHUTDOWN_NAME in the process token, which restart and shut down need; returns
// whether Windows granted it.
bool enableShutdownPrivilege();

}  // namespace mdx::win
