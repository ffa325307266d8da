#include "listops/CsvExport_win.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "app/MainWindow_win.h"
#include "listops/CsvLine.h"
#include "scan/FileList_win.h"
#include "scan/PathJoin.h"

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

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

}  // namespace

// Proposed again by every later Save of the run.
static char exportPath[kPathSize];

bool WriteListAsCsv(HWND list, const char* path) {
  FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const int rows = RowCount(list);
  std::string cells[kColumnCount];
  std::vector<char> room;  // read into, reused with the cells' own storage from row to row
  std::string buffer;
  buffer.reserve(kWriteChunk + 4096);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kColumnCount; ++c) ReadCellText(list, r, c, cells[c], room);
    AppendCsvLine(buffer, cells, kColumnCount);
    if (buffer.size() >= kWriteChunk && !Flush(file, buffer)) return false;
  }
  return Flush(file, buffer);
}

void SaveListAsCsv() {
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = MainWindow();
  ofn.lpstrFilter = "CSV files {*.csv}\0*.csv\0Text files {*.txt}\0*.txt\0All files {*.*}\0*.*\0\0";
  ofn.lpstrFile = exportPath;
  ofn.nMaxFile = kPathSize;
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  ofn.lpstrDefExt = "txt";
  if (!GetSaveFileNameA(&ofn)) return;

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (WriteListAsCsv(FileListControl(), exportPath)) return;
  const std::string message = std::string("ファイルに保存できませんでした。\r\n") + exportPath;
  MessageBoxA(MainWindow(), message.c_str(), "FILORA", MB_ICONERROR);
}
