#!/usr/bin/env bash
# The whole quorvel process against xmllint --noout --schema bench/lotto.xsd
# on the generated files (a) 1000 lotto tickets of 12 tips, one element a
# line; (b) the same padded with comments and blank lines to 4,194,304 bytes;
# (c) (a) with CR LF. The two commands alternate, RUNS times each (default
# 30); printed are the medians, their ratio, and quorvel's peak resident size.
#
#     bench/compare-xmllint.sh [RUNS]
#
# Builds a static Release checker in build-bench (BUILD_DIR to change it) and
# installs what it needs when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-30}
build=${BUILD_DIR:-build-bench}

apt_packages=()
need() { # need COMMAND-OR-FILE PACKAGE
    if ! command -v "$1" >/dev/null 2>&1 && [ ! -e "$1" ]; then apt_packages+=("$2"); fi
}
need cmake cmake
need g++ g++
need xmllint libxml2-utils
if [ ${#apt_packages[@]} -gt 0 ]; then
    echo "== installing ${apt_packages[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y --no-install-recommends "${apt_packages[@]}"
fi

echo "== static Release build in $build"
cmake -B "$build" -S . -DCMAKE_BUILD_TYPE=Release -DQUORVEL_STATIC=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target quorvel quorvel_bench_files quorvel_alternate_runs >/dev/null

folder=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-compare-XXXXXX")
trap 'rm -rf "$folder"' EXIT
bench="$build/bench"
"$bench/quorvel_bench_files" "$folder" >/dev/null

# Both must accept every file, or the comparison means nothing.
for file in "$folder"/*.lvx; do
    answer=$("$build/quorvel" "$file")
    [ "$answer" = "Datei korrekt. Tipps nun spielbar." ] || { echo "quorvel refuses $file: $answer" >&2; exit 1; }
    xmllint --noout --schema bench/lotto.xsd "$file" 2>&1 | grep -q " validates$" ||
        { echo "xmllint refuses $file" >&2; exit 1; }
done

echo "== $runs runs each, alternating (medians in ms)"
printf '%-22s %10s %10s %8s %12s\n' file quorvel xmllint ratio "peak RSS"
for file in "$folder"/a-lotto.lvx "$folder"/b-lotto-4mib.lvx "$folder"/c-lotto-crlf.lvx; do
    read -r ours theirs peak < <("$bench/quorvel_alternate_runs" "$runs" "$build/quorvel" "$file" \
        -- xmllint --noout --schema bench/lotto.xsd "$file")
    # /usr/bin/time -v reports the peak resident size as well, when it is there.
    if [ -x /usr/bin/time ]; then
        peak=$(/usr/bin/time -v "$build/quorvel" "$file" 2>&1 >/dev/null |
            awk -F': ' '/Maximum resident set size/ {print $2}')
    fi
    ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.1f", b / a }')
    printf '%-22s %10s %10s %7sx %9s KiB\n' "$(basename "$file")" "$ours" "$theirs" "$ratio" "$peak"
done
