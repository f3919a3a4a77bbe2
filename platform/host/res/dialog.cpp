// RT_DIALOG in the extended form: DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items.

#include "res/byte_reader.h"
#include "res/format.h"

namespace host::res {
namespace {

constexpr std::uint32_t kDsSetFont = 0x40;

// In the template's own menu and class fields a lone 0x0000 means "none",
// held as ordinal 0.
ResId NoneIfEmpty(ResId id)
{
    if (!id.IsOrdinal() && id.name().empty()) return ResId::Ordinal(0);
    return id;
}

DialogItem ReadItem(ByteReader& c, int index)
{
    const std::string f = "item " + std::to_string(index) + " ";
    // Items start on DWORD boundaries counted from the template's start.
    c.Align4(f + "alignment");
    DialogItem it;
    it.helpId = c.U32(f + "helpID");
    it.exStyle = c.U32(f + "exStyle");
    it.style = c.U32(f + "style");
    it.x = c.I16(f + "x");
    it.y = c.I16(f + "y");
    it.cx = c.I16(f + "cx");
    it.cy = c.I16(f + "cy");
    it.id = c.U32(f + "id");
    it.windowClass = c.SzOrOrd(f + "windowClass");
    it.title = c.SzOrOrd(f + "title");
    const std::uint16_t extra = c.U16(f + "extraCount");
    const Bytes data = c.Take(extra, f + "creation data");
    it.creationData.assign(data.begin(), data.end());
    return it;
}

}  // namespace

DialogTemplate DecodeDialogEx(Bytes bytes)
{
    ByteReader c(bytes, "dialog");
    DialogTemplate d;
    d.dlgVer = c.U16("dlgVer");
    d.signature = c.U16("signature");
    if (d.signature != 0xFFFF)
        c.FailAt(2, "signature", Hex(d.signature) + " is not 0xFFFF: an old-format DLGTEMPLATE, not DLGTEMPLATEEX");
    if (d.dlgVer != 1) c.FailAt(0, "dlgVer", std::to_string(d.dlgVer) + ", must be 1");
    d.helpId = c.U32("helpID");
    d.exStyle = c.U32("exStyle");
    d.style = c.U32("style");
    const std::uint16_t count = c.U16("cDlgItems");
    d.x = c.I16("x");
    d.y = c.I16("y");
    d.cx = c.I16("cx");
    d.cy = c.I16("cy");
    d.menu = NoneIfEmpty(c.SzOrOrd("menu"));
    d.windowClass = NoneIfEmpty(c.SzOrOrd("windowClass"));
    d.title = c.Sz("title");
    if (d.style & kDsSetFont) {
        d.pointSize = c.U16("pointsize");
        d.weight = c.U16("weight");
        d.italic = c.U8("italic");
        d.charset = c.U8("charset");
        d.typeface = c.Sz("typeface");
    }
    // The smallest item is 30 bytes; a count no data could hold is refused
    // before anything is allocated for it.
    if (std::size_t{count} * 30 > c.remaining())
        c.FailAt(16, "cDlgItems",
                 std::to_string(count) + " items cannot fit in the " + std::to_string(c.remaining()) + " bytes left");
    d.items.reserve(count);
    for (int i = 0; i < count; ++i) d.items.push_back(ReadItem(c, i));
    return d;
}

}  // namespace host::res
