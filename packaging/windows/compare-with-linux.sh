#!/usr/bin/env bash
# The Windows tintora-cli.exe under Wine must write what the Linux tintora-cli
# writes: schemes and their JSON byte for byte, every phone screen's picture with and
# without a background picture pixel for pixel, the contrast check and the
# suggested schemes byte for byte.
#   packaging/windows/compare-with-linux.sh LINUX_BIN_DIR WINDOWS_BIN_DIR
set -euo pipefail
here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
linux=$(readlink -f "$1")/tintora-cli
windows=$(readlink -f "$2")/tintora-cli.exe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
win() { QT_QPA_PLATFORM=offscreen "$here/wine-run.sh" "$windows" "$@"; }

failures=0
# same A B WHAT [COMPARER]
same() {
    if ${4:-cmp -s} "$1" "$2"; then
        echo "same: $3"
    else
        echo "DIFFERENT: $3 ($1, $2)"
        failures=$((failures + 1))
    fi
}

"$linux" default linux-default.sch
win default windows-default.sch
same linux-default.sch windows-default.sch "default"

# A scheme whose 63 colours and transparencies all differ, named in Cyrillic.
"$linux" dump linux-default.sch > default.json
/usr/bin/python3 - <<'PY'
import json
doc = json.load(open("default.json"))
doc["name"] = "Пёстрая"
for i, entry in enumerate(doc["entries"]):
    entry["colour"] = "%02X%02X%02X" % ((i * 97) % 256, (i * 53 + 40) % 256, (255 - i * 29) % 256)
    entry["transparency"] = (i * 7) % 16
json.dump(doc, open("vivid.json", "w"), ensure_ascii=False, indent=1)
PY
"$linux" build vivid.json linux-vivid.sch
win build vivid.json windows-vivid.sch
same linux-vivid.sch windows-vivid.sch "build"
"$linux" dump linux-vivid.sch > linux-vivid.json
win dump linux-vivid.sch > windows-vivid.json
same linux-vivid.json windows-vivid.json "dump"

printf '[Options]\nProviderName=MTS\nClockFormat=1\nDateFormat=2\nPressedSoftKey=1\n' > preview.ini
for scheme in linux-default.sch linux-vivid.sch; do
    for background in none "$here/../../resources/about.jpg"; do
        options=(--scheme "$scheme" --now "2026-03-14 21:47" --ini preview.ini)
        [ "$background" = none ] || options+=(--background "$background")
        rm -rf linux-out windows-out
        "$linux" render "${options[@]}" --screen all --out linux-out
        win render "${options[@]}" --screen all --out windows-out
        "$linux" render "${options[@]}" --screen 0 --out linux-out/screen-0.jpg
        win render "${options[@]}" --screen 0 --out windows-out/screen-0.jpg
        same linux-out/screen-0.jpg windows-out/screen-0.jpg \
            "render $scheme screen 0 as JPEG, background $(basename "$background")"
        for screen in 0 1 2 3 4 5 6 7; do
            same linux-out/screen-$screen.png windows-out/screen-$screen.png \
                "render $scheme screen $screen, background $(basename "$background")" \
                "$here/samepixels.py"
        done
    done
done

# The design help: the contrast figures and the suggested schemes.
picture=$here/../../resources/about.jpg
for scheme in linux-default.sch linux-vivid.sch; do
    "$linux" check "$scheme" --background "$picture" --ini preview.ini --json > linux-check.json || true
    win check "$scheme" --background "$picture" --ini preview.ini --json > windows-check.json || true
    same linux-check.json windows-check.json "check $scheme"
done
for options in "" "--dark --variant 1" "--light --variant 5"; do
    # Exit status 3: written, with places that stay below their bound (named on stderr).
    # shellcheck disable=SC2086 # the options are words
    "$linux" suggest "$picture" linux-suggested.sch $options || [ $? -eq 3 ]
    # shellcheck disable=SC2086
    win suggest "$picture" windows-suggested.sch $options || [ $? -eq 3 ]
    same linux-suggested.sch windows-suggested.sch "suggest $options"
done

echo "$failures differences"
[ "$failures" -eq 0 ]
