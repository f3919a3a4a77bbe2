// Type through FreeType, with faces found by fontconfig. Entry texts are
// rendered in mono mode (every pixel ink or ground, nothing between); the
// wordmark uses grey-level coverage blended over the picture.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "canvas.h"

namespace artgen {

// The pixels a text has inked, inclusive; empty when nothing was drawn.
struct InkBox {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -(1 << 30), y1 = -(1 << 30);
    void Add(int x, int y);
};

enum class ERender { kMono, kGrey };

class CFont {
public:
    // Asks fontconfig for the family with the weight (FC_WEIGHT_*) that
    // covers the language; throws std::runtime_error when nothing usable is
    // found or FreeType cannot open it.
    // nEmbolden thickens every outline by that many 64ths of a pixel.
    CFont(const std::string& family, int nWeight, const std::string& lang, int nPixelSize, int nEmbolden = 0);
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // Draws UTF-8 text with its pen starting at penX on the baseline; returns
    // the inked box (also computed when canvas is null, for measuring).
    InkBox Draw(CCanvas* canvas, std::string_view utf8, int penX, int baseline, Rgb cr, ERender render) const;
    InkBox Measure(std::string_view utf8, ERender render) const { return Draw(nullptr, utf8, 0, 0, kBlack, render); }

private:
    struct SFace;
    std::unique_ptr<SFace> m_pFace;
    std::string m_strPath;
    int m_nEmbolden;
};

// UTF-8 to code points; an invalid sequence throws std::runtime_error.
std::u32string DecodeUtf8(std::string_view utf8);

}  // namespace artgen
