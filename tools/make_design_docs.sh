#!/usr/bin/env bash
# Shows what suggest makes of three photograph-like pictures, before and after a change to
# the design help: docs/design/PICTURE.png, the picture and three screens of each scheme,
# and docs/design/results.txt, what each suggest said and what today's check --all-states
# finds in each scheme.
#   tools/make_design_docs.sh BEFORE-TINTORA-CLI [AFTER-TINTORA-CLI]   (default: build/bin/tintora-cli)
# Needs ImageMagick (convert, montage).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
before=$(readlink -f "$1")
after=$(readlink -f "${2:-build/bin/tintora-cli}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
/usr/bin/python3 tools/make_design_pictures.py "$work"
: > docs/design/results.txt
for name in harbour beach dusk; do
    convert "$work/$name.ppm" -quality 92 "$work/$name.jpg"
    convert "$work/$name.jpg" -resize 128x128! -scale 200% "$work/$name-picture.png"
    tiles=("$work/$name-picture.png")
    for which in before after; do
        cli=$before
        [ "$which" = after ] && cli=$after
        set +e
        said=$("$cli" suggest "$work/$name.jpg" "$work/$name-$which.sch" 2>&1)
        status=$?
        set -e
        checked=$("$after" check "$work/$name-$which.sch" --background "$work/$name.jpg" --all-states || true)
        { echo "$name, $which: suggest exited $status"; echo "$said" | sed "s|$work/||g; s/^/  /"
          echo "  check --all-states:"; echo "$checked" | sed 's/^/    /'; } >> docs/design/results.txt
        for screen in 0 2 4; do
            "$cli" render --scheme "$work/$name-$which.sch" --background "$work/$name.jpg" --screen $screen \
                --now "2025-03-12 10:08" --out "$work/$name-$which-$screen.png"
            convert "$work/$name-$which-$screen.png" -scale 200% "$work/$name-$which-$screen.png"
            tiles+=("$work/$name-$which-$screen.png")
        done
    done
    montage "${tiles[@]}" -tile 7x1 -geometry +4+4 -background '#d0d0d0' "docs/design/$name.png"
done
