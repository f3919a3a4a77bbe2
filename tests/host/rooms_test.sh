#!/usr/bin/env bash
# The host layer's rooms depend one way: each room may include and call only
# the rooms its line below names. Checked twice: the room-qualified includes
# of its sources, and every symbol its compiled objects leave undefined that
# another room defines (so a call through a declaration copied by hand is
# caught too).
#   rooms_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1/platform/host
build=$2

# room: the rooms it may use. present is the presenter contract alone.
declare -A allowed=(
  [base]=""
  [res]="base"
  [kernel]="base res"
  [present]=""
  [gdi]="base res kernel present"
  [shell]="base kernel"
  [user]="base res kernel present gdi shell"
  [headless]="base kernel present user"
  [sdl]="base present gdi user"
  [registry]="kernel present headless sdl"
)

folder_of() {  # room -> its folder under platform/host
  case $1 in headless | registry | sdl) echo "present/$1" ;; *) echo "$1" ;; esac
}
objects_of() {  # room -> its object files
  local dir=$build/CMakeFiles/orvane_host_$1.dir
  [[ $1 == sdl ]] && dir=$build/CMakeFiles/orvane_sdl_objects.dir
  [[ -d $dir ]] || { echo "rooms: no objects for $1 in $dir" >&2; exit 2; }
  find "$dir" -name '*.o'
}
room_of_include() {  # "gdi/dc.h" -> gdi; "present/headless/x.h" -> headless
  local path=$1
  case $path in
    present/presenter.h) echo present ;;
    present/*/*) path=${path#present/}; echo "${path%%/*}" ;;
    */*) echo "${path%%/*}" ;;
    *) echo "" ;;  # win32.h: the surface every room implements
  esac
}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Which room strongly defines each symbol (weak ones, such as inline
# functions, are defined wherever they are used and belong to no one).
declare -A owner=()
for room in "${!allowed[@]}"; do
  while read -r name type _; do
    [[ $type =~ ^[TDBR]$ ]] && owner[$name]=$room
  done < <(objects_of "$room" | xargs nm -P --defined-only)
done

for room in "${!allowed[@]}"; do
  ok=" $room ${allowed[$room]} "
  folder=$(folder_of "$room")
  while IFS=: read -r file line include; do
    used=$(room_of_include "$include")
    [[ -z $used || $ok == *" $used "* ]] || fail "$folder/${file##*/}:$line includes $include ($used)"
  done < <(grep -Ho -n '^#include "[^"]*"' "$src/$folder"/*.h "$src/$folder"/*.cpp 2>/dev/null |
           sed 's/#include "\(.*\)"/\1/')
  while read -r name _; do
    used=${owner[$name]:-}
    [[ -z $used || $ok == *" $used "* ]] || fail "$room uses $used: $(echo "$name" | c++filt)"
  done < <(objects_of "$room" | xargs nm -P --undefined-only | sort -u)
done

[[ ${#owner[@]} -gt 200 ]] || fail "only ${#owner[@]} symbols found: the objects are not where this test looks"
if ((failures)); then
  echo "$failures reference(s) run against the rooms' order"
  exit 1
fi
echo "rooms: ${#allowed[@]} rooms, ${#owner[@]} symbols, every reference runs one way"
