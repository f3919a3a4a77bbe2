#!/usr/bin/env bash
# Signs a Windows executable with an Authenticode signature (SHA-256), as a
# vendor ships the disc's launcher: Windows then names the publisher when the
# disc's AutoPlay or a download asks before running it.
#
#   sign_exe.sh IN OUT PKCS12 [PASSWORD_FILE [TIMESTAMP_URL]]
#
#   IN             the unsigned executable; it stays as it is
#   OUT            the signed copy, written whole or not at all
#   PKCS12         the code-signing certificate with its private key (.p12/.pfx)
#   PASSWORD_FILE  a file whose first line is the key's password; empty or
#                  absent for a key without one
#   TIMESTAMP_URL  an RFC 3161 time-stamp authority, so that the signature
#                  outlives the certificate; empty or absent for none
#
# OSSLSIGNCODE names the osslsigncode to use (Debian package osslsigncode).
set -euo pipefail

die() { printf 'sign: error: %s\n' "$*" >&2; exit 1; }

(($# >= 3 && $# <= 5)) || die "usage: sign_exe.sh IN OUT PKCS12 [PASSWORD_FILE [TIMESTAMP_URL]]"
in=$1 out=$2 pkcs12=$3 password_file=${4:-} timestamp_url=${5:-}
osslsigncode=${OSSLSIGNCODE:-osslsigncode}

[ -f "$in" ] || die "the executable '$in' does not exist"
[ "$(head -c 2 "$in")" = MZ ] || die "'$in' is not a Windows executable"
[ -r "$pkcs12" ] || die "the certificate '$pkcs12' cannot be read"
[ -z "$password_file" ] || [ -r "$password_file" ] || die "the password file '$password_file' cannot be read"
command -v "$osslsigncode" >/dev/null 2>&1 || die "osslsigncode is not installed (apt-get install osslsigncode)"

args=(sign -pkcs12 "$pkcs12" -h sha256 -n "Orvane installation CD")
[ -z "$password_file" ] || args+=(-readpass "$password_file")
[ -z "$timestamp_url" ] || args+=(-ts "$timestamp_url")

mkdir -p "$(dirname "$out")"
tmp="$out.part"
trap 'rm -f "$tmp"' EXIT
rm -f "$tmp"
if ! "$osslsigncode" "${args[@]}" -in "$in" -out "$tmp" >"$tmp.log" 2>&1; then
    cat "$tmp.log" >&2
    rm -f "$tmp.log"
    die "osslsigncode could not sign '$in'"
fi
rm -f "$tmp.log"
mv -f "$tmp" "$out"
echo "sign: $out (from $in)"
