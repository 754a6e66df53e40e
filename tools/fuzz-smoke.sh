#!/usr/bin/env bash
# Runs every libFuzzer target found in a build folder for a few seconds each.
# Usage: tools/fuzz-smoke.sh BUILD_DIR SECONDS
set -euo pipefail
build=${1:-build/fuzz}
seconds=${2:-20}
found=0
while IFS= read -r target; do
    found=1
    echo "-- $(basename "$target") for ${seconds}s"
    corpus=$(mktemp -d)
    "$target" -seed=1 -max_total_time="$seconds" -max_len=65536 -print_final_stats=0 "$corpus" >"$corpus.log" 2>&1 || {
        tail -n 60 "$corpus.log"
        echo "fuzz target $(basename "$target") found a failure"
        exit 1
    }
    rm -rf "$corpus" "$corpus.log"
done < <(find "$build/fuzz" -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
[ "$found" = 1 ] || echo "no fuzz targets built"
