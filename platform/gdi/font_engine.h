// Fonts as the device draws them: a LOGFONTW resolved through fontconfig to
// a face file (the Wine folder of "Tahoma" and "MS Sans Serif" faces is
// added to fontconfig's list first; DejaVu Sans is the fallback), sized the
// device's way and rendered with FreeType into cached coverage masks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "wingdi.h"

struct FT_FaceRec_;

namespace gdi {

struct Glyph {
    int left = 0;     // from the pen position to the first column
    int top = 0;      // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    int advance = 0;    // whole pixels
    int advance64 = 0;  // 1/64 pixels: runs add these up and round once
    std::vector<uint8_t> coverage;  // width * rows, 0..255
};

class FontInstance {
public:
    ~FontInstance();
    // The shared instance for this LOGFONTW (null only when no face at all
    // can be loaded).
    static std::shared_ptr<FontInstance> get(const LOGFONTW& lf);

    const Glyph& glyph(char32_t cp);
    int advance(char32_t cp) { return glyph(cp).advance; }
    int advance64(char32_t cp) { return glyph(cp).advance64; }

    // Text metrics in pixels, as GetTextMetricsW reports them.
    int ascent = 0, descent = 0, height = 0;
    int internalLeading = 0, externalLeading = 0;
    int aveCharWidth = 0, maxCharWidth = 0;
    int weight = FW_NORMAL;
    bool italic = false, underline = false, strikeout = false;
    // Decoration lines: offset below (underline) or above (strikeout) the
    // baseline, and thickness.
    int underlinePos = 1, underlineThickness = 1;
    int strikeoutPos = 3, strikeoutThickness = 1;

    const std::string& filePath() const { return path_; }
    const std::string& family() const { return family_; }

private:
    FontInstance() = default;
    bool open(const LOGFONTW& lf);
    bool openStrike(int lfHeight);
    bool openForDenserScreen(const LOGFONTW& lf, int lfHeight);
    void loadGlyph(char32_t cp, Glyph& g);

    struct Face;
    std::unique_ptr<Face> face_;
    std::unique_ptr<Face> fallback_;  // for characters the face lacks
    // Faces found for characters the fallback lacks too (emoji, scripts
    // the sans-serif face has no letters for), by file.
    std::unordered_map<std::string, std::unique_ptr<Face>> coverFaces_;
    FT_FaceRec_* faceCovering(char32_t cp, unsigned& index);
    std::string path_, family_;
    int ppem_ = 12;
    bool emboldenSynthetic_ = false, obliqueSynthetic_ = false, mono_ = false, strike_ = false;
    std::unordered_map<char32_t, Glyph> cache_;
};

// Decodes one character from UTF-16 at s[i] (i < n); returns the code point
// and sets `units` to 1 or 2.
char32_t decodeUtf16(const char16_t* s, int n, int i, int& units);

}  // namespace gdi
