#!/usr/bin/env bash
# Remakes every generated asset in data/ and the contact sheet docs/skins.png:
#   data/pdskins/Default*, data/pdskins/Midnight*   the two skins (pictures, colors.txt, descriptors, previews)
#   data/pdfiles/opt.jpg                            the options window's header
#   data/pdfiles/notify.wav                         the reminder chime
#   data/help/files/logo2.gif                       the logo of the about box and the help page
# The drawing is in tools/make_skins.cpp (colours: the Palette functions), the chime in tools/make_chime.cpp.
# Needs a configured build (scripts/build.sh) and ImageMagick's convert (Debian package imagemagick), which
# writes the GIF files: Qt reads GIF but cannot write it.
set -euo pipefail
cd "$(dirname "$0")/.."

command -v convert >/dev/null || { echo "make_assets: install ImageMagick first: sudo apt-get install imagemagick" >&2; exit 1; }
[ -d build ] || scripts/build.sh
cmake --build build --target make_skins make_chime >/dev/null

work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen build/make_skins pictures "$work"

# Pictures drawn for GIF come as "<name>.gif.png" with on/off transparency; everything else is final.
find "$work" -name '*.gif.png' -print0 | while IFS= read -r -d '' png; do
    convert "$png" +dither -colors 256 "${png%.png}"
    rm "$png"
done
mkdir -p data/pdskins data/pdfiles data/help/files
for skin in "$work"/pdskins/*/; do
    rm -rf "data/pdskins/$(basename "$skin")"
done
rm -rf "$XDG_RUNTIME_DIR"
cp -r "$work"/. data/
build/make_chime data/pdfiles/notify.wav

mkdir -p docs
QT_QPA_PLATFORM=offscreen build/make_skins sheet data docs/skins.png
echo "make_assets: wrote the skins, opt.jpg, logo2.gif, notify.wav and docs/skins.png"
