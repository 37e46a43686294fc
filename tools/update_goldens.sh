#!/usr/bin/env bash
# Writes the preview's golden pictures (tests/preview/goldens/) anew from the drawing code
# as it is now. Run it only after a change that is meant to alter the preview's pixels,
# look at every picture that changed, and commit them with that change.
#   tools/update_goldens.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
build=${1:-build}
cmake --build "$build" --target test_preview
TINTORA_UPDATE_GOLDENS=1 QT_QPA_PLATFORM=offscreen "$build/bin/test_preview" \
    --gtest_filter='Goldens/*' --gtest_brief=1
git status --short -- tests/preview/goldens
