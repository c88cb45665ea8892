#!/usr/bin/env bash
# Composes Dorbolt's alarm, magisnd.wav: a two-tone hi-lo siren, 2 s,
# 16-bit PCM, 22050 Hz, mono, peak -3 dBFS. Needs: sox.
set -euo pipefail
cd "$(dirname "$0")"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

# -R -D: fixed seeds and no dither, so every run gives the same bytes.
SOX=(sox -R -D)
RATE=22050

# One rising note built from sine harmonics: strong odd ones for a square
# bite, weaker even ones for a touch of sawtooth. Summing sines keeps every
# partial below the Nyquist limit, so nothing aliases. A few ms of fade at
# each end keeps the joins between notes click-free.
note() { # out from-Hz to-Hz
  local out=$1 f1=$2 f2=$3 n amp parts=()
  for h in 1:1 2:0.2 3:0.333 4:0.1 5:0.2 7:0.143 9:0.111; do
    n=${h%:*} amp=${h#*:}
    "${SOX[@]}" -n -r $RATE -c 1 -b 32 -e floating-point "$T/h$n.wav" \
      synth 0.25 sine "$((f1 * n))-$((f2 * n))"
    parts+=(-v "$amp" "$T/h$n.wav")
  done
  "${SOX[@]}" -m "${parts[@]}" -b 32 -e floating-point "$out" fade t 0.005 0 0.012
}
note "$T/hi.wav" 940 1000
note "$T/lo.wav" 700 750

# Hi, lo, four times over, then levelled to a -3 dBFS peak.
"${SOX[@]}" "$T/hi.wav" "$T/lo.wav" "$T/hi.wav" "$T/lo.wav" \
  "$T/hi.wav" "$T/lo.wav" "$T/hi.wav" "$T/lo.wav" \
  -r $RATE -c 1 -b 16 -e signed-integer magisnd.wav \
  fade t 0.005 0 0.02 gain -n -3
