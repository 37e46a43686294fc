#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, for ctest and by hand:
#   packaging/windows/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# The prefix is the one tintora.sh windows made in the cache. Wine keeps Qt's
# variables from the program unless they carry its WINE prefix, and a static
# Qt asked for a platform it lacks would wait on a message box for ever:
# hence the mapping and the time limit.
set -u
cache=${TINTORA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tintora-windows}
export WINEPREFIX=${WINEPREFIX:-$cache/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEQT_FORCE_STDERR_LOGGING=1
[ -n "${QT_QPA_PLATFORM:-}" ] && export WINEQT_QPA_PLATFORM=$QT_QPA_PLATFORM
exec timeout --kill-after=10 "${TINTORA_WINE_TIMEOUT:-900}" wine "$@"
