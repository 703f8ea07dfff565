#!/usr/bin/env bash
# The Windows build, proven under Wine. Cross-builds with MinGW-w64 the
# whole program (celvara.exe, celvara-cli.exe), the core tests and the
# window tests into build-windows, against the libraries of
# scripts/windows-dependencias.sh (Qt 6.4.2 static and the exchange formats'
# libraries, cached in build-windows-qt: the first run builds them, an hour
# or more), makes the installer build-windows/celvara-setup-<version>.exe
# with NSIS, and then, in a fresh Wine prefix on a virtual screen (Xvfb):
#   - runs the installer silently (/S) and checks what it put in place;
#   - starts the installed program on the example job and captures its main
#     window, drawn by Qt's Windows platform, as docs/capturas/windows.png;
#   - runs the window tests (offscreen platform) and the core tests;
#   - runs the main job through the installed celvara-cli and checks that
#     every output but the PDF listings is byte for byte the Linux one;
#   - runs the uninstaller silently and checks that the program is gone and
#     the user's jobs stay.
# Times of each step go to build-windows/tiempos.txt.
#   scripts/windows.sh --configurar CARPETA   configures the core and CLI
#                                             cross build only (the CI test)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
inicio=$(date +%s)

# The core and CLI cross build's configure step alone, into a fresh folder:
# what CI runs (a test of tests/CMakeLists.txt) so that a dependency the
# MinGW toolchain cannot find breaks the test run, not this script later.
configurar_nucleo() {
  rm -rf "$1"
  cmake -S "$raiz" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCELVARA_QT=OFF -DCELVARA_BENCH=OFF -DCELVARA_INTERCAMBIO=OFF \
    -DCELVARA_GTEST_FUENTES=/usr/src/googletest -DCELVARA_UNIDAD_ANFITRION=Z: "${@:2}"
}
if [[ ${1:-} == --configurar ]]; then
  configurar_nucleo "${2:?carpeta}" >/dev/null
  echo "Compilación para Windows configurada en $2"
  exit 0
fi

