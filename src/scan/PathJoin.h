#pragma once
#include <string>
#include <vector>

#include "common/Limits.h"

// A name or pattern in the two forms a path is held in: the real text (UTF-16, as the disk holds
// it) and its code page 932 form, in which each character that code page lacks is '?'.
struct NameForms {
  const wchar_t* wide;
  const char* ansi;
  bool exact;  // the 932 form lost nothing
};

// A path in both forms. Rows show the 932 form and the length limit counts it, so a path that code
// page 932 can write is held to kPathSize bytes as it always was; the real one is never longer.
struct ScanPath {
  wchar_t wide[kPathSize];
  char ansi[kPathSize];
  bool exact;  // the 932 form names this file and no other
};

// dir = folder with a trailing backslash. False (dir untouched) when either form would not fit.
bool MakeDirWithBackslash(ScanPath& dir, const NameForms& folder);

// out = dir + name; out may be dir. False (out untouched) when either form would not fit.
bool JoinPath(ScanPath& out, const ScanPath& dir, const NameForms& name);

// The leading parts of dir that end in a backslash, shortest first: the drive root, each folder
// below it, and dir itself when it ends in a backslash. On a share the first parts ("\", "\\",
// "\\srv\") name no folder; a caller opening them finds none.
std::vector<std::wstring> AncestorFolders(const wchar_t* dir);
