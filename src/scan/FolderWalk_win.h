#pragma once

// Handles the files of folder that match pattern, then (unless stopped) its subfolders.
// listing false: count only; true: insert a row per file.
void ScanFolder(const char* folder, const char* pattern, bool listing);
