// Shared by the window-manager tests: a clean host per test, dialogs built
// from templates, and a dialog procedure that records what it receives.
#pragma once

#include "host/res_builder.h"
#include "platform/host/present/headless/headless.h"
#include "platform/host/user/presenting.h"
#include "platform/host/win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace usertest {

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};

inline std::vector<Seen>& Log()
{
    static std::vector<Seen> log;
    return log;
}

// What the recording dialog procedure answers; FALSE (default handling) when unset.
inline std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>& Answer()
{
    static std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> f;
    return f;
}

inline INT_PTR CALLBACK RecordingDlgProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    Log().push_back({h, m, w, l});
    return Answer() ? Answer()(h, m, w, l) : FALSE;
}

inline std::vector<UINT> MessagesTo(HWND h, std::initializer_list<UINT> only = {})
{
    std::vector<UINT> out;
    for (const Seen& s : Log())
        if (s.hwnd == h && (only.size() == 0 || std::find(only.begin(), only.end(), s.msg) != only.end()))
            out.push_back(s.msg);
    return out;
}

inline int Count(HWND h, UINT msg)
{
    int n = 0;
    for (const Seen& s : Log()) n += s.hwnd == h && s.msg == msg;
    return n;
}

struct Control {
    std::uint16_t classOrdinal = 0x0082;
    std::uint32_t id = 0;
    std::uint32_t style = WS_CHILD | WS_VISIBLE;
    std::int16_t x = 0, y = 0, cx = 10, cy = 8;
    std::u16string text;
};

inline Control Ctl(std::uint16_t classOrdinal, std::uint32_t id, std::uint32_t style = WS_CHILD | WS_VISIBLE)
{
    Control c;
    c.classOrdinal = classOrdinal;
    c.id = id;
    c.style = style;
    return c;
}

inline restest::ByteVec DialogBytes(std::uint32_t style, std::int16_t x, std::int16_t y, std::int16_t cx,
                                    std::int16_t cy, const std::vector<Control>& controls = {},
                                    std::u16string face = u"굴림", std::uint16_t points = 9)
{
    host::res::DialogTemplate d;
    d.dlgVer = 1;
    d.signature = 0xFFFF;
    d.style = style;
    d.x = x;
    d.y = y;
    d.cx = cx;
    d.cy = cy;
    d.pointSize = points;
    d.weight = 400;
    d.charset = 129;
    d.typeface = face;
    for (const Control& c : controls) {
        host::res::DialogItem it;
        it.style = c.style;
        it.x = c.x;
        it.y = c.y;
        it.cx = c.cx;
        it.cy = c.cy;
        it.id = c.id;
        it.windowClass = host::res::ResId::Ordinal(c.classOrdinal);
        it.title = host::res::ResId::Name(c.text);
        d.items.push_back(it);
    }
    restest::ByteVec b = restest::EncodeDialogEx(d);
    b.resize(b.size() + 8, 0);  // room to spare, as a resource section would have
    return b;
}

inline HWND MakeDialog(const restest::ByteVec& bytes, HWND parent = nullptr, LPARAM param = 0)
{
    return CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), parent,
                                      RecordingDlgProc, param);
}

// Dispatches everything queued (paints included), through the dialog
// manager when a dialog is given. Never blocks.
inline void Pump(HWND dlg = nullptr, int limit = 100000)
{
    MSG m;
    while (limit-- > 0 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        if (dlg && IsWindow(dlg) && IsDialogMessageW(dlg, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

class UserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::headless::Reset();
        Log().clear();
        Answer() = nullptr;
    }
    void TearDown() override
    {
        host::headless::Reset();
        Answer() = nullptr;
        Log().clear();
    }
};

}  // namespace usertest
