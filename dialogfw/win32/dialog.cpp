#include "dialogfw/win32/dialog.h"

#include <commctrl.h>

#include "dialogfw/win32/app_title.h"
#include "platform/win32/text.h"

namespace mdx::win {

HINSTANCE appInstance() { return GetModuleHandleW(nullptr); }

Dialog::Dialog(int templateId, HWND owner) : templateId_(templateId), owner_(owner) {}

Dialog::~Dialog() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    DestroyWindow(hwnd_);
  }
}

Dialog* Dialog::fromHwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (lstrcmpW(cls, L"#32770") != 0) return nullptr;
  return reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
}

void Dialog::attach(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

INT_PTR CALLBACK Dialog::staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) reinterpret_cast<Dialog*>(lp)->attach(hwnd);
  Dialog* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return self->handle(msg, wp, lp);
}

INT_PTR Dialog::handle(UINT msg, WPARAM wp, LPARAM lp) {
  INT_PTR result = FALSE;
  if (onMessage(msg, wp, lp, result)) {
    // Messages whose results travel in DWLP_MSGRESULT keep the handler's value there.
    return result;
  }
  switch (msg) {
    case WM_INITDIALOG:
      return onInitDialog();
    case WM_COMMAND:
      if (onCommand(LOWORD(wp), HIWORD(wp))) return TRUE;
      if (LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) {
        onOK();
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL && HIWORD(wp) == BN_CLICKED) {
        onCancel();
        return TRUE;
      }
      break;
    case WM_TIMER:
      if (wp == kTickTimerId && ticking_) onTick();
      break;  // the platform's own handling follows
    case WM_DESTROY:
      if (ticking_) KillTimer(hwnd_, kTickTimerId);
      ticking_ = false;
      onDestroy();
      break;
    default:
      break;
  }
  return FALSE;
}

bool Dialog::onMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

BOOL Dialog::onInitDialog() {
  loadFields();
  return TRUE;
}

void Dialog::onOK() {
  if (takeBackFields()) endDialog(IDOK);
}

void Dialog::onCancel() { endDialog(IDCANCEL); }

void Dialog::tickEvery(UINT periodMs) {
  ticking_ = SetTimer(hwnd_, kTickTimerId, periodMs, nullptr) != 0;
}

void Dialog::endDialog(INT_PTR result) {
  result_ = result;
  running_ = false;
  // Wake the loop in case no other message is queued.
  if (hwnd_) PostMessageW(hwnd_, WM_NULL, 0, 0);
}

bool Dialog::preTranslateMessage(MSG& msg) { return hwnd_ && IsDialogMessageW(hwnd_, &msg); }

namespace {
// Offers a queued message to the dialogs it is aimed at, from the innermost window outwards.
bool walkPreTranslate(MSG& msg, HWND stopAt) {
  for (HWND h = msg.hwnd; h; h = GetParent(h)) {
    if (Dialog* d = Dialog::fromHwnd(h)) {
      if (d->preTranslateMessage(msg)) return true;
    }
    if (h == stopAt) break;
  }
  return false;
}
}  // namespace

INT_PTR Dialog::doModal() {
  hwnd_ = CreateDialogParamW(appInstance(), MAKEINTRESOURCEW(templateId_), owner_, staticProc,
                             reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return -1;
  const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
  if (ownerWasEnabled) EnableWindow(owner_, FALSE);
  running_ = true;
  if (!(GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE)) ShowWindow(hwnd_, SW_SHOW);

  MSG msg;
  while (running_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // A quit message ends this run and every run outside it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (walkPreTranslate(msg, nullptr)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  running_ = false;

  if (ownerWasEnabled) {
    EnableWindow(owner_, TRUE);
    SetActiveWindow(owner_);
  }
  if (IsWindow(hwnd_)) {
    DestroyWindow(hwnd_);
  }
  hwnd_ = nullptr;
  return result_;
}

std::string Dialog::itemText(int id) const {
  HWND h = item(id);
  const int n = GetWindowTextLengthW(h);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(h, w.data(), n + 1);
  w.resize(wcslen(w.c_str()));
  return narrow(w);
}

void Dialog::setItemText(int id, const std::string& utf8) { SetDlgItemTextW(hwnd_, id, widen(utf8).c_str()); }
void Dialog::enableItem(int id, bool enable) { EnableWindow(item(id), enable ? TRUE : FALSE); }
bool Dialog::isChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
void Dialog::setChecked(int id, bool checked) { CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
int Dialog::checkState(int id) const { return static_cast<int>(SendDlgItemMessageW(hwnd_, id, BM_GETCHECK, 0, 0)); }
void Dialog::setCheckState(int id, int state) {
  SendDlgItemMessageW(hwnd_, id, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int Dialog::messageBox(const std::string& text, const std::string& caption, UINT flags) {
  return MessageBoxW(hwnd_, widen(text).c_str(), widen(caption).c_str(), flags);
}

void Dialog::failField(int id, const std::string& message) {
  messageBox(message, appTitle(), MB_OK | MB_ICONEXCLAMATION);
  HWND h = item(id);
  SetFocus(h);
  SendMessageW(h, EM_SETSEL, 0, -1);
}

void Dialog::loadFields() { mdx::loadFields(fields(), *this); }

bool Dialog::takeBackFields() {
  const auto failure = mdx::takeBackFields(fields(), *this);
  if (failure) failField(failure->controlId, failure->message);
  return !failure;
}

}  // namespace mdx::win
