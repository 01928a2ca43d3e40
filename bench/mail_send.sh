#!/usr/bin/env bash
# One message with 20 MB of attachments (four 5 MB files) sent to a local SMTP server (Debian's
# aiosmtpd, discarding what it gets): Postlark's composer and socket layer under Wine
# (mail_send_bench.exe, timed inside the program) against Python's smtplib sending the same
# files as a message its email package composes, in the same run; the best of RUNS each. Prints
# ours / smtplib (target <= 1.5) and our peak working set over the attachments' size (target < 3).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
runs=${RUNS:-3}

. bench/bench_trees.sh
require_bench_wine
build_windows_bench_program mail_send_bench
program=$win/bin/mail_send_bench.exe

files=$top/build/bench-files/mail
rm -rf "$files"
mkdir -p "$files"

. tools/session.sh
server=
finish() {
  rm -rf "$files"
  [ -z "$server" ] || kill "$server"
  stop_session
}
trap finish EXIT
/usr/bin/python3 -c "
import os
for n in range(4):
    open('$files/picture%d.jpg' % n, 'wb').write(os.urandom(5 * 1024 * 1024))"

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -c "
import time
from aiosmtpd.controller import Controller
class Sink:
    async def handle_DATA(self, server, session, envelope):
        return '250 OK'
Controller(Sink(), hostname='127.0.0.1', port=$port, data_size_limit=0).start()
time.sleep(100000)" &
server=$!
/usr/bin/python3 -c "
import socket, time
while True:
    try:
        socket.create_connection(('127.0.0.1', $port)).close(); break
    except OSError: time.sleep(0.05)"

start_display
start_wine $win/wineprefix
trap finish EXIT  # the session's own trap stands in for ours otherwise
windows_files=()
for f in "$files"/*.jpg; do windows_files+=("Z:${f//\//\\}"); done
ours=$(tools/wine-run.sh $win/wineprefix "$program" "127.0.0.1:$port" "$runs" "${windows_files[@]}")

peer=$(/usr/bin/python3 - "$port" "$runs" "$files" <<'PY'
import glob, os, smtplib, sys, time
from email.message import EmailMessage
port, runs, folder = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
best = 1e9
for _ in range(runs):
    start = time.perf_counter()
    message = EmailMessage()
    message["From"], message["To"], message["Subject"] = "me@example.com", "ann@example.com", "Benchmark"
    message.set_content("Pictures")
    for path in sorted(glob.glob(os.path.join(folder, "*.jpg"))):
        with open(path, "rb") as f:
            message.add_attachment(f.read(), maintype="image", subtype="jpeg", filename=os.path.basename(path))
    with smtplib.SMTP("127.0.0.1", port) as client:
        client.send_message(message)
    best = min(best, time.perf_counter() - start)
print("%.3f" % best)
PY
)
seconds=$(sed -E 's/seconds ([0-9.]+).*/\1/' <<<"$ours")
peak=$(sed -E 's/.*peak_mb ([0-9.]+).*/\1/' <<<"$ours")
/usr/bin/python3 -c "
ours, peer, peak = $seconds, $peer, $peak
print('20 MB of attachments, best of $runs ($win_label):')
print('  Postlark %.3f s, smtplib %.3f s, ours / smtplib = %.2f (target <= 1.5)' % (ours, peer, ours / peer))
print('  peak working set %.1f MB = %.2f x the attachments (target < 3)' % (peak, peak / 20))"
