#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the programs in bin, their
# documents and exactly the shipped lessons (GBK with CR LF, nothing a
# learner left in the staged folder) in share/lorvane, the menu entries,
# AppStream data and every icon where the desktop looks for them, and
# nothing anywhere else. appstreamcli checks the installed tree as a whole.
# Exits 77 (skipped) without appstreamcli.
#   install_tree_test.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
build=$1
source=$2
command -v appstreamcli >/dev/null || { echo "no appstreamcli: skipped"; exit 77; }
fail() { echo "$@"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; }

for program in Lorvane Miselle; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing"
    cmp -s "$prefix/share/applications/org.lorvane.$program.desktop" \
        "$source/data/desktop/org.lorvane.$program.desktop" || fail "$program's menu entry differs"
    cmp -s "$prefix/share/metainfo/org.lorvane.$program.metainfo.xml" \
        "$source/data/desktop/org.lorvane.$program.metainfo.xml" || fail "$program's AppStream data differs"
    icon=$(sed -n 's/^Icon=//p' "$source/data/desktop/org.lorvane.$program.desktop")
    for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
        [ -f "$prefix/share/icons/hicolor/$size/apps/$icon.png" ] || fail "no $size icon $icon"
    done
    cmp -s "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" "$source/data/icons/$icon.svg" ||
        fail "the scalable icon $icon differs from its drawing"
    [ -f "$prefix/share/man/man1/$program.1.gz" ] || fail "no manual page for $program"
done
for document in Lorvane说明.htm 安装必读.htm; do
    cmp -s "$prefix/share/lorvane/$document" "$source/data/$document" || fail "$document differs"
done

# The lesson folder: the same files as data/单词课文, converted.
lessons=$prefix/share/lorvane/单词课文
shipped=$(cd "$source/data/单词课文" && find . -type f | sort)
installed=$(cd "$lessons" && find . -type f | sort)
[ "$shipped" = "$installed" ] || fail "installed lessons differ:"$'\n'"$installed"$'\n'"from:"$'\n'"$shipped"
while IFS= read -r file; do
    grep -q $'\r$' "$lessons/$file" || fail "$file has no CR LF line ends"
    iconv -f GBK -t UTF-8 "$lessons/$file" | tr -d '\r' | cmp -s - "$source/data/单词课文/$file" ||
        fail "$file is not its source in GBK"
done <<<"$shipped"

outside=$(cd "$prefix" && find . -type f | grep -Ev '^\./(bin/(Lorvane|Miselle)|share/(lorvane|applications|metainfo|icons/hicolor|man/man1|doc/lorvane|lintian/overrides)/)' || true)
[ -z "$outside" ] || fail "installed outside the layout: $outside"

appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli does not accept the installed tree"
echo "1 passed, 0 failed"
