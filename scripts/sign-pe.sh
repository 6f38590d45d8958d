#!/usr/bin/env bash
# Signs one Windows program in place with an Authenticode signature (SHA-256)
# by osslsigncode. The build runs it after linking each carried
# program (before the setup packs it) and after linking the setup
# (cmake/Signing.cmake). osslsigncode also sets the PE checksum.
#
# usage: sign-pe.sh --cert FILE [--key FILE] [--password-file FILE]
#                   [--timestamp URL] [--description TEXT] [--url URL] EXE
#   --cert      a PEM certificate (chain) with --key, or a PKCS#12 file
#               (.p12 or .pfx: certificate and key in one) without it
#   --key       the private key of a PEM certificate (PEM or DER)
#   --password-file  a file whose first line is the key's or PKCS#12 password
#   --timestamp an RFC 3161 time-stamp server; without one the signing time
#               is SOURCE_DATE_EPOCH when that is set
set -euo pipefail

cert="" key="" password_file="" timestamp="" description="" url=""
while [[ ${1:-} == --* ]]; do
    case $1 in
        --cert) cert=$2 ;;
        --key) key=$2 ;;
        --password-file) password_file=$2 ;;
        --timestamp) timestamp=$2 ;;
        --description) description=$2 ;;
        --url) url=$2 ;;
        *) echo "sign-pe.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
done
exe=${1:?usage: sign-pe.sh --cert FILE [--key FILE] ... EXE}
[[ -n $cert ]] || { echo "sign-pe.sh: no --cert" >&2; exit 2; }

args=(sign -h sha256)
case ${cert,,} in
    *.p12 | *.pfx)
        [[ -z $key ]] || { echo "sign-pe.sh: a PKCS#12 file holds its key; give no --key" >&2; exit 2; }
        args+=(-pkcs12 "$cert") ;;
    *)
        [[ -n $key ]] || { echo "sign-pe.sh: a PEM certificate needs --key" >&2; exit 2; }
        args+=(-certs "$cert" -key "$key") ;;
esac
[[ -z $password_file ]] || args+=(-readpass "$password_file")
[[ -z $description ]] || args+=(-n "$description")
[[ -z $url ]] || args+=(-i "$url")
if [[ -n $timestamp ]]; then
    args+=(-ts "$timestamp")
elif [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
    args+=(-time "$SOURCE_DATE_EPOCH")
fi

signed=$exe.signing
rm -f "$signed"
if ! osslsigncode "${args[@]}" -in "$exe" -out "$signed" >"$signed.log" 2>&1; then
    cat "$signed.log" >&2
    rm -f "$signed" "$signed.log"
    echo "sign-pe.sh: signing $exe failed" >&2
    exit 1
fi
rm -f "$signed.log"
mv "$signed" "$exe"
echo "signed $(basename "$exe")"
