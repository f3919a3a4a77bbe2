// What the launcher window should show, built from the decoded bitmaps: the
// background with the five sprites at their origins, each in the frame its
// hover state selects.
#pragma once

#include "launcher/hot_spot.h"
#include "platform/host/kernel/module.h"
#include "res/resource.h"
#include "platform/host/res/format.h"

#include <cstdint>
#include <vector>

struct ExpectedPicture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline host::res::Dib LoadLauncherBitmap(int id)
{
    const host::res::ResEntry* entry = host::FindModuleResource(
        host::res::ResId::Ordinal(host::res::kRtBitmap), host::res::ResId::Ordinal(static_cast<std::uint16_t>(id)));
    if (!entry) throw std::runtime_error("bitmap missing");
    return host::res::DecodeDib24(entry->data);
}

// hover: minimize, close, setup, manual, reader (the window's index order).
inline ExpectedPicture ComposeExpected(const int (&hover)[HOVER_COUNT])
{
    const host::res::Dib background = LoadLauncherBitmap(IDB_BACKGROUND);
    ExpectedPicture pic{background.width, background.height, background.pixels};
    struct Sprite {
        int id, hover, x, y, w, h;
    };
    const Sprite sprites[] = {
        {IDB_SETUP_ENTRY, hover[HOVER_SETUP], 100, 85, kEntryWidth, kEntryHeight},
        {IDB_MANUAL_ENTRY, hover[HOVER_MANUAL], 100, 140, kEntryWidth, kEntryHeight},
        {IDB_READER_ENTRY, hover[HOVER_READER], 100, 200, kEntryWidth, kEntryHeight},
        {IDB_MINIMIZE_BUTTON, hover[HOVER_MINIMIZE], 248, 5, kButtonWidth, kButtonHeight},
        {IDB_CLOSE_BUTTON, hover[HOVER_CLOSE], 268, 5, kButtonWidth, kButtonHeight},
    };
    for (const Sprite& s : sprites) {
        const host::res::Dib strip = LoadLauncherBitmap(s.id);
        for (int y = 0; y < s.h; ++y)
            for (int x = 0; x < s.w; ++x)
                pic.pixels[static_cast<std::size_t>(s.y + y) * pic.width + s.x + x] = strip.At(s.hover * s.w + x, y);
    }
    return pic;
}
