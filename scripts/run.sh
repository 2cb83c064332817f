#!/usr/bin/env bash
# Builds everything, starts the virtual printer on a free loopback port and
# opens the desktop utility on it.  Arguments are passed on to the utility
# (for example --dealer, --language 1033, --screenshot DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: the utility needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  echo "run.sh: on a machine without one, run it under a virtual X server:" >&2
  echo "    xvfb-run -a bash scripts/run.sh" >&2
  exit 2
fi

build=build/default
sim=$build/sim/ravo-printer-sim
utility=$build/utility/RavoUtilityLabel
for program in "$sim" "$utility"; do
  [[ -x $program ]] || { echo "run.sh: $program was not built" >&2; exit 1; }
done

work=$(mktemp -d)
sim_pid=
cleanup() {
  [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A TQX printer with a serial number made in week 12 of 2025, 12345 counts
# of printed length and firmware 1.2.7.
mkdir "$work/state"
"$sim" --port 0 --state "$work/state" --model TQX58 --serial RV58A5120001 \
  --journey 12345 --firmware 1.2.7 >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
address=
for _ in $(seq 100); do
  address=$(sed -n 's/^listening \(127\.0\.0\.1:[0-9]*\)$/\1/p' "$work/sim.out")
  [[ -n $address ]] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.05
done
if [[ -z $address ]]; then
  echo "run.sh: the virtual printer did not start:" >&2
  cat "$work/sim.err" >&2
  exit 1
fi
echo "run.sh: virtual printer listening on $address (state in $work/state)"

# The shipped data files, with a printer list of the one virtual printer.
cp -r "$build/utility/files" "$work/files"
printf 'TQX58|NET|NET,%s\r\n' "$address" >"$work/files/PrinterList.txt"

"$utility" --files "$work/files" "$@"
