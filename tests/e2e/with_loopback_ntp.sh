#!/usr/bin/env bash
# Runs a command while NTP peers listen on loopback, for the time-server scenarios:
#   127.0.0.1:123  chronyd serving this machine's time (-x: it never touches the system clock)
#   127.0.0.2:123  a UDP listener that never answers
#   127.0.0.3:123  a scripted hostile server; to its n-th request it answers with
#                  1: 47 bytes; 2: nothing, while 10,000 datagrams come from 127.0.0.4:123;
#                  3: a year-2030 reply, 3.6 seconds late; 4 and later: 2020-01-01 00:00:00 UTC
#                  (echoing the request's transmit time as its originate time, as servers do).
#                  With MDX_NTP_AHEAD=1 it is instead a good server whose clock runs exactly one
#                  hour ahead of this machine's (receive and transmit times read when they happen).
# One run at a time on this machine (port 123, and the program binds port 1024). Both peers run
# without CAP_SYS_TIME; afterwards the system clock is checked against the monotonic clock.
#   with_loopback_ntp.sh <command...>
set -uo pipefail

exec 7>/tmp/mdx-loopback-ntp.lock
flock 7

source "$(dirname "$0")/background_jobs.sh" ntp

# Wall clock minus monotonic clock, in milliseconds: constant unless someone sets the clock.
clock_offset() {
  python3 -c 'import time; print(int((time.time() - time.monotonic()) * 1000))'
}

cat >"$dir/chrony.conf" <<CONF
port 123
bindaddress 127.0.0.1
allow 127.0.0.1
local stratum 8
cmdport 0
bindcmdaddress /
pidfile $dir/chronyd.pid
driftfile $dir/chrony.drift
CONF
start_job "${nosystime[@]}" /usr/sbin/chronyd -f "$dir/chrony.conf" -x -d -u root -4 >"$dir/chronyd.log" 2>&1 7>&-

start_job "${nosystime[@]}" python3 -c '
import socket, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.2", 123))
time.sleep(3600)
' 7>&-

start_job "${nosystime[@]}" python3 -c '
import os, socket, struct, time
def reply(ntp_seconds, originate=bytes(8)):
    return bytes([0x24, 2]) + bytes(22) + originate + bytes(8) + struct.pack(">II", ntp_seconds, 0)
def stamp(t):
    return struct.pack(">II", int(t) + 2208988800, int((t % 1) * 2**32))
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.3", 123))
other = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
other.bind(("127.0.0.4", 123))
ahead = os.environ.get("MDX_NTP_AHEAD") == "1"
n = 0
while True:
    request, client = s.recvfrom(512)
    received = time.time() + 3600
    to = ("127.0.0.1", client[1])
    n += 1
    if ahead:
        head = bytes([0x24, 2]) + bytes(22) + request[40:48]
        s.sendto(head + stamp(received) + stamp(time.time() + 3600), to)
    elif n == 1:
        s.sendto(reply(3786825600)[:47], to)
    elif n == 2:
        for _ in range(10000):
            other.sendto(reply(4102444800), to)
    elif n == 3:
        time.sleep(3.6)
        s.sendto(reply(4102444800), to)
    else:
        s.sendto(reply(3786825600, request[40:48]), to)
' 7>&-

# Wait until chrony answers with a synchronised reply and the listener holds its port.
python3 - <<'PY' || { echo "chronyd did not answer on 127.0.0.1:123"; cat "$dir/chronyd.log"; exit 1; }
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.settimeout(0.2)
for _ in range(50):
    s.sendto(bytes([0x0B]) + bytes(47), ("127.0.0.1", 123))
    try:
        data = s.recv(64)
        if len(data) >= 48 and data[0] >> 6 != 3:
            sys.exit(0)
    except socket.timeout:
        pass
sys.exit(1)
PY
for _ in $(seq 50); do
  awk '$2 == "0200007F:007B" { a = 1 } $2 == "0300007F:007B" { b = 1 } END { exit !(a && b) }' /proc/net/udp && break
  sleep 0.1
done

before=$(clock_offset)
echo "host clock before: $(date -u '+%F %T.%N')"
# The lock stays with this script: programs that outlive the run (wineserver) must not hold it.
"$@" 7>&-
rc=$?
echo "host clock after:  $(date -u '+%F %T.%N')"
after=$(clock_offset)
moved=$((after - before))
if (( moved > 1000 || moved < -1000 )); then
  echo "the host clock moved by ${moved} ms during the run"
  rc=1
fi
exit $rc
