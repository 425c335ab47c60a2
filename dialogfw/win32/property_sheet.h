#pragma once
// Property sheets on the dialog framework: each page is a Dialog built from its own template;
// leaving a page (to another page or with OK) takes its fields back through its data-exchange
// table and refuses to leave while a field is bad. The sheet runs modally in the framework's
// loop, so the owner's timer keeps ticking and queued messages pass the pre-translation.
#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "dialogfw/win32/dialog.h"

namespace mdx::win {

class SheetPage : public Dialog {
 public:
  explicit SheetPage(int templateId) : Dialog(templateId, nullptr) {}

  PROPSHEETPAGEW describe();
  // Leaving the page: false keeps it open. The default takes the fields back.
  virtual bool onKillActive() { return takeBackFields(); }
  virtual void onSetActive() {}
  bool created() const { return hwnd_ != nullptr; }

 protected:
  bool onMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  // Pages are not ended by their own OK and Cancel; the sheet owns those buttons.
  void onOK() override {}
  void onCancel() override {}

 private:
  static INT_PTR CALLBACK pageProc(HWND, UINT, WPARAM, LPARAM);
  friend class SheetDialog;
  bool applied_ = false;
};

// A page class D with message and command tables; Base is SheetPage or a class derived from
// it that holds behaviour shared by several page classes.
template <class D, class Base = SheetPage>
using SheetPageImpl = DialogImpl<D, Base>;

class SheetDialog {
 public:
  SheetDialog(std::string caption, HWND owner) : caption_(std::move(caption)), owner_(owner) {}
  void addPage(SheetPage& page) { pages_.push_back(&page); }
  void setStartPage(int index) { startPage_ = index; }

  // IDOK when the sheet was closed with OK, IDCANCEL otherwise.
  INT_PTR doModal();
  HWND hwnd() const { return hwnd_; }

 private:
  std::string caption_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  int startPage_ = 0;
  std::vector<SheetPage*> pages_;
};

}  // namespace mdx::win
