#!/usr/bin/env bash
# End to end, as a user: corvanel.exe under Wine on the X display, driven
# with real X input (xdotool). Picks T5/AT5, types 20, 40 and 200, clicks
# 开始计算, copies the result box's text out through the clipboard, saves a
# screenshot, and closes the window with Esc, which must end the program
# with exit code 0.
#   window_e2e.sh <corvanel.exe> <screenshot.png>
set -euo pipefail
exe=$1
shot=$2
repo=$(cd "$(dirname "$0")/../.." && pwd)
: "${DISPLAY:?needs an X display}"

"$repo/scripts/wine-run" "$exe" &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

# The client area is the only teal on the screen; its top-left corner is
# the origin of the window layout's places.
origin=""
for _ in $(seq 120); do
  box=$(import -window root png:- | convert - -fill black +opaque 'rgb(0,128,128)' -format '%@' info: 2>/dev/null || true)
  case "$box" in *x*+*+*) [ "${box%%x*}" -gt 400 ] && { origin=${box#*+}; break; } ;; esac
  sleep 0.5
done
[ -n "$origin" ] || { echo "the window did not appear"; exit 1; }
ox=${origin%+*}
oy=${origin#*+}
at() { xdotool mousemove $((ox + $1)) $((oy + $2)); sleep 0.2; }
click() { at "$1" "$2"; xdotool click 1; sleep 0.4; }

click 256 39              # 齿形框: opens the list
xdotool key Down Down Return
sleep 0.4
click 163 84              # 主动轮齿数框
xdotool type --delay 50 20
click 358 84              # 从动轮齿数框
xdotool type --delay 50 40
click 256 128             # 设计中心距框
xdotool type --delay 50 200
click 459 116             # 开始计算
sleep 0.5
import -window root "$shot"

click 269 207             # 计算结果框: copy what it shows
xdotool key Home shift+End ctrl+c
sleep 0.5
result=$(xclip -o -selection clipboard 2>/dev/null || true)
echo "result box: '$result'"

xdotool key Escape
code=0
wait $program || code=$?
trap - EXIT
echo "exit code: $code"
[ "$result" = "551.19" ] && [ "$code" -eq 0 ]
