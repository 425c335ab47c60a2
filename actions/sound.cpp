#include "actions/sound.h"

namespace mdx {

const char* const kMidiAlias = "Target";
const char* const kWavePlayErrorMessage = "Error No=4";
const char* const kCannotPlayMessage = "再生出来ません";

std::string mciCloseCommand() { return std::string("close ") + kMidiAlias; }

std::string mciOpenCommand(const std::string& midiPath) {
  std::string quoted;
  quoted.reserve(midiPath.size() + 2);
  quoted += '"';
  for (char c : midiPath)
    if (c != '"') quoted += c;
  quoted += '"';
  return "open " + quoted + " type sequencer alias " + kMidiAlias;
}

std::string mciSeekCommand() { return std::string("seek ") + kMidiAlias + " to 0"; }

std::string mciPlayCommand() { return std::string("play ") + kMidiAlias; }

std::vector<std::string> midiPlayCommands(const std::string& midiPath) {
  return {mciCloseCommand(), mciOpenCommand(midiPath), mciSeekCommand(), mciPlayCommand()};
}

std::string toUpperAscii(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

namespace {
bool endsWith(const std::string& text, const char* suffix3) {
  return text.size() >= 3 && text.compare(text.size() - 3, 3, suffix3) == 0;
}
}  // namespace

bool endsWithWav(const std::string& text) { return endsWith(text, "WAV"); }
bool endsWithMid(const std::string& text) { return endsWith(text, "MID"); }

void playMidiFile(SoundDevice& device, const std::string& path) {
  for (const std::string& command : midiPlayCommands(path)) device.mciSend(command);
}

void playSound(SoundDevice& device, const std::string& path, SoundKind kind) {
  switch (kind) {
    case SoundKind::WaveFile:
      device.playWaveFile(path);
      break;
    case SoundKind::BuiltInChime:
      device.playChime();
      break;
    case SoundKind::MidiFile:
      playMidiFile(device, path);
      break;
    default:
      break;
  }
}

void testPlay(SoundDevice& device, const std::string& path) {
  const std::string upper = toUpperAscii(path);
  if (upper.empty()) return;
  if (endsWithWav(upper)) {
    if (!device.playWaveFile(upper)) device.showMessage(kWavePlayErrorMessage, MessageIcon::Stop);
  } else if (endsWithMid(upper)) {
    playMidiFile(device, upper);
  } else {
    device.showMessage(kCannotPlayMessage, MessageIcon::Stop);
  }
}

void closeMidi(SoundDevice& device) { device.mciSend(mciCloseCommand()); }

}  // namespace mdx
