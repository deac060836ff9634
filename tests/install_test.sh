#!/usr/bin/env bash
# The install tree and the Debian package of a built tree:
#   tests/install_test.sh <build-dir> <guide built: ON|OFF>
# Installs into a temporary prefix whose name needs quoting, checks what
# lands where, then builds the .deb into a temporary directory and checks
# its contents and dependencies. Tools that are missing skip their checks.
set -uo pipefail
BUILD=$1
GUIDE=${2:-ON}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check_file() { [ -f "$1" ] || fail "missing $1"; }

PREFIX="$WORK/pre fix's"
if ! cmake --install "$BUILD" --prefix "$PREFIX" > "$WORK/install.log" 2>&1; then
  cat "$WORK/install.log"
  fail "cmake --install"
fi

# The program and its documents, as the program finds them (../doc).
for program in lumivane netfetch lumivane-cli; do
  [ -x "$PREFIX/bin/$program" ] || fail "missing bin/$program"
done
check_file "$PREFIX/doc/lumivane.tips"
if [ "$GUIDE" = ON ]; then
  check_file "$PREFIX/doc/lumivane_userguide.pdf"
  if command -v pdfinfo > /dev/null; then
    pages=$(pdfinfo "$PREFIX/doc/lumivane_userguide.pdf" | sed -n 's/^Pages: *//p')
    [ "${pages:-0}" -ge 8 ] || fail "user guide has ${pages:-no} pages"
  fi
  if command -v pdfimages > /dev/null; then
    images=$(pdfimages -list "$PREFIX/doc/lumivane_userguide.pdf" | tail -n +3 | wc -l)
    [ "$images" -ge 8 ] || fail "user guide has $images images"
  fi
fi
[ "$(grep -c '' "$PREFIX/doc/lumivane.tips")" -ge 10 ] || fail "too few tips"
grep -q '^#' "$PREFIX/doc/lumivane.tips" && fail "tips file has comment lines"

# Shared libraries are looked for in ../lib first.
if command -v readelf > /dev/null; then
  for program in lumivane netfetch lumivane-cli; do
    readelf -d "$PREFIX/bin/$program" | grep -q 'R\(UN\)\?PATH.*\[\$ORIGIN/\.\./lib\]' ||
      fail "bin/$program has no run-time path \$ORIGIN/../lib"
  done
  # The command-line tool runs where no toolkit is installed.
  readelf -d "$PREFIX/bin/lumivane-cli" | grep -q 'NEEDED.*libwx' && fail "bin/lumivane-cli needs wxWidgets"
fi

# The command-line tool and its manual page.
"$PREFIX/bin/lumivane-cli" --help > /dev/null || fail "bin/lumivane-cli --help"
check_file "$PREFIX/share/man/man1/lumivane-cli.1"
if command -v groff > /dev/null; then
  [ -z "$(groff -man -ww -z "$PREFIX/share/man/man1/lumivane-cli.1" 2>&1)" ] ||
    fail "manual page of lumivane-cli has roff warnings"
fi

# Desktop entry, icons and MIME type.
desktop="$PREFIX/share/applications/lumivane.desktop"
check_file "$desktop"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
grep -qF "TryExec=$PREFIX/bin/lumivane" "$desktop" || fail "TryExec does not name the program"
grep -qF "Exec=\"$PREFIX/bin/lumivane\" %f" "$desktop" || fail "Exec does not quote the program's path"
grep -q '^MimeType=application/x-lumivane-scenario;$' "$desktop" || fail "no MIME type in the entry"
for size in 16 24 32 48 64 128 256; do
  check_file "$PREFIX/share/icons/hicolor/${size}x${size}/apps/lumivane.png"
done
check_file "$PREFIX/share/icons/hicolor/scalable/apps/lumivane.svg"
check_file "$PREFIX/share/lumivane/70-lumivane-ftdi.rules"
check_file "$PREFIX/share/mime/packages/lumivane.xml"
if command -v update-mime-database > /dev/null; then
  update-mime-database "$PREFIX/share/mime" > /dev/null 2>&1 || fail "update-mime-database"
  grep -q '^40:application/x-lumivane-scenario:\*\.cfg$' "$PREFIX/share/mime/globs2" ||
    fail "no *.cfg glob for the scenario type"
  grep -q 'application/x-lumivane-scenario' "$PREFIX/share/mime/magic" ||
    fail "no magic for the scenario type"
fi

# The Debian package, built aside from the build tree.
if command -v cpack > /dev/null && command -v dpkg-deb > /dev/null; then
  if ! cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/deb" > "$WORK/cpack.log" 2>&1; then
    cat "$WORK/cpack.log"
    fail "cpack -G DEB"
  fi
  deb=$(ls "$WORK"/deb/lumivane_*_*.deb 2> /dev/null | head -1)
  if [ -z "$deb" ]; then
    fail "no .deb built"
  else
    dpkg-deb -c "$deb" | awk '{print $6 ($7 ? " " $7 " " $8 : "")}' > "$WORK/contents"
    for path in ./opt/lumivane/bin/lumivane ./opt/lumivane/bin/netfetch \
        ./opt/lumivane/doc/lumivane.tips ./usr/share/applications/lumivane.desktop \
        ./usr/share/icons/hicolor/48x48/apps/lumivane.png \
        ./usr/share/icons/hicolor/scalable/apps/lumivane.svg \
        ./usr/share/mime/packages/lumivane.xml ./usr/lib/udev/rules.d/70-lumivane-ftdi.rules \
        "./usr/bin/lumivane -> /opt/lumivane/bin/lumivane" \
        "./usr/bin/netfetch -> /opt/lumivane/bin/netfetch" \
        ./opt/lumivane/bin/lumivane-cli "./usr/bin/lumivane-cli -> /opt/lumivane/bin/lumivane-cli" \
        ./usr/share/man/man1/lumivane-cli.1.gz; do
      grep -qxF "$path" "$WORK/contents" || fail "package lacks $path"
    done
    [ "$GUIDE" = ON ] && { grep -qxF ./opt/lumivane/doc/lumivane_userguide.pdf "$WORK/contents" ||
      fail "package lacks the user guide"; }
    grep -q '^\./opt/lumivane/share' "$WORK/contents" && fail "package keeps /opt/lumivane/share"
    dpkg-deb -f "$deb" Depends | grep -q 'libwxgtk3.2' || fail "package does not depend on wxGTK"
    dpkg-deb -f "$deb" Depends | grep -q 'libftdi1' || fail "package does not depend on libftdi1"
    dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/lumivane.desktop |
      grep -qxF 'Exec=/opt/lumivane/bin/lumivane %f' || fail "package's entry does not start /opt/lumivane/bin/lumivane"
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "install tree and package: all checks passed"
