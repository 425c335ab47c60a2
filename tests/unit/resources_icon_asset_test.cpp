// The program icons 128 (resources/icons/meridexa.ico) and 129
// (meridexa_alt.ico): ICO structure with 32 x 32 and 16 x 16 16-colour images,
// and the two animation frames differing only in their colouring.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> readIcon(const std::string& name) {
  std::ifstream in(std::string(MDX_SOURCE_DIR) + "/resources/icons/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

// One 4-bit image of an icon file, decoded to palette indices and mask bits
// (rows top-down).
struct Image {
  int size = 0;
  std::vector<uint8_t> index;
  std::vector<bool> transparent;
};

// Checks the ICO structure and returns the images in directory order.
std::vector<Image> parseIcon(const std::vector<uint8_t>& f) {
  std::vector<Image> images;
  EXPECT_GE(f.size(), 6u);
  if (f.size() < 6) return images;
  EXPECT_EQ(u16(f, 0), 0);
  EXPECT_EQ(u16(f, 2), 1);  // icon, not cursor
  const size_t count = u16(f, 4);
  size_t expectedOffset = 6 + 16 * count;
  for (size_t k = 0; k < count; ++k) {
    const size_t e = 6 + 16 * k;
    const int size = f[e];
    EXPECT_EQ(f[e + 1], size) << "square image";
    EXPECT_EQ(f[e + 2], 16) << "16 colours";
    EXPECT_EQ(u16(f, e + 6), 4) << "bits per pixel";
    const uint32_t bytes = u32(f, e + 8), offset = u32(f, e + 12);
    EXPECT_EQ(offset, expectedOffset) << "images follow each other without gaps";
    const size_t xorStride = ((size * 4 + 31) / 32) * 4, andStride = ((size + 31) / 32) * 4;
    EXPECT_EQ(bytes, 40 + 64 + (xorStride + andStride) * size);
    if (offset + bytes > f.size()) {
      ADD_FAILURE() << "image " << k << " runs past the end of the file";
      return images;
    }
    EXPECT_EQ(u32(f, offset), 40u);
    EXPECT_EQ(static_cast<int32_t>(u32(f, offset + 4)), size);
    EXPECT_EQ(static_cast<int32_t>(u32(f, offset + 8)), 2 * size) << "height counts both masks";
    EXPECT_EQ(u16(f, offset + 12), 1);
    EXPECT_EQ(u16(f, offset + 14), 4);
    EXPECT_EQ(u32(f, offset + 16), 0u) << "uncompressed";

    Image img;
    img.size = size;
    img.index.resize(static_cast<size_t>(size * size));
    img.transparent.resize(static_cast<size_t>(size * size));
    const size_t xorAt = offset + 40 + 64, andAt = xorAt + xorStride * size;
    for (int y = 0; y < size; ++y) {
      const size_t row = static_cast<size_t>(size - 1 - y);  // stored bottom-up
      for (int x = 0; x < size; ++x) {
        const uint8_t byte = f[xorAt + row * xorStride + x / 2];
        const size_t i = static_cast<size_t>(y * size + x);
        img.index[i] = x % 2 == 0 ? byte >> 4 : byte & 15;
        img.transparent[i] = (f[andAt + row * andStride + x / 8] >> (7 - x % 8)) & 1;
      }
    }
    images.push_back(img);
    expectedOffset = offset + bytes;
  }
  EXPECT_EQ(expectedOffset, f.size()) << "nothing after the last image";
  return images;
}

class IconAssetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main = parseIcon(readIcon("meridexa.ico"));
    alt = parseIcon(readIcon("meridexa_alt.ico"));
    ASSERT_FALSE(HasFailure());
  }
  std::vector<Image> main, alt;
};

TEST_F(IconAssetTest, EachIconHasA32And16PixelImage) {
  for (const auto* images : {&main, &alt}) {
    ASSERT_EQ(images->size(), 2u);
    EXPECT_EQ((*images)[0].size, 32);
    EXPECT_EQ((*images)[1].size, 16);
  }
}

TEST_F(IconAssetTest, RoundGlobeWithTransparentCornersAndBlackUnderTheMask) {
  for (const auto* images : {&main, &alt}) {
    for (const Image& img : *images) {
      const int n = img.size;
      EXPECT_TRUE(img.transparent[0]);
      EXPECT_TRUE(img.transparent[static_cast<size_t>(n - 1)]);
      EXPECT_TRUE(img.transparent[static_cast<size_t>(n * n - 1)]);
      EXPECT_FALSE(img.transparent[static_cast<size_t>(n / 2 * n + n / 2)]);
      size_t opaque = 0;
      for (size_t i = 0; i < img.index.size(); ++i) {
        if (img.transparent[i]) {
          EXPECT_EQ(img.index[i], 0) << "pixel " << i << " would tint the background";
        } else {
          ++opaque;
        }
      }
      // A disc reaching to about half a pixel from the edges: between the
      // 62 % and the 79 % (pi / 4) of its square.
      const double cover = static_cast<double>(opaque) / img.index.size();
      EXPECT_GT(cover, 0.62);
      EXPECT_LT(cover, 0.79);
    }
  }
}

TEST_F(IconAssetTest, AnimationFramesDifferOnlyInColouring) {
  for (size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(main[k].transparent, alt[k].transparent) << "same outline";
    size_t changed = 0;
    for (size_t i = 0; i < main[k].index.size(); ++i)
      if (main[k].index[i] != alt[k].index[i]) ++changed;
    EXPECT_GT(changed, main[k].index.size() / 4) << "frames too alike to animate";
  }
  // Same drawing: pixels that share a colour in one frame share one in the other
  // wherever the first frame's colour has a single counterpart.
  size_t sameColourPairs = 0, splitPairs = 0;
  const Image &a = main[0], &b = alt[0];
  for (size_t i = 0; i + 1 < a.index.size(); ++i) {
    if (a.transparent[i] || a.transparent[i + 1]) continue;
    const bool sameA = a.index[i] == a.index[i + 1], sameB = b.index[i] == b.index[i + 1];
    if (sameA && sameB) ++sameColourPairs;
    if (sameA != sameB) ++splitPairs;
  }
  EXPECT_LT(splitPairs, sameColourPairs / 10);
}

}  // namespace
