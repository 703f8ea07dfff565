#!/usr/bin/env bash
# The batch goals on a 1,000,000-reading book, measured in one run:
#   radiar (with its printed lines)        goal: under 1 s
#   anexar LIBRO VACIO -o SALIDA vs cp     goal: within 5 x cp
# Usage: bench/lotes.sh [BUILD] [CARPETA] [VECES]. CARPETA holds the book
# (default a scratch folder under /tmp); each figure is the median of VECES
# runs (default 5) of wall time; the ratio is the median of the pair ratios.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
b=${1:-$raiz/build}
dir=${2:-$(mktemp -d /tmp/celvara-lotes.XXXXXX)}
veces=${3:-5}
cmake --build "$b" -j2 --target celvara-cli generar_libreta >/dev/null
cli="$b/celvara-cli"
libro="$dir/libro.obs"
[[ -s $libro ]] || "$b/bench/generar_libreta" escribir "$libro" 1000 10 100 >/dev/null
# An empty book: mark 0, a blank header block, no stations.
head -c 1036 /dev/zero >"$dir/vacio.obs"

segundos() {  # wall seconds of one run of the command
  local t0 t1
  t0=$(date +%s.%N)
  "$@" >/dev/null
  t1=$(date +%s.%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN {print b - a}'
}
mediana() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

radiar=() anexar=() cp_=() razon=()
for ((i = 0; i < veces; i++)); do
  radiar+=("$(segundos "$cli" radiar "$libro" -o "$dir/puntos.crd")")
  a=$(segundos "$cli" anexar "$libro" "$dir/vacio.obs" -o "$dir/salida.obs")
  c=$(segundos cp "$libro" "$dir/copia.obs")
  anexar+=("$a") cp_+=("$c") razon+=("$(awk -v a="$a" -v c="$c" 'BEGIN {print a / c}')")
done
cmp -s "$libro" "$dir/salida.obs" || { echo "anexar con un libro vacío no reprodujo el libro"; exit 1; }
r=$(printf '%s\n' "${radiar[@]}" | mediana)
a=$(printf '%s\n' "${anexar[@]}" | mediana)
c=$(printf '%s\n' "${cp_[@]}" | mediana)
q=$(printf '%s\n' "${razon[@]}" | mediana)
printf 'libro: %s (%s bytes, 1000000 lecturas), %s pasadas, medianas de tiempo real\n' "$libro" "$(stat -c %s "$libro")" "$veces"
printf 'radiar            %6.3f s   (objetivo < 1 s: razón %.2f)\n' "$r" "$r"
printf 'anexar            %6.3f s\n' "$a"
printf 'cp                %6.3f s\n' "$c"
printf 'anexar / cp       %6.2f     (objetivo <= 5)\n' "$q"
