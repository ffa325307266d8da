#include "common/TextConvert_win.h"

#include <windows.h>

#include <climits>

namespace {

constexpr UINT kCodePage932 = 932;

// bytesPerUnit: the most bytes the code page takes for one UTF-16 unit.
std::string ToBytes(UINT codePage, std::size_t bytesPerUnit, DWORD flags, const char* lostAs, std::wstring_view text,
                    BOOL* lost) {
  if (text.empty() || text.size() > INT_MAX / 4) return {};
  std::string out(text.size() * bytesPerUnit, '\0');
  const int length = static_cast<int>(text.size());
  out.resize(static_cast<std::size_t>(WideCharToMultiByte(codePage, flags, text.data(), length, &out[0],
                                                          static_cast<int>(out.size()), lostAs, lost)));
  return out;
}

std::size_t FromBytes(UINT codePage, DWORD flags, std::string_view text, wchar_t* out, std::size_t room) {
  if (text.empty() || text.size() > INT_MAX || room > INT_MAX) return 0;
  const int length = static_cast<int>(text.size());
  return static_cast<std::size_t>(MultiByteToWideChar(codePage, flags, text.data(), length, out, static_cast<int>(room)));
}

std::wstring FromBytes(UINT codePage, DWORD flags, std::string_view text) {
  std::wstring out(text.size(), L'\0');  // never more UTF-16 units than bytes
  out.resize(FromBytes(codePage, flags, text, &out[0], out.size()));
  return out;
}

}  // namespace

std::string NameTo932(std::wstring_view text, bool* lost) {
  BOOL usedDefault = FALSE;
  std::string name = ToBytes(kCodePage932, 2, WC_NO_BEST_FIT_CHARS, "?", text, &usedDefault);
  if (lost) *lost = usedDefault != FALSE;
  return name;
}

std::string TextTo932(std::wstring_view text) { return ToBytes(kCodePage932, 2, 0, nullptr, text, nullptr); }

std::wstring WideFrom932(std::string_view text) { return FromBytes(kCodePage932, 0, text); }

std::size_t WideFrom932(std::string_view text, wchar_t* out, std::size_t room) {
  return FromBytes(kCodePage932, 0, text, out, room);
}

std::string Utf8From(std::wstring_view text) { return ToBytes(CP_UTF8, 3, 0, nullptr, text, nullptr); }

std::wstring WideFromUtf8(std::string_view text) { return FromBytes(CP_UTF8, MB_ERR_INVALID_CHARS, text); }
