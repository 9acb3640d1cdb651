#!/usr/bin/env bash
# Starts a copy of the staged Miselle as a learner would, with trayer as the
# notification area, on a prepared program folder: a second start ends at
# once, the icon sits in the tray, F6 hides the window and the desktop-wide
# Ctrl+W brings it back, typed answers move on, and F9 with OK saves the
# settings, the lesson list and the autostart entry, checked byte for byte.
# Ctrl+Enter checks no answer, and until that exit nothing is written: a
# colour dialog that has come and gone leaves no file of Qt's anywhere.
# Needs an X display (the test runner provides Xvfb), xdotool, xwininfo and
# trayer; run under tests/with_pulseaudio.sh for the voice's sound.
#   miselle_end_to_end.sh PATH/TO/Miselle
set -euo pipefail
executable=$1
. "$(dirname "$0")/app_session.sh"
needs xdotool xwininfo trayer
begin_session
stage_program Miselle "$executable"
# The first lesson as a Linux editor saves it: UTF-8 with LF line ends.
printf 'apple  苹果\npear  梨\nplum  李子\n' > "$lessons/初一/第一课.txt"
printf 'cat  猫\r\n' | gbk > "$lessons/初一/第二课.txt"
# A lower-case "t" leaves a lesson unticked; a line of spaces is no entry.
printf 'T%s\r\n   \r\nt%s\r\n' "$lessons/初一/第一课.txt" "$lessons/初一/第二课.txt" |
    gbk > "$lessons/listgirl.dat"

# Every file and folder in the lesson folder, hidden ones too.
lesson_files() { (cd "$lessons" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' '); }
files_at_start=$(lesson_files)
qt_files() { find "$work" -name 'QtProject*' | tr '\n' ' '; }

trayer --edge top --height 32 --widthtype request --align right &
started $!
# The tray is up before the companion starts, as on a desktop after logon.
panel=""
for _ in $(seq 50); do
    panel=$(xdotool search --class '^trayer$' 2>/dev/null | head -n 1 || true)
    [ -n "$panel" ] && break
    sleep 0.1
done
[ -n "$panel" ] || fail "trayer did not start"
"$program/Miselle" &
pid=$!
wait_for_window Miselle "$pid"
visible_windows() { xdotool search --onlyvisible --class '^Miselle$' 2>/dev/null | wc -l; }

# The icon: a window of Miselle's embedded in the tray's panel.
embedded=""
for _ in $(seq 50); do
    for panel in $(xdotool search --class '^trayer$' 2>/dev/null); do
        if xwininfo -tree -id "$panel" | grep -q '("Miselle" "Miselle")'; then
            embedded=yes
        fi
    done
    [ -n "$embedded" ] && break
    sleep 0.1
done
[ -n "$embedded" ] || fail "the icon is not in the tray"
windows_before=$(visible_windows)

# A second start ends at once and silently, adding no window or icon.
start=$(date +%s%N)
"$program/Miselle" || fail "the second start failed"
elapsed=$((($(date +%s%N) - start) / 1000000))
[ "$elapsed" -lt 2000 ] || fail "the second start took $elapsed ms"
sleep 0.5
[ "$(visible_windows)" = "$windows_before" ] || fail "the second start left a window"
kill -0 "$pid" || fail "the first instance has gone"

map_state() { xwininfo -id "$window" | sed -n 's/.*Map State: //p'; }
answer() {
    xdotool windowfocus --sync "$window"
    xdotool key ctrl+a BackSpace  # a wrong answer stays in the box
    xdotool type --delay 50 "$1"
    xdotool key Return
    sleep 0.3
}
# A colour dialog opened and cancelled: nothing is written, so a run killed
# now leaves the folder as it found it.
xdotool windowfocus --sync "$window"
xdotool key F3
for _ in $(seq 50); do [ "$(visible_windows)" -gt "$windows_before" ] && break; sleep 0.1; done
[ "$(visible_windows)" -gt "$windows_before" ] || fail "F3 opened no colour dialog"
sleep 0.3
xdotool key Escape
for _ in $(seq 50); do [ "$(visible_windows)" = "$windows_before" ] && break; sleep 0.1; done
[ "$(visible_windows)" = "$windows_before" ] || fail "Escape did not close the colour dialog"
sleep 0.3
[ "$(lesson_files)" = "$files_at_start" ] || fail "written into the lesson folder: $(lesson_files)"
[ -z "$(qt_files)" ] || fail "Qt's settings were written: $(qt_files)"

