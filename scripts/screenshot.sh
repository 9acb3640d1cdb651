#!/usr/bin/env bash
# Takes the README's screenshot of the study window: starts the staged
# Lorvane on a virtual X server with a shipped lesson open and saves the
# picture as docs/screenshot.png. Run after a build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/Lorvane/Lorvane ] || { echo "build first: bash scripts/build.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r build/Lorvane "$work/Lorvane"
lessons=$work/Lorvane/单词课文
lesson=$lessons/基础词汇/第1课.txt
# Open the lesson as it is shipped, with every word still new.
cp "$lesson" "${lesson%.txt}.lt0"
printf '\r\n' >> "${lesson%.txt}.lt0"
for box in 1 2 3 4 5; do printf '\r\n' > "${lesson%.txt}.lt$box"; done
printf '[单词]\r\nfilename=%s\r\ncheck0=1\r\n' "$lesson" | iconv -f UTF-8 -t GBK > "$lessons/dan.dat"

export XDG_RUNTIME_DIR=$work/runtime HOME=$work
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    export QT_QPA_PLATFORM=xcb
    "$1/Lorvane/Lorvane" &
    pid=$!
    sleep 3
    # The study window and the chooser beside it.
    build/tools/grab_screen docs/screenshot.png 100 132 600 404
    kill $pid' _ "$work"
echo "saved docs/screenshot.png"
