// RT_VERSION: the VS_VERSIONINFO tree of length-prefixed blocks.

#include "res/byte_reader.h"
#include "base/utf.h"
#include "res/format.h"

#include <algorithm>

namespace host::res {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedSize = 52;

std::size_t Align4(std::size_t n) { return (n + 3) & ~std::size_t{3}; }

// One block: wLength, wValueLength, wType, szKey, padding, Value, padding,
// children. Its extent is [start, end); children fill [childrenAt, end).
struct Block {
    std::string path;
    std::size_t start = 0, end = 0, childrenAt = 0;
    std::uint16_t type = 0;
    std::u16string key;
    Bytes value;
};

Block ReadBlock(Bytes all, std::size_t start, std::size_t parentEnd, const std::string& path)
{
    ByteReader c(all.first(parentEnd), "version", start);
    Block b;
    b.path = path;
    b.start = start;
    const std::uint16_t length = c.U16(path + " wLength");
    const std::uint16_t valueLength = c.U16(path + " wValueLength");
    b.type = c.U16(path + " wType");
    if (length < 6) c.FailAt(start, path + " wLength", std::to_string(length) + " is smaller than its header");
    if (start + length > parentEnd)
        c.FailAt(start, path + " wLength",
                 std::to_string(length) + " runs past its parent, which ends at " + Hex(parentEnd));
    if (b.type > 1) c.FailAt(start + 4, path + " wType", std::to_string(b.type) + " is neither 0 nor 1");
    b.end = start + length;

    // From here on nothing may be read beyond the block's own length.
    ByteReader in(all.first(b.end), "version", c.pos());
    b.key = in.Sz(path + " szKey");
    const std::size_t valueBytes = b.type == 1 ? std::size_t{valueLength} * 2 : valueLength;
    if (valueBytes == 0) {
        // An empty value may leave out the padding at the very end of a block.
        in.Seek(std::min(Align4(in.pos()), b.end));
    } else {
        in.Align4(path + " szKey");
        if (valueBytes > in.remaining())
            in.FailAt(start + 2, path + " wValueLength",
                      std::to_string(valueLength) + (b.type == 1 ? " units" : " bytes") +
                          " run past the block's end at " + Hex(b.end));
    }
    b.value = in.Take(valueBytes, path + " Value");
    b.childrenAt = std::min(Align4(in.pos()), b.end);
    return b;
}

template <typename Fn> void ForEachChild(Bytes all, const Block& parent, Fn&& fn)
{
    std::size_t at = parent.childrenAt;
    for (int i = 0; at < parent.end; ++i) {
        Block child = ReadBlock(all, at, parent.end, parent.path + "/" + std::to_string(i));
        child.path = parent.path + "/" + ToUtf8(child.key);
        at = Align4(child.end);
        fn(child);
    }
}

std::u16string TextValue(const Block& b)
{
    std::u16string s;
    for (std::size_t i = 0; i + 1 < b.value.size(); i += 2) {
        const auto unit = static_cast<char16_t>(b.value[i] | (b.value[i + 1] << 8));
        if (unit == 0) break;
        s.push_back(unit);
    }
    return s;
}

void ReadFixed(const Block& root, VersionInfo& v)
{
    if (root.value.empty()) return;  // the fixed part is optional
    ByteReader c(root.value, "version", 0);
    if (root.value.size() != kFixedSize)
        throw ResError("version: VS_VERSIONINFO wValueLength: " + std::to_string(root.value.size()) +
                       " bytes, VS_FIXEDFILEINFO has 52");
    v.signature = c.U32("dwSignature");
    if (v.signature != kFixedSignature)
        throw ResError("version: VS_FIXEDFILEINFO dwSignature: " + Hex(v.signature) + " is not 0xFEEF04BD");
    v.strucVersion = c.U32("dwStrucVersion");
    v.fileVersionMS = c.U32("dwFileVersionMS");
    v.fileVersionLS = c.U32("dwFileVersionLS");
    v.productVersionMS = c.U32("dwProductVersionMS");
    v.productVersionLS = c.U32("dwProductVersionLS");
    v.fileFlagsMask = c.U32("dwFileFlagsMask");
    v.fileFlags = c.U32("dwFileFlags");
    v.fileOS = c.U32("dwFileOS");
    v.fileType = c.U32("dwFileType");
    v.fileSubtype = c.U32("dwFileSubtype");
    v.fileDateMS = c.U32("dwFileDateMS");
    v.fileDateLS = c.U32("dwFileDateLS");
}

}  // namespace

VersionInfo DecodeVersionInfo(Bytes bytes)
{
    const Block root = ReadBlock(bytes, 0, bytes.size(), "VS_VERSIONINFO");
    if (root.key != u"VS_VERSION_INFO")
        throw ResError("version: VS_VERSIONINFO szKey: \"" + ToUtf8(root.key) + "\" is not \"VS_VERSION_INFO\"");
    VersionInfo v;
    ReadFixed(root, v);
    ForEachChild(bytes, root, [&](const Block& child) {
        if (child.key == u"StringFileInfo") {
            ForEachChild(bytes, child, [&](const Block& table) {
                VersionStringTable t;
                t.key = table.key;
                ForEachChild(bytes, table, [&](const Block& str) { t.strings.push_back({str.key, TextValue(str)}); });
                v.stringTables.push_back(std::move(t));
            });
        } else if (child.key == u"VarFileInfo") {
            ForEachChild(bytes, child, [&](const Block& var) {
                if (var.key != u"Translation") return;
                if (var.value.size() % 4 != 0)
                    throw ResError("version: " + var.path + " wValueLength: " + std::to_string(var.value.size()) +
                                   " bytes is not a whole number of language/code-page pairs");
                ByteReader c(var.value, "version " + var.path);
                while (c.remaining() > 0) v.translations.push_back(c.U32("Value"));
            });
        }
        // Other blocks carry nothing we show; they were still checked above.
    });
    return v;
}

}  // namespace host::res
