#!/usr/bin/env bash
# Builds the seed corpus of the fuzz target: the built-in scenario as the program writes it,
# and small scenarios like the tests' fixtures, each in both route-plan modes.
#
# A seed is one byte (its lowest bit: build the route plan or not), the line file, a byte
# 0x00 and the train file.
#
# Usage: make_seeds.sh SCENARIO_BUILDER OUT_DIR
set -euo pipefail

program=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# seed NAME LINE_FILE TRAIN_FILE [MODES]: one seed per route-plan mode (default: both).
seed() {
  local name=$1 line=$2 train=$3 modes=${4:-0 1} mode
  for mode in $modes; do
    {
      printf "\\x0$mode"
      cat "$line"
      printf '\0'
      cat "$train"
    } >"$out/$name-$mode"
  done
}

# text FILE: the lines of standard input, each ended with CR LF as the scenario files are.
text() {
  sed 's/$/\r/' >"$1"
}

# The built-in scenario, exactly as the program writes it.
"$program" sources --dir "$work" >/dev/null 2>&1
seed builtin "$work/Roccalta_ Valfiorita_linea.txt" "$work/Roccalta_ Valfiorita_LINEA 7-.txt"

# A short author's line with two stations.
text "$work/author_line" <<'EOF'
[generale]
lunghezza percorso, 3000
[curve]
curvad4, 500, 200
[fine]
EOF
text "$work/author_train" <<'EOF'
[generale]
velocita, 0, 30
aderenza, 0, 100
[stazioni]
stazione, 0, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,0,0, PRIMA
stazione, 2000, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,5,0, SECONDA
[fine]
EOF
seed author "$work/author_line" "$work/author_train"

# Every kind of entry once: chainages, separators, gradients, curves, stretches, boards,
# signboards; speeds, adhesion, clock, signals, slow orders, "abbattimento" points, stations.
text "$work/every_line" <<'EOF'
[generale]
-----
lunghezza percorso,    18000
progressiva chilometrica uno,    0,    450,    1
progressiva chilometrica due,    2000,    0,    0
progressiva chilometrica tre,    500,    0,    0
sfondo uno,    1
sfondo due,    0
sfondo tre,    0
ripetizione segnali 9 codici,    100    ,50
[curve]
curvad4,  1500,  550
CURVAS4,  3000,  600
curvad42,  4450,  250
[pendenze]
pendenza, 1000, 5
pendenza, 2000, -3
pendenza, 20, 200
[montagne]
montagna,   3950,  10600,  12
montagna,   10700,  11500,  2
[cartelli]
indicatori_vmax,  400,  80,  80,  80,  2,  80,  80,  80,  3
indicatore cartello, 600, STAZIONE NORD
cartello indicat, 150, B
[indicazioni]
[fine]
EOF
text "$work/every_train" <<'EOF'
[generale]
percentuale massa frenata,  120
numero vetture,  3
orologio,    12              9             50 
sabbia,    0
-
velocita,   0,    30
velocita,   5000,    60
aderenza,   0,    100
aderenza,   4000,    80
[segnali]
segnale,   14650,   2, 3, 0,  0, 0,    2,  2,0,0, 1
segnale,   50,   0, 1, 0,  0, 0,    1,  2,0,0, 0
[rallentamenti]
rallentamento, 5000, 30, 400, 1, 1, 0
rallentamento, 8000, 120, 10, 0, 0, 70
[abbattimenti]
abbattimento, 9000, 300
abbattimento, 9500, 0
[stazioni]
stazione,     800, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,  12,11, 1, VIA DEI GELSI
stazione,  10800, 22,  300,  1, 1, 1,  2,3,4,  5,6,7,   8,  12,30, 0, CENTRO
stazione,  17000,  7,  800,  0, 0, 0,  0,0,0,  0,0,0,   0,  13,0, 0, CAPOLINEA
[fine]
EOF
seed every "$work/every_line" "$work/every_train"

# A route at its longest, with a curve and entries close to the end of the table. Only
# without the route plan: with it, every run computes and writes 20 MB and the fuzzer would
# spend its time there.
text "$work/long_line" <<'EOF'
[generale]
lunghezza percorso, 1000000
[curve]
curvas5, 999000, 900
[pendenze]
pendenza, 1006900, 1
[fine]
EOF
text "$work/long_train" <<'EOF'
[generale]
velocita, 0, 80
stazione, 1006200, 8, 900, 0,0,0, 0,0,0, 0,0,0, 0, 1,0,0, FINE
[fine]
EOF
seed long "$work/long_line" "$work/long_train" 0

echo "seeds: $(ls "$out" | wc -l) in $out"
