// artgen: draws the launcher's bitmaps and icon into the folder named on the
// command line. Run by hand (the "art" target); the normal build uses the
// committed results in res/.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "art.h"
#include "bmp_writer.h"
#include "ico_writer.h"

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: artgen OUTPUT_FOLDER [PREVIEW_FOLDER]\n");
        return 2;
    }
    try {
        using namespace artgen;
        const fs::path out = argv[1];
        if (!fs::is_directory(out)) throw std::runtime_error("not a folder: " + out.string());

        WriteBmp24(DrawBackground(), out / "background.bmp");
        WriteBmp24(DrawEntryStrip(EEntry::kSetup), out / "setup_entry.bmp");
        WriteBmp24(DrawEntryStrip(EEntry::kManual), out / "manual_entry.bmp");
        WriteBmp24(DrawEntryStrip(EEntry::kReader), out / "reader_entry.bmp");
        WriteBmp24(DrawButtonStrip(EButton::kClose), out / "close_button.bmp");
        WriteBmp24(DrawButtonStrip(EButton::kMinimize), out / "minimize_button.bmp");
        const std::vector<CIconImage> icons = DrawIcons();
        WriteIco(icons, out / "launcher.ico");

        // Optional: the icon images as bitmaps on a grey ground, for looking.
        if (argc == 3) {
            const fs::path preview = argv[2];
            fs::create_directories(preview);
            for (const CIconImage& icon : icons)
                WriteBmp24(icon.Preview({0, 128, 128}), preview / ("icon" + std::to_string(icon.Size()) + ".bmp"));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
