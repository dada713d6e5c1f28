#include "engine/reception_cycle.h"

#include <algorithm>
#include <utility>

#include "engine/client_contract.h"
#include "engine/dedupe.h"
#include "engine/extract.h"
#include "engine/gbk.h"

namespace brindel {

namespace {

// The client gets a short pause to open its menu before the next right click; after about
// two seconds without a menu of a known size the tick gives up instead of freezing.
constexpr std::int32_t kMenuRetryPauseMs = 50;
constexpr int kMenuAttempts = 40;

constexpr std::int32_t kTimeColumn = 1;
constexpr std::int32_t kGreetingColumn = 2;
constexpr std::int32_t kStateColumn = 3;
constexpr std::int32_t kRoomColumn = 4;
constexpr std::int32_t kTimeStyle = 1;

constexpr ControlId kLineSwitches[] = {ControlId::选择框1, ControlId::选择框2, ControlId::选择框3,
                                       ControlId::选择框4};
constexpr ControlId kLineBoxes[] = {ControlId::编辑框_接待内容1, ControlId::编辑框_接待内容2,
                                    ControlId::编辑框_接待内容3, ControlId::编辑框_接待内容4};

// A name is chosen by strangers: typed as it stands, a CR or a Tab would press keys in the
// client. GBK trail bytes are 0x40 or above and never 0x7F, so dropping single bytes below
// 0x20 and 0x7F cannot split a double-byte character.
Text withoutControlBytes(Text text) {
  std::erase_if(text, [](char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7F;
  });
  return text;
}

const client::MenuLayout* layoutOfSize(const WindowBox& box) {
  for (const client::MenuLayout& layout : client::kMenuLayouts) {
    if (box.width == layout.width && box.height == layout.height) return &layout;
  }
  return nullptr;
}

}  // namespace

// The working data of one tick. It lives on the stack of run() and copies what it needs
// from the cycle, so a window destroyed (with its cycle) during a wait leaves it intact;
// every step that may dispatch messages is followed by a look at the abandoned flag.
class ReceptionCycle::Tick {
 public:
  explicit Tick(const ReceptionCycle& cycle)
      : view_(cycle.view_),
        client_(cycle.client_),
        dispatchPending_(cycle.dispatchPending_),
        now_(cycle.now_),
        flags_(cycle.flags_) {}

  void run() {
    if (view_.isStopped()) return;
    view_.setTimerPeriod(0);  // no tick while this one runs
    if (findChannel() && copyChat()) greetAll(namesIn(client_.clipboardText()));
    if (!abandoned()) restorePeriod();
  }

 private:
  bool abandoned() const { return flags_->abandoned; }

  bool pause(std::int32_t milliseconds) {
    client_.pumpWait(milliseconds);
    return !abandoned();
  }

  bool findChannel() {
    channel_ = client_.findWindowByTitlePart(view_.readText(ControlId::编辑框_频道),
                                             client::kChannelWindowClass);
    return channel_ != 0;
  }

  bool copyChat() {
    if (!pickMenuItem(&client::MenuLayout::firstPick) ||
        !pickMenuItem(&client::MenuLayout::secondPick)) {
      return false;
    }
    client_.setTopmost(channel_);
    client_.pressChord(client::kCopyKey, client::kControlKey);
    return true;
  }

  // Right-clicks the chat until the menu shows in a known size, then clicks its item.
  bool pickMenuItem(ClientPoint client::MenuLayout::*pick) {
    for (int attempt = 1; attempt <= kMenuAttempts; ++attempt) {
      if (attempt > 1 && !pause(kMenuRetryPauseMs)) return false;
      client_.setTopmost(channel_);
      client_.postMouse(channel_, client::kChatMenuPoint.x, client::kChatMenuPoint.y,
                        MouseButton::Right, MouseAction::Click);
      const WindowHandle menu = client_.findTopWindow(client::kMenuClass, gbk(client::kMenuTitle));
      if (menu == 0) continue;
      const client::MenuLayout* layout = layoutOfSize(client_.windowBox(menu));
      if (layout == nullptr) continue;
      const ClientPoint point = layout->*pick;
      client_.setTopmost(menu);
      client_.postMouseAt(menu, point.x, point.y);
      return true;
    }
    return false;
  }

