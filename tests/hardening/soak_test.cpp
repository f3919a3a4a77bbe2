// One million pointer moves through the real queue, in batches with the
// paint that follows each batch: after warm-up, resident memory stays flat.
#include "launcher_session.h"

#include <cstdio>
#include <unistd.h>

namespace {

using Probe = CLauncherDialogProbe;

// Resident set size in bytes, from /proc/self/statm.
long ResidentBytes()
{
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAsan = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAsan = true;
#else
constexpr bool kUnderAsan = false;
#endif
#else
constexpr bool kUnderAsan = false;
#endif

TEST(SoakTest, AMillionMovesWithTheirPaintsLeaveResidentMemoryFlat)
{
    // ASan's quarantine keeps freed blocks resident by design.
    if (kUnderAsan) GTEST_SKIP() << "resident memory says nothing under AddressSanitizer";

    constexpr int kBatch = 1000, kBatches = 1000, kWarmUp = 100;
    // Over every hot spot and between them; the close button only hovered.
    const POINT kPoints[] = {{150, 95}, {150, 150}, {150, 210}, {256, 13}, {276, 13}, {20, 30}, {200, 260}, {5, 120}};

    long afterWarmUp = 0, atEnd = 0;
    int paints = 0, batches = 0;
    std::unique_ptr<MessageSpy> spy;
    LauncherSession session;
    session.Then([&] {
        spy = std::make_unique<MessageSpy>(LauncherSession::Window());
        spy->onMessage = [&](const MSG& m) { paints += m.message == WM_PAINT; };
    });
    for (int b = 0; b < kBatches; ++b) {
        session.Then([&, b] {
            if (b == kWarmUp) afterWarmUp = ResidentBytes();
            spy->Clear();  // the spy keeps what it saw; only the count matters here
            for (int i = 0; i < kBatch; ++i) {
                const POINT& p = kPoints[(b + i) % std::size(kPoints)];
                LauncherSession::MoveTo(p.x, p.y);
            }
            ++batches;
        });
    }
    session.Then([&] {
        atEnd = ResidentBytes();
        LauncherSession::MoveTo(150, 150);
    });
    session.Then([&] {
        // Still tracking after the soak: only the manual entry is highlighted.
        const int* hover = Probe::Hover(Probe::Dlg());
        EXPECT_EQ(std::vector<int>(hover, hover + HOVER_COUNT), (std::vector<int>{0, 0, 0, 1, 0}));
        spy.reset();
        host::headless::Key(VK_ESCAPE);
    });
    session.Run();

    RecordProperty("paints", paints);
    RecordProperty("residentAfterWarmUp", std::to_string(afterWarmUp));
    RecordProperty("residentAtEnd", std::to_string(atEnd));
    EXPECT_EQ(batches, kBatches);
    EXPECT_GE(paints, kBatches);  // at least one paint after every batch
    ASSERT_GT(afterWarmUp, 0);
    EXPECT_LT(atEnd - afterWarmUp, 1L << 20) << "resident after warm-up " << afterWarmUp << ", at the end " << atEnd;
}

}  // namespace
