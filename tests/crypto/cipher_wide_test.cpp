// The wide-text helpers of the password check: the verifier stored with a
// protected list, and deciphering it under the key of an entered password.
#include <gtest/gtest.h>

#include <string>

#include "crypto/cipher.h"

namespace {

const std::u16string kVerifierConstant = u"4tr81mwqj;&!ovhu";

std::u16string verifier() {
    WCHAR out[80];
    makePasswordVerifier(out);
    return out;
}

std::u16string decipheredWide(std::u16string hex) {
    decipherWideHex(hex.data());
    return std::u16string(hex.c_str());
}

class PasswordVerifier : public ::testing::Test {
protected:
    void TearDown() override { releaseCipherBuffer(); }
};

TEST_F(PasswordVerifier, IsTheConstantEncipheredAsThirtyTwoHexDigits) {
    ASSERT_EQ(setCipherKey("password"), 0);
    EXPECT_EQ(verifier(), u"6fc8a26d8a8dbff131d3ff35d4c2f1ca");
    ASSERT_EQ(setCipherKey("Secret"), 0);
    EXPECT_EQ(verifier(), u"4dc4bb539f986eae13dfa9a4c1d73928");
}

TEST_F(PasswordVerifier, DeciphersToTheConstantOnlyUnderTheSameKey) {
    ASSERT_EQ(setCipherKey("open sesame"), 0);
    const std::u16string stored = verifier();
    EXPECT_EQ(decipheredWide(stored), kVerifierConstant);
    ASSERT_EQ(setCipherKey("open sesamE"), 0);
    EXPECT_NE(decipheredWide(stored), kVerifierConstant);
    ASSERT_EQ(setCipherKey("open sesame"), 0);
    EXPECT_EQ(decipheredWide(stored), kVerifierConstant);
}

TEST_F(PasswordVerifier, WorksBeforeAnyKeyAndAfterTheBufferIsReleased) {
    ASSERT_EQ(setCipherKey("first key"), 0);
    releaseCipherBuffer();
    const std::u16string stored = verifier();
    EXPECT_EQ(stored.size(), 32u);
    EXPECT_EQ(decipheredWide(stored), kVerifierConstant);
}

TEST_F(PasswordVerifier, OddWideTextsDecipherWithinTheirBuffer) {
    ASSERT_EQ(setCipherKey("password"), 0);
    EXPECT_EQ(decipheredWide(u""), u"");
    EXPECT_EQ(decipheredWide(u"6fc8a26d8a8dbff"), u"");  // no complete group
    EXPECT_EQ(decipheredWide(u"6fc8a26d8a8dbff131d3ff35d4c2f1ca7"), kVerifierConstant);
    // Characters outside the code page are not hex digits.
    std::u16string strange = decipheredWide(u"\u4e00\u4e8c\u4e09\u56db\u4e94\u516d\u4e03\u516b\u4e5d\u5341abcdef");
    EXPECT_LE(strange.size(), 8u);
    // Longer than the 200 bytes a verifier needs: read whole, not cut short.
    std::u16string longHex;
    for (int i = 0; i < 20; ++i) longHex += u"6fc8a26d8a8dbff131d3ff35d4c2f1ca";
    std::u16string expected;
    for (int i = 0; i < 20; ++i) expected += kVerifierConstant;
    EXPECT_EQ(decipheredWide(longHex), expected);
    decipherWideHex(nullptr);
    makePasswordVerifier(nullptr);
}

}  // namespace
