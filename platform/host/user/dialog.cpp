// Dialog boxes: creation from an extended template, the default dialog
// procedure, EndDialog and dialog units.
#include "res/format.h"
#include "user/user.h"
#include "user/internal.h"

#include <cstring>

namespace host::user {
namespace {

// A template comes as a bare pointer. Its length is found by walking its
// fields, never reading past what the fields so far imply, and never more
// than kMaxTemplateBytes; then the decoder checks it properly.
constexpr std::size_t kMaxTemplateBytes = 64 * 1024;

class Walker {
public:
    explicit Walker(const std::uint8_t* p) : m_p(p) {}
    bool Skip(std::size_t n) { if (m_pos + n > kMaxTemplateBytes) return false; m_pos += n; return true; }
    bool Word(std::uint16_t* v)
    {
        if (m_pos + 2 > kMaxTemplateBytes) return false;
        std::memcpy(v, m_p + m_pos, 2);
        m_pos += 2;
        return true;
    }
    bool Dword(std::uint32_t* v)
    {
        if (m_pos + 4 > kMaxTemplateBytes) return false;
        std::memcpy(v, m_p + m_pos, 4);
        m_pos += 4;
        return true;
    }
    bool String()
    {
        std::uint16_t c;
        do { if (!Word(&c)) return false; } while (c);
        return true;
    }
    bool StringOrOrdinal()
    {
        std::uint16_t first;
        if (!Word(&first)) return false;
        if (first == 0xFFFF) return Skip(2);
        if (first == 0) return true;
        return String();
    }
    bool AlignDword() { return Skip((4 - m_pos % 4) % 4); }
    std::size_t Pos() const { return m_pos; }

private:
    const std::uint8_t* m_p;
    std::size_t m_pos = 0;
};

// The byte length of an extended template, or 0 when it is not one.
std::size_t ExtendedTemplateLength(const std::uint8_t* p)
{
    Walker w(p);
    std::uint16_t ver, sig, count;
    std::uint32_t help, ex, style;
    if (!w.Word(&ver) || !w.Word(&sig) || ver != 1 || sig != 0xFFFF) return 0;
    if (!w.Dword(&help) || !w.Dword(&ex) || !w.Dword(&style) || !w.Word(&count) || !w.Skip(8)) return 0;
    if (!w.StringOrOrdinal() || !w.StringOrOrdinal() || !w.String()) return 0;
    if ((style & DS_SETFONT) && (!w.Skip(6) || !w.String())) return 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint16_t extra;
        if (!w.AlignDword() || !w.Skip(24) || !w.StringOrOrdinal() || !w.StringOrOrdinal()) return 0;
        if (!w.Word(&extra) || !w.Skip(extra)) return 0;
    }
    return w.Pos();
}

LPCWSTR ControlClass(const res::ResId& id, std::wstring* storage)
{
    if (id.IsOrdinal()) return MAKEINTRESOURCEW(id.ordinal());
    *storage = res::ToWide(id.name());
    return storage->c_str();
}

bool IsDirectReturn(UINT msg)
{
    switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG: case WM_QUERYDRAGICON:
    case 0x0039 /* WM_COMPAREITEM */: case 0x002E /* WM_VKEYTOITEM */: case 0x002F /* WM_CHARTOITEM */:
        return true;
    default:
        return false;
    }
}

LONG_PTR Extra(const Window* w, std::int64_t offset)
{
    LONG_PTR v = 0;
    ReadExtra(w, offset, &v);
    return v;
}

}  // namespace

DialogState& DialogOf(Window* w)
{
    if (!w->dialog) {
        w->dialog = std::make_unique<DialogState>();
        LONG units = GetDialogBaseUnits();
        w->dialog->baseX = LOWORD(units);
        w->dialog->baseY = HIWORD(units);
    }
    return *w->dialog;
}

// The documented base units of a font: the average width of the 52 Latin
// letters, rounded, and the character height.
void ComputeBaseUnits(HFONT font, int* baseX, int* baseY)
{
    *baseX = 0;
    *baseY = 0;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    SIZE size{};
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (old && GetTextMetricsW(dc, &tm) && GetTextExtentPoint32W(dc, kLetters, 52, &size)) {
        *baseX = static_cast<int>((size.cx / 26 + 1) / 2);
        *baseY = static_cast<int>(tm.tmHeight);
    }
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
}

}  // namespace host::user

using namespace host::user;

