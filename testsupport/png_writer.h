#pragma once
// PNG encoding of a surface (8-bit RGB, uncompressed deflate blocks), for looking at frames
// outside the window: the renderer tool and test artefacts.
#include <cstdint>
#include <string>
#include <vector>

#include "raster/surface.h"

namespace mdx {

std::vector<uint8_t> encodePng(const Surface& surface);
bool writePngFile(const std::string& path, const Surface& surface);

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

}  // namespace mdx
