#!/usr/bin/env bash
# Fuzzes the SQL dialect translation with libFuzzer: fuzz.sh [SECONDS] (default 600).
# Installs clang and its fuzzing runtime when they are missing, builds into
# build-fuzz, and runs from the seed corpus of the program's own statements.
# Findings (crash-*, timeout-*, leak-*) land in build-fuzz/findings.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
if ! command -v clang++ >/dev/null 2>&1 || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-dev >/dev/null
fi
build="$here/build-fuzz"
cmake -S "$here" -B "$build" -G Ninja -DSNA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --target fuzz_dialect -j 2
mkdir -p "$build/corpus" "$build/findings"
cp -n "$here"/fuzz/corpus/* "$build/corpus/" 2>/dev/null || true
cd "$build/findings"
"$build/fuzz/fuzz_dialect" "$build/corpus" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -print_final_stats=1 2>&1 | tee "$build/fuzz.log" | grep -E "^#|stat::|ERROR|SUMMARY|Done" | tail -40
