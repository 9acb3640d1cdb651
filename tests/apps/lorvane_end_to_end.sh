#!/usr/bin/env bash
# Starts the staged Lorvane as a learner would, on a prepared program folder
# whose settings reopen a lesson: answers the shown word with the keyboard,
# drags the window by its caption, closes it with its own "X" and checks the
# files it leaves behind.
# Needs an X display (the test runner provides Xvfb) and xdotool.
#   lorvane_end_to_end.sh PATH/TO/Lorvane
set -euo pipefail
executable=$1
. "$(dirname "$0")/app_session.sh"
needs xdotool
begin_session
stage_program Lorvane "$executable"
stage_lesson Lorvane 'apple  苹果' 'pear  梨'

"$program/Lorvane" &
pid=$!
wait_for_window Lorvane "$pid"
sleep 1
xdotool windowfocus --sync "$window"
xdotool type --delay 50 apple
xdotool key Return
sleep 0.5

# Dragged by its caption strip, the window leaves the chooser where it was
# while the button is held, however long it rests, and brings it back to its
# right edge at the release. There and back, so that the place stored at the
# end is the start's.
chooser=$(xdotool search --onlyvisible --name '^初一$' | head -n 1)
[ -n "$chooser" ] || { echo "the chooser is not shown"; exit 1; }
geometry() {  # WINDOW: prints X Y WIDTH
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH"
}
for step in 60 -60; do
    read -r wx wy ww < <(geometry "$window")
    read -r cx cy _ < <(geometry "$chooser")
    xdotool mousemove $((wx + 40)) $((wy + 4))
    sleep 0.2
    xdotool mousedown 1
    xdotool mousemove $((wx + 40 + step)) $((wy + 4 + step))
    sleep 0.8
    read -r movedX movedY _ < <(geometry "$window")
    [ "$movedX $movedY" = "$((wx + step)) $((wy + step))" ] || {
        echo "the caption did not move the window: $wx $wy -> $movedX $movedY"; exit 1; }
    read -r heldX heldY _ < <(geometry "$chooser")
    [ "$heldX $heldY" = "$cx $cy" ] || {
        echo "the chooser moved while the button was held: $cx $cy -> $heldX $heldY"; exit 1; }
    xdotool mouseup 1
    sleep 0.3
    read -r dockedX dockedY _ < <(geometry "$chooser")
    [ "$dockedX $dockedY" = "$((movedX + ww)) $movedY" ] || {
        echo "the chooser was not docked at the release: $dockedX $dockedY"; exit 1; }
done

# The "X" at the top right of the window (5880 twips = 392 pixels in, 17 wide).
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 403)) $((Y + 6))
sleep 0.3  # let the pointer arrive before the press
xdotool click 1
wait_for_end "$pid" || fail "Lorvane did not end after its X was clicked"

expect() {  # FILE, then the expected UTF-8 text
    local actual expected
    actual=$(od -An -tx1 "$lessons/$1")
    expected=$(printf "$2" | gbk | od -An -tx1)
    if [ "$actual" != "$expected" ]; then
        echo "$1 differs:"; echo " got      $actual"; echo " expected $expected"
        exit 1
    fi
}
expect 初一/第一课.lt0 'pear  梨\r\n\r\n'
for box in 1 2 3 4; do expect "初一/第一课.lt$box" '\r\n'; done
expect 初一/第一课.lt5 'apple  苹果\r\n\r\n'
# The settings in their write order; width and height as the window had them.
expect dan.dat "[单词]\r\nfilename=$lessons/初一/第一课.txt\r\nwidth=6165\r\nheight=4125\r\ntop=$(( (768 - 480) / 2 * 15 ))\r\nleft=$(( (1024 - 800) / 2 * 15 ))\r\ncheck0=0\r\ncheck1=1\r\ncheck2=0\r\ncheck3=0\r\ncheck4=0\r\n角色=0\r\n语速=0\r\n"
echo "1 passed, 0 failed"
