// The program icons 128 (resources/icons/meridexa.ico) and 129
// (meridexa_alt.ico): ICO structure with a 32 x 32 16-colour image and 16, 24,
// 48 and 256 pixel 32-bit images with alpha, and the two animation frames
// differing only in their colouring.
#include <gtest/gtest.h>

#include <cmath>
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

// One image of an icon file, decoded (rows top-down): palette indices of a
// 4-bit image, BGRA pixels of a 32-bit one, and the AND mask bits.
struct Image {
  int size = 0;
  int bits = 0;
  std::vector<uint8_t> index;
  std::vector<uint32_t> bgra;
  std::vector<bool> transparent;
  uint8_t alpha(size_t i) const { return static_cast<uint8_t>(bgra[i] >> 24); }
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
    const int size = f[e] == 0 ? 256 : f[e];
    EXPECT_EQ(f[e + 1], f[e]) << "square image";
    const int bits = u16(f, e + 6);
    if (bits != 4 && bits != 32) {
      ADD_FAILURE() << "image " << k << " has " << bits << " bits per pixel";
      return images;
    }
    EXPECT_EQ(f[e + 2], bits == 4 ? 16 : 0) << "palette colours";
    const uint32_t bytes = u32(f, e + 8), offset = u32(f, e + 12);
    EXPECT_EQ(offset, expectedOffset) << "images follow each other without gaps";
    const size_t xorStride = ((size * bits + 31) / 32) * 4, andStride = ((size + 31) / 32) * 4;
    const size_t palette = bits == 4 ? 64 : 0;
    EXPECT_EQ(bytes, 40 + palette + (xorStride + andStride) * size);
    if (offset + bytes > f.size() || bytes < 40 + palette + (xorStride + andStride) * size) {
      ADD_FAILURE() << "image " << k << " runs past the end of the file or its own size";
      return images;
    }
    EXPECT_EQ(u32(f, offset), 40u);
    EXPECT_EQ(static_cast<int32_t>(u32(f, offset + 4)), size);
    EXPECT_EQ(static_cast<int32_t>(u32(f, offset + 8)), 2 * size) << "height counts both masks";
    EXPECT_EQ(u16(f, offset + 12), 1);
    EXPECT_EQ(u16(f, offset + 14), bits);
    EXPECT_EQ(u32(f, offset + 16), 0u) << "uncompressed";

    Image img;
    img.size = size;
    img.bits = bits;
    const size_t n = static_cast<size_t>(size * size);
    img.index.resize(bits == 4 ? n : 0);
    img.bgra.resize(bits == 32 ? n : 0);
    img.transparent.resize(n);
    const size_t xorAt = offset + 40 + palette, andAt = xorAt + xorStride * size;
    for (int y = 0; y < size; ++y) {
      const size_t row = static_cast<size_t>(size - 1 - y);  // stored bottom-up
      for (int x = 0; x < size; ++x) {
        const size_t i = static_cast<size_t>(y * size + x);
        if (bits == 4) {
          const uint8_t byte = f[xorAt + row * xorStride + x / 2];
          img.index[i] = x % 2 == 0 ? byte >> 4 : byte & 15;
        } else {
          img.bgra[i] = u32(f, xorAt + row * xorStride + 4 * static_cast<size_t>(x));
        }
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

// The group the shell picks from: the animated 16-colour 32 x 32 image first,
// then one 32-bit image for each of 16, 24, 48 and 256 pixels.
TEST_F(IconAssetTest, EachIconHasAllFiveSizes) {
  for (const auto* images : {&main, &alt}) {
    ASSERT_EQ(images->size(), 5u);
    const int sizes[] = {32, 16, 24, 48, 256}, bits[] = {4, 32, 32, 32, 32};
    for (size_t k = 0; k < 5; ++k) {
      EXPECT_EQ((*images)[k].size, sizes[k]);
      EXPECT_EQ((*images)[k].bits, bits[k]);
    }
  }
}

// A disc reaching to about half a pixel from the edges covers between 62 %
// and 79 % (pi / 4) of its square.
void expectRoundCover(double cover, int size) {
  EXPECT_GT(cover, 0.62) << size;
  EXPECT_LT(cover, 0.79) << size;
}

TEST_F(IconAssetTest, RoundGlobeWithTransparentCornersAndBlackUnderTheMask) {
  for (const auto* images : {&main, &alt}) {
    for (const Image& img : *images) {
      const int n = img.size;
      EXPECT_TRUE(img.transparent[0]);
      EXPECT_TRUE(img.transparent[static_cast<size_t>(n - 1)]);
      EXPECT_TRUE(img.transparent[static_cast<size_t>(n * n - 1)]);
      EXPECT_FALSE(img.transparent[static_cast<size_t>(n / 2 * n + n / 2)]);
      double opaque = 0;
      for (size_t i = 0; i < img.transparent.size(); ++i) {
        if (img.bits == 32) {
          // The mask agrees with alpha: only fully clear pixels show the
          // background where alpha is ignored, and they carry no colour.
          EXPECT_EQ(img.transparent[i], img.alpha(i) == 0) << "pixel " << i;
          if (img.alpha(i) == 0) EXPECT_EQ(img.bgra[i], 0u) << "pixel " << i;
          opaque += img.alpha(i) / 255.0;
        } else if (img.transparent[i]) {
          EXPECT_EQ(img.index[i], 0) << "pixel " << i << " would tint the background";
        } else {
          ++opaque;
        }
      }
      expectRoundCover(opaque / img.transparent.size(), n);
    }
  }
}

// Smooth edges: the 32-bit images have partly transparent pixels along the
// rim but none inside the globe.
TEST_F(IconAssetTest, AlphaImagesFadeOnlyAtTheRim) {
  for (const auto* images : {&main, &alt}) {
    for (const Image& img : *images) {
      if (img.bits != 32) continue;
      const int n = img.size;
      size_t partial = 0;
      for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
          const uint8_t a = img.alpha(static_cast<size_t>(y * n + x));
          const double dx = x + 0.5 - n / 2.0, dy = y + 0.5 - n / 2.0;
          const double r = std::sqrt(dx * dx + dy * dy) / (n / 2.0);
          if (r < 0.85) EXPECT_EQ(a, 255) << n << ": pixel " << x << "," << y;
          if (a > 0 && a < 255) ++partial;
        }
      EXPECT_GT(partial, static_cast<size_t>(n)) << n;
    }
  }
}

TEST_F(IconAssetTest, AnimationFramesDifferOnlyInColouring) {
  for (size_t k = 1; k < main.size(); ++k) {
    std::vector<uint8_t> alphaMain, alphaAlt;
    for (size_t i = 0; i < main[k].bgra.size(); ++i) {
      alphaMain.push_back(main[k].alpha(i));
      alphaAlt.push_back(alt[k].alpha(i));
    }
    EXPECT_EQ(alphaMain, alphaAlt) << "same outline at " << main[k].size;
    EXPECT_NE(main[k].bgra, alt[k].bgra) << "same colours at " << main[k].size;
  }
  for (size_t k = 0; k < 1; ++k) {
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
