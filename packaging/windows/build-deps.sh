#!/usr/bin/env bash
# Builds the libraries the Windows build links statically: Qt (widgets only),
# libjpeg-turbo, libusb, Little CMS, libimagequant and GoogleTest, from Debian's
# source packages, into
#   $TINTORA_WINDOWS_CACHE (default ~/.cache/tintora-windows)/prefix
# Each library is built once; a later run finds its stamp and skips it.
set -euo pipefail
here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
cache=${TINTORA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tintora-windows}
prefix=$cache/prefix
toolchain=$here/mingw-w64-x86_64.cmake
jobs=$(nproc)
mkdir -p "$cache/src" "$cache/work" "$prefix"

log() { echo "== windows deps: $*"; }

# apt-get source with deb-src entries made from the system's own apt sources,
# in a list of our own: the system's configuration is left as it is.
fetch_sources() {
    local apt=$cache/apt
    mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial"
    rm -f "$apt/parts/"*
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt/parts/$(basename "$f")"
    done
    : > "$apt/sources.list"
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] && sed -n 's/^deb \(.*\)/deb-src \1/p' "$f" >> "$apt/sources.list"
    done
    local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
                -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
                -o "APT::Sandbox::User=root")
    apt-get "${opts[@]}" -qq update
    (cd "$cache/src" && apt-get "${opts[@]}" -qq source --download-only "$@")
}

# unpack ARCHIVE_GLOB DIR: the upstream tarball only; Debian's patches are for Linux.
unpack() {
    local archive dir=$cache/work/$2
    archive=$(ls "$cache/src/"$1 | head -n 1)
    rm -rf "$dir" && mkdir -p "$dir"
    tar xf "$archive" -C "$dir" --strip-components=1
    echo "$dir"
}

done_already() { [ -f "$prefix/.stamp-$1" ]; }
mark_done() { touch "$prefix/.stamp-$1"; }

