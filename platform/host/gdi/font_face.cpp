// fontconfig picks a file for a LOGFONT; FreeType loads it once per file,
// face index, pixel size and synthesis, and renders glyphs in monochrome so
// that every text pixel is exactly the text colour or left alone.
#include "gdi/font_face.h"
#include "base/utf.h"
#include "gdi/font_config.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <tuple>

namespace host::gdi {
namespace {

FT_Library Library()
{
    // Lives as long as the process: cached faces are closed at exit.
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

// A face name (LOGFONTW's fixed array, NUL-terminated unless full) as UTF-8.
std::string Utf8(const WCHAR* s, std::size_t max)
{
    std::size_t n = 0;
    while (n < max && s[n]) ++n;
    return Utf8FromWide({s, n});
}

// The language a Windows character set stands for. Matching by face name
// alone can land on a font without the script (a Korean face name that
// fontconfig does not know), so the script's language joins the pattern.
const char* LanguageOf(BYTE charset)
{
    switch (charset) {
    case HANGUL_CHARSET: return "ko";
    case 128: return "ja";     // SHIFTJIS_CHARSET
    case 134: return "zh-cn";  // GB2312_CHARSET
    case 136: return "zh-tw";  // CHINESEBIG5_CHARSET
    default: return nullptr;
    }
}

struct Match {
    std::string file;
    int index = 0;
    bool bold = false, italic = false;  // what the file itself is
    bool emCell = false;                // stands in for a face with an em-high cell
};

// Windows' Korean system faces, drawn with installed faces of the same
// style, as Windows' own FontSubstitutes table maps one face name to
// another. The originals have a cell exactly one em high (ascent four
// fifths of it); the substitutes keep that cell, so a dialog laid out in
// "굴림" gets the dialog units, and the window the size, it was made with.
struct Substitute {
    const char* face;
    const char* family;
};
constexpr Substitute kSubstitutes[] = {
    {"굴림", "NanumGothic"},         {"gulim", "NanumGothic"},          {"돋움", "NanumGothic"},
    {"dotum", "NanumGothic"},        {"굴림체", "NanumGothicCoding"},   {"gulimche", "NanumGothicCoding"},
    {"돋움체", "NanumGothicCoding"}, {"dotumche", "NanumGothicCoding"}, {"바탕", "NanumMyeongjo"},
    {"batang", "NanumMyeongjo"},
};

const char* SubstituteFor(const std::string& face)
{
    std::string lower = face;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const Substitute& s : kSubstitutes)
        if (lower == s.face) return s.family;
    return nullptr;
}

// Matches `family` with the font's language, weight and slant. With
// `exactFamily`, a match of some other family (fontconfig's fallback) is
// refused.
bool MatchFamily(const std::string& family, const LOGFONTW& lf, bool exactFamily, Match* out)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    if (const char* lang = LanguageOf(lf.lfCharSet))
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
    FcPatternAddInteger(pattern, FC_WEIGHT, lf.lfWeight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, lf.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    bool familyMatches = !exactFamily;
    FcChar8* name = nullptr;
    for (int i = 0; exactFamily && FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0) familyMatches = true;
    FcChar8* file = nullptr;
    bool ok = familyMatches && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        out->file = reinterpret_cast<const char*>(file);
        int value = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &value) == FcResultMatch) out->index = value;
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &value) == FcResultMatch) out->bold = value >= FC_WEIGHT_DEMIBOLD;
        if (FcPatternGetInteger(match, FC_SLANT, 0, &value) == FcResultMatch) out->italic = value != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
    return ok;
}

bool FindFile(const LOGFONTW& lf, Match* out)
{
    if (!FontConfigReady()) return false;
    std::string family = Utf8(lf.lfFaceName, LF_FACESIZE);
    if (family.empty()) family = "sans-serif";
    if (const char* substitute = SubstituteFor(family); substitute && MatchFamily(substitute, lf, true, out)) {
        out->emCell = true;
        return true;
    }
    return MatchFamily(family, lf, false, out);
}

int Scale(long units, int em, int unitsPerEm)
{
    return static_cast<int>(std::lround(static_cast<double>(units) * em / unitsPerEm));
}

