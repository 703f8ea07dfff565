#!/usr/bin/env bash
# Configures and builds into a folder: compilar.sh CARPETA [cmake options...]
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
carpeta=$1
shift
cmake -S "$raiz" -B "$carpeta" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$carpeta" -j"$(nproc)"
