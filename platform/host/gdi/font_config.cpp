// A launcher that carries its faces ("fonts" beside the executable, as the
// disc's does) has them matched as well as the system's. The disc's build
// (ORVANE_CARRIED_FONTS_ONLY) reads no system configuration at all: the
// desktop's may be written for a newer fontconfig than the one linked in
// (elements it warns about), and scanning its faces caches them into the
// user's home on a first start; the label is drawn in the carried face.
#include "gdi/font_config.h"

#include "kernel/module.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <string>

namespace host::gdi {
namespace {

// The carried faces' folder, or "" when the launcher carries none.
std::string CarriedFacesDir()
{
    std::string dir = ExecutablePath();
    if (dir.empty()) return {};
    dir = dir.substr(0, dir.find_last_of('/') + 1) + "fonts";
    std::error_code error;
    return std::filesystem::is_directory(dir, error) ? dir : std::string{};
}

#ifdef ORVANE_CARRIED_FONTS_ONLY

// An empty configuration (no cache folder: nothing is written) with the
// carried faces as application fonts. They are added file by file (hidden
// files left out): adding the folder would have fontconfig mark it with a
// .uuid file.
bool MakeConfig()
{
    FcConfig* config = FcConfigCreate();
    if (!config) return false;
    std::error_code error;
    const std::string dir = CarriedFacesDir();
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error) && it->path().filename().c_str()[0] != '.')
            FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(it->path().c_str()));
    if (FcConfigSetCurrent(config) == FcTrue) return true;
    FcConfigDestroy(config);
    return false;
}

#else

// The system has an outline face for Korean text.
bool SystemHasKorean()
{
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* found = nullptr;
    if (pattern && objects) {
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ko"));
        FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
        found = FcFontList(nullptr, pattern, objects);
    }
    const bool has = found && found->nfont > 0;
    if (found) FcFontSetDestroy(found);
    if (objects) FcObjectSetDestroy(objects);
    if (pattern) FcPatternDestroy(pattern);
    return has;
}

// The system's configuration; the carried faces are lent to a system
// without a Korean face, so the Korean text still reads on an English
// desktop.
bool MakeConfig()
{
    if (FcInit() != FcTrue) return false;
    const std::string dir = CarriedFacesDir();
    if (!dir.empty() && !SystemHasKorean())
        FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(dir.c_str()));
    return true;
}

#endif

}  // namespace

bool FontConfigReady()
{
    static const bool ready = MakeConfig();
    return ready;
}

}  // namespace host::gdi
