// Bitmap files and packed DIBs of any content through the BMP reader, as a damaged or hostile
// bitmap file or resource would reach it.
//
// Properties: nothing crashes or reads out of bounds; a picture is either refused (an empty
// surface) or has a sane size with storage to match; whatever is read writes back to a file
// that reads again to the same pixels.
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "raster/surface.h"

namespace {

using mdx::Surface;

void checkPicture(const Surface& s) {
  if (s.empty()) {
    FUZZ_CHECK(s.width() == 0 && s.height() == 0 && s.data().empty(), "a refused picture is wholly empty");
    return;
  }
  FUZZ_CHECK(s.width() <= 32768 && s.height() <= 32768, "sides within the reader's limit");
  const size_t bytesPerPixel = s.depth() == Surface::Depth::Mono1 ? 1 : 3;
  FUZZ_CHECK(s.data().size() == static_cast<size_t>(s.width()) * s.height() * bytesPerPixel,
             "storage matches the size");
  if (s.depth() == Surface::Depth::Mono1)
    for (uint8_t v : s.data()) FUZZ_CHECK(v <= 1, "a 1-bit pixel is 0 or 1");

  const Surface again = Surface::fromBmp(s.toBmp());
  FUZZ_CHECK(again.width() == s.width() && again.height() == s.height() && again.depth() == s.depth(),
             "a written picture reads back at its size and depth");
  FUZZ_CHECK(again.data() == s.data(), "a written picture reads back to the same pixels");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  checkPicture(Surface::fromBmp(data, size));
  checkPicture(Surface::fromPackedDib(data, size));
  // The same bytes behind a file header, so a packed-DIB-shaped input also meets the file path.
  std::vector<uint8_t> file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  file.insert(file.end(), data, data + size);
  checkPicture(Surface::fromBmp(file));
  return 0;
}
