// mdxaccprobe.dll: loaded by the test driver into meridexa.exe's process, it replaces the
// program's imported CoCreateInstance so that the accessibility services object
// (CLSID_AccPropServices) is a recorder: each SetHwndPropStr appends "<control id>\t<name>"
// (UTF-8) to C:\acc-log.txt and succeeds, as Windows' oleacc does when it stores a dynamic
// annotation. Wine keeps no such annotations, so this is how the driver sees the names screen
// readers would get on Windows. Every other class is created as before.
#include <windows.h>

#include <initguid.h>
#include <oleacc.h>

#include <cstdio>

#include "tests/e2e/probe/iat_patch.h"

namespace {

using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
CoCreateInstanceFn realCoCreateInstance;

class RecordingPropServices final : public IAccPropServices {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IAccPropServices) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }   // one static object
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND hwnd, DWORD, DWORD, MSAAPROPID prop, LPCWSTR str) override {
    if (prop != PROPID_ACC_NAME) return S_OK;
    char utf8[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, str, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    if (FILE* f = _wfopen(L"C:\\acc-log.txt", L"ab")) {
      std::fprintf(f, "%d\t%s\n", GetDlgCtrlID(hwnd), utf8);
      std::fclose(f);
    }
    return S_OK;
  }
  // The rest of the interface is not used by the program.
  HRESULT STDMETHODCALLTYPE SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                          AnnoScope) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                              AnnoScope) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                               AnnoScope) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
    return E_NOTIMPL;
  }
};

RecordingPropServices recorder;

HRESULT WINAPI recordingCoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* out) {
  if (clsid == CLSID_AccPropServices) return recorder.QueryInterface(iid, out);
  return realCoCreateInstance(clsid, outer, context, iid, out);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    realCoCreateInstance = reinterpret_cast<CoCreateInstanceFn>(
        probe::patchImport("CoCreateInstance", reinterpret_cast<void*>(&recordingCoCreateInstance)));
    if (FILE* f = _wfopen(L"C:\\acc-probe.txt", L"wb")) {
      std::fprintf(f, "%d\n", realCoCreateInstance ? 1 : 0);
      std::fclose(f);
    }
  }
  return TRUE;
}