namespace host::user {

bool DialogEnded(HWND dlg, INT_PTR* result)
{
    Window* w = Find(dlg);
    if (!w || !w->dialog || !w->dialog->ended) return false;
    if (result) *result = w->dialog->result;
    return true;
}

}  // namespace host::user

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dlgTemplate, HWND parent,
                                DLGPROC dialogFunc, LPARAM initParam)
{
    if (!dlgTemplate) { SetLastError(ERROR_INVALID_PARAMETER); return nullptr; }
    if (parent && !FindOrFail(parent)) return nullptr;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(dlgTemplate);
    std::size_t length = ExtendedTemplateLength(bytes);
    if (!length) { SetLastError(ERROR_INVALID_PARAMETER); return nullptr; }
    host::res::DialogTemplate t;
    try {
        t = host::res::DecodeDialogEx(host::res::Bytes(bytes, length));
    } catch (const host::res::ResError&) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }

    // The font first: the dialog's size depends on it.
    HFONT font = nullptr;
    bool ownsFont = false;
    if ((t.style & DS_SETFONT) && t.pointSize != 0x7FFF) {
        LOGFONTW lf{};
        lf.lfHeight = -MulDiv(t.pointSize, 96, 72);
        lf.lfWeight = t.weight;
        lf.lfItalic = t.italic;
        lf.lfCharSet = t.charset;
        std::wstring face = host::res::ToWide(t.typeface);
        std::wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        font = CreateFontIndirectW(&lf);
        ownsFont = font != nullptr;
    }
    if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    int baseX = 0, baseY = 0;
    ComputeBaseUnits(font, &baseX, &baseY);
    if (baseX <= 0 || baseY <= 0) {
        LONG units = GetDialogBaseUnits();
        baseX = LOWORD(units);
        baseY = HIWORD(units);
    }

    int x = MulDiv(t.x, baseX, 4), y = MulDiv(t.y, baseY, 8);
    int cx = MulDiv(t.cx, baseX, 4), cy = MulDiv(t.cy, baseY, 8);
    if (t.style & DS_CENTER) {
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + (work.right - work.left - cx) / 2;
        y = work.top + (work.bottom - work.top - cy) / 2;
    } else if (t.style & DS_CENTERMOUSE) {
        x = Input().cursor.x - cx / 2;
        y = Input().cursor.y - cy / 2;
    } else if (parent && !(t.style & DS_ABSALIGN)) {
        POINT o{0, 0};
        ClientToScreen(parent, &o);
        x += o.x;
        y += o.y;
    }

    std::wstring classStorage;
    LPCWSTR cls = L"#32770";
    if (!(t.windowClass.IsOrdinal() && t.windowClass.ordinal() == 0)) cls = ControlClass(t.windowClass, &classStorage);
    std::wstring title = host::res::ToWide(t.title);
    DWORD style = t.style & ~WS_VISIBLE;
    HWND dlg = CreateWindowInternal(t.exStyle, cls, title.c_str(), style, x, y, cx, cy, parent,
                                    nullptr, instance, nullptr, dialogFunc);
    if (!dlg) {
        if (ownsFont) DeleteObject(font);
        return nullptr;
    }
    Window* w = Find(dlg);
    if (!w || w->kind != WindowKind::Dialog) {
        if (w) DestroyWindow(dlg);
        if (ownsFont) DeleteObject(font);
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    DialogState& ds = DialogOf(w);
    ds.font = font;
    ds.ownsFont = ownsFont;
    ds.baseX = baseX;
    ds.baseY = baseY;
    SendMessageW(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    for (const host::res::DialogItem& item : t.items) {
        if (!IsWindow(dlg)) return nullptr;
        std::wstring itemClass, text;
        LPCWSTR itemCls = ControlClass(item.windowClass, &itemClass);
        int ordinalTitle = -1;
        if (item.title.IsOrdinal()) ordinalTitle = item.title.ordinal();
        else text = host::res::ToWide(item.title.name());
        HWND c = CreateWindowInternal(item.exStyle, itemCls, text.c_str(), item.style | WS_CHILD,
                                      MulDiv(item.x, baseX, 4), MulDiv(item.y, baseY, 8),
                                      MulDiv(item.cx, baseX, 4), MulDiv(item.cy, baseY, 8), dlg,
                                      reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(item.id)),
                                      instance,
                                      item.creationData.empty() ? nullptr
                                                                : const_cast<std::uint8_t*>(item.creationData.data()),
                                      nullptr);
        if (!c) {
            if (t.style & DS_NOFAILCREATE) continue;
            DWORD err = GetLastError();
            if (IsWindow(dlg)) DestroyWindow(dlg);
            SetLastError(err);
            return nullptr;
        }
        if (ordinalTitle >= 0 && (item.style & SS_TYPEMASK) == SS_ICON) {
            if (Window* cw = Find(c)) cw->staticIcon = LoadIconW(instance, MAKEINTRESOURCEW(ordinalTitle));
        }
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (!(w = Find(dlg))) return nullptr;

    // TRUE from WM_INITDIALOG: the first tab stop (else the dialog) takes the
    // focus when the dialog is activated, which showing it does.
    HWND first = NextDialogControl(dlg, nullptr, false, false);
    LRESULT init = SendMessageW(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!(w = Find(dlg))) return nullptr;
    if (init) {
        DialogOf(w).savedFocus = first;
        if (GetActiveWindow() == dlg) SetFocus(first ? first : dlg);
    }
    if (!(w = Find(dlg))) return nullptr;
    if ((t.style & WS_VISIBLE) && !(w->style & WS_VISIBLE)) ShowWindow(dlg, SW_SHOWNORMAL);
    return Find(dlg) ? dlg : nullptr;
}

LRESULT DefDlgProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (auto proc = reinterpret_cast<DLGPROC>(Extra(w, DWLP_DLGPROC))) {
        INT_PTR r = proc(hwnd, msg, wParam, lParam);
        if (IsDirectReturn(msg)) {
            if (r) return r;
        } else if (r) {
            w = Find(hwnd);
            return w ? Extra(w, DWLP_MSGRESULT) : 0;
        }
        if (!(w = Find(hwnd))) return 0;
    }
    switch (msg) {
    case WM_CLOSE: {
        // As documented: IDCANCEL is posted, unless its button is disabled.
        HWND cancel = ChildWithId(w, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcW(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, brush);
        return 1;
    }
    case WM_SETFONT:
        DialogOf(w).font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(DialogOf(w).font);
    case WM_NEXTDLGCTL: {
        HWND target = nullptr;
        if (LOWORD(lParam)) target = reinterpret_cast<HWND>(wParam);
        else target = NextDialogControl(hwnd, GetFocus(), wParam != 0, false);
        if (target && IsAncestor(hwnd, target)) {
            SetFocus(target);
            if ((w = Find(hwnd))) DialogOf(w).savedFocus = target != hwnd ? target : nullptr;
        }
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && f != hwnd && IsAncestor(hwnd, f)) DialogOf(w).savedFocus = f;
            return 0;
        }
        if (!(w->style & WS_MINIMIZE)) {
            HWND saved = DialogOf(w).savedFocus;
            SetFocus(saved && IsWindow(saved) ? saved : hwnd);
        }
        return 0;
    case WM_SETFOCUS: {
        HWND saved = DialogOf(w).savedFocus;
        if (saved && IsWindow(saved) && IsAncestor(hwnd, saved)) SetFocus(saved);
        return 0;
    }
    case WM_GETDLGCODE:
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// Ends the dialog: the result and the flag are kept for the modal loop and
// the window is hidden. It is not destroyed here; whoever created it does.
// A WM_NULL wakes a loop that waits for input.
BOOL EndDialog(HWND dlg, INT_PTR result)
{
    Window* w = FindOrFail(dlg);
    if (!w) return FALSE;
    if (w->kind != WindowKind::Dialog) { SetLastError(ERROR_INVALID_WINDOW_HANDLE); return FALSE; }
    DialogState& ds = DialogOf(w);
    ds.ended = true;
    ds.result = result;
    ShowWindow(dlg, SW_HIDE);
    if (IsWindow(dlg)) PostMessageW(dlg, WM_NULL, 0, 0);
    return TRUE;
}

BOOL MapDialogRect(HWND dlg, LPRECT rect)
{
    Window* w = FindOrFail(dlg);
    if (!w) return FALSE;
    if (w->kind != WindowKind::Dialog || !rect) {
        SetLastError(rect ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DialogState& ds = DialogOf(w);
    rect->left = MulDiv(rect->left, ds.baseX, 4);
    rect->right = MulDiv(rect->right, ds.baseX, 4);
    rect->top = MulDiv(rect->top, ds.baseY, 8);
    rect->bottom = MulDiv(rect->bottom, ds.baseY, 8);
    return TRUE;
}

// From the system font, as documented; 8 x 16 if it cannot be measured.
LONG GetDialogBaseUnits()
{
    static LONG units = 0;
    if (!units) {
        int x = 0, y = 0;
        ComputeBaseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), &x, &y);
        if (x <= 0 || y <= 0) { x = 8; y = 16; }
        units = MAKELONG(x, y);
    }
    return units;
}
