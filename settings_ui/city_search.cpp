#include "settings_ui/city_search.h"

#include <cstdlib>

#include "settings_ui/city_text.h"

namespace mdx {

namespace {

struct SearchKeys {
  std::string name, english, country;
};

// The folded names of every city, made on the first search.
const std::vector<SearchKeys>& cityKeys() {
  static const std::vector<SearchKeys> keys = [] {
    std::vector<SearchKeys> k;
    k.reserve(kCityCount);
    for (size_t i = 0; i < kCityCount; ++i)
      k.push_back({searchFold(kCityTable[i].name), searchFold(kCityTable[i].english), searchFold(kCityTable[i].country)});
    return k;
  }();
  return keys;
}

std::string trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<size_t> searchCities(const std::string& query) {
  const std::string q = trimmed(searchFold(query));
  const std::vector<SearchKeys>& keys = cityKeys();
  std::vector<size_t> found;
  for (size_t i = 0; i < keys.size(); ++i) {
    const SearchKeys& k = keys[i];
    if (q.empty() || k.name.find(q) != std::string::npos || k.english.find(q) != std::string::npos ||
        k.country.find(q) != std::string::npos)
      found.push_back(i);
  }
  return found;
}

std::string utcOffsetLabel(int32_t offsetMinutes) {
  const int32_t magnitude = std::abs(offsetMinutes);
  std::string text = offsetMinutes < 0 ? "UTC−" : "UTC+";
  text += std::to_string(magnitude / 60);
  if (magnitude % 60 != 0) {
    const int32_t minutes = magnitude % 60;
    text += (minutes < 10 ? ":0" : ":") + std::to_string(minutes);
  }
  return text;
}

std::string cityEntryLabel(const CityRow& city, std::optional<int32_t> offsetMinutes) {
  std::string label = std::string(city.name) + "（" + city.country + "）";
  if (offsetMinutes) label += utcOffsetLabel(*offsetMinutes);
  return label;
}

}  // namespace mdx
