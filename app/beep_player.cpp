#include "app/beep_player.h"

#include <utility>

namespace mdx {

BeepPlayer::BeepPlayer(std::function<void()> sound) : sound_(std::move(sound)) {}

BeepPlayer::~BeepPlayer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  if (worker_.joinable()) worker_.join();
}

bool BeepPlayer::request() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (busy_) return false;
    busy_ = true;
    // One thread for the player's life, made only when a key first beeps.
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
  }
  wake_.notify_one();
  return true;
}

void BeepPlayer::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return busy_ || stop_; });
    if (stop_) return;
    lock.unlock();
    sound_();
    lock.lock();
    busy_ = false;
  }
}

}  // namespace mdx
