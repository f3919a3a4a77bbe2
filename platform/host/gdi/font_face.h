// Font files behind HFONTs: fontconfig chooses the file, FreeType renders
// it. Faces are cached per file, face index, pixel size and synthesis, and
// every face caches its rendered (monochrome) glyphs.
#pragma once

#include "win32.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;

namespace host::gdi {

struct Glyph {
    int advance = 0;        // pixels to the next pen position
    int left = 0, top = 0;  // bitmap origin relative to pen / baseline (top is up)
    int width = 0, rows = 0;
    std::vector<std::uint8_t> bits;  // width*rows, 1 = ink
};

struct FaceMetrics {
    int ascent = 0, descent = 0;
    int internalLeading = 0, externalLeading = 0;
    int aveCharWidth = 0, maxCharWidth = 0;
    int underlineOffset = 1;  // rows below the baseline
    int underlineThickness = 1;
    WCHAR firstChar = 0x20, lastChar = 0xFFFF;
    BYTE pitchAndFamily = 0;
};

struct FontFace {
    std::string file;
    int index = 0;
    int emPixels = 0;
    bool synthBold = false, synthItalic = false;
    bool emCell = false;  // metrics of the substituted face: a cell one em high
    FT_FaceRec_* ft = nullptr;
    FaceMetrics metrics;
    std::unordered_map<char32_t, Glyph> glyphs;
    std::unordered_map<char32_t, int> advances;

    ~FontFace();
    bool HasGlyph(char32_t c) const;  // mapped to a real glyph, not .notdef
    const Glyph& GlyphFor(char32_t c);
    // The glyph's advance alone: measuring text renders nothing.
    int AdvanceFor(char32_t c);
};

// The face that fontconfig picks for the LOGFONT (face name, a language
// for the charset, weight, italic), at the size lfHeight asks for. Null
// when nothing could be loaded.
std::shared_ptr<FontFace> MatchFace(const LOGFONTW& lf);

// The largest em height drawn, in pixels.
constexpr int kMaxEmPixels = 1024;

// The font-selection helper and text drawing use these.
int EmPixelsFor(const LOGFONTW& lf, int unitsPerEm, int cellUnits);

}  // namespace host::gdi
