#!/usr/bin/env bash
# The Windows installer (data/windows/celvara.nsi) in step with the data the
# program needs: every file of data/vestrum is installed, every file it
# takes from the source tree exists, and the uninstaller removes each file
# installed under the program's folder, and only those.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
nsi="$raiz/data/windows/celvara.nsi"
fallos=0
falla() {
  echo "celvara.nsi: $*" >&2
  fallos=$((fallos + 1))
}

# What the install section puts where: "destination|source", one a line.
instalados=$(awk '
  /^Section "Uninstall"/ { exit }
  $1 == "SetOutPath" { gsub(/"/, "", $2); destino = $2 }
  $1 == "File" {
    n = split($0, partes, "\"")
    fuente = partes[n - 1]; nombre = fuente; sub(/.*\\/, "", nombre)
    if (partes[2] ~ /^\/oname=/) { nombre = partes[2]; sub(/^\/oname=/, "", nombre) }
    print destino "\\" nombre "|" fuente
  }' "$nsi")
borrados=$(awk '/^Section "Uninstall"/ { u = 1 } u && $1 == "Delete" { gsub(/"/, "", $2); print $2 }' "$nsi")

for f in "$raiz"/data/vestrum/*; do
  nombre=$(basename "$f")
  grep -qxF "\$INSTDIR\\share\\celvara\\vestrum\\$nombre|\${FUENTE}\\data\\vestrum\\$nombre" <<<"$instalados" ||
    falla "no instala data/vestrum/$nombre"
done
while IFS='|' read -r destino fuente; do
  if [[ $fuente == '${FUENTE}\'* ]]; then
    ruta=${fuente#'${FUENTE}\'}
    [[ -f "$raiz/${ruta//\\//}" ]] || falla "instala $ruta, que no existe"
  fi
  if [[ $destino == '$INSTDIR\'* ]]; then
    grep -qxF "$destino" <<<"$borrados" || falla "la desinstalación no borra $destino"
  fi
done <<<"$instalados"
while read -r borrado; do
  [[ $borrado == '$INSTDIR\desinstalar.exe' || $borrado == '$SMPROGRAMS\'* ]] && continue
  grep -qF "$borrado|" <<<"$instalados" || falla "la desinstalación borra $borrado, que no instala"
done <<<"$borrados"
# The user's jobs stay: nothing under C:\TRABAJOS is ever removed.
if awk '/^Section "Uninstall"/ { u = 1 } u' "$nsi" | grep -qi 'TRABAJOS'; then
  falla "la desinstalación toca C:\\TRABAJOS"
fi

((fallos == 0)) || exit 1
echo "instalador de Windows: $(wc -l <<<"$instalados") ficheros, en orden con data/"
