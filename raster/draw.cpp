// Lines, ellipses, rounded rectangles and text with the pixel rules of GDI's DIB engine.
//
// Lines (cosmetic pen, width 1): horizontal and vertical lines cover their start point up to,
// not including, the end point. Other lines are Bresenham lines stepped along the major axis
// with the error term 2*minor - major and a bias of 1 in the octants where the line runs
// leftwards-and-upwards, up-and-left, or right-and-up (octants 3, 5, 6, 8 counted clockwise
// from +x with y downwards), so that a line and its reverse choose the same pixels. After t
// major steps the line has made
//     n(t) = (2 t minor + major + bias - 1) / (2 major)
// minor steps, which lets a clipped line start anywhere without walking the hidden part.
// A dotted pen's pattern (3 on, 3 off) is counted along the major axis from the start.
//
// Ellipse and RoundRect cover [left, right) x [top, bottom). Their corner curve comes from
// the midpoint ellipse algorithm of A. Zingl on the corner box; the interior is filled with
// the brush row by row first, then the outline is drawn as a closed polyline through the
// curve points with the pen. Corners of 2 pixels or less make a plain rectangle.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/draw.h"
#include "raster/font.h"
#include "raster/visible_steps.h"

namespace mdx {

namespace {

using i128 = __int128;

constexpr int64_t kDotOn = 3;
constexpr int64_t kDotPeriod = 6;
// Corner boxes up to this size (width + height) are traced exactly; larger ones, which no
// real picture uses, are computed row by row so that work stays proportional to what shows.
constexpr int64_t kExactCornerLimit = 1 << 16;

struct Point {
  int64_t x, y;
};

// Everything a pen needs to put one pixel down.
struct Stroke {
  Surface& s;
  Pen pen;

  // The gaps of a dotted pen leave what is under them (a transparent background).
  void plot(int64_t x, int64_t y, int64_t phase) const {
    if (x < 0 || y < 0 || x >= s.width() || y >= s.height()) return;
    if (pen.style == PenStyle::Dot && (phase % kDotPeriod) >= kDotOn) return;
    s.setPixel(static_cast<int>(x), static_cast<int>(y), pen.color);
  }
};

// Draws the segment p -> q without q. `phase` is the dash position at p; the return value
// is the dash position after the segment (advanced by its major length).
int64_t drawSegment(const Stroke& st, Point p, Point q, int64_t phase) {
  const int64_t dx = q.x - p.x, dy = q.y - p.y;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int64_t major = std::max(adx, ady);
  const int64_t next = (phase + major) % kDotPeriod;
  if (major == 0 || st.pen.style == PenStyle::Null) return next;
  const int64_t W = st.s.width(), H = st.s.height();

  if (dy == 0 || dx == 0) {
    // Axis-aligned: pixels at distance 0 .. major-1 from p.
    const bool horizontal = dy == 0;
    const int64_t fixed = horizontal ? p.y : p.x;
    if (fixed < 0 || fixed >= (horizontal ? H : W)) return next;
    const int64_t start = horizontal ? p.x : p.y;
    const int64_t inc = (horizontal ? dx : dy) > 0 ? 1 : -1;
    const int64_t extent = horizontal ? W : H;
    // Visible distances t: 0 <= start + t * inc < extent, 0 <= t < major.
    const VisibleSteps visible = visibleSteps(start, inc, major, extent);
    for (int64_t t = visible.first; t <= visible.last; ++t) {
      const int64_t c = start + t * inc;
      if (horizontal)
        st.plot(c, fixed, phase + t);
      else
        st.plot(fixed, c, phase + t);
    }
    return next;
  }

  // Octant bias: 1 for octants 3, 5, 6 and 8.
  int octant;
  if (dy > 0)
    octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  else
    octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
  const int64_t bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
  const bool xMajor = adx > ady;
  const int64_t minor = xMajor ? ady : adx;
  const int64_t majStart = xMajor ? p.x : p.y, minStart = xMajor ? p.y : p.x;
  const int64_t majInc = (xMajor ? dx : dy) > 0 ? 1 : -1, minInc = (xMajor ? dy : dx) > 0 ? 1 : -1;
  const int64_t majExtent = xMajor ? W : H, minExtent = xMajor ? H : W;
  auto minorSteps = [&](int64_t t) {
    return static_cast<int64_t>((2 * static_cast<i128>(t) * minor + major + bias - 1) / (2 * static_cast<i128>(major)));
  };
  // Steps whose major coordinate is visible.
  const VisibleSteps majorVisible = visibleSteps(majStart, majInc, major, majExtent);
  int64_t t0 = majorVisible.first, t1 = majorVisible.last;
  if (t0 > t1) return next;
  // The minor coordinate moves monotonically with t: narrow [t0, t1] to where it is visible.
  auto minorAt = [&](int64_t t) { return minStart + minorSteps(t) * minInc; };
  auto inRangeLow = [&](int64_t t) {  // has the minor coordinate reached the visible range?
    const int64_t m = minorAt(t);
    return minInc > 0 ? m >= 0 : m <= minExtent - 1;
  };
  auto beyondHigh = [&](int64_t t) {  // has it passed the visible range?
    const int64_t m = minorAt(t);
    return minInc > 0 ? m > minExtent - 1 : m < 0;
  };
  {
    int64_t lo = t0, hi = t1 + 1;  // first t in [t0, t1] with inRangeLow, or t1 + 1
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (inRangeLow(mid)) hi = mid; else lo = mid + 1;
    }
    t0 = lo;
  }
  {
    int64_t lo = t0, hi = t1 + 1;  // first t in [t0, t1] beyond the range, or t1 + 1
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (beyondHigh(mid)) hi = mid; else lo = mid + 1;
    }
    t1 = lo - 1;
  }
  for (int64_t t = t0; t <= t1; ++t) {
    const int64_t a = majStart + t * majInc, b = minorAt(t);
    if (xMajor)
      st.plot(a, b, phase + t);
    else
      st.plot(b, a, phase + t);
  }
  return next;
}

