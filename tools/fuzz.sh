#!/bin/sh
# The readers' fuzzers (clang-14, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer), built in build/fuzz.
#   tools/fuzz.sh run SECONDS   fuzz the profile reader for SECONDS and the EDID
#                               reader for half of that, new inputs kept in
#                               build/fuzz/corpus and build/fuzz/edid-corpus
#   tools/fuzz.sh check         replay the seeds and every saved crash, then fuzz
#                               the profile reader 30 s and the EDID reader 10 s
# Both also run the number text's and the calibration writers' fuzzers for a
# tenth of the time, and the measurement reader's for half of it (run) or 10 s
# (check), new inputs kept in build/fuzz/measurement-corpus.
# An input that crashes is written to build/fuzz/artifacts/; copy it into
# fuzz/regressions/ once the fault is mended, so that every run replays it.
set -e
cd "$(dirname "$0")/.."
# Through ccache where it is installed, as the presets' builds (cmake/ccache.cmake).
launcher=
if command -v ccache >/dev/null; then
    launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=$(command -v ccache)"
    export CCACHE_BASEDIR="$PWD"
fi
cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher >/dev/null
cmake --build build/fuzz -j2 >/dev/null
mkdir -p build/fuzz/corpus build/fuzz/edid-corpus build/fuzz/measurement-corpus build/fuzz/artifacts
fuzzer=build/fuzz/profile_fuzzer
export ASAN_OPTIONS=detect_leaks=1
fuzz() {
    "$fuzzer" -max_total_time="$1" -dict=fuzz/icc.dict -max_len=8192 -print_final_stats=1 \
        -artifact_prefix=build/fuzz/artifacts/ build/fuzz/corpus fuzz/corpus
}
# Up to a few kilobytes: the hex text of a base block and some extensions.
fuzz_edid() {
    build/fuzz/edid_fuzzer -max_total_time="$1" -dict=fuzz/edid.dict -max_len=4096 -print_final_stats=1 \
        -artifact_prefix=build/fuzz/artifacts/ build/fuzz/edid-corpus fuzz/edid-corpus
}
# Up to a few kilobytes: a small chart, readings, a profile holding a table.
fuzz_measurement() {
    build/fuzz/measurement_fuzzer -max_total_time="$1" -dict=fuzz/measurement.dict -max_len=4096 \
        -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ build/fuzz/measurement-corpus \
        fuzz/measurement-corpus
}
fuzz_number_text() {
    mkdir -p build/fuzz/number-text
    build/fuzz/number_text_fuzzer -max_total_time="$1" -print_final_stats=1 \
        -artifact_prefix=build/fuzz/artifacts/ build/fuzz/number-text
}
# Field texts, one a line, into the calibration writers.
fuzz_calibration() {
    mkdir -p build/fuzz/calibration-corpus
    build/fuzz/calibration_fuzzer -max_total_time="$1" -max_len=1024 -print_final_stats=1 \
        -artifact_prefix=build/fuzz/artifacts/ build/fuzz/calibration-corpus fuzz/calibration-corpus
}
case "${1:-check}" in
    run)
        fuzz "${2:-300}"
        fuzz_edid $(( ${2:-300} / 2 + 1 ))
        fuzz_measurement $(( ${2:-300} / 2 + 1 ))
        fuzz_number_text $(( ${2:-300} / 10 + 1 ))
        fuzz_calibration $(( ${2:-300} / 10 + 1 )) ;;
    check)
        # Quietly: the progress lines go to a log, shown whole only on failure.
        log=build/fuzz/check.log
        if ! { "$fuzzer" -runs=0 fuzz/corpus fuzz/regressions &&
               build/fuzz/edid_fuzzer -runs=0 fuzz/edid-corpus fuzz/regressions &&
               build/fuzz/measurement_fuzzer -runs=0 fuzz/measurement-corpus fuzz/regressions &&
               fuzz 30 && fuzz_edid 10 && fuzz_measurement 10 && fuzz_number_text 5 && fuzz_calibration 5; } >"$log" 2>&1; then
            tail -n 60 "$log"
            echo "fuzz check failed; the whole output is in $log" >&2
            exit 1
        fi
        grep -E '^(Done|#[0-9]+[[:space:]]+DONE)' "$log" ;;
    *)
        echo "usage: tools/fuzz.sh run SECONDS | check" >&2
        exit 2 ;;
esac
