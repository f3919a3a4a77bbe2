# The URI of the Debian archive that serves this machine's release, read
# from its apt sources (deb822 or one-line form). Sourced by the scripts
# that fetch from it; names no archive of its own.
#
#   debian_uri CODENAME   prints the URI; status 1 when no source names it

debian_uri() {
    local codename=$1 f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk -v rel="$codename" '
          /^URIs:/ {uri=$2} /^Suites:/ {for (i = 2; i <= NF; i++) if ($i == rel) ok=1}
          /^$/ {if (ok && uri) {print uri; exit} uri=""; ok=0}
          END {if (ok && uri) print uri}' "$f"
    done | head -n1 | grep . && return
    grep -hE "^deb[[:space:]]+[^[:space:]]+[[:space:]]+$codename[[:space:]]" \
        /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | awk '{print $2; exit}' | grep .
}