// A face's design units: units per em and the cell's ascent and descent.
struct CellUnits {
    int upem = 2048;
    long asc = 0, desc = 0;
};

// Windows' text metrics come from the OS/2 table's "Windows" ascent and
// descent; the hhea values stand in for fonts without one. An em-high cell
// (the substitutes for Korean faces) puts four fifths of the em above the
// baseline.
CellUnits CellOf(FT_Face face, bool emCell)
{
    CellUnits u;
    u.upem = face->units_per_EM ? face->units_per_EM : 2048;
    u.asc = face->ascender;
    u.desc = -face->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        u.asc = os2->usWinAscent;
        u.desc = os2->usWinDescent;
    }
    if (emCell) {
        u.asc = u.upem * 4 / 5;
        u.desc = u.upem - u.asc;
    }
    return u;
}

void ComputeMetrics(FontFace& f)
{
    FT_Face face = f.ft;
    const auto [upem, asc, desc] = CellOf(face, f.emCell);
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    FaceMetrics& m = f.metrics;
    m.ascent = Scale(asc, f.emPixels, upem);
    m.descent = f.emCell ? f.emPixels - m.ascent : Scale(desc, f.emPixels, upem);
    m.internalLeading = std::max(0, m.ascent + m.descent - f.emPixels);
    long hheaLine = face->ascender - face->descender;
    long gap = face->height - hheaLine;  // hhea line gap
    m.externalLeading = std::max(0, Scale(gap - ((asc + desc) - hheaLine), f.emPixels, upem));
    m.maxCharWidth = Scale(face->max_advance_width, f.emPixels, upem);
    m.underlineOffset = std::max(1, Scale(-face->underline_position, f.emPixels, upem));
    m.underlineThickness = std::max(1, Scale(face->underline_thickness, f.emPixels, upem));
    if (os2 && os2->version != 0xFFFF) {
        m.aveCharWidth = Scale(os2->xAvgCharWidth, f.emPixels, upem);
        m.firstChar = os2->usFirstCharIndex;
        m.lastChar = os2->usLastCharIndex;
    }
    if (m.aveCharWidth <= 0) m.aveCharWidth = f.GlyphFor(U'x').advance;
    if (m.maxCharWidth <= 0) m.maxCharWidth = m.aveCharWidth;
    // The low bit set means variable pitch, as in TEXTMETRIC.
    m.pitchAndFamily = static_cast<BYTE>((FT_IS_FIXED_WIDTH(face) ? 0 : 0x01) | 0x02 | (FT_IS_SFNT(face) ? 0x04 : 0));
}

// The units that size a font: units per em and the Windows cell height.
struct Design {
    int unitsPerEm = 2048;
    int cellUnits = 0;
};

FT_Face OpenFile(const Match& match, Design* design)
{
    FT_Library lib = Library();
    FT_Face face = nullptr;
    if (!lib || FT_New_Face(lib, match.file.c_str(), match.index, &face) != 0) return nullptr;
    const CellUnits u = CellOf(face, match.emCell);
    design->unitsPerEm = u.upem;
    design->cellUnits = static_cast<int>(u.asc + u.desc);
    return face;
}

}  // namespace

int EmPixelsFor(const LOGFONTW& lf, int unitsPerEm, int cellUnits)
{
    // Negative: the em height; positive: the cell height (ascent + descent);
    // zero: a 12-pixel em.
    std::int64_t em = 12;
    if (lf.lfHeight < 0) {
        em = -std::int64_t{lf.lfHeight};
    } else if (lf.lfHeight > 0 && cellUnits > 0) {
        em = std::llround(static_cast<double>(lf.lfHeight) * unitsPerEm / cellUnits);
    }
    // Larger requests (a damaged template's, say) are drawn at the largest
    // size: a glyph's bitmap stays around a megabyte.
    return static_cast<int>(std::clamp<std::int64_t>(em, 1, kMaxEmPixels));
}

FontFace::~FontFace()
{
    if (ft) FT_Done_Face(ft);
}

bool FontFace::HasGlyph(char32_t c) const { return FT_Get_Char_Index(ft, static_cast<FT_ULong>(c)) != 0; }

