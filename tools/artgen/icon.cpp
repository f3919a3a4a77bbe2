// The launcher's icon in the standard 16 colours: a desktop computer with a
// dark blue screen beside an opened software box, and at 32 x 32 a diskette
// in front at the lower right.
#include "art.h"

namespace artgen {

namespace {

void DrawComputer32(CIconImage& i)
{
    // Monitor: bevelled case round a dark blue screen.
    i.FillRect(1, 2, 15, 15, kVgaSilver);
    i.FrameRect(0, 1, 16, 16, kVgaBlack);
    i.Line(1, 2, 15, 2, kVgaWhite);
    i.Line(1, 2, 1, 15, kVgaWhite);
    i.Line(2, 15, 15, 15, kVgaGrey);
    i.Line(15, 3, 15, 15, kVgaGrey);
    i.FillRect(3, 4, 13, 12, kVgaNavy);
    i.Line(3, 4, 13, 4, kVgaBlack);
    i.Line(3, 4, 3, 12, kVgaBlack);
    i.Line(5, 6, 7, 6, kVgaBlue);  // glint on the glass
    i.Set(5, 7, kVgaBlue);
    i.Set(13, 14, kVgaLime);
    // Neck and system unit.
    i.FillRect(5, 17, 11, 17, kVgaGrey);
    i.FillRect(1, 19, 16, 23, kVgaSilver);
    i.FrameRect(0, 18, 17, 24, kVgaBlack);
    i.Line(1, 19, 16, 19, kVgaWhite);
    i.Line(3, 21, 9, 21, kVgaGrey);  // drive slot
    i.Line(3, 22, 9, 22, kVgaBlack);
    i.Set(14, 21, kVgaLime);
    i.Line(1, 25, 17, 25, kVgaGrey);  // shadow on the desk
}

void DrawBox32(CIconImage& i)
{
    // Back flap standing up behind the opening.
    i.FillPolygon({{22, 10}, {31, 10}, {32, 4}, {23, 4}}, kVgaYellow);
    i.Line(23, 4, 31, 4, kVgaBlack);
    i.Line(23, 4, 22, 10, kVgaBlack);
    i.Line(31, 4, 31, 10, kVgaBlack);
    // Inside of the box, then the flap folded out to the left.
    i.FillPolygon({{18, 14}, {27, 14}, {31, 10}, {22, 10}}, kVgaOlive);
    i.Line(22, 10, 30, 10, kVgaBlack);
    i.FillPolygon({{18, 14}, {22, 10}, {19, 7}, {15, 11}}, kVgaYellow);
    i.Line(15, 11, 19, 7, kVgaBlack);
    i.Line(19, 7, 22, 10, kVgaBlack);
    // Front and side faces.
    i.FillRect(18, 14, 27, 27, kVgaYellow);
    i.FrameRect(18, 14, 27, 27, kVgaBlack);
    i.FillPolygon({{28, 14}, {31, 11}, {31, 24}, {28, 27}}, kVgaOlive);
    i.Line(27, 14, 31, 10, kVgaBlack);
    i.Line(31, 10, 31, 24, kVgaBlack);
    i.Line(31, 24, 28, 27, kVgaBlack);
    // The product's label on the front.
    i.FillRect(20, 16, 25, 20, kVgaRed);
    i.FillRect(21, 17, 24, 19, kVgaWhite);
    i.Line(21, 18, 24, 18, kVgaBlue);
}

void DrawDiskette32(CIconImage& i)
{
    i.FillRect(22, 21, 30, 30, kVgaNavy);
    i.FrameRect(21, 20, 31, 31, kVgaBlack);
    i.FillRect(24, 21, 29, 24, kVgaSilver);  // shutter
    i.Set(27, 22, kVgaBlack);
    i.Set(27, 23, kVgaBlack);
    i.FillRect(23, 26, 30, 31, kVgaWhite);  // label
    i.FrameRect(22, 26, 31, 31, kVgaBlack);
    i.Line(24, 28, 29, 28, kVgaGrey);
    i.Line(24, 30, 29, 30, kVgaBlack);
    i.Line(23, 30, 30, 30, kVgaWhite);
}

CIconImage Draw32()
{
    CIconImage i(32);
    DrawComputer32(i);
    DrawBox32(i);
    DrawDiskette32(i);
    return i;
}

CIconImage Draw16()
{
    CIconImage i(16);
    // Computer: monitor over system unit.
    i.FrameRect(0, 1, 9, 9, kVgaBlack);
    i.FillRect(1, 2, 8, 8, kVgaSilver);
    i.FillRect(2, 3, 7, 7, kVgaNavy);
    i.Set(3, 4, kVgaBlue);
    i.FrameRect(0, 10, 9, 13, kVgaBlack);
    i.FillRect(1, 11, 8, 12, kVgaSilver);
    i.Line(2, 11, 5, 11, kVgaGrey);
    // Box with its flap open.
    i.FillPolygon({{12, 6}, {16, 6}, {16, 2}, {12, 2}}, kVgaYellow);
    i.Line(12, 2, 15, 2, kVgaBlack);
    i.FillPolygon({{10, 8}, {14, 8}, {16, 6}, {12, 6}}, kVgaOlive);
    i.FillRect(10, 8, 13, 14, kVgaYellow);
    i.FrameRect(10, 8, 14, 14, kVgaBlack);
    i.FillRect(15, 7, 15, 13, kVgaOlive);
    i.Line(14, 8, 15, 7, kVgaBlack);
    i.Line(15, 6, 15, 6, kVgaBlack);
    i.Set(15, 14, kVgaBlack);
    i.Set(11, 10, kVgaRed);
    i.Set(12, 10, kVgaRed);
    i.Set(11, 11, kVgaRed);
    i.Set(12, 11, kVgaRed);
    return i;
}

}  // namespace

std::vector<CIconImage> DrawIcons() { return {Draw32(), Draw16()}; }

}  // namespace artgen
