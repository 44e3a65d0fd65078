#!/usr/bin/env bash
# Starts Quorvel.exe under Wine on a virtual X display with a tip file on its
# command line and saves a picture of the window, to look at the program as a
# user sees it. Uses the build folder and the Wine prefix that
# run-wine-tests.sh made; run that first.
#
#   tests/win32/take-screenshot.sh [tip file] [picture] [build folder]
#
# Defaults: examples/fehler-zahl-zu-gross.lvx, docs/quorvel-window.png,
# build-win. Needs ImageMagick (Debian package imagemagick) for `import`.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tip=$(realpath "${1:-$root/examples/fehler-zahl-zu-gross.lvx}")
picture=$(realpath -m "${2:-$root/docs/quorvel-window.png}")
build=$(cd "${3:-$root/build-win}" && pwd)

[ -f "$build/wineprefix/.quorvel-prepared" ] ||
  { echo "take-screenshot: no prepared Wine prefix in $build; run tests/win32/run-wine-tests.sh first" >&2; exit 1; }
command -v import >/dev/null ||
  { DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends imagemagick </dev/null >/dev/null; }

wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Wine names the Linux root Z: and uses backslashes.
windows_name="Z:${tip//\//\\}"

# The window opens at its default place on the 1024x768 Wine desktop; the
# picture is cut to the window (with its frame), found by its title.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" "$2/Quorvel.exe" "$3" & sleep 8
  id=$(xwininfo -root -tree | awk "/Quorvel - /{print \$1; exit}")
  if [ -n "$id" ]; then import -window root -crop "$(xwininfo -id "$id" | awk "/Width:/{w=\$2}/Height:/{h=\$2}/Absolute upper-left X:/{x=\$4}/Absolute upper-left Y:/{y=\$4}END{print w \"x\" h \"+\" x \"+\" y}")" "$5"
  else import -window root "$5"; fi
  "$4" -k' take-screenshot "$wine" "$build" "$windows_name" "$wineserver" "$picture"
echo "take-screenshot: wrote $picture"
