#pragma once
// The per-user settings store: sections of named 32-bit integers and texts. On Windows it is
// the registry under HKEY_CURRENT_USER\Software\<root>\<program>; tests use MemoryProfileStore.
#include <cstdint>
#include <string>

namespace mdx {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The stored value, or `def` when the key has no value or holds a value of the other type.
  virtual int32_t readInt(const std::string& section, const std::string& key, int32_t def) = 0;
  virtual std::string readString(const std::string& section, const std::string& key,
                                 const std::string& def) = 0;
  // Stores the value, creating the section when needed. Failures are not reported.
  virtual void writeInt(const std::string& section, const std::string& key, int32_t value) = 0;
  virtual void writeString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  // Deletes the key's value if it has one. Failures are not reported.
  virtual void removeValue(const std::string& section, const std::string& key) = 0;
};

}  // namespace mdx
