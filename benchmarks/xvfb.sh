#!/bin/sh
# Runs one benchmark under a private X display (Xvfb, Debian package xvfb):
#   benchmarks/xvfb.sh build/benchmarks/update_run 5
set -e
command -v Xvfb >/dev/null || { echo "xvfb.sh: Xvfb is not installed (apt-get install xvfb)" >&2; exit 2; }
display=:$(( 90 + $$ % 500 ))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null' EXIT INT TERM
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
DISPLAY=$display QT_QPA_PLATFORM=xcb "$@"
