#!/usr/bin/env bash
# Pictures of the editor's windows, for anyone who wants to look at them
# without a keyboard backup at hand: the language dialog, then the main window
# with the demo backup set and archive loaded and the entry editor on its first
# entry, in English and in German. Runs under Xvfb with settings of its own, so
# the user's settings and a running editor are left alone.
#
#   scripts/screenshot.sh [BUILD_DIR] [OUT_DIR]      (defaults: build, screenshots)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/screenshots}
exe=$build/tessaro
mdb=$root/examples/Demo.buf/MDB.bup
archive=$root/examples/Demo.mdx

[[ -x $exe ]] || { echo "screenshot.sh: $exe not built (make build)" >&2; exit 1; }
for f in "$mdb" "$archive"; do
    [[ -f $f ]] || { echo "screenshot.sh: $f missing (make examples)" >&2; exit 1; }
done
command -v xvfb-run >/dev/null || { echo "screenshot.sh: xvfb-run missing (make deps)" >&2; exit 1; }

mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

# One run per language. The first has no stored language, so the language
# dialog comes up and is photographed and answered with English.
run() {
    XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
        xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -dpi 96" \
        "$exe" --screenshot-dir "$out" --open-mdb "$mdb" --open-archive "$archive"
}

run
# Both option settings of the first run stay; only the language changes.
sed -i 's/^Language=.*/Language=G/' "$config/Larchmont/Tessaro.conf"
run

echo "screenshots in $out"
