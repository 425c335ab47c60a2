#pragma once
// The platform's sound output for the portable sound decisions: PlaySoundW for files, the
// sound library's Play_Snd for the built-in chime, mciSendStringW for the MIDI sequencer, and
// a message box captioned with the program's name.
#include <windows.h>

#include "actions/sound.h"

namespace mdx::win {

class Win32SoundDevice : public SoundDevice {
 public:
  bool playWaveFile(const std::string& path) override;
  void playChime() override;
  uint32_t mciSend(const std::string& command) override;
  // Owned by the window that is active at the time (the timer-action dialog for its test
  // button), so the box is modal to it.
  void showMessage(const std::string& text, MessageIcon icon) override;
};

}  // namespace mdx::win
