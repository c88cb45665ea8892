# Shared by the run and test commands: packages, build, Wine prefix, display.
# Sourced, not run.

DORBOLT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DORBOLT_PRESET=${DORBOLT_PRESET:-mingw-debug}
# Another folder may be named, so that several builds of one checkout can run side by side.
DORBOLT_BUILD=${DORBOLT_BUILD:-$DORBOLT_ROOT/build/$DORBOLT_PRESET}

DORBOLT_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 fonts-wine fonts-liberation2 xvfb x11-utils xdotool imagemagick sox googletest nsis)

log() { printf '== %s\n' "$*" >&2; }

# Installs the Debian packages that are missing (needs root or sudo).
ensure_packages() {
  local missing=()
  local p
  for p in "${DORBOLT_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  log "building ($DORBOLT_PRESET)"
  cmake --preset "$DORBOLT_PRESET" -B "$DORBOLT_BUILD" >/dev/null
  cmake --build "$DORBOLT_BUILD"
}

wine_env() {
  export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# Makes a new prefix with the virtual desktop, the fonts and the installed programs.
make_prefix() {
  local prefix=$1 size=${2:-1024x768}
  log "making Wine prefix $prefix"
  mkdir -p "$prefix"
  wine_env "$prefix"
  wineboot -i >/dev/null 2>&1
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  sed "s/\"Default\"=\"1024x768\"/\"Default\"=\"$size\"/" "$DORBOLT_ROOT/tests/wine-test.reg" >"$prefix/desktop.reg"
  wine regedit /S "$(winepath -w "$prefix/desktop.reg")" >/dev/null 2>&1
  wineserver -k
  install_programs
}

# Puts the programs and the alarm sound where they are installed on Windows: C:\Windows.
install_programs() {
  local windir="$WINEPREFIX/drive_c/windows"
  cp "$DORBOLT_BUILD/Dorwatch.exe" "$DORBOLT_BUILD/Dorguard.exe" "$windir/"
  [ -f "$DORBOLT_ROOT/assets/magisnd.wav" ] && cp "$DORBOLT_ROOT/assets/magisnd.wav" "$windir/"
  return 0
}

# Starts a private Xvfb on a free display and exports DISPLAY.
start_xvfb() {
  local size=${1:-1920x1080}
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  log "Xvfb on $DISPLAY"
}

start_wineserver() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
