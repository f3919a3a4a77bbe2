// The reader entry's picture: a grey document page with a folded corner, a
// red tag lettered PDF and the reader maker's red logo and name, 46 x 48.
#include "art.h"
#include "pixel_font.h"

namespace artgen {

namespace {

constexpr Rgb kPaper{224, 225, 229};
constexpr Rgb kPaperEdge{118, 120, 128};
constexpr Rgb kPaperShadow{196, 197, 202};
constexpr Rgb kFold{246, 246, 248};
constexpr Rgb kTextLine{168, 170, 180};
constexpr Rgb kRed{214, 28, 34};
constexpr Rgb kRedDark{150, 16, 22};

// Bold capitals for the tag, 7 rows high with 2-pixel stems.
void DrawTagLetters(CCanvas& c, int x, int y)
{
    static constexpr const char* kRows[7] = {
        "####..####..#####", "##.##.##.##.##...", "##.##.##.##.##...", "####..##.##.####.",
        "##....##.##.##...", "##....##.##.##...", "##....####..##...",
    };
    for (int row = 0; row < 7; ++row)
        for (int col = 0; kRows[row][col]; ++col)
            if (kRows[row][col] == '#') c.Set(x + col, y + row, kWhite);
}

}  // namespace

void DrawReaderPicture(CCanvas& c, int x, int y)
{
    const int left = x + 6, right = x + 43, top = y, bottom = y + 45;
    constexpr int kFoldSize = 10;

    // Shadow, page and its outline, the top-right corner cut for the fold.
    c.FillPolygon({{left + 2.0, top + 2.0},
                   {right - kFoldSize + 2.0, top + 2.0},
                   {right + 3.0, top + kFoldSize + 2.0},
                   {right + 3.0, bottom + 3.0},
                   {left + 2.0, bottom + 3.0}},
                  kPaperShadow);
    c.FillPolygon({{left + 0.0, top + 0.0},
                   {right - kFoldSize + 1.0, top + 0.0},
                   {right + 1.0, top + kFoldSize + 0.0},
                   {right + 1.0, bottom + 1.0},
                   {left + 0.0, bottom + 1.0}},
                  kPaperEdge);
    c.FillPolygon({{left + 1.0, top + 1.0},
                   {right - kFoldSize + 0.6, top + 1.0},
                   {right + 0.0, top + kFoldSize + 0.4},
                   {right + 0.0, bottom + 0.0},
                   {left + 1.0, bottom + 0.0}},
                  kPaper);
    // The folded-over corner.
    c.FillPolygon({{right - kFoldSize + 0.0, top + 0.0},
                   {right - kFoldSize + 0.0, top + kFoldSize + 1.0},
                   {right + 1.0, top + kFoldSize + 1.0}},
                  kPaperEdge);
    c.FillPolygon({{right - kFoldSize + 1.0, top + 1.5},
                   {right - kFoldSize + 1.0, top + kFoldSize + 0.0},
                   {right - 0.5, top + kFoldSize + 0.0}},
                  kFold);

    // The maker's logo: a red square with a white triangle cut in it, and
    // the name under it.
    const int lx = left + 5, ly = top + 5;
    c.FillRect(lx, ly, lx + 11, ly + 11, kRed);
    c.FillPolygon({{lx + 6.0, ly + 2.0},
                   {lx + 10.5, ly + 11.0},
                   {lx + 7.8, ly + 11.0},
                   {lx + 6.0, ly + 7.0},
                   {lx + 4.2, ly + 11.0},
                   {lx + 1.5, ly + 11.0}},
                  kWhite);
    DrawPixelText(c, "ADOBE", lx - 1, ly + 14, kRed);

    // Lines of text beside the logo (short of the fold), beside and under the tag.
    for (int line = 0; line < 4; ++line)
        c.HLine(left + 20, right - (line < 2 ? kFoldSize + 2 : 4), top + 6 + 3 * line, kTextLine);
    for (int line = 0; line < 3; ++line)
        c.HLine(left + 26, right - 4 - 4 * (line == 2), top + 28 + 3 * line, kTextLine);
    for (int line = 0; line < 2; ++line) c.HLine(left + 4, right - 4 - 10 * line, top + 39 + 3 * line, kTextLine);

    // The PDF tag, sticking out over the page's left edge, with the end of
    // its band folded behind the page.
    const int tx = x, ty = top + 25, tw = 23, th = 10;
    c.FillPolygon({{tx + 0.0, ty + th + 1.0}, {tx + 3.0, ty + th + 1.0}, {tx + 3.0, ty + th + 3.5}}, kRedDark);
    c.FillPolygon({{tx + 0.0, ty + 0.0},
                   {tx + tw + 0.0, ty + 0.0},
                   {tx + tw + 4.5, ty + th / 2.0 + 0.5},
                   {tx + tw + 0.0, ty + th + 1.0},
                   {tx + 0.0, ty + th + 1.0}},
                  kRed);
    DrawTagLetters(c, tx + 3, ty + 2);
}

}  // namespace artgen
