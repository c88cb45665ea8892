#!/usr/bin/env bash
# The test command: installs what is missing, builds, and runs every test under Wine in a
# fresh prefix on a private display. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
build

WORK=$(mktemp -d /tmp/dorbolt-test.XXXXXX)
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
  rm -rf "$WORK/prefix"
}
trap cleanup EXIT

make_prefix "$WORK/prefix"
start_xvfb 1920x1080
start_wineserver
wine "$DORBOLT_BUILD/tests/KeepDesktop.exe" </dev/null >/dev/null 2>&1 &

export ALSA_CONFIG_PATH="$DORBOLT_ROOT/tests/asound.conf"
export ALSA_CAPTURE="$WORK/alsa-capture.raw"
export DORBOLT_ARTEFACTS="${DORBOLT_ARTEFACTS:-$DORBOLT_BUILD/artefacts}"
mkdir -p "$DORBOLT_ARTEFACTS"

rm -f "$DORBOLT_ARTEFACTS"/*.figures.txt

log "running the tests"
status=0
ctest --test-dir "$DORBOLT_BUILD" --output-on-failure --no-tests=error --timeout 120 "$@" || status=$?
# Figures that tests measure (the soak's objects and memory), shown passed or not.
for figures in "$DORBOLT_ARTEFACTS"/*.figures.txt; do
  [ -f "$figures" ] && cat "$figures"
done
exit "$status"
