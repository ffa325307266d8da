#include "support/WinTestSupport.h"

#include <commctrl.h>

#include "resource.h"
#include "scan/ScanDriver_win.h"
#include "settings/SettingsFile_win.h"

using Names = std::vector<std::string>;

class ScanTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateApp();
  }
};

TEST_F(ScanTest, ListsFolderFilesBeforeSubfolderFilesInPatternOrder) {
  TempTree t;
  t.File("a.txt", "x");
  t.File("b.log");
  t.File("sub\\c.txt");
  t.File("sub\\d.log");
  lstrcpyA(settings.filter, "*.txt;*.log");
  Scan(t.Root());
  EXPECT_EQ(Column(0), (Names{"a.txt", "c.txt", "b.log", "d.log"}));
  EXPECT_EQ(Cell(1, 16), t.Root() + "\\sub\\c.txt");
  EXPECT_EQ(StatusText(), "4/4件");
}
