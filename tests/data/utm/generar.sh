#!/usr/bin/env bash
# Reference values of the UTM tests, zone 30 (central meridian -3), from
# GeographicLib's exact transverse Mercator (TransverseMercatorProj, exact
# algorithm), independent of our series: lines "X Y latitud longitud k".
#   tests/data/utm/generar.sh   (run from anywhere; rewrites both files)
set -euo pipefail
cd "$(dirname "$0")"
rejilla() {
    for x in 200000 300000 400000 450000 500000 550000 600000 700000 800000; do
        for y in 3900000 4150000 4400000 4650000 4900000; do echo "$x $y"; done
    done
    echo "123456.789 4012345.678"
    echo "765432.1 4876543.21"
}
genera() {  # a 1/f fichero
    rejilla | awk '{ printf "%.3f %.3f\n", $1 - 500000, $2 }' |
        TransverseMercatorProj -r -e "$1" "$2" -l -3 -k 0.9996 -p 12 |
        paste -d' ' <(rejilla) - | awk '{ print $1, $2, $3, $4, $6 }' >"$3"
}
genera 6378388 1/297 exacta_ed50.txt
genera 6378137 1/298.257223563 exacta_wgs84.txt
