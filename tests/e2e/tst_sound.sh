#!/usr/bin/env bash
# Real sound: a PulseAudio server with a null sink, whose monitor is recorded while the first
# exercise is answered right and wrong. Each answer is heard once, in order, as one of its own
# folder's sounds; with Suoni off nothing is heard.
source "$(dirname "$0")/harness.sh"
e2e_skip_unless pulseaudio parec pactl
e2e_begin
DATA="$(dirname "$0")/../../data/suoni"

pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no \
  -L module-native-protocol-unix -L "module-null-sink sink_name=prova" \
  >"$E2E_TMP/pulse.log" 2>&1 &
E2E_PIDS+=($!)
e2e_until 100 eval 'pactl list short sinks 2>/dev/null | grep -q prova' ||
  { echo "FAIL: no sound server"; cat "$E2E_TMP/pulse.log"; exit 1; }

NEXT="512 640"
# Answers the exercise on screen with "Vero" and, when that was wrong, with "Falso"; appends R or
# W to ANSWERS for each, two seconds apart so that each sound ends before the next.
answer() {
  xdotool mousemove --sync 1000 300
  sleep 0.3
  local asleep
  asleep=$(e2e_pixel $NEXT)
  e2e_click 184 660
  sleep 2
  if [ "$(e2e_pixel $NEXT)" != "$asleep" ]; then ANSWERS+=R; return; fi
  ANSWERS+=W
  e2e_click 840 660
  sleep 2
  ANSWERS+=R
}

# Records the sink while the first exercise is answered until both kinds of answer were given.
record() { # output
  # A short latency: parec writes what it holds in larger pieces, and what it holds when stopped
  # is lost.
  parec -d prova.monitor --format=s16le --rate=8000 --channels=1 --raw --latency-msec=20 >"$1" &
  local rec=$!
  E2E_PIDS+=("$rec")
  e2e_click "$(bx 0)" "$(by 0)"
  ES=$(e2e_other_window "$E2E_PID" "$MENU")
  sleep 1
  ANSWERS=""
  # Each exercise is true or false by a coin: fourteen tries miss a wrong answer once in 16,000.
  for _ in $(seq 14); do
    answer
    [[ "$ANSWERS" == *W* ]] && break
    e2e_click $NEXT
    sleep 0.5
  done
  sleep 0.5
  kill "$rec"; wait "$rec" 2>/dev/null
}

# Which sounds the recording holds, in order: "si" or "no" for each, by the loudness envelope of
# the shipped sound that fits it best ("-cut" added when it was not heard to its end); or
# "silence".
heard() { # recording
  python3 - "$1" "$DATA" <<'PY'
import array, glob, math, os, sys, wave

STEP = 0.02  # seconds per loudness sample

def envelope(samples, rate):
    n = int(rate * STEP)
    return [math.sqrt(sum(s * s for s in samples[i:i + n]) / n) for i in range(0, len(samples) - n, n)]

def read_wav(path):
    with wave.open(path) as w:
        raw = w.readframes(w.getnframes())
        rate, ch, width = w.getframerate(), w.getnchannels(), w.getsampwidth()
    assert width == 2
    s = array.array('h', raw)
    return envelope(s[::ch], rate)

rec = array.array('h', open(sys.argv[1], 'rb').read())
env = envelope(rec, 8000)
loud = [e > 300 for e in env]
# Runs of sound, joined across gaps of a quarter second (pauses between words).
runs, start, quiet = [], None, 0
for i, on in enumerate(loud + [False] * 20):
    if on:
        if start is None:
            start = i
        quiet, end = 0, i
    elif start is not None:
        quiet += 1
        if quiet > 12:
            runs.append((start, end + 1))
            start = None
if not runs:
    print("silence")
    sys.exit()

refs = {p: read_wav(p) for p in glob.glob(os.path.join(sys.argv[2], '[sn][io]', '*.wav'))}

def distance(seg, ref):
    # Both envelopes scaled to their own peak; compared over the longer length.
    a, b = max(seg) or 1, max(ref) or 1
    seg = [x / a for x in seg]; ref = [x / b for x in ref]
    best = None
    for shift in range(-5, 6):  # the sound's own leading quiet, give or take
        d, n = 0.0, max(len(seg), len(ref) - max(shift, 0))
        for i in range(n):
            j = i + shift
            x = seg[i] if i < len(seg) else 0.0
            y = ref[j] if 0 <= j < len(ref) else 0.0
            d += (x - y) ** 2
        best = d / n if best is None else min(best, d / n)
    return best

out = []
for s, e in runs:
    seg = env[s:e]
    # The reference trimmed of its quiet edges, as the recording's run is.
    def trim(r):
        on = [i for i, x in enumerate(r) if x > max(r) * 0.05]
        return r[on[0]:on[-1] + 1] if on else r
    best = min(refs, key=lambda p: distance(seg, trim(refs[p])))
    name = os.path.basename(os.path.dirname(best))
    # Heard whole: as long as its file, within three loudness samples.
    out.append(name if abs(len(seg) - len(trim(refs[best]))) <= 3 else name + "-cut")
print(" ".join(out))
PY
}
expected() { sed 's/R/si /g; s/W/no /g; s/ $//' <<<"$1"; }

e2e_menu 0 4
record "$E2E_TMP/on.raw"
e2e_check "answers were given both right and wrong ($ANSWERS)" eval '[[ "$ANSWERS" == *R*W* || "$ANSWERS" == W* ]]'
got=$(heard "$E2E_TMP/on.raw")
e2e_check "each answer's sound is heard, in order (heard: $got)" test "$got" = "$(expected "$ANSWERS")"
e2e_stop

# Suoni off (the eighth line of the profile).
e2e_profile 0 4
sed -i '8s/True/False/' "$HOME/.local/share/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.INI"
e2e_start
avvio=$(e2e_wait_window "$E2E_PID" 1024x768)
e2e_leave_start "$avvio"
record "$E2E_TMP/off.raw"
e2e_check "with Suoni off nothing is heard" test "$(heard "$E2E_TMP/off.raw")" = silence
e2e_stop

# Sentences read aloud, sounds off: opening the first exercise is heard, through the desktop's
# speech service, as the program's own sounds never are.
if command -v speech-dispatcher >/dev/null && command -v espeak-ng >/dev/null; then
  E2E_ACCESS="[Speech]\r\nReadSentences=1\r\n" e2e_profile 0 4
  sed -i '8s/True/False/' "$HOME/.local/share/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.INI"
  e2e_start
  e2e_leave_start "$(e2e_wait_window "$E2E_PID" 1024x768)"
  parec -d prova.monitor --format=s16le --rate=8000 --channels=1 --raw --latency-msec=20 >"$E2E_TMP/voice.raw" &
  rec=$!
  E2E_PIDS+=("$rec")
  e2e_click "$(bx 0)" "$(by 0)"
  sleep 6
  kill "$rec"; wait "$rec" 2>/dev/null
  e2e_check "the question is read aloud" test "$(heard "$E2E_TMP/voice.raw")" != silence
  pkill -f "speech-dispatcher.*$XDG_RUNTIME_DIR" 2>/dev/null
else
  echo "SKIP: no speech-dispatcher or espeak-ng: the question read aloud is not tried"
fi
e2e_finish
