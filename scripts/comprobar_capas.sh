#!/usr/bin/env bash
# The layers of the sources read bottom-up: a folder includes only folders
# below it (and itself), so no two folders include each other, and the core
# links no Qt and never calls the views or the batch tool.
# comprobar_capas.sh [CARPETA]: CARPETA holds the source folders (src).
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "${1:-$raiz/src}"

# Folder and layer, lowest first. A new folder takes its place here.
capas='
fieldbook   0
datos       1
calc        2
import      2
calc/red    3
herramientas 3
traverse    4
output      5
manager     6
ui/rejilla  7
ui/serie    7
ui/dibujo   7
ui/comun    8
ui/datos    9
ui/calc     10
ui/import   10
ui/traverse 11
ui/output   12
ui/manager  13
ui          14
cli         15
cli/qt      16
'
nucleo=6  # the core: the layers up to manager

fuentes=$(find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's#^\./##' | LC_ALL=C sort)
aristas=$(mktemp)
trap 'rm -f "$aristas"' EXIT

fallos=0
# Folders without a layer, upward or sideways includes, Qt in the core.
awk -v nucleo="$nucleo" -v aristas="$aristas" '
    function carpeta(ruta) { return sub(/\/[^\/]*$/, "", ruta) ? ruta : "." }
    NR == FNR { if (NF == 2) nivel[$1] = $2; next }
    FILENAME == "-" {
        c = carpeta($0)
        if (!(c in nivel) && !(c in avisada)) { print "carpeta sin capa: " c; avisada[c]; mal = 1 }
        next
    }
    /^[ \t]*#[ \t]*include[ \t]*[<"]/ {
        origen = carpeta(FILENAME)
        if (!(origen in nivel)) next
        linea = $0; sub(/^[^<"]*/, "", linea)
        if (nivel[origen] <= nucleo && linea ~ /^[<"](Q|ui\/|cli\/)/) {
            print FILENAME ":" FNR ": " $0 ": el núcleo no incluye Qt, ui/ ni cli/"; mal = 1
        }
        if (linea !~ /^"/) next
        destino = substr(linea, 2); sub(/".*/, "", destino)
        d = carpeta(destino)
        if (d == "." || d == origen) next
        print origen " " d > aristas
        if (!(d in nivel)) { print FILENAME ":" FNR ": " $0 ": carpeta sin capa: " d; mal = 1 }
        else if (nivel[d] >= nivel[origen]) {
            print FILENAME ":" FNR ": " $0 ": " origen " (" nivel[origen] ") no incluye " d " (" nivel[d] ")"
            mal = 1
        }
    }
    END { exit mal }
' <(printf '%s' "$capas") - $fuentes <<<"$fuentes" || fallos=1

# Cycles between folders, whatever the table says.
if ! ciclos=$(LC_ALL=C sort -u "$aristas" | tsort 2>&1 >/dev/null); then
    awk '/contains a loop/ { if (c) print c; c = "ciclo de inclusiones entre carpetas:"; next }
         { sub(/^tsort: /, ""); c = c " " $0 } END { if (c) print c }' <<<"$ciclos"
    fallos=1
fi

if ((fallos)); then
    echo "Las capas deben leerse de abajo arriba (tabla en scripts/comprobar_capas.sh)" >&2
    exit 1
fi
echo "capas de abajo arriba, núcleo sin Qt: correcto"
