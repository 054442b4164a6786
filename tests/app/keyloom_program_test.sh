#!/bin/sh
# Runs the keyloom program in throw-away home folders: a first start, a second instance while
# the first holds the lock, and a start with no config.ini and an unusable home folder.
set -u
program="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() {  # check <description> <text> <file>
    if ! grep -qF "$2" "$3"; then
        echo "FAIL: $1: expected \"$2\" in:"; cat "$3"; failed=1
    fi
}

home="$work/home"
mkdir -p "$home"
HOME="$home" XDG_CONFIG_HOME="" XDG_RUNTIME_DIR="$home" "$program" >"$work/first.txt" 2>&1
[ $? -eq 0 ] || { echo "FAIL: first start exit code"; failed=1; }
check "first start" "language: 1033 (first start)" "$work/first.txt"
check "first start" "keyboard: VID 3412, PID 7A21" "$work/first.txt"
check "first start" "the main window is not built yet." "$work/first.txt"
check "settings stored" "LCID=1033" "$home/.config/Varnel V21 Driver.ini"
[ -f "$home/Ostrel X9 Driver Files/db/kb_data_data_v5.db" ] ||
    { echo "FAIL: database file missing"; failed=1; }

lock="$home/Ostrel X9 Driver-$(id -u).lock"
HOME="$home" XDG_RUNTIME_DIR="$home" flock -n "$lock" "$program" >"$work/second.txt" 2>&1
[ $? -eq 0 ] || { echo "FAIL: second instance exit code"; failed=1; }
check "second instance" "already running" "$work/second.txt"
if grep -qF "database:" "$work/second.txt"; then
    echo "FAIL: the second instance went on to open the database"; failed=1
fi

mkdir -p "$work/lonely"
cp "$program" "$work/lonely/keyloom"
echo "not a folder" >"$work/file_home"
HOME="$work/file_home" XDG_CONFIG_HOME="$work/file_home/cfg" XDG_RUNTIME_DIR="$work" \
    "$work/lonely/keyloom" >"$work/broken.txt" 2>&1
[ $? -eq 0 ] || { echo "FAIL: unusable folders exit code"; cat "$work/broken.txt"; failed=1; }
check "unusable folders" "language: 2052" "$work/broken.txt"
check "unusable folders" "database: could not be opened" "$work/broken.txt"
check "unusable folders" "is missing; no keyboard is configured." "$work/broken.txt"

[ $failed -eq 0 ] && echo "keyloom program: all checks passed"
exit $failed
