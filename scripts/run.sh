#!/usr/bin/env bash
# Starts the program on the bundled sample archive, or on the archive given.
set -euo pipefail
build=$1
archive=${2:-}
[ -n "$archive" ] || archive="$build/samples/sample.img"
if [ -x "$build/varmelo" ]; then
  exec "$build/varmelo" "$archive"
fi
exec "$build/varmelo-cli" list "$archive"
