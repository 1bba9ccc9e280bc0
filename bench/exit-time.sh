#!/bin/sh
# How long the program takes to end once the user closes its window: from the close (Alt+F4
# to openbox, as the title bar's close button does) until the window is gone and until the
# process has ended with its settings written. The peer is xmessage, closed the same way in the
# same run, for what the X server and the window manager cost on their own.
#
#   bench/exit-time.sh [path/to/ferrix-ftp] [runs] [profiles]
#
# Runs on an X server of its own with openbox (tests/gui/support/with-window-manager.sh); the
# registry is a temporary file seeded with `profiles` host profiles.
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${FERRIX_UNDER_WINDOW_MANAGER:-}" ]; then
  exec "$here/../tests/gui/support/with-window-manager.sh" "$0" "$@"
fi

app=${1:-$here/../build/test/src/app/ferrix-ftp}
runs=${2:-5}
profiles=${3:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
# The id of the visible window called exactly $1, waiting for it; with $2 = main, only a window
# that belongs to no other (the frame, not a message box of the same title).
find_window() {
  for _ in $(seq 400); do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
      if [ "${2:-}" != main ] || ! xprop -id "$id" WM_TRANSIENT_FOR 2>/dev/null | grep -q "window id"; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.025
  done
  return 1
}
gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
close_window() {
  xdotool windowraise "$1" windowfocus "$1" 2>/dev/null
  sleep 0.3
  xdotool key alt+F4
}
# Closes the window $2 of process $1; prints "seconds until the window went, until the exit".
measure_close() {
  close_window "$2" >/dev/null
  start=$(now)
  while ! gone "$3"; do sleep 0.002; done
  window=$(now)
  wait "$1"
  ended=$(now)
  echo "$(echo "$window - $start" | bc) $(echo "$ended - $start" | bc)"
}

seed_registry() {
  python3 - "$1" "$profiles" <<'PY'
import sys
path, count = sys.argv[1], int(sys.argv[2])
lines = ["REGEDIT4", "", "[HKEY_CURRENT_USER\\Software\\Ferrix Software\\Ferrix FTP\\User Profiles]"]
for i in range(count):
    text = "host%03d\nftp%03d.example.org\nuser\n\n0\n0\n21\n1\n0\n/pub" % (i, i)
    lines.append('"host%03d"=hex:%s' % (i, ",".join("%02x" % b for b in text.encode() + b"\0")))
open(path, "w").write("\n".join(lines) + "\n\n")
PY
}

ours_window=0; ours_exit=0; peer_exit=0
for run in $(seq "$runs"); do
  registry="$work/registry-$run.reg"
  seed_registry "$registry"
  FERRIX_REGISTRY="$registry" XDG_CONFIG_HOME="$work/config" FERRIX_DRIVES="C=$work" \
    "$app" /Embedding >"$work/app.log" 2>&1 &
  pid=$!
  dialog=$(find_window "Connect to Host") || { echo "exit-time: no Connect dialog" >&2; exit 1; }
  close_window "$dialog"
  while ! gone "Connect to Host"; do sleep 0.01; done
  frame=$(find_window "Ferrix FTP" main) || { echo "exit-time: no main window" >&2; exit 1; }
  sleep 0.5
  before=$(stat -c %Y.%y "$registry")
  set -- $(measure_close "$pid" "$frame" "Ferrix FTP")
  grep -q '\\Window\]' "$registry" && [ "$(stat -c %Y.%y "$registry")" != "$before" ] ||
    { echo "exit-time: run $run did not write its settings" >&2; exit 1; }
  ours_window=$(echo "$ours_window + $1" | bc); ours_exit=$(echo "$ours_exit + $2" | bc)
  echo "run $run: ferrix-ftp window gone after $1 s, process ended after $2 s"

  xmessage -name peer -title "exit peer" "peer" &
  peer=$!
  peerwin=$(find_window "exit peer") || { echo "exit-time: no xmessage window" >&2; exit 1; }
  sleep 0.3
  set -- $(measure_close "$peer" "$peerwin" "exit peer")
  peer_exit=$(echo "$peer_exit + $2" | bc)
  echo "run $run: xmessage process ended after $2 s"
done

printf 'mean over %d runs with %d profiles: window gone %.3f s, exit %.3f s (goal < 0.3 s); xmessage %.3f s; ratio %.1f\n' \
  "$runs" "$profiles" "$(echo "$ours_window / $runs" | bc -l)" "$(echo "$ours_exit / $runs" | bc -l)" \
  "$(echo "$peer_exit / $runs" | bc -l)" "$(echo "$ours_exit / $peer_exit" | bc -l)"
