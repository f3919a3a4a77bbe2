// The launcher's paint and pointer paths, measured in-process on the headless
// presenter. The launcher runs its real modal loop; the benchmarks run from
// its first idle, on the live window, and then Escape ends the run.
//
//   FullPaint       InvalidateRect + UpdateWindow: the title, the paint DC and
//                   the seven transfers, against a memcpy of exactly the
//                   pixels those transfers move (measured in the same
//                   iterations, so both see the same machine load).
//   MoveOverHotSpot one pointer move through the queue to finished pixels:
//                   the queued WM_MOUSEMOVE, its dispatch and invalidation,
//                   the synthesised WM_PAINT of the window and its label.
//   TenThousandMoves 10,000 moves queued before the queue is drained: the
//                   paints that follow (the window's own and all windows').
#include "app/application.h"
#include "launcher/launcher_dialog.h"
#include "launcher/layout.h"
#include "platform/host/present/headless/headless.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// The launcher window's state, for the benchmarks' own sanity checks.
struct CLauncherDialogProbe {
    static int* Hover(COrvaneCDDlg* d) { return d->m_nHover; }
};

namespace {

using Clock = std::chrono::steady_clock;

COrvaneCDDlg* Dlg() { return static_cast<COrvaneCDDlg*>(AfxGetMainWnd()); }
HWND Launcher() { return Dlg() ? Dlg()->m_hWnd : nullptr; }

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Drains the queue as the modal loop would, counting the paints.
struct Drained {
    int messages = 0, moves = 0, launcherPaints = 0, paints = 0;
};
Drained Drain()
{
    Drained d;
    const HWND launcher = Launcher();
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        ++d.messages;
        if (m.message == WM_MOUSEMOVE) ++d.moves;
        if (m.message == WM_PAINT) {
            ++d.paints;
            if (m.hwnd == launcher) ++d.launcherPaints;
        }
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    // What the modal loop does when it finds the queue empty: the wrappers
    // made for the handlers' handles go, so that the next move finds the
    // framework's maps as a user's next move would.
    AfxDeleteTempMaps();
    return d;
}

// Inside the manual entry, and below every hot spot (the reader entry's
// bottom is the lowest edge).
constexpr layout::SOrigin kInManual{layout::kManual.x + 50, layout::kManual.y + 10};
constexpr layout::SOrigin kBelowAll{layout::kReader.x + 50, layout::kReader.y + layout::kEntryHeight + 30};

void MoveTo(int clientX, int clientY)
{
    POINT pt{clientX, clientY};
    ::ClientToScreen(Launcher(), &pt);
    host::headless::MovePointer(pt.x, pt.y);
}

// Exactly what one normal paint must move, as rows of 4-byte pixels between
// buffers of the same widths as the real surfaces: T1 is what is left of
// 620x542 after clipping to the 291x277 background, T2..T6 the sprites in
// full, T7 the frame buffer cut to the client area.
// Through a pointer, so that the compiler cannot turn the fixed-width rows
// into inline copies of its own: the bound is the C library's memcpy.
void* (*volatile g_memcpy)(void*, const void*, std::size_t) = std::memcpy;

class PaintBound {
public:
    PaintBound(int clientWidth, int clientHeight)
        : m_cw(std::min(kFrameW, clientWidth)), m_ch(std::min(kFrameH, clientHeight)), m_surfaceWidth(clientWidth),
          m_background(Pixels(kBackgroundW, kBackgroundH), 0x00102030u),
          m_entry(Pixels(2 * kEntryW, kEntryH), 0x00405060u), m_button(Pixels(2 * kButtonW, kButtonH), 0x00708090u),
          m_frame(Pixels(kFrameW, kFrameH), 0u), m_surface(Pixels(clientWidth, clientHeight), 0u)
    {}

    std::size_t Bytes() const
    {
        return 4u * (Pixels(kBackgroundW, kBackgroundH) + 3u * Pixels(kEntryW, kEntryH) +
                     2u * Pixels(kButtonW, kButtonH) + Pixels(m_cw, m_ch));
    }

    // The sprites from the frames one move over the manual entry leaves.
    void Run()
    {
        using namespace layout;
        Rows(m_frame.data(), kFrameW, {0, 0}, m_background.data(), kBackgroundW, 0, kBackgroundW, kBackgroundH);
        Rows(m_frame.data(), kFrameW, kSetup, m_entry.data(), 2 * kEntryW, 0, kEntryW, kEntryH);
        Rows(m_frame.data(), kFrameW, kManual, m_entry.data(), 2 * kEntryW, kEntryW, kEntryW, kEntryH);
        Rows(m_frame.data(), kFrameW, kReader, m_entry.data(), 2 * kEntryW, 0, kEntryW, kEntryH);
        Rows(m_frame.data(), kFrameW, kMinimize, m_button.data(), 2 * kButtonW, 0, kButtonW, kButtonH);
        Rows(m_frame.data(), kFrameW, kClose, m_button.data(), 2 * kButtonW, kButtonW, kButtonW, kButtonH);
        Rows(m_surface.data(), m_surfaceWidth, {0, 0}, m_frame.data(), kFrameW, 0, m_cw, m_ch);
        benchmark::DoNotOptimize(m_surface.data());
        benchmark::ClobberMemory();
    }

private:
    static constexpr int kFrameW = layout::kFrameWidth, kFrameH = layout::kFrameHeight;
    static constexpr int kBackgroundW = layout::kBackgroundWidth, kBackgroundH = layout::kBackgroundHeight;
    static constexpr int kEntryW = layout::kEntryWidth, kEntryH = layout::kEntryHeight;
    static constexpr int kButtonW = layout::kButtonWidth, kButtonH = layout::kButtonHeight;

