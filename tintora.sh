#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Tintora, and runs it or its tests.
#   ./tintora.sh run [FILE.sch]   install what is missing, build, open the editor
#   ./tintora.sh test             install what is missing, build, run every test
#   ./tintora.sh build            install what is missing, build
#   ./tintora.sh sanitize         every test again, built with AddressSanitizer and
#                                 UndefinedBehaviorSanitizer (build-sanitize/)
#   ./tintora.sh fuzz [SECONDS]   each fuzz target for SECONDS (60) on its corpus, built in
#                                 the same tree as sanitize
#   ./tintora.sh package          install what is missing, build, make build/tintora_*.deb
#   ./tintora.sh windows          cross-build for Windows (Qt and the libraries are built
#                                 once into a cache), make build-windows/tintora-*-win64.zip
#   ./tintora.sh windows-test     the same, then every Windows test under Wine
#   ./tintora.sh windows-deps     only the cache: Qt and the libraries, and the Wine prefix
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

# scdoc writes the manual pages; the font is for the screenshots the build renders.
BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-l10n-tools
                libjpeg62-turbo-dev libusb-1.0-0-dev liblcms2-dev libimagequant-dev
                libgtest-dev libgmock-dev libbenchmark-dev
                scdoc gzip fonts-dejavu-core)
RUN_PACKAGES=(fonts-dejavu-core qt6-translations-l10n)
# clang's sanitizers and libFuzzer, for the sanitize and fuzz commands.
HARDENING_PACKAGES=(clang-14 libclang-rt-14-dev ninja-build)
# The Debian package (dpkg-shlibdeps, file) and the checkers of the installed files.
PACKAGE_PACKAGES=(dpkg-dev file)
# MinGW-w64, the sources of the Windows libraries (apt-get source) and Wine.
WINDOWS_PACKAGES=(cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-l10n-tools googletest
                  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix nasm dpkg-dev
                  xz-utils bzip2 wine wine64 xvfb xauth qt6-translations-l10n)
TEST_PACKAGES=("${PACKAGE_PACKAGES[@]}" qt6-translations-l10n desktop-file-utils appstream libxml2-utils
               shared-mime-info libglib2.0-bin xdg-utils lintian)

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    # One install at a time: CI makes the Windows cache while the Linux stages run.
    (
        flock 9
        "${sudo[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" </dev/null
    ) 9>"${TMPDIR:-/tmp}/tintora-apt.lock"
}

build() {
    install_missing "${BUILD_PACKAGES[@]}"
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build --parallel "$(nproc)"
}

# The sanitizers' and the fuzzers' tree, one for both, apart from the plain build. Line
# tables are all a sanitizer's report needs, and -O1 compiles much faster than -O2.
build_hardened() {
    install_missing "${BUILD_PACKAGES[@]}" "${HARDENING_PACKAGES[@]}"
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
        -DTINTORA_BUILD_BENCH=OFF -DTINTORA_SANITIZE=ON -DTINTORA_FUZZ=ON >/dev/null
    cmake --build build-sanitize --parallel "$(nproc)" "$@"
}

windows_cache=${TINTORA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tintora-windows}

windows_deps() {
    install_missing "${WINDOWS_PACKAGES[@]}"
    TINTORA_WINDOWS_CACHE=$windows_cache packaging/windows/build-deps.sh
    prepare_wine
}

build_windows() {
    windows_deps
    local prefix=$windows_cache/prefix
    PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig cmake -S . -B build-windows -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/packaging/windows/mingw-w64-x86_64.cmake" \
        -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_BUILD_TYPE=Release -DTINTORA_BUILD_BENCH=OFF \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/packaging/windows/wine-run.sh" \
        -DTINTORA_THIRD_PARTY_LICENCES="$prefix/licences" >/dev/null
    PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig cmake --build build-windows --parallel "$(nproc)"
    cmake --build build-windows --target zip
}

# A Wine prefix of its own in the cache, saying Windows 10 as the zip asks for.
prepare_wine() {
    export WINEPREFIX=$windows_cache/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    if [ ! -f "$WINEPREFIX/.tintora-ready" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wine winecfg -v win10 >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.tintora-ready"
    fi
}

command=${1:-}
[ $# -gt 0 ] && shift
case "$command" in
    run)
        build
        install_missing "${RUN_PACKAGES[@]}"
        exec build/bin/tintora "$@"
        ;;
    test)
        build
        install_missing "${TEST_PACKAGES[@]}"
        QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure \
            --parallel "$(nproc)"
        ;;
    build)
        build
        ;;
    sanitize)
        build_hardened
        QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure \
            --parallel "$(nproc)"
        ;;
    fuzz)
        build_hardened --target fuzz
        FUZZ_BUILD=build-sanitize fuzz/run.sh "${1:-60}"
        ;;
    package)
        build
        install_missing "${PACKAGE_PACKAGES[@]}"
        cpack -G DEB --config build/CPackConfig.cmake -B build
        ;;
    windows)
        build_windows
        ;;
    windows-deps)
        windows_deps
        ;;
    windows-test)
        build_windows
        build
        # One wineserver for the whole run, instead of one started and ended per program.
        wineserver -p 2>/dev/null || true  # one may be up already
        # A prefix's first programs finish setting it up; they should not do so side by side.
        TINTORA_WINE_TIMEOUT=300 packaging/windows/wine-run.sh build-windows/bin/tintora.exe \
            --version </dev/null >/dev/null 2>&1 || true
        status=0
        # No suite takes two minutes under Wine; a hung program fails in five, not fifteen, and
        # is given one more try, as Wine has been seen to stall a program's start once in a while.
        TINTORA_WINE_TIMEOUT=300 QT_QPA_PLATFORM=offscreen ctest --test-dir build-windows \
            --output-on-failure --parallel "$(nproc)" --repeat until-pass:2 || status=$?
        packaging/windows/compare-with-linux.sh build/bin build-windows/bin || status=1
        wineserver -k || true
        exit $status
        ;;
    *)
        echo "usage: $0 run [FILE.sch] | test | build | package | sanitize | fuzz [SECONDS]" \
             "| windows | windows-test | windows-deps" >&2
        exit 2
        ;;
esac
