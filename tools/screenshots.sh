#!/usr/bin/env bash
# Pictures of every window of the desktop utility in every language of its
# language file (Simplified Chinese 2052, Traditional Chinese 1028, English
# 1033), taken under a virtual X server against virtual printers.
#   bash tools/screenshots.sh [DIR]     (default: build/screenshots)
# Writes DIR/<language>/<window>.png and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
cmake --preset default >/dev/null
cmake --build --preset default --target ravo_window_gallery_pictures ravo-printer-sim >/dev/null
gallery=build/default/utility/windows/tests/ravo_window_gallery
[[ -x $gallery ]] || { echo "screenshots.sh: $gallery was not built (RAVO_TEST off?)" >&2; exit 1; }
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x1024x24" "$gallery" "$out" >"$out/gallery.log" 2>&1 || {
  echo "screenshots.sh: some pictures are missing; see $out/gallery.log" >&2
  exit 1
}
find "$out" -name '*.png' | sort
