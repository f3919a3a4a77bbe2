#!/usr/bin/env bash
# The host layer's rooms, and the framework above them, depend one way: each
# may include and call only the rooms its line in the build's rooms.txt
# names (cmake/Host.cmake writes it from the rooms' own USES). Checked twice:
# the room-qualified includes of its sources, and every symbol its compiled
# objects leave undefined that another room defines (so a call through a
# declaration copied by hand is caught too). "win32" stands for the Win32
# API the rooms define outside namespace host: what the framework may call.
#   rooms_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
table=$build/rooms.txt
[[ -s $table ]] || { echo "rooms: $table is missing: configure the build first" >&2; exit 2; }

declare -A allowed=() folder=() target=()
while read -r name dir tgt uses; do
  [[ -n $name ]] || continue
  allowed[$name]=${uses:-}
  folder[$name]=$dir
  target[$name]=$tgt
done <"$table"

objects_of() {  # room -> its object files
  local dir=$build/CMakeFiles/${target[$1]}.dir
  [[ -d $dir ]] || { echo "rooms: no objects for $1 in $dir" >&2; exit 2; }
  find "$dir" -name '*.o'
}
room_of_include() {  # "gdi/dc.h" -> gdi; "present/headless/x.h" -> headless; not a room -> ""
  local path=${1#platform/host/} first
  case $path in
    present/presenter.h) echo present; return ;;
    present/*/*) path=${path#present/} ;;
  esac
  first=${path%%/*}
  [[ $path == */* && -n ${allowed[$first]+x} ]] && echo "$first" || echo ""
}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Which room strongly defines each symbol (weak ones, such as inline
# functions, are defined wherever they are used and belong to no one). The
# rooms' Win32 functions, outside namespace host, are also "win32"'s.
declare -A owner=() api=()
for room in "${!allowed[@]}"; do
  while read -r name type _; do
    [[ $type =~ ^[TDBR]$ ]] || continue
    owner[$name]=$room
    [[ $room != framework && $name != _ZN4host* && $name != _ZNK4host* ]] && api[$name]=1
  done < <(objects_of "$room" | xargs nm -P --defined-only)
done

for room in "${!allowed[@]}"; do
  ok=" $room ${allowed[$room]} "
  dir=$src/${folder[$room]}
  while IFS=: read -r file line include; do
    used=$(room_of_include "$include")
    [[ -z $used || $ok == *" $used "* ]] || fail "${folder[$room]}/${file##*/}:$line includes $include ($used)"
  done < <(grep -Ho -n '^#include "[^"]*"' "$dir"/*.h "$dir"/*.cpp 2>/dev/null | sed 's/#include "\(.*\)"/\1/')
  while read -r name _; do
    used=${owner[$name]:-}
    [[ -z $used || $ok == *" $used "* ]] && continue
    [[ $ok == *" win32 "* && -n ${api[$name]:-} ]] && continue
    fail "$room uses $used: $(echo "$name" | c++filt)"
  done < <(objects_of "$room" | xargs nm -P --undefined-only | sort -u)
done

[[ ${#owner[@]} -gt 200 ]] || fail "only ${#owner[@]} symbols found: the objects are not where this test looks"
[[ -n ${allowed[framework]+x} && ${#api[@]} -gt 100 ]] || fail "the framework's room or the Win32 API is missing"
if ((failures)); then
  echo "$failures reference(s) run against the rooms' order"
  exit 1
fi
echo "rooms: ${#allowed[@]} rooms, ${#owner[@]} symbols, every reference runs one way"
