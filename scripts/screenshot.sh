#!/usr/bin/env bash
# Pictures of the editor's windows, for anyone who wants to look at them
# without a keyboard backup at hand: the language dialog, then the main window
# with the demo backup set, its flash styles and the archive loaded, the small
# dialogs, a file dialog, the entry editor on its first entry (also with a
# voice list and a context menu open) and the list of Compare panes beside the
# window with a line chosen, and the modern layout with the same files (also
# in the Fusion style with a dark palette, with its MDB pane filtered, and
# with the list in its Tool results panel), in English and in German. Runs
# under Xvfb with settings of its own, so the user's settings and a running
# editor are left alone.
#
#   scripts/screenshot.sh [BUILD_DIR] [OUT_DIR]      (defaults: build, screenshots)
#
# SCALES="1 1.5 2" takes the pictures at each of these scale factors
# (QT_SCALE_FACTOR); those of a scale other than 1 go to OUT_DIR/scale-<n>.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/screenshots}
scales=${SCALES:-1}
exe=$build/tessaro-screenshots
mdb=$root/examples/Demo.buf/MDB.bup
styles=$root/examples/Demo.buf/STYLES.bup
archive=$root/examples/Demo.mdx

[[ -x $exe ]] || { echo "screenshot.sh: $exe not built (make screenshots builds it)" >&2; exit 1; }
for f in "$mdb" "$styles" "$archive"; do
    [[ -f $f ]] || { echo "screenshot.sh: $f missing (make examples)" >&2; exit 1; }
done
command -v xvfb-run >/dev/null || { echo "screenshot.sh: xvfb-run missing (make deps)" >&2; exit 1; }

# One run per language and scale. The first run of a scale has no stored
# language, so the language dialog comes up and is photographed and answered
# with English.
run() { # scale, folder
    local width height
    width=$(awk -v s="$1" 'BEGIN { printf "%d", 1280 * s }')
    height=$(awk -v s="$1" 'BEGIN { printf "%d", 1024 * s }')
    XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$1 \
        xvfb-run --auto-servernum --server-args="-screen 0 ${width}x${height}x24 -dpi 96" \
        "$exe" --screenshot-dir "$2" --open-mdb "$mdb" --open-archive "$archive" \
        --flash-style-file "$styles"
}

for scale in $scales; do
    folder=$out
    [[ $scale == 1 ]] || folder=$out/scale-$scale
    mkdir -p "$folder"
    config=$(mktemp -d)
    trap 'rm -rf "$config"' EXIT
    run "$scale" "$folder"
    # Both option settings of the first run stay; only the language changes.
    sed -i 's/^Language=.*/Language=G/' "$config/Larchmont/Tessaro.conf"
    run "$scale" "$folder"
    rm -rf "$config"
done

echo "screenshots in $out"
