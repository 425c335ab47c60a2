#pragma once
// A small dialog framework: one class per dialog, built from a dialog template, with
//  - a message table and a command table binding window messages and command ids to member
//    handlers (see DialogImpl), and one periodic timer that the dialog's end kills,
//  - a data-exchange table (dialogfw/field_exchange.h) binding controls to plain member
//    copies, run towards the controls when the dialog opens and back to the members when it
//    is left with OK; the dialog itself is the table's access to its controls,
//  - its own modal loop, in which every queued message first passes the pre-translation of the
//    dialogs it is aimed at (innermost first), so a main window can keep keyboard rules while
//    nested modal dialogs run over it and its timer keeps ticking.
#include <windows.h>

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "dialogfw/field_exchange.h"

namespace mdx::win {

class Dialog : public ControlAccess {
 public:
  Dialog(int templateId, HWND owner);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Creates the dialog, disables its owner and runs the modal loop until endDialog (or a quit
  // message, which is posted again for the loops outside). Returns the end code (IDOK, IDCANCEL).
  INT_PTR doModal();
  void endDialog(INT_PTR result);

  HWND hwnd() const { return hwnd_; }
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }
  HWND owner() const { return owner_; }
  static Dialog* fromHwnd(HWND hwnd);

  // The data-exchange table: the members into the controls.
  void loadFields();
  // The controls back into the members, in table order. Stops at the first bad field: shows
  // its message, puts the focus back on the field with its text selected and returns false.
  bool takeBackFields();

  std::string itemText(int id) const override;
  void setItemText(int id, const std::string& utf8) override;
  void enableItem(int id, bool enable) override;
  bool isChecked(int id) const override;
  void setChecked(int id, bool checked) override;
  int checkState(int id) const override;
  void setCheckState(int id, int state) override;
  int messageBox(const std::string& text, const std::string& caption, UINT flags);

  // The modal loop's hook for queued messages; return true when the message is consumed.
  // The default gives the dialog its keyboard handling (IsDialogMessage).
  virtual bool preTranslateMessage(MSG& msg);

  // For property pages: binds an already created window to this object.
  void attach(HWND hwnd);

  // Refuses a field: the message box with the exact text (exclamation icon, the program's
  // title as caption), then the focus back on the field with its whole text selected.
  void failField(int id, const std::string& message);

  // The dialog's one periodic timer (id kTickTimerId): onTick every `periodMs` from now until
  // the window is destroyed, which kills it.
  void tickEvery(UINT periodMs);
  static constexpr UINT_PTR kTickTimerId = 1;

 protected:
  // Dispatches one message; return true when handled, with the result in `result`.
  virtual bool onMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result);
  virtual BOOL onInitDialog();  // default: loadFields(); TRUE = default focus
  virtual void onOK();          // default: takeBackFields(), then endDialog(IDOK)
  virtual void onCancel();      // default: endDialog(IDCANCEL)
  virtual void onDestroy() {}
  virtual void onTick() {}
  // A command no table entry took, before OK and Cancel get their default handling; return
  // true when handled.
  virtual bool onCommand(int /*id*/, int /*code*/) { return false; }
  // The data-exchange table, bound to the dialog's members; none by default.
  virtual std::vector<Field> fields() { return {}; }

  static INT_PTR CALLBACK staticProc(HWND, UINT, WPARAM, LPARAM);
  INT_PTR handle(UINT msg, WPARAM wp, LPARAM lp);

  int templateId_;
  HWND owner_;
  HWND hwnd_ = nullptr;

 private:
  bool running_ = false;
  bool ticking_ = false;
  INT_PTR result_ = IDCANCEL;
};

// Message and command tables of a dialog class D:
//   static const MessageEntry<D> kMessages[];   // {WM_TIMER, &D::onTimer}
//   static const CommandEntry<D> kCommands[];   // {IDC_BUTTON, BN_CLICKED, &D::onButton}
// D derives from DialogImpl<D> and declares only the tables it has entries for.
template <class D>
struct MessageEntry {
  UINT message;
  INT_PTR (D::*handler)(WPARAM, LPARAM);
};
template <class D>
struct CommandEntry {
  int id;
  int code;  // notification code; kAnyCode for every notification of the control
  void (D::*handler)();
};
constexpr int kAnyCode = -1;

template <class D, class = void>
struct HasMessageTable : std::false_type {};
template <class D>
struct HasMessageTable<D, std::void_t<decltype(D::kMessages)>> : std::true_type {};
template <class D, class = void>
struct HasCommandTable : std::false_type {};
template <class D>
struct HasCommandTable<D, std::void_t<decltype(D::kCommands)>> : std::true_type {};

// Runs one message through the tables D declares; true when an entry handled it.
template <class D>
bool dispatchTables(D& self, UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if constexpr (HasCommandTable<D>::value) {
    if (msg == WM_COMMAND) {
      const int id = LOWORD(wp), code = HIWORD(wp);
      for (const auto& c : D::kCommands) {
        if (c.handler && c.id == id && (c.code == kAnyCode || c.code == code)) {
          (self.*c.handler)();
          result = TRUE;
          return true;
        }
      }
    }
  }
  if constexpr (HasMessageTable<D>::value) {
    for (const auto& m : D::kMessages) {
      if (m.handler && m.message == msg) {
        result = (self.*m.handler)(wp, lp);
        return true;
      }
    }
  }
  return false;
}

// A dialog class D with message and command tables, which are asked before Base's own
// handling; Base is Dialog or a class derived from it (property pages: SheetPageImpl).
template <class D, class Base = Dialog>
class DialogImpl : public Base {
 public:
  using Base::Base;

 protected:
  bool onMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override {
    if (dispatchTables(static_cast<D&>(*this), msg, wp, lp, result)) return true;
    return Base::onMessage(msg, wp, lp, result);
  }
};

// The program's module, for templates, menus and icons.
HINSTANCE appInstance();

}  // namespace mdx::win
