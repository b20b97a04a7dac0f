#!/usr/bin/env bash
# Starts the real timer, sees its one window, closes it through the window
# manager: the maker's page opens once and the exit code is 0.
source "$(dirname "$0")/lib.sh"

SDL_AUDIODRIVER=dummy "$VANTOLI_EXE" --ignored-argument &
pid=$!
wid=$(wait_window) || fail "no window"
[ -n "$wid" ] || fail "no window"
sleep 1
screenshot window.png
visible=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
[ "$visible" -eq 1 ] || fail "$visible visible windows; the hidden frame window must stay hidden"
wmctrl -c "$TITLE"
expect_exit_zero "$pid"
[ "$(opened_count)" -eq 1 ] || fail "maker's page opened $(opened_count) times"
grep -q 'example.com' "$WORK/opened" || fail "opened $(cat "$WORK/opened")"
echo "window_close: ok"
