#!/usr/bin/env bash
# Starts the staged Lorvane as a learner would, on a prepared program folder
# whose settings reopen a lesson: answers the shown word with the keyboard,
# drags the window by its caption, closes it with its own "X" and checks the
# files it leaves behind.
# Needs an X display (the test runner provides Xvfb) and xdotool.
#   lorvane_end_to_end.sh PATH/TO/Lorvane
set -euo pipefail
executable=$1
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"

program="$work/学习 程序"
lessons=$program/单词课文
mkdir -p "$lessons/初一"
cp "$executable" "$program/Lorvane"
gbk() { iconv -f UTF-8 -t GBK; }
printf 'apple  苹果\r\npear  梨\r\n' | gbk > "$lessons/初一/第一课.txt"
printf 'apple  苹果\r\npear  梨\r\n\r\n' | gbk > "$lessons/初一/第一课.lt0"
for box in 1 2 3 4 5; do printf '\r\n' > "$lessons/初一/第一课.lt$box"; done
printf '[单词]\r\nfilename=%s\r\n' "$lessons/初一/第一课.txt" | gbk > "$lessons/dan.dat"

"$program/Lorvane" &
pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Lorvane$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the study window did not appear"; exit 1; }
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
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "Lorvane did not end after its X was clicked"
    exit 1
fi

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
