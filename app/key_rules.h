#pragma once
// The main window's keyboard rules, applied to each queued message before it is dispatched.
#include <cstdint>

namespace mdx {

enum class KeyRule {
  ShowPopup,         // the popup menu at the client corner; the message is consumed
  BeepPlain,         // beep, then dispatch past the dialog's keyboard handling
  BeepThenDialog,    // beep, then the dialog's normal keyboard handling
  Default,           // the dialog's normal handling
};

// Message and key codes as the platform numbers them.
struct KeyMessage {
  uint32_t message = 0;  // WM_KEYDOWN 0x100, WM_SYSKEYDOWN 0x104, WM_CONTEXTMENU 0x7B
  uint32_t key = 0;      // virtual-key code of a key message
  bool shiftDown = false;
};

KeyRule keyRuleFor(const KeyMessage& m);

// The beep of the key rules: 570 Hz for one second.
constexpr uint32_t kKeyBeepHz = 570, kKeyBeepMs = 1000;

}  // namespace mdx
