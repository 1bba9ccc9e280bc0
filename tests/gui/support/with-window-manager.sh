#!/bin/sh
# Runs a GUI test as users run the program: on an X server of its own, with openbox managing
# the windows (stacking, focus, placement, decorations). The server is the test's own because
# a window manager changes stacking and focus for every window on its display, and the other
# GUI tests run side by side on a bare server.
set -u
if [ -z "${FERRIX_UNDER_WINDOW_MANAGER:-}" ]; then
  FERRIX_UNDER_WINDOW_MANAGER=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

openbox --sm-disable >/dev/null 2>&1 &
manager=$!
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  tries=$((tries + 1))
  if [ "$tries" -gt 200 ]; then
    echo "with-window-manager: openbox did not take the screen" >&2
    kill "$manager" 2>/dev/null
    exit 1
  fi
  sleep 0.05
done

"$@"
status=$?
kill "$manager" 2>/dev/null
wait "$manager" 2>/dev/null
exit "$status"
