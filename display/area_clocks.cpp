#include "display/area_clocks.h"

#include <cmath>

#include "worldtime/world_time.h"
#include "libs/util/convert_i_d.h"
#include "raster/draw.h"
#include "raster/ops.h"
#include "worldtime/zoned_time.h"

namespace mdx {

namespace {

// 3.141592 / 180, the degree-to-radian factor of the hands.
constexpr double kRadiansPerDegree = 0.01745328888888889;
constexpr int32_t kHourHandLength = 12;
constexpr int32_t kMinuteHandLength = 18;
constexpr int32_t kSecondHandLength = 18;

bool validArea(int i) { return i >= 1 && i <= kAreaCount; }

// The AREA's date: from its zone when it has one, else the PC's date moved by RUG (which
// reads the clock again).
std::string areaDate(const FrameContext& ctx, const AreaSettings& a) {
  if (const auto zoned = zonedLocalTime(ctx.zones, a.ZONE, ctx.clock.nowSeconds())) return zonedTexts(*zoned).date;
  return areaDateText(ctx.clock, a.RUG);
}

}  // namespace

AreaReading areaReading(const FrameContext& ctx, int i, int64_t utcSeconds) {
  if (!validArea(i)) return {};
  const AreaSettings& a = ctx.settings.area(i);
  const StampFields f = splitTimeStamp(formatTimeStamp(ctx.clock.toLocal(utcSeconds)));
  if (const auto zoned = zonedLocalTime(ctx.zones, a.ZONE, utcSeconds)) {
    const ZonedTexts t = zonedTexts(*zoned);
    return {t.hour, t.minute, f.second, t.date};
  }
  return {areaHour(f.hour, a.RUG), f.minute, f.second, areaDateText(ctx.clock, a.RUG)};
}

void drawAreas(const FrameContext& ctx) {
  // One instant for every AREA, so all of them agree on the minute and the PC's second.
  const int64_t now = ctx.clock.nowSeconds();
  for (int i = 1; i <= kAreaCount; ++i) {
    const AreaReading r = areaReading(ctx, i, now);
    drawArea(ctx, r.hour, r.minute, r.second, i);
  }
}

void drawArea(const FrameContext& ctx, const std::string& hourText, const std::string& minuteText,
              const std::string& secondText, int i) {
  if (!validArea(i)) return;
  const AreaSettings& a = ctx.settings.area(i);
  if (isOn(a.D_ANALOG)) {
    drawDial(ctx, a.X, a.Y);
    drawHands(ctx, hourText, minuteText, secondText, a.X, a.Y);
  }
  if (isOn(a.D_COUNTRY)) drawAreaBox(ctx, hourText, minuteText, a.X, a.Y, i, BoxMode::Name);
  if (isOn(a.D_DIJITAL)) drawAreaBox(ctx, hourText, minuteText, a.X, a.Y, i, BoxMode::Digital);
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

void drawHands(const FrameContext& ctx, const std::string& hourText, const std::string& minuteText,
               const std::string& secondText, int32_t X, int32_t Y) {
  const int32_t h = parseLeadingInt(hourText);
  const int32_t m = parseLeadingInt(minuteText);
  const int32_t s = parseLeadingInt(secondText);
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

DigitalBoxText digitalBoxText(const AreaSettings& area, const std::string& hourText, const std::string& minuteText,
                              const std::string& dateText) {
  DigitalBoxText d;
  d.hourPart = isOn(area.D_24HOUR) ? twelveHourLabel(hourText) : hourText;
  if (!dateText.empty()) d.hourPart = dateText + " " + d.hourPart;
  d.text = d.hourPart + ":" + minuteText;
  d.units = int64_t{cp932ByteLength(d.hourPart)} + cp932ByteLength(minuteText) + 1;
  if (!dateText.empty()) d.units -= 1;
  return d;
}

void drawAreaBox(const FrameContext& ctx, const std::string& hourText, const std::string& minuteText, int32_t X,
                 int32_t Y, int i, BoxMode mode) {
  if (!validArea(i)) return;
  const AreaSettings& a = ctx.settings.area(i);
  const std::string dateText = isOn(a.D_DATE) ? areaDate(ctx, a) : std::string();

  std::string text;
  int64_t left, top, units;
  if (mode == BoxMode::Name) {
    text = nameBoxText(ctx.settings, i);
    units = cp932ByteLength(text);
    left = int64_t{X} + a.ﾏｰｼﾞﾝ1X;
    top = int64_t{Y} + a.ﾏｰｼﾞﾝ1Y + kNameBoxDrop;
  } else {
    const DigitalBoxText d = digitalBoxText(a, hourText, minuteText, dateText);
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
