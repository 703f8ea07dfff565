#!/usr/bin/env bash
# The batch goals on a 1,000,000-reading book, measured in one run:
#   radiar (with its printed lines)        goal: under 1 s
#   anexar LIBRO VACIO -o SALIDA vs cp     goal: within 5 x cp
# Usage: bench/lotes.sh [BUILD] [CARPETA] [VECES]. CARPETA holds the book
# (default a scratch folder under /tmp); each figure is the median of VECES
# runs (default 5), as wall time and as CPU time (user + system, which a
# busy machine does not inflate); the ratio is the median of the pair ratios.
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

tiempos() {  # "wall cpu" of one run of the command
  /usr/bin/time -f '%e %U %S' -o "$dir/tiempo" "$@" >/dev/null
  awk '{print $1, $2 + $3}' "$dir/tiempo"
}
mediana() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
col() { awk -v c="$1" '{print $c}'; }

: >"$dir/radiar" ; : >"$dir/anexar" ; : >"$dir/cp"; : >"$dir/razon"
for ((i = 0; i < veces; i++)); do
  tiempos "$cli" radiar "$libro" -o "$dir/puntos.crd" >>"$dir/radiar"
  a=$(tiempos "$cli" anexar "$libro" "$dir/vacio.obs" -o "$dir/salida.obs")
  c=$(tiempos cp "$libro" "$dir/copia.obs")
  echo "$a" >>"$dir/anexar"; echo "$c" >>"$dir/cp"
  awk -v a="$a" -v c="$c" 'BEGIN {split(a, x, " "); split(c, y, " "); print x[1] / y[1]}' >>"$dir/razon"
done
cmp -s "$libro" "$dir/salida.obs" || { echo "anexar con un libro vacío no reprodujo el libro"; exit 1; }
printf 'libro: %s bytes, 1000000 lecturas, %s pasadas; medianas (real / CPU)\n' "$(stat -c %s "$libro")" "$veces"
for f in radiar anexar cp; do
  printf '%-10s %7.3f s real  %7.3f s CPU\n' "$f" "$(col 1 <"$dir/$f" | mediana)" "$(col 2 <"$dir/$f" | mediana)"
done
printf 'radiar: objetivo < 1 s real\n'
printf 'anexar / cp (real, pareja a pareja): %.2f   objetivo <= 5\n' "$(mediana <"$dir/razon")"
