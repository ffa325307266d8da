#include "scan/PathJoin.h"

#include <cstring>

namespace {

template <typename Char>
std::size_t Length(const Char* text) {
  std::size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// out = head + tail, the caller having checked that it fits; memmove: out may be head.
template <typename Char>
void Join(Char (&out)[kPathSize], const Char* head, std::size_t headLength, const Char* tail, std::size_t tailLength) {
  std::memmove(out, head, headLength * sizeof(Char));
  std::memcpy(out + headLength, tail, tailLength * sizeof(Char));
  out[headLength + tailLength] = 0;
}

}  // namespace

bool MakeDirWithBackslash(ScanPath& dir, const NameForms& folder) {
  const std::size_t wide = Length(folder.wide), ansi = Length(folder.ansi);
  // Decided on the real text: in the 932 form 0x5C also ends characters such as 表.
  const bool add = wide == 0 || folder.wide[wide - 1] != L'\\';
  if (wide + add >= kPathSize || ansi + add >= kPathSize) return false;
  Join(dir.wide, folder.wide, wide, L"\\", add);
  Join(dir.ansi, folder.ansi, ansi, "\\", add);
  dir.exact = folder.exact;
  return true;
}

bool JoinPath(ScanPath& out, const ScanPath& dir, const NameForms& name) {
  const std::size_t dirWide = Length(dir.wide), dirAnsi = Length(dir.ansi);
  const std::size_t nameWide = Length(name.wide), nameAnsi = Length(name.ansi);
  if (nameWide >= kPathSize - dirWide || nameAnsi >= kPathSize - dirAnsi) return false;
  const bool exact = dir.exact && name.exact;
  Join(out.wide, dir.wide, dirWide, name.wide, nameWide);
  Join(out.ansi, dir.ansi, dirAnsi, name.ansi, nameAnsi);
  out.exact = exact;
  return true;
}

std::vector<std::wstring> AncestorFolders(const wchar_t* dir) {
  std::vector<std::wstring> folders;
  for (std::size_t i = 0; dir != nullptr && dir[i] != 0; ++i) {
    if (dir[i] == L'\\') folders.emplace_back(dir, i + 1);
  }
  return folders;
}
