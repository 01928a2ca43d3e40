#!/usr/bin/env bash
# The package script on a mirror caught mid-sync, with no network: stand-ins for apt-get,
# dpkg-query, dpkg and id come first on PATH and play the mirror's part.
# Usage: install_packages_test.sh <source dir>
set -uo pipefail
script="$1/tools/install-packages.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/apt"

cat > "$work/bin/apt-get" <<'STANDIN'
#!/usr/bin/env bash
echo "apt-get $*" >> "$STANDIN_LOG"
case " $* " in
  *" update "*)
    echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
  *" install -s "*)  # a single package's trial: only wine32 has no installable version
    case " $* " in *" wine32:i386 "*) exit 100 ;; esac
    exit 0 ;;
  *" -t bookworm "*)
    [ "$STANDIN_MODE" = stale ] && exit 0 ;;
esac
echo "E: Unable to correct problems, you have held broken packages."
exit 100
STANDIN
cat > "$work/bin/dpkg-query" <<'STANDIN'
#!/usr/bin/env bash
echo "dpkg-query: no packages found matching ${*: -1}" >&2
exit 1
STANDIN
printf '#!/bin/sh\nexit 0\n' > "$work/bin/dpkg"
printf '#!/bin/sh\necho 0\n' > "$work/bin/id"
chmod +x "$work/bin/"*

. "$(dirname "$0")/script_checks.sh"

run() {  # <mode>: runs the script, leaving its exit code, output and apt-get calls in $work
  : > "$work/calls"
  STANDIN_MODE=$1 STANDIN_LOG="$work/calls" APT_SOURCES_DIR="$work/apt" PATH="$work/bin:$PATH" \
    timeout 60 bash "$script" > "$work/out" 2>&1
  echo $? > "$work/rc"
}
installs() { grep -c " install -y" "$work/calls"; }

run stale
check "a stale index and a resolver that needs the release: succeeds" test "$(cat "$work/rc")" = 0
check "the failed update is only a warning" grep -q "warning: apt-get update failed" "$work/out"
check "the warning names the failing index" grep -q "Mirror sync in progress" "$work/out"
check "two installs: as asked, then with the release as target" test "$(installs)" = 2
check "the second install targets bookworm" grep -q "install -y .* -t bookworm" "$work/calls"
check "deb-src is added where there was none" grep -q "Types: deb-src" "$work/apt/sources.list.d/vireldan-src.sources"

run broken
check "every install failing: fails" test "$(cat "$work/rc")" = 1
check "two installs, then one trial per package, no more" test "$(installs)" = 2
check "the message names the package that cannot be installed" \
  grep -qx "install-packages: could not install: wine32:i386" "$work/out"

end_checks
