# map_sizes.awk: reads a GNU ld linker map and prints, one line each, the
# bytes that every input file (an object, or an archive member) puts into
# each output section: "BYTES<TAB>SECTION<TAB>FILE". tools/bench.sh sorts
# and sums them to show what each part of the runtime costs.
#
# An input section line reads " .text  0xADDRESS  0xSIZE  FILE"; a long
# section name stands alone on its line and the rest follows on the next.

# POSIX awk has no hexadecimal conversion.
function hex(s,   i, v) {
    v = 0
    s = tolower(substr(s, 3))
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return v
}

function add(size, file) {
    if (file == "" || size == 0) return
    sub(/.*\//, "", file)
    bytes[out "\t" file] += size
}

/^Linker script and memory map/ { in_map = 1; next }
!in_map { next }
# An output section: ".text  0xADDRESS  0xSIZE".
/^\.[^ ]+/ { out = $1; pending = 0; next }
# An input section name alone; its address, size and file come next.
/^ [^ ]+$/ { pending = 1; next }
pending && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add(hex($2), $3); pending = 0; next }
/^ [^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add(hex($3), $4) }
{ pending = 0 }

END { for (k in bytes) print bytes[k] "\t" k }
