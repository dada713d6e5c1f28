#pragma once
// The main window's controls, named as in the window design, in creation order (which is
// also the stacking order and the order Enter searches for a default button).

namespace brindel {

enum class ControlId {
  标签9,
  标签1,
  超级编辑框1,
  选择框_置顶,
  编辑框_频道1,
  标签6,
  标签5,
  标签7,
  标签8,
  标签4,
  标签3,
  标签2,
  选择框_接待语,
  选择框4,
  选择框3,
  选择框2,
  选择框1,
  编辑框_接待内容4,
  编辑框_接待内容3,
  编辑框_接待内容2,
  编辑框_接待内容1,
  编辑框_接待内容后,
  编辑框_接待内容前,
  编辑框_频道,
  超级列表框1,
  按钮2,
  按钮1,
  时钟1,
};

inline constexpr int kControlCount = 28;

}  // namespace brindel
