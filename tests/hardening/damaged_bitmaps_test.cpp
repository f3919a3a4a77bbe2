// Runs whose bitmaps are missing or damaged: the window still opens, paints
// every frame (hover states, minimized, restored) and ends by Escape, and
// nothing reads outside a buffer (the ASan build checks that).
#include "launcher_session.h"

#include "platform/host/kernel/module.h"
#include "res_records.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using hardening::ByteVector;
using hardening::ResRecord;
using Probe = CLauncherDialogProbe;

constexpr std::uint16_t kRtBitmap = 2;

struct Damage {
    const char* name;
    // Returns false to drop the record altogether.
    std::function<bool(ByteVector&)> apply;
};

const Damage kDamages[] = {
    {"Missing", [](ByteVector&) { return false; }},
    {"ZeroSize",
     [](ByteVector& d) {
         d.clear();
         return true;
     }},
    {"OneByte",
     [](ByteVector& d) {
         d.resize(1);
         return true;
     }},
    {"HeaderOnly",
     [](ByteVector& d) {
         d.resize(40);
         return true;
     }},
    {"HalfTheRows",
     [](ByteVector& d) {
         d.resize(40 + (d.size() - 40) / 2);
         return true;
     }},
    {"LastByteCut",
     [](ByteVector& d) {
         d.pop_back();
         return true;
     }},
    // A header that claims 32768 x 32768 pixels over the real, small rows.
    {"HugeClaimedSize",
     [](ByteVector& d) {
         for (int at : {4, 8}) {
             d[at] = 0x00;
             d[at + 1] = 0x80;
             d[at + 2] = 0;
             d[at + 3] = 0;
         }
         return true;
     }},
    // Bottom-up flipped to top-down with a negative height of INT32_MIN.
    {"MostNegativeHeight",
     [](ByteVector& d) {
         d[8] = 0;
         d[9] = 0;
         d[10] = 0;
         d[11] = 0x80;
         return true;
     }},
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

// The real resources with `damage` done to every bitmap.
ByteVector DamagedResources(const Damage& damage)
{
    std::vector<ResRecord> records = hardening::SplitRecords(hardening::ReadAll(ORVANE_RES_PATH));
    std::vector<ResRecord> kept;
    for (ResRecord& r : records) {
        if (r.Type() == kRtBitmap && !damage.apply(r.data)) continue;
        kept.push_back(std::move(r));
    }
    return hardening::JoinRecords(kept);
}

class DamagedBitmapsTest : public testing::TestWithParam<Damage> {
protected:
    void TearDown() override { host::RestoreModuleResources(); }
};

TEST_P(DamagedBitmapsTest, TheWindowOpensPaintsEveryStateAndEndsByEscape)
{
    host::headless::Reset();
    host::ReplaceModuleResources(DamagedResources(GetParam()));
    ASSERT_NE(host::FindModuleResource(host::res::ResId::Ordinal(5), host::res::ResId::Ordinal(102)), nullptr);

    int paints = 0, paintsBefore = 0;
    auto painted = [&] {
        EXPECT_GT(paints, paintsBefore) << "no paint after the last step";
        paintsBefore = paints;
    };
    LauncherSession session;
    session.Then([&] {
        ASSERT_NE(LauncherSession::Window(), nullptr);
        EXPECT_TRUE(::IsWindowVisible(LauncherSession::Window()));
        // Every picture is unusable, so none of the six was loaded.
        COrvaneCDDlg* d = Probe::Dlg();
        for (EFrameSurface s :
             {SURFACE_BACKGROUND, SURFACE_SETUP, SURFACE_MANUAL, SURFACE_READER, SURFACE_MINIMIZE, SURFACE_CLOSE})
            EXPECT_EQ(Probe::Bitmap(d, s).m_hObject, nullptr) << s;
        EXPECT_NE(Probe::Bitmap(d, SURFACE_FRAME).m_hObject, nullptr);
    });
    std::unique_ptr<MessageSpy> spy;
    session.Then([&] {
        spy = std::make_unique<MessageSpy>(LauncherSession::Window());
        spy->onMessage = [&](const MSG& m) { paints += m.message == WM_PAINT; };
        LauncherSession::MoveTo(5, 270);
    });
    // Over each hot spot (the close button only hovered), then outside them.
    for (auto [x, y] : {std::pair{150, 95}, {150, 150}, {150, 210}, {256, 13}, {276, 13}, {60, 60}})
        session.Then([&, x = x, y = y] {
            painted();
            LauncherSession::MoveTo(x, y);
        });
    session.Then([&] {
        painted();
        ::ShowWindow(LauncherSession::Window(), SW_MINIMIZE);
    });
    session.Then([&] {
        painted();  // the icon
        ::ShowWindow(LauncherSession::Window(), SW_RESTORE);
    });
    session.Then([&] {
        painted();
        const RECT small{10, 10, 20, 20};
        ::InvalidateRect(LauncherSession::Window(), &small, FALSE);
    });
    session.Then([&] {
        painted();
        const auto shot = host::headless::Snapshot(LauncherSession::Window());
        EXPECT_GT(shot.width, 0);
        EXPECT_EQ(shot.pixels.size(), static_cast<std::size_t>(shot.width) * shot.height);
        spy.reset();
        host::headless::Key(VK_ESCAPE);
    });
    COrvaneCDDlg dlg;
    EXPECT_EQ(session.RunDialog(dlg), IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(EveryBitmap, DamagedBitmapsTest, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

}  // namespace
