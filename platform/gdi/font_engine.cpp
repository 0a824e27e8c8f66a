// FreeType and fontconfig behind FontInstance.
#include "platform/gdi/font_engine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/gdi/device_caps.h"

// fontconfig 2.14 loses a few bytes while parsing its configuration files;
// the leak checker of sanitizer builds is told to ignore that library's own
// allocations so that it still reports ours.
#if defined(__SANITIZE_ADDRESS__)
#define QP_LSAN_HOOK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QP_LSAN_HOOK 1
#endif
#endif
#ifdef QP_LSAN_HOOK
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace gdi {

struct FontInstance::Face {
    FT_Face ft = nullptr;
    ~Face() {
        if (ft) FT_Done_Face(ft);
    }
};

namespace {

// The folder where Debian's fonts-wine keeps "Tahoma" and "MS Sans Serif".
constexpr const char* kWineFonts = "/usr/share/wine/fonts";
constexpr const char* kFallbackFamily = "DejaVu Sans";

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) l = nullptr;
        return l;
    }();
    return lib;
}

void initFontconfig() {
    static bool done = false;
    if (done) return;
    done = true;
    FcInit();
    struct stat st;
    if (stat(kWineFonts, &st) == 0 && S_ISDIR(st.st_mode))
        FcConfigAppFontAddDir(FcConfigGetCurrent(), (const FcChar8*)kWineFonts);
}

std::string utf8(const char16_t* s) {
    std::string out;
    for (int i = 0; i < LF_FACESIZE && s[i]; ++i) {
        char32_t c = s[i];
        if (c < 0x80) out += (char)c;
        else if (c < 0x800) {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        } else {
            out += (char)(0xE0 | (c >> 12));
            out += (char)(0x80 | ((c >> 6) & 0x3F));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

struct Match {
    std::string path, family;
    int index = 0;
    bool bold = false, italic = false;
};

// An outline face that has a glyph for `cp`, the closest fontconfig knows;
// false when the device has none. Colour faces (bitmaps of fixed sizes)
// are passed over: the grey-level drawing here cannot use them.
bool matchFaceCovering(char32_t cp, Match& m) {
    initFontconfig();
    FcPattern* pat = FcPatternCreate();
    FcCharSet* wanted = FcCharSetCreate();
    bool ready = pat && wanted && FcCharSetAddChar(wanted, cp) && FcPatternAddCharSet(pat, FC_CHARSET, wanted);
    if (wanted) FcCharSetDestroy(wanted);
    if (!ready) {
        if (pat) FcPatternDestroy(pat);
        return false;
    }
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res;
    FcFontSet* sorted = FcFontSort(nullptr, pat, FcTrue, nullptr, &res);
    FcPatternDestroy(pat);
    if (!sorted) return false;
    bool ok = false;
    for (int i = 0; i < sorted->nfont && !ok; ++i) {
        FcPattern* font = sorted->fonts[i];
        FcCharSet* has = nullptr;
        FcChar8* file = nullptr;
        FcBool scalable = FcFalse, colour = FcFalse;
        FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
        FcPatternGetBool(font, FC_COLOR, 0, &colour);
        if (!scalable || colour || FcPatternGetCharSet(font, FC_CHARSET, 0, &has) != FcResultMatch ||
            !FcCharSetHasChar(has, cp) || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file)
            continue;
        m.path = (const char*)file;
        m.index = 0;
        FcPatternGetInteger(font, FC_INDEX, 0, &m.index);
        ok = true;
    }
    FcFontSetDestroy(sorted);
    return ok;
}

// The best face for the family, weight and slant; the family list ends in
// the fallback, so a face the device lacks still finds a sans-serif one.
bool matchFace(const std::string& family, bool bold, bool italic, Match& m) {
    initFontconfig();
    FcPattern* pat = FcPatternCreate();
    if (!pat) return false;
    if (!family.empty()) FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)family.c_str());
    FcPatternAddString(pat, FC_FAMILY, (const FcChar8*)kFallbackFamily);
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res;
    FcPattern* found = FcFontMatch(nullptr, pat, &res);
    FcPatternDestroy(pat);
    if (!found) return false;
    FcChar8* file = nullptr;
    FcChar8* fam = nullptr;
    int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        m.path = (const char*)file;
        if (FcPatternGetString(found, FC_FAMILY, 0, &fam) == FcResultMatch && fam) m.family = (const char*)fam;
        FcPatternGetInteger(found, FC_INDEX, 0, &m.index);
        FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(found, FC_SLANT, 0, &slant);
        m.bold = weight >= FC_WEIGHT_DEMIBOLD;
        m.italic = slant != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(found);
    return ok;
}

// fontconfig's configuration refuses faces without outlines, and the
// device's "MS Sans Serif" is one (pixel strikes only). The faces of the Wine
// folder are therefore also listed here, straight from their files, for the
// families fontconfig will not hand out.
bool matchWineFace(const std::string& family, bool bold, Match& m) {
    struct Entry { std::string family, path; bool bold; };
    static std::vector<Entry> entries = [] {
        std::vector<Entry> out;
        DIR* d = opendir(kWineFonts);
        if (!d) return out;
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name.size() < 5 || name.compare(name.size() - 4, 4, ".ttf") != 0) continue;
            std::string path = std::string(kWineFonts) + "/" + name;
            int count = 0;
            FcPattern* p = FcFreeTypeQuery((const FcChar8*)path.c_str(), 0, nullptr, &count);
            if (!p) continue;
            FcChar8* fam = nullptr;
            int weight = FC_WEIGHT_REGULAR;
            FcPatternGetInteger(p, FC_WEIGHT, 0, &weight);
            if (FcPatternGetString(p, FC_FAMILY, 0, &fam) == FcResultMatch && fam)
                out.push_back({(const char*)fam, path, weight >= FC_WEIGHT_DEMIBOLD});
            FcPatternDestroy(p);
        }
        closedir(d);
        return out;
    }();
    const Entry* best = nullptr;
    for (const Entry& e : entries)
        if (strcasecmp(e.family.c_str(), family.c_str()) == 0 && (!best || e.bold == bold)) best = &e;
    if (!best) return false;
    m.path = best->path;
    m.family = best->family;
    m.index = 0;
    m.bold = best->bold;
    m.italic = false;
    return true;
}

