// Trimming, code-page conversion and number reading of the shared helpers,
// and the message dialog seam they report through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "common/trim_spaces.h"
#include "common/wide_text.h"

namespace {

struct Shown {
    std::u16string text;
    std::u16string caption;
    int style;
};
std::vector<Shown> shown;

int recordDialog(HWND, LPCWSTR text, LPCWSTR caption, int style) {
    shown.push_back({text, caption, style});
    return 1;
}

std::u16string trimmed(const std::u16string& text) {
    std::u16string buffer = text;
    trimSpaces(buffer.data());
    return std::u16string(buffer.c_str());
}

TEST(TrimSpaces, TrimsOnlyBlanksAtBothEnds) {
    EXPECT_EQ(trimmed(u"  Groceries  "), u"Groceries");
    EXPECT_EQ(trimmed(u"inner  blanks stay"), u"inner  blanks stay");
    EXPECT_EQ(trimmed(u"     "), u"");
    EXPECT_EQ(trimmed(u""), u"");
    EXPECT_EQ(trimmed(u"\ttabs\t"), u"\ttabs\t");
    EXPECT_EQ(trimmed(u"\u00a0no-break\u00a0"), u"\u00a0no-break\u00a0");
    EXPECT_EQ(trimmed(u" x"), u"x");
    trimSpaces(nullptr);
}

TEST(TrimSpaces, WithoutMemoryTheUserIsToldAndTheTextKept) {
    shown.clear();
    MessageDialogHandler previous = setMessageDialogHandler(recordDialog);
    TrimSpacesAllocator normal = setTrimSpacesAllocator([](size_t) -> void* { return nullptr; });
    std::u16string text = u"  kept as typed  ";
    trimSpaces(text.data());
    setTrimSpacesAllocator(normal);
    setMessageDialogHandler(previous);

    EXPECT_EQ(text, u"  kept as typed  ");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, u"Could not allocate memory for trimSpaces!");
    EXPECT_EQ(shown[0].caption, u"Error");
    EXPECT_EQ(shown[0].style, 0);
    // With memory again it trims.
    EXPECT_EQ(trimmed(u" ok "), u"ok");
}

TEST(MessageDialog, ForwardsToTheInstalledDialogAndIsSafeWithoutOne) {
    MessageDialogHandler previous = setMessageDialogHandler(nullptr);
    EXPECT_EQ(messageDialog(nullptr, u"text", u"Warning", MD_STYLE_WARNING), 0);
    shown.clear();
    setMessageDialogHandler(recordDialog);
    EXPECT_EQ(messageDialog(nullptr, u"Delete?", u"Warning Message", MD_STYLE_WARNING_YESNO), 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].style, 52);
    EXPECT_EQ(setMessageDialogHandler(previous), recordDialog);
}

TEST(CodePage, WideToCodePageCutsAndTerminates) {
    char out[8];
    EXPECT_EQ(wideToCodePage(u"Caf\u00e9 \u20ac", out, sizeof out), 6);
    EXPECT_STREQ(out, "Caf\xe9 \x80");
    EXPECT_EQ(wideToCodePage(u"abcdefghij", out, sizeof out), 7);
    EXPECT_STREQ(out, "abcdefg");
    EXPECT_EQ(wideToCodePage(u"\u4e2d\u6587", out, sizeof out), 2);
    EXPECT_STREQ(out, "??");
    EXPECT_EQ(wideToCodePage(nullptr, out, sizeof out), 0);
    EXPECT_STREQ(out, "");
    char one[1] = {'x'};
    EXPECT_EQ(wideToCodePage(u"abc", one, 1), 0);
    EXPECT_EQ(one[0], 0);
}

TEST(CodePage, CodePageToWideCoversEveryByte) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    std::vector<WCHAR> wide(300);
    ASSERT_EQ(codePageToWide(all.c_str(), wide.data(), 300), 255);
    EXPECT_EQ(wide[0x80 - 1], u'\u20ac');
    EXPECT_EQ(wide[0xe9 - 1], u'\u00e9');
    EXPECT_EQ(wide[0x41 - 1], u'A');
    std::string back(300, '\0');
    EXPECT_EQ(wideToCodePage(wide.data(), back.data(), 300), 255);
    // Bytes without a character in the code page (0x81 and a few others)
    // may come back as "?"; every other byte survives the round trip.
    for (int c = 1; c < 256; ++c) {
        if (c == 0x81 || c == 0x8d || c == 0x8f || c == 0x90 || c == 0x9d) continue;
        EXPECT_EQ(static_cast<unsigned char>(back[static_cast<size_t>(c - 1)]), c) << c;
    }
    WCHAR small[4];
    EXPECT_EQ(codePageToWide("abcdef", small, 4), 3);
    EXPECT_EQ(std::u16string(small), u"abc");
    EXPECT_EQ(codePageToWide(nullptr, small, 4), 0);
    EXPECT_EQ(small[0], 0);
}

TEST(CodePage, ReadDecimalLikeTheRuntimeButSaturating) {
    EXPECT_EQ(readDecimal("42"), 42);
    EXPECT_EQ(readDecimal("  -17abc"), -17);
    EXPECT_EQ(readDecimal("+5"), 5);
    EXPECT_EQ(readDecimal("abc"), 0);
    EXPECT_EQ(readDecimal(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(readDecimal("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(readDecimal("-99999999999999999999"), INT32_MIN);
    EXPECT_EQ(readDecimal("-2147483648"), INT32_MIN);
    EXPECT_EQ(readDecimal(u"1.0"), 1);
    EXPECT_EQ(readDecimal(u" 12 "), 12);
}

// The bounded copy every fixed buffer of the program goes through: it cuts
// to the room given, keeps the terminator inside it, treats null as empty
// and leaves a buffer without room untouched.
TEST(WideText, CopyCutsToTheRoomAndNeverWritesPastIt) {
    WCHAR out[6] = {u'x', u'x', u'x', u'x', u'x', u'x'};
    copyText(out, 4, u"Bread");
    EXPECT_EQ(std::u16string(out), u"Bre");
    EXPECT_EQ(out[4], u'x');
    copyText(out, 6, nullptr);
    EXPECT_EQ(out[0], 0);
    out[0] = u'x';
    copyText(out, 0, u"Milk");
    EXPECT_EQ(out[0], u'x');
    EXPECT_EQ(textLength(u"Milk"), 4);
    EXPECT_EQ(textLength(nullptr), 0);
}

}  // namespace
