#!/usr/bin/env bash
# Installs a Debian package of the program (the .deb given, or the newest in
# build-paquete/) with apt-get in a clean Debian 12 root made by debootstrap,
# so only its Depends line brings in the libraries; then checks there that no
# library is missing, runs the CLI's main job on the example and starts the
# program under Xvfb. Needs root and the mirror. The debootstrap root and the
# downloaded packages stay in build-paquete/ for the next run; each run works
# on a fresh copy of that root.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd -P)
b="$raiz/build-paquete"
deb=$(realpath "${1:-$(ls -t "$b"/celvara_*.deb | head -1)}")
espejo=${CELVARA_ESPEJO:-http://deb.debian.org/debian}
((EUID == 0)) || { echo "hace falta root (debootstrap, chroot, mount)" >&2; exit 1; }

base="$b/debian12"         # the root as debootstrap left it
debs="$b/debian12-debs"    # packages downloaded by apt-get in the copies
r="$b/debian12-prueba"     # this run's copy, left behind for inspection

montados() { grep -q " $r/" /proc/self/mounts; }
desmontar() {
  # Whatever is still running inside (Xvfb after a timeout) holds the mounts.
  local p
  for p in /proc/[0-9]*; do
    [[ $(readlink "$p/root" 2>/dev/null) == "$r" ]] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  for m in var/cache/apt/archives dev/pts dev proc; do
    mountpoint -q "$r/$m" && umount "$r/$m"
  done
  return 0
}
trap desmontar EXIT

command -v debootstrap >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null

if [[ ! -e "$base/.completa" ]]; then
  echo "== debootstrap bookworm (minbase) en $base"
  rm -rf --one-file-system "$base"
  debootstrap --variant=minbase bookworm "$base" "$espejo" >"$b/debootstrap.log" 2>&1 ||
    { tail -20 "$b/debootstrap.log"; exit 1; }
  # The package is built against the updated bookworm libraries.
  cat >"$base/etc/apt/sources.list" <<FIN
deb $espejo bookworm main
deb $espejo bookworm-updates main
deb ${espejo%/debian}/debian-security bookworm-security main
FIN
  printf '#!/bin/sh\nexit 101\n' >"$base/usr/sbin/policy-rc.d"
  chmod +x "$base/usr/sbin/policy-rc.d"
  chroot "$base" apt-get update -qq
  touch "$base/.completa"
fi

montados && { echo "$r sigue con algo montado; no lo borro" >&2; exit 1; }
rm -rf --one-file-system "$r"
cp -a "$base" "$r"
# A throwaway root: dpkg need not sync every file it unpacks.
echo force-unsafe-io >"$r/etc/dpkg/dpkg.cfg.d/prueba-sin-sync"
mkdir -p "$debs"
mount -t proc proc "$r/proc"
mount --bind /dev "$r/dev"
mount --bind /dev/pts "$r/dev/pts"
mount --bind "$debs" "$r/var/cache/apt/archives"

dentro() {
  chroot "$r" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
}

echo "== apt-get install ./$(basename "$deb") en el Debian 12 limpio"
mkdir -p "$r/tmp/prueba"
cp "$deb" "$r/tmp/prueba/"
dentro apt-get update -qq
# Without the Recommends: the Depends line alone has to be enough.
dentro sh -c 'cd /tmp/prueba && apt-get install -y -q --no-install-recommends ./celvara_*.deb' \
  >"$r/tmp/prueba/apt.log" 2>&1 || { tail -30 "$r/tmp/prueba/apt.log"; exit 1; }
grep -E '^[0-9]+ upgraded' "$r/tmp/prueba/apt.log" || true
dentro dpkg-query -W -f='${Package} ${Version}\n' celvara

echo "== Bibliotecas que no encuentra el enlazador"
faltan=$(dentro sh -c 'for f in /usr/bin/celvara /usr/bin/celvara-cli /usr/lib/*/qt6/plugins/*/*.so; do
  ldd "$f" | sed -n "s|^[[:space:]]*\([^ ]*\) => not found.*|$f: \1|p"; done')
if [[ -n $faltan ]]; then echo "$faltan"; exit 1; fi
echo "ninguna"

echo "== Trabajo principal con el CLI instalado"
cp "$raiz/examples/obra_ejemplo.obs" "$r/tmp/prueba/"
dentro sh -ec 'cd /tmp/prueba
  celvara-cli orientar obra_ejemplo.obs -o orientada.obs --informe desorientaciones.txt >/dev/null
  celvara-cli radiar orientada.obs -o puntos.crd >puntos.txt
  celvara-cli listado bases orientada.obs -o bases.pdf --empresa /usr/share/celvara/vestrum/datos_empresa.prt'
n=$(wc -l <"$r/tmp/prueba/puntos.txt")
echo "puntos radiados: $n"
((n >= 120)) || exit 1
head -3 "$r/tmp/prueba/puntos.txt"
[[ -s $r/tmp/prueba/bases.pdf ]] && echo "bases.pdf: $(stat -c %s "$r/tmp/prueba/bases.pdf") bytes"

echo "== El programa instalado bajo Xvfb, abriendo la libreta del ejemplo"
# Xvfb only now, so it cannot have brought in a library the package lacks.
dentro apt-get install -y -qq --no-install-recommends xvfb xauth >"$r/tmp/prueba/apt-xvfb.log" 2>&1 ||
  { tail -30 "$r/tmp/prueba/apt-xvfb.log"; exit 1; }
cp "$raiz/examples/obra_ejemplo.obs" "$r/tmp/prueba/obra.obs"
set +e
dentro env CELVARA_UNIDAD_C=/tmp/prueba/c timeout 8 xvfb-run -a celvara /tmp/prueba/obra.obs \
  2>"$r/tmp/prueba/celvara.err"
rc=$?
set -e
# Still running when the time is up (124) is what a started program does.
if ((rc == 124)); then echo "celvara arrancó y siguió abierto"; else
  echo "celvara terminó con $rc"; cat "$r/tmp/prueba/celvara.err"; exit 1
fi
[[ -s $r/tmp/prueba/celvara.err ]] && { echo "(su salida de error:)"; head -5 "$r/tmp/prueba/celvara.err"; }
[[ -f $r/tmp/prueba/c/TRABAJOS/vestrum/instrumentos.apa ]] || { echo "no sembró los datos fijos"; exit 1; }
echo "datos fijos sembrados desde el paquete"
echo "== Instala y arranca en un Debian 12 limpio"
