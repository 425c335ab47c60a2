// Checks the committed bitmaps of the graphics library (libs/graphics/bitmaps):
// their file format, the geography of the world map, the day/night mask sheet,
// the dial and the sprite sheets. Reads the files with its own small BMP reader.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A bitmap file as stored: header fields, palette and pixel rows.
struct BmpFile {
    bool ok = false;
    std::string error;
    uint32_t fileSize = 0, dataOffset = 0, headerSize = 0, compression = 0, colorsUsed = 0;
    int32_t width = 0, height = 0;
    uint16_t planes = 0, bitCount = 0;
    std::vector<Rgb> palette;
    std::vector<uint8_t> bytes;

    size_t stride() const { return ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4; }

    // Pixel at (x, y), y counted from the top; 1-bit pixels map through the palette.
    Rgb at(int x, int y) const {
        const int row = height > 0 ? height - 1 - y : y;
        const size_t base = dataOffset + static_cast<size_t>(row) * stride();
        if (bitCount == 24) {
            const size_t i = base + static_cast<size_t>(x) * 3;
            return {bytes[i + 2], bytes[i + 1], bytes[i]};
        }
        const int bit = (bytes[base + static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1;
        return palette.at(static_cast<size_t>(bit));
    }
    bool white(int x, int y) const { return at(x, y) == Rgb{255, 255, 255}; }
    bool black(int x, int y) const { return at(x, y) == Rgb{0, 0, 0}; }
};

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

BmpFile readBmp(const std::string& name) {
    BmpFile f;
    std::ifstream in(std::string(MDX_SOURCE_DIR) + "/libs/graphics/bitmaps/" + name, std::ios::binary);
    if (!in) {
        f.error = "cannot open " + name;
        return f;
    }
    f.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (f.bytes.size() < 54 || f.bytes[0] != 'B' || f.bytes[1] != 'M') {
        f.error = "not a bitmap file";
        return f;
    }
    f.fileSize = le32(f.bytes, 2);
    f.dataOffset = le32(f.bytes, 10);
    f.headerSize = le32(f.bytes, 14);
    f.width = static_cast<int32_t>(le32(f.bytes, 18));
    f.height = static_cast<int32_t>(le32(f.bytes, 22));
    f.planes = le16(f.bytes, 26);
    f.bitCount = le16(f.bytes, 28);
    f.compression = le32(f.bytes, 30);
    f.colorsUsed = le32(f.bytes, 46);
    if (f.headerSize != 40 || f.width <= 0 || f.height == 0 || (f.bitCount != 1 && f.bitCount != 24)) {
        f.error = "unexpected header";
        return f;
    }
    if (f.bitCount == 1) {
        const size_t count = f.colorsUsed ? f.colorsUsed : 2;
        if (14 + 40 + count * 4 > f.bytes.size()) {
            f.error = "palette cut short";
            return f;
        }
        for (size_t i = 0; i < count; ++i) {
            const size_t p = 14 + 40 + i * 4;
            f.palette.push_back({f.bytes[p + 2], f.bytes[p + 1], f.bytes[p]});
        }
    }
    const size_t rows = static_cast<size_t>(std::abs(f.height));
    if (f.dataOffset + f.stride() * rows > f.bytes.size()) {
        f.error = "pixel data cut short";
        return f;
    }
    f.ok = true;
    return f;
}

struct Expected {
    const char* file;
    int id;
    int width, height, bits;
};

const std::array<Expected, 9> kBitmaps = {{
    {"worldmap_162.bmp", 162, 578, 340, 24},
    {"nightmasks_179.bmp", 179, 582, 335, 24},
    {"nightoverlay_180.bmp", 180, 96, 82, 1},
    {"dialmask_148.bmp", 148, 40, 39, 1},
    {"dialimage_149.bmp", 149, 40, 39, 1},
    {"planemask_187.bmp", 187, 268, 35, 1},
    {"planeimage_188.bmp", 188, 268, 35, 24},
    {"typhoonmask_130.bmp", 130, 239, 59, 1},
    {"typhoonimage_129.bmp", 129, 239, 59, 24},
}};

TEST(GraphicsAssets, EveryBitmapHasTheLoadableFormat) {
    for (const auto& e : kBitmaps) {
        SCOPED_TRACE(e.file);
        const BmpFile f = readBmp(e.file);
        ASSERT_TRUE(f.ok) << f.error;
        EXPECT_EQ(f.fileSize, f.bytes.size());
        EXPECT_EQ(f.headerSize, 40u);
        EXPECT_EQ(f.width, e.width);
        EXPECT_EQ(f.height, e.height) << "stored bottom-up with a positive height";
        EXPECT_EQ(f.planes, 1);
        EXPECT_EQ(f.bitCount, e.bits);
        EXPECT_EQ(f.compression, 0u);
        EXPECT_EQ(f.dataOffset + f.stride() * static_cast<size_t>(f.height), f.bytes.size());
        if (e.bits == 1) {
            ASSERT_EQ(f.palette.size(), 2u);
            EXPECT_EQ(f.palette[0], (Rgb{0, 0, 0}));
            EXPECT_EQ(f.palette[1], (Rgb{255, 255, 255}));
            EXPECT_EQ(f.dataOffset, 14u + 40u + 8u);
        } else {
            EXPECT_EQ(f.dataOffset, 14u + 40u);
        }
    }
}

TEST(GraphicsAssets, ResourceScriptEmbedsEveryBitmapUnderItsId) {
    std::ifstream in(std::string(MDX_SOURCE_DIR) + "/libs/graphics/mdxgraph.rc");
    ASSERT_TRUE(in);
    const std::string rc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(rc.find("LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT"), std::string::npos);
    for (const auto& e : kBitmaps) {
        const std::string line = std::to_string(e.id) + " BITMAP \"libs/graphics/bitmaps/" + e.file + "\"";
        EXPECT_NE(rc.find(line), std::string::npos) << line;
    }
}

// --- world map --------------------------------------------------------------------

// The map's Mercator grid: the whole circle of longitude over 578 columns with the
// 180th meridian at x = 343, and the equator at y = 222.
constexpr double kPxPerDeg = 578.0 / 360.0;
constexpr double kPi = 3.14159265358979323846;

int mapX(double lon) {
    double x = 343.0 + (lon - 180.0) * kPxPerDeg;
    x = std::fmod(std::fmod(x, 578.0) + 578.0, 578.0);
    return static_cast<int>(x);
}
int mapY(double lat) {
    const double radius = kPxPerDeg * 180.0 / kPi;
    return static_cast<int>(222.0 - radius * std::log(std::tan(kPi / 4 + lat * kPi / 360.0)));
}

bool isSea(const Rgb& c) { return c.b > c.g + 20 && c.b > c.r + 60; }
bool isLand(const Rgb& c) { return !isSea(c) && c.g >= c.b - 10; }

class GraphicsWorldMap : public ::testing::Test {
protected:
    static void SetUpTestSuite() { map_ = new BmpFile(readBmp("worldmap_162.bmp")); }
    static void TearDownTestSuite() { delete map_; }
    void SetUp() override { ASSERT_TRUE(map_->ok) << map_->error; }
    static Rgb at(double lon, double lat) { return map_->at(mapX(lon), mapY(lat)); }
    static BmpFile* map_;
};
BmpFile* GraphicsWorldMap::map_ = nullptr;

TEST_F(GraphicsWorldMap, GridPutsDateLineAndEquatorWhereTheOverlaysDrawThem) {
    EXPECT_EQ(mapX(180.0), 343);
    EXPECT_EQ(mapY(0.0), 222);
    EXPECT_EQ(mapX(-33.6), 0);
    EXPECT_GE(mapY(79.5), 0);
    EXPECT_LE(mapY(80.5), 0);
    EXPECT_NEAR(mapY(-59.0), 339, 1);
}

TEST_F(GraphicsWorldMap, LandWhereContinentsAre) {
    const struct { const char* name; double lon, lat; } places[] = {
        {"Honshu near Tokyo", 139.5, 36.0},  {"central Australia", 134.0, -24.0},
        {"Sahara", 10.0, 24.0},              {"Congo on the equator", 25.0, 0.0},
        {"Siberia", 100.0, 62.0},            {"Amazon", -60.0, -5.0},
        {"central North America", -98.0, 40.0}, {"England", -1.5, 52.5},
        {"India", 78.0, 22.0},               {"Alaska", -150.0, 64.0},
    };
    for (const auto& p : places) {
        EXPECT_TRUE(isLand(at(p.lon, p.lat))) << p.name;
    }
}

TEST_F(GraphicsWorldMap, SeaWhereOceansAre) {
    const struct { const char* name; double lon, lat; } places[] = {
        {"mid Pacific on the date line", 180.0, 10.0}, {"Pacific on the equator", -140.0, 0.0},
        {"North Pacific", 170.0, 40.0},                {"South Pacific", -120.0, -40.0},
        {"Indian Ocean", 80.0, -20.0},                  {"North Atlantic", -40.0, 40.0},
        {"South Atlantic", -15.0, -30.0},               {"Sea of Japan", 135.0, 40.0},
    };
    for (const auto& p : places) {
        EXPECT_TRUE(isSea(at(p.lon, p.lat))) << p.name;
    }
    // The date line column runs through open sea from the Aleutians to New Zealand's latitude.
    for (double lat = 45.0; lat >= -30.0; lat -= 5.0) {
        EXPECT_TRUE(isSea(at(180.5, lat))) << lat;
    }
}

TEST_F(GraphicsWorldMap, LandTakesGreensAndOchres) {
    const Rgb japan = at(139.5, 36.0);
    EXPECT_GT(japan.g, japan.r);
    EXPECT_GT(japan.g, japan.b);
    const Rgb sahara = at(10.0, 24.0);
    EXPECT_GT(sahara.r, sahara.b + 40);
    EXPECT_GT(sahara.r, sahara.g - 10);
}

// The night shading ANDs the map with the night colour: the sea must keep a dark
// blue and the land must go dark, rather than flare up in stray colours.
TEST_F(GraphicsWorldMap, NightShadingKeepsSeaBlueAndDarkensLand) {
    auto night = [](const Rgb& c) { return Rgb{c.r & 14, c.g & 84, c.b & 138}; };
    for (const auto& [lon, lat] : {std::pair{160.0, 30.0}, {180.0, -5.0}, {-140.0, 25.0}, {-120.0, -30.0},
                                   {-30.0, -20.0}, {70.0, -10.0}, {90.0, -40.0}}) {
        const Rgb c = night(at(lon, lat));
        EXPECT_GE(c.b, 128) << lon << "," << lat;
    }
    for (const auto& [lon, lat] : {std::pair{139.5, 36.0}, {25.0, 0.0}, {-60.0, -5.0}, {-98.0, 40.0},
                                   {100.0, 55.0}, {134.0, -24.0}, {10.0, 24.0}}) {
        const Rgb c = night(at(lon, lat));
        EXPECT_LT(c.r + c.g + c.b, 60) << lon << "," << lat;
    }
}

// --- day/night mask sheet ------------------------------------------------------------

constexpr int kCellW = 96;
constexpr int kCellH = 82;
constexpr int kCellColumns[] = {0, 98, 195, 292, 389, 486};

// Cell origin of local hour h: hours 0-5 in the row at 168, 6-11 at 252,
// 12-17 at 0 and 18-23 at 84, columns in hour order.
std::pair<int, int> cellOf(int hour) {
    static const int rowOf[] = {168, 252, 0, 84};
    return {kCellColumns[hour % 6], rowOf[hour / 6]};
}

// Mean x of the pure white pixels of a cell, on the circle of the cell's width,
// and the count of them.
double whiteCentre(const BmpFile& sheet, int hour, int* count) {
    const auto [ox, oy] = cellOf(hour);
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < kCellH; ++y) {
        for (int x = 0; x < kCellW; ++x) {
            if (sheet.white(ox + x, oy + y)) {
                const double a = 2 * kPi * (x + 0.5) / kCellW;
                sx += std::cos(a);
                sy += std::sin(a);
                ++n;
            }
        }
    }
    *count = n;
    double a = std::atan2(sy, sx);
    if (a < 0) a += 2 * kPi;
    return a * kCellW / (2 * kPi);
}

class GraphicsMaskSheet : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sheet_ = new BmpFile(readBmp("nightmasks_179.bmp")); }
    static void TearDownTestSuite() { delete sheet_; }
    void SetUp() override { ASSERT_TRUE(sheet_->ok) << sheet_->error; }
    static BmpFile* sheet_;
};
BmpFile* GraphicsMaskSheet::sheet_ = nullptr;