// The strike nearest the requested character height (negative) or cell
// height (positive).
int nearestStrike(FT_Face f, int h) {
    int best = 0, bestDiff = 1 << 30;
    for (int i = 0; i < f->num_fixed_sizes; ++i) {
        const FT_Bitmap_Size& bs = f->available_sizes[i];
        int have = h < 0 ? (int)((bs.y_ppem + 32) >> 6) : bs.height;
        int diff = std::abs(have - std::abs(h));
        if (diff < bestDiff) { bestDiff = diff; best = i; }
    }
    return best;
}

int scaleRound(long v, int ppem, int upem) {
    return upem > 0 ? (int)std::lround((double)v * ppem / upem) : 0;
}

}  // namespace

char32_t decodeUtf16(const char16_t* s, int n, int i, int& units) {
    char32_t c = s[i];
    units = 1;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
        units = 2;
        return 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
    }
    return c;
}

FontInstance::~FontInstance() = default;

std::shared_ptr<FontInstance> FontInstance::get(const LOGFONTW& lf) {
    static std::map<std::string, std::shared_ptr<FontInstance>> cache;
    std::string key = utf8(lf.lfFaceName);
    for (char& ch : key) ch = (char)std::tolower((unsigned char)ch);
    key += "|" + std::to_string(lf.lfHeight) + "|" + std::to_string(lf.lfWeight >= FW_SEMIBOLD) + "|" +
           std::to_string(lf.lfItalic != 0) + std::to_string(lf.lfUnderline != 0) +
           std::to_string(lf.lfStrikeOut != 0) + std::to_string(lf.lfQuality == NONANTIALIASED_QUALITY) + "|" +
           std::to_string(screenDpi());  // the default size and pixel-strike faces follow the screen
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() > 64) {
        // Forget instances no font object uses any more.
        for (auto i = cache.begin(); i != cache.end();)
            i = i->second.use_count() == 1 ? cache.erase(i) : std::next(i);
    }
    std::shared_ptr<FontInstance> inst(new FontInstance());
    if (!inst->open(lf)) return nullptr;
    cache[key] = inst;
    return inst;
}

