#!/usr/bin/env bash
# The vendor's signed build: ORVANE_SIGN_PKCS12 and its password file give
# both executables an Authenticode signature, and the signed product is what
# goes on the disc.
#
#   signing_test.sh make FIXTURE SOURCE_DIR
#       A throwaway code-signing certificate (self-signed, with its key in a
#       password-protected PKCS#12), and both Windows builds configured with it
#       and built in FIXTURE/x86 and FIXTURE/x64.
#   signing_test.sh verify FIXTURE
#       Each signed/OrvaneCD.exe verifies against that certificate
#       (osslsigncode verify -CAfile), with a SHA-256 digest; the unsigned
#       OrvaneCD.exe beside it is kept, unsigned, and is the signed copy's
#       first bytes' source (the signature is appended, nothing else moves).
#   signing_test.sh bad-input FIXTURE SIGN_EXE
#       sign_exe.sh refuses a wrong password, a missing certificate and a file
#       that is no executable with a clear message, and leaves an earlier
#       signed copy as it was.
#   signing_test.sh disc FIXTURE MAKE_IMAGE
#       make_image.sh with the signed product makes the image, and the disc's
#       OrvaneCD.exe is the signed file.
# The Wine suite's window, picture and close checks run on the signed
# executables too (tests/wine/CMakeLists.txt).
source "$(dirname "$0")/checks.sh"

check=${1:-} fixture=${2:-}
[ -n "$check" ] && [ -n "$fixture" ] || fail "usage: signing_test.sh make|verify|disc FIXTURE ..."

readonly ARCHES="x86:i686 x64:x86_64"