paquetes=(cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest nsis xvfb xauth x11-utils imagemagick
  librsvg2-bin icoutils fonts-dejavu-core qt6-translations-l10n cmark)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if ((${#faltan[@]})); then
  echo "Instalando: ${faltan[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi

windows="$raiz/build-windows"
cache=${CELVARA_CACHE_WINDOWS:-$raiz/build-windows-qt}
mkdir -p "$windows"
tiempos="$windows/tiempos.txt"
: >"$tiempos"
t0=$(date +%s)
medir() {  # what was done since the last mark
  local ahora
  ahora=$(date +%s)
  printf '%-44s %6d s\n' "$1" $((ahora - t0)) | tee -a "$tiempos"
  t0=$ahora
}

echo "== Bibliotecas para Windows (caché en $cache)"
CELVARA_CACHE_WINDOWS="$cache" "$raiz/scripts/windows-dependencias.sh"
medir "bibliotecas (Qt, PROJ...)"

echo "== Compilación para Windows (MinGW-w64) en $windows"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$raiz}
# Only the cross-built libraries' pkg-config files, never the build machine's.
export PKG_CONFIG_LIBDIR="$cache/libs/lib/pkgconfig"
[[ -f "$windows/build.ninja" ]] || rm -f "$windows/CMakeCache.txt"
cmake -G Ninja -S "$raiz" -B "$windows" -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCELVARA_RAICES_WINDOWS="$cache/qt6;$cache/libs" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DCELVARA_QT=ON \
  -DCELVARA_BENCH=OFF -DCELVARA_GTEST_FUENTES=/usr/src/googletest -DCELVARA_UNIDAD_ANFITRION=Z: >/dev/null
grep -q '^Qt6Widgets_DIR:PATH=.*qt6' "$windows/CMakeCache.txt" || { echo "No se encontró Qt para Windows en $cache/qt6" >&2; exit 1; }
pruebas_ventana=$(cd "$raiz/tests/ui" && ls -1 ./*_test.cpp | sed 's|^\./|ui_|; s|\.cpp$||')
nice -n 19 cmake --build "$windows" -j2 --target celvara celvara-cli celvara_tests $pruebas_ventana
medir "compilación (celvara.exe, pruebas)"

echo "== Instalador (NSIS)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")
instalador="$windows/celvara-setup-$version.exe"
paquete="$windows/paquete"
rm -rf "$paquete"
mkdir -p "$paquete"
cp "$windows/src/ui/celvara.exe" "$windows/celvara-cli.exe" "$windows/celvara.ico" \
  /usr/share/qt6/translations/qtbase_es.qm "$paquete/"
makensis -V2 -DVERSION="$version" -DPROGRAMAS="$paquete" -DFUENTE="$raiz" -DCATALOGOS="$paquete" \
  -DICONO="$paquete/celvara.ico" -DSALIDA="$instalador" "$raiz/data/windows/celvara.nsi"
echo "$(basename "$instalador"): $(($(stat -c %s "$instalador") / 1024)) KiB"
medir "instalador"

# ---- Under Wine: a fresh prefix, its own virtual screen.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
export WINEPREFIX="$windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
rm -rf "$WINEPREFIX"
pantalla_fd=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$pantalla_fd" 2>/dev/null &
xvfb=$!
limpiar() {
  "$wineserver" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$pantalla_fd"
}
trap limpiar EXIT
for _ in $(seq 100); do [[ -s $pantalla_fd ]] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$pantalla_fd")"
"$wine" wineboot -i >/dev/null 2>&1 || true
"$wineserver" -w
medir "prefijo de Wine nuevo"

c="$WINEPREFIX/drive_c"
programa="$c/Program Files/Celvara"
echo "== Instalación silenciosa"
"$wine" "$instalador" /S
"$wineserver" -w
for f in bin/celvara.exe bin/celvara-cli.exe bin/qt.conf desinstalar.exe share/qt6/translations/qtbase_es.qm \
  share/celvara/vestrum/instrumentos.apa; do
  [[ -f "$programa/$f" ]] || { echo "La instalación no dejó $f" >&2; exit 1; }
done
[[ -d "$c/TRABAJOS/VESTRUM" && -f "$c/TRABAJOS/EJEMPLO/obra_ejemplo.obs" ]] ||
  { echo "La instalación no creó C:\\TRABAJOS" >&2; exit 1; }
menu=$(find "$c" -path '*Start Menu/Programs/Celvara/Celvara.lnk' | head -1)
[[ -n $menu ]] || { echo "Falta la entrada del menú Inicio" >&2; exit 1; }
asociacion=$("$wine" reg query 'HKCR\Celvara.Libreta\shell\open\command' /ve 2>/dev/null | tr -d '\r' | grep -o '".*"' || true)
[[ $asociacion == *'celvara.exe" "%1"'* ]] || { echo "Falta la asociación de .obs: $asociacion" >&2; exit 1; }
echo "instalado en C:\\Program Files\\Celvara; C:\\TRABAJOS, menú Inicio y .obs en su sitio"
medir "instalación silenciosa"

echo "== El programa instalado, con la obra de ejemplo (captura)"
"$wine" "$programa/bin/celvara.exe" 'C:\TRABAJOS\EJEMPLO\obra_ejemplo.obs' >/dev/null 2>&1 &
ventana=
for _ in $(seq 120); do
  ventana=$(xwininfo -root -tree 2>/dev/null | awk '/"[^"]*obra_ejemplo[^"]*"|"Celvara[^"]*"/ && $0 ~ /[0-9]+x[0-9]+/ {print $1; exit}')
  [[ -n $ventana ]] && break
  sleep 0.5
done
[[ -n $ventana ]] || { echo "La ventana principal no apareció" >&2; exit 1; }
sleep 4  # the tree and the grid are drawn after the window maps
mkdir -p "$raiz/docs/capturas"
import -display "$DISPLAY" -window "$ventana" "$raiz/docs/capturas/windows.png"
echo "ventana $(xwininfo -id "$ventana" | awk '/Width|Height/ {printf "%s ", $2}')-> docs/capturas/windows.png"
"$wineserver" -k
"$wineserver" -w
medir "programa instalado y captura"

echo "== Pruebas de ventanas bajo Wine (plataforma offscreen)"
# Wine hands Windows programs no QT_ variable of the build machine, only
# WINEQT_ ones, renamed. The offscreen platform reads fonts from a folder:
# DejaVu Sans alone, the face the Linux run gets from fontconfig (with the
# whole DejaVu folder Qt falls back to a wider face and the 1024x700 layout
# check measures another font). Without a console Qt Test writes its
# results to the debugger unless told to use the standard streams.
fuentes_offscreen="$windows/fuentes-offscreen"
rm -rf "$fuentes_offscreen"
mkdir -p "$fuentes_offscreen"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$fuentes_offscreen/"
export WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR="Z:$fuentes_offscreen" WINEQT_FORCE_STDERR_LOGGING=1
resumen=()
fallidas=0
for p in $pruebas_ventana; do
  if salida=$(cd "$windows/src/ui" && timeout 600 "$wine" "./$p.exe" 2>&1 | tr -d '\r'); then :; else fallidas=$((fallidas + 1)); fi
  linea=$(grep -E '^Totals:' <<<"$salida" || echo "Totals: sin resultado")
  grep -E '^FAIL!' <<<"$salida" | head -5 || true
  resumen+=("$(printf '%-34s %s' "$p" "$linea")")
done
unset WINEQT_QPA_PLATFORM WINEQT_QPA_FONTDIR WINEQT_FORCE_STDERR_LOGGING
totales=$(printf '%s\n' "${resumen[@]}" | awk '{for (i = 1; i <= NF; i++) { if ($(i+1) ~ /^passed/) p += $i; if ($(i+1) ~ /^failed/) f += $i; if ($(i+1) ~ /^skipped/) s += $i }}
  END {printf "ventanas bajo Wine: %d passed, %d failed, %d skipped", p, f, s}')
resumen+=("$totales")
printf '%s\n' "${resumen[@]}"
medir "pruebas de ventanas"

echo "== Pruebas del núcleo bajo Wine"
(cd "$windows/tests" && "$wine" ./celvara_tests.exe --gtest_brief=1) | tr -d '\r' | tail -3
medir "pruebas del núcleo"

echo "== Trabajo principal: celvara-cli de Linux y el instalado en Windows"
linux="$raiz/build"
# The build machine's own libraries, not the cross-built ones' pkg-config files.
unset PKG_CONFIG_LIBDIR
[[ -f "$linux/CMakeCache.txt" ]] || cmake -S "$raiz" -B "$linux" -DCMAKE_BUILD_TYPE=Release >/dev/null
nice -n 19 cmake --build "$linux" -j2 --target celvara-cli >/dev/null
salida="$windows/ejemplo"
rm -rf "$salida"
mkdir -p "$salida/linux" "$salida/windows"
cli_windows() { "$wine" "$programa/bin/celvara-cli.exe" "$@" | tr -d '\r'; }
trabajo() {  # cli carpeta unidad: the main job of scripts/ejemplo.sh
  local cli=$1 d=$2 u=$3
  $cli orientar "$u$raiz/examples/obra_ejemplo.obs" -o "$u$d/obra_orientada.obs" --informe "$u$d/desorientaciones.txt" >"$d/orientar.txt"
  $cli radiar "$u$d/obra_orientada.obs" -o "$u$d/puntos.crd" --informe "$u$d/radiacion.txt" >"$d/radiar.txt"
  $cli listado bases "$u$d/obra_orientada.obs" -o "$u$d/listado_bases.pdf" --empresa "$u$raiz/data/vestrum/datos_empresa.prt"
  $cli listado desorientaciones "$u$d/obra_orientada.obs" -o "$u$d/tabla_desorientaciones.pdf" \
    --empresa "$u$raiz/data/vestrum/datos_empresa.prt"
  $cli exportar-puntos "$u$d/puntos.crd" -o "$u$d/puntos.csv" --cabecera >/dev/null
  $cli exportar-puntos "$u$d/puntos.crd" -o "$u$d/puntos.dxf" >/dev/null
  $cli exportar-puntos "$u$d/puntos.crd" -o "$u$d/puntos.xml" >/dev/null
  $cli exportar-puntos "$u$d/puntos.crd" -o "$u$d/puntos.kml" --proyeccion wgs84 >/dev/null
  # LandXML stamps the moment of the export.
  sed -i -E 's/ date="[^"]*" time="[^"]*"//' "$d/puntos.xml"
}
trabajo "$linux/celvara-cli" "$salida/linux" ""
# Under Wine the build machine's root is drive Z:; the console writes CR LF.
trabajo cli_windows "$salida/windows" "Z:"
iguales=0
for f in "$salida/linux"/*; do
  n=$(basename "$f")
  # The PDF listings are drawn with each system's fonts: a PDF, not the same bytes.
  if [[ $n == *.pdf ]]; then
    [[ $(head -c 5 "$salida/windows/$n") == %PDF- ]] || { echo "Windows no escribió $n" >&2; exit 1; }
    continue
  fi
  # dxflib writes the DXF as a text file: CR LF line ends on Windows.
  [[ $n == *.dxf ]] && sed -i 's/\r$//' "$salida/windows/$n"
  if ! cmp -s "$f" "$salida/windows/$n"; then
    echo "Windows y Linux difieren en $n:" >&2
    diff "$f" "$salida/windows/$n" | head -20 >&2 || true
    exit 1
  fi
  iguales=$((iguales + 1))
done
echo "$(wc -l <"$salida/windows/radiar.txt") puntos; $iguales ficheros iguales byte a byte en Windows y en Linux"
medir "trabajo principal con la CLI instalada"

echo "== Desinstalación silenciosa"
"$wine" "$programa/desinstalar.exe" /S
"$wineserver" -w
[[ ! -e "$programa" ]] || { echo "La desinstalación dejó $(find "$programa" | head -5)" >&2; exit 1; }
[[ -f "$c/TRABAJOS/EJEMPLO/obra_ejemplo.obs" ]] || { echo "La desinstalación borró los trabajos" >&2; exit 1; }
if "$wine" reg query 'HKCR\Celvara.Libreta' >/dev/null 2>&1; then
  echo "La desinstalación dejó la asociación de .obs" >&2
  exit 1
fi
[[ -z $(find "$c" -path '*Start Menu/Programs/Celvara*') ]] || { echo "La desinstalación dejó el menú Inicio" >&2; exit 1; }
echo "programa, menú y asociación quitados; C:\\TRABAJOS sigue ahí"
medir "desinstalación silenciosa"

echo "== Resumen"
printf '%s\n' "${resumen[@]}"
echo "instalador: $instalador"
echo "captura: docs/capturas/windows.png"
total=$(($(date +%s) - inicio))
printf '%-44s %6d s\n' "total" "$total" | tee -a "$tiempos"
((fallidas == 0)) || { echo "$fallidas programas de pruebas de ventanas fallaron bajo Wine" >&2; exit 1; }
