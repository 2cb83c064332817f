#!/usr/bin/env bash
# Pictures of the utility's main window and printer-information window,
# taken under a virtual X server against the virtual printer.
#   bash tools/screenshots.sh [DIR]     (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/run.sh --language 1033 --screenshot "$out"
for name in main-window printer-information; do
  [[ -s $out/$name.png ]] || { echo "screenshots.sh: $out/$name.png missing" >&2; exit 1; }
  echo "$out/$name.png"
done
