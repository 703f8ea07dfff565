#!/usr/bin/env bash
# Fuzzes every file reader and every computation for SECONDS each (default
# 60) with libFuzzer, AddressSanitizer and UBSan (Debian clang), one harness
# at a time. Seeds come from tests/data, examples/, ../shared/samples and
# ../shared/redes; findings land in build-fuzz/hallazgos/. Prints the
# executions and coverage of each harness; exits 1 when any harness found a
# fault. FUZZ_SOLO=PATRON runs only the harnesses whose name matches it.
set -uo pipefail
cd "$(dirname "$0")/.."
segundos=${1:-60}
./scripts/bootstrap.sh
b=build-fuzz
cmake -S . -B $b -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCELVARA_FUZZ=ON -DCELVARA_QT=OFF -DCELVARA_BENCH=OFF >/dev/null || exit 1
cmake --build $b -j"${CELVARA_JOBS:-2}" --target celvara_fuzz celvara_fuzz_calculos >/dev/null || exit 1

muestras=../shared/samples
semillas() {  # semillas DIR PATRON...: copies the matching seed files into DIR
  local dir=$1; shift
  mkdir -p "$dir"
  for patron in "$@"; do
    find tests/data examples "$muestras" ../shared/redes -type f -iname "$patron" -size -1024k -exec cp -t "$dir" {} + 2>/dev/null
  done
  ls "$dir" | grep -q . || printf '0' >"$dir/vacio"
}

mkdir -p $b/hallazgos
fallos=0
pasar() {  # pasar NOMBRE PROGRAMA LIMITE [VAR=VALOR...]: one harness run, LIMITE s per input
  local nombre=$1 programa=$2 limite=$3; shift 3
  [[ $nombre =~ ${FUZZ_SOLO:-.} ]] || return 0
  local corpus=$b/corpus/$nombre
  local log=$b/hallazgos/$nombre.log
  TMPDIR=/dev/shm nice -n 10 env "$@" $b/fuzz/"$programa" "$corpus" -max_total_time="$segundos" -timeout="$limite" \
    -rss_limit_mb=2048 -max_len="${FUZZ_MAX_LEN:-65536}" -artifact_prefix=$b/hallazgos/"$nombre"- -print_final_stats=1 >"$log" 2>&1
  local rc=$?
  local ejec cob
  ejec=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
  cob=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  if ((rc)); then
    fallos=1
    printf '%-22s FALLO (%s)\n' "$nombre" "$log"
  else
    printf '%-22s %10s ejecuciones en %s s, cobertura %s\n' "$nombre" "${ejec:-?}" "$segundos" "${cob:-?}"
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
semillas $b/corpus/dxf '*.dxf'
semillas $b/corpus/nivelgsi '*.gsi'
for l in obs crd apa datos dft ini pol nivelacion dxf nivelgsi; do
  pasar $l celvara_fuzz 10 CELVARA_LECTOR=$l
done

# Every import format that has a reader, through the import window's entry;
# every sample file seeds every format.
for f in $(CELVARA_LISTAR_FORMATOS=1 $b/fuzz/celvara_fuzz); do
  semillas $b/corpus/importar-$f '*.gsi' '*.raw' '*.are' '*.job' '*.txt' '*.dat' '*.csv' '*.gts' '*.sdr' '*.rw5'
  pasar importar-$f celvara_fuzz 10 CELVARA_LECTOR=importar CELVARA_FORMATO=$f
done

# Every computation on a book, a traverse file, a levelling line and a
# coordinate file (the example book's stations take its points); a
# non-finite number in a report aborts. An input must finish within a second
# of an optimised build; the sanitizers get two.
for c in obs pol nivelacion crd; do
  mkdir -p $b/corpus/calculo-$c && cp -r $b/corpus/$c/. $b/corpus/calculo-$c/
  FUZZ_MAX_LEN=20000 pasar calculo-$c celvara_fuzz_calculos 2 CELVARA_CALCULO=$c
done
exit $fallos
