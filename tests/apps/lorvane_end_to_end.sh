#!/usr/bin/env bash
# Starts the staged Lorvane as a learner would, on a prepared program folder
# whose settings reopen a lesson: answers the shown word with the keyboard,
# closes the window with its own "X" and checks the files it leaves behind.
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