build_qt() {
    done_already qt && return 0
    log "Qt 6.4.2 (static, widgets only): about 35 minutes on two cores"
    local src build=$cache/work/qt-build
    src=$(unpack 'qt6-base_6.4.2*.orig.tar.xz' qtbase)
    rm -rf "$build" && mkdir -p "$build"
    # Tablets need Wintab headers that Debian's source leaves out; Direct2D would
    # take the DirectWrite font database with it, which every program needs.
    (cd "$build" && "$src/configure" -prefix "$prefix" \
        -release -static -static-runtime -xplatform win32-g++ -qt-host-path /usr \
        -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-pkg-config \
        -no-feature-vulkan -no-feature-sql -no-feature-network -no-feature-printsupport \
        -no-feature-xml -no-feature-direct2d1_1 -no-feature-tabletevent \
        -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-freetype -qt-harfbuzz \
        -qt-doubleconversion \
        -- -G Ninja -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" >"$build/configure.log" 2>&1) \
        || { tail -n 40 "$build/configure.log"; return 1; }
    cmake --build "$build" --parallel "$jobs"
    cmake --install "$build" >/dev/null
    rm -rf "$build" "$src"
    mark_done qt
}

# cmake_library NAME SOURCE_DIR OPTIONS...: a static library of a CMake project.
cmake_library() {
    local name=$1 src=$2
    shift 2
    local build=$cache/work/$name-build
    rm -rf "$build"
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
    cmake --build "$build" --parallel "$jobs" >/dev/null
    cmake --install "$build" >/dev/null
    rm -rf "$build"
}

build_libjpeg() {
    done_already libjpeg && return 0
    log "libjpeg-turbo"
    local src
    src=$(unpack 'libjpeg-turbo_*.orig.tar.gz' libjpeg-turbo)
    cmake_library libjpeg-turbo "$src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF
    rm -rf "$src"
    mark_done libjpeg
}

build_libusb() {
    done_already libusb && return 0
    log "libusb"
    local src
    src=$(unpack 'libusb-1.0_*.orig.tar.bz2' libusb)
    (cd "$src" && ./configure -q --host=x86_64-w64-mingw32 --prefix="$prefix" \
        --enable-static --disable-shared CC=x86_64-w64-mingw32-gcc-posix \
        && make -s -j"$jobs" && make -s install) >/dev/null
    rm -rf "$src"
    mark_done libusb
}

build_lcms2() {
    done_already lcms2 && return 0
    log "Little CMS"
    local src
    src=$(unpack 'lcms2_*.orig.tar.gz' lcms2)
    # The library and its header only: the command-line tools would want libjpeg and libtiff.
    (cd "$src" && ./configure -q --host=x86_64-w64-mingw32 --prefix="$prefix" \
        --enable-static --disable-shared --without-jpeg --without-tiff --without-zlib \
        CC=x86_64-w64-mingw32-gcc-posix \
        && make -s -C src -j"$jobs" install && make -s -C include install) >/dev/null
    rm -rf "$src"
    mark_done lcms2
}

# The C library of pngquant 2; its own configure script knows no cross compiler, and the
# library is a handful of C files.
build_libimagequant() {
    done_already libimagequant && return 0
    log "libimagequant"
    local src cc=x86_64-w64-mingw32-gcc-posix
    src=$(unpack 'libimagequant_*.orig.tar.gz' libimagequant)
    (cd "$src" && for c in blur kmeans libimagequant mediancut mempool nearest pam; do
        $cc -O3 -std=c99 -DNDEBUG -fno-math-errno -Wno-attributes -c "$c.c" -o "$c.o" || exit 1
    done && x86_64-w64-mingw32-gcc-ar-posix rcs libimagequant.a ./*.o) >/dev/null
    install -D -m 644 "$src/libimagequant.a" "$prefix/lib/libimagequant.a"
    install -D -m 644 "$src/libimagequant.h" "$prefix/include/libimagequant.h"
    rm -rf "$src"
    mark_done libimagequant
}

# The licence texts of what the programs link, one file a library, for the zip.
collect_licences() {
    done_already licences-2 && return 0
    local out=$prefix/licences tmp=$cache/work/licences
    rm -rf "$out" "$tmp" && mkdir -p "$out" "$tmp"
    local qt=qtbase-everywhere-src-6.4.2 third=qtbase-everywhere-src-6.4.2/src/3rdparty
    tar xJf "$(ls "$cache/src/"qt6-base_6.4.2*.orig.tar.xz)" -C "$tmp" \
        $qt/LICENSES/LGPL-3.0-only.txt $third/zlib/LICENSE $third/pcre2/LICENCE \
        $third/double-conversion/LICENSE $third/freetype/docs/FTL.TXT \
        $third/harfbuzz-ng/COPYING $third/libpng/LICENSE $third/md4c/LICENSE.md \
        $third/tinycbor/LICENSE $third/blake2/COPYING $third/rfc6234/LICENSE \
        $third/easing/LICENSE $third/icc/LICENSE.txt
    cp "$tmp/$qt/LICENSES/LGPL-3.0-only.txt" "$out/Qt 6.4.2.txt"
    local name
    # name:file below src/3rdparty
    for name in zlib:zlib/LICENSE pcre2:pcre2/LICENCE double-conversion:double-conversion/LICENSE \
                freetype:freetype/docs/FTL.TXT harfbuzz:harfbuzz-ng/COPYING libpng:libpng/LICENSE \
                md4c:md4c/LICENSE.md tinycbor:tinycbor/LICENSE blake2:blake2/COPYING \
                rfc6234:rfc6234/LICENSE easing:easing/LICENSE icc:icc/LICENSE.txt; do
        cp "$tmp/$third/${name#*:}" "$out/Qt's ${name%%:*}.txt"
    done
    tar xzf "$(ls "$cache/src/"libjpeg-turbo_*.orig.tar.gz)" -C "$tmp" --wildcards \
        '*/LICENSE.md' '*/README.ijg'
    cat "$tmp"/libjpeg-turbo-*/LICENSE.md "$tmp"/libjpeg-turbo-*/README.ijg > "$out/libjpeg-turbo.txt"
    tar xjf "$(ls "$cache/src/"libusb-1.0_*.orig.tar.bz2)" -C "$tmp" --wildcards '*/COPYING'
    cp "$tmp"/libusb-*/COPYING "$out/libusb.txt"
    tar xzf "$(ls "$cache/src/"lcms2_*.orig.tar.gz)" -C "$tmp" --wildcards '*/COPYING'
    cp "$tmp"/lcms2-*/COPYING "$out/Little CMS.txt"
    tar xzf "$(ls "$cache/src/"libimagequant_*.orig.tar.gz)" -C "$tmp" --wildcards '*/COPYRIGHT'
    cp "$tmp"/libimagequant-*/COPYRIGHT "$out/libimagequant.txt"
    rm -rf "$tmp"
    mark_done licences-2
}

build_googletest() {
    done_already googletest && return 0
    log "GoogleTest"
    cmake_library googletest /usr/src/googletest -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
    mark_done googletest
}

# Debian's source packages, kept in the cache: every build starts from them.
if ! ls "$cache/src/"qt6-base_6.4.2*.orig.tar.xz "$cache/src/"libjpeg-turbo_*.orig.tar.gz \
        "$cache/src/"libusb-1.0_*.orig.tar.bz2 >/dev/null 2>&1; then
    log "fetching the sources of Qt, libjpeg-turbo and libusb"
    fetch_sources qt6-base libjpeg-turbo libusb-1.0
fi
if ! ls "$cache/src/"lcms2_*.orig.tar.gz "$cache/src/"libimagequant_*.orig.tar.gz >/dev/null 2>&1; then
    log "fetching the sources of Little CMS and libimagequant"
    fetch_sources lcms2 libimagequant
fi
build_libjpeg
build_libusb
build_lcms2
build_libimagequant
build_googletest
build_qt
collect_licences
log "ready in $prefix"
