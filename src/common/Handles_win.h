#pragma once
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

// One owner per kind of handle. None can be copied, only handed on, so none is closed twice, and
// each knows the value that means "no handle".
template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;
  UniqueHandle() = default;
  explicit UniqueHandle(Type handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }

  bool Valid() const { return handle_ != Traits::Invalid(); }
  Type Get() const { return handle_; }
  // Hands the handle over to whoever now closes it.
  Type Release() {
    const Type handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }
  void Reset(Type handle = Traits::Invalid()) {
    if (Valid()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Type handle_ = Traits::Invalid();
};

struct FindTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { FindClose(h); }
};
struct FileTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { CloseHandle(h); }
};
struct ThreadTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};
struct GdiTraits {
  using Type = HGDIOBJ;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DeleteObject(h); }
};
// The shell allocates item lists with the task allocator; nothing else may free them.
struct ItemIdListTraits {
  using Type = LPITEMIDLIST;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CoTaskMemFree(h); }
};
struct WindowTraits {
  using Type = HWND;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DestroyWindow(h); }
};

struct MenuTraits {
  using Type = HMENU;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DestroyMenu(h); }
};
struct GlobalTraits {
  using Type = HGLOBAL;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { GlobalFree(h); }
};

using FindHandle = UniqueHandle<FindTraits>;   // FindFirstFileW
using FileHandle = UniqueHandle<FileTraits>;   // CreateFileW
using ThreadHandle = UniqueHandle<ThreadTraits>;  // CreateThread
using GdiObject = UniqueHandle<GdiTraits>;     // brushes, fonts
using ItemIdList = UniqueHandle<ItemIdListTraits>;
using OwnedWindow = UniqueHandle<WindowTraits>;  // a window this code made for itself
using OwnedMenu = UniqueHandle<MenuTraits>;      // LoadMenuA
using GlobalMemory = UniqueHandle<GlobalTraits>;  // GlobalAlloc; the clipboard takes it over

// A window's device context, released to that window.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A COM interface pointer, released once.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (pointer_) pointer_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  Interface* operator->() const { return pointer_; }
  // Where a call that hands out a reference puts it; any held one is released first.
  void** Out() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

// The clipboard, open while this lives. Another program may hold it for a moment, so opening is
// tried a few times.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10 && !(open_ = OpenClipboard(owner) != FALSE); ++attempt) Sleep(10);
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};
