#!/usr/bin/env bash
# Accuracy of `celvara-cli utm` against an independent exact transverse
# Mercator (GeographicLib's TransverseMercatorProj, exact algorithm) over the
# grid X 200,000-800,000, Y 3,900,000-4,900,000 (zone 30), on both ellipsoids.
# Prints, per ellipsoid, the largest position error on the ground (mm) and
# the largest scale-factor error, with the points where they occur.
#
#   bench/utm_precision.sh CELVARA_CLI [paso_m]     (default step 5000 m)
set -euo pipefail
cli=$1
paso=${2:-5000}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

awk -v paso="$paso" 'BEGIN {
    for (x = 200000; x <= 800000; x += paso)
        for (y = 3900000; y <= 4900000; y += paso) printf "%d %d\n", x, y
}' >"$tmp/rejilla.txt"
echo "$(wc -l <"$tmp/rejilla.txt") puntos, paso $paso m"

for elipsoide in ed50 wgs84; do
    if [ "$elipsoide" = ed50 ]; then a=6378388; rf=297; else a=6378137; rf=298.257223563; fi
    "$cli" utm --elipsoide "$elipsoide" <"$tmp/rejilla.txt" >"$tmp/celvara.txt"
    awk '{ printf "%.3f %.3f\n", $1 - 500000, $2 }' "$tmp/rejilla.txt" |
        TransverseMercatorProj -r -e "$a" "1/$rf" -l -3 -k 0.9996 -p 12 >"$tmp/exacta.txt"
    paste -d' ' "$tmp/rejilla.txt" "$tmp/celvara.txt" "$tmp/exacta.txt" |
        awk -v a="$a" -v rf="$rf" -v nombre="$elipsoide" '
        BEGIN { f = 1 / rf; e2 = (2 - f) * f; rad = atan2(0, -1) / 180 }
        $3 == "fuera" { fuera++; next }
        {
            # $3 $4 $5: ours (lat lon k); $6 $7 $8 $9: exact (lat lon gamma k)
            s = sin($6 * rad); w = sqrt(1 - e2 * s * s)
            nu = a / w; rho = a * (1 - e2) / (w * w * w)
            dn = ($3 - $6) * rad * rho; de = ($4 - $7) * rad * nu * cos($6 * rad)
            d = sqrt(dn * dn + de * de) * 1000
            dk = $5 - $9; if (dk < 0) dk = -dk
            if (d > dmax) { dmax = d; pd = $1 " " $2 }
            if (dk > kmax) { kmax = dk; pk = $1 " " $2 }
            if ($1 >= 400000 && $1 <= 600000) {
                if (d > dmax100) dmax100 = d
                if (dk > kmax100) kmax100 = dk
            }
        }
        END {
            printf "%s: error de posicion max %.3f mm (en %s), error de factor de escala max %.3e (en %s)\n",
                nombre, dmax, pd, kmax, pk
            printf "%s: a menos de 100 km del meridiano central: posicion %.3f mm, factor %.3e\n",
                nombre, dmax100, kmax100
            if (fuera) printf "%s: %d puntos fuera\n", nombre, fuera
        }'
done
