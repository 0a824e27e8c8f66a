// The password rules and the verifier check: which new passwords are
// accepted, which entered ones open a list, and that trying one never
// disturbs the key the open list is read with.
#include <memory>
#include <string>

#include "common/codepage.h"
#include "crypto/cipher.h"
#include "lists/list_passwords.h"
#include "lists_fixture.h"

using namespace liststest;

namespace {

std::u16string verifierFor(const char* password) {
    auto saved = std::make_unique<CipherKeySchedule>();
    saveCipherKey(saved.get());
    EXPECT_EQ(setCipherKey(password), 0);
    WCHAR v[PASSWORD_RECORD_CHARS];
    makePasswordVerifier(v);
    restoreCipherKey(saved.get());
    return v;
}

// The encipherment of a fixed text under the key in force.
std::string sample() {
    char* buffer = static_cast<char*>(malloc(64));
    strcpy(buffer, "sample text");
    encipherText(&buffer);
    std::string out = buffer;
    free(buffer);
    return out;
}

TEST(PasswordRules, FourCharactersWithTwoDifferentAreEnough) {
    EXPECT_EQ(isPasswordAcceptable(u"abab"), 1);
    EXPECT_EQ(isPasswordAcceptable(u"aaab"), 1);
    EXPECT_EQ(isPasswordAcceptable(u"baaa"), 1);
    EXPECT_EQ(isPasswordAcceptable(u"correct horse"), 1);
    EXPECT_EQ(isPasswordAcceptable(u"aaaa"), 0);
    EXPECT_EQ(isPasswordAcceptable(u"          "), 0);
    EXPECT_EQ(isPasswordAcceptable(u"abc"), 0);
    EXPECT_EQ(isPasswordAcceptable(u"ab"), 0);
    EXPECT_EQ(isPasswordAcceptable(u""), 0);
    EXPECT_EQ(isPasswordAcceptable(nullptr), 0);
    // Letter case makes characters different.
    EXPECT_EQ(isPasswordAcceptable(u"aAaA"), 1);
}

TEST(PasswordRules, LengthsUpToThirtyNine) {
    std::u16string p;
    for (int n = 1; n <= 45; ++n) {
        p += char16_t(u'a' + n % 3);
        EXPECT_EQ(isPasswordAcceptable(p.c_str()), n >= 4 && n <= 39 ? 1 : 0) << n;
    }
}

TEST(PasswordRules, EveryCodePageCharacterCountsAsItself) {
    for (int c = 0x20; c <= 0xFF; ++c) {
        char stored[2] = {char(c), 0};
        WCHAR w[4];
        codePageToWide(stored, w, 4);
        std::u16string p = u"key";
        p += w;
        // A character the code page holds round-trips, so the key is made
        // from exactly what was typed.
        if (w[0] != u'?' || c == '?') {
            EXPECT_EQ(isPasswordAcceptable(p.c_str()), 1) << "byte " << c;
        }
    }
}

TEST(PasswordRules, CharactersOutsideTheCodePageAreRefused) {
    // They would all turn into "?" in the key, so any two such passwords
    // of the same length would open each other's lists.
    EXPECT_EQ(isPasswordAcceptable(u"\u03a9\u03a3\u03a6\u03a8"), 0);
    EXPECT_EQ(isPasswordAcceptable(u"pass\u4e2d"), 0);
}

TEST(PasswordVerifier, OnlyTheRightPasswordMatchesAndTheKeyInForceStays) {
    std::u16string verifier = verifierFor("Secret");
    ASSERT_EQ(verifier.size(), 32u);
    ASSERT_EQ(setCipherKey("the open list"), 0);
    std::string before = sample();

    EXPECT_EQ(passwordMatchesVerifier(u"Secret", verifier.c_str()), 1);
    EXPECT_EQ(sample(), before);
    for (const char16_t* wrong : {u"secret", u"Secret ", u"Secre", u"Secrets", u"S", u"Se", u"Sec", u""}) {
        EXPECT_EQ(passwordMatchesVerifier(wrong, verifier.c_str()), 0) << utf8(wrong);
        EXPECT_EQ(sample(), before);
    }
    EXPECT_EQ(passwordMatchesVerifier(u"Secret", u""), 0);
    EXPECT_EQ(passwordMatchesVerifier(u"Secret", u"not hex at all"), 0);
    EXPECT_EQ(passwordMatchesVerifier(nullptr, verifier.c_str()), 0);
    EXPECT_EQ(passwordMatchesVerifier(u"Secret", nullptr), 0);
    EXPECT_EQ(sample(), before);
}

TEST(PasswordVerifier, WrongPasswordsOfEveryLengthAreRefused) {
    const std::string right(39, 'k');
    std::u16string verifier = verifierFor((right.substr(0, 38) + "j").c_str());
    std::u16string rightWide(38, u'k');
    rightWide += u'j';
    EXPECT_EQ(passwordMatchesVerifier(rightWide.c_str(), verifier.c_str()), 1);
    for (size_t n = 0; n <= 80; ++n) {
        std::u16string wrong(n, u'k');
        EXPECT_EQ(passwordMatchesVerifier(wrong.c_str(), verifier.c_str()), 0) << n;
        // The right one with something after it is wrong too.
        if (n > 0) {
            std::u16string longer = rightWide + std::u16string(n, u'j');
            EXPECT_EQ(passwordMatchesVerifier(longer.c_str(), verifier.c_str()), 0) << n;
        }
    }
}

TEST(PasswordVerifier, HighCodePageCharactersMatchThemselves) {
    std::string key = "\xe9t\xe9\xa7\xff";
    std::u16string verifier = verifierFor(key.c_str());
    WCHAR w[16];
    codePageToWide(key.c_str(), w, 16);
    EXPECT_EQ(passwordMatchesVerifier(w, verifier.c_str()), 1);
    EXPECT_EQ(passwordMatchesVerifier(u"\u00c9t\u00e9\u00a7\u00ff", verifier.c_str()), 0);
}

}  // namespace
