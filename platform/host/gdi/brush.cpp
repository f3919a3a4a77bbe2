#include "gdi/objects.h"

using namespace host::gdi;

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto b = std::make_unique<Brush>();
    b->color = color & 0x00FFFFFF;
    return static_cast<HBRUSH>(Add(std::move(b)));
}
