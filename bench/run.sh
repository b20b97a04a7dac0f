#!/usr/bin/env bash
# The benchmark: the real timer beside two references, the minimal Qt window
# (the floor any Qt program pays) and GNOME Clocks, alternating in one run
# under Xvfb; then the voice path through SDL's disk driver and through a
# PulseAudio server with a null sink.
#   bench/run.sh [RUNS]      (IDLE_SECONDS=60 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-5}
IDLE_SECONDS=${IDLE_SECONDS:-60}

if [ -z "${VANTOLI_BENCH_SESSION:-}" ]; then
  tools/install-deps.sh test
  need=()
  for p in gnome-clocks dbus-daemon dbus-x11 pulseaudio pulseaudio-utils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || need+=("$p")
  done
  if [ ${#need[@]} -gt 0 ]; then
    sudo=(); [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
  fi
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target vantoli-timer floor_window voice_bench >/dev/null
  export VANTOLI_BENCH_SESSION=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash "$0" "$@"
fi

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
results=$(mktemp)
trap 'kill $wm 2>/dev/null || true; rm -f "$results" "$results".*' EXIT

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# Per thread: id, on-CPU nanoseconds, context switches. Threads come and go
# (Qt's pool threads expire after 30 idle seconds), so deltas are taken per
# thread and a thread that ended counts only until its last reading.
per_thread() {
  for t in /proc/"$1"/task/*; do
    [ -r "$t/schedstat" ] || continue
    echo "${t##*/} $(awk '{print $1}' "$t/schedstat" 2>/dev/null) $(awk '/ctxt_switches/ {s += $2} END {print s + 0}' "$t/status" 2>/dev/null)"
  done
}
delta() { # before-file after-file -> "cpu_ms switches"
  awk 'NR == FNR {c[$1] = $2; s[$1] = $3; next} {dc += $2 - c[$1]; ds += $3 - s[$1]} END {printf "%d %d", dc / 1000000, ds}' "$1" "$2"
}
field() { awk -v f="$2" '$1 == f {print $2}' "/proc/$1/$3"; }

measure() { # name, command...
  local name=$1; shift
  local start pid mapped
  start=$(now_ms)
  "$@" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "$name ended early" >&2; return 1; }
    if [ $(( $(now_ms) - start )) -gt 30000 ]; then echo "$name: no window" >&2; kill "$pid"; return 1; fi
  done
  mapped=$(now_ms)
  sleep 5
  local rss pss
  rss=$(field "$pid" Rss: smaps_rollup)
  pss=$(field "$pid" Pss: smaps_rollup)
  per_thread "$pid" > "$results.before"
  sleep "$IDLE_SECONDS"
  per_thread "$pid" > "$results.after"
  local threads audio
  threads=$(field "$pid" Threads: status)
  audio=$(cat /proc/"$pid"/task/*/comm | grep -ciE 'audio|sdl' || true)
  echo "$name $((mapped - start)) $rss $pss $(delta "$results.before" "$results.after") $threads $audio" >> "$results"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  sleep 1
}

echo "Footprint: $RUNS runs of each, alternating, ${IDLE_SECONDS}s idle each"
for run in $(seq "$RUNS"); do
  measure timer build/vantoli-timer
  measure floor build/bench/floor_window
  measure cjk-floor build/bench/floor_window cjk
  measure clocks gnome-clocks
  echo "  run $run done"
done

python3 - "$results" "$IDLE_SECONDS" <<'PY'
import statistics, sys
rows = [l.split() for l in open(sys.argv[1])]
idle = sys.argv[2]
names = ["timer", "floor", "cjk-floor", "clocks"]
cols = [("start-up to first mapped window", "ms", 1), ("RSS 5 s after the window", "MiB", 2),
        ("PSS 5 s after the window", "MiB", 3), (f"CPU over {idle} s idle", "ms", 4),
        (f"context switches over {idle} s", "", 5), ("threads while idle", "", 6),
        ("audio threads while idle", "", 7)]
def fmt(v, unit):
    return f"{v / 1024:.1f}" if unit == "MiB" else f"{v:g}"
med = {}
print(f"| figure | {' | '.join(names)} |")
print("|---|" + "---|" * len(names))
for title, unit, i in cols:
    cells = []
    for n in names:
        vals = [float(r[i]) for r in rows if r[0] == n]
        if not vals:
            cells.append("-"); continue
        m = statistics.median(vals)
        med[(n, i)] = m
        cells.append(f"{fmt(m, unit)} ({fmt(min(vals), unit)}–{fmt(max(vals), unit)})")
    print(f"| {title}{' (' + unit + ')' if unit else ''} | {' | '.join(cells)} |")
if ("floor", 1) in med and ("timer", 1) in med:
    print(f"\nstart-up timer/floor: {med[('timer', 1)] / med[('floor', 1)]:.2f} (target <= 1.5); "
          f"RSS timer/floor: {med[('timer', 2)] / med[('floor', 2)]:.2f} (target <= 1.3); "
          f"timer idle CPU: {med[('timer', 4)]:g} ms (target <= 20 per 60 s)")
PY

echo
echo "Voice path, SDL disk driver:"
SDL_AUDIODRIVER=disk build/bench/voice_bench 2>/dev/null
echo
echo "Voice path, PulseAudio null sink recorded from its monitor:"
export PULSE_RUNTIME_PATH=$(mktemp -d)
pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
  --load="module-null-sink sink_name=bench rate=48000 channels=2" \
  --load="module-native-protocol-unix" >/dev/null 2>&1 &
pa=$!
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink bench
SDL_AUDIODRIVER=pulseaudio build/bench/voice_bench --pulse bench.monitor 2>/dev/null || echo "pulse run failed"
kill $pa 2>/dev/null || true
