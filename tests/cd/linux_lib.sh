# Shared by the checks of the disc's Linux part (linux_test.sh): reading the
# Rock Ridge tree and the executables. Sourced after lib.sh.

# rr_modes ISO: "PATH MODE" for every file and folder of the Rock Ridge tree.
rr_modes() {
    xorriso -indev "$1" -find / -exec lsdl -- 2>/dev/null |
        sed -n "s/^\([-dl][-rwxsStT]\{9\}\) .* '\(.*\)'\$/\2 \1/p"
}

# rr_extract ISO DIR: the Rock Ridge tree into DIR, as a Linux desktop mounts
# it (modes kept, so the programs stay executable).
rr_extract() {
    rm -rf "$2"
    xorriso -osirrox on -indev "$1" -extract / "$2" >/dev/null 2>&1 ||
        { fail "cannot extract the Rock Ridge tree of $1"; return 1; }
}

# needed_of ELF: its NEEDED entries, one a line.
needed_of() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }

# dlopen_names ELF: the shared-library names the file's data holds (what its
# code may dlopen), ours (the module beside the launcher) left out.
dlopen_names() {
    strings -a "$1" | grep -oE '^lib[A-Za-z0-9_+-]+\.so(\.[0-9]+)*$' | grep -vx liborvane_sdl.so | sort -u
}

# glibc_versions ELF: the GLIBC_x.y versions its symbols ask for, oldest first.
glibc_versions() {
    readelf -V --wide "$1" | grep -oE 'Name: GLIBC_[0-9.]+' | sed 's/Name: GLIBC_//' | sort -uV
}
