#include "dialogfw/win32/property_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "platform/win32/text.h"

namespace mdx::win {

PROPSHEETPAGEW SheetPage::describe() {
  PROPSHEETPAGEW p{};
  p.dwSize = sizeof p;
  p.dwFlags = PSP_DEFAULT;
  p.hInstance = appInstance();
  p.pszTemplate = MAKEINTRESOURCEW(templateId_);
  p.pfnDlgProc = pageProc;
  p.lParam = reinterpret_cast<LPARAM>(this);
  return p;
}

INT_PTR CALLBACK SheetPage::pageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    auto* page = reinterpret_cast<SheetPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lp)->lParam);
    page->attach(hwnd);
  }
  auto* self = reinterpret_cast<SheetPage*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return self->handle(msg, wp, lp);
}

bool SheetPage::onMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg != WM_NOTIFY) return Dialog::onMessage(msg, wp, lp, result);
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lp);
  switch (hdr->code) {
    case PSN_SETACTIVE:
      onSetActive();
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
      result = TRUE;
      return true;
    case PSN_KILLACTIVE:
      // TRUE in the message result keeps the page (and the sheet) open.
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, onKillActive() ? FALSE : TRUE);
      result = TRUE;
      return true;
    case PSN_APPLY:
      // The notification's lParam is TRUE for OK and FALSE for Apply: only OK ends the sheet
      // with its values accepted.
      if (reinterpret_cast<const PSHNOTIFY*>(lp)->lParam) applied_ = true;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, PSNRET_NOERROR);
      result = TRUE;
      return true;
    default:
      return Dialog::onMessage(msg, wp, lp, result);
  }
}

INT_PTR SheetDialog::doModal() {
  std::vector<PROPSHEETPAGEW> pages;
  for (SheetPage* p : pages_) {
    p->applied_ = false;
    pages.push_back(p->describe());
  }
  const std::wstring caption = widen(caption_);
  PROPSHEETHEADERW h{};
  h.dwSize = sizeof h;
  // The standard buttons OK, Cancel and Apply; Apply stays disabled while no page marks
  // itself modified.
  h.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOCONTEXTHELP;
  h.hwndParent = owner_;
  h.hInstance = appInstance();
  h.pszCaption = caption.c_str();
  h.nPages = static_cast<UINT>(pages.size());
  h.nStartPage = static_cast<UINT>(startPage_);
  h.ppsp = pages.data();
  hwnd_ = reinterpret_cast<HWND>(PropertySheetW(&h));
  if (!hwnd_) return IDCANCEL;

  const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
  if (ownerWasEnabled) EnableWindow(owner_, FALSE);
  MSG msg;
  // The sheet has ended when it has no current page any more.
  while (PropSheet_GetCurrentPageHwnd(hwnd_)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (PropSheet_IsDialogMessage(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (ownerWasEnabled) {
    EnableWindow(owner_, TRUE);
    SetActiveWindow(owner_);
  }
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  for (SheetPage* p : pages_)
    if (p->applied_) return IDOK;
  return IDCANCEL;
}

}  // namespace mdx::win
