#!/usr/bin/env bash
# The core links no Qt and never calls the views or the batch tool.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz/src"
if grep -rnE '#include *[<"](Q|ui/|cli/)' fieldbook manager calc traverse import output; then
  echo "El núcleo no debe incluir Qt, ui/ ni cli/" >&2
  exit 1
fi
echo "núcleo sin Qt: correcto"
