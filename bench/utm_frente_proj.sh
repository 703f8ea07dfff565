#!/usr/bin/env bash
# `celvara-cli utm` against PROJ's `invproj` on the same points (1,000,000 by
# default, generated, not kept in git): the two run in turn VECES times each,
# whole process, and the medians of wall, user and CPU time (user + system) are
# printed with the ratio celvara / invproj. The goal is a ratio of 0.8 or
# less on each (invproj spends much of its time in the system, so the user
# ratio is the strict one).
#
#   bench/utm_frente_proj.sh CELVARA_CLI GENERAR_UTM [N=1000000] [VECES=5]
#
# invproj (Hayford = +ellps=intl) prints latitude and longitude only; ours
# adds the point scale factor, so we do more work per line, not less.
set -euo pipefail
cli=$1
generar=$2
n=${3:-1000000}
veces=${4:-5}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$generar" "$n" >"$tmp/puntos.txt"
utm="+proj=utm +zone=30 +ellps=intl"

una() {  # una FICHERO_TIEMPOS ORDEN: appends "wall cpu" of one run
    local f=$1
    shift
    /usr/bin/time -a -o "$f" -f "%e %U %S" sh -c "$1"
}
for _ in $(seq "$veces"); do
    una "$tmp/t_celvara" "exec '$cli' utm --elipsoide ed50 <'$tmp/puntos.txt' >'$tmp/celvara.txt'"
    una "$tmp/t_proj" "exec invproj -f %.10f $utm <'$tmp/puntos.txt' >'$tmp/proj.txt'"
done
mediana() {  # mediana FICHERO COLUMNA(wall|user|cpu)
    awk -v c="$2" '{print (c == "wall") ? $1 : (c == "user") ? $2 : $2 + $3}' "$1" | sort -g |
        awk '{v[NR]=$1} END {print v[int((NR + 1) / 2)]}'
}
for medida in wall user cpu; do
    a=$(mediana "$tmp/t_celvara" $medida)
    b=$(mediana "$tmp/t_proj" $medida)
    awk -v m=$medida -v a="$a" -v b="$b" \
        'BEGIN {printf "%-4s celvara-cli utm %.2f s, invproj %.2f s, celvara/invproj %.2f\n", m, a, b, a / b}'
done
echo "lineas: $(wc -l <"$tmp/celvara.txt") celvara, $(wc -l <"$tmp/proj.txt") invproj"
