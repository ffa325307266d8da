#include "listops/CompareExport_win.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "common/CodePage932.h"
#include "common/Handles_win.h"
#include "common/Limits.h"
#include "common/TextConvert_win.h"
#include "listops/CsvLine.h"
#include "listops/ListingCompare.h"
#include "listops/ReplacingFile_win.h"
#include "scan/FileList_win.h"

namespace {

// Text in the one form or the other: code page 932 ('?' for what it lacks) or UTF-8.
std::string Recode(const std::string& text, bool fromUtf8, bool toUtf8) {
  if (fromUtf8 == toUtf8 || IsAscii(text)) return text;
  return toUtf8 ? Utf8From(WideFrom932(text)) : NameTo932(WideFromUtf8(text));
}

// A row of the list as a listing holds it, in code page 932 or UTF-8 (every name whole).
ListingRow ListRow(HWND list, int row, bool utf8) {
  ListingRow cells;
  ReadRowAs(list, row, utf8 ? CsvEncoding::Utf8 : CsvEncoding::Cp932, cells.data());
  return cells;
}

// A folder with its trailing backslash, in the listing's form.
std::string FolderOf(const wchar_t* folder, bool utf8) {
  std::wstring dir = folder;
  if (dir.empty() || dir.back() != L'\\') dir += L'\\';
  return utf8 ? Utf8From(dir) : NameTo932(dir);
}

// What Windows takes for the same name: letters in either case.
std::string Fold(std::string_view key, bool utf8) {
  if (!utf8 || IsAscii(key)) return UpperCase932(key);
  std::wstring wide = WideFromUtf8(key);
  CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
  return Utf8From(wide);
}

bool ReadWholeFile(const wchar_t* path, std::string& bytes) {
  FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size = {};
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  return bytes.empty() || (ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
}

}  // namespace

CompareResult WriteDifferences(HWND list, const wchar_t* folder, const wchar_t* earlier, const wchar_t* earlierFolder,
                               const wchar_t* path, CsvEncoding encoding) {
  CompareResult result;
  std::string bytes;
  Listing before;
  if (!ReadWholeFile(earlier, bytes) || !ReadListing(bytes, before, result.line)) {
    result.end = CompareEnd::EarlierUnreadable;
    return result;
  }
  bytes = std::string();
  // Compared in the earlier listing's form: a listing in code page 932 knows a lost character only as '?'.
  const bool utf8 = before.utf8, toUtf8 = encoding == CsvEncoding::Utf8;
  std::vector<ListingRow> now(RowCount(list));
  for (std::size_t r = 0; r < now.size(); ++r) now[r] = ListRow(list, static_cast<int>(r), utf8);
  const std::vector<Difference> differences =
      CompareListings(now, FolderOf(folder, utf8), before.rows, FolderOf(earlierFolder, utf8),
                      [&](std::string_view key) { return Fold(key, utf8); });
  const bool written = WriteReplacingFile(path, [&](FileText& text) {
    if (toUtf8) text.Buffer() = "\xEF\xBB\xBF";
    std::string cells[kColumnCount + 2];
    for (const Difference& d : differences) {
      // A gone file's cells are the earlier listing's; the others' are the list's, names whole in UTF-8.
      const bool gone = d.change == FileChange::Removed;
      const ListingRow row = gone ? before.rows[d.row] : ListRow(list, static_cast<int>(d.row), toUtf8);
      cells[0] = Recode(ChangeName(d.change), false, toUtf8);
      for (int c = 0; c < kColumnCount; ++c) cells[c + 1] = Recode(row[c], gone ? utf8 : toUtf8, toUtf8);
      cells[kColumnCount + 1] = Recode(ChangedColumnsText(d.columns), false, toUtf8);
      AppendCsvLine(text.Buffer(), cells, kColumnCount + 2);
      if (!text.WriteWhenFull()) return false;
    }
    return true;
  });
  result.end = written ? CompareEnd::Saved : CompareEnd::NotWritten;
  result.counts = CountChanges(differences);
  return result;
}

// What the menu's comparison proposes again at its next use in the run.
static struct {
  wchar_t earlier[kPathSize];
  SaveChoice differences;
} compareChoice;

void CompareAndSave(HWND owner, HWND list, const wchar_t* folder) {
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = L"CSV files {*.csv}\0*.csv\0All files {*.*}\0*.*\0";
  ofn.lpstrFile = compareChoice.earlier;
  ofn.nMaxFile = kPathSize;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&ofn) || !AskSaveAs(owner, compareChoice.differences)) return;

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const wchar_t* path = compareChoice.differences.path;
  const CompareResult result =
      WriteDifferences(list, folder, compareChoice.earlier, folder, path, EncodingOf(compareChoice.differences));
  std::wstring message;
  switch (result.end) {
    case CompareEnd::Saved: message = WideFrom932(ChangeCountsText(result.counts)); break;
    case CompareEnd::EarlierUnreadable:
      message = WideFrom932(EarlierUnreadableText(result.line) + "\r\n") + compareChoice.earlier;
      break;
    case CompareEnd::NotWritten: message = WideFrom932(kNotSavedText) + path; break;
  }
  MessageBoxW(owner, message.c_str(), L"FILORA", result.end == CompareEnd::Saved ? MB_ICONINFORMATION : MB_ICONERROR);
}
