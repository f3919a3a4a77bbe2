#!/usr/bin/env bash
# Writes the third-party notices of the Windows launcher on the disc: what
# its link took from the toolchain's runtime libraries, and the notices their
# licences ask a binary distribution to carry, taken word for word from the
# installed Debian packages' copyright files.
#
#   make_notices.sh MAP            prints the notices for the link that MAP
#                                  (the linker map beside OrvaneCD.exe) records
#   make_notices.sh MAP --check FILE
#                                  fails, with the difference, unless FILE is
#                                  what the first form prints
#
# cd/notices.txt is this script's output for the product's link (the
# windows-x86 preset), kept in the tree so that the disc does not depend on
# the machine that makes it; make_image.sh puts it on the disc as
# NOTICES.TXT, with CR LF line ends. After a toolchain or link change:
#   cd/make_notices.sh build/windows-x86/OrvaneCD.map >cd/notices.txt
#
# Plain ASCII, so that Notepad on Windows XP shows it in any code page.
set -euo pipefail
export LC_ALL=C

die() { printf 'make_notices: error: %s\n' "$*" >&2; exit 1; }

map=${1:-}
[ -n "$map" ] || die "usage: make_notices.sh MAP [--check FILE]"
[ -r "$map" ] || die "the linker map '$map' cannot be read (build the windows-x86 preset)"

# ---- what the link took --------------------------------------------------------

# link_inputs MAP: every file outside the build that the link took code from,
# one resolved path a line: the archives it took members of, and the objects
# it loaded whole (the start-up code).
link_inputs() {
    {
        sed -n '/^Archive member included/,/^Discarded input sections/p' "$1" |
            grep -o '^/[^(]*\.a(' | sed 's/($//'
        grep '^LOAD /' "$1" | awk '{ print $2 }' | grep '\.o$' || true
    } | while IFS= read -r path; do realpath -m "$path"; done | sort -u
}

# package_of FILE: the Debian package that installed FILE.
package_of() {
    dpkg -S "$1" 2>/dev/null | head -n1 | cut -d: -f1
}

declare -A by_package=()
while IFS= read -r path; do
    package=$(package_of "$path")
    [ -n "$package" ] || die "no installed package holds '$path'"
    by_package[$package]+=" $(basename "$path")"
done < <(link_inputs "$map")
((${#by_package[@]})) || die "'$map' records no library of the toolchain: is it a linker map?"

version_of() { dpkg-query -W -f '${Version}' "$1"; }

# ---- the texts, from the copyright files --------------------------------------------

# dep5_license FILE NAME: the text of the first "License: NAME" paragraph of
# a machine-readable copyright file, its one-space indent and "." blank lines
# undone.
dep5_license() {
    awk -v name="$2" '
        found && /^[^ ]/ { exit }
        found { sub(/^ /, ""); if ($0 == ".") $0 = ""; print; next }
        $0 == "License: " name { found = 1 }' "$1"
}

# dep5_paragraph FILE NAME: the Files and Copyright lines of the paragraph
# whose licence is NAME.
dep5_header() {
    awk -v name="$2" '
        /^$/ { block = ""; next }
        { block = block $0 "\n" }
        $0 == "License: " name { sub(/License: .*\n$/, "", block); printf "%s", block; exit }' "$1"
}

# gcc_exception FILE: the GCC Runtime Library Exception as the file quotes it.
gcc_exception() {
    awk '/^GCC RUNTIME LIBRARY EXCEPTION$/ { on = 1 }
         on && /^2\. No Weakening of GCC Copyleft\./ { last = 1 }
         on { print }
         last && /presumption that third-party software is unaffected/ { getline; print; exit }' "$1"
}

rule() { printf '%s\n' "------------------------------------------------------------------------"; }

mingw_section() {
    local package=$1 copyright=/usr/share/doc/$1/copyright
    [ -r "$copyright" ] || die "$copyright is missing (is $package installed?)"
    rule
    echo "The mingw-w64 runtime: start-up code, libmingw32, libmingwex, and the"
    echo "import libraries of Windows' own DLLs"
    echo "Debian package $package $(version_of "$package")"
    echo "Linked:${by_package[$package]}"
    rule
    echo
    dep5_header "$copyright" ZPL-2.1
    echo "License: Zope Public License (ZPL) 2.1"
    echo
    dep5_license "$copyright" ZPL-2.1
    echo
    echo "The start-up code (mingw-w64-crt/crt) and the headers are in the public"
    echo "domain. Other parts of libmingwex carry these notices:"
    local name
    for name in Lucent David-Gay Permissive-Sun Keith-Marshall; do
        echo
        dep5_header "$copyright" "$name"
        echo
        dep5_license "$copyright" "$name"
    done
    echo
}

gcc_section() {
    local packages=("$@") copyright=/usr/share/doc/$1/copyright linked="" package versions=""
    [ -r "$copyright" ] || die "$copyright is missing (is $1 installed?)"
    for package in "${packages[@]}"; do
        linked+=${by_package[$package]}
        versions+=" $package $(version_of "$package"),"
    done
    rule
    echo "The GCC runtime libraries: libgcc, libgcc_eh, libstdc++ and the"
    echo "compiler's start-up objects"
    echo "Debian packages${versions%,}"
    echo "Linked:$linked"
    rule
    echo
    echo "Copyright (C) Free Software Foundation, Inc."
    echo "License: GNU General Public License, version 3 or later, with the GCC"
    echo "Runtime Library Exception, version 3.1. The Exception lets a program"
    echo "compiled with GCC be distributed under terms of its own choosing and"
    echo "asks for no notice; its text follows for reference."
    echo
    gcc_exception "$copyright"
    echo
}

notices() {
    echo "Third-party notices for OrvaneCD.exe"
    echo
    echo "OrvaneCD.exe, the launcher on this disc, is built with the GNU compilers"
    echo "of the mingw-w64 project and links parts of their runtime libraries"
    echo "into the program. This file lists those parts and reproduces the"
    echo "notices that their licences ask a binary distribution to carry."
    echo
    local package gcc_packages=() unknown=()
    for package in $(printf '%s\n' "${!by_package[@]}" | sort); do
        case $package in
            mingw-w64-*-dev) mingw_section "$package" ;;
            gcc-mingw-w64-* | g++-mingw-w64-*) gcc_packages+=("$package") ;;
            *) unknown+=("$package") ;;
        esac
    done
    ((${#unknown[@]} == 0)) || die "no notice is known for the package(s) ${unknown[*]}: add them to make_notices.sh"
    ((${#gcc_packages[@]} == 0)) || gcc_section "${gcc_packages[@]}"
}

text=$(notices)
LC_ALL=C grep -q '[^[:print:][:space:]]' <<<"$text" && die "the notices are not plain ASCII"

if [ "${2:-}" = --check ]; then
    file=${3:-}
    [ -r "$file" ] || die "--check needs the notices file to compare"
    diff -u "$file" <(printf '%s\n' "$text") >&2 ||
        die "$file is not what the installed packages and '$map' give: run cd/make_notices.sh $map >$file"
else
    printf '%s\n' "$text"
fi
