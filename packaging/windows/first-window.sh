#!/usr/bin/env bash
# Starts a Windows program under Wine on the X display and ends it as soon as
# its first window is on screen: the command that start-up timings run.
#   DISPLAY=:N packaging/windows/first-window.sh PROGRAM.exe WINDOW-TITLE [ARGUMENTS...]
set -u
here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
program=$1 title=$2
shift 2
unset QT_QPA_PLATFORM
"$here/wine-run.sh" "$program" "$@" &
runner=$!
timeout 60 xdotool search --sync --onlyvisible --name "$title" >/dev/null
found=$?
kill "$runner" 2>/dev/null
# The program itself, as Wine names it: C:\...\NAME.exe
pkill -f "^[A-Za-z]:.*$(basename "$program")" 2>/dev/null
wait "$runner" 2>/dev/null
exit $found
