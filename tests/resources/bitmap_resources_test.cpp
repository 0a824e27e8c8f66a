// The pictures compiled into the program: registered under the numbers the
// program loads them by, at the sizes and depths its drawing code assumes,
// with the key colour where they are drawn transparently.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "bmp_view.h"
#include "platform/system/resource_table.h"
#include "resources/bitmap_resources.h"

using bmptest::BmpView;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kNoKey = 0xFFFFFFFF;
constexpr uint32_t kEditBar = 0xB7B7FF;  // COLORREF 0xFFB7B7 as red, green, blue

enum Corners { kNone, kTop, kAll };

struct Expected {
    int id;
    int width, height, bpp;
    uint32_t key;     // the transparent colour, or kNoKey for opaque pictures
    Corners corners;  // which corners must show the key
    int cells;        // images side by side in one strip
};

const Expected kPictures[] = {
    {111, 32, 32, 24, kNoKey, kNone, 1},     {112, 64, 64, 24, kNoKey, kNone, 1},
    {113, 68, 57, 24, kNoKey, kNone, 1},     {114, 33, 29, 24, kNoKey, kNone, 1},
    {117, 160, 32, 24, kMagenta, kNone, 5},  {118, 85, 16, 24, kMagenta, kNone, 5},
    {119, 150, 30, 24, kGreen, kNone, 5},    {120, 80, 15, 24, kGreen, kNone, 5},
    {121, 40, 40, 24, kNoKey, kNone, 1},     {122, 20, 20, 24, kNoKey, kNone, 1},
    {124, 40, 40, 24, kNoKey, kNone, 1},     {125, 20, 20, 24, kNoKey, kNone, 1},
    {126, 48, 48, 24, kNoKey, kNone, 1},     {127, 24, 24, 24, kNoKey, kNone, 1},
    {128, 48, 48, 24, kNoKey, kNone, 1},     {129, 24, 24, 24, kNoKey, kNone, 1},
    {131, 480, 40, 24, kNoKey, kNone, 9},    {132, 240, 20, 24, kNoKey, kNone, 9},
    {136, 480, 40, 24, kNoKey, kNone, 9},    {137, 240, 20, 24, kNoKey, kNone, 9},
    {139, 40, 40, 24, kNoKey, kNone, 1},     {140, 20, 20, 24, kNoKey, kNone, 1},
    {141, 40, 40, 24, kNoKey, kNone, 1},     {142, 40, 40, 24, kNoKey, kNone, 1},
    {143, 20, 20, 24, kNoKey, kNone, 1},     {144, 20, 20, 24, kNoKey, kNone, 1},
    {147, 240, 268, 8, kNoKey, kNone, 1},    {150, 95, 135, 24, kMagenta, kTop, 1},
    {151, 189, 270, 24, kMagenta, kTop, 1},  {152, 11, 11, 24, kMagenta, kAll, 1},
    {153, 11, 11, 24, kMagenta, kAll, 1},    {154, 22, 22, 24, kMagenta, kAll, 1},
    {155, 22, 22, 24, kMagenta, kAll, 1},    {156, 11, 11, 24, kMagenta, kAll, 1},
    {157, 22, 22, 24, kMagenta, kAll, 1},    {158, 11, 11, 24, kMagenta, kAll, 1},
    {159, 22, 22, 24, kMagenta, kAll, 1},    {160, 480, 40, 24, kNoKey, kNone, 9},
    {161, 240, 20, 24, kNoKey, kNone, 9},    {167, 25, 32, 24, kMagenta, kTop, 1},
    {169, 12, 15, 24, kMagenta, kTop, 1},
};

// Normal picture and its high-resolution twin.
const std::pair<int, int> kTwins[] = {
    {111, 112}, {114, 113}, {118, 117}, {120, 119}, {122, 121}, {125, 124}, {127, 126}, {129, 128},
    {132, 131}, {137, 136}, {161, 160}, {140, 139}, {143, 141}, {144, 142}, {150, 151}, {152, 154},
    {153, 155}, {156, 157}, {158, 159}, {169, 167},
};

