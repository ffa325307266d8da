#pragma once
#include <string>
#include <vector>

constexpr int kFilterHistorySlots = 999;
constexpr std::size_t kFilterHistoryValueMax = 260;  // longer values read cut to this

// Access to the FILTERnnn keys; the Win32 side reads the settings file afresh on every call.
class FilterHistoryStore {
 public:
  virtual ~FilterHistoryStore() = default;
  virtual std::string Read(int number) = 0;  // "" when missing or empty
  virtual void Write(int number, const std::string& value) = 0;
};

// Non-empty entries from the highest number down, each cut to kFilterHistoryValueMax.
std::vector<std::string> ListFilterHistory(FilterHistoryStore& store);

// Adds filter to the lowest free slot unless an entry holds exactly this text.
// Returns the number written, 0 when nothing was written (empty, present, or all taken).
int AddToFilterHistory(FilterHistoryStore& store, const std::string& filter);
