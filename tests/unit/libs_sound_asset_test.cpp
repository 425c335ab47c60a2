// The built-in chime (libs/sound/chime.wav, embedded as WAVE resource 130 of
// mdxsound.dll): exact container layout and a sane, audible recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> readChime() {
  std::ifstream in(std::string(MDX_SOURCE_DIR) + "/libs/sound/chime.wav", std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
std::string tag(const std::vector<uint8_t>& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

constexpr size_t kHeader = 44;
constexpr size_t kSamples = 188940;
constexpr int kRate = 20000;

class SoundAssetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file = readChime();
    ASSERT_EQ(file.size(), 188984u);
  }
  int sample(size_t i) const { return static_cast<int>(file[kHeader + i]) - 128; }
  std::vector<uint8_t> file;
};

TEST_F(SoundAssetTest, ContainerIsRiffWaveWithFmtThenData) {
  EXPECT_EQ(tag(file, 0), "RIFF");
  EXPECT_EQ(u32(file, 4), 188976u);
  EXPECT_EQ(tag(file, 8), "WAVE");
  EXPECT_EQ(tag(file, 12), "fmt ");
  EXPECT_EQ(u32(file, 16), 16u);
  EXPECT_EQ(u16(file, 20), 1);       // PCM
  EXPECT_EQ(u16(file, 22), 1);       // mono
  EXPECT_EQ(u32(file, 24), 20000u);  // samples per second
  EXPECT_EQ(u32(file, 28), 20000u);  // bytes per second
  EXPECT_EQ(u16(file, 32), 1);       // block alignment
  EXPECT_EQ(u16(file, 34), 8);       // bits per sample
  EXPECT_EQ(tag(file, 36), "data");
  EXPECT_EQ(u32(file, 40), kSamples);
  EXPECT_EQ(kHeader + kSamples, file.size());  // nothing after the data
}

TEST_F(SoundAssetTest, SoundIsAudibleCentredAndNeverClipsForLong) {
  double sum = 0, sumSquares = 0;
  size_t run = 0, longestExtremeRun = 0;
  for (size_t i = 0; i < kSamples; ++i) {
    const int v = sample(i);
    sum += v;
    sumSquares += v * v;
    const bool extreme = v <= -127 || v >= 127;
    run = extreme ? run + 1 : 0;
    longestExtremeRun = std::max(longestExtremeRun, run);
  }
  const double mean = sum / kSamples;
  const double rms = std::sqrt(sumSquares / kSamples);
  EXPECT_LT(std::fabs(mean), 2.0) << "offset from the 8-bit mid level 128";
  EXPECT_GT(rms, 10.0) << "the chime is (nearly) silent";
  EXPECT_LE(longestExtremeRun, 2u) << "samples stuck at full scale";
}

TEST_F(SoundAssetTest, FadesInAndOutWithItsLoudestPartInTheMiddle) {
  // Loudness in quarter-second windows.
  const size_t window = kRate / 4;
  std::vector<double> envelope;
  for (size_t start = 0; start + window <= kSamples; start += window) {
    double s = 0;
    for (size_t i = start; i < start + window; ++i) s += sample(i) * sample(i);
    envelope.push_back(std::sqrt(s / window));
  }
  const size_t loudest = static_cast<size_t>(
      std::max_element(envelope.begin(), envelope.end()) - envelope.begin());
  const double peakTime = (loudest + 0.5) * 0.25;
  const double duration = static_cast<double>(kSamples) / kRate;
  EXPECT_GT(peakTime, duration / 3);
  EXPECT_LT(peakTime, duration * 2 / 3);

  // Starts and ends near silence, so playback neither clicks on nor off.
  for (size_t i = 0; i < kRate / 100; ++i) {
    EXPECT_LE(std::abs(sample(i)), 3) << "sample " << i;
    EXPECT_LE(std::abs(sample(kSamples - 1 - i)), 3) << "sample " << kSamples - 1 - i;
  }
  EXPECT_LT(envelope.front(), envelope[loudest] / 10);
  EXPECT_LT(envelope.back(), envelope[loudest] / 10);
}

}  // namespace
