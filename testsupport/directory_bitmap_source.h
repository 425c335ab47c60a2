#pragma once
// The graphics library's bitmaps read from files, as native tests, benchmarks and tools load
// them from the source tree.
#include <map>
#include <string>

#include "display/map_surfaces.h"

namespace mdx {

// Reads <directory>/<file> for an id. The id -> file table comes from the resource script
// that embeds the bitmaps (lines `<id> BITMAP "<path>"`, ids numeric or #define'd in the
// script) when one is given and readable, else from the built-in table below.
class DirectoryBitmapSource final : public BitmapSource {
 public:
  explicit DirectoryBitmapSource(std::string directory, const std::string& resourceScript = "");
  Surface load(int id) override;

  // The file name (relative to the directory) used for an id; empty for an unknown id.
  std::string fileFor(int id) const;
  // The built-in table, used where no resource script names a file.
  static const std::map<int, std::string>& defaultFiles();

 private:
  std::string directory_;
  std::map<int, std::string> files_;
};

// Parses the BITMAP statements of a resource script's text into id -> file name (the file
// name's last path component). Unknown symbolic ids are skipped.
std::map<int, std::string> parseBitmapResourceScript(const std::string& text);

}  // namespace mdx
