// Build-time tool: writes a copy of a compiled .res without the records of
// one ordinal resource type (the damaged-build executable's resources).
//   res_without IN.res TYPE OUT.res
#include "res_records.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: res_without IN.res TYPE OUT.res\n");
        return 2;
    }
    const auto all = hardening::ReadAll(argv[1]);
    auto records = hardening::SplitRecords(all);
    if (records.empty()) {
        std::fprintf(stderr, "res_without: %s holds no records\n", argv[1]);
        return 1;
    }
    const long type = std::strtol(argv[2], nullptr, 10);
    std::erase_if(records, [type](const hardening::ResRecord& r) { return r.Type() == type; });
    const auto out = hardening::JoinRecords(records);
    std::ofstream(argv[3], std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return 0;
}
