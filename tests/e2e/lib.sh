# Shared by the end-to-end scripts: a fresh X display with a window manager,
# a scratch folder, a stub browser, and helpers. Needs VANTOLI_EXE and
# CAPTURE_CLIPS; screenshots go to E2E_OUT.
set -euo pipefail

if [ -z "${VANTOLI_E2E_DISPLAY:-}" ]; then
  export VANTOLI_E2E_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

: "${VANTOLI_EXE:?}" "${CAPTURE_CLIPS:?}"
E2E_OUT=${E2E_OUT:-$PWD}
mkdir -p "$E2E_OUT"
WORK=$(mktemp -d)
TITLE='Vantoli语音定时器'
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
# A window mapped before the manager is up can stay unmapped.
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

# A browser that only writes down what it was asked to open.
mkdir -p "$WORK/bin"
cat > "$WORK/bin/xdg-open" <<STUB
#!/bin/sh
echo "\$@" >> "$WORK/opened"
STUB
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
export QT_QPA_PLATFORM=xcb
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION

fail() { echo "FAIL: $*" >&2; exit 1; }

# The timer's main window, if shown (the tray icon carries the same name).
main_window() {
  for w in $(xdotool search --onlyvisible --name "$TITLE" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
    if [ "${WIDTH:-0}" -ge 200 ]; then echo "$w"; return 0; fi
  done
  return 1
}

# Waits for the main window to be mapped; prints its id.
wait_window() {
  local end=$(( $(date +%s) + ${1:-20} ))
  while [ "$(date +%s)" -le "$end" ]; do
    main_window && return 0
    sleep 0.1
  done
  return 1
}

# The process's small windows: its tray icon.
tray_icon() {
  for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
    if [ "${WIDTH:-999}" -lt 100 ]; then echo "$w"; return 0; fi
  done
  return 1
}

screenshot() { import -window root "$E2E_OUT/$1"; }

# Waits for a process to end and checks its exit code.
expect_exit_zero() {
  local pid=$1 rc=0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the timer did not end"
  wait "$pid" || rc=$?
  [ "$rc" -eq 0 ] || fail "exit code $rc"
}

opened_count() { [ -f "$WORK/opened" ] && wc -l < "$WORK/opened" || echo 0; }