  static TextArray namesIn(const Text& chat) {
    TextArray names;
    extractBetween(chat, gbk(client::kNoticeLeftMarker), gbk(client::kNoticeRightMarker), names);
    IntArray unused;
    removeDuplicates(names, unused, 0);
    return names;
  }

  void greetAll(const TextArray& names) {
    for (const Text& entry : names) {
      if (!greet(withoutControlBytes(entry))) return;
    }
  }

  // False when the tick was abandoned on the way.
  bool greet(const Text& name) {
    if (name.empty()) return true;
    const bool greeted = alreadyGreeted(name);
    if (abandoned()) return false;
    if (greeted) return true;

    view_.writeText(ControlId::超级编辑框1, view_.readText(ControlId::超级编辑框1) + name + "\r\n");
    const std::int32_t row = view_.appendLogRow();
    view_.setLogCell(row, kTimeColumn, clockText(kTimeStyle, now_()));
    if (view_.isChecked(ControlId::选择框_接待语)) {
      view_.setLogCell(row, kGreetingColumn, greetingFor(name));
      view_.setLogCell(row, kStateColumn, gbk(u8"正在"));
      view_.setLogCell(row, kRoomColumn, view_.readText(ControlId::编辑框_频道));
      if (!sendChatLine([&] { return greetingFor(name); })) return false;
    }
    for (std::size_t k = 0; k < std::size(kLineSwitches); ++k) {
      if (view_.isChecked(kLineSwitches[k]) &&
          !sendChatLine([&] { return view_.readText(kLineBoxes[k]); })) {
        return false;
      }
    }
    view_.setLogCell(row, kStateColumn, gbk(u8"完成"));
    return true;
  }

  bool alreadyGreeted(const Text& name) {
    const Text history = view_.readText(ControlId::超级编辑框1);
    const auto dispatch = [this] {
      if (!abandoned() && dispatchPending_) dispatchPending_();
    };
    return countOccurrences(history, name, false, dispatch) > 0;
  }

  Text greetingFor(const Text& name) {
    return view_.readText(ControlId::编辑框_接待内容前) + name +
           view_.readText(ControlId::编辑框_接待内容后);
  }

  // The line is formed only after the clicks, from the boxes as they are then. Control
  // bytes are dropped here too, so nothing typed can press a key, whatever the boxes hold.
  template <typename FormLine>
  bool sendChatLine(FormLine formLine) {
    const ClientPoint input = client::kChatInputPoint;
    client_.setTopmost(channel_);
    if (!pause(client::kClickSettleMs)) return false;
    client_.postMouseAt(channel_, input.x, input.y);
    if (!pause(client::kClickSettleMs)) return false;
    client_.postMouseAt(channel_, input.x, input.y);
    if (!pause(client::kClickSettleMs)) return false;
    client_.typeText(channel_, withoutControlBytes(formLine()));
    if (!pause(client::kBeforeEnterMs)) return false;
    client_.sendKey(channel_, client::kEnterKey);
    return !abandoned();
  }

  void restorePeriod() {
    view_.setTimerPeriod(readInteger(view_.readText(ControlId::编辑框_频道1)));
  }

  ReceptionViewPort& view_;
  ClientAutomationPort& client_;
  const std::function<void()> dispatchPending_;
  const Clock now_;
  const std::shared_ptr<Flags> flags_;
  WindowHandle channel_ = 0;
};

ReceptionCycle::ReceptionCycle(ReceptionViewPort& view, ClientAutomationPort& client,
                               std::function<void()> dispatchPending, Clock now)
    : view_(view),
      client_(client),
      dispatchPending_(std::move(dispatchPending)),
      now_(std::move(now)) {}

ReceptionCycle::~ReceptionCycle() {
  abandon();
}

void ReceptionCycle::abandon() {
  flags_->abandoned = true;
}

void ReceptionCycle::run() {
  if (flags_->running || flags_->abandoned) return;
  const std::shared_ptr<Flags> flags = flags_;  // may outlive *this from here on
  flags->running = true;
  struct RunningMark {
    Flags& flags;
    ~RunningMark() { flags.running = false; }
  } mark{*flags};
  Tick(*this).run();
}

}  // namespace brindel
