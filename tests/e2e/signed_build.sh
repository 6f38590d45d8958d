#!/usr/bin/env bash
# A signed build, end to end: a throw-away code-signing certificate made with
# openssl, a cross tree built with it, then
#   - osslsigncode verify accepts the setup and each carried program;
#   - the PE checksum of each is right (scripts/pe-checksum.py);
#   - the client and the uninstaller that the setup writes to the disk (an
#     unattended upgrade under Wine) are byte for byte the signed programs,
#     and verify too;
#   - an unsigned program is refused by the same verification.
# The signed tree is kept in $TORVANE_E2E_DIR/signed-cross, so that a second
# run only relinks; the certificate is new on every run and never kept.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=${TORVANE_SOURCE_DIR:-$(cd "$here/../.." && pwd)}
e2e_dir=${TORVANE_E2E_DIR:-$source_dir/build/e2e}
# The tree the Wine tests run (build/cross, or build/cross64 on the x64
# route): the signed tree is configured as it is.
unsigned_cross=${TORVANE_CROSS_DIR:-$source_dir/build/cross}
tree=$e2e_dir/signed-$(basename "$unsigned_cross")
keys=$(mktemp -d)
trap 'rm -rf "$keys"' EXIT

stage() { echo "[$(date +%T)] signed_build: $*"; }
fail() {
    echo "FAIL: signed_build: $*" >&2
    exit 1
}

[[ -f $unsigned_cross/CMakeCache.txt ]] || fail "no cross tree at $unsigned_cross (build it first)"
cached() { sed -n "s/^$1:[A-Z]*=//p" "$unsigned_cross/CMakeCache.txt"; }

# --- a throw-away certificate -----------------------------------------------------
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -sha256 \
    -subj "/CN=Torvane throw-away test signer" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$keys/key.pem" -out "$keys/cert.pem" 2>"$keys/openssl.log" ||
    fail "openssl could not make a certificate: $(cat "$keys/openssl.log")"
stage "certificate $(openssl x509 -noout -fingerprint -sha256 -in "$keys/cert.pem")"

# --- the signed build ---------------------------------------------------------------
stage "building signed in $tree"
cmake -S "$source_dir" -B "$tree" -G Ninja \
    -DCMAKE_BUILD_TYPE="$(cached CMAKE_BUILD_TYPE)" \
    -DCMAKE_TOOLCHAIN_FILE="$(cached CMAKE_TOOLCHAIN_FILE)" \
    -DTORVANE_JPEG_MINGW_DIR="$(cached TORVANE_JPEG_MINGW_DIR)" \
    -DTORVANE_NATIVE_DIR="$(cached TORVANE_NATIVE_DIR)" \
    -DTORVANE_SIGN_CERT="$keys/cert.pem" -DTORVANE_SIGN_KEY="$keys/key.pem" >"$keys/configure.log" 2>&1 ||
    fail "configure failed: $(tail -20 "$keys/configure.log")"
# Signed with an earlier run's certificate: link them again, so that they are
# signed with this one (packing follows the carried programs).
rm -f "$tree/Install_Torvane.exe" "$tree"/carried/*.Exe "$tree"/carried/*.exe
start=$SECONDS
cmake --build "$tree" -j "${TORVANE_JOBS:-2}" --target Install_Torvane >"$keys/build.log" 2>&1 ||
    fail "the signed build failed: $(tail -30 "$keys/build.log")"
stage "built in $((SECONDS - start)) s; $(grep -c '^signed ' "$keys/build.log") files signed"
grep -q 'is unsigned' "$keys/build.log" && fail "a signed build says it is unsigned"
rm -f "$keys/key.pem"

# --- signatures and checksums -------------------------------------------------------
verify() { # file
    osslsigncode verify -CAfile "$keys/cert.pem" -in "$1" >"$keys/verify.log" 2>&1
}
signed=("$tree/Install_Torvane.exe" "$tree/carried/Torvane.Exe" "$tree/carried/Uninstall.Exe"
        "$tree/carried/Torvane_toolbar.exe")
for file in "${signed[@]}"; do
    verify "$file" || fail "osslsigncode verify refuses $file: $(cat "$keys/verify.log")"
    grep -q 'Message digest algorithm *: SHA256' "$keys/verify.log" ||
        fail "$file is not signed with SHA-256: $(grep -i digest "$keys/verify.log")"
    stage "verified $(basename "$file")"
done
python3 "$source_dir/scripts/pe-checksum.py" "${signed[@]}" || fail "a PE checksum is wrong"
# The same verification must refuse a file without a signature.
if verify "$unsigned_cross/carried/Torvane.Exe"; then
    fail "osslsigncode verify accepts the unsigned $unsigned_cross/carried/Torvane.Exe"
fi

# --- what an installation writes ------------------------------------------------------
export TORVANE_EXE=$tree/Install_Torvane.exe
source "$here/lib.sh"
e2e_begin signed_build
# e2e_begin's trap ends the scenario; the certificate goes with it.
trap 'rc=$?; rm -rf "$keys"; (exit $rc); e2e_end' EXIT
TARGET_WIN='C:\Signed\Torvane'
TARGET=$(e2e_unix_path "$TARGET_WIN")
e2e_start /autoupdate "$TARGET_WIN"
e2e_expect_exit 0 90
for f in Torvane.Exe Uninstall.Exe; do
    [[ -f $TARGET/$f ]] || e2e_fail "the setup wrote no $TARGET_WIN\\$f"
    cmp -s "$TARGET/$f" "$tree/carried/$f" || e2e_fail "$TARGET_WIN\\$f is not the signed $f"
    verify "$TARGET/$f" || e2e_fail "the written $f does not verify: $(cat "$keys/verify.log")"
    e2e_log "the written $f is the signed one and verifies"
done
