#!/bin/bash
# Configures, builds and tests every build: the Linux host build (ASan, UBSan), the fuzzers (each
# replays its corpus) and both Windows builds, whose tests run under Wine. Goes on after a failure so that one run shows everything;
# exits non-zero when any step failed. Needs what scripts/setup.sh installs.
#
#   scripts/test-all.sh [PRESET...]   (default: host fuzz win64 win32)
set -uo pipefail

cd "$(dirname "$0")/.." || exit 1
presets=("$@")
if [ ${#presets[@]} -eq 0 ]; then
    presets=(host fuzz win64 win32)
fi
jobs=$(nproc)
logs=$(mktemp -d)
passed=0
failed=0
summary=()

# Some machines (CI among them) cannot run 32-bit programs: there the 32-bit build is only built.
runs_32_bit=yes
if ! cmake/wine-run.sh --can-run-32-bit; then
    runs_32_bit=no
fi

# Whatever happens, no Wine server or program of these builds outlives the run.
stop_wine() {
    for preset in "${presets[@]}"; do
        if [ -d "build/$preset/wine-prefix" ]; then
            cmake/wine-run.sh "build/$preset/wine-prefix" --stop
        fi
    done
    rm -rf "$logs"
}
trap stop_wine EXIT

for preset in "${presets[@]}"; do
    echo "=== $preset"
    start=$SECONDS
    if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$jobs"; }; then
        summary+=("$preset: configure or build FAILED")
        failed=$((failed + 1))
        continue
    fi
    built=$SECONDS
    if [ "$preset" = win32 ] && [ "$runs_32_bit" = no ]; then
        summary+=("$preset: built; tests not run: this machine cannot run 32-bit programs\
 (configure and build $((built - start)) s)")
        continue
    fi
    ctest --preset "$preset" 2>&1 | tee "$logs/$preset"
    # "100% tests passed, 0 tests failed out of 31"
    counts=$(sed -n 's/.* tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' \
        "$logs/$preset" | tail -1)
    if [ -z "$counts" ]; then
        summary+=("$preset: ctest ran no tests or did not finish")
        failed=$((failed + 1))
        continue
    fi
    read -r preset_failed preset_total <<<"$counts"
    passed=$((passed + preset_total - preset_failed))
    failed=$((failed + preset_failed))
    summary+=("$preset: $((preset_total - preset_failed)) of $preset_total tests passed\
 (configure and build $((built - start)) s, tests $((SECONDS - built)) s)")
done

echo "=== summary"
printf '%s\n' "${summary[@]}"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
