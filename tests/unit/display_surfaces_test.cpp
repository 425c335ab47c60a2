// Loading the ten surfaces, the bitmap file table, and the PNG writer of the renderer.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <tuple>
#include <vector>

#include "display/frame.h"
#include "display/map_surfaces.h"
#include "tests/unit/display_test_support.h"
#include "testsupport/directory_bitmap_source.h"
#include "testsupport/png_writer.h"
#include "testsupport/synthetic_bitmaps.h"

using namespace mdx;

namespace {

struct RecordingSource : BitmapSource {
  std::vector<int> ids;
  Surface load(int id) override {
    ids.push_back(id);
    // Sizes that tell the loads apart.
    return Surface(id, id % 7 + 1, Surface::Depth::Mono1, kWhite);
  }
};

TEST(DisplaySurfaces, LoadedInOrderWithTheirSizes) {
  RecordingSource src;
  const MapSurfaces s = loadMapSurfaces(src);
  EXPECT_EQ(src.ids, (std::vector<int>{162, 162, 187, 188, 130, 129, 148, 149, 179, 180}));
  EXPECT_EQ(s.mapWidth, 162);
  EXPECT_EQ(s.mapHeight, 162 % 7 + 1);
  EXPECT_EQ(s.dialWidth, 148);
  EXPECT_EQ(s.dialHeight, 148 % 7 + 1);
  EXPECT_EQ(s.overlayWidth, 180);
  EXPECT_EQ(s.TyphoonImageSurface.width(), 129);
  EXPECT_EQ(s.NightMaskSheetSurface.width(), 179);
}

// The sizes the graphics library's bitmaps give the map, the dial and the night overlay.
// (map width, height, dial width, height, overlay width, height)
void expectLibrarySizes(const MapSurfaces& s) {
  EXPECT_EQ(std::make_tuple(s.mapWidth, s.mapHeight, s.dialWidth, s.dialHeight, s.overlayWidth, s.overlayHeight),
            std::make_tuple(578, 340, 40, 39, 96, 82));
}

TEST(DisplaySurfaces, SyntheticBitmapsHaveTheLibraryLayout) {
  SyntheticBitmapSource src;
  const MapSurfaces s = loadMapSurfaces(src);
  expectLibrarySizes(s);
  EXPECT_EQ(s.PlaneMaskSurface.depth(), Surface::Depth::Mono1);
  EXPECT_EQ(s.NightMaskSheetSurface.width(), 582);
  // Every image is black wherever its mask is white, inside the frames.
  for (int y = 0; y < 33; ++y)
    for (int x : {0, 30, 64, 67, 100, 134, 201, 265})
      if (s.PlaneMaskSurface.pixel(x, y) == kWhite) ASSERT_EQ(s.PlaneImageSurface.pixel(x, y), kBlack);
  // The hour-12 cell is daylight in its middle.
  EXPECT_EQ(s.NightMaskSheetSurface.pixel(48, 41), kWhite);
}

TEST(DisplaySurfaces, ResourceScriptNamesTheFiles) {
  const auto files = parseBitmapResourceScript(
      "#include <windows.h>\n"
      "#define IDB_DIAL 148\n"
      "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT\n"
      "162 BITMAP \"libs/graphics/bitmaps/worldmap_162.bmp\"  // world map\n"
      "IDB_DIAL BITMAP DISCARDABLE \"bitmaps\\\\dial.bmp\"\n"
      "UNKNOWN_ID BITMAP \"x.bmp\"\n"
      "1 ICON \"globe.ico\"\n");
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files.at(162), "worldmap_162.bmp");
  EXPECT_EQ(files.at(148), "dial.bmp");
}

TEST(DisplaySurfaces, TheLibraryBitmapsLoadFromTheSourceTree) {
  const std::string dir = MDX_SOURCE_DIR "/libs/graphics/bitmaps";
  DirectoryBitmapSource src(dir, MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
  if (!std::ifstream(dir + "/" + src.fileFor(kBitmapWorldMap))) GTEST_SKIP() << "bitmaps not in the tree";
  const MapSurfaces s = loadMapSurfaces(src);
  expectLibrarySizes(s);
  EXPECT_EQ(s.PlaneMaskSurface.width(), 268);
  EXPECT_EQ(s.PlaneImageSurface.height(), 35);
  EXPECT_EQ(s.TyphoonMaskSurface.width(), 239);
  EXPECT_EQ(s.TyphoonImageSurface.height(), 59);
  EXPECT_EQ(s.NightMaskSheetSurface.width(), 582);
  EXPECT_EQ(s.NightMaskSheetSurface.height(), 335);
  EXPECT_EQ(s.DialMaskSurface.depth(), Surface::Depth::Mono1);
  EXPECT_EQ(s.BaseMapSurface.data(), s.WorkSurface.data());
}

TEST(DisplayPng, ChecksumsAndLayout) {
  const std::string wiki = "Wikipedia";
  EXPECT_EQ(adler32(reinterpret_cast<const uint8_t*>(wiki.data()), wiki.size()), 0x11E60398u);
  const std::string iend = "IEND";
  EXPECT_EQ(crc32(reinterpret_cast<const uint8_t*>(iend.data()), iend.size()), 0xAE426082u);

  Surface s(3, 2, Surface::Depth::Color24, Rgb{1, 2, 3});
  s.setPixel(2, 1, Rgb{200, 100, 50});
  const std::vector<uint8_t> png = encodePng(s);
  ASSERT_GT(png.size(), 8u + 25 + 12);
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  EXPECT_EQ(png[12], 'I');
  EXPECT_EQ(png[19], 3);  // width
  EXPECT_EQ(png[23], 2);  // height
  // The stored block holds the scanlines verbatim: filter byte, then r, g, b.
  const uint8_t row1[] = {0, 1, 2, 3, 1, 2, 3, 200, 100, 50};
  EXPECT_NE(std::search(png.begin(), png.end(), std::begin(row1), std::end(row1)), png.end());
  EXPECT_EQ(std::vector<uint8_t>(png.end() - 8, png.end() - 4), (std::vector<uint8_t>{'I', 'E', 'N', 'D'}));
}

TEST(DisplayPng, LargePicturesSpanSeveralBlocks) {
  Surface s(300, 200, Surface::Depth::Color24, Rgb{9, 9, 9});  // 180200 bytes of scanlines
  const std::vector<uint8_t> png = encodePng(s);
  EXPECT_GT(png.size(), 180200u);
  EXPECT_LT(png.size(), 180200u + 100);
}

}  // namespace
