// Dialog boxes: creation from an extended template, the default dialog
// procedure, EndDialog and dialog units.
#include "res/format.h"
#include "base/utf.h"
#include "user/testing.h"
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
    bool Skip(std::size_t n)
    {
        if (m_pos + n > kMaxTemplateBytes) return false;
        m_pos += n;
        return true;
    }
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
        do {
            if (!Word(&c)) return false;
        } while (c);
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
    *storage = ToWide(id.name());
    return storage->c_str();
}

bool IsDirectReturn(UINT msg)
{
    if (IsCtlColorMessage(msg)) return true;
    switch (msg) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case 0x0039 /* WM_COMPAREITEM */:
    case 0x002E /* WM_VKEYTOITEM */:
    case 0x002F /* WM_CHARTOITEM */: return true;
    default: return false;
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

namespace {

// The template behind the pointer, or false with ERROR_INVALID_PARAMETER.
bool DecodeTemplate(LPCDLGTEMPLATEW dlgTemplate, res::DialogTemplate* t)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(dlgTemplate);
    std::size_t length = dlgTemplate ? ExtendedTemplateLength(bytes) : 0;
    try {
        if (length) *t = res::DecodeDialogEx(res::Bytes(bytes, length));
    } catch (const res::ResError&) {
        length = 0;
    }
    if (!length) SetLastError(ERROR_INVALID_PARAMETER);
    return length != 0;
}

// The dialog's font and the base units it gives (the system font's where
// the template names none or it cannot be made).
struct DialogFont {
    HFONT font = nullptr;
    bool owned = false;
    int baseX = 0, baseY = 0;
};

DialogFont MakeDialogFont(const res::DialogTemplate& t)
{
    DialogFont f;
    if ((t.style & DS_SETFONT) && t.pointSize != 0x7FFF) {
        LOGFONTW lf{};
        lf.lfHeight = -MulDiv(t.pointSize, 96, 72);
        lf.lfWeight = t.weight;
        lf.lfItalic = t.italic;
        lf.lfCharSet = t.charset;
        std::wstring face = ToWide(t.typeface);
        std::wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        f.font = CreateFontIndirectW(&lf);
        f.owned = f.font != nullptr;
    }
    if (!f.font) f.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    ComputeBaseUnits(f.font, &f.baseX, &f.baseY);
    if (f.baseX <= 0 || f.baseY <= 0) {
        LONG units = GetDialogBaseUnits();
        f.baseX = LOWORD(units);
        f.baseY = HIWORD(units);
    }
    return f;
}

// Where the dialog goes, in screen coordinates: centred on the work area,
// on the pointer, or at the template's place in the parent's client area.
RECT DialogRect(const res::DialogTemplate& t, const DialogFont& f, HWND parent)
{
    int x = MulDiv(t.x, f.baseX, 4), y = MulDiv(t.y, f.baseY, 8);
    int cx = MulDiv(t.cx, f.baseX, 4), cy = MulDiv(t.cy, f.baseY, 8);
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
    return RECT{x, y, x + cx, y + cy};
}

// The dialog window itself, hidden, holding its font. Null when it could
// not be made or its class is no dialog class.
HWND CreateDialogWindow(const res::DialogTemplate& t, const DialogFont& f, RECT r, HWND parent, HINSTANCE instance,
                        DLGPROC dialogFunc)
{
    std::wstring classStorage;
    LPCWSTR cls = L"#32770";
    if (!(t.windowClass.IsOrdinal() && t.windowClass.ordinal() == 0)) cls = ControlClass(t.windowClass, &classStorage);
    std::wstring title = ToWide(t.title);
    CREATESTRUCTW cs{};
    cs.hInstance = instance;
    cs.hwndParent = parent;
    cs.cy = r.bottom - r.top;
    cs.cx = r.right - r.left;
    cs.y = r.top;
    cs.x = r.left;
    cs.style = static_cast<LONG>(t.style & ~WS_VISIBLE);
    cs.lpszName = title.c_str();
    cs.lpszClass = cls;
    cs.dwExStyle = t.exStyle;
    HWND dlg = CreateWindowInternal(cs, dialogFunc);
    if (!dlg) return nullptr;
    Window* w = Find(dlg);
    if (!w || w->kind != WindowKind::Dialog) {
        if (w) DestroyWindow(dlg);
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    DialogState& ds = DialogOf(w);
    ds.font = f.font;
    ds.ownsFont = f.owned;
    ds.baseX = f.baseX;
    ds.baseY = f.baseY;
    SendMessageW(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(f.font), FALSE);
    return dlg;
}

// One control of the template, in dialog units turned to pixels.
HWND CreateControl(HWND dlg, const res::DialogItem& item, const DialogFont& f, HINSTANCE instance)
{
    std::wstring itemClass, text;
    LPCWSTR cls = ControlClass(item.windowClass, &itemClass);
    if (!item.title.IsOrdinal()) text = ToWide(item.title.name());
    CREATESTRUCTW cs{};
    if (!item.creationData.empty()) cs.lpCreateParams = const_cast<std::uint8_t*>(item.creationData.data());
    cs.hInstance = instance;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(item.id));
    cs.hwndParent = dlg;
    cs.cy = MulDiv(item.cy, f.baseY, 8);
    cs.cx = MulDiv(item.cx, f.baseX, 4);
    cs.y = MulDiv(item.y, f.baseY, 8);
    cs.x = MulDiv(item.x, f.baseX, 4);
    cs.style = static_cast<LONG>(item.style | WS_CHILD);
    cs.lpszName = text.c_str();
    cs.lpszClass = cls;
    cs.dwExStyle = item.exStyle;
    HWND c = CreateWindowInternal(cs, nullptr);
    if (!c) return nullptr;
    // An icon control names its icon by ordinal in the title.
    if (item.title.IsOrdinal() && (item.style & SS_TYPEMASK) == SS_ICON) {
        if (Window* cw = Find(c)) cw->staticIcon = LoadIconW(instance, MAKEINTRESOURCEW(item.title.ordinal()));
    }
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(f.font), FALSE);
    return c;
}

