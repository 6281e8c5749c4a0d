#!/usr/bin/env bash
# Takes a picture of the program's window opened on an archive, without a desktop:
#   scripts/screenshot.sh ARCHIVE OUT.png [BUILD_DIR]
# The program runs from a copy in a temporary folder, so its settings (options.ini beside
# the executable) are fresh and the first-run question is already answered. The language
# files built beside it come along; SCREENSHOT_LANGUAGE names the one to show (default
# Russian.lng, the texts the program is built with).
# More [Main] keys for that options.ini may come in SCREENSHOT_OPTIONS, one per line:
# SCREENSHOT_OPTIONS=GameView=1 shows models as in the game (VARMELO_SCREENSHOT_ROW=n picks the row).
set -euo pipefail
archive=${1:?usage: screenshot.sh ARCHIVE OUT.png [BUILD_DIR]}
out=${2:?usage: screenshot.sh ARCHIVE OUT.png [BUILD_DIR]}
build=${3:-build}
[ -x "$build/varmelo" ] || { echo "screenshot.sh: $build/varmelo not built" >&2; exit 1; }
[ -e "$archive" ] || { echo "screenshot.sh: $archive not found" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/varmelo" "$work/varmelo"
[ -d "$build/lang" ] && cp -r "$build/lang" "$work/lang"
printf '[Main]\nFirstRun=0\nMenuStyle=0\nLanguage=%s\n%s\n' "${SCREENSHOT_LANGUAGE:-Russian.lng}" "${SCREENSHOT_OPTIONS:-}" > "$work/options.ini"
mkdir -p "$work/xdg-data" "$work/xdg-config" "$work/runtime"
chmod 700 "$work/runtime"

out_abs=$(realpath -m "$out")
archive_abs=$(realpath "$archive")
rm -f "$out_abs"
env XDG_DATA_HOME="$work/xdg-data" XDG_CONFIG_HOME="$work/xdg-config" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb VARMELO_SCREENSHOT="$out_abs" \
    timeout 60 xvfb-run -a -s '-screen 0 1280x1024x24' "$work/varmelo" "$archive_abs"
[ -s "$out_abs" ] || { echo "screenshot.sh: no picture was written" >&2; exit 1; }
echo "$out_abs"
