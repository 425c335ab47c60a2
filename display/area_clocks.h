#pragma once
// The seven AREAs on the map: analog clock (dial and hands), name box and digital-time box.
#include <cstdint>
#include <string>

#include "display/display_state.h"
#include "worldtime/area_time.h"

namespace mdx {

enum class BoxMode { Name, Digital };

// Draws AREA1 to AREA7 in that order (later ones on top), every one at the frame's instant.
void drawAreas(const FrameContext& ctx, int64_t utcSeconds);

// AREA i's (1..7) time at `utcSeconds`: its zone's or its RUG's (worldtime/area_time.h).
AreaTime areaTime(const FrameContext& ctx, int i, int64_t utcSeconds);

// One AREA (1..7) at its own time.
void drawArea(const FrameContext& ctx, const AreaTime& t, int i);

// The dial at (X, Y): optional filled ellipse in the dial colour, then the dial marks.
void drawDial(const FrameContext& ctx, int32_t X, int32_t Y);

// Hour (12 px), minute (18 px) and, unless INTERVAL is on, the red second hand (18 px), from
// the centre (X + 20, Y + 18).
void drawHands(const FrameContext& ctx, int32_t hour, int32_t minute, int32_t second, int32_t X, int32_t Y);

// The name box or the digital-time box of AREA i.
void drawAreaBox(const FrameContext& ctx, const AreaTime& t, int32_t X, int32_t Y, int i, BoxMode mode);

// End offset of a hand at `degrees` clockwise from twelve with length `length`, rounded with
// ConvertI_D.
struct HandOffset {
  int32_t dx = 0, dy = 0;
};
HandOffset handOffset(int32_t degrees, int32_t length);
// Degrees of the hour hand: (h mod 12) x 30 + m / 2.
int32_t hourHandDegrees(int32_t hour, int32_t minute);

// The texts the boxes show and the width they count, in 7-pixel units.
std::string nameBoxText(const SettingsRecords& settings, int i);
struct DigitalBoxText {
  std::string hourPart;  // "[date ]hour" as drawn before ":"
  std::string text;      // the whole text drawn
  int64_t units = 0;     // the box is 7 x units pixels wide
};
// The digital box of an AREA at `t`: "[month/day ]hour:minute", with the date when D_DATE is
// on and the twelve-hour label when D_24HOUR is on.
DigitalBoxText digitalBoxText(const AreaSettings& area, const AreaTime& t);

// The hands' centre, from the dial's top-left corner (X, Y): the point that marks the place.
constexpr int32_t kDialCentreX = 20;
constexpr int32_t kDialCentreY = 18;

constexpr int32_t kBoxUnitWidth = 7;
constexpr int32_t kBoxHeight = 14;
constexpr int32_t kNameBoxDrop = 50;
constexpr int32_t kDigitalBoxDrop = 70;

}  // namespace mdx
