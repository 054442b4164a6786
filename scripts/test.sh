#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, and the threaded tests under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

scripts/install-deps.sh

total_passed=0
total_failed=0
# run_ctest BUILD_DIR [ctest args...]: runs ctest and adds its counts to the totals.
run_ctest() {
    local dir=$1; shift
    local log="$dir/ctest.log" status=0
    ctest --test-dir "$dir" --output-on-failure --timeout 600 "$@" 2>&1 | tee "$log" || status=$?
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
    if [ -n "$line" ]; then
        local failed all
        failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
        all=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
        total_passed=$((total_passed + all - failed))
        total_failed=$((total_failed + failed))
    elif [ $status -ne 0 ]; then
        total_failed=$((total_failed + 1))
    fi
    return 0
}

# Tests of windows run against a private X server.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    Xvfb :87 -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    export DISPLAY=:87
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
export GDK_BACKEND=x11
# ---- music: private sound server for the audio end-to-end tests (begin) ----
# A PulseAudio server of this run's own, with a null sink as the default playback device,
# reached through PULSE_SERVER. The audio tests skip when PULSE_SERVER is not set. The
# server is stopped (and its folder removed) when this script exits, before any exit
# action set above.
pulse_dir=$(mktemp -d "${TMPDIR:-/tmp}/keyloom-pulse.XXXXXX")
pulse_pid=""
stop_private_pulse() {
    if [ -n "$pulse_pid" ]; then
        kill "$pulse_pid" 2>/dev/null || true
        wait "$pulse_pid" 2>/dev/null || true
    fi
    rm -rf "$pulse_dir"
}
eval "previous_exit_trap=($(trap -p EXIT))"
trap "stop_private_pulse; ${previous_exit_trap[2]:-}" EXIT
if command -v pulseaudio >/dev/null 2>&1; then
    # Root gets a warning but a working per-session server; HOME and the runtime folders
    # point into the private folder so nothing of a desktop session is touched.
    HOME="$pulse_dir" XDG_RUNTIME_DIR="$pulse_dir" XDG_CONFIG_HOME="$pulse_dir" \
        PULSE_RUNTIME_PATH="$pulse_dir" PULSE_STATE_PATH="$pulse_dir" \
        pulseaudio --daemonize=no --system=false --exit-idle-time=-1 -n --disallow-exit \
        --use-pid-file=false --high-priority=yes --log-target=stderr \
        --load="module-null-sink sink_name=keyloom_null" \
        --load="module-native-protocol-unix socket=$pulse_dir/native auth-anonymous=1" \
        >"$pulse_dir/server.log" 2>&1 &
    pulse_pid=$!
    for _ in $(seq 100); do
        PULSE_SERVER="unix:$pulse_dir/native" pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    if PULSE_SERVER="unix:$pulse_dir/native" pactl info >/dev/null 2>&1; then
        export PULSE_SERVER="unix:$pulse_dir/native"
    else
        echo "private sound server did not start; the audio tests will skip"
        cat "$pulse_dir/server.log" || true
    fi
fi
# ---- music: private sound server for the audio end-to-end tests (end) ----
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"

echo "== plain build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
run_ctest build -j"$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKEYLOOM_SANITIZE=address \
      -DKEYLOOM_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan -j"$jobs"
run_ctest build-asan -j"$jobs"

echo "== ThreadSanitizer build (threaded tests)"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKEYLOOM_SANITIZE=thread \
      -DKEYLOOM_BUILD_BENCHMARKS=OFF >/dev/null
mapfile -t threaded < <(ctest --test-dir build-tsan -N -L threaded | sed -n -E 's/^ *Test +#[0-9]+: (.*)$/\1/p')
if [ ${#threaded[@]} -gt 0 ]; then
    cmake --build build-tsan -j"$jobs" --target "${threaded[@]}"
    run_ctest build-tsan -L threaded
fi

if [ -d tests/fuzz ]; then
    echo "== fuzzers (short run)"
    scripts/fuzz.sh 30 || total_failed=$((total_failed + 1))
fi

echo "tests: $total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
