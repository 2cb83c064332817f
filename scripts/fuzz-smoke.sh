#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset) and runs each for a short
# while on its seed corpus: fuzz/corpus/<name>/ for fuzz/fuzz_<name>, and
# <component>/fuzz/corpus/ for <component>/fuzz targets.  New inputs go to a
# temporary folder, not into the repository.
#   scripts/fuzz-smoke.sh [seconds per target, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-20}
cmake --preset fuzz
cmake --build --preset fuzz
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
status=0
targets=(build/fuzz/fuzz/fuzz_* build/fuzz/sim/sim_parser_fuzz)
for target in "${targets[@]}"; do
  [[ -x $target && -f $target ]] || continue
  name=$(basename "$target")
  case $name in
    fuzz_*) seeds=fuzz/corpus/${name#fuzz_} ;;
    sim_parser_fuzz) seeds=sim/fuzz/corpus ;;
  esac
  mkdir -p "$WORK/$name"
  corpora=("$WORK/$name")
  [[ -d $seeds ]] && corpora+=("$seeds")
  echo "== $name for ${SECONDS_EACH}s"
  if ! "$target" -max_total_time="$SECONDS_EACH" -rss_limit_mb=512 -malloc_limit_mb=256 -timeout=10 \
      -artifact_prefix="$WORK/" "${corpora[@]}" >"$WORK/$name.log" 2>&1; then
    echo "$name failed:"; tail -n 40 "$WORK/$name.log"
    mkdir -p build/fuzz/crashes && cp -f "$WORK"/crash-* "$WORK"/leak-* "$WORK"/timeout-* build/fuzz/crashes/ 2>/dev/null || true
    status=1
  else
    grep -E "^Done|#[0-9]+.*DONE" "$WORK/$name.log" | tail -n 1 || true
  fi
done
exit $status
