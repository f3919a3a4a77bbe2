// The three entry strips: black type on white, frame 0 regular, frame 1 bold
// and underlined. Mono rendering keeps them to those two colours, so the
// strips sit on the white body without a visible box.
#include <stdexcept>
#include <string>

#include <fontconfig/fontconfig.h>

#include "art.h"
#include "font.h"

namespace artgen {

namespace {

// NanumGothic at 13 px gives capitals of 10 px; with the baseline in row 12
// every glyph lies in rows 2 to 13.
constexpr const char* kFamily = "NanumGothic";
constexpr int kPixelSize = 13;
constexpr int kBaseline = 12;
constexpr int kLastTextColumn = 150;

struct SEntryStyle {
    const char* text;
    int regularLeft;   // first inked column of frame 0
    int underlineRow;  // frame 1
};

SEntryStyle StyleOf(EEntry entry)
{
    switch (entry) {
    case EEntry::kSetup: return {"Orvane 설치 도우미 설치", 2, 15};
    case EEntry::kManual: return {"제품 설명서", 2, 15};
    case EEntry::kReader: return {"Acrobat Reader 설치", 3, 14};
    }
    throw std::logic_error("unknown entry");
}

// Draws text so that its ink begins exactly at column left of the frame at
// frameX; returns the last inked column, relative to the frame.
int DrawText(CCanvas& canvas, const CFont& font, const char* text, int frameX, int left)
{
    const InkBox measured = font.Measure(text, ERender::kMono);
    const InkBox drawn = font.Draw(&canvas, text, frameX + left - measured.x0, kBaseline, kBlack, ERender::kMono);
    if (drawn.y0 < 2 || drawn.y1 > 14 || drawn.x1 - frameX > kLastTextColumn)
        throw std::runtime_error(std::string("entry text does not fit its frame: ") + text);
    return drawn.x1 - frameX;
}

}  // namespace

CCanvas DrawEntryStrip(EEntry entry)
{
    const SEntryStyle style = StyleOf(entry);
    const CFont regular(kFamily, FC_WEIGHT_REGULAR, "ko", kPixelSize);
    const CFont bold(kFamily, FC_WEIGHT_BOLD, "ko", kPixelSize);

    CCanvas canvas(2 * kEntryWidth, kEntryHeight, kWhite);
    DrawText(canvas, regular, style.text, 0, style.regularLeft);
    const int end = DrawText(canvas, bold, style.text, kEntryWidth, 2);
    canvas.HLine(kEntryWidth + 2, kEntryWidth + end, style.underlineRow, kBlack);
    return canvas;
}

}  // namespace artgen
