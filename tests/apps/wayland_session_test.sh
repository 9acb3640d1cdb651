#!/usr/bin/env bash
# Both programs in a Wayland session, as Debian's GNOME starts one: a
# headless weston compositor with XWayland, Qt's Wayland plugin installed.
# Qt by itself takes Wayland there (checked first, so the test shows
# something); the programs start on X11 through XWayland, where their window
# placement, staying on top and the hot key work, and leave nothing of their
# request to the programs they start. A user's own choice of Wayland stands.
# The compositor has no input devices, so nothing is typed or clicked here.
# Exits 77 (skipped) without weston, Xwayland, xdotool or Qt's Wayland
# plugin (packages weston, xwayland, xdotool, qt6-wayland).
#   wayland_session_test.sh PLATFORM_TEST_HELPER PATH/TO/Lorvane PATH/TO/Miselle
set -euo pipefail
helper=$1
lorvane=$2
miselle=$3
for tool in weston Xwayland xdotool; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
fail() { echo "$@"; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR" && mkdir "$HOME"
unset QT_QPA_PLATFORM DISPLAY

weston --backend=headless-backend.so --xwayland --socket=lorvane-test --idle-time=0 \
    --log="$work/weston.log" >"$work/weston.out" 2>&1 &
pids+=($!)
display=""
for _ in $(seq 100); do
    # The log may not be there yet: under pipefail a failing sed would end
    # the script without a word.
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" \
        2>/dev/null | tail -n 1 || true)
    [ -n "$display" ] && [ -S "$XDG_RUNTIME_DIR/lorvane-test" ] && break
    sleep 0.1
done
[ -n "$display" ] || { cat "$work/weston.log" "$work/weston.out"; fail "weston did not start"; }
# What a Wayland session gives its programs.
export WAYLAND_DISPLAY=lorvane-test DISPLAY=$display XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME

# "<platform> <QT_QPA_PLATFORM left to programs started from it>"
started=$(timeout 20 "$helper" qt-default 2>"$work/helper.err" || true)
if grep -q 'Could not find the Qt platform plugin "wayland"' "$work/helper.err"; then
    echo "no Qt Wayland plugin (qt6-wayland): skipped"
    exit 77
fi
[ "$started" = "wayland -" ] || { cat "$work/helper.err"; fail "Qt on its own started on: $started"; }
started=$(timeout 20 "$helper" platform 2>"$work/helper.err" || true)
[ "$started" = "xcb -" ] || { cat "$work/helper.err"; fail "as the programs start, Qt took: $started"; }
started=$(QT_QPA_PLATFORM=wayland timeout 20 "$helper" platform 2>"$work/helper.err" || true)
[ "$started" = "wayland wayland" ] || { cat "$work/helper.err"; fail "the user's Wayland became: $started"; }

# The programs themselves, from a program folder with a lesson: each shows
# its window on the X server of XWayland.
program=$work/程序
mkdir -p "$program/单词课文/初一"
cp "$lorvane" "$program/Lorvane"
cp "$miselle" "$program/Miselle"
gbk() { iconv -f UTF-8 -t GBK; }
printf 'apple  苹果\r\n' | gbk >"$program/单词课文/初一/第一课.txt"
# The companion's list of lessons: without one it asks for a lesson first.
printf 'T%s\r\n' "$program/单词课文/初一/第一课.txt" | gbk >"$program/单词课文/listgirl.dat"
for name in Lorvane Miselle; do
    "$program/$name" >"$work/$name.out" 2>&1 &
    pid=$!
    pids+=("$pid")
    window=""
    for _ in $(seq 150); do
        window=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$window" ] || { cat "$work/$name.out"; fail "$name showed no window on XWayland"; }
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "1 passed, 0 failed"
