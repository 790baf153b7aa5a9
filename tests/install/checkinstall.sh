#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the tree a teacher's machine gets.
#   checkinstall.sh <build dir> <program number>...
set -euo pipefail
build=$1
shift
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
libdir=$(find "$prefix" -type d -name taluno -path '*/lib*' | head -n 1)
[ -n "$libdir" ] || fail "no lib/taluno folder"
[ $# -gt 0 ] || fail "no program numbers given"
fullwidth=(０ １ ２ ３ ４ ５ ６ ７ ８ ９)
for n in "$@"; do
    [ -x "$libdir/Taluno$n" ] || fail "Taluno$n not installed in $libdir"
    link="$prefix/bin/Taluno$n"
    [ -L "$link" ] || fail "$link is not a link"
    [ "$(readlink -f "$link")" = "$(readlink -f "$libdir/Taluno$n")" ] || fail "$link does not lead to the program"
    entry="$prefix/share/applications/taluno$n.desktop"
    [ -f "$entry" ] || fail "no $entry"
    grep -qx "Name=Taluno Experiment $n" "$entry" || fail "$entry: Name"
    grep -qx "Name\[ja\]=Talunoの実験${fullwidth[n]}" "$entry" || fail "$entry: Name[ja]"
    grep -qx "Exec=Taluno$n" "$entry" || fail "$entry: Exec"
    grep -qx "Icon=taluno" "$entry" || fail "$entry: Icon"
    grep -q '^Categories=.*Education;' "$entry" || fail "$entry: Categories"
    grep -q '^Comment=.' "$entry" && grep -q '^Comment\[ja\]=.' "$entry" || fail "$entry: Comment"
    zcat "$prefix/share/man/man1/Taluno$n.1.gz" | grep -qx "Taluno$n \\\\- .*" || fail "no manual page of Taluno$n"
    # --help in a terminal with no display: the usage in the language asked for, and the end; the manual page lists the
    # same options.
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$link" --lang ja --help) || fail "Taluno$n --help failed"
    [[ $help == "使い方: Taluno$n [オプション] [授業のリンク]"* ]] || fail "Taluno$n --help printed: $help"
    for option in guests experiments share show prepare lang; do
        [[ $help == *"--$option "* ]] && want=1 || want=0
        has=$(zcat "$prefix/share/man/man1/Taluno$n.1.gz" | grep -c "^\.BI \\\\-\\\\-$option " || true)
        [ "$has" = "$want" ] || fail "Taluno$n's manual page and --help differ on --$option"
    done
done
# The programs find their cues beside themselves.
for cue in pinpon.wav endpinpon.wav; do
    head -c 4 "$libdir/$cue" | grep -q RIFF || fail "$cue is not a WAV beside the programs"
done
for size in 16 32 48 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/taluno.png"
    [ -f "$icon" ] || fail "no $icon"
done
echo "install tree complete"
