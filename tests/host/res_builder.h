// Builders for resource bytes in tests: each writes the documented layout
// directly, so that a decoder is checked against an independent encoder.
#pragma once

#include "platform/host/res/format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace restest {

using host::res::ResId;
using ByteVec = std::vector<std::uint8_t>;

class Out {
public:
    Out& u8(std::uint8_t v)
    {
        b.push_back(v);
        return *this;
    }
    Out& u16(std::uint16_t v)
    {
        u8(v & 0xFF);
        return u8(v >> 8);
    }
    Out& u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        return u16(v >> 16);
    }
    Out& sz(const std::u16string& s)
    {
        for (char16_t c : s) u16(c);
        return u16(0);
    }
    Out& id(const ResId& r)
    {  // .res / sz_Or_Ord form
        if (r.IsOrdinal()) return u16(0xFFFF).u16(r.ordinal());
        return sz(r.name());
    }
    Out& align4()
    {
        while (b.size() % 4) u8(0);
        return *this;
    }
    Out& raw(const ByteVec& v)
    {
        b.insert(b.end(), v.begin(), v.end());
        return *this;
    }
    std::size_t size() const { return b.size(); }
    ByteVec b;
};

inline void Put16(ByteVec& b, std::size_t at, std::uint16_t v)
{
    b.at(at) = v & 0xFF;
    b.at(at + 1) = v >> 8;
}
inline void Put32(ByteVec& b, std::size_t at, std::uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// ---- .res container ----
struct Record {
    ResId type = ResId::Ordinal(2);
    ResId name = ResId::Ordinal(1);
    std::uint16_t language = 1042;
    ByteVec data;
    std::uint32_t dataVersion = 0;
    std::uint16_t memoryFlags = 0x1030;
    std::uint32_t version = 0, characteristics = 0;
};

inline void AppendRecord(Out& o, const Record& r)
{
    Out h;
    h.id(r.type).id(r.name).align4();
    h.u32(r.dataVersion).u16(r.memoryFlags).u16(r.language).u32(r.version).u32(r.characteristics);
    o.u32(static_cast<std::uint32_t>(r.data.size())).u32(static_cast<std::uint32_t>(h.size() + 8));
    o.raw(h.b).raw(r.data).align4();
}

inline ByteVec MakeRes(const std::vector<Record>& records)
{
    Out o;
    AppendRecord(o, Record{ResId::Ordinal(0), ResId::Ordinal(0), 0, {}, 0, 0, 0, 0});
    for (const Record& r : records) AppendRecord(o, r);
    return o.b;
}

// ---- bitmaps ----
// A 24-bit DIB from top-down 0x00RRGGBB pixels; negative height stores it top-down.
inline ByteVec MakeDib24(int width, int height, const std::vector<std::uint32_t>& topDown, bool fillSizeImage = true)
{
    const int rows = height < 0 ? -height : height;
    const std::size_t stride = ((static_cast<std::size_t>(width) * 24 + 31) / 32) * 4;
    Out o;
    o.u32(40).u32(static_cast<std::uint32_t>(width)).u32(static_cast<std::uint32_t>(height));
    o.u16(1).u16(24).u32(0).u32(fillSizeImage ? static_cast<std::uint32_t>(stride * rows) : 0);
    o.u32(0).u32(0).u32(0).u32(0);
    for (int r = 0; r < rows; ++r) {
        const int y = height > 0 ? rows - 1 - r : r;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = topDown.at(static_cast<std::size_t>(y) * width + x);
            o.u8(p & 0xFF).u8((p >> 8) & 0xFF).u8((p >> 16) & 0xFF);
        }
        for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad) o.u8(0xEE);
    }
    return o.b;
}

// An RT_ICON image: `values` are palette indices (bpp <= 8) or 0xAARRGGBB.
inline ByteVec MakeIconImage(int width, int height, int bpp, const std::vector<std::uint32_t>& palette,
                             const std::vector<std::uint32_t>& values, const std::vector<std::uint8_t>& mask)
{
    Out o;
    o.u32(40).u32(static_cast<std::uint32_t>(width)).u32(static_cast<std::uint32_t>(height * 2));
    o.u16(1).u16(static_cast<std::uint16_t>(bpp)).u32(0).u32(0).u32(0).u32(0);
    o.u32(static_cast<std::uint32_t>(bpp <= 8 && palette.size() == (1u << bpp) ? 0 : palette.size())).u32(0);
    for (std::uint32_t c : palette) o.u8(c & 0xFF).u8((c >> 8) & 0xFF).u8((c >> 16) & 0xFF).u8(0);
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    const std::size_t mstride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    for (int r = height - 1; r >= 0; --r) {
        ByteVec line(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = values.at(static_cast<std::size_t>(r) * width + x);
            if (bpp <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                line[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bpp - bit % 8));
            } else {
                const std::size_t at = static_cast<std::size_t>(x) * (bpp / 8);
                line[at] = v & 0xFF;
                line[at + 1] = (v >> 8) & 0xFF;
                line[at + 2] = (v >> 16) & 0xFF;
                if (bpp == 32) line[at + 3] = (v >> 24) & 0xFF;
            }
        }
        o.raw(line);
    }
    for (int r = height - 1; r >= 0; --r) {
        ByteVec line(mstride, 0);
        for (int x = 0; x < width; ++x)
            if (mask.at(static_cast<std::size_t>(r) * width + x))
                line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        o.raw(line);
    }
    return o.b;
}

