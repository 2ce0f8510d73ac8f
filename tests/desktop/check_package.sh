#!/usr/bin/env bash
# Makes the Debian package of the build with cpack, in a scratch folder, and checks it with
# lintian: no error and no warning. Every tag is printed, informations included.
#
#   check_package.sh BUILD_DIR
#
# Exit status: 0 passed, 1 failed, 77 skipped (cpack, dpkg-deb, dpkg-shlibdeps or lintian
# missing).
set -uo pipefail

build="$(realpath -- "$1")"

for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    if ! command -v "$tool" > /dev/null; then
        echo "SKIP: $tool is not installed; the package is not checked"
        exit 77
    fi
done

scratch="$(mktemp -d "${TMPDIR:-/tmp}/kabiro-deb.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch" > "$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack could not make the package"
    exit 1
fi
deb="$(find "$scratch" -maxdepth 1 -name 'paniva_*.deb' | head -n 1)"
[ -n "$deb" ] || { cat "$scratch/cpack.log"; echo "FAIL: cpack made no paniva_*.deb"; exit 1; }
echo "package: $(basename "$deb")"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# What the package holds beyond the tree (checked by desktop.install_tree): the control fields.
control="$(dpkg-deb --field "$deb")"
for field in 'Package: paniva' 'Section: misc' 'Priority: optional'; do
    grep -qxF "$field" <<< "$control" || fail "the control file has no '$field'"
done
grep -q '^Depends:.*libqt6widgets6' <<< "$control" || fail "the package does not depend on Qt Widgets"
grep -q '^Depends:.*fonts-liberation' <<< "$control" || fail "the package does not depend on the fonts"
version="$(sed -n 's/^Version: //p' <<< "$control")"
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/paniva/changelog.Debian.gz 2> /dev/null |
    zcat 2> /dev/null | head -n 1 | grep -qF "paniva ($version) " ||
    fail "the Debian changelog does not start with version $version"

lintian --display-info --display-experimental --tag-display-limit 0 "$deb" > "$scratch/lintian.log" 2>&1
status=$?
echo "--- lintian (status $status)"
cat "$scratch/lintian.log"
echo "---"
grep -q '^[EW]: ' "$scratch/lintian.log" && fail "lintian reports errors or warnings"
# lintian ends with 0, or 1 when it reports a tag at or above its default threshold (error).
[ $status -le 1 ] || fail "lintian did not run to the end (status $status)"

if [ $failures -gt 0 ]; then
    echo "$failures fault(s) in the package"
    exit 1
fi
echo "PASS: the package passes lintian without error or warning"
