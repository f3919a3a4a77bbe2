// The UI thread's message queue. Posted messages come before input (mouse
// and keys), each lane in arrival order. PostQuitMessage only sets a flag:
// WM_QUIT is made up when no posted message waits, so it comes before input,
// and WM_PAINT only when nothing else does, for a window whose update region
// is not empty. When the thread would block, the presenter is asked
// for input; if it gives none the presenter ends the process (a session
// never hangs).
//
// A window whose WM_PAINT handler left it invalid gets WM_PAINT again, but
// only once another message has been retrieved: Windows would hand it out
// again at once and spin, and here that spin would keep the presenter from
// ever being asked for input.
#include "user/internal.h"

#include "shell/shell.h"

#include <chrono>

namespace host::user {
namespace {

struct Filter {
    HWND hwnd;
    UINT lo, hi;
};

struct Queue {
    std::deque<MSG> posted;  // PostMessage, and the characters TranslateMessage makes
    std::deque<MSG> input;   // the presenter's mouse and keys
    bool quit = false;
    int quitCode = 0;
    std::uint64_t retrievals = 0;  // messages other than WM_PAINT taken off the queue
    std::vector<Filter> waits;     // the filters of the GetMessage calls waiting, innermost last
};

Queue& Q()
{
    static Queue q;
    return q;
}

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

bool WindowMatches(HWND filter, HWND h)
{
    if (!filter) return true;
    if (filter == kThreadMessagesOnly) return h == nullptr;
    return h && IsAncestor(filter, h);
}

// A window filter whose window is no more: nothing will ever match it.
bool FilterWindowGone(HWND filter) { return filter && filter != kThreadMessagesOnly && !Find(filter); }

bool RangeMatches(UINT lo, UINT hi, UINT m) { return (lo == 0 && hi == 0) || (m >= lo && m <= hi); }

bool FetchFrom(std::deque<MSG>& lane, MSG* out, HWND hwnd, UINT lo, UINT hi, bool remove)
{
    for (auto it = lane.begin(); it != lane.end(); ++it) {
        if (!WindowMatches(hwnd, it->hwnd) || !RangeMatches(lo, hi, it->message)) continue;
        *out = *it;
        if (remove) {
            lane.erase(it);
            NoteRetrieved(*out);
        }
        return true;
    }
    return false;
}

bool Fetch(MSG* out, HWND hwnd, UINT lo, UINT hi, bool remove)
{
    Queue& q = Q();
    if (FetchFrom(q.posted, out, hwnd, lo, hi, remove)) {
        q.retrievals += remove;
        return true;
    }
    // WM_QUIT is retrieved whatever the filters say; PM_NOREMOVE leaves the flag set.
    if (q.quit) {
        *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, Now(), Input().cursor};
        if (remove) {
            q.quit = false;
            q.retrievals++;
        }
        return true;
    }
    if (FetchFrom(q.input, out, hwnd, lo, hi, remove)) {
        q.retrievals += remove;
        return true;
    }
    if (RangeMatches(lo, hi, WM_PAINT)) {
        if (HWND p = FindWindowToPaint(hwnd)) {
            *out = MSG{p, WM_PAINT, 0, 0, Now(), Input().cursor};
            return true;  // stays until the window is validated
        }
    }
    return false;
}

// While a started program has not been reaped, the wait for input wakes
// this often, so that one ended on a quiet desktop does not linger as a zombie.
constexpr int kReapPollMs = 250;

// Retrieves the next message. While there is none the thread idles: ended
// programs are reaped and the presenter is asked for input, which it
// delivers through USER's input calls; when it says none will ever come and
// nothing was queued meanwhile, it ends the process. A Fetch that finds
// nothing changes nothing, so each attempt is also the retrieval.
//
// While it waits, HasPendingWork answers for its filters: a message it would
// not take must not end the presenter's wait, or the thread spins. False
// when the filter's window was destroyed meanwhile (nothing left to wait for).
bool Retrieve(MSG* out, HWND hwnd, UINT lo, UINT hi)
{
    Queue& q = Q();
    q.waits.push_back(Filter{hwnd, lo, hi});
    struct Done {
        Queue& q;
        ~Done()
        {
            if (!q.waits.empty()) q.waits.pop_back();  // ClearQueue may have run meanwhile
        }
    } done{q};
    while (!Fetch(out, hwnd, lo, hi, true)) {
        if (FilterWindowGone(hwnd)) return false;
        shell::ReapChildren();
        const int wake = shell::ChildrenPending() ? kReapPollMs : Presenter::kNoWake;
        const bool more = host::CurrentPresenter().Idle(wake);
        if (Fetch(out, hwnd, lo, hi, true)) return true;
        if (!more && !FilterWindowGone(hwnd)) host::CurrentPresenter().Starved();
    }
    return true;
}

}  // namespace

