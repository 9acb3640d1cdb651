#!/usr/bin/env bash
# The study window dragged by its caption strip under a window manager,
# which then moves the window itself and holds the mouse until the button
# is released: the chooser stays where it is while the button is held, also
# when the window rests, and comes back beside the window at the release.
# Then "O" makes the chooser the study window's.
# Needs an X display (the test runner provides Xvfb), openbox, xdotool and
# xprop.
#   lorvane_window_manager_test.sh PATH/TO/Lorvane
set -euo pipefail
executable=$1
. "$(dirname "$0")/app_session.sh"
needs openbox xdotool xprop
begin_session
stage_program Lorvane "$executable" "$work/program"
printf 'apple  苹果\r\npear  梨\r\n' | gbk >"$lessons/初一/第一课.txt"
printf '[单词]\r\nfilename=%s\r\n' "$lessons/初一/第一课.txt" | gbk >"$lessons/dan.dat"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
started $!
sleep 1
"$program/Lorvane" >"$work/lorvane.log" 2>&1 &
pid=$!

window="" chooser=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Lorvane$' 2>/dev/null | head -n 1 || true)
    chooser=$(xdotool search --onlyvisible --name '^初一$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && [ -n "$chooser" ] && break
    sleep 0.1
done
[ -n "$window" ] && [ -n "$chooser" ] || { echo "the windows did not appear"; exit 1; }
sleep 1

place() {  # WINDOW: prints X Y WIDTH
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH"
}
read -r wx wy ww < <(place "$window")
read -r cx cy _ < <(place "$chooser")

xdotool mousemove $((wx + 40)) $((wy + 4))
sleep 0.3
xdotool mousedown 1
sleep 0.2
for _ in 1 2 3 4 5 6; do
    xdotool mousemove_relative 10 10
    sleep 0.05
done
sleep 1  # the window rests with the button held
read -r movedX movedY _ < <(place "$window")
[ "$movedX $movedY" = "$((wx + 60)) $((wy + 60))" ] || {
    echo "the window manager did not move the window: $wx $wy -> $movedX $movedY"; exit 1; }
read -r heldX heldY _ < <(place "$chooser")
[ "$heldX $heldY" = "$cx $cy" ] || {
    echo "the chooser moved while the button was held: $cx $cy -> $heldX $heldY"; exit 1; }

xdotool mouseup 1
sleep 0.5
read -r dockedX dockedY _ < <(place "$chooser")
# Beside the window again: its left edge at the window's right edge, its top
# at the window's top, give or take the chooser's own frame (openbox adds a
# border and a title bar, which Qt's placing counts in differently).
dx=$((dockedX - movedX - ww)) dy=$((dockedY - movedY))
if [ "$dx" -lt 0 ] || [ "$dx" -gt 4 ] || [ "$dy" -lt 0 ] || [ "$dy" -gt 48 ]; then
    echo "the chooser was not docked at the release: $dockedX $dockedY for a window at" \
        "$movedX $movedY, $ww wide"
    exit 1
fi

# The chooser of the start is a window of its own; opened with "O" it is the
# study window's (WM_TRANSIENT_FOR), which keeps it above and minimises it
# along, and it stays where it was.
owner() { xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p'; }
[ -z "$(owner "$chooser")" ] || { echo "the chooser of the start has an owner"; exit 1; }
xdotool mousemove $((movedX + 372)) $((movedY + 184))  # "O": 360 pixels in, 176 down
sleep 0.3
xdotool click 1
sleep 0.5
chooser=$(xdotool search --onlyvisible --name '^初一$' | head -n 1)
[ "$(( $(owner "$chooser") ))" = "$window" ] || {
    echo "the chooser opened with O is not the study window's: $(owner "$chooser")"; exit 1; }
read -r ownedX ownedY _ < <(place "$chooser")
[ "$ownedX $ownedY" = "$dockedX $dockedY" ] || {
    echo "the chooser moved when the study window took it: $ownedX $ownedY"; exit 1; }
echo "2 passed, 0 failed"
