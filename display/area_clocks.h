#pragma once
// The seven AREAs on the map: analog clock (dial and hands), name box and digital-time box.
#include <cstdint>
#include <string>

#include "display/display_state.h"

namespace mdx {

enum class BoxMode { Name, Digital };

// Takes a fresh time stamp and draws AREA1 to AREA7 in that order (later ones on top).
void drawAreas(const FrameContext& ctx);

// What AREA i (1..7) shows at `utcSeconds`: from its zone when it has a known one, else the
// PC's local time moved by RUG. The second is always the PC's.
struct AreaReading {
  std::string hour;    // no leading zero
  std::string minute;  // two digits
  std::string second;  // two digits, the PC's
  std::string date;    // "month/day"
};
AreaReading areaReading(const FrameContext& ctx, int i, int64_t utcSeconds);

// One AREA (1..7) from its own hour text (no leading zero) and the stamp's minute and second
// fields.
void drawArea(const FrameContext& ctx, const std::string& hourText, const std::string& minuteText,
              const std::string& secondText, int i);

// The dial at (X, Y): optional filled ellipse in the dial colour, then the dial marks.
void drawDial(const FrameContext& ctx, int32_t X, int32_t Y);

// Hour (12 px), minute (18 px) and, unless INTERVAL is on, the red second hand (18 px), from
// the centre (X + 20, Y + 18).
void drawHands(const FrameContext& ctx, const std::string& hourText, const std::string& minuteText,
               const std::string& secondText, int32_t X, int32_t Y);

// The name box or the digital-time box of AREA i.
void drawAreaBox(const FrameContext& ctx, const std::string& hourText, const std::string& minuteText, int32_t X,
                 int32_t Y, int i, BoxMode mode);

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
DigitalBoxText digitalBoxText(const AreaSettings& area, const std::string& hourText, const std::string& minuteText,
                              const std::string& dateText);

// The hands' centre, from the dial's top-left corner (X, Y): the point that marks the place.
constexpr int32_t kDialCentreX = 20;
constexpr int32_t kDialCentreY = 18;

constexpr int32_t kBoxUnitWidth = 7;
constexpr int32_t kBoxHeight = 14;
constexpr int32_t kNameBoxDrop = 50;
constexpr int32_t kDigitalBoxDrop = 70;

}  // namespace mdx
