#include "display/area_clocks.h"

#include <cmath>

#include "display/time_texts.h"
#include "libs/util/convert_i_d.h"
#include "raster/draw.h"
#include "raster/ops.h"

namespace mdx {

namespace {

// The degree-to-radian factor of the hands, with pi cut short at six places as the hands have
// always been drawn.
constexpr double kRadiansPerDegree = 3.141592 / 180;
constexpr int32_t kHourHandLength = 12;
constexpr int32_t kMinuteHandLength = 18;
constexpr int32_t kSecondHandLength = 18;

bool validArea(int i) { return i >= 1 && i <= kAreaCount; }

}  // namespace

AreaTime areaTime(const FrameContext& ctx, int i, int64_t utcSeconds) {
  if (!validArea(i)) return pcTimeAt(ctx.clock, utcSeconds);
  const AreaSettings& a = ctx.settings.area(i);
  return areaTimeAt(ctx.clock, ctx.zones, a.ZONE, a.RUG, utcSeconds);
}

void drawAreas(const FrameContext& ctx, int64_t utcSeconds) {
  // One instant for every AREA, so all of them agree on the minute and the PC's second.
  for (int i = 1; i <= kAreaCount; ++i) drawArea(ctx, areaTime(ctx, i, utcSeconds), i);
}

void drawArea(const FrameContext& ctx, const AreaTime& t, int i) {
  if (!validArea(i)) return;
  const AreaSettings& a = ctx.settings.area(i);
  if (isOn(a.D_ANALOG)) {
    drawDial(ctx, a.X, a.Y);
    drawHands(ctx, t.hour, t.minute, t.second, a.X, a.Y);
  }
  if (isOn(a.D_COUNTRY)) drawAreaBox(ctx, t, a.X, a.Y, i, BoxMode::Name);
  if (isOn(a.D_DIJITAL)) drawAreaBox(ctx, t, a.X, a.Y, i, BoxMode::Digital);
}

void drawDial(const FrameContext& ctx, int32_t X, int32_t Y) {
  MapSurfaces& s = ctx.surfaces;
  const OptionSettings& o = ctx.settings.option;
  Canvas canvas(s.WorkSurface);
  canvas.selectBrush(Brush{false, rgbFromSettings(o.D_MOJIBAN_R, o.D_MOJIBAN_G, o.D_MOJIBAN_B)});
  if (isOn(o.D_BAN_COLOR))
    canvas.ellipse(X, Y, clampCoord(int64_t{X} + s.dialWidth), clampCoord(int64_t{Y} + s.dialHeight));
  // Black mask pixels print the marks; the all-black image then changes nothing.
  bitBlt(s.WorkSurface, X, Y, s.dialWidth, s.dialHeight, s.DialMaskSurface, 0, 0, Rop::SrcAnd);
  bitBlt(s.WorkSurface, X, Y, s.dialWidth, s.dialHeight, s.DialImageSurface, 0, 0, Rop::SrcPaint);
}

HandOffset handOffset(int32_t degrees, int32_t length) {
  const double theta = (90.0 - degrees) * kRadiansPerDegree;
  return HandOffset{ConvertI_D(std::cos(theta) * length), ConvertI_D(std::sin(theta) * -static_cast<double>(length))};
}

int32_t hourHandDegrees(int32_t hour, int32_t minute) {
  const int64_t a = floorMod(hour, 12) * 30 + int64_t{minute} / 2;
  return clampCoord(a);
}

void drawHands(const FrameContext& ctx, int32_t h, int32_t m, int32_t s, int32_t X, int32_t Y) {
  const int64_t cx = int64_t{X} + kDialCentreX;
  const int64_t cy = int64_t{Y} + kDialCentreY;
  Canvas canvas(ctx.surfaces.WorkSurface);

  auto hand = [&](int64_t degrees, int32_t length) {
    const HandOffset d = handOffset(clampCoord(degrees), length);
    canvas.moveTo(clampCoord(cx), clampCoord(cy));
    canvas.lineTo(clampCoord(cx + d.dx), clampCoord(cy + d.dy));
  };
  canvas.selectPen(Pen{PenStyle::Solid, kBlack});
  hand(hourHandDegrees(h, m), kHourHandLength);
  hand(int64_t{m} * 6, kMinuteHandLength);
  if (ctx.settings.option.INTERVAL == 0) {
    canvas.selectPen(Pen{PenStyle::Solid, Rgb{255, 0, 0}});
    hand(int64_t{s} * 6, kSecondHandLength);
  }
}

std::string nameBoxText(const SettingsRecords& settings, int i) {
  if (!validArea(i)) return {};
  std::string name = settings.area(i).COUNTRY;
  if (isOn(settings.option.D_AREA_NO)) name = std::to_string(i) + ":" + name;
  return name;
}

DigitalBoxText digitalBoxText(const AreaSettings& area, const AreaTime& t) {
  DigitalBoxText d;
  const bool withDate = isOn(area.D_DATE);
  d.hourPart = hourText(t.hour, isOn(area.D_24HOUR));
  if (withDate) d.hourPart = dateText(t) + " " + d.hourPart;
  const std::string minute = twoDigits(t.minute);
  d.text = d.hourPart + ":" + minute;
  // The box counts one unit fewer than its text when the date leads it.
  d.units = int64_t{cp932ByteLength(d.hourPart)} + cp932ByteLength(minute) + 1;
  if (withDate) d.units -= 1;
  return d;
}

void drawAreaBox(const FrameContext& ctx, const AreaTime& t, int32_t X, int32_t Y, int i, BoxMode mode) {
  if (!validArea(i)) return;
  const AreaSettings& a = ctx.settings.area(i);

  std::string text;
  int64_t left, top, units;
  if (mode == BoxMode::Name) {
    text = nameBoxText(ctx.settings, i);
    units = cp932ByteLength(text);
    left = int64_t{X} + a.ﾏｰｼﾞﾝ1X;
    top = int64_t{Y} + a.ﾏｰｼﾞﾝ1Y + kNameBoxDrop;
  } else {
    const DigitalBoxText d = digitalBoxText(a, t);
    text = d.text;
    units = d.units;
    left = int64_t{X} + a.ﾏｰｼﾞﾝ2X;
    top = int64_t{Y} + a.ﾏｰｼﾞﾝ2Y + kDigitalBoxDrop;
  }
  const int64_t right = left + kBoxUnitWidth * units;
  const int64_t bottom = top + kBoxHeight;

  Canvas canvas(ctx.surfaces.WorkSurface);
  canvas.selectPen(Pen{PenStyle::Solid, kBlack});
  canvas.selectBrush(Brush{false, rgbFromSettings(a.R, a.G, a.B)});
  canvas.roundRect(clampCoord(left), clampCoord(top), clampCoord(right), clampCoord(bottom), 10, 10);
  // Transparent text: only the glyph pixels change, the box colour shows between them.
  canvas.textOut(clampCoord(left + 3), clampCoord(top + 1), text, kBlack);
}

}  // namespace mdx
