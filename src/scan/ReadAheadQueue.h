#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

// Answers found by one thread for the files that another meets after it, in the same order. The
// finder waits while it is capacity files ahead, until the taker has caught up by half of them,
// so that the two wake each other rarely. Once the taker meets a file other than the one at the
// front (the folder changed between the two walks), the finder stops and the taker is on its own.
class ReadAheadQueue {
 public:
  explicit ReadAheadQueue(std::size_t capacity) : capacity_(capacity) {}
  // False once no more answers are wanted.
  bool Put(const std::wstring& path, bool answer);
  // No more answers will come.
  void Finish();
  // No more answers are wanted; a finder waiting for room goes on.
  void Close();
  bool Closed() const { return closed_; }
  // The answer for path, when it is the next one found; waits for the finder to get there.
  bool Take(const wchar_t* path, bool& answer);

 private:
  struct Entry {
    std::wstring path;
    bool answer;
  };
  void CloseLocked();
  std::mutex mutex_;
  std::condition_variable room_, ready_;
  std::deque<Entry> entries_;
  const std::size_t capacity_;
  bool finished_ = false;
  std::atomic<bool> closed_{false};
};
