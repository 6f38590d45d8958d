#!/usr/bin/env bash
# setup-deps.sh's decisions against a package archive that misbehaves, without
# touching the real package system: stand-ins for apt-get, dpkg, dpkg-query
# and id come first on PATH, and a copy of the scripts sees a host that does
# or does not run 32-bit code. Each row shows the lines printed and the route
# that the later steps take.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/torvane-deps-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/bin" "$work/scripts"
cp "$repo/scripts/setup-deps.sh" "$repo/scripts/apt-lib.sh" "$work/scripts/"
cat >"$work/scripts/host-route.sh" <<EOF
source "$repo/scripts/host-route.sh"
torvane_host_runs_32bit() { [[ \$FAKE_RUNS_32BIT == 1 ]]; }
EOF

# The archive's state lives in \$FAKE_STATE: installed (one package a line),
# arches, and a log of the apt-get calls.
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
grep -qxF "${!#}" "$FAKE_STATE/installed" 2>/dev/null && printf installed && exit 0
echo "dpkg-query: no packages found matching ${!#}" >&2
exit 1
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
case $1 in
    --print-foreign-architectures) cat "$FAKE_STATE/arches" 2>/dev/null || true ;;
    --add-architecture) echo "$2" >>"$FAKE_STATE/arches" ;;
    *) exit 2 ;;
esac
EOF
cat >"$work/bin/id" <<'EOF'
#!/usr/bin/env bash
echo 0
EOF
cat >"$work/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE_STATE/calls"
if [[ $1 == update ]]; then
    echo "Hit:1 http://deb.debian.org/debian bookworm InRelease"
    [[ $FAKE_UPDATE == ok ]] && exit 0
    echo "Err:5 http://deb.debian.org/debian-security bookworm-security/main i386 Packages"
    echo "  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 127.0.0.1 80]"
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100
fi
shift
packages=()
for a in "$@"; do [[ $a == -* ]] || packages+=("$a"); done
for p in "${packages[@]}"; do
    if [[ $p == wine32:i386 && $FAKE_WINE32 == broken ]] || [[ $p == xvfb && $FAKE_BASE == broken ]]; then
        echo " $p : Depends: libc6:i386 (>= 2.36-9+deb12u9) but 2.36-9+deb12u8 is to be installed"
        echo "E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages."
        exit 100
    fi
done
printf '%s\n' "${packages[@]}" >>"$FAKE_STATE/installed"
EOF
chmod +x "$work/bin/"*

wine32_breaks="wine32 cannot be installed from the package archive here (Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages.; not fetched: bookworm-security/main i386 Packages): taking the x86_64 route"
index_fails="setup-deps: some package indexes could not be fetched (bookworm-security/main i386 Packages): going on with the lists that did arrive"
route_win32="setup-deps: route: 32-bit setup under wine32"
route_no_wine32="setup-deps: route: x86_64 build of the same sources under wine64: wine32 is not installed (the package archive here could not provide it)"
route_no_32bit="setup-deps: route: x86_64 build of the same sources under wine64: this host cannot run 32-bit programs"

# name | runs 32-bit | update | wine32 | base | already installed | exit | updates | lines that must show (~) | line that must not
cases=(
    "one index fails, installs work|1|one-index-fails|ok|ok|-|0|2|$index_fails~$route_win32|$wine32_breaks"
    "wine32 cannot be installed|1|one-index-fails|broken|ok|-|0|2|$index_fails~$wine32_breaks~setup-deps: done~$route_no_wine32|$route_win32"
    "everything works|1|ok|ok|ok|-|0|1|setup-deps: done~$route_win32|$index_fails"
    "healed archive brings wine32 back|1|ok|ok|ok|all-but-wine32|0|1|setup-deps: installing wine32:i386~$route_win32|$wine32_breaks"
    "everything there: no archive asked|1|ok|ok|ok|all|0|0|$route_win32|setup-deps: done"
    "host without 32-bit code never asks for wine32|0|one-index-fails|broken|ok|-|0|2|$index_fails~$route_no_32bit|$wine32_breaks"
    "a package that does not install fails the run|1|one-index-fails|ok|broken|-|100|2|$index_fails|setup-deps: done"
)

failures=0
for row in "${cases[@]}"; do
    IFS='|' read -r name runs32 update wine32 base preinstalled want_rc want_updates must mustnot <<<"$row"
    state=$work/state
    rm -rf "$state"
    mkdir -p "$state"
    : >"$state/calls"
    if [[ $preinstalled != - ]]; then
        # Every package setup-deps asks for, read from its own list.
        sed -n '/^packages=(/,/^)/p' "$repo/scripts/setup-deps.sh" | sed 's/#.*//' |
            tr ' ' '\n' | grep -vE '^(packages=\(|\)|)$' >"$state/installed"
        if [[ $preinstalled == all ]]; then echo wine32:i386 >>"$state/installed"; fi
        echo i386 >"$state/arches"
    fi
    set +e
    out=$(PATH="$work/bin:$PATH" FAKE_STATE=$state FAKE_RUNS_32BIT=$runs32 FAKE_UPDATE=$update \
        FAKE_WINE32=$wine32 FAKE_BASE=$base TORVANE_APT_RETRY_PAUSE=0 TORVANE_WINE_ROUTE= \
        bash "$work/scripts/setup-deps.sh" 2>&1)
    rc=$?
    set -e
    problems=()
    [[ $rc == "$want_rc" ]] || problems+=("exit code $rc, want $want_rc")
    updates=$(grep -c '^apt-get update' "$state/calls" || true)
    [[ $updates == "$want_updates" ]] || problems+=("apt-get update ran $updates times, want $want_updates")
    IFS='~' read -r -a lines <<<"$must"
    for line in "${lines[@]}"; do
        grep -qxF -- "$line" <<<"$out" || problems+=("missing line: $line")
    done
    ! grep -qxF -- "$mustnot" <<<"$out" || problems+=("unexpected line: $mustnot")
    if [[ $runs32 == 0 ]] && grep -q 'wine32:i386\|add-architecture' "$state/calls" "$state/arches" 2>/dev/null; then
        problems+=("asked for wine32 or i386 on a host without 32-bit code")
    fi
    if [[ ${#problems[@]} == 0 ]]; then
        echo "ok: $name"
    else
        failures=$((failures + 1))
        echo "FAILED: $name"
        printf '    %s\n' "${problems[@]}"
        sed 's/^/    | /' <<<"$out"
    fi
done
echo "$((${#cases[@]} - failures)) of ${#cases[@]} setup-deps cases passed"
[[ $failures == 0 ]]
