#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what the desktop needs of it:
#
#   check_install_tree.sh CMAKE BUILD_DIR
#
# - bin/kabiro is there and answers --help, --version and an unknown option without a display;
# - share/applications/org.example.paniva.desktop passes desktop-file-validate and names the
#   program (started in the user's own folder), its icon and the list-file type;
# - share/metainfo/org.example.paniva.metainfo.xml passes appstreamcli validate and names the
#   menu entry;
# - share/mime/packages/paniva.xml is well-formed (xmllint) and update-mime-database makes
#   *.pnv files application/x-paniva from it;
# - the icon is in the hicolor theme at each size, each picture of its size, and scalable (SVG);
# - the French manual page kabiro.1.gz, the starter list share/paniva/exemple/kabiro.pnv;
# - the help document and its style sheet, the copyright file and the Debian changelog are in
#   share/doc/paniva.
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
kabiro="$prefix/bin/kabiro"
if [ ! -x "$kabiro" ]; then
    fail "bin/kabiro is missing or not executable"
else
    # Without a display: the command line is read before any window.
    run_bare() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$kabiro" "$@"; }
    run_bare --help > "$scratch/help.out" 2> "$scratch/help.err"
    status=$?
    [ $status -eq 0 ] || fail "kabiro --help ends with status $status: $(cat "$scratch/help.err")"
    head -n 1 "$scratch/help.out" | grep -q '^Utilisation : kabiro ' ||
        fail "kabiro --help does not print the usage: $(head -c 200 "$scratch/help.out")"
    [ -s "$scratch/help.err" ] && fail "kabiro --help writes on stderr: $(cat "$scratch/help.err")"
    run_bare --version > "$scratch/version.out" 2> /dev/null
    status=$?
    [ $status -eq 0 ] || fail "kabiro --version ends with status $status"
    head -n 1 "$scratch/version.out" | grep -qx 'kabiro (Paniva) [0-9][0-9.]*' ||
        fail "kabiro --version prints: $(head -n 1 "$scratch/version.out")"
    run_bare --aide > "$scratch/bad.out" 2> "$scratch/bad.err"
    status=$?
    [ $status -eq 2 ] || fail "kabiro --aide ends with status $status, not 2"
    [ -s "$scratch/bad.out" ] && fail "kabiro --aide writes on stdout"
    grep -q 'option inconnue : --aide' "$scratch/bad.err" && grep -q '^Utilisation : ' "$scratch/bad.err" ||
        fail "kabiro --aide does not give the fault and the usage on stderr"
fi

# ------------------------------------------------------------------ the menu entry
desktop_id="org.example.paniva"
desktop="$prefix/share/applications/$desktop_id.desktop"
if [ ! -f "$desktop" ]; then
    fail "share/applications/$desktop_id.desktop is missing"
else
    for line in 'Type=Application' 'Name=Paniva' 'Exec=kabiro --dossier-utilisateur %f' 'Icon=paniva' \
                'Categories=Office;' 'MimeType=application/x-paniva;' 'Terminal=false'; do
        grep -qxF "$line" "$desktop" || fail "the menu entry has no line '$line'"
    done
    grep -q '^Comment=..*' "$desktop" || fail "the menu entry has no comment"
    if command -v desktop-file-validate > /dev/null; then
        # Errors give a failing status; warnings are faults of ours too.
        if ! desktop-file-validate "$desktop" > "$scratch/validate.log" 2>&1 ||
            grep -q 'warning:' "$scratch/validate.log"; then
            cat "$scratch/validate.log"
            fail "desktop-file-validate refuses the menu entry"
        fi
    else
        echo "note: desktop-file-validate is not installed; the menu entry is not validated"
    fi
fi

# ------------------------------------------------------------------ the software centres
metainfo="$prefix/share/metainfo/$desktop_id.metainfo.xml"
if [ ! -f "$metainfo" ]; then
    fail "share/metainfo/$desktop_id.metainfo.xml is missing"
else
    grep -q "<id>$desktop_id</id>" "$metainfo" || fail "the metainfo id is not $desktop_id"
    grep -q "<launchable type=\"desktop-id\">$desktop_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $desktop_id.desktop"
    if command -v appstreamcli > /dev/null; then
        # Pedantic: any remark, even an information, is a fault of ours.
        if ! appstreamcli validate --no-net --pedantic "$metainfo" > "$scratch/appstream.log" 2>&1; then
            cat "$scratch/appstream.log"
            fail "appstreamcli validate refuses the metainfo"
        fi
    else
        echo "note: appstreamcli is not installed; the metainfo is not validated"
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
svg="$prefix/share/icons/hicolor/scalable/apps/paniva.svg"
if [ ! -f "$svg" ]; then
    fail "no scalable icon"
else
    grep -q '<svg[^>]*viewBox="0 0 32 32"' "$svg" || fail "the scalable icon is not a square SVG picture"
    if command -v xmllint > /dev/null; then
        xmllint --noout "$svg" || fail "the scalable icon is not well-formed"
    fi
fi

# ------------------------------------------------------------------ the manual page
for man in "$prefix/share/man/man1/kabiro.1.gz" "$prefix/share/man/fr/man1/kabiro.1.gz"; do
    if [ ! -f "$man" ]; then
        fail "${man#$prefix/} is missing"
    elif ! gzip -t "$man"; then
        fail "${man#$prefix/} is not gzip-compressed"
    else
        # No name or time in the header (gzip -n): bytes 4 to 7 hold the time, 3 the flags.
        [ "$(od -An -tx1 -j3 -N5 "$man" | tr -d ' \n')" = "0000000000" ] ||
            fail "${man#$prefix/} keeps a name or a time in its gzip header"
        zcat "$man" | grep -q '^\.SH NOM' || fail "${man#$prefix/} is not the French page"
        zcat "$man" | grep -q 'dossier\\-utilisateur' ||
            fail "${man#$prefix/} does not describe --dossier-utilisateur"
        if command -v man > /dev/null; then
            warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man" 2>&1 > /dev/null)"
            [ -z "$warnings" ] || fail "${man#$prefix/} has roff faults: $warnings"
        fi
    fi
done

# ------------------------------------------------------------------ the starter list
cmp -s "$prefix/share/paniva/exemple/kabiro.pnv" "$(dirname "$0")/../../examples/kabiro.pnv" ||
    fail "share/paniva/exemple/kabiro.pnv is not the example list"

# ------------------------------------------------------------------ the help
for f in aide.html aide.css; do
    [ -s "$prefix/share/doc/paniva/$f" ] || fail "share/doc/paniva/$f is missing"
done
grep -q 'href="aide.css"' "$prefix/share/doc/paniva/aide.html" 2> /dev/null ||
    fail "the installed help does not use its style sheet"
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$prefix/share/doc/paniva/copyright" 2> /dev/null ||
    fail "share/doc/paniva/copyright is missing or not machine-readable"
grep -q '^License: GPL-3+$' "$prefix/share/doc/paniva/copyright" 2> /dev/null ||
    fail "the copyright file does not name the licence"
zcat "$prefix/share/doc/paniva/changelog.Debian.gz" 2> /dev/null | head -n 1 |
    grep -q '^paniva ([0-9][0-9.]*-[0-9]*) ' || fail "share/doc/paniva/changelog.Debian.gz is missing"

if [ $failures -gt 0 ]; then
    echo "$failures fault(s) in the installed tree"
    exit 1
fi
echo "PASS: the installed tree is complete and valid"
