#include "testsupport/directory_bitmap_source.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace mdx {

namespace {

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Splits a line of a resource script into tokens; a quoted text is one token without quotes.
std::vector<std::string> tokens(const std::string& line) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < line.size()) {
    if (std::isspace(static_cast<unsigned char>(line[i]))) {
      ++i;
    } else if (line[i] == '"') {
      const size_t end = line.find('"', i + 1);
      out.push_back(line.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1));
      i = end == std::string::npos ? line.size() : end + 1;
    } else if (line.compare(i, 2, "//") == 0) {
      break;
    } else {
      size_t j = i;
      while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j])) && line[j] != '"') ++j;
      out.push_back(line.substr(i, j - i));
      i = j;
    }
  }
  return out;
}

bool parseNumber(const std::string& text, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 0);
  if (*end != '\0' || v < 0 || v > 65535) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

std::map<int, std::string> parseBitmapResourceScript(const std::string& text) {
  std::map<std::string, int> symbols;
  std::map<int, std::string> files;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> t = tokens(line);
    if (t.size() >= 3 && t[0] == "#define") {
      int v;
      if (parseNumber(t[2], v)) symbols[t[1]] = v;
      continue;
    }
    if (t.size() < 3 || t[1] != "BITMAP") continue;
    int id;
    if (!parseNumber(t[0], id)) {
      const auto s = symbols.find(t[0]);
      if (s == symbols.end()) continue;
      id = s->second;
    }
    // The file is the last token (memory options such as DISCARDABLE may come between).
    std::string file = t.back();
    for (char& c : file)
      if (c == '\\') c = '/';
    const size_t slash = file.find_last_of('/');
    files[id] = slash == std::string::npos ? file : file.substr(slash + 1);
  }
  return files;
}

const std::map<int, std::string>& DirectoryBitmapSource::defaultFiles() {
  static const std::map<int, std::string> kFiles = {
      {kBitmapWorldMap, "worldmap_162.bmp"},         {kBitmapPlaneMask, "planemask_187.bmp"},
      {kBitmapPlaneImage, "planeimage_188.bmp"},     {kBitmapTyphoonMask, "typhoonmask_130.bmp"},
      {kBitmapTyphoonImage, "typhoonimage_129.bmp"}, {kBitmapDialMask, "dialmask_148.bmp"},
      {kBitmapDialImage, "dialimage_149.bmp"},       {kBitmapNightMaskSheet, "nightmasks_179.bmp"},
      {kBitmapNightOverlay, "nightoverlay_180.bmp"},
  };
  return kFiles;
}

DirectoryBitmapSource::DirectoryBitmapSource(std::string directory, const std::string& resourceScript)
    : directory_(std::move(directory)), files_(defaultFiles()) {
  if (!resourceScript.empty())
    for (const auto& entry : parseBitmapResourceScript(readWholeFile(resourceScript))) files_[entry.first] = entry.second;
}

std::string DirectoryBitmapSource::fileFor(int id) const {
  const auto it = files_.find(id);
  return it == files_.end() ? std::string() : it->second;
}

Surface DirectoryBitmapSource::load(int id) {
  const std::string file = fileFor(id);
  if (file.empty()) return Surface();
  return Surface::loadBmpFile(directory_.empty() ? file : directory_ + "/" + file);
}

}  // namespace mdx