const Glyph& FontFace::GlyphFor(char32_t c)
{
    if (auto it = glyphs.find(c); it != glyphs.end()) return it->second;
    Glyph g;
    FT_UInt index = FT_Get_Char_Index(ft, static_cast<FT_ULong>(c));  // 0: .notdef
    FT_GlyphSlot slot = ft->glyph;
    if (FT_Load_Glyph(ft, index, FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT) == 0) {
        if (synthBold) FT_GlyphSlot_Embolden(slot);
        if (synthItalic) FT_GlyphSlot_Oblique(slot);
        if (slot->format == FT_GLYPH_FORMAT_BITMAP || FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0) {
            const FT_Bitmap& bm = slot->bitmap;
            // The design advance rounded to pixels, not the auto-hinter's:
            // the hinter widens glyphs for crisp outlines, and the font's own
            // widths are what text extents (and dialog units) are made of.
            // A synthesised bold is one pixel wider, as GDI draws it.
            g.advance = static_cast<int>((slot->linearHoriAdvance + 0x8000) >> 16) + (synthBold ? 1 : 0);
            g.left = slot->bitmap_left;
            g.top = slot->bitmap_top;
            g.width = static_cast<int>(bm.width);
            g.rows = static_cast<int>(bm.rows);
            g.bits.assign(static_cast<std::size_t>(g.width) * g.rows, 0);
            for (int y = 0; y < g.rows; ++y) {
                const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
                for (int x = 0; x < g.width; ++x) {
                    bool ink =
                        bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x / 8] & (0x80 >> (x % 8))) != 0 : row[x] >= 128;
                    g.bits[static_cast<std::size_t>(y) * g.width + x] = ink ? 1 : 0;
                }
            }
        }
    }
    return glyphs.emplace(c, std::move(g)).first->second;
}

int FontFace::AdvanceFor(char32_t c)
{
    if (auto it = glyphs.find(c); it != glyphs.end()) return it->second.advance;
    if (auto it = advances.find(c); it != advances.end()) return it->second;
    // The scaled outline's design advance, as GlyphFor takes it; a face
    // without outlines is measured by rendering after all.
    FT_UInt index = FT_Get_Char_Index(ft, static_cast<FT_ULong>(c));
    if (FT_Load_Glyph(ft, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return GlyphFor(c).advance;
    const int advance = static_cast<int>((ft->glyph->linearHoriAdvance + 0x8000) >> 16) + (synthBold ? 1 : 0);
    return advances.emplace(c, advance).first->second;
}

std::shared_ptr<FontFace> MatchFace(const LOGFONTW& lf)
{
    Match match;
    if (!FindFile(lf, &match)) return nullptr;
    // One FreeType face per file, size and synthesis, shared by every font
    // that asks for it; the design units of each file are kept too.
    static std::map<std::tuple<std::string, int, bool>, Design> designs;
    using Key = std::tuple<std::string, int, int, bool, bool, bool>;
    static std::map<Key, std::shared_ptr<FontFace>> faces;

    FT_Face opened = nullptr;
    auto fileKey = std::make_tuple(match.file, match.index, match.emCell);
    auto d = designs.find(fileKey);
    if (d == designs.end()) {
        Design design;
        opened = OpenFile(match, &design);
        if (!opened) return nullptr;
        d = designs.emplace(fileKey, design).first;
    }
    int em = EmPixelsFor(lf, d->second.unitsPerEm, d->second.cellUnits);
    bool bold = lf.lfWeight >= 600 && !match.bold;
    bool italic = lf.lfItalic && !match.italic;
    Key key{match.file, match.index, em, bold, italic, match.emCell};
    if (auto it = faces.find(key); it != faces.end()) {
        if (opened) FT_Done_Face(opened);
        return it->second;
    }
    Design unused;
    if (!opened && !(opened = OpenFile(match, &unused))) return nullptr;
    auto f = std::make_shared<FontFace>();
    f->ft = opened;
    f->file = match.file;
    f->index = match.index;
    f->emPixels = em;
    f->synthBold = bold;
    f->synthItalic = italic;
    f->emCell = match.emCell;
    if (FT_Set_Pixel_Sizes(opened, 0, static_cast<FT_UInt>(em)) != 0) return nullptr;
    ComputeMetrics(*f);
    faces.emplace(key, f);
    return f;
}

}  // namespace host::gdi
