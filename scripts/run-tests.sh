#!/usr/bin/env bash
# Builds the program and runs the whole test suite headless.
#   run-tests.sh            ordinary build in build/
#   run-tests.sh --sanitize AddressSanitizer + UndefinedBehaviorSanitizer in build-asan/
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"

build="$here/build"
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-asan"
  extra=(-DSNA_SANITIZE=ON)
  export BUILD_TYPE=Debug
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
"$here/scripts/build.sh" "$build" "${extra[@]}"

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j "$(nproc)"
