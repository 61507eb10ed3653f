// Plays the other end of a named pipe while it lives, so that code that
// wrongly opens the pipe as a file fails its test instead of hanging in the
// open: a reader is held open (a writer's open returns and its bytes are
// taken), and a writer is opened and closed again and again (a reader's
// open returns and it reads an empty file). Code that leaves the pipe alone
// sees nothing of it.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace zo::test {

class FifoPartner {
 public:
  explicit FifoPartner(std::filesystem::path fifo)
      : fifo_(std::move(fifo)), thread_([this] { Run(); }) {}
  ~FifoPartner() {
    stop_ = true;
    thread_.join();
  }
  FifoPartner(const FifoPartner&) = delete;
  FifoPartner& operator=(const FifoPartner&) = delete;

 private:
  void Run() {
    int reader = -1;
    while (!stop_) {
      if (reader < 0) reader = ::open(fifo_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      std::array<char, 4096> taken{};
      while (reader >= 0 && ::read(reader, taken.data(), taken.size()) > 0) {
      }
      // Wakes a reader waiting in its open.
      const int writer = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (writer >= 0) ::close(writer);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (reader >= 0) ::close(reader);
  }

  std::filesystem::path fifo_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace zo::test
