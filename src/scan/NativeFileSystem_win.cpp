#include "scan/NativeFileSystem_win.h"

namespace {

using DisableRedirection = BOOL(WINAPI*)(PVOID*);
using RevertRedirection = BOOL(WINAPI*)(PVOID);

struct Redirection {
  DisableRedirection disable = nullptr;
  RevertRedirection revert = nullptr;
};

template <typename Function>
Function Find(HMODULE module, const char* name) {
  // Through the one function type that converts to any other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Looked up once, at run time: 32-bit Windows has no redirection and lacks these calls, and a
// program that does not run under WoW64 (a 64-bit build) needs none.
const Redirection& Wow64Redirection() {
  static const Redirection redirection = [] {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return Redirection();
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    Redirection found;
    found.disable = Find<DisableRedirection>(kernel, "Wow64DisableWow64FsRedirection");
    found.revert = Find<RevertRedirection>(kernel, "Wow64RevertWow64FsRedirection");
    return found.disable && found.revert ? found : Redirection();
  }();
  return redirection;
}

}  // namespace

NativeFileSystem::NativeFileSystem() {
  if (const Redirection& r = Wow64Redirection(); r.disable) off_ = r.disable(&old_) != FALSE;
}

NativeFileSystem::~NativeFileSystem() {
  if (off_) Wow64Redirection().revert(old_);
}
