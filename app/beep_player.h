#pragma once
// Sounds the key beep off the user-interface thread. Windows' Beep returns only when its tone
// ends, so sounding it where the key arrives would stop the tick, the title and the drawing for
// the whole tone (and a held key would queue one tone per repeat). One tone at a time: a
// request while a tone sounds adds none.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace mdx {

class BeepPlayer {
 public:
  // `sound` plays one whole tone and returns when it ends; it runs on the player's own thread,
  // started at the first request.
  explicit BeepPlayer(std::function<void()> sound);
  // Waits for a tone that is sounding; one requested but not yet begun is dropped.
  ~BeepPlayer();
  BeepPlayer(const BeepPlayer&) = delete;
  BeepPlayer& operator=(const BeepPlayer&) = delete;

  // Starts a tone unless one is requested or sounding; returns whether it started one.
  bool request();

 private:
  void run();

  std::function<void()> sound_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool busy_ = false;  // a tone is requested or sounding
  bool stop_ = false;
  std::thread worker_;
};

}  // namespace mdx
