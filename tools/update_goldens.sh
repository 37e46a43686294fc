#!/usr/bin/env bash
# Writes every golden record anew from the code as it is now: the preview's pictures
# (tests/preview/goldens/), tintora-cli's texts (tests/cli/goldens/) and the windows'
# captions (tests/ui/captions.txt). Run it only after a change that is meant to alter them,
# look at every file that changed, and commit them with that change.
#   tools/update_goldens.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
build=${1:-build}
cmake --build "$build" --target test_preview test_cli test_windows
# Pictures of cells no longer painted would linger.
rm -f tests/preview/goldens/*.png
export TINTORA_UPDATE_GOLDENS=1 QT_QPA_PLATFORM=offscreen
"$build/bin/test_preview" --gtest_filter='Goldens/*' --gtest_brief=1
"$build/bin/test_cli" --gtest_filter='CliGoldenTest.TextOutputsMatchTheCommittedOnes' --gtest_brief=1
"$build/bin/test_windows" --gtest_filter='CaptionsTest.*' --gtest_brief=1
git status --short -- tests/preview/goldens tests/cli/goldens tests/ui/captions.txt
