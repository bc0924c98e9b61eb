#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for a bounded time, JOBS at a time (default: all
# nine at once, so the whole run takes SECONDS; on two cores each then gets under a quarter of a core).
# Each starts from the committed corpus (fuzz/corpus/<target>) and writes what it learns to the
# build folder, so the checkout stays clean. A crash, hang, sanitizer report or failed check
# fails the run; the input that caused it is kept as <build>/fuzz/findings/<target>-*.
#   scripts/run-fuzz.sh BUILD_DIR SECONDS [JOBS]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-60}
jobs=${3:-9}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$build/fuzz/work
mkdir -p "$work" "$build/fuzz/findings"

run_one() {
    local target=$1 seconds=$2 build=$3 source_dir=$4 work=$5
    local corpus=$source_dir/fuzz/corpus/$target
    local dict=$source_dir/fuzz/$target.dict
    mkdir -p "$work/$target"
    local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                -artifact_prefix="$build/fuzz/findings/$target-")
    [ -f "$dict" ] && args+=(-dict="$dict")
    if "$build/fuzz/$target" "${args[@]}" "$work/$target" "$corpus" >"$work/$target.log" 2>&1; then
        echo "$target: $(grep -m1 '^stat::number_of_executed_units' "$work/$target.log" | awk '{print $2}') executions in ${seconds} s, no finding"
    else
        echo "$target: FAILED, see $work/$target.log"
        tail -n 40 "$work/$target.log"
        return 1
    fi
}
export -f run_one

targets=(selection_engine_fuzzer condition_file_fuzzer history_file_fuzzer leading_number_fuzzer
         draw_source_fuzzer ticket_file_fuzzer blue_controls_file_fuzzer cell_edit_fuzzer
         history_import_fuzzer)
printf '%s\n' "${targets[@]}" |
    xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$build" "$source_dir" "$work"
