#pragma once
// A profile store held in memory: the test double of the registry, and the store of native tools.
#include <map>
#include <string>
#include <variant>

#include "settings/profile_store.h"

namespace mdx {

class MemoryProfileStore final : public ProfileStore {
 public:
  using Value = std::variant<int32_t, std::string>;
  using Section = std::map<std::string, Value>;

  int32_t readInt(const std::string& section, const std::string& key, int32_t def) override;
  std::string readString(const std::string& section, const std::string& key,
                         const std::string& def) override;
  void writeInt(const std::string& section, const std::string& key, int32_t value) override;
  void writeString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  void removeValue(const std::string& section, const std::string& key) override;

  const std::map<std::string, Section>& sections() const { return sections_; }
  size_t valueCount() const;
  int writes() const { return writes_; }
  int reads() const { return reads_; }
  int removals() const { return removals_; }

 private:
  const Value* find(const std::string& section, const std::string& key) const;
  std::map<std::string, Section> sections_;
  int writes_ = 0;
  int reads_ = 0;
  int removals_ = 0;
};

}  // namespace mdx