TEST_F(GraphicsMaskSheet, NoonCellLightsTheMapsMiddle) {
    int n = 0;
    const double c = whiteCentre(*sheet_, 12, &n);
    // x 48 of the cell is x 289 of the stretched 578-pixel map.
    EXPECT_NEAR(c, 48.0, 4.0);
    EXPECT_TRUE(sheet_->white(cellOf(12).first + 48, 41));
}

TEST_F(GraphicsMaskSheet, EveryCellHasAnUprightOvalOfDaylight) {
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        const auto [ox, oy] = cellOf(hour);
        int n = 0;
        whiteCentre(*sheet_, hour, &n);
        // About 43 pixels wide and nearly the cell's height: an ellipse of area ~2700.
        EXPECT_GT(n, 2300);
        EXPECT_LT(n, 3100);
        int tallest = 0, widest = 0;
        for (int x = 0; x < kCellW; ++x) {
            int run = 0;
            for (int y = 0; y < kCellH; ++y) run += sheet_->white(ox + x, oy + y);
            tallest = std::max(tallest, run);
        }
        for (int y = 0; y < kCellH; ++y) {
            int run = 0;
            for (int x = 0; x < kCellW; ++x) run += sheet_->white(ox + x, oy + y);
            widest = std::max(widest, run);
        }
        EXPECT_GE(tallest, 72);
        EXPECT_NEAR(widest, 43, 3);
    }
}

