#!/usr/bin/env bash
# Builds the Debian package (cpack -G DEB) and checks it: the listing holds
# the program, the CLI, the shipped data and the desktop files; unpacked into
# a scratch folder, its CLI runs the main job on the example and the program
# starts under Xvfb with the example book.
# With --limpio it then hands the package to paquete-limpio.sh, which installs
# it with apt-get in a clean Debian 12 root and repeats the checks there.
set -euo pipefail
limpio=0
for a in "$@"; do
  case $a in
    --limpio) limpio=1 ;;
    *) echo "uso: $0 [--limpio]" >&2; exit 2 ;;
  esac
done
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/bootstrap.sh"
b="$raiz/build-paquete"
cmake -S "$raiz" -B "$b" -DCMAKE_BUILD_TYPE=Release -DCELVARA_BENCH=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$b" -j"${CELVARA_JOBS:-2}" --target celvara celvara-cli
(cd "$b" && cpack -G DEB >/dev/null)
deb=$(ls -t "$b"/celvara_*.deb | head -1)
echo "== $deb"

contenido=$(dpkg-deb -c "$deb")
falta=0
for f in ./usr/bin/celvara ./usr/bin/celvara-cli \
         ./usr/share/celvara/vestrum/instrumentos.apa ./usr/share/celvara/vestrum/datos_empresa.prt \
         ./usr/share/applications/celvara.desktop ./usr/share/icons/hicolor/scalable/apps/celvara.svg \
         ./usr/share/mime/packages/celvara.xml; do
  if grep -q " $f\$" <<<"$contenido"; then echo "ok   $f"; else echo "FALTA $f"; falta=1; fi
done
((falta == 0)) || exit 1
dpkg-deb -f "$deb" Depends

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/raiz"
cli="$tmp/raiz/usr/bin/celvara-cli"
echo "== Trabajo principal con el CLI del paquete"
"$cli" orientar "$raiz/examples/obra_ejemplo.obs" -o "$tmp/orientada.obs" --informe "$tmp/desorientaciones.txt" >/dev/null
"$cli" radiar "$tmp/orientada.obs" -o "$tmp/puntos.crd" >"$tmp/puntos.txt"
"$cli" listado bases "$tmp/orientada.obs" -o "$tmp/bases.pdf" \
  --empresa "$tmp/raiz/usr/share/celvara/vestrum/datos_empresa.prt"
n=$(wc -l <"$tmp/puntos.txt")
echo "puntos radiados: $n"
((n >= 120)) || exit 1
head -3 "$tmp/puntos.txt"

if command -v xvfb-run >/dev/null; then
  echo "== El programa del paquete bajo Xvfb, abriendo la libreta del ejemplo"
  cp "$raiz/examples/obra_ejemplo.obs" "$tmp/obra.obs"
  set +e
  CELVARA_UNIDAD_C="$tmp/c" timeout 8 xvfb-run -a "$tmp/raiz/usr/bin/celvara" "$tmp/obra.obs" 2>"$tmp/celvara.err"
  rc=$?
  set -e
  # Still running when the time is up (124) is what a started program does.
  if ((rc == 124)); then echo "celvara arrancó y siguió abierto"; else
    echo "celvara terminó con $rc"; cat "$tmp/celvara.err"; exit 1
  fi
  # The program seeds c:\trabajos\vestrum from the package's share/celvara/vestrum.
  [[ -f $tmp/c/TRABAJOS/vestrum/instrumentos.apa ]] || { echo "no sembró los datos fijos"; exit 1; }
  echo "datos fijos sembrados desde el paquete"
fi

if ((limpio)); then
  "$raiz/scripts/paquete-limpio.sh" "$deb"
fi
echo "== Paquete correcto"