class BitmapResources : public ::testing::Test {
protected:
    void SetUp() override {
        device::resourceClearAll();
        registerBitmapResources();
    }
    void TearDown() override { device::resourceClearAll(); }

    static BmpView load(int id) {
        BmpView v;
        const device::Resource* r = device::resourceFind(device::kResBitmap, id);
        if (!r) {
            ADD_FAILURE() << "bitmap " << id << " is not registered";
            return v;
        }
        std::string why;
        if (!bmptest::parseBmp(r->data, r->size, &v, &why)) ADD_FAILURE() << "bitmap " << id << ": " << why;
        return v;
    }
};

double luminance(uint32_t c) {
    return (0.299 * (c >> 16 & 255) + 0.587 * (c >> 8 & 255) + 0.114 * (c & 255)) / 255.0;
}

TEST_F(BitmapResources, EveryPictureIsRegisteredUnderItsNumberAndNoOther) {
    std::set<int> expected;
    for (const Expected& e : kPictures) {
        expected.insert(e.id);
        const device::Resource* r = device::resourceFind(device::kResBitmap, e.id);
        ASSERT_NE(r, nullptr) << e.id;
        EXPECT_GT(r->size, 54u) << e.id;
    }
    ASSERT_EQ(kEmbeddedBitmapCount, expected.size());
    for (size_t i = 0; i < kEmbeddedBitmapCount; ++i) {
        EXPECT_TRUE(expected.count(kEmbeddedBitmaps[i].id)) << "unexpected picture " << kEmbeddedBitmaps[i].id;
        if (i > 0) {
            EXPECT_LT(kEmbeddedBitmaps[i - 1].id, kEmbeddedBitmaps[i].id);
        }
    }
    // Registering again (a second start-up path) replaces each entry by itself.
    const device::Resource before = *device::resourceFind(device::kResBitmap, 147);
    registerBitmapResources();
    const device::Resource* after = device::resourceFind(device::kResBitmap, 147);
    EXPECT_EQ(after->data, before.data);
    EXPECT_EQ(after->size, before.size);
    EXPECT_EQ(device::resourceFind(device::kResBitmap, 123), nullptr);
}

TEST_F(BitmapResources, EachPictureHasItsSizeAndDepth) {
    for (const Expected& e : kPictures) {
        BmpView v = load(e.id);
        EXPECT_EQ(v.width, e.width) << e.id;
        EXPECT_EQ(v.height, e.height) << e.id;
        EXPECT_EQ(v.bpp, e.bpp) << e.id;
    }
}

TEST_F(BitmapResources, HighResolutionTwinsAreAboutTwiceTheSize) {
    for (auto [normal, high] : kTwins) {
        BmpView n = load(normal), h = load(high);
        EXPECT_GE(h.width, 2 * n.width - 10) << normal << "/" << high;
        EXPECT_LE(h.width, 2 * n.width + 2) << normal << "/" << high;
        EXPECT_GE(h.height, 2 * n.height - 2) << normal << "/" << high;
        EXPECT_LE(h.height, 2 * n.height + 2) << normal << "/" << high;
    }
}

