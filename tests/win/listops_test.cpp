#include "support/WinTestSupport.h"
#include "support/ListOpsSupport.h"

#include <commctrl.h>
#include <cstdio>

#include "resource.h"
#include "listops/CsvExport_win.h"

class ListOpsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateApp();
  }
};

static BOOL CALLBACK Dump(HWND child, LPARAM) {
  char cls[64], text[512];
  GetClassNameA(child, cls, sizeof cls);
  GetWindowTextA(child, text, sizeof text);
  std::printf("child %s id=0x%x vis=%d text=[%s] parent=%p\n", cls, GetDlgCtrlID(child), IsWindowVisible(child), text, (void*)GetParent(child));
  return TRUE;
}

TEST_F(ListOpsTest, Probe) {
  TempTree t;
  std::string target = t.Root() + "\\first.csv";
  DialogScript s({[&](HWND d) {
                    EnumChildWindows(d, Dump, 0);
                    SetWindowTextA(FileNameField(d), target.c_str());
                    PressDialogButton(d, IDOK);
                  },
                  [&](HWND d) {
                    EnumChildWindows(d, Dump, 0);
                    std::printf("second: [%s]\n", DialogItemText(d, 0x480).c_str());
                    char buf[512]; GetWindowTextA(FileNameField(d), buf, sizeof buf);
                    std::printf("field: [%s]\n", buf);
                    PressDialogButton(d, IDCANCEL);
                  }});
  Command(IDM_SAVE);
  std::printf("size %d\n", (int)ReadFileBytes(target).size());
  std::printf("exists %d\n", GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES);
  Command(IDM_SAVE);
  std::printf("handled %d\n", s.Handled());
}
