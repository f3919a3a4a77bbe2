// What USER's files share: the window table, the queue, input state and
// the presenter. Only USER includes it; presenters use user/presenting.h.
#pragma once

#include "base/region.h"
#include "present/presenter.h"
#include "gdi/surface.h"
#include "user/presenting.h"
#include "win32.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace host::user {

// Error numbers user32 reports that win32.h does not name.
constexpr DWORD kErrorInvalidIndex = 1413;
constexpr DWORD kErrorTopLevelChild = 1406;

// The window classes this host knows: the dialog class and the static control.
enum class WindowKind { Dialog, Static };

// Bytes of per-window storage of the dialog class (DWLP_MSGRESULT,
// DWLP_DLGPROC, DWLP_USER).
constexpr std::size_t kDialogExtraBytes = 3 * sizeof(LONG_PTR);

// Largest top-level surface we allocate: 64 Mpixel (256 MiB). Bigger is an
// absurd request and fails with ERROR_NOT_ENOUGH_MEMORY.
constexpr long long kMaxSurfacePixels = 64LL * 1024 * 1024;
constexpr int kMaxWindowExtent = 32767;
// A window's width or height as kept: 0 .. kMaxWindowExtent.
inline int ClampExtent(int v) { return std::clamp(v, 0, kMaxWindowExtent); }

struct DialogState {
    HFONT font = nullptr;
    bool ownsFont = false;
    int baseX = 0, baseY = 0;  // dialog base units in pixels
    bool ended = false;
    INT_PTR result = 0;
    HWND savedFocus = nullptr;  // control to refocus on activation
};

struct Window {
    HWND handle = nullptr;
    WindowKind kind = WindowKind::Static;
    std::wstring className;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    DWORD style = 0, exStyle = 0;
    LONG_PTR id = 0, userData = 0;
    HWND parent = nullptr;       // children only
    HWND owner = nullptr;        // top-level windows only
    std::vector<HWND> children;  // creation order = z-order, top first
    RECT rect{};                 // parent's client coordinates; screen for top-level
    RECT restoreRect{};          // the rect before minimizing
    std::wstring text;
    std::vector<std::uint8_t> extra;
    HFONT font = nullptr;  // WM_SETFONT of controls
    HICON bigIcon = nullptr, smallIcon = nullptr;
    HICON staticIcon = nullptr;  // SS_ICON image

    Region update;  // client coordinates, empty = valid
    bool erase = false;

    std::shared_ptr<Surface> surface;  // top-level windows only
    std::unique_ptr<DialogState> dialog;
    bool destroying = false;
    int beginPaints = 0;               // BeginPaint calls, to spot WM_PAINT handlers that never paint
    std::uint64_t refusedPaintAt = 0;  // see PaintRefused

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

// ---- window table (window_table.cpp) ---------------------------------------
Window* Find(HWND h);                  // nullptr for stale or foreign handles
Window* FindOrFail(HWND h);            // the same, and ERROR_INVALID_WINDOW_HANDLE
const std::vector<HWND>& TopLevels();  // creation order
std::vector<HWND> TopLevelsByZ();      // topmost first
void BringToTop(HWND top);
HWND RootOf(HWND h);                     // the top-level ancestor (itself for top-levels)
bool IsAncestor(HWND ancestor, HWND h);  // h is ancestor or below it
void ForgetAllWindows();                 // Reset: drop everything without messages
// The first child of `w` with control id `id` (GetDlgItem's search).
HWND ChildWithId(const Window* w, int id);
// Creation and destruction's bookkeeping: a handle never given before; a
// window into the table and its parent's children (or the top-level
// windows, topmost); and out of all of them again, held by the caller.
HWND NewWindowHandle();
void EnterWindow(const std::shared_ptr<Window>& w, Window* parent);
std::shared_ptr<Window> LeaveWindow(HWND h);

// ---- geometry (window_geometry.cpp) and surfaces (window_surface.cpp) -------
bool VisibleChain(const Window* w);        // it and all its ancestors are visible
POINT ClientOriginInTop(const Window* w);  // client (0,0) in its top-level's client
POINT ClientOriginOnScreen(const Window* w);
RECT VisibleClipInTop(const Window* w);  // client area ∩ ancestors', top-level coordinates
std::shared_ptr<Surface> SurfaceOf(const Window* w);
bool ResizeSurface(Window* top);  // reallocates to the window's size

// ---- creation and destruction (window_lifetime.cpp) -------------------------
// CreateWindowExW with the parameters it takes in `cs`; a dialog's
// procedure for windows of the dialog class.
HWND CreateWindowInternal(CREATESTRUCTW cs, DLGPROC dialogProc);
void FreeDialogFont(const Window& w);  // the template's font, which the dialog owns

// ---- messages (queue.cpp) ----------------------------------------------------
DWORD Now();
void QueueMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);  // posted, behind the others
void QueueInput(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);    // mouse and keys, after posted messages
// The window's last WM_PAINT left it invalid and nothing else has been
// retrieved since: it gets no WM_PAINT until something is.
bool PaintRefused(const Window* w);
void DropMessagesFor(HWND h);
void ClearQueue();
// Blocks like GetMessageW but takes every message; false on WM_QUIT (which
// it leaves queued again, for the caller's own loop).
bool NextMessageForModalLoop(MSG* msg);

// ---- painting (paint.cpp) -------------------------------------------------------
void Invalidate(Window* w, const RECT* clientRect, bool erase, bool allChildren);
void InvalidateAll(Window* w, bool erase);  // window and all descendants
void InvalidateParentArea(Window* child);   // where the child lies in its parent
HWND FindWindowToPaint(HWND filter);
void ReleaseAllDcs();

// ---- input (input.cpp) ------------------------------------------------------------
struct InputState {
    std::uint8_t async[256]{};
    std::uint8_t sync[256]{};
    POINT cursor{};
    POINT lastMessagePos{};  // pt of the last retrieved message
    HWND focus = nullptr, active = nullptr, capture = nullptr;
    bool altAlone = false;  // Alt is down and nothing else went down since
};
InputState& Input();
void NoteRetrieved(const MSG& msg);  // keeps GetKeyState in step with retrieved input
void ForgetWindowInput(HWND h);      // h is going away
HWND HitTest(POINT screen, int* hitCode);
void DeliverMouse(UINT clientMsg, UINT ncMsg);  // from the current pointer and buttons
void DeliverKey(UINT vk, bool down);

// ---- dialogs (dialog.cpp) and the dialog manager (dlgmgr.cpp) -------------
DialogState& DialogOf(Window* w);  // created on first use
void ComputeBaseUnits(HFONT font, int* baseX, int* baseY);
// The next (or previous) tab stop of the dialog after `from`, wrapping; with
// `group`, the next control within `from`'s WS_GROUP group instead.
HWND NextDialogControl(HWND dlg, HWND from, bool previous, bool group);
LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC: a control asks its parent for colours.
inline bool IsCtlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// ---- defaults (defproc.cpp) ------------------------------------------------------------
HBRUSH FaceBrush();  // COLOR_3DFACE
constexpr COLORREF kFaceColor = RGB(240, 240, 240);
constexpr COLORREF kWindowTextColor = RGB(0, 0, 0);
void RunMoveLoop(HWND hwnd);

// ---- window words (window_words.cpp) ----------------------------------------
// The LONG_PTR at byte `index` of a window's extra bytes (a dialog's
// DWLP_* slots); false, with nothing read or written, outside them.
bool ReadExtra(const Window* w, std::int64_t index, LONG_PTR* value);
bool WriteExtra(Window* w, std::int64_t index, LONG_PTR value);

}  // namespace host::user