TEST_F(GraphicsMaskSheet, DaylightMovesWestwardsAndWrapsAtNight) {
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        int n = 0;
        const double now = whiteCentre(*sheet_, hour, &n);
        const double next = whiteCentre(*sheet_, (hour + 1) % 24, &n);
        double step = next - now;
        if (step > kCellW / 2.0) step -= kCellW;
        if (step < -kCellW / 2.0) step += kCellW;
        EXPECT_NEAR(step, -kCellW / 24.0, 1.0) << "one hour is 15 degrees, westwards";

        const auto [ox, oy] = cellOf(hour);
        const bool leftEdge = sheet_->white(ox, oy + 41);
        const bool rightEdge = sheet_->white(ox + kCellW - 1, oy + 41);
        if (hour >= 19 || hour <= 3) {
            EXPECT_TRUE(leftEdge && rightEdge) << "the oval wraps across the cell's edges";
        } else if (hour >= 5 && hour <= 17) {
            EXPECT_FALSE(leftEdge || rightEdge);
        }
    }
    int n = 0;
    EXPECT_LT(whiteCentre(*sheet_, 17, &n), 30.0) << "near the left edge at hour 17";
}

TEST_F(GraphicsMaskSheet, NightPartIsADarkBlueTextureWithoutWhite) {
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        const auto [ox, oy] = cellOf(hour);
        double sum[3] = {0, 0, 0}, sq = 0;
        int n = 0;
        for (int y = 0; y < kCellH; ++y) {
            // Pure white pixels of a row form one run (on the circle): the oval, nothing else.
            int starts = 0;
            for (int x = 0; x < kCellW; ++x) {
                const bool w = sheet_->white(ox + x, oy + y);
                const bool before = sheet_->white(ox + (x + kCellW - 1) % kCellW, oy + y);
                if (w && !before) ++starts;
            }
            EXPECT_LE(starts, 1) << "row " << y;
            for (int x = 0; x < kCellW; ++x) {
                const Rgb c = sheet_->at(ox + x, oy + y);
                if (c.r + c.g + c.b < 400) {
                    sum[0] += c.r;
                    sum[1] += c.g;
                    sum[2] += c.b;
                    sq += static_cast<double>(c.b) * c.b;
                    ++n;
                }
            }
        }
        ASSERT_GT(n, 4000);
        EXPECT_NEAR(sum[0] / n, 14, 6);
        EXPECT_NEAR(sum[1] / n, 84, 10);
        EXPECT_NEAR(sum[2] / n, 138, 12);
        const double meanB = sum[2] / n;
        EXPECT_GT(std::sqrt(sq / n - meanB * meanB), 2.0) << "textured, not flat";
    }
}

