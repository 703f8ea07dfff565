#!/usr/bin/env bash
# Runs every celvara-cli command on the example jobs, the samples beside the
# project (../shared/samples) and GNU Gama's networks (../shared/redes), and
# keeps what each prints and writes in one folder, so that a change meant to
# keep behaviour can be checked against the binary before it:
#
#   scripts/salidas.sh CLI CARPETA            # writes CARPETA
#   diff -r ANTES DESPUES                      # nothing is the goal
#
# PDF listings are kept as their text (pdftotext), without the date they
# carry. Each command's stdout, stderr and exit status go to NN-name.out.
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "$1")
destino=$2
rm -rf "$destino"
mkdir -p "$destino"
destino=$(realpath "$destino")
ej="$raiz/examples"
muestras="$raiz/../shared/samples"
redes="$raiz/../shared/redes"
datos="$raiz/data/vestrum"
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
cd "$trabajo"
export CELVARA_UNIDAD_C="$trabajo/c"

n=0
correr() {  # correr NOMBRE ARGS...: one command, its output kept
    local nombre=$1
    shift
    n=$((n + 1))
    local f
    f=$(printf '%s/%02d-%s.out' "$destino" "$n" "$nombre")
    "$cli" "$@" >"$f" 2>"$f.err"
    echo "estado $?" >>"$f"
    cat "$f.err" >>"$f"
    rm -f "$f.err"
    sed -i "s|$trabajo|TRABAJO|g; s|$raiz|RAIZ|g" "$f"
}
guardar() {  # guardar FICHERO...: written files kept beside the outputs
    for f in "$@"; do
        [ -e "$f" ] || continue
        case "$f" in
        *.pdf) pdftotext -layout "$f" - 2>/dev/null | sed -E 's/[0-9]{2}[-/][0-9]{2}[-/][0-9]{4}/FECHA/g' >"$destino/$(basename "$f").txt" ;;
        *.xml) sed -E 's/ date="[^"]*" time="[^"]*"/ date="FECHA"/' "$f" >"$destino/$(basename "$f")" ;;
        *) cp "$f" "$destino/" ;;
        esac
    done
}

