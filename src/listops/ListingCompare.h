#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "listops/Listing.h"

enum class FileChange { Added, Changed, Removed };

struct Difference {
  FileChange change;
  std::size_t row;           // index in `now` for Added and Changed, in `before` for Removed
  std::vector<int> columns;  // Changed only: the counted columns that differ, ascending
};

// The files added, changed and removed between two listings. A row's key is fold(its path relative
// to its listing's folder); a path outside the folder is relative as a whole. Rows with the same
// key pair up in order, first with first. A pair differs in size (as numbers when both are), the
// modified time, the attributes or a version string; the other columns say nothing of the file's
// content. Added and Changed come in the order of `now`, then Removed in the order of `before`.
// nowFolder and beforeFolder end in a backslash and are in the encoding of the cells; fold gives the
// key two paths share when Windows takes them for one file.
std::vector<Difference> CompareListings(const std::vector<ListingRow>& now, std::string_view nowFolder,
                                        const std::vector<ListingRow>& before, std::string_view beforeFolder,
                                        const std::function<std::string(std::string_view)>& fold);

// "追加", "変更", "削除"
const char* ChangeName(FileChange change);

// The headers of the columns joined by ';' ("サイズ;更新日時"); "" for none.
std::string ChangedColumnsText(const std::vector<int>& columns);

struct ChangeCounts {
  int added = 0, changed = 0, removed = 0;
  int Total() const { return added + changed + removed; }
};
ChangeCounts CountChanges(const std::vector<Difference>& differences);

// "追加 3件、変更 2件、削除 1件", as a comparison ends.
std::string ChangeCountsText(const ChangeCounts& counts);

// Why an earlier listing was refused: the line that is no FILORA line, or 0 for a file that
// could not be read at all.
std::string EarlierUnreadableText(int line);
