#include "listops/ReplacingFile_win.h"

#include "common/Handles_win.h"
#include "common/Limits.h"

namespace {

constexpr std::size_t kWriteChunk = 64 * 1024;

}  // namespace

bool FileText::Write() {
  if (buffer_.empty()) return true;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(buffer_.size());
  // A short write counts as a failure.
  if (!WriteFile(file_, buffer_.data(), size, &written, nullptr) || written != size) return false;
  buffer_.clear();
  return true;
}

bool FileText::WriteWhenFull() { return buffer_.size() < kWriteChunk || Write(); }

// On the disk before the file takes the old one's place, so that not even a crash leaves less.
bool FileText::Finish() { return Write() && FlushFileBuffers(file_); }

bool WriteReplacingFile(const wchar_t* path, const std::function<bool(FileText&)>& write) {
  wchar_t full[kPathSize], temp[MAX_PATH];
  wchar_t* name = nullptr;
  const DWORD length = GetFullPathNameW(path, kPathSize, full, &name);
  if (length == 0 || length >= kPathSize || !name) return false;
  const std::wstring folder(full, name);
  if (!GetTempFileNameW(folder.c_str(), L"FIL", 0, temp)) return false;
  bool written = false;
  {
    FileHandle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    FileText text(file.Get());
    text.Buffer().reserve(kWriteChunk + 4096);
    written = file.Valid() && write(text) && text.Finish();
  }
  if (written && MoveFileExW(temp, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileW(temp);
  return false;
}