TEST_F(GraphicsMaskSheet, CellsAreSeparatedByGridLines) {
    for (int x : {96, 97, 194, 291, 388, 485}) {
        for (int y = 0; y < 335; y += 7) EXPECT_TRUE(sheet_->black(x, y)) << x << "," << y;
    }
    for (int y : {82, 83, 166, 167, 250, 251, 334}) {
        for (int x = 0; x < 582; x += 7) EXPECT_TRUE(sheet_->black(x, y)) << x << "," << y;
    }
}

// --- overlay and dial ---------------------------------------------------------------

bool allBlack(const BmpFile& f) {
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            if (!f.black(x, y)) return false;
    return true;
}

TEST(GraphicsAssets, BlankOverlaysAreAllBlack) {
    const BmpFile overlay = readBmp("nightoverlay_180.bmp");
    const BmpFile dialImage = readBmp("dialimage_149.bmp");
    ASSERT_TRUE(overlay.ok && dialImage.ok);
    EXPECT_TRUE(allBlack(overlay));
    EXPECT_TRUE(allBlack(dialImage));
}

TEST(GraphicsAssets, DialMaskMarksTheHoursAroundTheHandsCentre) {
    const BmpFile dial = readBmp("dialmask_148.bmp");
    ASSERT_TRUE(dial.ok) << dial.error;
    EXPECT_TRUE(dial.black(20, 18)) << "centre dot under the hands";
    int blackCount = 0;
    for (int y = 0; y < dial.height; ++y)
        for (int x = 0; x < dial.width; ++x) blackCount += dial.black(x, y);
    EXPECT_LT(blackCount, 120) << "mostly white: marks only";
    auto blackIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += dial.black(x, y);
        return n;
    };
    EXPECT_GE(blackIn(15, 0, 25, 7), 10) << "12 at the top";
    EXPECT_GE(blackIn(32, 14, 39, 22), 6) << "3 at the right";
    EXPECT_GE(blackIn(15, 30, 25, 38), 6) << "6 at the bottom";
    EXPECT_GE(blackIn(0, 14, 7, 22), 6) << "9 at the left";
    // Nothing of the marks lies where the hands sweep between centre and numerals.
    EXPECT_EQ(blackIn(14, 8, 26, 14), 0);
    for (int c : {0, 39}) {
        EXPECT_TRUE(dial.white(c, 0));
        EXPECT_TRUE(dial.white(c, 38));
    }
}

