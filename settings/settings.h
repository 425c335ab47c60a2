#pragma once
// The settings records the main window owns. Field names are the keys under which the
// settings store keeps them; every integer is 32-bit signed, every text UTF-8.
#include <array>
#include <cstdint>
#include <string>

#include "settings/timed_action.h"

namespace mdx {

constexpr int kAreaCount = 7;

// One place on the map (AREA1..AREA7). A display flag is on only when it equals 1.
struct AreaSettings {
  std::string COUNTRY;    // place name, drawn in the name box and used in the title
  int32_t RUG = 0;        // time difference in whole hours, relative to the PC clock
  int32_t X = 0;          // left edge of the dial, map pixels; anchor of both boxes
  int32_t Y = 0;          // top edge of the dial, map pixels
  int32_t ﾏｰｼﾞﾝ1X = 0;   // name box: horizontal offset from X
  int32_t ﾏｰｼﾞﾝ1Y = 0;   // name box: vertical offset from Y (below the box's fixed drop)
  int32_t ﾏｰｼﾞﾝ2X = 0;   // digital-time box: horizontal offset from X
  int32_t ﾏｰｼﾞﾝ2Y = 0;   // digital-time box: vertical offset from Y (below its fixed drop)
  int32_t R = 0;          // box colour: red, 0..255
  int32_t G = 0;          // box colour: green, 0..255
  int32_t B = 0;          // box colour: blue, 0..255
  int32_t D_COUNTRY = 1;  // show the name box
  int32_t D_ANALOG = 1;   // show the analog dial
  int32_t D_DIJITAL = 1;  // show the digital-time box
  int32_t D_24HOUR = 1;   // 1 = twelve-hour form with AM/PM
  int32_t D_DATE = 1;     // show the date in the digital-time box
  // Windows time-zone key name ("India Standard Time"); when set and known to the PC it
  // replaces RUG. Empty: the AREA follows RUG.
  std::string ZONE;

  bool operator==(const AreaSettings&) const;
  bool operator!=(const AreaSettings& o) const { return !(*this == o); }
};

// Window-wide options. Flags count as on only at 1, except MAIN_TITLE and INTERVAL (on when
// not 0).
struct OptionSettings {
  int32_t D_NIGHT = 1;        // shade the night side of the map (昼夜表示)
  int32_t TOP_WINDOW = 0;     // keep the window in the topmost band (常に手前に表示)
  int32_t D_SEKIDOU = 1;      // draw the equator (赤道表示)
  int32_t D_DATELINE = 1;     // draw the international date line (日付変更線表示)
  int32_t JIHOU = 1;          // the aeroplane chime on the hour (毎時時報)
  int32_t D_AREA_NO = 1;      // prefix each name box with its AREA number (AREAﾅﾝﾊﾞｰ表示)
  int32_t TITLE = 0;          // 0 = none, 1..7 = the AREA whose time the title shows
  int32_t D_BAN_COLOR = 0;    // fill the dials with the colour below (文字盤に色をつける)
  int32_t D_MOJIBAN_R = 255;  // dial colour: red, 0..255
  int32_t D_MOJIBAN_G = 255;  // dial colour: green, 0..255
  int32_t D_MOJIBAN_B = 255;  // dial colour: blue, 0..255
  int32_t D_EVENT1 = 1;       // the aeroplane and the typhoon wander over the map (ｲﾍﾞﾝﾄ表示)
  int32_t MAIN_TITLE = 0;     // not 0: the window has no title bar or frame (ｳｲﾝﾄﾞｳﾀｲﾄﾙ無し)
  int32_t INTERVAL = 0;       // not 0: a new frame once a minute, at second 00 (１分間に１回描画)
  // 1: the night side where the sun really stands instead of the hand-drawn shading, while
  // D_NIGHT is on (太陽の位置で昼夜を描く). Stored only while on.
  int32_t D_TAIYOU = 0;

  bool operator==(const OptionSettings&) const;
  bool operator!=(const OptionSettings& o) const { return !(*this == o); }
};

// The main window's outer rectangle in screen pixels (right and bottom exclusive).
struct WindowRect {
  int32_t left = 107;
  int32_t top = 102;
  int32_t right = 693;
  int32_t bottom = 471;
  int32_t width() const { return static_cast<int32_t>(static_cast<int64_t>(right) - left); }
  int32_t height() const { return static_cast<int32_t>(static_cast<int64_t>(bottom) - top); }
  bool operator==(const WindowRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

inline bool isOn(int32_t flag) { return flag == 1; }
inline bool isNonZero(int32_t flag) { return flag != 0; }

// Everything the store holds, in the shape the main window keeps it.
struct SettingsRecords {
  std::array<AreaSettings, kAreaCount> areas;  // areas[0] is AREA1
  OptionSettings option;
  TimedAction action;

  AreaSettings& area(int n) { return areas[static_cast<size_t>(n - 1)]; }
  const AreaSettings& area(int n) const { return areas[static_cast<size_t>(n - 1)]; }
};

// The default record of AREA n (1..7), used for every key the store lacks.
AreaSettings defaultAreaSettings(int n);
SettingsRecords defaultSettings();

}  // namespace mdx
