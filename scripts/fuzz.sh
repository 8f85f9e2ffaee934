#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz (clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer) in ./build-fuzz and runs each for FUZZ_SECONDS
# (default 30) from its seeds. A crash, a failed invariant, a leak, a
# sanitizer report or an input slower than 10 s fails the script; the input
# is kept under build-fuzz/artifacts/.
#
#   scripts/fuzz.sh [target ...]     # e.g. scripts/fuzz.sh logfile
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/sanitizer-env.sh

build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-30}
configure_checked_build "$build_dir" -DHARRIER_FUZZ=ON
cmake --build "$build_dir" -j"$(nproc)" --target harrier_fuzzers

targets=("$@")
if ((${#targets[@]} == 0)); then
    for d in tests/fuzz/seeds/*/; do
        targets+=("$(basename "$d")")
    done
fi

passed=0
failed=0
for t in "${targets[@]}"; do
    fuzzer="$build_dir/bin/fuzz_$t"
    seeds="tests/fuzz/seeds/$t"
    # New inputs go to a scratch corpus; the seeds in the repository stay as written.
    corpus="$build_dir/corpus/$t"
    artifacts="$build_dir/artifacts/$t"
    mkdir -p "$corpus" "$artifacts"
    dict=()
    [[ -f tests/fuzz/$t.dict ]] && dict=(-dict="tests/fuzz/$t.dict")
    log="$build_dir/fuzz_$t.log"
    echo "== fuzz_$t for ${seconds}s"
    set +e
    "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "${dict[@]}" "$corpus" "$seeds" >"$log" 2>&1
    status=$?
    set -e
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
    cov=$(grep -Eo 'cov: [0-9]+' "$log" | tail -1 || true)
    if ((status == 0)) && [[ -n $runs ]]; then
        echo "fuzz_$t: ${runs} runs in ${secs:-?} s ($((runs / (${secs:-0} > 0 ? secs : 1))) exec/s), ${cov:-cov: ?}"
        passed=$((passed + 1))
    else
        echo "fuzz_$t FAILED (exit $status); its report:" >&2
        grep -Ev '^#[0-9]+\s+(NEW|REDUCE|pulse|INITED)' "$log" | tail -60 >&2
        ls -1 "$artifacts" >&2 || true
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
