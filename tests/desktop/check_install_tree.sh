#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what the desktop needs of it:
#
#   check_install_tree.sh CMAKE BUILD_DIR
#
# - bin/kabiro is there and runnable;
# - share/applications/paniva.desktop passes desktop-file-validate and names the program, its
#   icon and the list-file type;
# - share/mime/packages/paniva.xml is well-formed (xmllint) and update-mime-database makes
#   *.pnv files application/x-paniva from it;
# - the icon is in the hicolor theme at each size, each picture of its size;
# - the help document and its style sheet are in share/doc/paniva.
# A validator that is not installed is left out (said so in the output); the other checks run.
set -uo pipefail

cmake="$1"
build="$2"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/kabiro-install.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/usr"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$prefix" > "$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; echo "FAIL: cmake --install"; exit 1; }

# ------------------------------------------------------------------ the program
[ -x "$prefix/bin/kabiro" ] || fail "bin/kabiro is missing or not executable"

# ------------------------------------------------------------------ the menu entry
desktop="$prefix/share/applications/paniva.desktop"
if [ ! -f "$desktop" ]; then
    fail "share/applications/paniva.desktop is missing"
else
    for line in 'Type=Application' 'Name=Paniva' 'Exec=kabiro %f' 'Icon=paniva' \
                'Categories=Office;' 'MimeType=application/x-paniva;' 'Terminal=false'; do
        grep -qxF "$line" "$desktop" || fail "paniva.desktop has no line '$line'"
    done
    grep -q '^Comment=..*' "$desktop" || fail "paniva.desktop has no comment"
    if command -v desktop-file-validate > /dev/null; then
        # Errors give a failing status; warnings are faults of ours too.
        if ! desktop-file-validate "$desktop" > "$scratch/validate.log" 2>&1 ||
            grep -q 'warning:' "$scratch/validate.log"; then
            cat "$scratch/validate.log"
            fail "desktop-file-validate refuses paniva.desktop"
        fi
    else
        echo "note: desktop-file-validate is not installed; the menu entry is not validated"
    fi
fi

# ------------------------------------------------------------------ the list-file type
mime="$prefix/share/mime/packages/paniva.xml"
if [ ! -f "$mime" ]; then
    fail "share/mime/packages/paniva.xml is missing"
else
    grep -q '<glob pattern="\*\.pnv"/>' "$mime" || fail "paniva.xml has no *.pnv pattern"
    grep -q '<comment xml:lang="fr">' "$mime" || fail "paniva.xml has no French comment"
    if command -v xmllint > /dev/null; then
        xmllint --noout "$mime" || fail "paniva.xml is not well-formed"
    else
        echo "note: xmllint is not installed; paniva.xml is not parsed"
    fi
    if command -v update-mime-database > /dev/null; then
        # A database of its own, built from our file alone.
        mkdir -p "$scratch/mime/packages"
        cp "$mime" "$scratch/mime/packages/"
        if ! update-mime-database "$scratch/mime" > "$scratch/mime.log" 2>&1; then
            cat "$scratch/mime.log"
            fail "update-mime-database refuses paniva.xml"
        fi
        grep -qxF 'application/x-paniva:*.pnv' <(cut -d: -f2- "$scratch/mime/globs2" 2> /dev/null) ||
            fail "the MIME database does not give *.pnv the type application/x-paniva"
        grep -q 'Liste de courses' "$scratch/mime/application/x-paniva.xml" 2> /dev/null ||
            fail "the MIME database has no French comment for application/x-paniva"
    else
        echo "note: update-mime-database is not installed; the MIME database is not built"
    fi
fi

# ------------------------------------------------------------------ the icons
# Width and height of a PNG picture, from its header.
png_size() {
    local bytes
    bytes=($(od -An -tu1 -j16 -N8 "$1"))
    [ ${#bytes[@]} -eq 8 ] || return 1
    echo "$(((bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3]))x$(((bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7]))"
}
for size in 16 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/paniva.png"
    if [ ! -f "$icon" ]; then
        fail "no icon of $size pixels"
    elif [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
        fail "the icon of $size pixels is not a PNG picture"
    elif [ "$(png_size "$icon")" != "${size}x${size}" ]; then
        fail "the icon of $size pixels is $(png_size "$icon")"
    fi
done

# ------------------------------------------------------------------ the help
for f in aide.html aide.css; do
    [ -s "$prefix/share/doc/paniva/$f" ] || fail "share/doc/paniva/$f is missing"
done
grep -q 'href="aide.css"' "$prefix/share/doc/paniva/aide.html" 2> /dev/null ||
    fail "the installed help does not use its style sheet"

if [ $failures -gt 0 ]; then
    echo "$failures fault(s) in the installed tree"
    exit 1
fi
echo "PASS: the installed tree is complete and valid"
