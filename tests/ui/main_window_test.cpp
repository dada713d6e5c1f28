// The window as it really stands after start-up: its frame, the controls read back from
// their windows, the log list's columns and the state nothing has touched yet.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "engine/gbk.h"
#include "support/window_fixture.h"

namespace brindel::testing {
namespace {

using MainWindowLayout = MainWindowTest;
using MainWindowStartState = MainWindowTest;

RECT placeInParent(HWND control) {
  RECT box;
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

std::string classOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

LONG_PTR styleOf(HWND window) {
  return GetWindowLongPtrA(window, GWL_STYLE);
}

const char* classOfKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return kLabelClass;
    case ControlKind::EditBox:
    case ControlKind::HistoryBox:
      return "Edit";
    case ControlKind::CheckBox:
    case ControlKind::PushButton:
      return "Button";
    case ControlKind::ReportList:
      return WC_LISTVIEWA;
    case ControlKind::Timer:
      break;
  }
  return "";
}

TEST_F(MainWindowLayout, FrameIsFixedCentredAndCaptioned) {
  HWND main = window.handle();
  RECT box;
  GetWindowRect(main, &box);
  EXPECT_EQ(box.right - box.left, 655);
  EXPECT_EQ(box.bottom - box.top, 485);
  EXPECT_EQ(box.left, (GetSystemMetrics(SM_CXSCREEN) - 655) / 2);
  EXPECT_EQ(box.top, (GetSystemMetrics(SM_CYSCREEN) - 485) / 2);
  EXPECT_EQ(windowText(main), "Brindel ");
  const LONG_PTR style = styleOf(main);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetClassLongPtrA(main, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

TEST_F(MainWindowLayout, EveryControlStandsWhereTheTableSays) {
  for (const ControlSpec& spec : kControlTable) {
    if (spec.kind == ControlKind::Timer) continue;
    SCOPED_TRACE(static_cast<int>(spec.id));
    HWND child = control(spec.id);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), window.handle());
    const RECT box = placeInParent(child);
    EXPECT_EQ(box.left, spec.place.x);
    EXPECT_EQ(box.top, spec.place.y);
    EXPECT_EQ(box.right - box.left, spec.size.width);
    EXPECT_EQ(box.bottom - box.top, spec.size.height);
    EXPECT_STRCASEEQ(classOf(child).c_str(), classOfKind(spec.kind));
    if (spec.kind != ControlKind::ReportList) {
      EXPECT_EQ(windowText(child), gbk(spec.text));
    }
    EXPECT_EQ(IsWindowVisible(child) != FALSE, spec.kind != ControlKind::HistoryBox);
  }
}

TEST_F(MainWindowLayout, CreationOrderIsTheStackingOrder) {
  HWND child = GetWindow(window.handle(), GW_CHILD);
  for (const ControlSpec& spec : kControlTable) {
    if (spec.kind == ControlKind::Timer) continue;
    EXPECT_EQ(child, control(spec.id)) << static_cast<int>(spec.id);
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);
}

// A few rows written out here as well, so a slip in the table itself shows.
TEST_F(MainWindowLayout, SampleRowsMatchTheDesign) {
  struct Row {
    ControlId id;
    RECT box;
    std::u8string_view text;
  };
  const Row rows[] = {
      {ControlId::标签1, {-168, 80, -88, 104}, u8"标签"},
      {ControlId::标签6, {153, 303, 201, 327}, u8"周  期："},
      {ControlId::选择框1, {401, 352, 451, 376}, u8"选择"},
      {ControlId::编辑框_接待内容后, {152, 329, 392, 349}, u8"】用户光临本频道"},
      {ControlId::按钮1, {459, 334, 620, 384}, u8"开始接待"},
      {ControlId::超级编辑框1, {-200, 136, -160, 168}, u8""},
  };
  for (const Row& row : rows) {
    const RECT box = placeInParent(control(row.id));
    EXPECT_TRUE(EqualRect(&box, &row.box)) << static_cast<int>(row.id);
    EXPECT_EQ(windowText(control(row.id)), gbk(row.text)) << static_cast<int>(row.id);
  }
  const Text room = windowText(control(ControlId::编辑框_频道));
  EXPECT_EQ(room.size(), 8u);
  EXPECT_EQ(room.find_first_not_of("0123456789"), Text::npos);
}

TEST_F(MainWindowLayout, ButtonsUseTheBoldKaitiFontAndTheRestTheGuiFont) {
  const auto guiFont = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlSpec& spec : kControlTable) {
    if (spec.kind == ControlKind::Timer) continue;
    const WPARAM font = SendMessageA(control(spec.id), WM_GETFONT, 0, 0);
    if (spec.kind != ControlKind::PushButton) {
      EXPECT_EQ(font, guiFont) << static_cast<int>(spec.id);
      continue;
    }
    LOGFONTA face{};
    ASSERT_EQ(GetObjectA(reinterpret_cast<HFONT>(font), sizeof face, &face), int(sizeof face));
    EXPECT_EQ(face.lfHeight, -16);
    EXPECT_EQ(face.lfWidth, 0);
    EXPECT_EQ(face.lfWeight, 700);
    EXPECT_FALSE(face.lfItalic || face.lfUnderline || face.lfStrikeOut);
    EXPECT_EQ(face.lfCharSet, 134);
    EXPECT_EQ(face.lfOutPrecision, 3);
    EXPECT_EQ(face.lfClipPrecision, 2);
    EXPECT_EQ(face.lfQuality, 1);
    EXPECT_EQ(face.lfPitchAndFamily, 0x31);
    EXPECT_EQ(Text(face.lfFaceName), gbk(u8"楷体"));
  }
}