bool FontInstance::open(const LOGFONTW& lf) {
    FT_Library lib = library();
    if (!lib) return false;
    std::string family = utf8(lf.lfFaceName);
    if (family.empty()) family = "Tahoma";
    bool wantBold = lf.lfWeight >= FW_SEMIBOLD;
    bool wantItalic = lf.lfItalic != 0;
    Match m;
    if (!matchFace(family, wantBold, wantItalic, m)) return false;
    if (strcasecmp(m.family.c_str(), family.c_str()) != 0) matchWineFace(family, wantBold, m);
    face_ = std::make_unique<Face>();
    if (FT_New_Face(lib, m.path.c_str(), m.index, &face_->ft) != 0) {
        face_->ft = nullptr;
        return false;
    }
    FT_Face f = face_->ft;
    path_ = m.path;
    family_ = m.family;
    emboldenSynthetic_ = wantBold && !m.bold && !(f->style_flags & FT_STYLE_FLAG_BOLD);
    obliqueSynthetic_ = wantItalic && !m.italic && !(f->style_flags & FT_STYLE_FLAG_ITALIC);
    mono_ = lf.lfQuality == NONANTIALIASED_QUALITY;
    weight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    italic = wantItalic;
    underline = lf.lfUnderline != 0;
    strikeout = lf.lfStrikeOut != 0;

    int upem = f->units_per_EM ? f->units_per_EM : 2048;
    const TT_OS2* os2 = (const TT_OS2*)FT_Get_Sfnt_Table(f, FT_SFNT_OS2);
    const TT_HoriHeader* hhea = (const TT_HoriHeader*)FT_Get_Sfnt_Table(f, FT_SFNT_HHEA);
    long winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : f->ascender;
    long winDescent = os2 && os2->usWinDescent ? os2->usWinDescent : -f->descender;
    if (winAscent + winDescent <= 0) {
        winAscent = upem * 4 / 5;
        winDescent = upem / 5;
    }
    // A negative height is the character (em) height; a positive one is the
    // whole cell, ascent plus descent; zero is the device's default size.
    int h = lf.lfHeight;
    if (h == 0) h = -(12 * screenDpi() / 96);
    if (h < 0) ppem_ = -h;
    else ppem_ = (int)std::lround((double)h * upem / (double)(winAscent + winDescent));
    ppem_ = std::clamp(ppem_, 1, 400);
    if (!FT_IS_SCALABLE(f)) {
        if (screenDpi() > 96) return openForDenserScreen(lf, h);
        return openStrike(h);
    }
    if (FT_Set_Pixel_Sizes(f, 0, (FT_UInt)ppem_) != 0) return false;
    if (obliqueSynthetic_) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
        FT_Set_Transform(f, &shear, nullptr);
    }

    ascent = scaleRound(winAscent, ppem_, upem);
    descent = scaleRound(winDescent, ppem_, upem);
    height = ascent + descent;
    internalLeading = std::max(0, height - ppem_);
    if (hhea) {
        long gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
        externalLeading = std::max(0, scaleRound(gap, ppem_, upem));
    }
    aveCharWidth = os2 && os2->xAvgCharWidth > 0 ? scaleRound(os2->xAvgCharWidth, ppem_, upem) : 0;
    if (aveCharWidth <= 0) aveCharWidth = std::max(1, advance(U'x'));
    maxCharWidth = std::max(1, scaleRound(f->bbox.xMax - f->bbox.xMin, ppem_, upem));
    if (emboldenSynthetic_) {
        ++aveCharWidth;
        ++maxCharWidth;
    }
    if (os2 && os2->yStrikeoutSize > 0) {
        strikeoutPos = std::max(1, scaleRound(os2->yStrikeoutPosition, ppem_, upem));
        strikeoutThickness = std::max(1, scaleRound(os2->yStrikeoutSize, ppem_, upem));
    } else {
        strikeoutPos = std::max(1, ascent / 3);
        strikeoutThickness = std::max(1, ppem_ / 14);
    }
    underlinePos = std::max(1, -scaleRound(f->underline_position, ppem_, upem));
    underlineThickness = std::max(1, scaleRound(f->underline_thickness, ppem_, upem));
    if (underlinePos + underlineThickness > descent) underlinePos = std::max(1, descent - underlineThickness);
    return true;
}

