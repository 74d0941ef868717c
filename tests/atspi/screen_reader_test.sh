#!/bin/sh
# Starts the program on Xvfb and lists its note tiles through the desktop's accessibility bus (AT-SPI), as a
# screen reader finds them. Usage: screen_reader_test.sh <program folder> <shipped data folder>
# Ends with 77 (skipped) when Xvfb, dbus-run-session or Debian's python3 with pyatspi is missing.
for tool in /usr/bin/Xvfb /usr/bin/dbus-run-session /usr/bin/python3; do
    if [ ! -x "$tool" ]; then
        echo "skipped: $tool is not installed (packages xvfb, dbus, python3)"
        exit 77
    fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "skipped: /usr/bin/python3 has no pyatspi (packages python3-pyatspi, at-spi2-core)"
    exit 77
fi
exec /usr/bin/python3 "$(dirname "$0")/read_tiles.py" "$@"
