#pragma once
// The ten off-screen surfaces of the main window and their loading from the graphics
// library's bitmaps. The frame is composed on WorkSurface at the map's own size and only
// then stretched onto the window.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "raster/surface.h"

namespace mdx {

// Bitmap resource ids of the graphics library.
enum BitmapId : int {
  kBitmapWorldMap = 162,
  kBitmapPlaneMask = 187,
  kBitmapPlaneImage = 188,
  kBitmapTyphoonMask = 130,
  kBitmapTyphoonImage = 129,
  kBitmapDialMask = 148,
  kBitmapDialImage = 149,
  kBitmapNightMaskSheet = 179,
  kBitmapNightOverlay = 180,
};

// Where the bitmaps come from: the resources of mdxgraph.dll on Windows, the source tree
// natively, generated pictures in tests. A bitmap that cannot be had is an empty surface.
class BitmapSource {
 public:
  virtual ~BitmapSource() = default;
  virtual Surface load(int id) = 0;
};

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

struct MapSurfaces {
  Surface BaseMapSurface;         // 162, the world map; only ever read
  Surface WorkSurface;            // 162 again; the frame under composition
  Surface PlaneMaskSurface;       // 187
  Surface PlaneImageSurface;      // 188
  Surface TyphoonMaskSurface;     // 130
  Surface TyphoonImageSurface;    // 129
  Surface DialMaskSurface;        // 148
  Surface DialImageSurface;       // 149
  Surface NightMaskSheetSurface;  // 179
  Surface NightOverlaySurface;    // 180

  int32_t mapWidth = 0;  // size of the first load of 162
  int32_t mapHeight = 0;
  int32_t dialWidth = 0;  // size of 148
  int32_t dialHeight = 0;
  int32_t overlayWidth = 0;  // size of 180
  int32_t overlayHeight = 0;
};

// Loads the ten surfaces in their fixed order and records the sizes. Nothing is checked:
// a missing bitmap leaves its surface empty and every copy from it draws nothing.
MapSurfaces loadMapSurfaces(BitmapSource& source);

}  // namespace mdx
