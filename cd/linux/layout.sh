# The disc's Linux part, sourced by make_image.sh (which defines say and die):
#   linux_check DIR         DIR holds a disc launcher (cd/linux/build_launcher.sh's)
#   linux_layout DIR ROOT   puts it, autorun.sh, .xdg-volume-info and its icon
#                           into ROOT
#   LINUX_NAMES             what linux_layout adds at the root, which the image
#                           keeps out of its Joliet tree: Windows sees the disc
#                           as it is without them
#   LINUX_EXECUTABLES       what the image marks executable (0755)

linux_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly LINUX_NAMES=(linux autorun.sh .xdg-volume-info .VolumeIcon.png)
readonly LINUX_EXECUTABLES=(autorun.sh linux/OrvaneCD)

linux_check() {
    local dir=$1 name
    [ -d "$dir" ] || die "the Linux launcher folder '$dir' is not a folder (build it: cd/linux/build_launcher.sh)"
    for name in OrvaneCD liborvane_sdl.so fonts licenses; do
        [ -e "$dir/$name" ] || die "the Linux launcher folder '$dir' has no $name (build it: cd/linux/build_launcher.sh)"
    done
    [ "$(head -c 4 "$dir/OrvaneCD" | od -An -tx1 | tr -d ' ')" = 7f454c46 ] ||
        die "'$dir/OrvaneCD' is not a Linux executable (no ELF header)"
    command -v convert >/dev/null 2>&1 ||
        die "ImageMagick's convert is not installed (tools/setup.sh installs it): it draws the disc's icon"
}

linux_layout() {
    local dir=$1 root=$2
    mkdir -p "$root/linux"
    cp "$dir/OrvaneCD" "$dir/liborvane_sdl.so" "$root/linux/"
    cp -r "$dir/fonts" "$dir/licenses" "$root/linux/"
    cp "$linux_here/autorun.sh" "$root/autorun.sh"
    cp "$linux_here/xdg-volume-info" "$root/.xdg-volume-info"
    # The launcher's own icon, its largest image, twice as large without smoothing.
    convert "$linux_here/../../res/launcher.ico[0]" -scale 200% "png32:$root/.VolumeIcon.png" ||
        die "cannot draw the disc's icon from res/launcher.ico"
}

# linux_xorriso_args ROOT: the mkisofs options that keep the Linux part of
# ROOT out of the Joliet tree (they name the files on disk).
linux_xorriso_args() {
    local name
    for name in "${LINUX_NAMES[@]}"; do printf '%s\n' -hide-joliet "$1/$name"; done
}

# linux_xorriso_commands: xorriso's own commands, after the mkisofs ones, that
# give the programs their Rock Ridge modes (-r made every file 0444 or 0555).
linux_xorriso_commands() {
    local name
    printf '%s\n' -- -chmod 0755
    for name in "${LINUX_EXECUTABLES[@]}"; do printf '%s\n' "/$name"; done
    printf '%s\n' --
}
