#pragma once
#include <windows.h>

// On 64-bit Windows the platform shows a 32-bit program SysWOW64 where it asks for System32 (and
// does the like for a few more paths), so a listing of System32 would show another folder's files
// under System32's paths. The scan's own file-system calls run inside one of these, which turns
// that off on the calling thread while it lives; every other call (the shell, dialogs, opening a
// file) sees the folders as the platform shows them to a 32-bit program.
class NativeFileSystem {
 public:
  NativeFileSystem();
  ~NativeFileSystem();
  NativeFileSystem(const NativeFileSystem&) = delete;
  NativeFileSystem& operator=(const NativeFileSystem&) = delete;

 private:
  void* old_ = nullptr;
  bool off_ = false;
};
