#!/usr/bin/env bash
# Cross-builds the codec libraries and GoogleTest as static Windows libraries into .deps/<tree>,
# from Debian's own source packages: win32 for the product, win64 for the 64-bit test tree.
# A library is rebuilt only when its Debian version or this script (or the toolchain file)
# changed since it was last built. Usage: build-deps.sh [win32|win64]
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-win32}
. "$top/tools/windows-tree.sh"
windows_tree_toolchain "$tree" || exit 1
deps="$top/.deps"
prefix="$deps/$tree"
toolchain="$top/cmake/$toolchain_file"
recipe_hash=$(cat "$0" "$toolchain" "$top/cmake/mingw.cmake" | sha256sum | cut -c1-16)
mkdir -p "$deps/src" "$deps/build/$tree" "$prefix/stamps"

# The bookworm version of a source package. A bare name can pick a bookworm-security version
# whose files are not served, so the suite is named.
source_version() {
  apt-get source --print-uris "$1/bookworm" 2>/dev/null |
    sed -n "s/^'[^']*' $1_\\(.*\\)\\.dsc .*/\\1/p" | head -1
}

is_built() {
  local stamp="$prefix/stamps/$1"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$2 $recipe_hash" ]; then
    echo "deps: $1 $2 is built"
    return 0
  fi
  return 1
}

# Runs "<builder> <srcdir> <builddir>" and records the version as built.
build_one() {
  local name=$1 version=$2 srcdir=$3 builder=$4
  echo "deps: building $name $version"
  local bdir="$deps/build/$tree/$name"
  rm -rf "$bdir"
  mkdir -p "$bdir"
  "$builder" "$srcdir" "$bdir" > "$bdir.log" 2>&1 || { echo "deps: building $name failed; see $bdir.log" >&2; tail -30 "$bdir.log" >&2; exit 1; }
  echo "$version $recipe_hash" > "$prefix/stamps/$name"
}

# Unpacks the source package (with Debian's patches) into $deps/src/<name>-<upstream version>.
# A mirror caught mid-sync can fail a download once; three tries, then the download's own error.
fetch_source() {
  local name=$1 version=$2 try log
  fetched="$deps/src/$name-${version%-*}"
  [ -f "$deps/src/.fetched-$name-$version" ] && [ -d "$fetched" ] && return
  log="$deps/src/.fetch-$name.log"
  for try in 1 2 3; do
    rm -rf "$fetched"
    (cd "$deps/src" && apt-get -o Acquire::Retries=2 -o Acquire::http::Timeout=60 source -qq "$name/bookworm") \
      >"$log" 2>&1 && break
    [ "$try" -lt 3 ] || { echo "deps: apt-get source $name/bookworm failed:" >&2; tail -5 "$log" >&2; exit 1; }
    echo "deps: apt-get source $name/bookworm failed (try $try of 3); trying again" >&2
    sleep $((try * 5))
  done
  [ -d "$fetched" ] || { echo "deps: $name unpacked somewhere other than $fetched" >&2; exit 1; }
  touch "$deps/src/.fetched-$name-$version"
}

cmake_cross() {
  local src=$1 bdir=$2; shift 2
  cmake -S "$src" -B "$bdir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
  cmake --build "$bdir" --target install
}

build_libjpeg() {
  cmake_cross "$1" "$2" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DREQUIRE_SIMD=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
}

build_libpng() {
  cmake_cross "$1" "$2" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_USE_STATIC_LIBS=ON -DZLIB_LIBRARY="/usr/$mingw_triple/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="/usr/$mingw_triple/include"
}

build_libtiff() {
  # Deflate ("ZIP") and JPEG compressed TIFFs are common from scanners and editors: libtiff reads
  # them through the same static zlib and libjpeg the rest of the library uses. A picture stored
  # as one huge strip is read a scanline at a time; chunked strip reading keeps libtiff from
  # first loading the whole compressed strip, which a 32-bit process may not have room for.
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF \
    -Dtiff-docs=OFF -Dcxx=OFF -Dzlib=ON -Dlibdeflate=OFF -Dpixarlog=OFF -Djpeg=ON -Dold-jpeg=OFF \
    -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dwebp=OFF -Dzstd=OFF -Dchunky-strip-read=ON \
    -DZLIB_LIBRARY="/usr/$mingw_triple/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$mingw_triple/include" \
    -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$prefix/include"
  # libtiff drops a codec it cannot build without saying so loudly: insist on the ones we need.
  local codec
  for codec in LZW PACKBITS ZIP JPEG; do
    grep -q "^#define ${codec}_SUPPORT 1" "$2/libtiff/tiffconf.h" ||
      { echo "libtiff was configured without ${codec}_SUPPORT" >&2; return 1; }
  done
}

build_gtest() {
  cmake_cross "$1" "$2" -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=ON
}

for pkg in libjpeg-turbo:build_libjpeg libpng1.6:build_libpng tiff:build_libtiff; do
  name=${pkg%%:*}
  version=$(source_version "$name")
  [ -n "$version" ] || { echo "deps: no bookworm source for $name (is deb-src enabled?)" >&2; exit 1; }
  is_built "$name" "$version" && continue
  fetch_source "$name" "$version"
  build_one "$name" "$version" "$fetched" "${pkg#*:}"
done

gtest_version=$(dpkg-query -W -f='${Version}' googletest)
is_built googletest "$gtest_version" || build_one googletest "$gtest_version" /usr/src/googletest build_gtest
