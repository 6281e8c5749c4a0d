#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a desktop would see it: every
# file in its place, the desktop entry, AppStream file and MIME types valid, the MIME database
# telling our archives from disk images, the manual page in step with `varmelo-cli --help`, and
# the installed program starting on the sample archive (in English when lang/English.lng is
# shipped) with its settings kept in the user's configuration folder.
#   install_test.sh BUILD_DIR SAMPLE_ARCHIVE
set -euo pipefail
build=$(realpath "${1:?usage: install_test.sh BUILD_DIR SAMPLE_ARCHIVE}")
sample=$(realpath "${2:?usage: install_test.sh BUILD_DIR SAMPLE_ARCHIVE}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
share=$prefix/share
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

unset DESTDIR
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install" >&2
  exit 1
fi

# --- the files -------------------------------------------------------------------------------
for f in bin/varmelo bin/varmelo-cli; do
  [ -x "$prefix/$f" ] && pass "$f" || fail "$f is missing or not executable"
done
for f in share/applications/varmelo.desktop share/mime/packages/varmelo.xml \
         share/metainfo/varmelo.metainfo.xml share/man/man1/varmelo-cli.1 \
         share/icons/hicolor/scalable/apps/varmelo.svg; do
  [ -s "$prefix/$f" ] && pass "$f" || fail "$f is missing"
done
[ -d "$share/varmelo/lang" ] && pass "share/varmelo/lang" || fail "share/varmelo/lang is missing"
for size in 48 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/varmelo.png
  if file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size"; then
    pass "${size}px icon"
  else
    fail "$png is not a $size x $size PNG"
  fi
done
for lng in "$(dirname "$0")"/../../lang/*.lng; do
  [ -e "$lng" ] || continue
  name=$(basename "$lng")
  cmp -s "$lng" "$share/varmelo/lang/$name" && pass "lang/$name" || fail "lang/$name was not installed"
done

# --- the desktop entry, the AppStream file and the MIME types ------------------------------
# The types are the MIME package's: every one of them must reach the desktop entry.
mapfile -t types < <(sed -n 's/.*<mime-type type="application\/x-varmelo-\([a-z0-9]*\)".*/\1/p' \
                     "$share/mime/packages/varmelo.xml")
[ "${#types[@]}" -ge 6 ] && pass "${#types[@]} archive types" || fail "varmelo.xml names ${#types[@]} archive types"
desktop=$share/applications/varmelo.desktop
desktop-file-validate "$desktop" && pass "desktop-file-validate" || fail "desktop-file-validate"
grep -qx 'Exec=varmelo %f' "$desktop" && pass "Exec" || fail "Exec is not 'varmelo %f'"
mimeLine=$(grep '^MimeType=' "$desktop" || true)
for t in "${types[@]}"; do
  [[ "$mimeLine" == *"application/x-varmelo-$t;"* ]] || fail "MimeType lacks application/x-varmelo-$t"
  grep -q "<mediatype>application/x-varmelo-$t</mediatype>" "$share/metainfo/varmelo.metainfo.xml" ||
    fail "varmelo.metainfo.xml lacks application/x-varmelo-$t"
done
appstreamcli validate --no-net "$share/metainfo/varmelo.metainfo.xml" >"$work/as.log" 2>&1 &&
  pass "appstreamcli validate" || { cat "$work/as.log" >&2; fail "appstreamcli validate"; }
xmllint --noout "$share/mime/packages/varmelo.xml" && pass "xmllint varmelo.xml" || fail "xmllint varmelo.xml"

# The install refreshed the prefix's MIME database: a file that starts like an archive of ours
# is ours whatever else claims its extension; a disk image keeps the desktop's type.
if [ -s "$share/mime/mime.cache" ]; then
  mkdir "$work/files"
  printf 'VER2\0\0\0\0' >"$work/files/archive.img"
  head -c 4096 /dev/zero >>"$work/files/archive.img"
  head -c 4096 /dev/zero >"$work/files/disk.img"
  printf 'DBLD' >"$work/files/archive.bin"
  head -c 64 /dev/zero >>"$work/files/archive.bin"
  cp "$sample" "$work/files/sample.img"
  expect=(archive.img=application/x-varmelo-img disk.img=application/x-raw-disk-image
          archive.bin=application/x-varmelo-bin sample.img=application/x-varmelo-img)
  for pair in "${expect[@]}"; do
    f=${pair%%=*} want=${pair#*=}
    got=$(XDG_DATA_HOME="$work/no-data" XDG_DATA_DIRS="$share:/usr/share" \
          gio info -a standard::content-type "$work/files/$f" | sed -n 's/.*standard::content-type: //p')
    [ "$got" = "$want" ] && pass "$f is $want" || fail "$f is '$got', not $want"
  done
else
  fail "the install did not build the prefix's MIME database (update-mime-database missing?)"
fi

# --- the manual page -------------------------------------------------------------------------
man1=$share/man/man1/varmelo-cli.1
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -E UTF-8 -l "$man1" 2>&1 >/dev/null || true)
[ -z "$warnings" ] && pass "man page renders cleanly" || fail "man page warnings: $warnings"
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E UTF-8 -l "$man1" 2>/dev/null | sed 's/‐/-/g; s/−/-/g' | tr -s ' ')
while IFS= read -r line; do
  usage="varmelo-cli $(echo "$line" | tr -s ' ' | sed 's/^ //')"
  grep -qF -- "$usage" <<<"$rendered" && pass "man: $usage" || fail "the man page lacks: $usage"
done < <("$prefix/bin/varmelo-cli" --help | grep -E '^  [a-z]')

# --- the installed program -------------------------------------------------------------------
home=$work/home config=$work/config
mkdir -p "$home" "$config/varmelo" "$work/runtime"
chmod 700 "$work/runtime"
options=$'[Main]\nFirstRun=0\nMenuStyle=0\n'
if [ -e "$share/varmelo/lang/English.lng" ]; then options+=$'Language=English.lng\n'; fi
printf '%s' "$options" >"$config/varmelo/options.ini"
shot=${VARMELO_INSTALL_SCREENSHOT:-$work/window.png}
rm -f "$shot"
if env HOME="$home" XDG_CONFIG_HOME="$config" XDG_DATA_HOME="$work/data" XDG_DATA_DIRS="$share" \
       XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL= LC_MESSAGES= \
       VARMELO_SCREENSHOT="$shot" VARMELO_SCREENSHOT_DELAY=1000 \
       timeout 60 "$prefix/bin/varmelo" "$sample" >"$work/run.log" 2>&1 &&
   file -b "$shot" | grep -q '^PNG image data'; then
  pass "the installed program opened the sample archive"
else
  cat "$work/run.log" >&2
  fail "the installed program did not start and show its window"
fi
# Settings live in the configuration folder, never beside the installed program (even for
# root, who may write there).
for f in options.ini actdata.dat; do
  [ ! -e "$prefix/bin/$f" ] || fail "$f was written into the installed bin folder"
done
grep -qF "$sample" "$config/varmelo/options.ini" && pass "options.ini kept in the configuration folder" ||
  fail "the opened archive was not noted in $config/varmelo/options.ini"

if [ "$failures" -ne 0 ]; then
  echo "install_test: $failures failed" >&2
  exit 1
fi
echo "install_test: all passed"
