// The SDL window's keyboard: keys that type nothing become virtual keys,
// text keys are left to SDL's text input (so nothing is typed twice), and
// Ctrl turns letters and digits into shortcuts.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/host/json_writer.h"
#include "platform/host/sdl_host.h"
#include "host_fixture.h"
#include "windows.h"

namespace hosttest {
namespace {

TEST(SdlKeys, KeysThatTypeNothingBecomeVirtualKeys) {
    EXPECT_EQ(device::vkFromSdlKey(SDLK_RETURN, false), (unsigned)VK_RETURN);
    EXPECT_EQ(device::vkFromSdlKey(SDLK_KP_ENTER, false), (unsigned)VK_RETURN);
    EXPECT_EQ(device::vkFromSdlKey(SDLK_BACKSPACE, false), (unsigned)VK_BACK);
    EXPECT_EQ(device::vkFromSdlKey(SDLK_PAGEDOWN, false), (unsigned)VK_NEXT);
    EXPECT_EQ(device::vkFromSdlKey(SDLK_RSHIFT, false), (unsigned)VK_SHIFT);
    EXPECT_EQ(device::vkFromSdlKey(SDLK_F5, false), (unsigned)VK_F1 + 4);
}

TEST(SdlKeys, TextKeysAreLeftToTextInputUnlessCtrlIsHeld) {
    EXPECT_EQ(device::vkFromSdlKey(SDLK_a, false), 0u);
    EXPECT_EQ(device::vkFromSdlKey(SDLK_SPACE, false), 0u);
    EXPECT_EQ(device::vkFromSdlKey(SDLK_7, false), 0u);
    EXPECT_EQ(device::vkFromSdlKey(SDLK_c, true), (unsigned)'C');
    EXPECT_EQ(device::vkFromSdlKey(SDLK_7, true), (unsigned)'7');
}

TEST(JsonWriter, StringsAreEscapedAndNestingReadsBack) {
    device::JsonWriter j;
    j.beginObject();
    j.key("text").value(std::u16string(u"say \"hi\"\\ \u00e9\U0001F600\r\n\x01"));
    j.key("empty").beginArray();
    j.endArray();
    j.key("nested").beginArray();
    j.beginObject();
    j.key("n").value((int64_t)-5);
    j.key("b").value(false);
    j.key("none").null();
    j.endObject();
    j.intArray({1, 2, 3});
    j.endArray();
    j.endObject();
    Json d;
    ASSERT_TRUE(parseJson(j.text(), d)) << j.text();
    EXPECT_EQ(d["text"].s, "say \"hi\"\\ \xc3\xa9\xf0\x9f\x98\x80\r\n\x01");
    EXPECT_EQ(d["empty"].size(), 0u);
    EXPECT_EQ(d["nested"][0]["n"].n, -5);
    EXPECT_EQ(d["nested"][0]["none"].kind, Json::Null);
    EXPECT_EQ(d["nested"][1][2].n, 3);
}

}  // namespace
}  // namespace hosttest
