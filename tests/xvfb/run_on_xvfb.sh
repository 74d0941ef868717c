#!/bin/sh
# Runs a command on a fresh Xvfb display of its own, with Qt on that display (the xcb platform), and ends
# with the command's exit code; with 77 (skipped) when Xvfb is missing.
# usage: run_on_xvfb.sh COMMAND [ARGUMENT...]
if [ ! -x /usr/bin/Xvfb ]; then
    echo "Xvfb is not installed (scripts/deps.sh installs it): skipped" >&2
    exit 77
fi
fifo_dir=$(mktemp -d) || exit 1
mkfifo "$fifo_dir/display"
/usr/bin/Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo_dir/display" 2>/dev/null &
server=$!
read -r number <"$fifo_dir/display"
rm -rf "$fifo_dir"
if [ -z "$number" ]; then
    echo "Xvfb ended before it named its display" >&2
    kill "$server" 2>/dev/null
    exit 1
fi
runtime=$(mktemp -d)
chmod 700 "$runtime"
DISPLAY=":$number" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" "$@"
code=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$runtime"
exit $code
