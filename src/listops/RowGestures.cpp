#include "listops/RowGestures.h"

namespace {

// The platform's virtual-key codes; a letter's code is its capital.
constexpr int kReturnKey = 0x0D;
constexpr int kInsertKey = 0x2D;
constexpr int kDeleteKey = 0x2E;

}  // namespace

RowKey RowKeyAction(int virtualKey, bool ctrl) {
  switch (virtualKey) {
    case kDeleteKey: return RowKey::Delete;
    case kReturnKey: return RowKey::Open;
    case 'A': return ctrl ? RowKey::SelectAll : RowKey::None;
    case 'C':
    case kInsertKey: return ctrl ? RowKey::Copy : RowKey::None;
  }
  return RowKey::None;
}

int RowForMenu(int focusedRow, bool focusedSelected, int firstSelected) {
  if (focusedRow >= 0 && focusedSelected) return focusedRow;
  return firstSelected >= 0 ? firstSelected : -1;
}
