// The static control: text (or an icon) that its parent colours through
// WM_CTLCOLORSTATIC. Without SS_NOTIFY it is transparent to the mouse.
#include "user/internal.h"

namespace host::user {
namespace {

constexpr DWORD kSsNotify = 0x00000100L;
constexpr DWORD kSsSimple = 0x0000000BL;
constexpr DWORD kSsLeftNoWordWrap = 0x0000000CL;

UINT TextFormat(DWORD style)
{
    UINT f;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: f = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS; break;
    case SS_RIGHT: f = DT_RIGHT | DT_WORDBREAK | DT_EXPANDTABS; break;
    case kSsSimple: f = DT_LEFT | DT_SINGLELINE; break;
    case kSsLeftNoWordWrap: f = DT_LEFT | DT_EXPANDTABS; break;
    default: f = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS; break;
    }
    if (style & SS_NOPREFIX) f |= DT_NOPREFIX;
    return f;
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    Window* w = Find(hwnd);
    if (!w) {
        EndPaint(hwnd, &ps);
        return;
    }
    RECT client{0, 0, w->Width(), w->Height()};
    // The font goes in first, so the parent's colour handler sees (and may
    // replace) the font the text is drawn with.
    HGDIOBJ font = w->font ? static_cast<HGDIOBJ>(w->font) : GetStockObject(SYSTEM_FONT);
    HGDIOBJ oldFont = SelectObject(dc, font);
    HWND parent = w->parent;
    LRESULT answer =
        parent ? SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd))
               : 0;
    if (!answer)
        answer = DefWindowProcW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
    if (!(w = Find(hwnd))) {
        if (oldFont) SelectObject(dc, oldFont);
        EndPaint(hwnd, &ps);
        return;
    }
    auto brush = reinterpret_cast<HBRUSH>(answer);
    if (brush && brush != GetStockObject(NULL_BRUSH)) FillRect(dc, &client, brush);
    if ((w->style & SS_TYPEMASK) == SS_ICON) {
        if (w->staticIcon) DrawIcon(dc, 0, 0, w->staticIcon);
    } else {
        std::wstring text = w->text;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, TextFormat(w->style));
    }
    if (oldFont) SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

}  // namespace

LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Window* w = Find(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills with the parent's brush
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_NCHITTEST:
        if (!(w->style & kSsNotify)) return HTTRANSPARENT;
        return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_GETDLGCODE: return DLGC_STATIC;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace host::user
