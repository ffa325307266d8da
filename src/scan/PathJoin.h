#pragma once
#include <string>
#include <vector>

#include "common/Limits.h"

// True when the last whole character of text is a single-byte backslash.
// 0x5C can be the trail byte of a double-byte character (表, ソ), which does not count.
bool EndsWithBackslash932(const char* text);

// dir = folder with a trailing backslash. False (dir untouched) when it would not fit in kPathSize.
bool MakeDirWithBackslash(char (&dir)[kPathSize], const char* folder);

// out = dir + name. False (out untouched) when the result would not fit in kPathSize.
bool JoinPath(char (&out)[kPathSize], const char* dir, const char* name);

// The leading parts of dir that end in a single-byte backslash, shortest first: the drive root,
// each folder below it, and dir itself when it ends in a backslash. On a share the first parts
// ("\\", "\\\\", "\\\\srv\\") name no folder; a caller opening them finds none.
std::vector<std::string> AncestorFolders932(const char* dir);
