// The key beep's player: one tone at a time, requests during a tone add none, and the caller
// never waits for the tone.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/beep_player.h"

namespace mdx {
namespace {

// A tone that lasts until the test ends it, as Windows' Beep lasts its duration.
struct HeldTone {
  std::mutex m;
  std::condition_variable cv;
  int started = 0, finished = 0;
  bool release = false;

  void play() {
    std::unique_lock<std::mutex> lock(m);
    ++started;
    cv.notify_all();
    cv.wait(lock, [this] { return release; });
    release = false;
    ++finished;
    cv.notify_all();
  }
  template <class Pred>
  bool waitUntil(Pred pred) {
    std::unique_lock<std::mutex> lock(m);
    return cv.wait_for(lock, std::chrono::seconds(5), pred);
  }
  void end() {
    std::lock_guard<std::mutex> lock(m);
    release = true;
    cv.notify_all();
  }
};

TEST(BeepPlayer, OneToneAtATimeAndTheCallerNeverWaits) {
  HeldTone tone;
  {
    BeepPlayer player([&] { tone.play(); });
    EXPECT_TRUE(player.request());  // returns while the tone is still sounding
    ASSERT_TRUE(tone.waitUntil([&] { return tone.started == 1; }));
    for (int repeat = 0; repeat < 30; ++repeat) EXPECT_FALSE(player.request());  // a held key
    tone.end();
    ASSERT_TRUE(tone.waitUntil([&] { return tone.finished == 1; }));
    // Once the tone has ended the next key beeps again.
    bool again = false;
    for (int i = 0; i < 500 && !(again = player.request()); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(again);
    ASSERT_TRUE(tone.waitUntil([&] { return tone.started == 2; }));
    tone.end();  // ends while the player is being destroyed, which waits for it
  }
  EXPECT_EQ(tone.started, 2);
  EXPECT_EQ(tone.finished, 2);
}

}  // namespace
}  // namespace mdx
