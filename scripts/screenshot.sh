#!/usr/bin/env bash
# Takes the README's screenshots of the study window: starts the staged
# Lorvane on a virtual X server of each screen size with a shipped lesson
# open and saves the study window with the chooser beside it as
# docs/screenshot-WIDTHxHEIGHT.png. Run after a build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/Lorvane/Lorvane ] || { echo "build first: bash scripts/build.sh" >&2; exit 1; }
[ -x build/tools/grab_screen ] || { echo "build first: bash scripts/build.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime HOME=$work
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The small screen shows the window as it starts; the large one with the
# drop-down panel open (the window closed lengthened opens lengthened), its
# word bank listing the new-word box.
for shot in 1024x768:4125 1920x1080:6060; do
    size=${shot%:*} windowHeight=${shot#*:}
    width=${size%x*} height=${size#*x}
    rm -rf "$work/Lorvane"
    cp -r build/Lorvane "$work/Lorvane"
    lessons=$work/Lorvane/单词课文
    lesson=$lessons/基础词汇/第1课.txt
    # Open the lesson as it is shipped, with every word still new.
    cp "$lesson" "${lesson%.txt}.lt0"
    printf '\r\n' >> "${lesson%.txt}.lt0"
    for box in 1 2 3 4 5; do printf '\r\n' > "${lesson%.txt}.lt$box"; done
    printf '[单词]\r\nfilename=%s\r\ncheck0=1\r\nheight=%s\r\n' "$lesson" "$windowHeight" |
        iconv -f UTF-8 -t GBK > "$lessons/dan.dat"

    # The study window's corner is at the centre of the screen less
    # 400 × 240; the picture has a margin of 12 pixels around both windows.
    left=$(( (width - 800) / 2 - 12 )) top=$(( (height - 480) / 2 - 12 ))
    pictureHeight=$(( windowHeight > 5700 ? windowHeight / 15 + 24 : 5700 / 15 + 24 ))
    out=docs/screenshot-$size.png
    xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
        export QT_QPA_PLATFORM=xcb
        "$1/Lorvane/Lorvane" &
        pid=$!
        sleep 3
        build/tools/grab_screen "$2" "$3" "$4" 600 "$5"
        kill $pid' _ "$work" "$out" "$left" "$top" "$pictureHeight"
    echo "saved $out"
done
