// Sound dispatch: which device call each request makes, the MCI command texts and the test
// play's messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/sound.h"

namespace mdx {
namespace {

class RecordingDevice : public SoundDevice {
 public:
  std::vector<std::string> calls;
  bool waveResult = true;
  uint32_t mciResult = 0;

  bool playWaveFile(const std::string& path) override {
    calls.push_back("wave " + path);
    return waveResult;
  }
  void playChime() override { calls.push_back("chime"); }
  uint32_t mciSend(const std::string& command) override {
    calls.push_back("mci " + command);
    return mciResult;
  }
  void showMessage(const std::string& text, MessageIcon icon) override {
    calls.push_back("message " + std::to_string(static_cast<uint32_t>(icon)) + " " + text);
  }
};

using Calls = std::vector<std::string>;

Calls midiCalls(const std::string& path) {
  return {"mci close Target", "mci open \"" + path + "\" type sequencer alias Target", "mci seek Target to 0",
          "mci play Target"};
}

TEST(SoundDispatch, PlaysEachKindThroughItsDevice) {
  RecordingDevice d;
  playSound(d, "C:\\A.WAV", SoundKind::WaveFile);
  playSound(d, "ignored", SoundKind::BuiltInChime);
  EXPECT_EQ(d.calls, (Calls{"wave C:\\A.WAV", "chime"}));

  d.calls.clear();
  playSound(d, "C:\\B.MID", SoundKind::MidiFile);
  EXPECT_EQ(d.calls, midiCalls("C:\\B.MID"));

  d.calls.clear();
  playSound(d, "C:\\A.WAV", static_cast<SoundKind>(0));
  playSound(d, "C:\\A.WAV", static_cast<SoundKind>(4));
  EXPECT_EQ(d.calls, Calls{});
}

TEST(SoundMci, CommandTextsUseTheOneAliasAndQuoteThePath) {
  EXPECT_EQ(mciCloseCommand(), "close Target");
  EXPECT_EQ(mciSeekCommand(), "seek Target to 0");
  EXPECT_EQ(mciPlayCommand(), "play Target");
  EXPECT_EQ(mciOpenCommand("C:\\MY MUSIC\\NEW SONG.MID"),
            "open \"C:\\MY MUSIC\\NEW SONG.MID\" type sequencer alias Target");
  EXPECT_EQ(mciOpenCommand("D:\\音楽\\曲.MID"), "open \"D:\\音楽\\曲.MID\" type sequencer alias Target");
  // Quotes cannot be part of a file name; ones pasted around the path are dropped.
  EXPECT_EQ(mciOpenCommand("\"C:\\A B.MID\""), "open \"C:\\A B.MID\" type sequencer alias Target");
  EXPECT_EQ(mciOpenCommand("C:\\A.MID\" alias Other"), "open \"C:\\A.MID alias Other\" type sequencer alias Target");
}

TEST(SoundMci, VeryLongPathIsKeptWhole) {
  const std::string path = "C:\\" + std::string(5000, 'X') + ".MID";
  const std::string open = mciOpenCommand(path);
  EXPECT_EQ(open, "open \"" + path + "\" type sequencer alias Target");
  RecordingDevice d;
  playMidiFile(d, path);
  EXPECT_EQ(d.calls, midiCalls(path));
}

TEST(SoundMci, EveryCommandIsSentWhateverTheResults) {
  RecordingDevice d;
  d.mciResult = 275;  // file not found
  d.waveResult = false;  // timed playback reports nothing either way
  playSound(d, "missing.wav", SoundKind::WaveFile);
  playMidiFile(d, "X.MID");
  Calls expected = midiCalls("X.MID");
  expected.insert(expected.begin(), "wave missing.wav");
  EXPECT_EQ(d.calls, expected);
  d.calls.clear();
  closeMidi(d);
  EXPECT_EQ(d.calls, Calls{"mci close Target"});
}

TEST(SoundTestPlay, ChoosesByTheUpperCasedEnding) {
  RecordingDevice d;
  testPlay(d, "");
  EXPECT_EQ(d.calls, Calls{});

  testPlay(d, "c:\\sounds\\bell.wav");
  EXPECT_EQ(d.calls, Calls{"wave C:\\SOUNDS\\BELL.WAV"});

  d.calls.clear();
  d.mciResult = 263;  // MIDI failures show nothing
  testPlay(d, "c:\\my songs\\tune.mid");
  EXPECT_EQ(d.calls, midiCalls("C:\\MY SONGS\\TUNE.MID"));

  for (const char* other : {"c:\\a.midi", "c:\\a.wave", "readme.txt", "ab", "c:\\音楽\\曲.ｗａｖ"}) {
    d.calls.clear();
    testPlay(d, other);
    EXPECT_EQ(d.calls, Calls{"message 16 再生出来ません"}) << other;
  }
}

TEST(SoundTestPlay, RefusedWaveShowsErrorNo4) {
  RecordingDevice d;
  d.waveResult = false;
  testPlay(d, "d:\\音楽\\ｸﾗｼｯｸ.wav");
  EXPECT_EQ(d.calls, (Calls{"wave D:\\音楽\\ｸﾗｼｯｸ.WAV", "message 16 Error No=4"}));
}

}  // namespace
}  // namespace mdx
