// FilterHistory over an in-memory store: Add writes at most the one lowest free slot,
// and only when no entry holds the filter; the list is the store read from the top down.
#include "FuzzSupport.h"
#include "settings/FilterHistory.h"

namespace {

using Slots = std::vector<std::string>;  // index = key number; 0 unused, "" = missing

class SlotStore : public FilterHistoryStore {
 public:
  SlotStore() : values(kFilterHistorySlots + 1) {}
  std::string Read(int number) override {
    FUZZ_CHECK(number >= 1 && number <= kFilterHistorySlots);
    return values[number];
  }
  void Write(int number, const std::string& value) override {
    FUZZ_CHECK(number >= 1 && number <= kFilterHistorySlots);
    ++writes;
    values[number] = value;
  }
  Slots values;
  int writes = 0;
};

std::string Cut(const std::string& v) { return v.substr(0, kFilterHistoryValueMax); }

std::vector<std::string> ExpectedList(const Slots& values) {
  std::vector<std::string> list;
  for (int n = kFilterHistorySlots; n >= 1; --n) {
    if (!values[n].empty()) list.push_back(Cut(values[n]));
  }
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader in(data, size);
  const auto flags = in.Take<std::uint8_t>();
  const std::vector<std::string> fields = in.Fields();
  const std::string filter = fields[0];

  SlotStore store;
  // Entries at increasing slots; the first byte of each sets the gap before the next slot.
  int slot = 1;
  for (std::size_t i = 1; i < fields.size() && slot <= kFilterHistorySlots; ++i) {
    std::string value = fields[i];
    if (flags & 2) value += std::string(250, 'L');  // reach the 260-byte cut
    store.values[slot] = value;
    slot += 1 + (fields[i].empty() ? 0 : static_cast<unsigned char>(fields[i][0]) % 3);
  }
  if (flags & 1) {  // every other slot taken too
    for (int n = 1; n <= kFilterHistorySlots; ++n) {
      if (store.values[n].empty()) store.values[n] = "f" + std::to_string(n);
    }
  }
  const Slots before = store.values;
  const std::vector<std::string> listedBefore = ExpectedList(before);
  if (flags & 4) FUZZ_CHECK(ListFilterHistory(store) == listedBefore);

  const int added = AddToFilterHistory(store, filter);

  bool present = false;
  int firstFree = 0;
  for (int n = 1; n <= kFilterHistorySlots; ++n) {
    present = present || Cut(before[n]) == filter;
    if (before[n].empty() && firstFree == 0) firstFree = n;
  }
  FUZZ_CHECK(added == ((filter.empty() || present) ? 0 : firstFree));
  FUZZ_CHECK(store.writes == (added != 0 ? 1 : 0));

  Slots after = before;
  if (added != 0) after[added] = filter;
  FUZZ_CHECK(store.values == after);

  // The filter shows up at most once more, and nothing else changes.
  const std::vector<std::string> listed = ListFilterHistory(store);
  FUZZ_CHECK(listed == ExpectedList(after));
  FUZZ_CHECK(listed.size() == listedBefore.size() + (added != 0 ? 1 : 0));
  std::size_t countBefore = 0, countAfter = 0;
  for (const std::string& v : listedBefore) countBefore += v == Cut(filter);
  for (const std::string& v : listed) countAfter += v == Cut(filter);
  FUZZ_CHECK(countAfter == countBefore + (added != 0 ? 1 : 0));
  return 0;
}