void drawClosedPolyline(const Stroke& st, const std::vector<Point>& pts) {
  if (st.pen.style == PenStyle::Null || pts.size() < 2) return;
  int64_t phase = 0;
  for (size_t i = 0; i + 1 < pts.size(); ++i) phase = drawSegment(st, pts[i], pts[i + 1], phase);
  drawSegment(st, pts.back(), pts.front(), phase);
}

// Fills [x0, x1) of row y, clipped.
void fillSpan(Surface& s, int64_t y, int64_t x0, int64_t x1, Rgb c) {
  if (y < 0 || y >= s.height()) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, s.width());
  if (x0 >= x1) return;
  const size_t row = static_cast<size_t>(y) * static_cast<size_t>(s.width());
  if (s.depth() == Surface::Depth::Mono1) {
    std::fill_n(s.data().data() + row + static_cast<size_t>(x0), static_cast<size_t>(x1 - x0),
                static_cast<uint8_t>(c == kWhite ? 1 : 0));
    return;
  }
  uint8_t* p = s.data().data() + (row + static_cast<size_t>(x0)) * 3;
  for (int64_t x = x0; x < x1; ++x, p += 3) {
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }
}

void fillRect(Surface& s, int64_t l, int64_t t, int64_t r, int64_t b, Rgb c) {
  t = std::max<int64_t>(t, 0);
  b = std::min<int64_t>(b, s.height());
  for (int64_t y = t; y < b; ++y) fillSpan(s, y, l, r, c);
}

// The midpoint ellipse stepper (A. Zingl) of the corner box w x h, started at the box's side
// half-way down: each step moves one pixel along x, along y, or both.
struct CornerStepper {
  CornerStepper(int64_t w, int64_t h) {
    const int64_t a = w - 1, b = h - 1;
    asq = i128{8} * a * a;
    bsq = i128{8} * b * b;
    dx = i128{4} * b * b * (1 - a);
    dy = i128{4} * a * a * (1 + (b % 2));
    err = dx + dy + i128{a} * a * (b % 2);
  }
  struct Moves {
    bool x = false, y = false;
  };
  Moves step() {
    const i128 e2 = 2 * err;
    Moves m;
    if (e2 >= dx) {
      dx += bsq;
      err += dx;
      m.x = true;
    }
    if (e2 <= dy) {
      dy += asq;
      err += dy;
      m.y = true;
    }
    return m;
  }

  i128 asq, bsq, dx, dy, err;
};

