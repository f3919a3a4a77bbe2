// Fonts: CreateFontIndirectW, text metrics and extents.
#include "gdi/font.h"

#include "gdi/font_face.h"
#include "gdi/objects.h"
#include "gdi/text.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace host::gdi {

FontFace* FaceOf(Dc& dc)
{
    Font* f = GetFont(dc.font);
    if (!f || !f->face) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return f->face.get();
}

int TextWidth(FontFace& face, std::wstring_view text, const INT* dx)
{
    std::int64_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) width += dx ? dx[i] : face.AdvanceFor(static_cast<char32_t>(text[i]));
    return static_cast<int>(std::clamp<std::int64_t>(width, INT32_MIN, INT32_MAX));
}

}  // namespace host::gdi

using namespace host::gdi;

HFONT CreateFontIndirectW(const LOGFONTW* lf)
{
    if (!lf || lf->lfHeight > 16384 || lf->lfHeight < -16384) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    try {
        auto font = std::make_unique<Font>();
        font->logfont = *lf;
        font->logfont.lfFaceName[LF_FACESIZE - 1] = 0;
        font->face = MatchFace(font->logfont);
        return static_cast<HFONT>(Add(std::move(font)));
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

std::string host::FontFilePath(HFONT handle)
{
    Font* f = GetFont(handle);
    return f && f->face ? f->face->file : std::string();
}

bool host::FontHasGlyphs(HFONT handle, std::wstring_view text)
{
    Font* f = GetFont(handle);
    if (!f || !f->face) return false;
    for (wchar_t c : text)
        if (!f->face->HasGlyph(static_cast<char32_t>(c))) return false;
    return true;
}

BOOL GetTextMetricsW(HDC handle, LPTEXTMETRICW tm)
{
    Dc* dc = GetDc(handle);
    if (!dc) return FALSE;
    if (!tm) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    FontFace* face = FaceOf(*dc);
    if (!face) return FALSE;
    const LOGFONTW& lf = GetFont(dc->font)->logfont;
    const FaceMetrics& m = face->metrics;
    *tm = TEXTMETRICW{};
    tm->tmAscent = m.ascent;
    tm->tmDescent = m.descent;
    tm->tmHeight = m.ascent + m.descent;
    tm->tmInternalLeading = m.internalLeading;
    tm->tmExternalLeading = m.externalLeading;
    tm->tmAveCharWidth = m.aveCharWidth;
    tm->tmMaxCharWidth = m.maxCharWidth;
    tm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = m.firstChar;
    tm->tmLastChar = m.lastChar;
    tm->tmDefaultChar = m.firstChar;
    tm->tmBreakChar = L' ';
    tm->tmItalic = lf.lfItalic ? 1 : 0;
    tm->tmUnderlined = lf.lfUnderline ? 1 : 0;
    tm->tmStruckOut = lf.lfStrikeOut ? 1 : 0;
    tm->tmPitchAndFamily = m.pitchAndFamily;
    // DEFAULT_CHARSET asks for whatever the system uses; we say ANSI.
    tm->tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC handle, LPCWSTR text, int count, LPSIZE size)
{
    Dc* dc = GetDc(handle);
    if (!dc) return FALSE;
    if (!size || count < 0 || (!text && count > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    FontFace* face = FaceOf(*dc);
    if (!face) return FALSE;
    size->cx = TextWidth(*face, std::wstring_view(text ? text : L"", static_cast<std::size_t>(count)), nullptr);
    size->cy = face->metrics.ascent + face->metrics.descent;
    return TRUE;
}
