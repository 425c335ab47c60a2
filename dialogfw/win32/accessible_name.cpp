#include "dialogfw/win32/accessible_name.h"

#include <initguid.h>  // defines the GUIDs oleacc.h declares, in this file only
#include <oleacc.h>

#include "platform/win32/text.h"

namespace mdx::win {

void setAccessibleName(HWND control, const std::string& utf8) {
  // Dynamic annotation: the name is stored with the window, so the service object may go.
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccPropServices* services = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                 reinterpret_cast<void**>(&services)))) {
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                             widen(utf8).c_str());
    services->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
}

}  // namespace mdx::win
