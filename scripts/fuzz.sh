#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 30). Exits non-zero when a fuzzer finds a crash; the reproducer is kept in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DKEYLOOM_BUILD_FUZZERS=ON -DKEYLOOM_BUILD_BENCHMARKS=OFF \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined" >/dev/null
fuzzers=(fuzz_profile_import fuzz_macro_import fuzz_ini_file)
cmake --build build-fuzz -j"$(nproc)" --target "${fuzzers[@]}"

status=0
for fuzzer in "${fuzzers[@]}"; do
    corpus_name=${fuzzer#fuzz_}
    corpus_name=${corpus_name%_import}
    corpus_name=${corpus_name%_file}
    work=build-fuzz/corpus/$corpus_name
    mkdir -p "$work"
    cp -n tests/fuzz/corpus/"$corpus_name"/* "$work"/ 2>/dev/null || true
    echo "fuzzing $fuzzer for ${seconds}s"
    if ! (cd build-fuzz && ./fuzz/"$fuzzer" -max_total_time="$seconds" -max_len=65536 \
            -rss_limit_mb=1024 -print_final_stats=1 "corpus/$corpus_name" 2>&1 | tail -n 12); then
        status=1
    fi
done
exit $status
