#!/usr/bin/env bash
# Screenshots of the main window in its five selection states, on the example
# job, and of the listing, traverse and network windows, taken under Xvfb on a
# 1024 x 700 screen (the smallest laptop the windows are laid out for) into
# docs/capturas/.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
carpeta=${1:-$raiz/build}
cmake -S "$raiz" -B "$carpeta" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$carpeta" -j"$(nproc)" --target capturas_gestor ui_imprimir_test
mkdir -p "$raiz/docs/capturas"
CELVARA_CAPTURAS="$raiz/docs/capturas" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x700x24" "$carpeta/src/ui/capturas_gestor"
CELVARA_CAPTURAS="$raiz/docs/capturas" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x700x24" "$carpeta/src/ui/ui_imprimir_test" listadosListasYPaginas
cmake --build "$carpeta" -j"$(nproc)" --target ui_calculo_poligonales_test ui_red_test
for prueba in ui_calculo_poligonales_test ui_red_test; do
  CELVARA_CAPTURAS="$raiz/docs/capturas" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x700x24" "$carpeta/src/ui/$prueba"
done
ls -1 "$raiz/docs/capturas"
