#pragma once
// The settings store in the registry: HKEY_CURRENT_USER\Software\<root>\<program>\<SECTION>,
// integers as REG_DWORD, texts as REG_SZ, all names and texts through the W APIs.
#include <string>

#include "settings/profile_store.h"

namespace mdx::win {

class RegistryProfileStore final : public ProfileStore {
 public:
  RegistryProfileStore(const std::string& root, const std::string& program);

  int32_t readInt(const std::string& section, const std::string& key, int32_t def) override;
  std::string readString(const std::string& section, const std::string& key, const std::string& def) override;
  void writeInt(const std::string& section, const std::string& key, int32_t value) override;
  void writeString(const std::string& section, const std::string& key, const std::string& value) override;
  void removeValue(const std::string& section, const std::string& key) override;

 private:
  std::wstring sectionPath(const std::string& section) const;
  std::wstring base_;
};

}  // namespace mdx::win
