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
"$raiz/scripts/bootstrap.sh"
# Only what the main job needs: the CLI and the desktop program, no tests.
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
objetivos=(celvara-cli)
grep -qx 'celvara' <(cmake --build "$raiz/build" --target help | sed 's/^\.\.\. //') && objetivos+=(celvara)
cmake --build "$raiz/build" -j"$(nproc)" --target "${objetivos[@]}" >/dev/null
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
