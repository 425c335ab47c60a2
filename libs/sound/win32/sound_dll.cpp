// mdxsound.dll: holds the hourly chime as WAVE resource 130 and plays it on request.
#include <windows.h>
#include <mmsystem.h>

namespace {

// The handle under which the loader mapped this library; the chime resource
// lives in it.
HINSTANCE g_instance = nullptr;

// Resource id of the built-in chime; Play_Snd(1) is the program's name for it.
constexpr int kChimeResource = 130;

}  // namespace

// Starts sound resource n of this library (1 means the chime) and returns at
// once; the sound plays asynchronously and a later PlaySound request of the
// process replaces it. Returns the library's instance handle.
// Without SND_NODEFAULT a resource that cannot be found or played makes the
// system play its default sound instead.
extern "C" __declspec(dllexport) HINSTANCE Play_Snd(int n) {
  const int id = n == 1 ? kChimeResource : n;
  // Integer resource names are 16-bit; only the low word of the id counts.
  const WORD name = static_cast<WORD>(id & 0xFFFF);
  PlaySoundW(MAKEINTRESOURCEW(name), g_instance, SND_RESOURCE | SND_ASYNC);  // 0x40005
  return g_instance;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
