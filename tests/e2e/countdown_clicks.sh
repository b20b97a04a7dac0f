#!/usr/bin/env bash
# Types 3 into the seconds countdown and clicks its button: the stream holds
# clips 3, 2 and 1 a second apart, starting about a second after the click,
# and after the fourth tick the button reads "启动" again.
source "$(dirname "$0")/lib.sh"

capture=$WORK/capture.raw
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture "$VANTOLI_EXE" &
pid=$!
wid=$(wait_window) || fail "no window"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$wid")"
# The button's picture, with the mouse away so that hovering does not count.
button() {
  xdotool mousemove $((X + 5)) $((Y + 300))
  sleep 0.1
  import -window root -crop "75x25+$((X + 142))+$((Y + 199))" "$WORK/$1.png"
}
differs() { [ "$(compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true)" != 0 ]; }

# Double-click selects the edit's "40"; typing replaces it.
xdotool mousemove $((X + 185)) $((Y + 133)) click --repeat 2 --delay 80 1
xdotool type 3
button start
xdotool mousemove $((X + 179)) $((Y + 211)) click 1
clicked=$(date +%s%N)
sleep 0.5
button running
screenshot countdown.png
differs start running || fail "the button did not change its caption"

opened_ms=""
while [ $(( ($(date +%s%N) - clicked) / 1000000 )) -lt 4600 ]; do
  [ -z "$opened_ms" ] && [ -f "$capture" ] && opened_ms=$(( ($(date +%s%N) - clicked) / 1000000 ))
  sleep 0.05
done
button stopped
differs start stopped && fail "the button does not read its start caption after the fourth tick"

wmctrl -c "$TITLE"
expect_exit_zero "$pid"
found=$("$CAPTURE_CLIPS" "$capture")
echo "device opened ${opened_ms}ms after the click; clips (number, ms into the capture):"
echo "$found"
[ "$(echo "$found" | awk '{print $1}' | tr '\n' ' ')" = "3 2 1 " ] || fail "wrong clips"
[ -n "$opened_ms" ] && [ "$opened_ms" -ge 800 ] && [ "$opened_ms" -le 1400 ] || fail "first count at ${opened_ms}ms"
echo "$found" | awk 'NR > 1 { d = $2 - prev; if (d < 900 || d > 1100) { print "spacing " d "ms"; bad = 1 } } { prev = $2 } END { exit bad }' \
  || fail "counts not a second apart"
echo "countdown_clicks: ok"