make() {
    local source=$1
    rm -rf "$fixture"
    mkdir -p "$fixture/cert"
    local cert="$fixture/cert"
    printf 'orvane-test-%s\n' "$RANDOM$RANDOM" >"$cert/password"
    cat >"$cert/openssl.cnf" <<'EOF'
[req]
distinguished_name = dn
prompt = no
x509_extensions = ext
[dn]
CN = Orvane Test Code Signing
O = Orvane
[ext]
basicConstraints = critical, CA:TRUE
keyUsage = critical, digitalSignature, keyCertSign
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
EOF
    openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -config "$cert/openssl.cnf" \
        -keyout "$cert/key.pem" -out "$cert/cert.pem" 2>"$cert/openssl.log" ||
        fail "openssl could not make the certificate: $(cat "$cert/openssl.log")"
    openssl pkcs12 -export -inkey "$cert/key.pem" -in "$cert/cert.pem" -out "$cert/signer.p12" \
        -passout "file:$cert/password" 2>>"$cert/openssl.log" ||
        fail "openssl could not make the PKCS#12: $(cat "$cert/openssl.log")"

    local entry arch triplet
    for entry in $ARCHES; do
        arch=${entry%%:*} triplet=${entry#*:}
        cmake -S "$source" -B "$fixture/$arch" -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_TOOLCHAIN_FILE="$source/cmake/toolchain-mingw-$triplet.cmake" \
            -DORVANE_SIGN_PKCS12="$cert/signer.p12" -DORVANE_SIGN_PASSWORD_FILE="$cert/password" \
            >"$fixture/$arch.log" 2>&1 || fail "configuring the $arch build failed: $(tail -20 "$fixture/$arch.log")"
        env -u MAKEFLAGS cmake --build "$fixture/$arch" -j2 >>"$fixture/$arch.log" 2>&1 ||
            fail "the signed $arch build failed: $(tail -20 "$fixture/$arch.log")"
        [ -f "$fixture/$arch/signed/OrvaneCD.exe" ] || fail "the $arch build wrote no signed/OrvaneCD.exe"
    done
}

verify() {
    local entry arch signed unsigned
    for entry in $ARCHES; do
        arch=${entry%%:*}
        signed="$fixture/$arch/signed/OrvaneCD.exe" unsigned="$fixture/$arch/OrvaneCD.exe"
        require_exe "$signed"
        require_exe "$unsigned"
        osslsigncode verify -CAfile "$fixture/cert/cert.pem" -in "$signed" >"$fixture/verify-$arch.log" 2>&1 ||
            fail "$arch: the signature does not verify: $(cat "$fixture/verify-$arch.log")"
        grep -q '^Signature verification: ok' "$fixture/verify-$arch.log" ||
            fail "$arch: osslsigncode did not report a good signature: $(cat "$fixture/verify-$arch.log")"
        grep -qi 'Message digest algorithm *: SHA256' "$fixture/verify-$arch.log" ||
            fail "$arch: the digest is not SHA-256: $(grep -i 'digest algorithm' "$fixture/verify-$arch.log")"
        grep -q 'Orvane Test Code Signing' "$fixture/verify-$arch.log" ||
            fail "$arch: the signer is not the test certificate"

        # The unsigned build stays unsigned, and the signed copy is it with a
        # signature added: same size class, larger.
        if osslsigncode verify -CAfile "$fixture/cert/cert.pem" -in "$unsigned" >/dev/null 2>&1; then
            fail "$arch: the unsigned OrvaneCD.exe carries a signature"
        fi
        local size_signed size_unsigned
        size_signed=$(stat -c %s "$signed") size_unsigned=$(stat -c %s "$unsigned")
        ((size_signed > size_unsigned && size_signed < size_unsigned + 16384)) ||
            fail "$arch: signed $size_signed bytes, unsigned $size_unsigned: not the same program with a signature"
        echo "$arch: signed ($size_signed bytes; unsigned $size_unsigned)"
    done
}

# refused DESCRIPTION MESSAGE ARGUMENTS...: sign_exe.sh IN OUT ARGUMENTS
# fails, says MESSAGE, and OUT keeps its bytes.
refused() {
    local description=$1 message=$2 sign_exe=$3 in=$4
    shift 4
    local out="$fixture/refused/OrvaneCD.exe" before rc=0
    before=$(md5sum <"$out")
    bash "$sign_exe" "$in" "$out" "$@" >"$fixture/refused.log" 2>&1 || rc=$?
    ((rc != 0)) || fail "$description: sign_exe.sh succeeded"
    grep -q '^sign: error: ' "$fixture/refused.log" && grep -qF -- "$message" "$fixture/refused.log" ||
        fail "$description: it did not say '$message' as an error (it said: $(cat "$fixture/refused.log"))"
    [ "$(md5sum <"$out")" = "$before" ] || fail "$description: the earlier signed copy changed"
    [ -z "$(find "$fixture/refused" -name '*.part*')" ] || fail "$description: left a partial file behind"
}

bad_input() {
    local sign_exe=$1 unsigned="$fixture/x64/OrvaneCD.exe" cert="$fixture/cert"
    require_exe "$unsigned"
    mkdir -p "$fixture/refused"
    cp "$fixture/x64/signed/OrvaneCD.exe" "$fixture/refused/OrvaneCD.exe"
    printf 'not the password\n' >"$fixture/wrong-password"
    refused "wrong password" "osslsigncode could not sign" "$sign_exe" "$unsigned" "$cert/signer.p12" "$fixture/wrong-password"
    refused "no certificate" "cannot be read" "$sign_exe" "$unsigned" "$fixture/none.p12" "$cert/password"
    refused "not a program" "is not a Windows executable" "$sign_exe" "$cert/password" "$cert/signer.p12" "$cert/password"
    refused "no password file" "password file" "$sign_exe" "$unsigned" "$cert/signer.p12" "$fixture/none"
    echo "sign_exe.sh refused each bad input"
}

disc() {
    local make_image=$1 out="$fixture/disc" signed="$fixture/x86/signed/OrvaneCD.exe"
    require_exe "$signed"
    bash "$make_image" --exe "$signed" --out "$out" >"$fixture/disc.log" 2>&1 ||
        fail "make_image.sh failed with the signed launcher: $(cat "$fixture/disc.log")"
    mkdir -p "$fixture/disc-files"
    xorriso -osirrox on -indev "$out/OrvaneCD.iso" -extract_single /OrvaneCD.exe "$fixture/disc-files/OrvaneCD.exe" \
        >/dev/null 2>&1 || fail "cannot read OrvaneCD.exe from the image"
    cmp -s "$fixture/disc-files/OrvaneCD.exe" "$signed" || fail "the disc's OrvaneCD.exe is not the signed launcher"
    osslsigncode verify -CAfile "$fixture/cert/cert.pem" -in "$fixture/disc-files/OrvaneCD.exe" >/dev/null 2>&1 ||
        fail "the disc's OrvaneCD.exe does not verify"
    echo "the disc carries the signed launcher"
}

case $check in
    make) make "${3:?the source folder}" ;;
    verify) verify ;;
    disc) disc "${3:?make_image.sh}" ;;
    bad-input) bad_input "${3:?sign_exe.sh}" ;;
    *) fail "unknown check '$check'" ;;
esac
