#!/usr/bin/env bash
# Whole-process timing of ravo-raster against Pillow's convert('1') on
# generated images: median wall time of alternating runs, their ratio and
# the peak resident memory of each.
#
#   bench/raster-vs-pillow.sh [path/to/ravo-raster] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
RASTER=${1:-build/default/tools/ravo-raster}
RUNS=${2:-7}
PY=/usr/bin/python3
[[ -x $RASTER ]] || { echo "build ravo-raster first ($RASTER)" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

echo "generating test images in $WORK ..."
"$PY" - "$WORK" <<'PYEOF'
import random, sys
from PIL import Image, ImageDraw, ImageFilter
out = sys.argv[1]
random.seed(4)

def photo(size, cells):
    # Smooth colour fields with grain, so the files compress like photos.
    small = Image.new("RGB", (cells, cells))
    small.putdata([tuple(random.randrange(256) for _ in range(3)) for _ in range(cells * cells)])
    base = small.resize((size, size), Image.BICUBIC)
    grain = Image.effect_noise((size, size), 24).convert("RGB")
    return Image.blend(base, grain, 0.18)

p = photo(2000, 24)
p.save(f"{out}/photo2000.png")
p.save(f"{out}/photo2000.jpg", quality=90)
logo = Image.new("RGB", (864, 1200), "white")
d = ImageDraw.Draw(logo)
for i in range(12):
    d.ellipse((40 + i * 30, 60 + i * 40, 420 + i * 30, 440 + i * 40), outline=(0, 0, 0), width=9)
d.rectangle((60, 820, 800, 1140), fill=(30, 30, 30))
d.rectangle((120, 880, 740, 1080), fill=(200, 40, 40))
for i in range(40):
    d.text((70 + (i % 8) * 90, 520 + (i // 8) * 50), "RAVO", fill=(0, 0, 0))
logo.save(f"{out}/logo864x1200.png")
photo(8000, 64).save(f"{out}/photo8000.png", compress_level=6)
PYEOF

# run_timed CMD...: wall time (µs), peak RSS (KiB) and CPU time (µs) of one run.
run_timed() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -v "$@" 2>"$WORK/time.txt" >/dev/null
  end=$(date +%s%N)
  local rss cpu
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$WORK/time.txt")
  cpu=$(awk -F': ' '/(User|System) time/ {s += $2} END {printf "%d", s * 1000000}' "$WORK/time.txt")
  echo "$(( (end - start) / 1000 )) $rss $cpu"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

pillow=("$PY" -c "import sys; from PIL import Image; Image.open(sys.argv[1]).convert('1').tobytes()")

compare() {
  local image=$1 ours=() theirs=() ours_rss=0 theirs_rss=0 t rss cpu
  for ((i = 0; i < RUNS; i++)); do
    read -r t rss cpu < <(run_timed "$RASTER" "$image" "$WORK/out.pbm")
    ours+=("$t"); ((rss > ours_rss)) && ours_rss=$rss
    read -r t rss cpu < <(run_timed "${pillow[@]}" "$image")
    theirs+=("$t"); ((rss > theirs_rss)) && theirs_rss=$rss
  done
  local mo mt
  mo=$(printf '%s\n' "${ours[@]}" | median)
  mt=$(printf '%s\n' "${theirs[@]}" | median)
  awk -v n="$(basename "$image")" -v mo="$mo" -v mt="$mt" -v ro="$ours_rss" -v rt="$theirs_rss" \
    'BEGIN {printf "%-18s ravo %8.1f ms  pillow %8.1f ms  ratio %.3f  peak ravo %6.1f MiB  pillow %7.1f MiB\n",
            n, mo / 1000, mt / 1000, mo / mt, ro / 1024, rt / 1024}'
}

# Wall time shows what the second thread hides; CPU time shows the work.
decode_overhead() {
  local image=$1 full=() dec=() fullcpu=() deccpu=() t rss cpu
  for ((i = 0; i < RUNS; i++)); do
    read -r t rss cpu < <(run_timed "$RASTER" "$image" "$WORK/out.pbm"); full+=("$t"); fullcpu+=("$cpu")
    read -r t rss cpu < <(run_timed "$RASTER" --decode-only "$image"); dec+=("$t"); deccpu+=("$cpu")
  done
  local mf md cf cd
  mf=$(printf '%s\n' "${full[@]}" | median)
  md=$(printf '%s\n' "${dec[@]}" | median)
  cf=$(printf '%s\n' "${fullcpu[@]}" | median)
  cd=$(printf '%s\n' "${deccpu[@]}" | median)
  awk -v n="$(basename "$image")" -v mf="$mf" -v md="$md" -v cf="$cf" -v cd="$cd" \
    'BEGIN {printf "%-18s decode only %8.1f ms  rasterize %8.1f ms  dithering overhead %+.1f%% (wall)\n",
            n, md / 1000, mf / 1000, (mf / md - 1) * 100;
            printf "%-18s decode only %8.1f ms  rasterize %8.1f ms  CPU time, both threads\n", "", cd / 1000, cf / 1000}'
}

echo "median of $RUNS alternating runs; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for image in photo2000.png photo2000.jpg logo864x1200.png photo8000.png; do
  compare "$WORK/$image"
done
decode_overhead "$WORK/photo8000.png"
