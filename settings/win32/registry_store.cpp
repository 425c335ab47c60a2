#include "settings/win32/registry_store.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text.h"

namespace mdx::win {

RegistryProfileStore::RegistryProfileStore(const std::string& root, const std::string& program)
    : base_(L"Software\\" + widen(root) + L"\\" + widen(program)) {}

std::wstring RegistryProfileStore::sectionPath(const std::string& section) const {
  return base_ + L"\\" + widen(section);
}

int32_t RegistryProfileStore::readInt(const std::string& section, const std::string& key, int32_t def) {
  DWORD type = 0, value = 0, size = sizeof value;
  const LSTATUS rc = RegGetValueW(HKEY_CURRENT_USER, sectionPath(section).c_str(), widen(key).c_str(),
                                  RRF_RT_ANY, &type, &value, &size);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return def;
  return static_cast<int32_t>(value);
}

std::string RegistryProfileStore::readString(const std::string& section, const std::string& key,
                                             const std::string& def) {
  const std::wstring path = sectionPath(section), name = widen(key);
  DWORD type = 0, size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                   &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return def;
  std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, &type, buf.data(), &size) !=
      ERROR_SUCCESS)
    return def;
  return narrow(std::wstring(buf.data()));
}

void RegistryProfileStore::writeInt(const std::string& section, const std::string& key, int32_t value) {
  HKEY h = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                      nullptr) != ERROR_SUCCESS)
    return;
  const DWORD v = static_cast<DWORD>(value);
  RegSetValueExW(h, widen(key).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  RegCloseKey(h);
}

void RegistryProfileStore::writeString(const std::string& section, const std::string& key, const std::string& value) {
  HKEY h = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                      nullptr) != ERROR_SUCCESS)
    return;
  const std::wstring w = widen(value);
  RegSetValueExW(h, widen(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                 static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
}

void RegistryProfileStore::removeValue(const std::string& section, const std::string& key) {
  // The section stays when it empties: the other keys of an AREA are written beside it.
  RegDeleteKeyValueW(HKEY_CURRENT_USER, sectionPath(section).c_str(), widen(key).c_str());
}

}  // namespace mdx::win
