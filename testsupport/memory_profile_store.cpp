#include "testsupport/memory_profile_store.h"

namespace mdx {

const MemoryProfileStore::Value* MemoryProfileStore::find(const std::string& section,
                                                          const std::string& key) const {
  auto s = sections_.find(section);
  if (s == sections_.end()) return nullptr;
  auto v = s->second.find(key);
  return v == s->second.end() ? nullptr : &v->second;
}

int32_t MemoryProfileStore::readInt(const std::string& section, const std::string& key, int32_t def) {
  ++reads_;
  const Value* v = find(section, key);
  if (v && std::holds_alternative<int32_t>(*v)) return std::get<int32_t>(*v);
  return def;
}

std::string MemoryProfileStore::readString(const std::string& section, const std::string& key,
                                           const std::string& def) {
  ++reads_;
  const Value* v = find(section, key);
  if (v && std::holds_alternative<std::string>(*v)) return std::get<std::string>(*v);
  return def;
}

void MemoryProfileStore::writeInt(const std::string& section, const std::string& key, int32_t value) {
  ++writes_;
  sections_[section][key] = value;
}

void MemoryProfileStore::writeString(const std::string& section, const std::string& key,
                                     const std::string& value) {
  ++writes_;
  sections_[section][key] = value;
}

void MemoryProfileStore::removeValue(const std::string& section, const std::string& key) {
  ++removals_;
  auto s = sections_.find(section);
  if (s != sections_.end()) s->second.erase(key);
}

size_t MemoryProfileStore::valueCount() const {
  size_t n = 0;
  for (const auto& s : sections_) n += s.second.size();
  return n;
}

}  // namespace mdx