TEST_F(BitmapResources, TransparentPicturesShowTheKeyAroundTheirShape) {
    for (const Expected& e : kPictures) {
        BmpView v = load(e.id);
        if (!v.bits) continue;
        if (e.corners != kNone) {
            EXPECT_EQ(v.at(0, 0), e.key) << e.id;
            EXPECT_EQ(v.at(v.width - 1, 0), e.key) << e.id;
        }
        if (e.corners == kAll) {
            EXPECT_EQ(v.at(0, v.height - 1), e.key) << e.id;
            EXPECT_EQ(v.at(v.width - 1, v.height - 1), e.key) << e.id;
        }
        // Every image of a keyed strip is a shape on the key: neither empty
        // nor a filled block.
        if (e.key != kNoKey) {
            int cell = v.width / e.cells;
            for (int c = 0; c < e.cells; ++c) {
                int keyed = 0;
                for (int y = 0; y < v.height; ++y)
                    for (int x = c * cell; x < (c + 1) * cell; ++x) keyed += v.at(x, y) == e.key;
                int area = cell * v.height;
                EXPECT_GT(keyed, 0) << e.id << " image " << c;
                EXPECT_LT(keyed, area * 3 / 4) << e.id << " image " << c;
            }
        }
        // Opaque pictures must not carry a key colour that some blit could
        // punch holes through.
        if (e.key == kNoKey) {
            for (int y = 0; y < v.height; ++y)
                for (int x = 0; x < v.width; ++x)
                    if (v.at(x, y) == kMagenta) {
                        ADD_FAILURE() << e.id << " has the key colour at " << x << "," << y;
                        y = v.height;
                        break;
                    }
        }
    }
}

struct StripSet {
    int enabled, pressed, disabled;
    int pieceW, pieceH;
    std::vector<int> xs;
};

const StripSet kStrips[] = {
    {132, 137, 161, 19, 20, {7, 30, 54, 78, 101, 144, 166, 190, 213}},
    {131, 136, 160, 37, 40, {8, 51, 94, 137, 180, 301, 344, 387, 430}},
};

TEST_F(BitmapResources, EditBarStripsPlaceTheNineButtonsWhereTheBarCopiesThem) {
    for (const StripSet& s : kStrips) {
        BmpView en = load(s.enabled), pr = load(s.pressed), di = load(s.disabled);
        ASSERT_TRUE(en.bits && pr.bits && di.bits);
        auto inPiece = [&](int x) {
            return std::any_of(s.xs.begin(), s.xs.end(), [&](int px) { return x >= px && x < px + s.pieceW; });
        };
        // Outside the buttons all three strips are the bar's own colour, so
        // the whole disabled strip copied over the bar leaves no seams.
        for (const BmpView* v : {&en, &pr, &di})
            for (int y = 0; y < v->height; ++y)
                for (int x = 0; x < v->width; ++x)
                    if (!inPiece(x)) {
                        ASSERT_EQ(v->at(x, y), kEditBar) << s.enabled << " at " << x << "," << y;
                    }
        for (size_t i = 0; i < s.xs.size(); ++i) {
            int drawnEn = 0, differ = 0, warmDisabled = 0;
            for (int y = 0; y < s.pieceH; ++y)
                for (int x = s.xs[i]; x < s.xs[i] + s.pieceW; ++x) {
                    drawnEn += en.at(x, y) != kEditBar;
                    differ += en.at(x, y) != pr.at(x, y);
                    uint32_t d = di.at(x, y);
                    warmDisabled += (d >> 16 & 255) > (d & 255);  // red or yellow: not greyed
                }
            EXPECT_GT(drawnEn, s.pieceW * s.pieceH / 2) << s.enabled << " button " << i;
            EXPECT_GT(differ, s.pieceW * s.pieceH / 3) << s.pressed << " button " << i << " does not look pressed";
            EXPECT_EQ(warmDisabled, 0) << s.disabled << " button " << i << " keeps its colours";
        }
    }
}

TEST_F(BitmapResources, BuiltInBackgroundIsAPaletteImageLightEnoughForText) {
    BmpView v = load(147);
    ASSERT_TRUE(v.bits);
    EXPECT_EQ(v.bpp, 8);
    EXPECT_LE(v.palette.size(), 256u);
    std::set<uint32_t> colours;
    double darkest = 1.0;
    for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x) {
            colours.insert(v.at(x, y));
            darkest = std::min(darkest, luminance(v.at(x, y)));
        }
    EXPECT_GT(colours.size(), 16u) << "a flat fill, not a picture";
    EXPECT_GT(darkest, 0.72) << "too dark behind dark item text";
}

}  // namespace
