#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree: the
# two programs, the data files, the desktop entry (desktop-file-validate), the
# icons and the file types.
#   install_tree_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { [ -e "$prefix/$1" ] || fail "missing $1"; }

cmake --install "$build" --prefix "$prefix" > "$prefix.log" 2>&1 || { cat "$prefix.log"; rm -f "$prefix.log"; exit 1; }
rm -f "$prefix.log"

# The programs, runnable from the installed tree without a display.
for program in lxv7700 lxv7700-sim; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not an executable"
done
[ "$("$prefix/bin/lxv7700" --version)" = "lxv7700 $version" ] || fail "lxv7700 --version"
"$prefix/bin/lxv7700-sim" --help > /dev/null || fail "lxv7700-sim --help"

# The data files beside the share folder: everything of data/ but the handbook's source.
share=share/lxv7700
for n in 1 2 3 4 5 6; do need "$share/SkinsFile/0$n.ats"; done
need "$share/PdfDoc/Handbook.pdf"
need "$share/support/index.html"
need "$share/translations/lxv7700_en.qm"
[ -e "$prefix/$share/handbook" ] && fail "the handbook's source is installed"
if [ -d "$source/data/PenData" ]; then
  for file in "$source"/data/PenData/*; do need "$share/PenData/$(basename "$file")"; done
fi

# The desktop entry.
entry="$prefix/share/applications/lxv7700.desktop"
need share/applications/lxv7700.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate"
grep -q '^MimeType=.*application/x-lxv7700-test;' "$entry" || fail "the entry does not open test files"
grep -q '^MimeType=.*application/x-lxv7700-record;' "$entry" || fail "the entry does not open record files"

# The icons: SVG and PNG sizes, each PNG of its size.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }
for icon in apps/lxv7700 mimetypes/application-x-lxv7700-test mimetypes/application-x-lxv7700-record; do
  need "share/icons/hicolor/scalable/$icon.svg"
  for size in 16 22 24 32 48 64 128 256; do
    png="share/icons/hicolor/${size}x${size}/$icon.png"
    need "$png"
    [ -e "$prefix/$png" ] && [ "$(png_size "$prefix/$png")" != "${size}x${size}" ] && fail "$png is $(png_size "$prefix/$png")"
  done
done

# The file types: the database built from the installed XML knows both endings.
need share/mime/packages/lxv7700.xml
if XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" 2> "$prefix/mime.err"; then
  for pair in "application/x-lxv7700-test:*.lxm" "application/x-lxv7700-record:*.lxr"; do
    grep -qF ":$pair" "$prefix/share/mime/globs2" || fail "no glob $pair"
  done
  for type in test record; do
    grep -qF "application/x-lxv7700-$type:application-x-lxv7700-$type" "$prefix/share/mime/icons" ||
      fail "no icon for the $type file type"
  done
else
  fail "update-mime-database: $(cat "$prefix/mime.err")"
fi
[ -s "$prefix/mime.err" ] && fail "update-mime-database warned: $(cat "$prefix/mime.err")"

# The package's documentation files.
need share/doc/lxv7700/copyright
need share/doc/lxv7700/changelog.gz
need share/man/man1/lxv7700.1.gz
need share/man/man1/lxv7700-sim.1.gz

if [ "$failures" -eq 0 ]; then echo "installed tree complete"; else exit 1; fi
