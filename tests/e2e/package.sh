#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and starts the program
# installed there: the executable, the desktop entry and the icon under /usr.
source "$(dirname "$0")/lib.sh"
: "${BUILD_DIR:?}"

cpack -G DEB -B "$WORK/pkg" --config "$BUILD_DIR/CPackConfig.cmake" >/dev/null || fail "cpack"
deb=$(ls "$WORK"/pkg/*.deb | head -n 1)
[ -n "$deb" ] || fail "no package"
cp "$deb" "$E2E_OUT/"
root=$WORK/root
dpkg-deb -x "$deb" "$root"
for f in usr/bin/vantoli-timer usr/share/applications/vantoli-timer.desktop \
         usr/share/icons/hicolor/32x32/apps/vantoli-timer.png; do
  [ -f "$root/$f" ] || fail "the package lacks /$f"
done
grep -q '^Exec=vantoli-timer$' "$root/usr/share/applications/vantoli-timer.desktop" || fail "desktop entry"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "no Qt dependency recorded"

SDL_AUDIODRIVER=dummy "$root/usr/bin/vantoli-timer" &
pid=$!
wait_window >/dev/null || fail "the installed program shows no window"
wmctrl -c "$TITLE"
expect_exit_zero "$pid"
echo "package: ok ($(basename "$deb"))"