TEST_F(MainWindowLayout, LogListIsASingleSelectionReportWithGridLines) {
  HWND list = control(ControlId::超级列表框1);
  const LONG_PTR style = styleOf(list);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_FALSE(style & (LVS_NOSORTHEADER | LVS_SORTASCENDING | LVS_SORTDESCENDING));
  EXPECT_FALSE(style & (LVS_EDITLABELS | LVS_NOCOLUMNHEADER));
  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const LRESULT extended = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
            LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  EXPECT_FALSE(extended & (LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT));
}

TEST_F(MainWindowLayout, HistoryBoxIsAHiddenWrappingMultiLineBoxWithoutLimit) {
  HWND history = control(ControlId::超级编辑框1);
  const LONG_PTR style = styleOf(history);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & (ES_AUTOHSCROLL | WS_HSCROLL | ES_READONLY | WS_VISIBLE));
  EXPECT_GE(static_cast<DWORD>(SendMessageA(history, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
  EXPECT_GE(
      static_cast<DWORD>(SendMessageA(control(ControlId::编辑框_频道), EM_GETLIMITTEXT, 0, 0)),
      0x7FFFFFFEu);
}

TEST_F(MainWindowStartState, ButtonsCheckBoxesListAndHistoryStartEmpty) {
  EXPECT_TRUE(isIdle());
  int checkBoxes = 0;
  for (const ControlSpec& spec : kControlTable) {
    if (spec.kind != ControlKind::CheckBox) continue;
    ++checkBoxes;
    EXPECT_EQ(SendMessageA(control(spec.id), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  }
  EXPECT_EQ(checkBoxes, 6);
  EXPECT_EQ(window.view().readText(ControlId::超级编辑框1), "");
  EXPECT_FALSE(window.view().isStopped());
  EXPECT_EQ(window.view().timerPeriod(), 0);

  HWND list = control(ControlId::超级列表框1);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 5);
  const std::u8string_view titles[] = {u8"", u8"时间", u8"日志", u8"接待", u8"频道"};
  const int widths[] = {0, 100, 350, 60, 100};
  for (int index = 0; index < 5; ++index) {
    char title[32] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(Text(title), gbk(titles[index])) << index;
    EXPECT_EQ(column.cx, widths[index]) << index;
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT) << index;
  }
}

TEST_F(MainWindowStartState, NoTickArrivesBeforeTheFirstStart) {
  pumpFor(700);
  EXPECT_TRUE(client.calls.empty());
}

}  // namespace
}  // namespace brindel::testing