// Pixel strikes are drawn for the 96-dpi screen. On a denser one the device
// draws such a face with its dialog face, "Tahoma", as large as the strike
// it would take at 96 dpi, times the screen's density: text keeps its
// proportions to the screen, and dialog units with it.
bool FontInstance::openForDenserScreen(const LOGFONTW& lf, int h) {
    FT_Face f = face_->ft;
    if (f->num_fixed_sizes <= 0) return false;
    int dpi = screenDpi();
    int wanted = h < 0 ? -(int)std::lround((double)-h * 96 / dpi) : (int)std::lround((double)h * 96 / dpi);
    int cell = f->available_sizes[nearestStrike(f, wanted)].height;
    LOGFONTW dialogFace = lf;
    const char16_t tahoma[] = u"Tahoma";
    std::copy(tahoma, tahoma + 7, dialogFace.lfFaceName);
    dialogFace.lfHeight = (int)std::lround((double)cell * dpi / 96);
    face_.reset();
    return open(dialogFace);
}

// A face of pixel strikes: the strike nearest the requested character
// height (negative) or cell height (positive), metrics from the strike.
bool FontInstance::openStrike(int h) {
    FT_Face f = face_->ft;
    if (f->num_fixed_sizes <= 0) return false;
    if (FT_Select_Size(f, nearestStrike(f, h)) != 0) return false;
    strike_ = true;
    mono_ = true;
    obliqueSynthetic_ = false;
    const FT_Size_Metrics& sm = f->size->metrics;
    ppem_ = std::max(1, (int)sm.y_ppem);
    ascent = (int)((sm.ascender + 63) >> 6);
    descent = (int)((-sm.descender + 63) >> 6);
    height = ascent + descent;
    internalLeading = std::max(0, height - ppem_);
    externalLeading = 0;
    aveCharWidth = std::max(1, advance(U'x'));
    maxCharWidth = std::max(aveCharWidth, (int)((sm.max_advance + 63) >> 6));
    if (emboldenSynthetic_) {
        ++aveCharWidth;
        ++maxCharWidth;
    }
    strikeoutPos = std::max(1, ascent / 3);
    strikeoutThickness = 1;
    underlinePos = std::max(1, descent - 1);
    underlineThickness = 1;
    return true;
}

const Glyph& FontInstance::glyph(char32_t cp) {
    auto it = cache_.find(cp);
    if (it != cache_.end()) return it->second;
    Glyph& g = cache_[cp];
    loadGlyph(cp, g);
    return g;
}

