// Delete on a list of its own: exactly the selected rows go, the others keep their order, cells
// and tags, and the list paints again afterwards.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "listops/RowActions_win.h"
#include "resource.h"
#include "scan/ColumnTable.h"
#include "scan/FileList_win.h"
#include "support/WinTestSupport.h"

namespace {

constexpr int kRows = 300;
int listPaints;  // the list's custom-draw starts: it sends them only when it really paints

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
  if (message == WM_NOTIFY && draw->hdr.idFrom == IDC_LIST && draw->hdr.code == static_cast<UINT>(NM_CUSTOMDRAW) &&
      draw->dwDrawStage == CDDS_PREPAINT)
    ++listPaints;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LPARAM TagOf(int row) { return 5000 - 7 * row; }
std::string TextOf(int row, int column) { return "行" + std::to_string(row) + "-" + std::to_string(column); }

class DeleteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc = {0, ParentProc, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "DeleteTest"};
    RegisterClassA(&wc);
    parent_ = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                              nullptr, wc.hInstance, nullptr);
    list_ = CreateFileList(parent_, wc.hInstance);
    ASSERT_NE(list_, nullptr);
    MoveWindow(list_, 0, 0, 480, 360, TRUE);
  }
  void TearDown() override { DestroyWindow(parent_); DrainMessages(); }

  // Fills the list afresh (row 150 focused, as a click leaves it), deletes the chosen rows and
  // checks what is left.
  void Check(const char* what, bool (*chosen)(int)) {
    SCOPED_TRACE(what);
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    for (int r = 0; r < kRows; ++r) {
      ASSERT_TRUE(InsertFileRow(list_, r, TextOf(r, 0).c_str(), static_cast<int>(TagOf(r))));
      for (int c = 1; c < kColumnCount; ++c) SetCellText(list_, r, c, TextOf(r, c).c_str());
      LVITEMA state = {};
      state.stateMask = LVIS_SELECTED | (r == 150 ? LVIS_FOCUSED : 0);
      state.state = chosen(r) ? state.stateMask : 0;
      SendMessageA(list_, LVM_SETITEMSTATE, r, reinterpret_cast<LPARAM>(&state));
    }
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    sortState[2] = 2;
    DeleteSelectedRows(list_);
    int row = 0;
    for (int r = 0; r < kRows; ++r) {
      if (chosen(r)) continue;
      LVITEMA item = {LVIF_PARAM, row};
      ASSERT_TRUE(SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) << "row " << row;
      EXPECT_EQ(item.lParam, TagOf(r)) << "row " << row;
      for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(GetCellText(list_, row, c), TextOf(r, c)) << "row " << row;
      ++row;
    }
    EXPECT_EQ(RowCount(list_), row);
    EXPECT_EQ(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    EXPECT_EQ(sortState[2], 2);
    // A list left with redraw off does not paint what is invalidated.
    DrainMessages();
    listPaints = 0;
    InvalidateRect(list_, nullptr, TRUE);
    UpdateWindow(list_);
    EXPECT_TRUE(IsWindowVisible(list_));
    EXPECT_GT(listPaints, 0);
  }

  HWND parent_ = nullptr, list_ = nullptr;
};

TEST_F(DeleteTest, RemovesExactlyTheSelectedRowsAndPaintsAgain) {
  Check("none", [](int) { return false; });
  Check("first row", [](int r) { return r == 0; });
  Check("last row", [](int r) { return r == kRows - 1; });
  Check("runs", [](int r) { return (r >= 10 && r < 60) || (r >= 140 && r <= 160) || r >= 290; });
  Check("every second row", [](int r) { return r % 2 == 1; });
  Check("scattered", [](int r) { return r % 7 == 3 || r % 11 == 0; });
  Check("all rows", [](int) { return true; });
}

}  // namespace
