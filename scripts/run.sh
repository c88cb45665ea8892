#!/usr/bin/env bash
# The run command: installs what is missing, builds, installs the programs into Dorbolt's own
# Wine prefix (made on first use) and starts Dorwatch in a Wine virtual desktop on $DISPLAY.
set -euo pipefail
source "$(dirname "$0")/common.sh"

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'TXT'
There is no display ($DISPLAY is empty), so there is nowhere to show Dorwatch.
Run this from a desktop session, or start a virtual one and look at it over VNC:
  sudo apt-get install -y xvfb x11vnc
  Xvfb :5 -screen 0 1280x1024x24 &  x11vnc -display :5 -nopw -forever &
  DISPLAY=:5 scripts/run.sh      # then point a VNC viewer at this machine, port 5900
TXT
  exit 2
fi

ensure_packages
build

PREFIX=${DORBOLT_PREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/dorbolt/wineprefix}
if [ ! -f "$PREFIX/system.reg" ]; then
  make_prefix "$PREFIX" "${DORBOLT_DESKTOP:-1024x768}"
else
  wine_env "$PREFIX"
  install_programs
fi
log "starting Dorwatch in $PREFIX (its icon is at the right end of the desktop's taskbar)"
exec wine 'C:\windows\Dorwatch.exe'
