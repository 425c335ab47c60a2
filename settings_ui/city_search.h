#pragma once
// Finding cities in the city table as the user types: a query matches a city when, folded
// (settings_ui/city_text.h), it is part of the city's Japanese name, its English name or its
// country's name. Kana match in any of their forms, letters in either case.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings_ui/city_table.h"

namespace mdx {

// Indexes into kCityTable of the cities matching `query`, in table order (west to east).
// A query of blanks only, or none, matches every city.
std::vector<size_t> searchCities(const std::string& query);

// "UTC+9", "UTC−5" (with a minus sign), "UTC+5:30", "UTC+0".
std::string utcOffsetLabel(int32_t offsetMinutes);

// What the picker lists for a city: "ニューヨーク（アメリカ合衆国）UTC−5"; without an offset
// (the PC lacks the city's zone) the name and country alone.
std::string cityEntryLabel(const CityRow& city, std::optional<int32_t> offsetMinutes);

}  // namespace mdx
