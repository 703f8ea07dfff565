#!/usr/bin/env bash
# The libraries of the Windows desktop program, cross-built with MinGW-w64
# (POSIX threads) from Debian's source packages into build-windows-qt/
# (outside git), each step once and resumable: a step that stopped half way
# goes on where it was on the next run (ninja), a finished one leaves a
# .hecho mark and is skipped. Debian's host tools of Qt 6.4.2
# (qt6-base-dev-tools: moc, rcc, uic) build the target's Qt.
#   qt6/   Qt 6.4.2, static: Core, Gui, Widgets, PrintSupport, Test, the
#          windows, offscreen and minimal platform plugins and the Windows
#          style; Svg (the SVG generator alone)
#   libs/  pugixml, dxflib, SQLite and PROJ, static
# Qt SerialPort and Qt's translation sources are not among the source
# packages this machine's registry serves: the program's serial port on
# Windows is its own Win32 code, and the Spanish catalogue is the compiled
# qtbase_es.qm of Debian's qt6-translations-l10n (architecture-free).
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cache=${CELVARA_CACHE_WINDOWS:-$raiz/build-windows-qt}
fuentes="$cache/fuentes"
qt="$cache/qt6"
libs="$cache/libs"
cadena="$raiz/cmake/mingw-w64.cmake"
# The Qt build takes the machine for an hour or more: at the lowest priority.
lento=(nice -n 19)
mkdir -p "$fuentes"

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
paquetes=(cmake ninja-build dpkg-dev perl g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools qt6-translations-l10n)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if ((${#faltan[@]})); then
  echo "Instalando: ${faltan[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi

hecho() { [[ -f "$cache/$1.hecho" ]]; }
marcar() { touch "$cache/$1.hecho"; }
paso() { echo "== $1 ($(date +%T))"; }

# Debian's source packages: a deb-src entry for the archive the machine
# already uses, then apt-get source, unpacked once into fuentes/CARPETA.
fuente() {  # paquete carpeta
  [[ -d "$fuentes/$2" ]] && return 0
  if ! apt-cache showsrc "$1" 2>/dev/null | grep -q '^Package:'; then
    local lista=/etc/apt/sources.list.d/celvara-fuentes.sources
    if [[ ! -f $lista ]]; then
      local archivo
      archivo=$(grep -h -m1 '^URIs:.*debian$' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}')
      "${sudo_cmd[@]}" tee "$lista" >/dev/null <<EOF
Types: deb-src
URIs: ${archivo:-http://deb.debian.org/debian}
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    fi
    "${sudo_cmd[@]}" apt-get update -qq
  fi
  (cd "$fuentes" && apt-get source -qq --download-only "$1" 2>/dev/null &&
    rm -rf "$2.tmp" && dpkg-source -x "$(ls -1 "$1"_*.dsc | tail -1)" "$2.tmp" >/dev/null 2>&1 && mv "$2.tmp" "$2")
}

# Every step configures with the MinGW toolchain and this machine's Qt host tools.
cmake_windows() {
  cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$cadena" -DCMAKE_BUILD_TYPE=Release \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "$@"
}

if ! hecho pugixml; then
  paso "pugixml"
  fuente pugixml pugixml
  cmake_windows -S "$fuentes/pugixml" -B "$cache/pugixml" -DCMAKE_INSTALL_PREFIX="$libs" \
    -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF >/dev/null
  "${lento[@]}" ninja -C "$cache/pugixml" install >/dev/null
  marcar pugixml
fi

if ! hecho dxflib; then
  paso "dxflib"
  fuente dxflib dxflib
  cmake_windows -S "$raiz/scripts/windows/dxflib" -B "$cache/dxflib" -DFUENTES="$fuentes/dxflib" \
    -DCMAKE_INSTALL_PREFIX="$libs" >/dev/null
  "${lento[@]}" ninja -C "$cache/dxflib" install >/dev/null
  marcar dxflib
fi
if ! hecho sqlite3; then
  paso "SQLite (para PROJ)"
  fuente sqlite3 sqlite3
  # The one-file form of SQLite, made on the build machine (tcl), then
  # compiled for Windows.
  mkdir -p "$cache/sqlite3" "$libs/include" "$libs/lib"
  (cd "$cache/sqlite3" && { [[ -f sqlite3.c ]] || { "$fuentes/sqlite3/configure" >/dev/null && make -s sqlite3.c >/dev/null; }; } &&
    "${lento[@]}" x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION \
      -c sqlite3.c -o sqlite3.obj &&
    x86_64-w64-mingw32-ar rcs "$libs/lib/libsqlite3.a" sqlite3.obj && cp sqlite3.h sqlite3ext.h "$libs/include/")
  marcar sqlite3
fi

if ! hecho proj; then
  paso "PROJ (sin red ni rejillas TIFF)"
  fuente proj proj
  # The KML export's transformations are PROJ strings: no database lookup,
  # no network; without TIFF the ED50 grid is missing and the 7-parameter
  # Helmert is used, as on a Linux machine without the grid.
  cmake_windows -S "$fuentes/proj" -B "$cache/proj" -DCMAKE_INSTALL_PREFIX="$libs" -DCELVARA_RAICES_WINDOWS="$libs" \
    -DBUILD_SHARED_LIBS=OFF -DENABLE_TIFF=OFF -DENABLE_CURL=OFF -DBUILD_APPS=OFF -DBUILD_TESTING=OFF \
    -DSQLITE3_INCLUDE_DIR="$libs/include" -DSQLITE3_LIBRARY="$libs/lib/libsqlite3.a" -DEXE_SQLITE3=/usr/bin/sqlite3 >/dev/null
  "${lento[@]}" ninja -C "$cache/proj" -j2 install >"$cache/proj-compilar.log"
  # A static PROJ needs on every link what its private lists name (SQLite,
  # which has no .pc file here, and the C++ runtime).
  pc="$libs/lib/pkgconfig/proj.pc"
  privadas=$(sed -n 's/^Libs.private: *//p' "$pc")
  sed -i -e "s|^Libs: .*|& -lsqlite3 $privadas|" -e '/^Libs.private:/d' -e '/^Requires.private:/d' "$pc"
  marcar proj
fi

# The mark names what the build of Qt's base had in it: a cache built before
# the DirectWrite fix below redoes the step, which then compiles only the
# files the fix touches.
receta_qtbase="DirectWrite solo con Direct2D"
if [[ $(cat "$cache/qtbase.hecho" 2>/dev/null) != "$receta_qtbase" ]]; then
  paso "Qt 6 base (la primera vez, una hora o más)"
  fuente qt6-base qtbase
  # Qt 6.4.2 builds its DirectWrite font engine only with Direct2D (the
  # fonts are GDI's without it), but its Windows platform and its printer
  # reach for that engine whenever DirectWrite is on, and do not link: they
  # too use it only with Direct2D.
  for f in plugins/platforms/windows/qwindowsintegration.cpp printsupport/platform/windows/qprintengine_win.cpp; do
    ! grep -q '^#if QT_CONFIG(directwrite3\?)$' "$fuentes/qtbase/src/$f" ||
      sed -i 's/^#if QT_CONFIG(\(directwrite3\?\))$/#if QT_CONFIG(\1) \&\& QT_CONFIG(direct2d)/' "$fuentes/qtbase/src/$f"
  done
  # Qt 6.4.2's Windows platform reaches for OpenGL under dynamicgl even
  # when OpenGL is off (fixed in later Qt): that one check, only with OpenGL.
  ventana_cpp="$fuentes/qtbase/src/plugins/platforms/windows/qwindowswindow.cpp"
  grep -q 'QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)' "$ventana_cpp" ||
    sed -i '/^static inline bool isSoftwareGl/,/^}/ s/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' "$ventana_cpp"
  # Debian's repacked source lacks wintab (tablets) and sqlite: no tablet
  # events and no Sql; nor anything else the program does not use.
  [[ -f "$cache/qtbase/build.ninja" ]] || cmake_windows -S "$fuentes/qtbase" -B "$cache/qtbase" \
    -DCMAKE_INSTALL_PREFIX="$qt" -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_icu=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_doubleconversion=OFF >"$cache/qtbase-configurar.log"
  "${lento[@]}" ninja -C "$cache/qtbase" -j2 >"$cache/qtbase-compilar.log" || {
    tail -20 "$cache/qtbase-compilar.log" >&2
    exit 1
  }
  "${lento[@]}" ninja -C "$cache/qtbase" install >/dev/null
  echo "$receta_qtbase" >"$cache/qtbase.hecho"
fi

if ! hecho qtsvg; then
  paso "Qt Svg: el generador de SVG"
  fuente qtsvg-opensource-src qtsvg
  # The generator of Qt 5.15 (the Qt 6 source package is not served here),
  # with its three Qt 5 calls in their Qt 6 form.
  adaptado="$cache/qtsvg-generador/QtSvg"
  mkdir -p "$adaptado"
  cp "$fuentes/qtsvg/src/svg/"{qsvggenerator.cpp,qsvggenerator.h,qtsvgglobal.h} "$adaptado/"
  sed -i -e '/#include "qtextcodec.h"/d' -e 's/\.midRef(/.mid(/g' \
    -e 's/d->stream->setCodec(QTextCodec::codecForName("UTF-8"));/d->stream->setEncoding(QStringConverter::Utf8);/' \
    "$adaptado/qsvggenerator.cpp"
  cmake_windows -S "$raiz/scripts/windows/qtsvg" -B "$cache/qtsvg" -DFUENTES="$adaptado" \
    -DCMAKE_INSTALL_PREFIX="$qt" -DCELVARA_RAICES_WINDOWS="$qt" >/dev/null
  "${lento[@]}" ninja -C "$cache/qtsvg" install >/dev/null
  marcar qtsvg
fi

echo "Bibliotecas para Windows en $cache"