// Every control; a control that cannot be made destroys the dialog unless
// the template says DS_NOFAILCREATE. False when the dialog is gone.
bool CreateControls(HWND dlg, const res::DialogTemplate& t, const DialogFont& f, HINSTANCE instance)
{
    for (const res::DialogItem& item : t.items) {
        if (!IsWindow(dlg)) return false;
        if (CreateControl(dlg, item, f, instance) || (t.style & DS_NOFAILCREATE)) continue;
        DWORD err = GetLastError();
        if (IsWindow(dlg)) DestroyWindow(dlg);
        SetLastError(err);
        return false;
    }
    return Find(dlg) != nullptr;
}

// WM_INITDIALOG, the focus it asks for, and the dialog shown if its
// template says so. False when a handler destroyed the dialog.
bool InitialiseDialog(HWND dlg, const res::DialogTemplate& t, LPARAM initParam)
{
    // TRUE from WM_INITDIALOG: the first tab stop (else the dialog) takes the
    // focus when the dialog is activated, which showing it does.
    HWND first = NextDialogControl(dlg, nullptr, false, false);
    LRESULT init = SendMessageW(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    Window* w = Find(dlg);
    if (!w) return false;
    if (init) {
        DialogOf(w).savedFocus = first;
        if (GetActiveWindow() == dlg) SetFocus(first ? first : dlg);
    }
    if (!(w = Find(dlg))) return false;
    if ((t.style & WS_VISIBLE) && !(w->style & WS_VISIBLE)) ShowWindow(dlg, SW_SHOWNORMAL);
    return Find(dlg) != nullptr;
}

}  // namespace

}  // namespace host::user

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dlgTemplate, HWND parent, DLGPROC dialogFunc,
                                LPARAM initParam)
{
    using namespace host::user;
    if (!dlgTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (parent && !FindOrFail(parent)) return nullptr;
    host::res::DialogTemplate t;
    if (!DecodeTemplate(dlgTemplate, &t)) return nullptr;
    // The font first: the dialog's size depends on it.
    DialogFont font = MakeDialogFont(t);
    HWND dlg = CreateDialogWindow(t, font, DialogRect(t, font, parent), parent, instance, dialogFunc);
    if (!dlg) {
        if (font.owned) DeleteObject(font.font);
        return nullptr;
    }
    // From here the dialog owns its font.
    if (!CreateControls(dlg, t, font, instance)) return nullptr;
    return InitialiseDialog(dlg, t, initParam) ? dlg : nullptr;
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
        auto brush =
            reinterpret_cast<HBRUSH>(SendMessageW(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        if (!brush)
            brush =
                reinterpret_cast<HBRUSH>(DefWindowProcW(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, brush);
        return 1;
    }
    case WM_SETFONT:
        DialogOf(w).font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(DialogOf(w).font);
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
    case WM_GETDLGCODE: return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// Ends the dialog: the result and the flag are kept for the modal loop and
// the window is hidden. It is not destroyed here; whoever created it does.
// A WM_NULL wakes a loop that waits for input.
BOOL EndDialog(HWND dlg, INT_PTR result)
{
    Window* w = FindOrFail(dlg);
    if (!w) return FALSE;
    if (w->kind != WindowKind::Dialog) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
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
        if (x <= 0 || y <= 0) {
            x = 8;
            y = 16;
        }
        units = MAKELONG(x, y);
    }
    return units;
}
