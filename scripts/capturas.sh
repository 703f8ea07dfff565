#!/usr/bin/env bash
# Screenshots of the main window in its five selection states, on the example
# job, taken under Xvfb into docs/capturas/.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
carpeta=${1:-$raiz/build}
cmake -S "$raiz" -B "$carpeta" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$carpeta" -j"$(nproc)" --target ui_gestor_capturas_test ui_imprimir_test
mkdir -p "$raiz/docs/capturas"
CELVARA_CAPTURAS="$raiz/docs/capturas" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24" "$carpeta/src/ui/ui_gestor_capturas_test"
CELVARA_CAPTURAS="$raiz/docs/capturas" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24" "$carpeta/src/ui/ui_imprimir_test" listadosListasYPaginas
ls -1 "$raiz/docs/capturas"
