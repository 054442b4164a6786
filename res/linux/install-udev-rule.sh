#!/bin/sh
# Installs the udev rule that gives the logged-in user access to the configured keyboard's
# hidraw nodes, then reloads udev and applies the rule to keyboards already plugged in.
#
#   install-udev-rule.sh [--config FILE] [--rules-dir DIR] [--print]
#
# --config     config.ini to take "VID" and "PID" from (default: the one beside the program,
#              ../../bin/config.ini from a build tree or ./config.ini)
# --rules-dir  where to install (default /etc/udev/rules.d)
# --print      print the rule and change nothing
set -eu

here=$(cd "$(dirname "$0")" && pwd)
config=""
rules_dir=/etc/udev/rules.d
print_only=0
while [ $# -gt 0 ]; do
    case "$1" in
        --config) config=$2; shift 2 ;;
        --rules-dir) rules_dir=$2; shift 2 ;;
        --print) print_only=1; shift ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        *) echo "unknown option: $1" >&2; exit 2 ;;
    esac
done
if [ -z "$config" ]; then
    for candidate in "$here/../../bin/config.ini" "$here/../config.ini" "./config.ini"; do
        if [ -f "$candidate" ]; then config=$candidate; break; fi
    done
fi
if [ -z "$config" ] || [ ! -f "$config" ]; then
    echo "config.ini not found; pass --config FILE" >&2
    exit 1
fi

# The value of KEY in section [TEXT]: keys compared case-insensitively, blanks trimmed.
ini_value() {
    tr -d '\r' < "$config" | awk -v key="$1" '
        /^[ \t]*\[/ { s = $0; gsub(/[][ \t]/, "", s); in_text = (toupper(s) == "TEXT"); next }
        in_text {
            i = index($0, "="); if (i == 0) next
            k = substr($0, 1, i - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
            if (toupper(k) == toupper(key)) {
                v = substr($0, i + 1); gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit
            }
        }'
}

# Four hexadecimal digits, lower case as sysfs writes idVendor and idProduct.
hex_id() {
    id=$(printf '%s' "$1" | sed -E 's/^0[xX]//' | tr 'A-F' 'a-f')
    case "$id" in
        [0-9a-f][0-9a-f][0-9a-f][0-9a-f]) printf '%s' "$id" ;;
        *) return 1 ;;
    esac
}

vid=$(hex_id "$(ini_value VID)") || { echo "config.ini: VID is not four hex digits" >&2; exit 1; }
pid=$(hex_id "$(ini_value PID)") || { echo "config.ini: PID is not four hex digits" >&2; exit 1; }

rule=$(sed -E "s/(ATTRS\\{idVendor\\}==\")[0-9a-fA-F]{4}/\\1$vid/; s/(ATTRS\\{idProduct\\}==\")[0-9a-fA-F]{4}/\\1$pid/" \
    "$here/70-keyloom.rules")
if [ "$print_only" -eq 1 ]; then
    printf '%s\n' "$rule"
    exit 0
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
printf '%s\n' "$rule" > "$tmp"
as_root install -D -m 0644 "$tmp" "$rules_dir/70-keyloom.rules"
echo "installed $rules_dir/70-keyloom.rules (vendor $vid, product $pid)"
if command -v udevadm >/dev/null 2>&1; then
    as_root udevadm control --reload-rules || echo "udev is not running; the rule applies from the next boot" >&2
    as_root udevadm trigger --subsystem-match=hidraw --action=change || true
fi