    static std::size_t Pixels(int w, int h) { return static_cast<std::size_t>(w) * static_cast<std::size_t>(h); }

    static void Rows(std::uint32_t* dst, int dstWidth, layout::SOrigin at, const std::uint32_t* src, int srcWidth,
                     int sx, int w, int h)
    {
        for (int r = 0; r < h; ++r)
            g_memcpy(dst + static_cast<std::size_t>(at.y + r) * dstWidth + at.x,
                     src + static_cast<std::size_t>(r) * srcWidth + sx, static_cast<std::size_t>(w) * 4);
    }

    int m_cw, m_ch, m_surfaceWidth;
    std::vector<std::uint32_t> m_background, m_entry, m_button, m_frame, m_surface;
};

void FullPaint(benchmark::State& state)
{
    const HWND hwnd = Launcher();
    RECT client;
    ::GetClientRect(hwnd, &client);
    PaintBound bound(client.right, client.bottom);
    Drain();

    std::vector<double> paint, memcpyBound;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ::InvalidateRect(hwnd, nullptr, FALSE);
        ::UpdateWindow(hwnd);
        const auto t1 = Clock::now();
        bound.Run();
        const auto t2 = Clock::now();
        paint.push_back(Seconds(t1 - t0));
        memcpyBound.push_back(Seconds(t2 - t1));
        state.SetIterationTime(Seconds(t1 - t0));
    }
    Drain();  // the label, left invalid by the window's invalidation

    const double p = Median(paint), b = Median(memcpyBound);
    state.counters["paint_us"] = p * 1e6;
    state.counters["bound_us"] = b * 1e6;
    state.counters["ratio"] = b > 0 ? p / b : 0;
    state.counters["bytes"] = static_cast<double>(bound.Bytes());
    state.counters["client_w"] = client.right;
    state.counters["client_h"] = client.bottom;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bound.Bytes()));
}

void MoveOverHotSpot(benchmark::State& state)
{
    Drain();
    bool on = false;
    std::int64_t paints = 0;
    for (auto _ : state) {
        on = !on;
        if (on) MoveTo(kInManual.x, kInManual.y);
        else MoveTo(kBelowAll.x, kBelowAll.y);
        const Drained d = Drain();
        paints += d.launcherPaints;
        if (CLauncherDialogProbe::Hover(Dlg())[HOVER_MANUAL] != (on ? 1 : 0) || d.launcherPaints != 1) {
            state.SkipWithError("a move did not end in one paint with the expected hover state");
            break;
        }
    }
    state.counters["paints_per_move"] =
        benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
}

void TenThousandMoves(benchmark::State& state)
{
    Drain();
    int maxLauncherPaints = 0, maxPaints = 0, minMoves = 1 << 30;
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            if (i % 2) MoveTo(kInManual.x, kInManual.y);
            else MoveTo(kBelowAll.x + (i % 100), kBelowAll.y);
        }
        const Drained d = Drain();
        maxLauncherPaints = std::max(maxLauncherPaints, d.launcherPaints);
        maxPaints = std::max(maxPaints, d.paints);
        minMoves = std::min(minMoves, d.moves);
    }
    state.counters["moves"] = minMoves;
    state.counters["launcher_paints"] = maxLauncherPaints;
    state.counters["all_paints"] = maxPaints;
    if (maxPaints > 2 || minMoves != 10000) state.SkipWithError("10,000 moves did not end in at most two paints");
}

}  // namespace

BENCHMARK(FullPaint)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(MoveOverHotSpot)->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(TenThousandMoves)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    ::setenv("ORVANE_PRESENTER", "headless", 1);
    ::unsetenv("ORVANE_HEADLESS_SCRIPT");
    host::headless::Reset();
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOWDEFAULT);

    bool ran = false;
    host::headless::SetIdleHook([&ran] {
        if (!ran && Launcher()) {
            ran = true;
            benchmark::RunSpecifiedBenchmarks();
        }
        host::headless::Key(VK_ESCAPE);
    });
    theApp.InitInstance();
    host::headless::SetIdleHook(nullptr);
    benchmark::Shutdown();
    if (!ran) {
        std::fprintf(stderr, "paint_bench: the launcher window never idled\n");
        return 1;
    }
    return 0;
}
