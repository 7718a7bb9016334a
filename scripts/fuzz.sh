#!/usr/bin/env bash
# Fuzzes the parsers of what other PCs send: builds the fuzz preset (clang, libFuzzer, ASan,
# UBSan), runs every input kept in fuzz/regressions/<target>/ through its target once, then
# fuzzes each target for a bounded time on a copy of its seeds (build-fuzz/run/<target>/; the
# repository's corpus never grows here). Prints each target's executions and corpus size, and
# fails when a target crashed, leaked or met undefined behaviour; the input that did it lies in
# build-fuzz/run/<target>/crashes/, to be kept in fuzz/regressions/<target>/.
# Usage: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz

# An input limit as its header defines it: "inline constexpr ... NAME = EXPRESSION;".
limit() {
    local expression value
    expression=$(sed -n "s/.* $2 = \([^;]*\);.*/\1/p" "$1")
    value=$((${expression:-0}))
    [ "$value" -gt 0 ] || { echo "fuzz.sh: no number for $2 in $1" >&2; exit 1; }
    echo "$value"
}
# Each target (fuzz/<target>.cpp) with the most its parser is ever given.
datagram=$(limit src/lan/lan_protocol.hpp MaxDatagramBytes)
declare -A max_len=(
    [read_header]=$datagram
    [parse_answer]=$datagram
    [parse_verdict]=$(limit src/lan/lan_protocol.hpp MaxVerdictBytes)
    [parse_folder_request]=$(($(limit src/lan/lan_protocol.hpp MaxNameBytes) + 1 +
                              $(limit src/lan/lan_protocol.hpp MaxFolderPathBytes)))
    [parse_report]=$(limit src/report/status_report.hpp MaxReportBytes)
    [parse_game_tree]=$(limit src/report/game_tree_text.hpp MaxTreeTextBytes)
)

export ASAN_OPTIONS=detect_leaks=1
export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for program in build-fuzz/bin/korvane_fuzz_*; do
    target=${program#build-fuzz/bin/korvane_fuzz_}
    : "${max_len[$target]:?no input limit for $target in scripts/fuzz.sh}"
    run=build-fuzz/run/$target
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/crashes"
    cp fuzz/corpus/$target/* "$run/corpus/"
    seeds=$(ls "$run/corpus" | wc -l)

    mapfile -t kept < <(find fuzz/regressions/$target -type f ! -name '.*' | sort)
    if [ ${#kept[@]} -gt 0 ] && ! "$program" "${kept[@]}" > "$run/regressions.log" 2>&1; then
        tail -n 40 "$run/regressions.log"
        echo "$target: an input kept in fuzz/regressions/$target/ fails again (log: $run/regressions.log)"
        failed+=("$target")
        continue
    fi

    if "$program" -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$run/crashes/" "$run/corpus" > "$run/fuzz.log" 2>&1; then
        result=ok
    else
        tail -n 60 "$run/fuzz.log"
        result="CRASHED, input in $run/crashes/ (log: $run/fuzz.log)"
        failed+=("$target")
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/fuzz.log")
    echo "$target: ${runs:-?} executions in ${seconds} s, max_len ${max_len[$target]}," \
         "${#kept[@]} kept input(s), corpus $seeds -> $(ls "$run/corpus" | wc -l) inputs: $result"
done

echo "Fuzzing: $SECONDS s"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed: ${failed[*]}"
    exit 1
fi
