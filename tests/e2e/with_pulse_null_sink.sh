#!/usr/bin/env bash
# Runs a command with a private PulseAudio server whose only output is a null sink, and records
# everything played into that sink, for the sound scenarios:
#   with_pulse_null_sink.sh <output dir> <command...>
# The recording is left as <output dir>/sink-monitor.wav. When WINEPREFIX is set, the prefix is
# switched to Wine's PulseAudio driver first, so that winmm plays into the null sink.
# If the command leaves <output dir>/expected-chimes.txt holding a number N, the recording must
# hold exactly N separate stretches of sound, each matching libs/sound/chime.wav in length and
# loudness contour at full level; the measurement is written to <output dir>/sound-measure.txt.
# Only the server and the recorder started here are stopped afterwards.
set -uo pipefail
out=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
reference=$here/../../libs/sound/chime.wav
recording=$out/sink-monitor.wav

source "$here/background_jobs.sh" pulse

# measure_chimes <recording> <reference> <count>: both are decoded by sox to 8 kHz mono and cut
# into 50 ms windows. A stretch is a run of windows above -60 dBFS (the null sink is digital
# silence when nothing plays), gaps under half a second bridged. Each stretch must last as long
# as the reference's (0.3 s shorter at most; 0.5 s longer at most, as Wine's PulseAudio output
# now and then sends a stray fragment of up to 150 ms about 0.1 s after a sound ends), follow
# its loudness contour (correlation of the window levels over the chime's length at least 0.95,
# best of a few windows' shift) and be as loud (mean level within 3 dB).
measure_chimes() {
  python3 - "$@" <<'PY'
import array, math, subprocess, sys

recording, reference, count = sys.argv[1], sys.argv[2], int(sys.argv[3] or -1)
RATE, WINDOW = 8000, 400
THRESHOLD = 10 ** (-60 / 20)

def levels(path):
    raw = subprocess.run(["sox", "-D", path, "-t", "raw", "-r", str(RATE), "-c", "1", "-e", "signed",
                          "-b", "16", "-"], capture_output=True, check=True).stdout
    s = array.array("h")
    s.frombytes(raw[: len(raw) // 2 * 2])
    return [math.sqrt(sum(x * x for x in s[i:i + WINDOW]) / WINDOW) / 32768
            for i in range(0, len(s) - WINDOW + 1, WINDOW)]

def stretches(env):
    found, start, quiet = [], None, 0
    for i, e in enumerate(env + [0.0] * 11):
        if e > THRESHOLD:
            if start is None:
                start = i
            quiet = 0
        elif start is not None:
            quiet += 1
            if quiet > 10:
                found.append((start, i - quiet + 1))
                start = None
    return found

def correlation(a, b):
    n = min(len(a), len(b))
    a, b = a[:n], b[:n]
    ma, mb = sum(a) / n, sum(b) / n
    va = sum((x - ma) ** 2 for x in a)
    vb = sum((y - mb) ** 2 for y in b)
    if va == 0 or vb == 0:
        return 0.0
    return sum((x - ma) * (y - mb) for x, y in zip(a, b)) / math.sqrt(va * vb)

def db(x):
    return 20 * math.log10(x) if x > 0 else -120.0

ref = levels(reference)
ref_start, ref_end = stretches(ref)[0]
ref_env = ref[ref_start:ref_end]
ref_mean = sum(ref_env) / len(ref_env)
rec = levels(recording)
secs = WINDOW / RATE
print(f"recording: {len(rec) * secs:.2f} s; reference chime: {len(ref_env) * secs:.2f} s of sound,"
      f" mean level {db(ref_mean):.1f} dBFS")
ok = True
found = stretches(rec)
for n, (start, end) in enumerate(found, 1):
    env = rec[start:end]
    mean = sum(env) / len(env)
    corr = max(correlation(rec[max(0, start + shift):], ref_env) for shift in range(-4, 5))
    length_ok = -6 <= len(env) - len(ref_env) <= 10
    level_ok = abs(db(mean) - db(ref_mean)) <= 3
    good = length_ok and level_ok and corr >= 0.95
    ok = ok and good
    print(f"sound {n}: from {start * secs:.2f} s for {len(env) * secs:.2f} s, level {db(mean) - db(ref_mean):+.1f} dB"
          f" against the chime, contour correlation {corr:.3f}: {'the chime' if good else 'NOT the chime'}")
if len(found) != count:
    ok = False
    print(f"expected {count} chimes, heard {len(found)} separate sounds")
print("audible chimes: " + ("as expected" if ok else "FAILED"))
sys.exit(0 if ok else 1)
PY
}

# Everything of the server and its clients stays under $dir: runtime directory, socket, state,
# and a client configuration that never starts a server of its own.
mkdir -p "$dir/runtime" "$dir/state"
printf 'autospawn = no\n' >"$dir/client.conf"
export XDG_RUNTIME_DIR=$dir/runtime PULSE_RUNTIME_PATH=$dir/runtime PULSE_STATE_PATH=$dir/state
export PULSE_SERVER=unix:$dir/native PULSE_CLIENTCONFIG=$dir/client.conf PULSE_COOKIE=$dir/cookie
# -n: no default script, only the two modules named; the null sink is the only sink and so the
# default one. Run as root it warns that it is not meant for root; that is expected here.
start_job "${nosystime[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-module-loading=no \
  --log-target=stderr \
  -L "module-null-sink sink_name=mdx rate=44100 channels=2" \
  -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
  >"$dir/pulseaudio.log" 2>&1
pulse_pid=$!
ready=0
for _ in $(seq 100); do
  if pactl info >/dev/null 2>&1; then ready=1; break; fi
  kill -0 "$pulse_pid" 2>/dev/null || break
  sleep 0.1
done
if (( !ready )); then
  echo "PulseAudio did not start"
  cat "$dir/pulseaudio.log"
  exit 1
fi
pactl set-default-sink mdx >/dev/null

# The recorder gets data only once its stream runs: wait for the first half second of it, so
# that nothing the command plays is missed.
rm -f "$recording"
start_job "${nosystime[@]}" parec -d mdx.monitor --latency-msec=20 --file-format=wav "$recording" >"$dir/parec.log" 2>&1
parec_pid=$!
recording_runs() { (( $(stat -c %s "$recording" 2>/dev/null || echo 0) > 44 + 88200 )); }
for _ in $(seq 100); do
  recording_runs && break
  sleep 0.05
done
if ! recording_runs; then
  echo "the null sink's monitor could not be recorded"
  cat "$dir/parec.log"
  exit 1
fi

if [ -n "${WINEPREFIX:-}" ]; then
  "${nosystime[@]}" wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f >/dev/null 2>&1 ||
    { echo "could not choose Wine's PulseAudio driver"; exit 1; }
fi

"$@"
rc=$?

# Let the last buffers of the sink reach the recorder, then close the file.
sleep 0.5
stop_job "$parec_pid"

expected=$out/expected-chimes.txt
if [ -f "$expected" ]; then
  measure_chimes "$recording" "$reference" "$(tr -dc 0-9 <"$expected")" >"$out/sound-measure.txt" || rc=1
  cat "$out/sound-measure.txt"
fi
exit $rc
