#!/usr/bin/env bash
# `celvara-cli utm` against PROJ on the same 1,000,000 points (generated, not
# kept in git), whole-process times with /usr/bin/time.
#
#   bench/utm_frente_proj.sh CELVARA_CLI GENERAR_UTM [N=1000000]
#
# PROJ commands compared (Hayford = +ellps=intl):
#   proj -I -S       inverse with -S; PROJ 9.1 computes the factors of the
#                    input coordinates there, so it prints <* * * * * *> and
#                    an error per line (stderr discarded)
#   proj -I | proj -S  the inverse, then the factors at the geographic point:
#                    PROJ's tools doing the same work as ours
set -euo pipefail
cli=$1
generar=$2
n=${3:-1000000}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$generar" "$n" >"$tmp/puntos.txt"
utm="+proj=utm +zone=30 +ellps=intl"

tiempo() {  # etiqueta orden...
    local etiqueta=$1
    shift
    /usr/bin/time -f "$etiqueta: %e s reales, %U s usuario, %S s sistema, %M KiB max" "$@"
}
tiempo "celvara-cli utm" sh -c "exec '$cli' utm --elipsoide ed50 <'$tmp/puntos.txt' >'$tmp/celvara.txt'"
tiempo "proj -I -S" sh -c "exec proj -I -S -f %.10f $utm '$tmp/puntos.txt' >'$tmp/proj.txt' 2>/dev/null"
tiempo "proj -I | proj -S" sh -c "proj -I -f %.10f $utm '$tmp/puntos.txt' | proj -S -f %.12f $utm >'$tmp/proj2.txt'"
echo "lineas: $(wc -l <"$tmp/celvara.txt") celvara, $(wc -l <"$tmp/proj.txt") proj"
