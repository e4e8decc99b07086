#!/usr/bin/env bash
# Fuzzes every reader of outside data for a while, in parallel.
# Usage: tests/fuzz/run.sh BUILD_DIR [SECONDS] [TARGET...]
#   BUILD_DIR: a clang build configured with -DHARROWVALE_SANITIZE=ON -DHARROWVALE_FUZZ=ON
#   SECONDS:   per target (default 20, as CI runs them); by hand try 600 or more.
# Each target starts from a scratch copy of its seed corpus (tests/fuzz/corpus/<name>/)
# and its regression inputs. A crash, leak, timeout or sanitizer report fails the run and
# leaves the input under build/fuzz-artifacts/<name>/: copy it into
# tests/fuzz/regressions/<name>/ once fixed, so ctest replays it from then on.
# A run also fails when its target's coverage stays trivially low (below the floor of
# coverage_floor, in libFuzzer's "cov:" edges at the end of the run): a target that
# returns before reaching its reader fuzzes nothing, however long it runs.
set -uo pipefail
cd "$(dirname "$0")/../.."
BUILD=${1:?usage: tests/fuzz/run.sh BUILD_DIR [SECONDS] [TARGET...]}
SECONDS_EACH=${2:-20}
shift $(( $# >= 2 ? 2 : 1 ))
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(scene prefab component animator unit dialogue save png ogg)
PARALLEL=${FUZZ_JOBS:-$(nproc)}

export HARROWVALE_TEST=1 ALSOFT_DRIVERS=null
export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

work=$(mktemp -d /tmp/harrowvale-fuzz-XXXXXX)
trap 'rm -rf "$work"' EXIT

# Each floor is about half of what the target's seed corpus alone reaches (scene 6268,
# prefab 3327, component 5046, animator 2422, unit 2769, dialogue 2129, save 92, png 165,
# ogg 130 edges when written down), so a run that stops short of its reader fails while
# an unlucky run does not. The decoders of png, ogg and fonts are system libraries, not
# counted; a target without a floor of its own must reach 30 edges (one that returns at
# once reaches about 3).
coverage_floor() {
    case $1 in
        scene) echo 3000 ;;
        prefab) echo 1600 ;;
        component) echo 2500 ;;
        animator) echo 1200 ;;
        unit) echo 1300 ;;
        dialogue) echo 1000 ;;
        save) echo 45 ;;
        png) echo 80 ;;
        ogg) echo 65 ;;
        *) echo 30 ;;
    esac
}

fuzz_one() {
    local name=$1 binary="$BUILD/tests/fuzz/fuzz_$1"
    local corpus="$work/$name" artifacts="$BUILD/fuzz-artifacts/$name"
    [ -x "$binary" ] || { echo "fuzz $name: no $binary (skipped)"; return 0; }
    mkdir -p "$corpus" "$artifacts"
    for seeds in tests/fuzz/corpus/$name tests/fuzz/regressions/$name; do
        [ -d "$seeds" ] && cp "$seeds"/* "$corpus"/ 2>/dev/null
    done
    if "$binary" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
            -artifact_prefix="$artifacts/" "$corpus" >"$work/$name.log" 2>&1; then
        local coverage floor
        coverage=$(grep -oE 'cov: [0-9]+' "$work/$name.log" | tail -1 | grep -oE '[0-9]+')
        floor=$(coverage_floor "$name")
        if [ "${coverage:-0}" -lt "$floor" ]; then
            echo "fuzz $name: FAILED: it reached ${coverage:-no} edges, below its floor of $floor"
            return 1
        fi
        echo "fuzz $name: ok ($(grep -oE 'Done [0-9]+ runs' "$work/$name.log" | tail -1), $coverage edges)"
    else
        echo "fuzz $name: FAILED; input kept in $artifacts/"
        grep -E "ERROR|SUMMARY|runtime error" "$work/$name.log" | head -5
        return 1
    fi
}
export -f fuzz_one coverage_floor
export BUILD SECONDS_EACH work

printf '%s\n' "${TARGETS[@]}" | xargs -P "$PARALLEL" -I{} bash -c 'fuzz_one {}'
