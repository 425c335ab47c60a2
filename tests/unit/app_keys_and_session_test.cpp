// The main window's keyboard rules and its save at the end of the Windows session.
#include <gtest/gtest.h>

#include "app/key_rules.h"
#include "app/session_end.h"

namespace mdx {
namespace {

constexpr uint32_t kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104, kContextMenu = 0x7B;

KeyRule rule(uint32_t message, uint32_t key, bool shift = false) { return keyRuleFor({message, key, shift}); }

TEST(KeyRules, ShiftF10AndQueuedContextMenuOpenThePopupWithoutBeep) {
  EXPECT_EQ(rule(kKeyDown, 0x79, true), KeyRule::ShowPopup);
  EXPECT_EQ(rule(kSysKeyDown, 0x79, true), KeyRule::ShowPopup);
  EXPECT_EQ(rule(kContextMenu, 0), KeyRule::ShowPopup);
  // F10 alone is an ordinary key (plain) or the menu key of the system (system key-down).
  EXPECT_EQ(rule(kKeyDown, 0x79), KeyRule::BeepThenDialog);
  EXPECT_EQ(rule(kSysKeyDown, 0x79), KeyRule::Default);
}

TEST(KeyRules, EveryOtherKeyDownBeepsTheContextMenuKeyIncluded) {
  EXPECT_EQ(rule(kKeyDown, 0x5D), KeyRule::BeepThenDialog);  // VK_APPS: its popup follows later
  EXPECT_EQ(rule(kKeyDown, 0x5D, true), KeyRule::BeepThenDialog);
  EXPECT_EQ(rule(kKeyDown, 'A'), KeyRule::BeepThenDialog);
  EXPECT_EQ(rule(kKeyDown, 0x0D), KeyRule::BeepPlain);  // Enter and Esc never reach the dialog
  EXPECT_EQ(rule(kKeyDown, 0x1B), KeyRule::BeepPlain);
  EXPECT_EQ(rule(kKeyUp, 0x5D), KeyRule::Default);
  EXPECT_EQ(rule(kSysKeyDown, 'X'), KeyRule::Default);
}

TEST(SessionEnd, SavesOnceWhenTheSessionEndsAndNeverWhenTheEndIsCancelled) {
  static_assert(SessionEnd::allowsEnd(), "the query is always answered yes");
  SessionEnd s;
  EXPECT_FALSE(s.shouldSave(false));
  EXPECT_FALSE(s.shouldSave(false));
  EXPECT_TRUE(s.shouldSave(true));
  EXPECT_FALSE(s.shouldSave(true));
  EXPECT_FALSE(s.shouldSave(false));
}

}  // namespace
}  // namespace mdx
