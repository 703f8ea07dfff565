#!/usr/bin/env bash
# Sets up, builds and runs the main job on the shipped example data: the
# typical road of a survey. The field book of examples/obra_ejemplo.obs (three
# known bases, a set-up on each, 120 radiated points) is oriented set-up by
# set-up, then every sighted point is radiated into a coordinate file, with
# the orientation and calculation reports beside it, the stations listing
# and the orientation table as PDF, and the computed points exported to CSV
# and DXF. Prints the computed points "name X Y Z".
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
# One line per step; the package manager's and the build's details go to a log
# that is named, with its last lines, when a step fails.
mkdir -p "$raiz/build"
registro="$raiz/build/ejemplo.log"
: >"$registro"
callado() {  # callado COMMAND...: runs it with its output in the log
  if ! "$@" >>"$registro" 2>&1; then
    echo "Ha fallado: $*" >&2
    tail -n 20 "$registro" >&2
    echo "Detalles en $registro" >&2
    exit 1
  fi
}
echo "== Paquetes del sistema"
callado "$raiz/scripts/bootstrap.sh"
echo "== Compilación (detalles en $registro)"
# Only what the main job needs: the CLI and the desktop program, no tests.
callado cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release
objetivos=(celvara-cli)
# The target list is read whole: a probe that stops reading early breaks cmake's pipe.
ayuda=$(cmake --build "$raiz/build" --target help)
grep -qx '\.\.\. celvara' <<<"$ayuda" && objetivos+=(celvara)
callado cmake --build "$raiz/build" -j"$(nproc)" --target "${objetivos[@]}"
cli="$raiz/build/celvara-cli"
salida="$raiz/build/ejemplo"
mkdir -p "$salida"
rm -f "$salida"/*.txt "$salida"/*.pdf

echo "== Orientación de los estacionamientos (estación, estacionamiento, visuales, desorientación, e.m.c)"
"$cli" orientar "$raiz/examples/obra_ejemplo.obs" -o "$salida/obra_orientada.obs" --informe "$salida/desorientaciones.txt"
echo "== Radiación: coordenadas calculadas (nombre X Y Z)"
"$cli" radiar "$salida/obra_orientada.obs" -o "$salida/puntos.crd" --informe "$salida/radiacion.txt"
empresa="$raiz/data/vestrum/datos_empresa.prt"
"$cli" listado bases "$salida/obra_orientada.obs" -o "$salida/listado_bases.pdf" --empresa "$empresa"
"$cli" listado desorientaciones "$salida/obra_orientada.obs" -o "$salida/tabla_desorientaciones.pdf" --empresa "$empresa"
echo "== Exportación de los puntos a CSV y DXF"
"$cli" exportar-puntos "$salida/puntos.crd" -o "$salida/puntos.csv" --cabecera
"$cli" exportar-puntos "$salida/puntos.crd" -o "$salida/puntos.dxf"
echo "== Ficheros en $salida: obra_orientada.obs, puntos.crd, puntos.csv, puntos.dxf, desorientaciones.txt,"
echo "   radiacion.txt, listado_bases.pdf, tabla_desorientaciones.pdf"
