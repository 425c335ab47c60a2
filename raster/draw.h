#pragma once
// Pens, brushes, shapes and text on a surface, with GDI's rules:
//  - lines (MoveTo/LineTo) exclude their end point; PS_DOT is the cosmetic dotted pen;
//  - Ellipse and RoundRect cover [left, right) x [top, bottom), filled with the brush and
//    outlined with the pen (GDI's bounding-box rules);
//  - text is drawn transparently (only glyph pixels are set) in the 12-dot bitmap font:
//    6 x 12 for half-width characters, 12 x 12 for full-width ones.
// All coordinates may be any 32-bit value; drawing clips to the surface and never loops over
// more than the visible pixels.
#include <cstdint>
#include <string>

#include "raster/surface.h"

namespace mdx {

// Dot is GDI's cosmetic PS_DOT: runs of 3 pixels on, 3 off, restarting at every lineTo; the
// gaps leave what is under them (a transparent background).
enum class PenStyle { Solid, Dot, Null };
struct Pen {
  PenStyle style = PenStyle::Solid;
  Rgb color = kBlack;
};
struct Brush {
  bool hollow = false;
  Rgb color = kWhite;
};

// A drawing context on one surface: the current pen, brush and position, like a memory DC
// whose stock objects are the black pen and the white brush.
class Canvas {
 public:
  explicit Canvas(Surface& target) : target_(target) {}

  Surface& target() { return target_; }
  void selectPen(const Pen& pen) { pen_ = pen; }
  void selectBrush(const Brush& brush) { brush_ = brush; }
  int32_t currentX() const { return curX_; }
  int32_t currentY() const { return curY_; }

  void moveTo(int32_t x, int32_t y);
  void lineTo(int32_t x, int32_t y);  // end point excluded; the position moves to it
  void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
  void roundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ellipseW, int32_t ellipseH);
  // UTF-8 text, transparent background, glyph pixels in `color`.
  void textOut(int32_t x, int32_t y, const std::string& utf8, Rgb color = kBlack);

 private:
  Surface& target_;
  Pen pen_;
  Brush brush_;
  int32_t curX_ = 0, curY_ = 0;
};

// Width in bytes of code page 932 of a UTF-8 text: ASCII and half-width katakana count 1,
// every other character 2 (the font's 6- and 12-pixel widths).
// Bytes that are not valid UTF-8 count as one unknown (full-width) character each.
int cp932ByteLength(const std::string& utf8);
// Width in pixels that textOut advances over the text: 6 per byte of cp932ByteLength.
int64_t textWidth(const std::string& utf8);

}  // namespace mdx
