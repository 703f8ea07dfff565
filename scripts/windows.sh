#!/usr/bin/env bash
# The Windows build, proven under Wine: cross-builds the core, celvara-cli
# and the core tests for 64-bit Windows with MinGW-w64 into build-windows,
# runs the tests and the main job (orientar + radiar on examples/) under
# wine64 and checks that the job prints the same points as the Linux CLI.
# The commands whose libraries have no MinGW build are left out (see README).
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

paquetes=(cmake g++-mingw-w64-x86-64-posix wine64 googletest)
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
echo "== Compilación para Windows (MinGW-w64) en $windows"
[[ -f "$windows/CMakeCache.txt" ]] || configurar_nucleo "$windows" >/dev/null
cmake --build "$windows" -j2 --target celvara-cli celvara_tests

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX="$windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The first run creates the Wine prefix (its C: drive under $WINEPREFIX).
[[ -d "$WINEPREFIX/drive_c" ]] || "$wine" wineboot -i >/dev/null 2>&1 || true

echo "== Pruebas del núcleo bajo Wine"
(cd "$windows/tests" && "$wine" ./celvara_tests.exe --gtest_brief=1)

echo "== Trabajo principal: celvara-cli de Linux y de Windows"
linux="$raiz/build"
[[ -f "$linux/CMakeCache.txt" ]] || cmake -S "$raiz" -B "$linux" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$linux" -j2 --target celvara-cli >/dev/null
salida="$windows/ejemplo"
rm -rf "$salida"
mkdir -p "$salida/linux" "$salida/windows"
"$linux/celvara-cli" orientar "$raiz/examples/obra_ejemplo.obs" -o "$salida/linux/obra_orientada.obs" >"$salida/linux/orientar.txt"
"$linux/celvara-cli" radiar "$salida/linux/obra_orientada.obs" -o "$salida/linux/puntos.crd" >"$salida/linux/radiar.txt"
# Under Wine the build machine's root is drive Z:; the console writes CR LF.
"$wine" "$windows/celvara-cli.exe" orientar "Z:$raiz/examples/obra_ejemplo.obs" -o "Z:$salida/windows/obra_orientada.obs" |
  tr -d '\r' >"$salida/windows/orientar.txt"
"$wine" "$windows/celvara-cli.exe" radiar "Z:$salida/windows/obra_orientada.obs" -o "Z:$salida/windows/puntos.crd" |
  tr -d '\r' >"$salida/windows/radiar.txt"
for f in orientar.txt radiar.txt obra_orientada.obs puntos.crd; do
  if ! cmp -s "$salida/linux/$f" "$salida/windows/$f"; then
    echo "Windows y Linux difieren en $f:" >&2
    diff "$salida/linux/$f" "$salida/windows/$f" | head -20 >&2 || true
    exit 1
  fi
done
echo "$(wc -l <"$salida/windows/radiar.txt") puntos iguales en Windows y en Linux (también la libreta orientada y el .crd)"
echo "== Hecho en $(($(date +%s) - inicio)) s"