FT_Face FontInstance::faceCovering(char32_t cp, unsigned& index) {
    Match m;
    if (!matchFaceCovering(cp, m)) return nullptr;
    std::unique_ptr<Face>& face = coverFaces_[m.path + "#" + std::to_string(m.index)];
    if (!face) {
        face = std::make_unique<Face>();
        if (FT_New_Face(library(), m.path.c_str(), m.index, &face->ft) != 0) face->ft = nullptr;
        if (face->ft && (!FT_IS_SCALABLE(face->ft) || FT_Set_Pixel_Sizes(face->ft, 0, (FT_UInt)ppem_) != 0)) {
            FT_Done_Face(face->ft);
            face->ft = nullptr;
        }
    }
    if (!face->ft) return nullptr;
    index = FT_Get_Char_Index(face->ft, cp);
    return index ? face->ft : nullptr;
}

void FontInstance::loadGlyph(char32_t cp, Glyph& g) {
    // Control characters take no room and draw nothing.
    if (cp < 0x20 || cp == 0x7F) return;
    FT_Face f = face_->ft;
    FT_UInt idx = FT_Get_Char_Index(f, cp);
    if (idx == 0) {
        if (!fallback_) {
            fallback_ = std::make_unique<Face>();
            Match m;
            if (matchFace(kFallbackFamily, false, false, m) &&
                FT_New_Face(library(), m.path.c_str(), m.index, &fallback_->ft) == 0)
                FT_Set_Pixel_Sizes(fallback_->ft, 0, (FT_UInt)ppem_);
            else
                fallback_->ft = nullptr;
        }
        if (fallback_->ft) {
            FT_UInt fi = FT_Get_Char_Index(fallback_->ft, cp);
            if (fi) {
                f = fallback_->ft;
                idx = fi;
            }
        }
        if (idx == 0) {
            unsigned fi = 0;
            if (FT_Face covering = faceCovering(cp, fi)) {
                f = covering;
                idx = fi;
            }
        }
    }
    FT_Int32 flags = mono_ ? (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) : FT_LOAD_TARGET_LIGHT;
    if (!strike_ || f != face_->ft) flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(f, idx, flags) != 0) return;
    FT_GlyphSlot slot = f->glyph;
    int extra = 0;
    if (emboldenSynthetic_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // One pixel more ink and one pixel more advance, as the device
        // makes bold from a regular face.
        FT_Outline_EmboldenXY(&slot->outline, 64, 0);
        extra = 1;
    }
    bool boldStrike = emboldenSynthetic_ && slot->format == FT_GLYPH_FORMAT_BITMAP;
    if (boldStrike) extra = 1;
    g.advance = (int)((slot->advance.x + 32) >> 6) + extra;
    // Light hinting leaves the outlines' horizontal positions alone, so the
    // pen moves by the unhinted advance; rounding each glyph's advance on its
    // own would open and close the gaps between letters at random.
    bool fractional = !mono_ && slot->format == FT_GLYPH_FORMAT_OUTLINE;
    g.advance64 = fractional ? (int)(slot->linearHoriAdvance >> 10) + extra * 64 : g.advance * 64;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, mono_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
        return;
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = (int)bm.width;
    g.rows = (int)bm.rows;
    g.coverage.assign((size_t)g.width * (size_t)g.rows, 0);
    for (int y = 0; y < g.rows; ++y) {
        const uint8_t* src = bm.buffer + (ptrdiff_t)y * bm.pitch;
        uint8_t* dst = g.coverage.data() + (size_t)y * (size_t)g.width;
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int x = 0; x < g.width; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
            std::copy(src, src + g.width, dst);
        }
    }
    if (boldStrike && g.width > 0) {
        // Pixel strikes are made bold by drawing each row twice, one pixel apart.
        std::vector<uint8_t> wide((size_t)(g.width + 1) * (size_t)g.rows, 0);
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x <= g.width; ++x) {
                uint8_t a = x < g.width ? g.coverage[(size_t)y * g.width + x] : 0;
                uint8_t b = x > 0 ? g.coverage[(size_t)y * g.width + x - 1] : 0;
                wide[(size_t)y * (g.width + 1) + x] = std::max(a, b);
            }
        ++g.width;
        g.coverage.swap(wide);
    }
}

}  // namespace gdi
