#!/usr/bin/env bash
# The process clock starts at 13:59:30; the chime's first tick, a minute
# after start, falls in minute 0 of 14:00 and speaks "现在时刻 二 点 整".
source "$(dirname "$0")/lib.sh"

capture=$WORK/capture.raw
start=$(date +%s)
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture FAKETIME_DONT_FAKE_MONOTONIC=1 \
  faketime -f "@2026-12-11 13:59:30" "$VANTOLI_EXE" &
pid=$!
wait_window >/dev/null || fail "no window"

opened_at=""
for _ in $(seq 90); do
  [ -z "$opened_at" ] && [ -f "$capture" ] && opened_at=$(( $(date +%s) - start ))
  # The phrase lasts a few seconds; the device closes when it has been idle.
  if [ -n "$opened_at" ] && [ "$("$CAPTURE_CLIPS" "$capture" | wc -l)" -ge 7 ]; then break; fi
  sleep 1
done
[ -n "$opened_at" ] || fail "nothing was spoken"
clips=$("$CAPTURE_CLIPS" "$capture" | awk '{print $1}' | tr '\n' ' ')
echo "spoke: $clips (device opened ${opened_at}s after start)"
[ "$clips" = "11 12 10 13 2 14 15 " ] || fail "clips were '$clips'"
[ "$opened_at" -ge 55 ] && [ "$opened_at" -le 66 ] || fail "spoke ${opened_at}s after start"
wmctrl -c "$TITLE"
expect_exit_zero "$pid"
echo "chime_faketime: ok"
