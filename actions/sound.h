#pragma once
// Sound playback decisions: which sound a request plays, the MCI command texts that drive the
// MIDI sequencer under the one process-wide alias "Target", and what the timer-action dialog's
// test play reports. The platform side (PlaySoundW, mciSendStringW, the sound library's
// Play_Snd, message boxes) sits behind SoundDevice; everything here is portable.
#include <cstdint>
#include <string>
#include <vector>

namespace mdx {

// How a request is played. The values are fixed; any other value plays nothing.
enum class SoundKind : int32_t {
  WaveFile = 1,      // the platform's wave player on the given path
  BuiltInChime = 2,  // the sound library's chime; the path is ignored
  MidiFile = 3,      // the MCI sequencer on the given path (playMidiFile)
};

// Icon of a message box; the value is the platform's MB_ICONHAND.
enum class MessageIcon : uint32_t { Stop = 0x10 };

// The platform's sound output and the dialog's message box.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Starts a file sound asynchronously (PlaySound with kPlaySoundFlags, no module) and returns
  // the platform's result.
  virtual bool playWaveFile(const std::string& path) = 0;
  // Starts the built-in chime (Play_Snd(1) of the sound library); the result is not used.
  virtual void playChime() = 0;
  // Sends one MCI command (no return buffer, no callback window) and returns the MCI error
  // code, 0 on success.
  virtual uint32_t mciSend(const std::string& command) = 0;
  // Shows a message box with an OK button; the caption is the program's application name.
  virtual void showMessage(const std::string& text, MessageIcon icon) = 0;
};

// SND_ASYNC | SND_NODEFAULT: start and return at once, stay silent when the file is missing,
// and let the platform take the text as an alias name first, then as a file name.
constexpr uint32_t kPlaySoundFlags = 0x0003;

// The only MIDI alias the process uses, so any new MIDI playback replaces the previous one.
extern const char* const kMidiAlias;  // "Target"

// Messages of the test play.
extern const char* const kWavePlayErrorMessage;   // "Error No=4"
extern const char* const kCannotPlayMessage;      // "再生出来ません"

// The four MCI command texts for the alias "Target". The open command quotes the path so
// that a path with spaces opens; double quotes inside the path (which no file name can
// contain) are dropped so the command stays well-formed. No length limit applies.
std::string mciCloseCommand();
std::string mciOpenCommand(const std::string& midiPath);
std::string mciSeekCommand();
std::string mciPlayCommand();
// close, open, seek to 0, play: the sequence that (re)starts a MIDI file from its beginning.
std::vector<std::string> midiPlayCommands(const std::string& midiPath);

// Upper-cases ASCII letters only; every other byte (so every non-ASCII UTF-8 character) is
// kept as it is.
std::string toUpperAscii(const std::string& text);
// True when the text's last three characters are "WAV" / "MID" (exact, upper case). The
// bytes compared are ASCII, so a UTF-8 multibyte character at the end never matches.
bool endsWithWav(const std::string& text);
bool endsWithMid(const std::string& text);

// Plays a request by kind: WaveFile through the wave player (result ignored), BuiltInChime
// through the sound library, MidiFile through playMidiFile; any other kind plays nothing.
void playSound(SoundDevice& device, const std::string& path, SoundKind kind);
// Sends the four MIDI commands in order; every one is sent whatever the earlier ones returned.
void playMidiFile(SoundDevice& device, const std::string& path);
// The dialog's test button: upper-cases a copy of the path; empty does nothing; "...WAV" plays
// it and reports "Error No=4" if the platform refuses; "...MID" plays it through MCI (results
// not examined); anything else reports "再生出来ません". Both messages use the stop icon.
void testPlay(SoundDevice& device, const std::string& path);
// Stops any MIDI playback of the process (the close command for "Target").
void closeMidi(SoundDevice& device);

}  // namespace mdx
