// Reader for the compiled resource (.res) format and decoders for the
// resource kinds the launcher carries. Everything here works on a byte span
// it does not own; every decoder checks each size and offset against the
// span before it reads, and refuses bad input with a ResError.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace host::res {

// A malformed or truncated input. what() says which field is wrong and where.
class ResError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Bytes = std::span<const std::uint8_t>;

// A resource type or name: an ordinal or a string (UTF-16 in the file,
// held here as UTF-16 code units).
struct ResId {
    std::variant<std::uint16_t, std::u16string> value;

    static ResId Ordinal(std::uint16_t n) { return ResId{n}; }
    static ResId Name(std::u16string s) { return ResId{std::move(s)}; }
    bool IsOrdinal() const { return value.index() == 0; }
    std::uint16_t ordinal() const { return std::get<0>(value); }
    const std::u16string& name() const { return std::get<1>(value); }
    friend bool operator==(const ResId&, const ResId&) = default;
};

// Standard resource type ordinals.
enum : std::uint16_t {
    kRtCursor = 1,
    kRtBitmap = 2,
    kRtIcon = 3,
    kRtMenu = 4,
    kRtDialog = 5,
    kRtString = 6,
    kRtGroupCursor = 12,
    kRtGroupIcon = 14,
    kRtVersion = 16,
    kRtManifest = 24,
};

struct ResEntry {
    ResId type;
    ResId name;
    std::uint16_t language = 0;
    std::uint16_t memoryFlags = 0;
    std::uint32_t dataVersion = 0;
    std::uint32_t version = 0;
    std::uint32_t characteristics = 0;
    Bytes data;  // points into the container's bytes
};

// The .res container: a sequence of RESOURCEHEADER + data records, each
// DWORD-aligned, the first being the empty 32-byte marker record (which is
// not listed).
class ResFile {
public:
    static ResFile Parse(Bytes bytes);  // throws ResError

    const std::vector<ResEntry>& entries() const { return m_entries; }
    // First entry of that type and name; with a language, only that language.
    // String types and names match without regard to ASCII case.
    const ResEntry* Find(const ResId& type, const ResId& name,
                         std::optional<std::uint16_t> language = std::nullopt) const;

private:
    std::vector<ResEntry> m_entries;
};

// The 40-byte BITMAPINFOHEADER that RT_BITMAP and RT_ICON images begin with.
struct InfoHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;  // as stored: positive means bottom-up
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0, clrImportant = 0;
};

// A decoded bitmap keeps its header as stored, beside the pixels.
struct Dib : InfoHeader {
    std::vector<std::uint32_t> pixels;  // width * |height|, row 0 at the top

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
Dib DecodeDib24(Bytes bytes);  // refuses headers other than 40 bytes, other depths, compression

// RT_GROUP_ICON: GRPICONDIR with its GRPICONDIRENTRY records.
struct IconDirEntry {
    std::uint8_t width = 0, height = 0, colorCount = 0, reserved = 0;
    std::uint16_t planes = 0, bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 0;  // RT_ICON ordinal of the image
};
struct IconGroup {
    std::uint16_t type = 0;  // 1 for icons
    std::vector<IconDirEntry> entries;
};
IconGroup DecodeIconGroup(Bytes bytes);

// RT_ICON image: BITMAPINFOHEADER (height doubled), palette, XOR bits, AND mask.
struct IconImage {
    int width = 0, height = 0;  // real height (half the header's)
    int bitCount = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> colors;   // width*height, top-down, 0x00RRGGBB
    std::vector<std::uint8_t> mask;      // width*height, top-down, 1 = transparent
    std::vector<std::uint8_t> alpha;     // 32 bpp only: width*height, top-down
};
IconImage DecodeIconImage(Bytes bytes);

// Extended dialog template (DLGTEMPLATEEX with DLGITEMTEMPLATEEX items).
struct DialogItem {
    std::uint32_t helpId = 0, exStyle = 0, style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    ResId windowClass;  // ordinal (0x0080..0x0085) or class name
    ResId title;        // text, or ordinal (resource id)
    std::vector<std::uint8_t> creationData;
};
struct DialogTemplate {
    std::uint16_t dlgVer = 0, signature = 0;
    std::uint32_t helpId = 0, exStyle = 0, style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    ResId menu;         // ordinal 0 = none
    ResId windowClass;  // ordinal 0 = the predefined dialog class
    std::u16string title;
    // present when style has DS_SETFONT (0x40)
    std::uint16_t pointSize = 0, weight = 0;
    std::uint8_t italic = 0, charset = 0;
    std::u16string typeface;
    std::vector<DialogItem> items;
};
DialogTemplate DecodeDialogEx(Bytes bytes);  // refuses the old DLGTEMPLATE form too

// VS_VERSIONINFO: the fixed part and the string/var tables, in file order.
struct VersionString {
    std::u16string key, value;
};
struct VersionStringTable {
    std::u16string key;  // e.g. "041203b5"
    std::vector<VersionString> strings;
};
struct VersionInfo {
    std::uint32_t signature = 0, strucVersion = 0;
    std::uint32_t fileVersionMS = 0, fileVersionLS = 0;
    std::uint32_t productVersionMS = 0, productVersionLS = 0;
    std::uint32_t fileFlagsMask = 0, fileFlags = 0, fileOS = 0;
    std::uint32_t fileType = 0, fileSubtype = 0;
    std::uint32_t fileDateMS = 0, fileDateLS = 0;
    std::vector<VersionStringTable> stringTables;
    std::vector<std::uint32_t> translations;  // each: LOWORD language, HIWORD code page
};
VersionInfo DecodeVersionInfo(Bytes bytes);

}  // namespace host::res