// Curve points of the corner box w x h, first quadrant as seen in y-down coordinates,
// from (w - 1, h / 2) towards the bottom.
void cornerQuadrant(int64_t w, int64_t h, std::vector<Point>& out) {
  out.clear();
  CornerStepper stepper(w, h);
  Point pt{w - 1, h / 2};
  while (pt.x >= w / 2) {
    out.push_back(pt);
    const CornerStepper::Moves m = stepper.step();
    if (m.x) --pt.x;
    if (m.y) ++pt.y;
  }
}

// Row insets of the rounded interior for a corner box w x h: entry d is how far the row
// at distance d from the top (or bottom) edge starts inside the left (and right) side.
void cornerInsets(int64_t w, int64_t h, std::vector<int64_t>& inset, std::vector<int64_t>& byDistance) {
  inset.assign(static_cast<size_t>(h), 0);
  CornerStepper stepper(w, h);
  int64_t x = 0, y = h / 2;
  while (x <= w / 2) {
    const CornerStepper::Moves m = stepper.step();
    if (m.x) ++x;
    if (m.y) {
      ++y;
      if (y < h) inset[static_cast<size_t>(y)] = x;
    }
  }
  // Rows below the middle were traced; the rows above mirror them.
  const int64_t b = h - 1;
  byDistance.resize(static_cast<size_t>(h / 2));
  for (int64_t d = 0; d < h / 2; ++d) byDistance[static_cast<size_t>(d)] = inset[static_cast<size_t>(b - d)];
}

// Work lists of the rounded shapes, kept per thread so that drawing allocates nothing once
// they have grown to the shapes in use.
struct RoundScratch {
  std::vector<int64_t> traced, insets;
  std::vector<Point> quadrant, pts, half;
};

RoundScratch& roundScratch() {
  thread_local RoundScratch s;
  return s;
}

// Inset of a huge corner box's row at distance d from the edge, from the ellipse equation.
int64_t analyticInset(int64_t w, int64_t h, int64_t d) {
  const long double A = w / 2.0L, B = h / 2.0L;
  const long double v = (B - (d + 0.5L)) / B;
  const long double half = A * std::sqrt(std::max<long double>(0, 1 - v * v));
  const long double inset = std::floor(A - half + 0.5L);
  return std::clamp<int64_t>(static_cast<int64_t>(inset), 0, w / 2);
}

struct Box {
  int64_t l, t, r, b;  // [l, r) x [t, b), ordered
};

Box orderedBox(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Box bx{left, top, right, bottom};
  if (bx.l > bx.r) std::swap(bx.l, bx.r);
  if (bx.t > bx.b) std::swap(bx.t, bx.b);
  return bx;
}

void drawRectangle(const Stroke& st, const Brush& brush, const Box& bx) {
  if (st.pen.style == PenStyle::Null) {
    if (!brush.hollow) fillRect(st.s, bx.l, bx.t, bx.r - 1, bx.b - 1, brush.color);
    return;
  }
  const int64_t r = bx.r - 1, b = bx.b - 1;
  drawClosedPolyline(st, {{r, bx.t}, {bx.l, bx.t}, {bx.l, b}, {r, b}});
  if (!brush.hollow) fillRect(st.s, bx.l + 1, bx.t + 1, r, b, brush.color);
}

