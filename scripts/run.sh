#!/usr/bin/env bash
# Builds the toolkit and prints a label to a local stand-in printer: a TCP
# listener on a free loopback port that shows what arrives.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

out=$(mktemp -d)
trap 'kill $listener 2>/dev/null || true; rm -rf "$out"' EXIT
/usr/bin/python3 - "$out" <<'PY' &
import socket, sys, os
out = sys.argv[1]
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(1)
open(os.path.join(out, "port"), "w").write(str(s.getsockname()[1]))
c, _ = s.accept(); data = b""
while chunk := c.recv(4096): data += chunk
open(os.path.join(out, "received"), "wb").write(data)
PY
listener=$!
for _ in $(seq 100); do [[ -s "$out/port" ]] && break; sleep 0.05; done
port=$(cat "$out/port")
./build/default/examples/raw_label "NET,127.0.0.1:$port" TQM
wait $listener
echo "--- the printer received:"
cat -A "$out/received"
