#include "actions/win32/win32_sound_device.h"

#include <mmsystem.h>

#include "dialogfw/win32/app_title.h"
#include "libs/win32/imports.h"
#include "platform/win32/text.h"

namespace mdx::win {

static_assert(kPlaySoundFlags == (SND_ASYNC | SND_NODEFAULT));
static_assert(static_cast<UINT>(MessageIcon::Stop) == MB_ICONHAND);

bool Win32SoundDevice::playWaveFile(const std::string& path) {
  // No SND_FILENAME / SND_ALIAS: the platform tries the text as an alias, then as a file.
  return PlaySoundW(widen(path).c_str(), nullptr, kPlaySoundFlags) != FALSE;
}

void Win32SoundDevice::playChime() { Play_Snd(1); }

uint32_t Win32SoundDevice::mciSend(const std::string& command) {
  return mciSendStringW(widen(command).c_str(), nullptr, 0, nullptr);
}

void Win32SoundDevice::showMessage(const std::string& text, MessageIcon icon) {
  MessageBoxW(GetActiveWindow(), widen(text).c_str(), widen(appTitle()).c_str(),
              MB_OK | static_cast<UINT>(icon));
}

}  // namespace mdx::win