void drawRounded(const Stroke& st, const Brush& brush, const Box& bx, int64_t ew, int64_t eh) {
  const int64_t W = bx.r - bx.l, H = bx.b - bx.t;
  ew = std::min(W, ew < 0 ? -ew : ew);
  eh = std::min(H, eh < 0 ? -eh : eh);
  if (ew <= 2 || eh <= 2) {
    drawRectangle(st, brush, bx);
    return;
  }
  Surface& s = st.s;
  const int64_t y0 = std::max<int64_t>(bx.t, 0), y1 = std::min<int64_t>(bx.b, s.height());
  const bool exact = ew + eh <= kExactCornerLimit;
  RoundScratch& rs = roundScratch();
  std::vector<int64_t>& insets = rs.insets;
  if (exact) cornerInsets(ew, eh, rs.traced, insets);
  auto insetAt = [&](int64_t y) -> int64_t {  // inset of row y, 0 in the straight middle
    const int64_t d = std::min(y - bx.t, bx.b - 1 - y);
    if (d >= eh / 2) return 0;
    return exact ? insets[static_cast<size_t>(d)] : analyticInset(ew, eh, d);
  };

  if (!brush.hollow)
    for (int64_t y = y0; y < y1; ++y) {
      const int64_t in = insetAt(y);
      fillSpan(s, y, bx.l + in, bx.r - in, brush.color);
    }
  if (st.pen.style == PenStyle::Null) return;

  if (exact) {
    // Outline: the corner quadrant placed at the top right, mirrored to the left, then the
    // whole upper half mirrored downwards, as one closed polyline (counter-clockwise order).
    std::vector<Point>& q = rs.quadrant;
    cornerQuadrant(ew, eh, q);
    for (Point& p : q) {
      p.x = bx.r - ew + p.x;
      p.y = bx.t + eh - 1 - p.y;
    }
    std::vector<Point>& pts = rs.pts;
    pts = q;
    const size_t n = q.size();
    size_t end = 2 * n - 1;
    if ((ew % 2) && ew == W) --end;
    pts.resize(end + 1);
    for (size_t i = 0; i < n; ++i) pts[end - i] = Point{bx.l + bx.r - 1 - q[i].x, q[i].y};
    std::vector<Point>& half = rs.half;
    half = pts;
    const size_t m = half.size();
    end = 2 * m - 1;
    if ((eh % 2) && eh == H) --end;
    pts.resize(end + 1);
    for (size_t i = 0; i < m; ++i) pts[end - i] = Point{half[i].x, bx.t + bx.b - 1 - half[i].y};
    drawClosedPolyline(st, pts);
    return;
  }
  // Huge corners: per visible row, the outline runs from the row's inset to just before the
  // inset of the row next further out, so that the outline stays connected.
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t d = std::min(y - bx.t, bx.b - 1 - y);
    const int64_t in = insetAt(y);
    if (d == 0) {
      fillSpan(s, y, bx.l + in, bx.r - in, st.pen.color);
      continue;
    }
    const int64_t outer = d - 1 < eh / 2 ? analyticInset(ew, eh, d - 1) : 0;
    const int64_t run = std::max<int64_t>(1, outer - in);
    fillSpan(s, y, bx.l + in, bx.l + in + run, st.pen.color);
    fillSpan(s, y, bx.r - in - run, bx.r - in, st.pen.color);
  }
}

}  // namespace

void Canvas::moveTo(int32_t x, int32_t y) {
  curX_ = x;
  curY_ = y;
}

void Canvas::lineTo(int32_t x, int32_t y) {
  const Stroke st{target_, pen_};
  drawSegment(st, Point{curX_, curY_}, Point{x, y}, 0);
  curX_ = x;
  curY_ = y;
}

void Canvas::ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const Box bx = orderedBox(left, top, right, bottom);
  if (bx.l == bx.r || bx.t == bx.b) return;
  const Stroke st{target_, pen_};
  drawRounded(st, brush_, bx, bx.r - bx.l, bx.b - bx.t);
}

void Canvas::roundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ellipseW,
                       int32_t ellipseH) {
  const Box bx = orderedBox(left, top, right, bottom);
  if (bx.l == bx.r || bx.t == bx.b) return;
  const Stroke st{target_, pen_};
  drawRounded(st, brush_, bx, ellipseW, ellipseH);
}

void Canvas::textOut(int32_t x, int32_t y, const std::string& utf8, Rgb color) {
  Surface& s = target_;
  const int64_t top = y;
  if (top >= s.height() || top + kFontHeight <= 0) return;
  int64_t penX = x;
  for (size_t pos = 0; pos < utf8.size();) {
    if (penX >= s.width()) break;  // text only moves rightwards
    const Glyph g = findGlyph(decodeUtf8(utf8, pos));
    if (g.bits != nullptr && penX + g.width > 0) {
      // Only the glyph's visible columns and rows are visited.
      const int gx0 = static_cast<int>(std::max<int64_t>(0, -penX));
      const int gx1 = static_cast<int>(std::min<int64_t>(g.width, s.width() - penX));
      const int gy0 = static_cast<int>(std::max<int64_t>(0, -top));
      const int gy1 = static_cast<int>(std::min<int64_t>(kFontHeight, s.height() - top));
      for (int gy = gy0; gy < gy1; ++gy) {
        const unsigned bits = g.row(gy);
        if (bits == 0) continue;
        const int py = static_cast<int>(top + gy);
        for (int gx = gx0; gx < gx1; ++gx)
          if ((bits >> (g.width - 1 - gx)) & 1u) s.setPixel(static_cast<int>(penX + gx), py, color);
      }
    }
    penX += g.width;
  }
}

}  // namespace mdx
