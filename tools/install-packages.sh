#!/usr/bin/env bash
# Installs what building and testing Vireldan needs on Debian 12 (run as root).
# Does nothing when every package is already there, so a second run costs no network.
#
# Package mirrors are sometimes caught mid-sync: one index fails to download, or the security
# suite's amd64 libraries are newer than their i386 twins in a stale list. Neither should stop a
# build, so a failing update only warns, and an install the resolver cannot satisfy is tried once
# more preferring the release's own versions. Every step runs a bounded number of times.
set -euo pipefail

release=bookworm
packages=(
  # the product: 32-bit Windows cross toolchain (-posix: std::mutex) and the assembler for libjpeg-turbo's SIMD
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev nasm
  libz-mingw-w64-dev
  # the 64-bit test tree, for machines that run no 32-bit code
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  # running and testing it: Wine with both halves, a virtual display, fonts for Wine
  wine wine32:i386 wine64 xvfb xauth fonts-wine fonts-liberation x11-apps imagemagick libvips-tools
  # both build trees
  cmake ninja-build dpkg-dev pkg-config python3
  # the native tree: Debian's codec libraries, GoogleTest, clang's libFuzzer
  g++ libjpeg62-turbo-dev libpng-dev libtiff-dev googletest libgtest-dev clang libclang-rt-14-dev
  # real files nobody here made, and the peer tools the benchmarks measure against
  gdk-pixbuf-tests libjxl-testdata libjpeg-turbo-progs graphicsmagick
  # rendering what the Windows printer driver writes
  ghostscript
  # the SMTP server the mailer's tests send to
  python3-aiosmtpd
  # opening the web sites the program writes in a real browser
  chromium
)

missing_packages() {
  local p status
  for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || echo "$p"
  done
}

mapfile -t missing < <(missing_packages)
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-packages: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

# wine32 needs the i386 architecture; the codec sources come from deb-src. (The script's own test
# points APT_SOURCES_DIR at a folder of its own.)
sources=${APT_SOURCES_DIR:-/etc/apt}
dpkg --add-architecture i386
if ! grep -rqs '^Types:.*deb-src' "$sources/sources.list.d/" && ! grep -qs '^deb-src' "$sources/sources.list"; then
  mkdir -p "$sources/sources.list.d"
  cat > "$sources/sources.list.d/vireldan-src.sources" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $release $release-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
fi

export DEBIAN_FRONTEND=noninteractive
apt_options=(-o Acquire::Retries=2 -o Acquire::http::Timeout=60 -o Acquire::https::Timeout=60)

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! apt-get "${apt_options[@]}" update -qq >"$log" 2>&1; then
  echo "install-packages: warning: apt-get update failed; going on with the package lists there are:" >&2
  grep -E '^(E|W|Err):' "$log" | sed 's/^/  /' >&2 || sed 's/^/  /' "$log" >&2
fi

install() {  # [apt-get options...]
  apt-get "${apt_options[@]}" install -y -qq --no-install-recommends "$@" "${missing[@]}" >"$log" 2>&1
}
install && exit 0
echo "install-packages: the install could not be resolved; trying again with $release's own versions" >&2
grep -E '^E:' "$log" | sed 's/^/  /' >&2 || true
install -t "$release" && exit 0

# Name what stands in the way: each package that cannot be installed even on its own.
unresolved=()
for p in "${missing[@]}"; do
  apt-get "${apt_options[@]}" install -s -qq -t "$release" "$p" >/dev/null 2>&1 || unresolved+=("$p")
done
echo "install-packages: could not install: ${unresolved[*]:-${missing[*]}}" >&2
grep -E '^E:' "$log" | sed 's/^/  /' >&2 || true
exit 1
