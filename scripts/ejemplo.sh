#!/usr/bin/env bash
# Sets up, builds and runs the main job on the shipped example data.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/bootstrap.sh"
"$raiz/scripts/compilar.sh" "$raiz/build" >/dev/null
cli="$raiz/build/celvara-cli"
for libreta in "$raiz"/examples/*.obs; do
  echo "== $(basename "$libreta")"
  "$cli" volcar "$libreta"
done