answer pear    # wrong: the first item stays
answer apple   # right: on to the second

# F6 hides the window; Ctrl+W, sent to the desktop, shows it where it was.
place=$(xdotool getwindowgeometry "$window" | grep Position)
xdotool windowfocus --sync "$window"
xdotool key F6
for _ in $(seq 30); do [ "$(map_state)" = IsUnMapped ] && break; sleep 0.1; done
[ "$(map_state)" = IsUnMapped ] || fail "F6 did not hide the window"
xdotool key ctrl+w
for _ in $(seq 30); do [ "$(map_state)" = IsViewable ] && break; sleep 0.1; done
[ "$(map_state)" = IsViewable ] || fail "Ctrl+W did not show the window"
[ "$(xdotool getwindowgeometry "$window" | grep Position)" = "$place" ] ||
    fail "the window moved"
sleep 0.3
answer pear    # right: on to the third
# The right answer with Ctrl+Enter is no answer: the third item stays.
xdotool windowfocus --sync "$window"
xdotool key ctrl+a BackSpace
xdotool type --delay 50 plum
xdotool key ctrl+Return ctrl+KP_Enter
sleep 0.3

# F9, then OK in the exit question.
xdotool windowfocus --sync "$window"
xdotool key F9
main_window=$window
wait_for_window 退出 "$pid" 50
question=$window
window=$main_window
sleep 0.3
xdotool windowfocus --sync "$question"
xdotool key Return
wait_for_end "$pid" || fail "Miselle did not end after OK"

expect() {  # FILE, then its expected bytes as printf text, then an optional filter
    local actual expected
    actual=$(od -An -tx1 "$1")
    expected=$(printf "$2" | ${3:-cat} | od -An -tx1)
    if [ "$actual" != "$expected" ]; then
        echo "$1 differs:"; echo " got      $actual"; echo " expected $expected"
        exit 1
    fi
}
# First run: the defaults, with the place reached in the lesson.
expect "$lessons/girl.dat" "[label]\r\nForeColor=16777215\r\nBackColor=8421376\r\n[配置]\r\ncurkewen=0\r\ncurword=2\r\nmunOnTop=True\r\ntop=20\r\nleft=400\r\nzidongqidong=True\r\nsuijixianshi=False\r\n音量=50\r\n语速=0\r\n语音=0\r\n" gbk
expect "$lessons/listgirl.dat" "T$lessons/初一/第一课.txt\r\nF$lessons/初一/第二课.txt\r\n\r\n" gbk
# Auto-start is on by default: the entry starts this copy by its full path.
expect "$XDG_CONFIG_HOME/autostart/Miselle.desktop" "[Desktop Entry]\nType=Application\nName=Miselle\nName[zh_CN]=Miselle 单词小窗\nIcon=miselle\nExec=\"$program/Miselle\"\nTerminal=false\nX-GNOME-Autostart-enabled=true\n"
# Only the two settings files were added to the lesson folder.
expected_files=$(printf '%s\n' $files_at_start ./girl.dat | LC_ALL=C sort | tr '\n' ' ')
[ "$(lesson_files)" = "$expected_files" ] || fail "the lesson folder holds: $(lesson_files)"
[ -z "$(qt_files)" ] || fail "Qt's settings were written: $(qt_files)"
echo "1 passed, 0 failed"
