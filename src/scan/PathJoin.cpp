#include "scan/PathJoin.h"

#include <cstring>

#include "common/CodePage932.h"

bool EndsWithBackslash932(const char* text) {
  if (text == nullptr) return false;
  // Only a walk from the start tells a lone 0x5C from the trail byte of 表 or ソ.
  bool lastIsBackslash = false;
  for (const char* p = text; *p != '\0';) {
    if (IsLeadByte932(static_cast<unsigned char>(*p))) {
      lastIsBackslash = false;
      p += (p[1] != '\0') ? 2 : 1;  // a lead byte at the very end is a broken character
    } else {
      lastIsBackslash = (*p == '\\');
      ++p;
    }
  }
  return lastIsBackslash;
}

bool MakeDirWithBackslash(char (&dir)[kPathSize], const char* folder) {
  if (folder == nullptr) folder = "";
  const std::size_t len = std::strlen(folder);
  const bool addBackslash = !EndsWithBackslash932(folder);
  const std::size_t total = len + (addBackslash ? 1 : 0);
  if (total + 1 > kPathSize) return false;
  std::memcpy(dir, folder, len);
  if (addBackslash) dir[len] = '\\';
  dir[total] = '\0';
  return true;
}

bool JoinPath(char (&out)[kPathSize], const char* dir, const char* name) {
  if (dir == nullptr) dir = "";
  if (name == nullptr) name = "";
  const std::size_t dirLen = std::strlen(dir);
  const std::size_t nameLen = std::strlen(name);
  if (dirLen >= kPathSize || nameLen >= kPathSize - dirLen) return false;
  // memmove: the caller may pass out itself as dir.
  std::memmove(out, dir, dirLen);
  std::memcpy(out + dirLen, name, nameLen);
  out[dirLen + nameLen] = '\0';
  return true;
}

std::vector<std::string> AncestorFolders932(const char* dir) {
  std::vector<std::string> folders;
  if (dir == nullptr) return folders;
  for (std::size_t i = 0; dir[i] != '\0'; ++i) {
    if (IsLeadByte932(static_cast<unsigned char>(dir[i])) && dir[i + 1] != '\0') {
      ++i;  // a trail byte can be 0x5C
      continue;
    }
    if (dir[i] == '\\') folders.emplace_back(dir, i + 1);
  }
  return folders;
}