// --- sprites ---------------------------------------------------------------------

struct SpriteSheet {
    const char* mask;
    const char* image;
    int frameW, frameH;
    std::array<int, 4> frames;
    std::vector<int> separators;
};

const SpriteSheet kPlane{"planemask_187.bmp", "planeimage_188.bmp", 65, 33, {0, 67, 134, 201},
                         {66, 133, 200, 267}};
const SpriteSheet kTyphoon{"typhoonmask_130.bmp", "typhoonimage_129.bmp", 59, 59, {0, 60, 120, 180},
                           {59, 119, 179}};

void checkMaskImagePair(const SpriteSheet& s) {
    const BmpFile mask = readBmp(s.mask);
    const BmpFile image = readBmp(s.image);
    ASSERT_TRUE(mask.ok && image.ok);
    for (int frame = 0; frame < 4; ++frame) {
        SCOPED_TRACE(frame);
        const int left = s.frames[static_cast<size_t>(frame)];
        int shape = 0, coloured = 0, mismatches = 0;
        for (int y = 0; y < s.frameH; ++y) {
            for (int x = left; x < left + s.frameW; ++x) {
                if (mask.white(x, y)) {
                    mismatches += !image.black(x, y);
                } else {
                    ++shape;
                    coloured += !image.black(x, y);
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << "image black wherever the mask is white";
        EXPECT_GT(shape, 150) << "the frame holds a shape";
        EXPECT_EQ(coloured, shape) << "the shape is coloured in the image";
        // The frame's border stays transparent, so nothing is cut off at its edge.
        for (int x = left; x < left + s.frameW; ++x) EXPECT_TRUE(mask.white(x, 0));
    }
    // Separator columns lie outside every frame: transparent in the mask.
    for (int sx : s.separators) {
        for (int y = 0; y < mask.height; ++y) EXPECT_TRUE(mask.white(sx, y));
    }
}

TEST(GraphicsAssets, AeroplaneMasksAndImagesPairUp) {
    checkMaskImagePair(kPlane);
    const BmpFile image = readBmp(kPlane.image);
    ASSERT_TRUE(image.ok);
    for (int sx : kPlane.separators) EXPECT_EQ(image.at(sx, 10), (Rgb{255, 0, 0})) << sx;
}

TEST(GraphicsAssets, AeroplaneFramesFaceTheirDirections) {
    const BmpFile mask = readBmp(kPlane.mask);
    ASSERT_TRUE(mask.ok);
    // Side views: the flying-right frame mirrors the flying-left one.
    // Top views: the nose-down frame mirrors the nose-up one vertically.
    for (int y = 0; y < 33; ++y) {
        for (int x = 0; x < 65; ++x) {
            ASSERT_EQ(mask.white(x, y), mask.white(67 + 64 - x, y)) << x << "," << y;
            ASSERT_EQ(mask.white(134 + x, y), mask.white(201 + x, 32 - y)) << x << "," << y;
        }
    }
    // The tail fin rises at the back: flying left, the tallest part is on the right.
    auto topRow = [&](int x0, int x1) {
        for (int y = 0; y < 33; ++y)
            for (int x = x0; x <= x1; ++x)
                if (!mask.white(x, y)) return y;
        return 33;
    };
    EXPECT_LT(topRow(48, 64), topRow(0, 16));
}

TEST(GraphicsAssets, TyphoonMasksAndImagesPairUp) {
    checkMaskImagePair(kTyphoon);
    const BmpFile mask = readBmp(kTyphoon.mask);
    ASSERT_TRUE(mask.ok);
    for (int frame = 0; frame < 4; ++frame) {
        const int cx = kTyphoon.frames[static_cast<size_t>(frame)] + 29;
        EXPECT_TRUE(mask.white(cx, 29)) << "clear eye in frame " << frame;
        EXPECT_FALSE(mask.white(cx + 8, 29)) << "eyewall in frame " << frame;
    }
    // Four distinct rotation phases.
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) {
            int differ = 0;
            for (int y = 0; y < 59; ++y)
                for (int x = 0; x < 59; ++x)
                    differ += mask.white(kTyphoon.frames[a] + x, y) != mask.white(kTyphoon.frames[b] + x, y);
            EXPECT_GT(differ, 100) << a << " vs " << b;
        }
    }
}

}  // namespace
