#!/usr/bin/env bash
# Installs what building and testing Vireldan needs on Debian 12 (run as root).
# Does nothing when every package is already there, so a second run costs no network.
set -euo pipefail

packages=(
  # the product: 32-bit Windows cross toolchain (-posix: std::mutex) and the assembler for libjpeg-turbo's SIMD
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev nasm
  libz-mingw-w64-dev
  # running and testing it: Wine with its 32-bit half, a virtual display, fonts for Wine
  wine wine32:i386 xvfb xauth fonts-wine x11-apps imagemagick libvips-tools
  # both build trees
  cmake ninja-build dpkg-dev pkg-config python3
  # the native tree: Debian's codec libraries, GoogleTest, clang's libFuzzer
  g++ libjpeg62-turbo-dev libpng-dev libtiff-dev googletest libgtest-dev clang libclang-rt-14-dev
  # real files nobody here made, and the peer tools the benchmarks measure against
  gdk-pixbuf-tests libjxl-testdata libjpeg-turbo-progs
  # rendering what the Windows printer driver writes
  ghostscript
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-packages: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

# wine32 needs the i386 architecture; the codec sources come from deb-src.
dpkg --add-architecture i386
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  cat > /etc/apt/sources.list.d/vireldan-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
