// Sounds that really come out: these scenarios run inside tests/e2e/with_pulse_null_sink.sh,
// which gives Wine a PulseAudio server with a null sink and records the sink. Each scenario
// leaves expected-chimes.txt in the output folder with the number of chimes it let play to the
// end; after the driver exits the wrapper measures the recording against libs/sound/chime.wav
// and fails the run unless exactly that many chimes were heard at full level.
//   sound.chime_audible     the sound library's Play_Snd(1) and Play_Snd(130), called here
//   sound.wav_file_audible  meridexa playing a WAV file: the user chime, then ﾃｽﾄ
#include "tests/e2e/driver/harness.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace e2e {
namespace {

constexpr int kChimeResource = 130;
// The chime is 188,940 samples at 20,000 Hz.
constexpr DWORD kChimeMs = 9447;

using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
using WaveOutGetNumDevsFn = UINT(WINAPI*)();
using PlaySndFn = HINSTANCE (*)(int);

// winmm bound at run time: the driver itself is linked without it.
struct Winmm {
  HMODULE module = nullptr;
  PlaySoundFn playSound = nullptr;
  WaveOutGetNumDevsFn waveOutGetNumDevs = nullptr;
};

Winmm loadWinmm() {
  Winmm w;
  w.module = LoadLibraryW(L"winmm.dll");
  check(w.module != nullptr, "winmm.dll loads");
  w.playSound = reinterpret_cast<PlaySoundFn>(GetProcAddress(w.module, "PlaySoundW"));
  w.waveOutGetNumDevs = reinterpret_cast<WaveOutGetNumDevsFn>(GetProcAddress(w.module, "waveOutGetNumDevs"));
  check(w.playSound && w.waveOutGetNumDevs, "winmm exports PlaySoundW and waveOutGetNumDevs");
  check(w.waveOutGetNumDevs() > 0,
        "a wave output device exists (Wine's PulseAudio driver reached the test's server)");
  return w;
}

// Waits until the sound this process started has ended and returns how long it played,
// counted from `started`. With SND_NOSTOP, PlaySound refuses while another sound of the process
// plays; once none plays it accepts the request. The request is a memory image that is no WAV
// at all, so that accepting it opens no output device and plays nothing (SND_NODEFAULT).
DWORD waitSoundEnd(const Winmm& w, DWORD started, DWORD timeoutMs) {
  static const BYTE notAWave[16] = {};
  const DWORD flags = SND_MEMORY | SND_ASYNC | SND_NOSTOP | SND_NODEFAULT;
  waitFor([&] { return w.playSound(reinterpret_cast<LPCWSTR>(notAWave), nullptr, flags) != FALSE; }, timeoutMs);
  return GetTickCount() - started;
}

void expectChimes(const Context& ctx, int count) {
  if (FILE* f = _wfopen((ctx.outputDir + L"\\expected-chimes.txt").c_str(), L"wb")) {
    std::fprintf(f, "%d\n", count);
    std::fclose(f);
  } else {
    throw Failure{"cannot write expected-chimes.txt"};
  }
}

// The sound library's Play_Snd: 1 is the program's name for the chime, 130 its resource id.
// Each call must play the whole chime in real time; the recording proves that it was heard.
void chimeAudible(const Context& ctx) {
  const Winmm w = loadWinmm();
  HMODULE lib = LoadLibraryW(L"C:\\meridexa\\mdxsound.dll");
  check(lib != nullptr, "mdxsound.dll loads");
  const auto playSnd = reinterpret_cast<PlaySndFn>(GetProcAddress(lib, "Play_Snd"));
  check(playSnd != nullptr, "mdxsound.dll exports Play_Snd by name");
  expectChimes(ctx, 2);

  for (const int n : {1, kChimeResource}) {
    const DWORD started = GetTickCount();
    const HINSTANCE result = playSnd(n);
    check(result == lib, "Play_Snd(" + std::to_string(n) + ") returns the library's instance");
    check(GetTickCount() - started < 2000, "Play_Snd returns while the chime plays");
    const DWORD played = waitSoundEnd(w, started, kChimeMs + 10000);
    log("  Play_Snd(" + std::to_string(n) + ") played for " + std::to_string(played) + " ms");
    check(played + 300 >= kChimeMs && played <= kChimeMs + 3000,
          "Play_Snd(" + std::to_string(n) + ") plays for the chime's 9.4 s: " + std::to_string(played) + " ms");
    // A second of silence parts the two chimes in the recording.
    Sleep(1000);
  }
}
Register r1("sound.chime_audible", chimeAudible);

// The chime as a user's WAV file, taken from the sound library's resource (the same bytes as
// libs/sound/chime.wav) and saved under a Japanese name with a space in it.
std::wstring saveChimeAsUserFile() {
  HMODULE lib = LoadLibraryExW(L"C:\\meridexa\\mdxsound.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  check(lib != nullptr, "mdxsound.dll opens as data");
  HRSRC res = FindResourceW(lib, MAKEINTRESOURCEW(kChimeResource), L"WAVE");
  check(res != nullptr, "the library holds WAVE 130");
  const DWORD size = SizeofResource(lib, res);
  const void* bytes = LockResource(LoadResource(lib, res));
  check(bytes != nullptr && size == 188984, "WAVE 130 is the 188,984-byte chime");
  const std::wstring folder = L"C:\\サウンド";
  const std::wstring file = folder + L"\\時報 テスト.wav";
  CreateDirectoryW(folder.c_str(), nullptr);
  FILE* f = _wfopen(file.c_str(), L"wb");
  check(f != nullptr, "the user's WAV file can be written");
  const bool written = std::fwrite(bytes, 1, size, f) == size;
  std::fclose(f);
  FreeLibrary(lib);
  check(written, "the user's WAV file is written");
  return file;
}

// Any message box or other dialog that meridexa owns besides `except`.
bool messageShown(const Process& p, HWND except) {
  for (HWND h : topWindows(p.id(), L"#32770"))
    if (h != except && GetWindow(h, GW_OWNER) != nullptr) return true;
  return false;
}

// Stays `ms` while meridexa plays, failing as soon as it shows a message.
void listen(const Process& p, HWND except, DWORD ms, const std::string& what) {
  check(!waitFor([&] { return messageShown(p, except) || !p.running(); }, ms), what);
}

// meridexa playing a WAV file: the user chime at its minute (the one-second tick's path), then
// the timer-action dialog's ﾃｽﾄ button on the same file (upper-cased by the program).
void wavFileAudible(const Context& ctx) {
  constexpr UINT kTimerActionCommand = 32772, kExitCommand = 1;
  constexpr int kSoundCheck = 1216, kSoundFile = 1014, kSoundTest = 1025;
  const std::wstring file = saveChimeAsUserFile();

  // The user chime sounds on the first tick of its minute: leave enough of the minute for the
  // program to start and tick.
  SYSTEMTIME t;
  GetLocalTime(&t);
  if (t.wSecond > 50) {
    log("  waiting for the next minute");
    const WORD minute = t.wMinute;
    waitFor([&] {
      SYSTEMTIME n;
      GetLocalTime(&n);
      return n.wMinute != minute;
    }, 20000);
    GetLocalTime(&t);
  }
  deleteProgramKey();
  writeInt("OPTION", "JIHOU", 0);  // no hourly chime in the recording, whatever the hour
  writeInt("ACTION", "USERJIHOU", 1);
  writeInt("ACTION", "USERMAIFUN", t.wMinute);
  writeText("ACTION", "USERWAVFILE", narrow(file));
  expectChimes(ctx, 2);

  Process p = Process::start(ctx.program);
  HWND main = waitMainWindow(p);
  // The first tick comes a second after the window; then the whole chime and some silence, with
  // room for a slow start: ﾃｽﾄ would cut a chime that still plays.
  listen(p, nullptr, 1000 + kChimeMs + 2500, "the user chime plays without a message");

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kTimerActionCommand, 0), 0);
  HWND dlg = waitDialog(p, "タイマーアクションの設定");
  SendMessageW(GetDlgItem(dlg, kSoundCheck), BM_CLICK, 0, 0);
  check(IsWindowEnabled(GetDlgItem(dlg, kSoundTest)) != FALSE, "ﾃｽﾄ is usable once WAVE MIDI　再生 is checked");
  SendMessageW(GetDlgItem(dlg, kSoundFile), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  // Posted: a failing test play shows a modal message inside the button's handler.
  PostMessageW(GetDlgItem(dlg, kSoundTest), BM_CLICK, 0, 0);
  listen(p, dlg, kChimeMs + 1000, "ﾃｽﾄ plays " + narrow(file) + " without a message");
  check(windowText(GetDlgItem(dlg, kSoundFile)) == narrow(file), "ﾃｽﾄ leaves the file field as typed");

  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
  check(waitFor([&] { return !IsWindow(dlg); }, 10000), "Cancel closes the dialog");
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
  check(p.waitExit(15000), "終了 ends the program");
}
Register r2("sound.wav_file_audible", wavFileAudible);

}  // namespace
}  // namespace e2e
