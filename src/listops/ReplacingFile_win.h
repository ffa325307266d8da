#pragma once
#include <windows.h>

#include <functional>
#include <string>

// What a writer gives a replacing file: text appended to Buffer() is written as the buffer fills.
class FileText {
 public:
  explicit FileText(HANDLE file) : file_(file) {}
  std::string& Buffer() { return buffer_; }
  // Writes the buffer once it holds a good chunk; false when a write failed.
  bool WriteWhenFull();
  // Writes the rest and puts it all on the disk; false when that failed.
  bool Finish();

 private:
  bool Write();
  HANDLE file_;
  std::string buffer_;
};

// Writes a file that takes the place of the one at path only once it is whole: the text goes to a
// new file beside it first, so a full disk or a failed write never leaves a cut file where the
// last good one was. write appends the text and returns false when it could not. False, leaving
// an existing file as it was, when the file could not be written whole.
bool WriteReplacingFile(const wchar_t* path, const std::function<bool(FileText&)>& write);
