#include "scan/ReadAheadQueue.h"

bool ReadAheadQueue::Put(const std::wstring& path, bool answer) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (entries_.size() >= capacity_) room_.wait(lock, [&] { return closed_ || entries_.size() <= capacity_ / 2; });
  if (closed_) return false;
  entries_.push_back({path, answer});
  if (entries_.size() == 1) ready_.notify_one();
  return true;
}

void ReadAheadQueue::Finish() {
  std::lock_guard<std::mutex> lock(mutex_);
  finished_ = true;
  ready_.notify_one();
}

void ReadAheadQueue::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  CloseLocked();
}

void ReadAheadQueue::CloseLocked() {
  closed_ = true;
  entries_.clear();
  room_.notify_one();
  ready_.notify_one();
}

bool ReadAheadQueue::Take(const wchar_t* path, bool& answer) {
  std::unique_lock<std::mutex> lock(mutex_);
  ready_.wait(lock, [&] { return closed_ || finished_ || !entries_.empty(); });
  if (closed_ || entries_.empty()) return false;
  if (entries_.front().path != path) {
    CloseLocked();
    return false;
  }
  answer = entries_.front().answer;
  entries_.pop_front();
  if (entries_.size() == capacity_ / 2) room_.notify_one();
  return true;
}
