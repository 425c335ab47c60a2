#include "dialogfw/win32/dialog.h"

#include <commctrl.h>

#include "dialogfw/field_parse.h"
#include "dialogfw/win32/app_title.h"
#include "platform/win32/text.h"

namespace mdx::win {

HINSTANCE appInstance() { return GetModuleHandleW(nullptr); }

DataBinding DataBinding::textField(int id, std::string& member) {
  DataBinding b;
  b.controlId = id;
  b.kind = Kind::Text;
  b.text = &member;
  return b;
}
DataBinding DataBinding::intField(int id, int32_t& member) {
  DataBinding b;
  b.controlId = id;
  b.kind = Kind::Int;
  b.value = &member;
  return b;
}
DataBinding DataBinding::intField(int id, int32_t& member, int32_t min, int32_t max) {
  DataBinding b = intField(id, member);
  b.ranged = true;
  b.min = min;
  b.max = max;
  return b;
}
DataBinding DataBinding::checkBox(int id, int32_t& member) {
  DataBinding b;
  b.controlId = id;
  b.kind = Kind::Check;
  b.value = &member;
  return b;
}
DataBinding DataBinding::radioGroup(int firstId, int count, int32_t& member) {
  DataBinding b;
  b.controlId = firstId;
  b.kind = Kind::Radio;
  b.value = &member;
  b.radioCount = count;
  return b;
}

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
      if (LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) {
        onOK();
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL && HIWORD(wp) == BN_CLICKED) {
        onCancel();
        return TRUE;
      }
      break;
    case WM_DESTROY:
      onDestroy();
      break;
    default:
      break;
  }
  return FALSE;
}

bool Dialog::onMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

BOOL Dialog::onInitDialog() {
  updateData(false);
  return TRUE;
}

void Dialog::onOK() {
  if (updateData(true)) endDialog(IDOK);
}

void Dialog::onCancel() { endDialog(IDCANCEL); }

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
      quitReceived_ = true;
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

int Dialog::messageBox(const std::string& text, const std::string& caption, UINT flags) {
  return MessageBoxW(hwnd_, widen(text).c_str(), widen(caption).c_str(), flags);
}

void Dialog::failField(int id, const std::string& message) {
  messageBox(message, appTitle(), MB_OK | MB_ICONEXCLAMATION);
  HWND h = item(id);
  SetFocus(h);
  SendMessageW(h, EM_SETSEL, 0, -1);
}

bool Dialog::exchange(const DataBinding& b, bool save) {
  switch (b.kind) {
    case DataBinding::Kind::Text:
      if (save)
        *b.text = itemText(b.controlId);
      else
        setItemText(b.controlId, *b.text);
      return true;
    case DataBinding::Kind::Int: {
      if (!save) {
        setItemText(b.controlId, std::to_string(*b.value));
        return true;
      }
      const IntFieldResult r = parseIntField(itemText(b.controlId), b.ranged, b.min, b.max);
      if (r.status == IntFieldStatus::NotInteger) {
        failField(b.controlId, kIntegerMessage);
        return false;
      }
      if (r.status == IntFieldStatus::OutOfRange) {
        // A value too long for 32 bits is reported against the field's range, or the
        // whole 32-bit range when the field has none.
        failField(b.controlId, b.ranged ? rangeMessage(b.min, b.max) : rangeMessage(INT32_MIN, INT32_MAX));
        return false;
      }
      *b.value = r.value;
      return true;
    }
    case DataBinding::Kind::Check:
      if (save)
        *b.value = isChecked(b.controlId) ? 1 : 0;
      else
        setChecked(b.controlId, *b.value == 1);
      return true;
    case DataBinding::Kind::Radio:
      if (save) {
        *b.value = -1;
        for (int i = 0; i < b.radioCount; ++i)
          if (isChecked(b.controlId + i)) *b.value = i;
      } else {
        for (int i = 0; i < b.radioCount; ++i) setChecked(b.controlId + i, *b.value == i);
      }
      return true;
  }
  return true;
}

bool Dialog::updateData(bool save) {
  for (const DataBinding& b : dataBindings())
    if (!exchange(b, save)) return false;
  return true;
}

}  // namespace mdx::win