inline ByteVec MakeIconGroup(const std::vector<host::res::IconDirEntry>& entries)
{
    Out o;
    o.u16(0).u16(1).u16(static_cast<std::uint16_t>(entries.size()));
    for (const auto& e : entries)
        o.u8(e.width)
            .u8(e.height)
            .u8(e.colorCount)
            .u8(e.reserved)
            .u16(e.planes)
            .u16(e.bitCount)
            .u32(e.bytesInRes)
            .u16(e.id);
    return o.b;
}

// ---- dialog templates ----
inline void PutSzOrOrd(Out& o, const ResId& r, bool zeroIsNone)
{
    if (zeroIsNone && r.IsOrdinal() && r.ordinal() == 0) o.u16(0);
    else o.id(r);
}

inline ByteVec EncodeDialogEx(const host::res::DialogTemplate& d)
{
    Out o;
    o.u16(d.dlgVer).u16(d.signature).u32(d.helpId).u32(d.exStyle).u32(d.style);
    o.u16(static_cast<std::uint16_t>(d.items.size()));
    o.u16(static_cast<std::uint16_t>(d.x)).u16(static_cast<std::uint16_t>(d.y));
    o.u16(static_cast<std::uint16_t>(d.cx)).u16(static_cast<std::uint16_t>(d.cy));
    PutSzOrOrd(o, d.menu, true);
    PutSzOrOrd(o, d.windowClass, true);
    o.sz(d.title);
    if (d.style & 0x40) o.u16(d.pointSize).u16(d.weight).u8(d.italic).u8(d.charset).sz(d.typeface);
    for (const auto& it : d.items) {
        o.align4();
        o.u32(it.helpId).u32(it.exStyle).u32(it.style);
        o.u16(static_cast<std::uint16_t>(it.x)).u16(static_cast<std::uint16_t>(it.y));
        o.u16(static_cast<std::uint16_t>(it.cx)).u16(static_cast<std::uint16_t>(it.cy));
        o.u32(it.id);
        PutSzOrOrd(o, it.windowClass, false);
        PutSzOrOrd(o, it.title, false);
        o.u16(static_cast<std::uint16_t>(it.creationData.size())).raw(it.creationData);
    }
    return o.b;
}

// ---- version blocks ----
struct VBlock {
    std::u16string key;
    std::uint16_t type = 1;
    std::uint16_t valueLength = 0;  // units for text, bytes for binary
    ByteVec value;
    std::vector<VBlock> children;
};

inline VBlock Text(std::u16string key, const std::u16string& value)
{
    Out v;
    v.sz(value);
    return VBlock{std::move(key), 1, static_cast<std::uint16_t>(value.size() + 1), v.b, {}};
}
inline VBlock Binary(std::u16string key, ByteVec value)
{
    const auto n = static_cast<std::uint16_t>(value.size());
    return VBlock{std::move(key), 0, n, std::move(value), {}};
}
inline VBlock Node(std::u16string key, std::vector<VBlock> children)
{
    return VBlock{std::move(key), 1, 0, {}, std::move(children)};
}

// Offsets inside the output are relative to its start, which is DWORD
// aligned wherever a block is placed.
inline ByteVec EncodeBlock(const VBlock& b)
{
    Out o;
    o.u16(0).u16(b.valueLength).u16(b.type).sz(b.key).align4().raw(b.value);
    for (const VBlock& c : b.children) o.align4().raw(EncodeBlock(c));
    Put16(o.b, 0, static_cast<std::uint16_t>(o.size()));
    return o.b;
}

inline ByteVec FixedInfo(std::uint32_t signature = 0xFEEF04BD)
{
    Out o;
    o.u32(signature).u32(0x00010000).u32(0x00010000).u32(0x00000001).u32(0x00010000).u32(0x00000001);
    o.u32(0x3F).u32(0x1).u32(0x4).u32(0x1).u32(0).u32(0).u32(0);
    return o.b;
}

}  // namespace restest
