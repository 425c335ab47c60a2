#pragma once
// The four reservations (Windows exit, sound, program, call) and the user chime. Switches are
// on only at 1. The reserved times are "HH:MM" texts made by the timer-action dialog; they
// are never stored, so they start empty at every program start.
#include <cstdint>
#include <string>

namespace mdx {

struct TimedAction {
  int32_t exitReserved = 0;  // KYOUSEI
  int32_t exitKind = 0;      // SELECT_END: 0 log off, 1 restart, 2 shut down
  std::string exitTime;

  int32_t soundReserved = 0;  // WAVEON
  std::string soundFile;      // SOUND
  std::string soundTime;

  int32_t programReserved = 0;  // GOAPPLI
  std::string programCommand;   // APPLI
  std::string programTime;

  int32_t callReserved = 0;               // CALL
  int32_t callFlash = 1;                  // FLASH
  int32_t callTopWindow = 1;              // TOPWINDOW
  std::string callText = "予定の時間です";  // WINDOW_TEXT
  std::string callTime;

  int32_t userChimeOn = 0;        // USERJIHOU
  int32_t userChimeMinute = 30;   // USERMAIFUN
  std::string userChimeFile;      // USERWAVFILE

  bool operator==(const TimedAction&) const;
  bool operator!=(const TimedAction& o) const { return !(*this == o); }
};

}  // namespace mdx
