#include "listops/CsvExport_win.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "common/Handles_win.h"
#include "common/Limits.h"
#include "listops/CsvLine.h"
#include "scan/FileList_win.h"

namespace {

constexpr std::size_t kWriteChunk = 64 * 1024;

// Writes and empties the buffer; a short write counts as a failure.
bool Flush(const FileHandle& file, std::string& buffer) {
  if (buffer.empty()) return true;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(buffer.size());
  if (!WriteFile(file.Get(), buffer.data(), size, &written, nullptr) || written != size) return false;
  buffer.clear();
  return true;
}

bool WriteRows(HWND list, const char* path) {
  FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const int rows = RowCount(list);
  std::string cells[kColumnCount];
  std::string buffer;
  buffer.reserve(kWriteChunk + 4096);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kColumnCount; ++c) ReadCellText(list, r, c, cells[c]);
    AppendCsvLine(buffer, cells, kColumnCount);
    if (buffer.size() >= kWriteChunk && !Flush(file, buffer)) return false;
  }
  // On the disk before the file takes the old one's place, so that not even a crash leaves less.
  return Flush(file, buffer) && FlushFileBuffers(file.Get());
}

}  // namespace

// Proposed again by every later Save of the run.
static char exportPath[kPathSize];

bool WriteListAsCsv(HWND list, const char* path) {
  // The rows go to a new file beside the chosen one, which takes its place only once they are all
  // written: a full disk or a failed write never leaves a cut list where the last good one was.
  char full[kPathSize], temp[MAX_PATH];
  char* name = nullptr;
  const DWORD length = GetFullPathNameA(path, kPathSize, full, &name);
  if (length == 0 || length >= kPathSize || !name) return false;
  const std::string folder(full, name);
  if (!GetTempFileNameA(folder.c_str(), "FIL", 0, temp)) return false;
  if (WriteRows(list, temp) && MoveFileExA(temp, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileA(temp);
  return false;
}

void SaveListAsCsv(HWND owner, HWND list) {
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "CSV files {*.csv}\0*.csv\0Text files {*.txt}\0*.txt\0All files {*.*}\0*.*\0\0";
  ofn.lpstrFile = exportPath;
  ofn.nMaxFile = kPathSize;
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  ofn.lpstrDefExt = "txt";
  if (!GetSaveFileNameA(&ofn)) return;

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (WriteListAsCsv(list, exportPath)) return;
  const std::string message = std::string("ファイルに保存できませんでした。\r\n") + exportPath;
  MessageBoxA(owner, message.c_str(), "FILORA", MB_ICONERROR);
}