DWORD Now()
{
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

void QueueMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Q().posted.push_back(MSG{hwnd, msg, wp, lp, Now(), Input().cursor});
}

void QueueInput(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Q().input.push_back(MSG{hwnd, msg, wp, lp, Now(), Input().cursor});
}

bool PaintRefused(const Window* w) { return w->refusedPaintAt == Q().retrievals + 1; }

bool HasPendingWork()
{
    const Queue& q = Q();
    const Filter f = q.waits.empty() ? Filter{nullptr, 0, 0} : q.waits.back();
    MSG probe;
    return FilterWindowGone(f.hwnd) || Fetch(&probe, f.hwnd, f.lo, f.hi, false);
}

void DropMessagesFor(HWND h)
{
    std::erase_if(Q().posted, [h](const MSG& m) { return m.hwnd == h; });
    std::erase_if(Q().input, [h](const MSG& m) { return m.hwnd == h; });
}

void ClearQueue() { Q() = Queue{}; }

bool NextMessageForModalLoop(MSG* msg)
{
    Retrieve(msg, nullptr, 0, 0);
    if (msg->message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg->wParam));
        return false;
    }
    return true;
}

}  // namespace host::user

using namespace host::user;

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    WNDPROC proc = w->proc;
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !FindOrFail(hwnd)) return FALSE;
    QueueMessage(hwnd, msg, wParam, lParam);
    return TRUE;
}

// Calls coalesce into the one flag; each stores its code, so the last one's
// is what WM_QUIT carries (which code survives is not documented).
void PostQuitMessage(int exitCode)
{
    Q().quit = true;
    Q().quitCode = exitCode;
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hwnd && hwnd != kThreadMessagesOnly && !FindOrFail(hwnd)) return -1;
    if (!Retrieve(msg, hwnd, filterMin, filterMax)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);  // destroyed while we waited for it
        return -1;
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg)
{
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (hwnd && hwnd != kThreadMessagesOnly && !FindOrFail(hwnd)) return FALSE;
    return Fetch(msg, hwnd, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

// A WM_PAINT handler that neither began painting nor validated the whole
// window has refused the paint: it comes again after the next other message.
LRESULT DispatchMessageW(const MSG* msg)
{
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!msg->hwnd) return 0;
    Window* w = FindOrFail(msg->hwnd);
    if (!w) return 0;
    if (msg->message != WM_PAINT) return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    int before = w->beginPaints;
    LRESULT r = SendMessageW(msg->hwnd, WM_PAINT, msg->wParam, msg->lParam);
    if ((w = Find(msg->hwnd)) && w->beginPaints == before && !w->update.Empty()) w->refusedPaintAt = Q().retrievals + 1;
    return r;
}

// Characters for the keys that have them: letters (Shift for capitals),
// digits, space and the control characters of Enter, Escape, Tab, Backspace.
BOOL TranslateMessage(const MSG* msg)
{
    if (!msg) return FALSE;
    UINT m = msg->message;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN) return m == WM_KEYUP || m == WM_SYSKEYUP;
    UINT vk = static_cast<UINT>(msg->wParam);
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    wchar_t c = 0;
    if (vk >= 'A' && vk <= 'Z')
        c = ctrl ? static_cast<wchar_t>(vk - 'A' + 1) : static_cast<wchar_t>(shift ? vk : vk + 32);
    else if (vk >= '0' && vk <= '9' && !shift) c = static_cast<wchar_t>(vk);
    else if (vk == VK_SPACE) c = L' ';
    else if (vk == VK_RETURN) c = L'\r';
    else if (vk == VK_ESCAPE) c = 0x1B;
    else if (vk == VK_TAB) c = L'\t';
    else if (vk == VK_BACK) c = 0x08;
    // Posted, as Windows does: behind whatever was posted before.
    if (c) QueueMessage(msg->hwnd, m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, c, msg->lParam);
    return TRUE;
}
