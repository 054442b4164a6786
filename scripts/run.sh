#!/usr/bin/env bash
# Builds and starts Keyloom. With no keyboard attached the virtual keyboard stands in.
# This script never fails: whatever cannot be done is said, and the rest still runs.
cd "$(dirname "$0")/.." || exit 0

if ! scripts/install-deps.sh; then
    echo "run.sh: some packages could not be installed; trying to build with what is here."
fi
if ! { cmake -S . -B build -G Ninja -DKEYLOOM_BUILD_TESTS=OFF -DKEYLOOM_BUILD_BENCHMARKS=OFF >/dev/null &&
       cmake --build build -j"$(nproc)"; }; then
    echo "run.sh: the build failed; see the messages above."
    exit 0
fi
if [ ! -x build/bin/keyloom ]; then
    echo "run.sh: the build has no keyloom program yet."
    exit 0
fi
build/bin/keyloom "$@" || echo "run.sh: keyloom ended with status $?."
exit 0
