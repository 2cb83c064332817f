#!/usr/bin/env bash
# The installed packages as a user who has just been created uses them:
# run from tests/debian_packages/run.sh in that user's home, with only the
# installed programs on PATH.
set -euo pipefail
cd "$HOME"

step() { printf -- '-- %s\n' "$*"; }
fail() {
  echo "as_user: FAILED: $*" >&2
  exit 1
}

sim_pid=
trap '[[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null; wait 2>/dev/null' EXIT

step "ravo --help, man ravo, bash completion"
ravo --help | grep -q '^Usage: ravo COMMAND' || fail "ravo --help"
[[ $(man -w ravo) == /usr/share/man/man1/ravo.1* ]] || fail "man -w ravo"
MANPAGER=cat MANWIDTH=80 man ravo 2>/dev/null | grep -q 'service thermal label' || fail "man ravo"
for page in ravo-printer-sim RavoUtilityLabel ravo-raster; do
  man -w "$page" >/dev/null || fail "no manual page for $page"
done
if command -v ravo-printer-app >/dev/null; then
  ravo-printer-app --help 2>&1 | grep -q 'server' || fail "ravo-printer-app --help"
  man -w ravo-printer-app >/dev/null || fail "no manual page for ravo-printer-app"
fi
bash -c 'source /usr/share/bash-completion/bash_completion
         _completion_loader ravo
         COMP_WORDS=(ravo pr); COMP_CWORD=1; COMP_LINE="ravo pr"; COMP_POINT=7
         _ravo ravo pr ravo
         [[ " ${COMPREPLY[*]} " == *" printers "* ]]' || fail "bash completion of ravo"

step "the virtual printer"
mkdir -p printer
ravo-printer-sim --port 0 --state printer --model TQX58 --serial RV58A5120001 \
  --firmware 1.2.7 >sim.out 2>sim.err &
sim_pid=$!
address=
for _ in $(seq 100); do
  address=$(sed -n 's/^listening \(127\.0\.0\.1:[0-9]*\)$/\1/p' sim.out)
  [[ -n $address ]] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.05
done
[[ -n $address ]] || fail "ravo-printer-sim did not start: $(cat sim.err)"
port=NET,$address
ravo info --port "$port" --model TQX58 | grep -q 'RV58A5120001' || fail "ravo info"

list=$HOME/.local/share/ravo-utility/PrinterList.txt
step "the utility's first start"
xvfb-run -a -s "-screen 0 1024x768x24" RavoUtilityLabel --language 1033 --screenshot shots1 \
  2>utility1.err || fail "RavoUtilityLabel: $(cat utility1.err)"
for picture in main-window printer-information; do
  [[ -s shots1/$picture.png ]] || fail "no $picture.png"
done
# The per-user list was created, with the first printer type on USB.
[[ $(tr -d '\r' <"$list") == "TQX58|USB|USB" ]] || fail "first list: $(cat "$list")"
[[ $(stat -c %a "$(dirname "$list")") == 700 ]] || fail "the data directory is not private"

step "a printer added through the core"
ravo printers add TQX58 "$port" | grep -q Added || fail "ravo printers add"
ravo printers remove 1 >/dev/null || fail "ravo printers remove"
ravo printers list --json | grep -q "\"port\": \"$port\"" || fail "ravo printers list"

step "the utility's second start finds it"
# It selects the first row at start and asks that printer for its facts.
asked() { grep -ac ZZZGETJOURNEY printer/received.log || true; }
before=$(asked)
xvfb-run -a -s "-screen 0 1024x768x24" RavoUtilityLabel --language 1033 --screenshot shots2 \
  2>utility2.err || fail "RavoUtilityLabel: $(cat utility2.err)"
(($(asked) > before)) ||
  fail "the utility did not talk to the printer of the per-user list: $(cat utility2.err)"
grep -q "TQX58|NET|$port" "$list" || fail "the list lost the printer: $(cat "$list")"

step "programs built against the development package"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Werror -o tspl_label tspl_label.c $(pkg-config --cflags --libs heron)
# shellcheck disable=SC2046
cc -std=c99 -Wall -Werror -o cpcl_label cpcl_label.c $(pkg-config --cflags --libs pelican)
pkg-config --exists egret ravoio || fail "pkg-config egret ravoio"
./tspl_label "$port" TQX58 || fail "tspl_label"
for _ in $(seq 100); do
  [[ -s printer/label-0001.png ]] && break
  sleep 0.05
done
[[ -s printer/label-0001.png ]] || fail "the label printed by tspl_label was not rendered"
cmake -S find_package -B find_package/build -DCMAKE_BUILD_TYPE=Release >/dev/null ||
  fail "find_package(Heron) and find_package(Pelican)"
cmake --build find_package/build >/dev/null || fail "build with find_package"
find_package/build/heron_consumer >/dev/null || fail "heron_consumer"
find_package/build/pelican_consumer >/dev/null || fail "pelican_consumer"
echo "as_user: all checks passed"
