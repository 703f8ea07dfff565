#!/usr/bin/env bash
# Fuzzes every file reader for SECONDS each (default 60) with libFuzzer,
# AddressSanitizer and UBSan (Debian clang). Seeds come from tests/data,
# examples/ and ../shared/samples; findings land in build-fuzz/hallazgos/.
# Prints the executions of each harness; exits 1 when any harness found a fault.
set -uo pipefail
cd "$(dirname "$0")/.."
segundos=${1:-60}
./scripts/bootstrap.sh
b=build-fuzz
cmake -S . -B $b -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCELVARA_FUZZ=ON -DCELVARA_QT=OFF -DCELVARA_BENCH=OFF >/dev/null || exit 1
cmake --build $b -j"${CELVARA_JOBS:-2}" --target celvara_fuzz >/dev/null || exit 1

muestras=../shared/samples
semillas() {  # semillas DIR PATRON...: copies the matching seed files into DIR
  local dir=$1; shift
  mkdir -p "$dir"
  for patron in "$@"; do
    find tests/data examples "$muestras" -type f -iname "$patron" -size -1024k -exec cp -t "$dir" {} + 2>/dev/null
  done
  ls "$dir" | grep -q . || printf '0' >"$dir/vacio"
}

mkdir -p $b/hallazgos
fallos=0
pasar() {  # pasar NOMBRE [VAR=VALOR...]: one harness run
  local nombre=$1; shift
  local corpus=$b/corpus/$nombre
  local log=$b/hallazgos/$nombre.log
  TMPDIR=/dev/shm env "$@" $b/fuzz/celvara_fuzz "$corpus" -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -artifact_prefix=$b/hallazgos/"$nombre"- -print_final_stats=1 >"$log" 2>&1
  local rc=$?
  local ejec
  ejec=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
  if ((rc)); then
    fallos=1
    printf '%-22s FALLO (%s)\n' "$nombre" "$log"
  else
    printf '%-22s %10s ejecuciones en %s s\n' "$nombre" "${ejec:-?}" "$segundos"
  fi
}

semillas $b/corpus/obs '*.obs'
semillas $b/corpus/crd '*.crd'
semillas $b/corpus/apa '*.apa'
semillas $b/corpus/datos '*.dat' '*.prt'
semillas $b/corpus/dft '*.dft'
semillas $b/corpus/ini '*.ini'
semillas $b/corpus/pol '*.pol'
semillas $b/corpus/nivelacion '*.csv'
for l in obs crd apa datos dft ini pol nivelacion; do
  pasar $l CELVARA_LECTOR=$l
done

# Every import format that has a reader, through the import window's entry;
# every sample file seeds every format.
for f in $(CELVARA_LISTAR_FORMATOS=1 $b/fuzz/celvara_fuzz); do
  semillas $b/corpus/importar-$f '*.gsi' '*.raw' '*.are' '*.job' '*.txt' '*.dat' '*.csv' '*.gts' '*.sdr' '*.rw5'
  pasar importar-$f CELVARA_LECTOR=importar CELVARA_FORMATO=$f
done
exit $fallos
