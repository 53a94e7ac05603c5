#!/usr/bin/env bash
# Builds the seed corpus of the decoders' fuzz target from the files of a built-in run: the
# track file, the station file, the route matrix file and the three together for plan, each
# with the first byte that tells the target what follows (see fuzz_decoders.cpp).
#
# The route matrix file of the built-in line is 500 kB; the seeds hold its first 4 002
# elements, which decode as a shorter matrix of two halves of 2 001, so that every seed fits
# the fuzzer's largest input of 64 KiB.
#
# Usage: make_decoder_seeds.sh SCENARIO_BUILDER OUT_DIR
set -euo pipefail

program=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$program" --dir "$work" 2>/dev/null
track="$work/Roccalta_ Valfiorita_LINEA 7.dat"
stations="$work/Roccalta_ Valfiorita_LINEA 7.sim"
# Metres 0 and 1 take 4 bytes each, every later one 10: 8 + 10 x 4000 bytes = 4 002 elements.
head -c 40008 "$work/Roccalta_ Valfiorita_linea.dat" >"$work/route"

# le32 N: N as four little-endian bytes.
le32() {
  printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"
  printf "\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"
}

{ printf '\x00'; cat "$track"; } >"$out/track"
{ printf '\x08'; cat "$track"; } >"$out/track-all"
{ printf '\x01'; cat "$stations"; } >"$out/stations"
{ printf '\x09'; cat "$stations"; } >"$out/stations-all"
{ printf '\x02'; cat "$work/route"; } >"$out/route"
{ printf '\x06'; cat "$work/route"; } >"$out/route-step"
{
  printf '\x03'
  le32 "$(stat -c %s "$work/route")"
  le32 "$(stat -c %s "$stations")"
  cat "$work/route" "$stations" "$track"
} >"$out/plan"

echo "seeds: $(ls "$out" | wc -l) in $out"
