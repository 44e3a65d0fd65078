#!/usr/bin/env bash
# Builds Quorvel.exe and its window tests with MinGW-w64 and runs the tests
# for real under Wine on a virtual X display. Unattended: installs what is
# missing, needs no display and no input.
#
#   tests/win32/run-wine-tests.sh [build folder]     (default: build-win)
#
# The Wine prefix lives in <build folder>/wineprefix.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build-win}
mkdir -p "$build"
build=$(cd "$build" && pwd)

say() { printf 'run-wine-tests: %s\n' "$*" >&2; }

find_wine() {
  command -v wine 2>/dev/null || command -v wine64 2>/dev/null ||
    { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; } || true
}

find_wineserver() {
  command -v wineserver 2>/dev/null ||
    { [ -x /usr/lib/wine/wineserver ] && echo /usr/lib/wine/wineserver; } || true
}

# What the build and the run need, each with the Debian package that brings it.
install_missing() {
  local missing=()
  command -v cmake >/dev/null || missing+=(cmake)
  command -v make >/dev/null || missing+=(make)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64)
  [ -n "$(find_wine)" ] || missing+=(wine64)
  command -v xvfb-run >/dev/null || missing+=(xvfb)
  command -v xauth >/dev/null || missing+=(xauth)
  [ -f /usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf ] || missing+=(fonts-liberation)
  [ -f /usr/share/wine/fonts/vgasys.fon ] || missing+=(fonts-wine)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  [ ${#missing[@]} -eq 0 ] && return
  say "installing ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
}

build_programs() {
  cmake -S "$root" -B "$build" --toolchain "$root/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$build" --target Quorvel QuorvelWindowTests -j "$(nproc)"
}

# A prefix of its own for the tests, made once. Test set-up only, nothing of
# it belongs to the program:
# - Wine has no "Courier New"; Liberation Mono has its metrics.
# - A virtual desktop: on Xvfb there is no window manager, and Wine would
#   wait for one at every window it shows or hides.
# - Windows' own bitmap System font (fonts-wine has it), which the gutter
#   keeps as a control without a font of its own; without it Wine draws the
#   gutter in a scalable face of other metrics. Marlett for the caption
#   buttons. Wine does not look for either in its own font folder.
prepare_prefix() {
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export HOME="${HOME:-$build}"
  local wine wineserver
  wine=$(find_wine)
  wineserver=$(find_wineserver)
  if [ ! -f "$WINEPREFIX/.quorvel-prepared" ]; then
    say "making the Wine prefix $WINEPREFIX"
    "$wine" wineboot -i </dev/null >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ /d 'Liberation Mono' /f >/dev/null
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null
    "$wineserver" -w
    touch "$WINEPREFIX/.quorvel-prepared"
  fi
  local font
  for font in vgasys.fon marlett.ttf; do
    cp -u "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
}

run_tests() {
  local wine wineserver status=0
  wine=$(find_wine)
  wineserver=$(find_wineserver)
  cd "$build"
  # Wine is ended while the display still stands, so that no Wine process
  # reports a lost X connection after the tests' closing line. The timeout
  # only ends a run that hangs in a dialog; no test measures time.
  timeout 900 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c '"$1" QuorvelWindowTests.exe; status=$?; "$2" -k; exit $status' \
    run-wine-tests "$wine" "$wineserver" </dev/null || status=$?
  return "$status"
}

install_missing
build_programs
prepare_prefix
run_tests
