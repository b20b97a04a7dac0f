#!/usr/bin/env bash
# With a tray host: a minimise from the window manager leaves only the tray
# icon, a left click on it brings the window back, and a close opens the
# maker's page once and ends with 0. Takes a picture of both pages.
source "$(dirname "$0")/lib.sh"

trayer --edge top --align right --widthtype request --height 24 --SetDockType true >/dev/null 2>&1 &
pids+=($!)
timeout 10 xdotool search --sync --class trayer >/dev/null || fail "no tray host"
sleep 0.5

SDL_AUDIODRIVER=dummy "$VANTOLI_EXE" &
pid=$!
wid=$(wait_window) || fail "no window"
sleep 1
icon=$(tray_icon "$pid") || fail "no tray icon"
[ -n "$icon" ] || fail "no tray icon"
eval "$(xdotool getwindowgeometry --shell "$wid")"
import -window root -crop "471x321+$X+$Y" "$E2E_OUT/page1.png"

# Minimised by the window manager: only the tray icon is left.
xdotool windowminimize "$wid"
for _ in $(seq 50); do main_window >/dev/null || break; sleep 0.1; done
main_window >/dev/null && fail "the window is still shown"
[ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -eq 1 ] || fail "more than the tray icon is left"

# A left click on the icon brings it back.
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
wid=$(wait_window 10) || fail "the window did not come back"
[ -n "$wid" ] || fail "the window did not come back"
sleep 0.5

# The second page, for the picture.
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + 160)) $((Y + 54)) click 1
sleep 0.5
import -window root -crop "471x321+$X+$Y" "$E2E_OUT/page2.png"

wmctrl -c "$TITLE"
expect_exit_zero "$pid"
[ "$(opened_count)" -eq 1 ] || fail "maker's page opened $(opened_count) times"
echo "tray: ok"
