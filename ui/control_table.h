#pragma once
// The main window as a table: every control with its kind, place, size, text at start and
// role, in creation order. The window is built from this table and its tests read it back.

#include <array>
#include <string_view>

#include "engine/controls.h"

namespace brindel {

enum class ControlKind { Label, EditBox, CheckBox, PushButton, ReportList, HistoryBox, Timer };

// What a control does for the program; the event that triggers it follows from the kind
// (a button's click, a label's feedback message and double click, a check box's click).
enum class ControlRole {
  None,
  Setting,       // a value the cycle reads when it needs it
  Caption,       // the text in front of a box
  StartTrigger,  // runs startReception
  StopTrigger,   // runs stopReception
  AlwaysOnTop,   // runs applyAlwaysOnTop
  History,       // the greeted names
  Log,           // one row per greeted name
  Tick,          // each tick runs the reception cycle
};

enum class InitialState { Enabled, Disabled };

struct ControlPlace {
  int x = 0;
  int y = 0;
};

struct ControlSize {
  int width = 0;
  int height = 0;
};

struct ControlSpec {
  ControlId id;
  ControlKind kind;
  ControlPlace place;
  ControlSize size;
  std::u8string_view text;
  ControlRole role;
  InitialState state = InitialState::Enabled;
};

inline constexpr std::u8string_view kWindowCaption = u8"Brindel ";
inline constexpr ControlSize kWindowSize{655, 485};
inline constexpr std::u8string_view kDefaultRoomNumber = u8"58300217";
inline constexpr std::u8string_view kNewLabelText = u8"标签";

// Controls in creation order, which is also the stacking order and the order in which Enter
// looks for a default button.
inline constexpr std::array<ControlSpec, kControlCount> kControlTable{{
    // clang-format off
    {ControlId::标签9,            ControlKind::Label,      {-120, 88},  {80, 24},   kNewLabelText,          ControlRole::None},
    {ControlId::标签1,            ControlKind::Label,      {-168, 80},  {80, 24},   kNewLabelText,          ControlRole::StartTrigger},
    {ControlId::超级编辑框1,      ControlKind::HistoryBox, {-200, 136}, {40, 32},   u8"",                   ControlRole::History},
    {ControlId::选择框_置顶,      ControlKind::CheckBox,   {400, 305},  {80, 24},   u8"置顶",               ControlRole::AlwaysOnTop},
    {ControlId::编辑框_频道1,     ControlKind::EditBox,    {208, 305},  {80, 20},   u8"200",                ControlRole::Setting},
    {ControlId::标签6,            ControlKind::Label,      {153, 303},  {48, 24},   u8"周  期：",           ControlRole::Caption},
    {ControlId::标签5,            ControlKind::Label,      {9, 303},    {48, 24},   u8"房间号：",           ControlRole::Caption},
    {ControlId::标签7,            ControlKind::Label,      {9, 424},    {48, 24},   u8"接待04：",           ControlRole::Caption},
    {ControlId::标签8,            ControlKind::Label,      {9, 399},    {48, 24},   u8"接待03：",           ControlRole::Caption},
    {ControlId::标签4,            ControlKind::Label,      {9, 375},    {48, 24},   u8"接待02：",           ControlRole::Caption},
    {ControlId::标签3,            ControlKind::Label,      {9, 351},    {48, 24},   u8"接待01：",           ControlRole::Caption},
    {ControlId::标签2,            ControlKind::Label,      {9, 326},    {48, 24},   u8"接待语：",           ControlRole::StopTrigger},
    {ControlId::选择框_接待语,    ControlKind::CheckBox,   {400, 328},  {50, 24},   u8"选择",               ControlRole::Setting},
    {ControlId::选择框4,          ControlKind::CheckBox,   {400, 425},  {50, 24},   u8"选择",               ControlRole::Setting},
    {ControlId::选择框3,          ControlKind::CheckBox,   {400, 401},  {50, 24},   u8"选择",               ControlRole::Setting},
    {ControlId::选择框2,          ControlKind::CheckBox,   {400, 376},  {50, 24},   u8"选择",               ControlRole::Setting},
    {ControlId::选择框1,          ControlKind::CheckBox,   {401, 352},  {50, 24},   u8"选择",               ControlRole::Setting},
    {ControlId::编辑框_接待内容4, ControlKind::EditBox,    {64, 426},   {328, 20},  u8"没什么事滚犊子",     ControlRole::Setting},
    {ControlId::编辑框_接待内容3, ControlKind::EditBox,    {64, 402},   {328, 20},  u8"找人请打3",          ControlRole::Setting},
    {ControlId::编辑框_接待内容2, ControlKind::EditBox,    {64, 378},   {328, 20},  u8"商家请打2",          ControlRole::Setting},
    {ControlId::编辑框_接待内容1, ControlKind::EditBox,    {64, 354},   {328, 20},  u8"兼职请打1",          ControlRole::Setting},
    {ControlId::编辑框_接待内容后, ControlKind::EditBox,   {152, 329},  {240, 20},  u8"】用户光临本频道",   ControlRole::Setting},
    {ControlId::编辑框_接待内容前, ControlKind::EditBox,   {64, 329},   {80, 20},   u8"欢迎【",             ControlRole::Setting},
    {ControlId::编辑框_频道,      ControlKind::EditBox,    {64, 305},   {80, 20},   kDefaultRoomNumber,     ControlRole::Setting},
    {ControlId::超级列表框1,      ControlKind::ReportList, {8, 8},      {629, 296}, u8"",                   ControlRole::Log},
    {ControlId::按钮2,            ControlKind::PushButton, {459, 391},  {161, 50},  u8"停止接待",           ControlRole::StopTrigger, InitialState::Disabled},
    {ControlId::按钮1,            ControlKind::PushButton, {459, 334},  {161, 50},  u8"开始接待",           ControlRole::StartTrigger},
    {ControlId::时钟1,            ControlKind::Timer,      {0, 0},      {0, 0},     u8"",                   ControlRole::Tick},
    // clang-format on
}};

struct LogColumn {
  std::u8string_view title;
  int width;
};

// Column 0 only holds the row; the log never writes it.
inline constexpr std::array<LogColumn, 5> kLogColumns{{
    {u8"", 0},
    {u8"时间", 100},
    {u8"日志", 350},
    {u8"接待", 60},
    {u8"频道", 100},
}};

constexpr int indexOf(ControlId id) {
  return static_cast<int>(id);
}
constexpr const ControlSpec& specOf(ControlId id) {
  return kControlTable[indexOf(id)];
}

constexpr bool tableFollowsCreationOrder() {
  for (int index = 0; index < kControlCount; ++index) {
    if (indexOf(kControlTable[index].id) != index) return false;
  }
  return true;
}
static_assert(tableFollowsCreationOrder(),
              "kControlTable must list the controls as ControlId does");

// Child-window identifiers: the table index above a base that keeps clear of IDOK and friends.
inline constexpr int kFirstChildId = 1000;
constexpr int childIdOf(ControlId id) {
  return kFirstChildId + indexOf(id);
}

}  // namespace brindel
