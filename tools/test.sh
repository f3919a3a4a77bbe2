#!/usr/bin/env bash
# Set-up, build and every test: the host build with its unit, in-process
# and whole-process tests, the Windows builds, the host build again under
# AddressSanitizer and UBSan with its tests, and each fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

# Every C and C++ file in the one style of .clang-format.
git ls-files -z '*.cpp' '*.h' '*.c' | xargs -0 clang-format --dry-run -Werror

cmake --preset host -DORVANE_TESTS=ON >/dev/null
cmake --build --preset host
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86

ctest --preset host

# The host build under AddressSanitizer and UBSan, the whole host suite
# (the preset's filter leaves out the wine, inspection and cd labels, which
# test the Windows executables, not this build, and the valgrind session,
# since valgrind cannot run an ASan executable).
cmake --preset host-asan >/dev/null
cmake --build --preset host-asan
ctest --preset host-asan

# The fuzzers (clang, libFuzzer), each for 15 seconds from the real
# resources' seeds, in an empty current directory: the launcher's entries
# name files relative to it. A crash, a leak or a sanitizer report fails.
cmake --preset host-fuzz >/dev/null
cmake --build --preset host-fuzz
fuzz_bin=$PWD/build/host-fuzz/tests/fuzz
lsan_supp=$PWD/tests/hardening/lsan.supp
fuzz_work=$(mktemp -d /tmp/orvane-fuzz-XXXXXX)
trap 'rm -rf "$fuzz_work"' EXIT
for target in resources launcher; do
  mkdir -p "$fuzz_work/$target/corpus" "$fuzz_work/$target/cwd"
  (cd "$fuzz_work/$target/cwd" &&
    ORVANE_PRESENTER=headless LSAN_OPTIONS=suppressions=$lsan_supp \
    "$fuzz_bin/fuzz_$target" -max_total_time=15 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$fuzz_bin/crash-$target-" "$fuzz_work/$target/corpus" "$fuzz_bin/seeds/$target")
done
