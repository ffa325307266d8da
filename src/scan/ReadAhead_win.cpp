#include "scan/ReadAhead_win.h"

#include <new>

#include "scan/FolderWalk_win.h"
#include "scan/VersionColumns_win.h"

namespace {

// The walk keeps its levels on the heap; the platform's calls need little more.
constexpr SIZE_T kStackSize = 256 * 1024;

class Finder : public WalkSink {
 public:
  explicit Finder(ReadAheadQueue& queue) : queue_(queue) {}
  bool Cancelled() override { return queue_.Closed(); }
  void EnterFolder(const ScanPath&) override {}
  void File(const WIN32_FIND_DATAW&, const ScanPath& path, const char*) override {
    queue_.Put(path.wide, FileMayHoldVersionData(path.wide));
  }
  bool FilesDone() override { return !queue_.Closed(); }

 private:
  ReadAheadQueue& queue_;
};

}  // namespace

ReadAhead::ReadAhead(const wchar_t* folder, const std::string& pattern, bool includeSubfolders)
    : folder_(folder), pattern_(pattern), includeSubfolders_(includeSubfolders) {
  thread_.Reset(CreateThread(nullptr, kStackSize, &Walk, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (!thread_.Valid()) queue_.Close();  // every file is then probed when it is met
}

ReadAhead::~ReadAhead() {
  queue_.Close();
  if (thread_.Valid()) WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI ReadAhead::Walk(void* self) {
  auto& ahead = *static_cast<ReadAhead*>(self);
  try {
    Finder finder(ahead.queue_);
    ScanFolder(ahead.folder_.c_str(), ahead.pattern_, ahead.includeSubfolders_, finder);
    ahead.queue_.Finish();
  } catch (const std::bad_alloc&) {
    ahead.queue_.Close();  // out of memory: the listing probes on its own
  }
  return 0;
}

bool ReadAhead::MayHoldVersionData(const wchar_t* path) {
  bool answer = true;
  return queue_.Take(path, answer) ? answer : FileMayHoldVersionData(path);
}
