#!/usr/bin/env bash
# The benchmark command: builds the release programs, makes a fresh Wine prefix with a
# 1920 x 1080 virtual desktop on a private Xvfb, and measures Dorwatch and Dorguard as a user
# drives them. Prints the machine, then one Markdown table of what this run measured.
# Arguments go on to DorboltBench.exe (for a quick look: --runs 3 --idle-seconds 10).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export DORBOLT_PRESET=mingw-release
export DORBOLT_BUILD=${DORBOLT_BUILD:-$ROOT/build/bench-release}
source "$ROOT/scripts/common.sh"
SCREEN=1920x1080

ensure_packages
log "building ($DORBOLT_PRESET) in $DORBOLT_BUILD"
cmake --preset "$DORBOLT_PRESET" -B "$DORBOLT_BUILD" >/dev/null
cmake --build "$DORBOLT_BUILD" --target Dorwatch Dorguard KeepDesktop BareLoop DorboltBench

WORK=$(mktemp -d /tmp/dorbolt-bench.XXXXXX)
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
  rm -rf "$WORK"
}
trap cleanup EXIT

make_prefix "$WORK/prefix" "$SCREEN"
start_xvfb "$SCREEN"
start_wineserver
wine "$DORBOLT_BUILD/tests/KeepDesktop.exe" </dev/null >/dev/null 2>&1 &
# The alarm's sound goes to a file: the machine has no sound card.
export ALSA_CONFIG_PATH="$ROOT/tests/asound.conf"
export ALSA_CAPTURE="$WORK/alsa-capture.raw"

log "making the backdrop pictures"
# The same pixels every run: a fixed seed.
convert -size 3840x2160 -seed 7 plasma:fractal -quality 90 "$WORK/backdrop-3840x2160.jpg"
convert -size 800x600 -seed 7 plasma:fractal BMP3:"$WORK/backdrop-800x600.bmp"

cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
memory=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
os=$(. /etc/os-release && echo "$PRETTY_NAME")
xvfb=$(xdpyinfo 2>/dev/null | awk '/dimensions:/ && !seen { print $2; seen = 1 }' || true)
desktop=$(wine reg query 'HKCU\Software\Wine\Explorer\Desktops' /v Default 2>/dev/null |
  awk '/Default/ { print $NF }' | tr -d '\r' || true)
echo "Measured on:"
echo "- CPU: ${cpu:-unknown}, $(nproc) cores available; memory $memory"
echo "- $os, Linux $(uname -r); $(wine --version 2>/dev/null)"
echo "- Xvfb screen ${xvfb:-unknown} x 24 bits; Wine virtual desktop ${desktop:-unknown}"
echo "- release build (mingw-w64 $(x86_64-w64-mingw32-g++-posix -dumpversion), $DORBOLT_PRESET)"
echo "- load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

log "measuring (about three minutes)"
status=0
wine "$DORBOLT_BUILD/bench/DorboltBench.exe" \
  --jpeg "$(winepath -w "$WORK/backdrop-3840x2160.jpg" 2>/dev/null)" \
  --bitmap "$(winepath -w "$WORK/backdrop-800x600.bmp" 2>/dev/null)" "$@" </dev/null || status=$?
echo
echo "Load average after the run: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine slows Wine's start-up figures most)."
exit "$status"