# The main job, as scripts/ejemplo.sh runs it, and every command on its data.
correr orientar orientar "$ej/obra_ejemplo.obs" -o orientada.obs --informe desorientaciones.txt
correr radiar radiar orientada.obs -o puntos.crd --informe radiacion.txt --informe2 radiacion2.txt
correr radiar-utm radiar "$ej/obra_ejemplo_utm.obs" -o puntos_utm.crd --proyeccion ed50
correr radiar-esf radiar orientada.obs -o puntos_esf.crd --esf-refr todas --visuales-a-estaciones
correr listado-bases listado bases orientada.obs -o bases.pdf --empresa "$datos/datos_empresa.prt"
correr listado-desor listado desorientaciones orientada.obs -o desor.pdf --empresa "$datos/datos_empresa.prt"
correr listado-resena listado resena orientada.obs -o resena.pdf --estacion B1 --empresa "$datos/datos_empresa.prt"
correr listado-estadillo listado estadillo orientada.obs -o estadillo.pdf --estacionamiento B1-1 --empresa "$datos/datos_empresa.prt"
correr exportar-csv exportar-puntos puntos.crd -o puntos.csv --cabecera
correr exportar-dxf exportar-puntos puntos.crd -o puntos.dxf
correr exportar-xml exportar-puntos puntos.crd -o puntos.xml
correr exportar-kml exportar-puntos puntos.crd -o puntos.kml --proyeccion ed50
correr importar-puntos importar-puntos puntos.csv -o reimportados.crd --cabecera
correr exportar-crd exportar-crd orientada.obs -o estaciones.crd
correr recoger-crd recoger-crd orientada.obs estaciones.crd -o recogida.obs
correr anexar anexar orientada.obs "$ej/obra_ejemplo_utm.obs" -o anexada.obs
correr corregir corregir "$ej/obra_ejemplo.obs" -o corregida.obs --unificar --promediar --esfericidad --desplazamientos
correr repetidas repetidas "$ej/obra_ejemplo.obs"
correr estacion estacion orientada.obs B3 --aprox 436650 4477700 --informe estacion.txt --instrumentos "$datos/instrumentos.apa"
correr estacion-json estacion orientada.obs B3 --aprox 436650 4477700 --json --instrumentos "$datos/instrumentos.apa"
correr red red "$ej/obra_ejemplo.obs" --fijos B1,B2 --informe red.txt --instrumentos "$datos/instrumentos.apa"
correr red-json red "$ej/obra_ejemplo.obs" --fijos B1,B2 --json --instrumentos "$datos/instrumentos.apa"
correr red-libre red "$ej/obra_ejemplo.obs" --libre --instrumentos "$datos/instrumentos.apa"
correr helmert helmert orientada.obs puntos.crd --json
correr refinar refinar orientada.obs -o refinados.crd --instrumentos "$datos/instrumentos.apa"
correr tol-visual tolerancias visual --instrumentos "$datos/instrumentos.apa" --distancia 250 --vertical 98.5 --jalon 1.5
correr tol-poligonal tolerancias poligonal --instrumentos "$datos/instrumentos.apa" --tramos 8 --longitud 1600
printf '436655.48 4477694.233\n500000 4400000\n1 2\n' >xy.txt
correr utm-ed50 utm --elipsoide ed50 <xy.txt
correr utm-wgs84 utm --elipsoide wgs84 <xy.txt
correr volcar-obs volcar orientada.obs
correr volcar-crd volcar puntos.crd
correr volcar-apa volcar "$datos/instrumentos.apa" --formato apa
correr volcar-prt volcar "$datos/datos_empresa.prt" --formato prt
correr formatos formatos
guardar orientada.obs desorientaciones.txt puntos.crd radiacion.txt radiacion2.txt puntos_utm.crd puntos_esf.crd \
    bases.pdf desor.pdf resena.pdf estadillo.pdf puntos.csv puntos.dxf puntos.xml puntos.kml reimportados.crd \
    estaciones.crd recogida.obs anexada.obs corregida.obs estacion.txt red.txt

# The traverse files of the tests (written from the layout), and a levelling line.
for pol in "$raiz"/tests/data/poligonal/*.pol; do
    for metodo in 0 1 2; do
        correr "poligonal-$(basename "$pol")-$metodo" poligonal "$pol" --metodo $metodo --json \
            --instrumentos "$datos/instrumentos.apa" --informe "$(basename "$pol")-$metodo.txt"
        guardar "$(basename "$pol")-$metodo.txt"
    done
done
cat >linea.csv <<'EOF'
punto,esp_sup,esp_inf,esp_med,fre_sup,fre_inf,fre_med
P1,1.650,1.350,1.500,1.420,1.180,1.300
P2,1.720,1.480,1.600,1.610,1.390,1.500
P3,1.300,1.100,1.200,1.800,1.600,1.700
EOF
correr nivelacion nivelacion linea.csv --cota-salida 100 --cota-llegada 99.9 --ajustar

# Every sample through automatic detection, oriented and radiated as imported.
for m in "$muestras"/*; do
    [ -f "$m" ] || continue
    case "$m" in *.md | *.txt) continue ;; esac
    b=$(basename "$m")
    correr "importar-$b" importar --formato auto "$m" -o "$b.obs"
    [ -e "$b.obs" ] || continue
    correr "radiar-$b" radiar "$b.obs" -o "$b.crd"
    guardar "$b.obs" "$b.crd"
done

# GNU Gama's networks.
for d in "$redes"/*/; do
    [ -f "$d/job.obs" ] || continue
    b=$(basename "$d")
    correr "red-$b" red "$d/job.obs" --fijos "$(tr -d ' \r\n' <"$d/fijos.txt")" --config "$d/obs.dft" \
        --instrumentos "$d/lib.apa" --json
done
echo "$n órdenes; salidas en $destino"
