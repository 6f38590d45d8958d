#!/usr/bin/env bash
# Builds the fuzz targets with clang (build/fuzz) and runs each of them for
# the given number of seconds (default 60). The data-file reader starts from a
# real data file written by the native tree's mkdatafile, when that is built.
# Crashes leave their input in build/fuzz/findings/ and fail the run.
#   bash scripts/run-fuzz.sh [seconds] [unscramble_url|node_address|data_file|uninstall_list|command_line ...]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(unscramble_url node_address data_file uninstall_list command_line)

fuzz=$repo/build/fuzz
cmake -S "$repo" -B "$fuzz" -G Ninja -DTORVANE_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
# Quiet unless the build fails: then its errors are what the run says.
if ! build_log=$(cmake --build "$fuzz" 2>&1); then
    echo "$build_log" | grep -E 'error|undefined reference' | head -n 40
    echo "fuzz: the fuzz targets did not build"
    exit 1
fi

mkdir -p "$fuzz/findings"
for target in "${targets[@]}"; do
    corpus=$fuzz/corpus/$target
    mkdir -p "$corpus"
    extra=()
    if [[ $target == data_file ]]; then
        extra=(-max_len=300000)
        mkdatafile=$repo/build/native/tools/mkdatafile
        if [[ -x $mkdatafile && ! -f $corpus/seed.dat ]]; then
            "$mkdatafile" "$corpus/seed.dat" 'C:\Users\me\AppData\Local\Torvane P2P\' 'D:\' 3
        fi
    fi
    if [[ $target == uninstall_list && ! -f $corpus/typical.dat ]]; then
        # The list the setup writes, so that mutations start from real lines.
        i='C:\Program Files\Torvane P2P\' d='C:\Users\me\AppData\Local\Torvane P2P\'
        printf '%s\r\n' 'Torvane P2P' "<P${d}*.DAT>" "<P${d}*.GET>" "<E${d}>" "<F${i}Torvane.Exe>" \
            "<F${d}Torvane.dat>" "<F${i}Uninstall.Exe>" "<F${i}Torvane_toolbar.exe>" "<E${i}>" \
            '<RSoftware\Microsoft\Windows\CurrentVersion\Uninstall\Torvane P2P>' '<STorvane P2P>' \
            '<TTorvane P2P.Lnk>' >"$corpus/typical.dat"
    fi
    if [[ $target == command_line && ! -f $corpus/cleanup.txt ]]; then
        printf '%s' '"C:\T\c.exe" /cleanup "C:\Program Files\Torvane P2P\Uninstall.Exe" 42 "C:\x"' >"$corpus/cleanup.txt"
        printf '%s' 'Install_Torvane.exe /autoupdate "C:\Program Files\Torvane P2P"' >"$corpus/autoupdate.txt"
    fi
    echo "fuzz: $target for ${seconds}s"
    "$fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -artifact_prefix="$fuzz/findings/$target-" \
        -print_final_stats=1 "${extra[@]}" "$corpus" 2>&1 | grep -E '^(stat::number_of_executed_units|==|SUMMARY)' || true
    # libFuzzer exits non-zero on a finding; the pipe above hides that, the
    # artefact does not.
    if compgen -G "$fuzz/findings/$target-*" >/dev/null; then
        echo "fuzz: $target found a failing input: $(ls "$fuzz/findings/$target-"*)"
        exit 1
    fi
done
echo "fuzz: no failures"
