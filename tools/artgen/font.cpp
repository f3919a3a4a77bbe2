#include "font.h"

#include <algorithm>
#include <stdexcept>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace artgen {

void InkBox::Add(int x, int y)
{
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x);
    y1 = std::max(y1, y);
}

std::u32string DecodeUtf8(std::string_view utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size())
            throw std::runtime_error("invalid UTF-8 in text");
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80) throw std::runtime_error("invalid UTF-8 in text");
            cp = (cp << 6) | (cont & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

namespace {

std::string FindFontFile(const std::string& family, int nWeight, const std::string& lang)
{
    if (!FcInit()) throw std::runtime_error("fontconfig cannot initialise");
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, nWeight);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    if (!lang.empty()) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) throw std::runtime_error("no font for family " + family);

    std::string path;
    FcChar8* file = nullptr;
    FcChar8* matchedFamily = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) path = reinterpret_cast<const char*>(file);
    // fontconfig always answers with something; refuse a stand-in family,
    // whose metrics the art was not made for.
    bool sameFamily = false;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &matchedFamily) == FcResultMatch; ++i)
        if (family == reinterpret_cast<const char*>(matchedFamily)) sameFamily = true;
    FcPatternDestroy(match);
    if (path.empty() || !sameFamily) throw std::runtime_error("font family " + family + " is not installed");
    return path;
}

}  // namespace

struct CFont::SFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~SFace()
    {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

CFont::CFont(const std::string& family, int nWeight, const std::string& lang, int nPixelSize, int nEmbolden)
    : m_pFace(std::make_unique<SFace>()), m_strPath(FindFontFile(family, nWeight, lang)), m_nEmbolden(nEmbolden)
{
    if (FT_Init_FreeType(&m_pFace->library)) throw std::runtime_error("FreeType cannot initialise");
    if (FT_New_Face(m_pFace->library, m_strPath.c_str(), 0, &m_pFace->face))
        throw std::runtime_error("FreeType cannot open " + m_strPath);
    if (FT_Set_Pixel_Sizes(m_pFace->face, 0, static_cast<FT_UInt>(nPixelSize)))
        throw std::runtime_error("FreeType cannot size " + m_strPath);
}

CFont::~CFont() = default;

InkBox CFont::Draw(CCanvas* canvas, std::string_view utf8, int penX, int baseline, Rgb cr, ERender render) const
{
    FT_Face face = m_pFace->face;
    const bool mono = render == ERender::kMono;
    const FT_Int32 loadFlags = mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT;
    const FT_Render_Mode renderMode = mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_LIGHT;
    InkBox box;
    long pen = static_cast<long>(penX) * 64;
    FT_UInt previous = 0;
    for (char32_t cp : DecodeUtf8(utf8)) {
        const FT_UInt glyph = FT_Get_Char_Index(face, cp);
        if (glyph == 0) throw std::runtime_error("font " + m_strPath + " lacks a character of the text");
        if (previous && FT_HAS_KERNING(face)) {
            FT_Vector kern{};
            if (!FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern)) pen += kern.x;
        }
        if (FT_Load_Glyph(face, glyph, loadFlags))
            throw std::runtime_error("FreeType cannot load a glyph of " + m_strPath);
        if (m_nEmbolden && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline_Embolden(&face->glyph->outline, m_nEmbolden);
            face->glyph->advance.x += m_nEmbolden;
        }
        if (FT_Render_Glyph(face->glyph, renderMode))
            throw std::runtime_error("FreeType cannot render a glyph of " + m_strPath);
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bm = slot->bitmap;
        // Whole pixels only: mono type must not shift by fractions.
        const int left = static_cast<int>((pen + 32) >> 6) + slot->bitmap_left;
        const int top = baseline - slot->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row) {
            const unsigned char* line = bm.buffer + static_cast<long>(row) * bm.pitch;
            for (unsigned col = 0; col < bm.width; ++col) {
                double alpha = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO) alpha = (line[col / 8] & (0x80 >> (col % 8))) ? 1.0 : 0.0;
                else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) alpha = line[col] / 255.0;
                if (alpha <= 0) continue;
                const int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
                box.Add(x, y);
                if (canvas) canvas->Blend(x, y, cr, alpha);
            }
        }
        pen += mono ? ((slot->advance.x + 32) & ~63) : slot->advance.x;
        previous = glyph;
    }
    return box;
}

}  // namespace artgen
