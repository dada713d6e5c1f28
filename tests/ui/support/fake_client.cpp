#include "support/fake_client.h"

#include "automation/message_pump.h"

namespace brindel::testing {

WindowHandle FakeClient::findWindowByTitlePart(const Text&, const Text&) {
  calls.push_back("findWindowByTitlePart");
  lookupTimes.push_back(GetTickCount64());
  return channel;
}

WindowHandle FakeClient::findTopWindow(const Text&, const Text&) {
  calls.push_back("findTopWindow");
  return menu;
}

void FakeClient::setTopmost(WindowHandle, bool) {
  calls.push_back("setTopmost");
}

WindowBox FakeClient::windowBox(WindowHandle) {
  calls.push_back("windowBox");
  return menuBox;
}

void FakeClient::postMouse(WindowHandle, std::int32_t, std::int32_t, MouseButton, MouseAction) {
  calls.push_back("postMouse");
}

void FakeClient::postMouseAt(WindowHandle, std::int32_t, std::int32_t) {
  calls.push_back("postMouseAt");
}

void FakeClient::pressChord(std::int32_t, std::int32_t) {
  calls.push_back("pressChord");
}

Text FakeClient::clipboardText() {
  calls.push_back("clipboardText");
  return clipboard;
}

void FakeClient::typeText(WindowHandle, const Text&) {
  calls.push_back("typeText");
}

void FakeClient::sendKey(WindowHandle, std::int32_t) {
  calls.push_back("sendKey");
}

void FakeClient::pumpWait(std::int32_t milliseconds) {
  calls.push_back("pumpWait");
  if (beforeEachWait) beforeEachWait();
  brindel::pumpWait(milliseconds);
}

}  // namespace brindel::testing
