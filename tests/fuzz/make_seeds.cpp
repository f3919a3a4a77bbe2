// Build-time tool: the fuzzers' seed corpora.
//   make_seeds LAUNCHER.res OUT_DIR
// OUT_DIR/resources: the whole .res (selector 0) and each record's data
// behind the selector of its decoder (see fuzz_resources.cpp).
// OUT_DIR/launcher: action sequences over every hot spot (see fuzz_launcher.cpp).
#include "res_records.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& p, const hardening::ByteVector& bytes)
{
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

int Selector(std::uint16_t type)
{
    switch (type) {
    case 2: return 1;   // RT_BITMAP
    case 14: return 2;  // RT_GROUP_ICON
    case 3: return 3;   // RT_ICON
    case 5: return 4;   // RT_DIALOG
    case 16: return 5;  // RT_VERSION
    default: return -1;
    }
}

// Actions: an opcode byte, then little-endian 16-bit arguments.
struct Seq {
    hardening::ByteVector bytes;
    Seq& Op(int op, std::initializer_list<int> args = {})
    {
        bytes.push_back(static_cast<std::uint8_t>(op));
        for (int a : args) {
            bytes.push_back(static_cast<std::uint8_t>(a & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((a >> 8) & 0xFF));
        }
        return *this;
    }
    Seq& Move(int x, int y) { return Op(0, {x, y}); }
    Seq& Press() { return Op(1); }
    Seq& Release() { return Op(2); }
    Seq& Byte(int b)
    {
        bytes.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    Seq& Key(int index) { return Op(5).Byte(index); }  // into fuzz_launcher.cpp's kKeys
    Seq& Paint(int l, int t, int r, int b) { return Op(8, {l, t, r, b}).Byte(0).Byte(1); }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds LAUNCHER.res OUT_DIR\n");
        return 2;
    }
    const auto all = hardening::ReadAll(argv[1]);
    const auto records = hardening::SplitRecords(all);
    if (records.size() < 2) {
        std::fprintf(stderr, "make_seeds: %s holds no records\n", argv[1]);
        return 1;
    }
    const fs::path out = argv[2];
    fs::create_directories(out / "resources");
    fs::create_directories(out / "launcher");

    hardening::ByteVector whole{0};
    whole.insert(whole.end(), all.begin(), all.end());
    Write(out / "resources" / "whole.res", whole);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int selector = Selector(records[i].Type());
        if (selector < 0) continue;
        hardening::ByteVector seed{static_cast<std::uint8_t>(selector)};
        seed.insert(seed.end(), records[i].data.begin(), records[i].data.end());
        Write(out / "resources" / ("record" + std::to_string(i) + "_type" + std::to_string(records[i].Type())), seed);
    }

    Seq hover;
    for (auto [x, y] : {std::pair{276, 13}, {256, 13}, {150, 95}, {150, 150}, {150, 210}, {400, 300}, {-20, -20}})
        hover.Move(x, y);
    Write(out / "launcher" / "hover", hover.bytes);

    Seq presses;  // the entries (their files absent), the minimize button, a drag
    presses.Move(150, 95).Press().Release().Move(150, 150).Press().Release().Move(150, 210).Press().Release();
    presses.Move(256, 13).Press().Release().Op(10).Move(20, 20).Press().Move(60, 40).Release();
    Write(out / "launcher" / "presses", presses.bytes);

    Seq raw;  // raw messages at the edges, paints, keys
    raw.Op(3, {-1, -1}).Op(3, {32767, -32768}).Op(4, {285, 95}).Op(4, {0, 0}).Paint(10, 10, 20, 20).Op(13);
    raw.Op(9).Paint(0, 0, 5, 5).Op(10).Op(11, {500, 300}).Release().Key(3).Key(2).Op(6).Byte(0x70).Key(1);
    Write(out / "launcher" / "raw", raw.bytes);
    return 0;
}
