#!/usr/bin/env bash
# Sets up, builds and runs every test: once in the release build (Qt window
# tests under the offscreen platform included), once more under
# AddressSanitizer + UBSan.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/bootstrap.sh"
export QT_QPA_PLATFORM=offscreen

"$raiz/scripts/compilar.sh" "$raiz/build"
(cd "$raiz/build" && ctest --output-on-failure -j"$(nproc)")

"$raiz/scripts/compilar.sh" "$raiz/build-asan" -DCELVARA_SANITIZE=ON -DCELVARA_QT=OFF -DCELVARA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$raiz/build-asan" && ctest --output-on-failure -j"$(nproc)")
