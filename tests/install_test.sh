#!/usr/bin/env bash
# The install tree and the Debian package of a built tree:
#   tests/install_test.sh <build-dir> <guide built: ON|OFF>
# Installs into a temporary prefix whose name needs quoting, checks what
# lands where, then builds the .deb into a temporary directory and checks
# its contents and dependencies, and runs lintian on it. Tools that are
# missing skip their checks.
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
# The translations beside bin/, where the program looks for them, and their
# tips with as many lines as the English ones.
for language in de fr; do
  check_file "$PREFIX/share/locale/$language/LC_MESSAGES/lumivane.mo"
  [ "$(grep -c '' "$PREFIX/doc/lumivane.$language.tips")" -eq "$(grep -c '' "$PREFIX/doc/lumivane.tips")" ] ||
    fail "doc/lumivane.$language.tips has not one line for each tip"
done

# Shared libraries are looked for in ../lib first.
if command -v readelf > /dev/null; then
  for program in lumivane netfetch lumivane-cli; do
    readelf -d "$PREFIX/bin/$program" | grep -q 'R\(UN\)\?PATH.*\[\$ORIGIN/\.\./lib\]' ||
      fail "bin/$program has no run-time path \$ORIGIN/../lib"
  done
  # The command-line tool runs where no toolkit is installed.
  readelf -d "$PREFIX/bin/lumivane-cli" | grep -q 'NEEDED.*libwx' && fail "bin/lumivane-cli needs wxWidgets"
fi

# The manual pages, which man formats without a warning.
"$PREFIX/bin/lumivane-cli" --help > /dev/null || fail "bin/lumivane-cli --help"
for program in lumivane netfetch lumivane-cli; do
  page="$PREFIX/share/man/man1/$program.1"
  check_file "$page"
  if command -v man > /dev/null && [ -f "$page" ]; then
    warnings=$(LC_ALL=C.UTF-8 MAN_DISABLE_SECCOMP=1 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "man warns about $program.1: $warnings"
  fi
done

# Bash completion takes the commands and options from the tool's --help.
completion="$PREFIX/share/bash-completion/completions/lumivane-cli"
check_file "$completion"
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
           _lumivane_cli; echo "${COMPREPLY[*]}"' _ "$completion" "$PREFIX/bin/lumivane-cli" "$@"
}
for command in normalize bytes send --version; do
  complete_words '' | grep -qw -- "$command" || fail "completion lacks $command"
done
complete_words send show.cfg --s | grep -qx -- '--scene --speed' || fail "completion of send's options"
[ "$(complete_words bytes show.cfg --speed '')" = "standard high" ] || fail "completion of --speed"

# Desktop entry, AppStream metadata, icons and MIME type.
desktop="$PREFIX/share/applications/com.lumivane.Lumivane.desktop"
check_file "$desktop"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
grep -qF "TryExec=$PREFIX/bin/lumivane" "$desktop" || fail "TryExec does not name the program"
grep -qF "Exec=\"$PREFIX/bin/lumivane\" %f" "$desktop" || fail "Exec does not quote the program's path"
grep -q '^MimeType=application/x-lumivane-scenario;$' "$desktop" || fail "no MIME type in the entry"
metainfo="$PREFIX/share/metainfo/com.lumivane.Lumivane.metainfo.xml"
check_file "$metainfo"
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$metainfo" > "$WORK/appstream.log" 2>&1 ||
    { cat "$WORK/appstream.log"; fail "appstreamcli validate"; }
fi
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
        ./opt/lumivane/doc/lumivane.tips ./usr/share/applications/com.lumivane.Lumivane.desktop \
        ./opt/lumivane/share/locale/de/LC_MESSAGES/lumivane.mo ./opt/lumivane/doc/lumivane.fr.tips \
        ./usr/share/metainfo/com.lumivane.Lumivane.metainfo.xml \
        ./usr/share/icons/hicolor/48x48/apps/lumivane.png \
        ./usr/share/icons/hicolor/scalable/apps/lumivane.svg \
        ./usr/share/mime/packages/lumivane.xml ./usr/lib/udev/rules.d/70-lumivane-ftdi.rules \
        "./usr/bin/lumivane -> /opt/lumivane/bin/lumivane" \
        "./usr/bin/netfetch -> /opt/lumivane/bin/netfetch" \
        ./opt/lumivane/bin/lumivane-cli "./usr/bin/lumivane-cli -> /opt/lumivane/bin/lumivane-cli" \
        ./usr/share/man/man1/lumivane-cli.1.gz ./usr/share/man/man1/lumivane.1.gz \
        ./usr/share/man/man1/netfetch.1.gz ./usr/share/bash-completion/completions/lumivane-cli \
        ./usr/share/doc/lumivane/copyright ./usr/share/doc/lumivane/changelog.gz \
        ./usr/share/lintian/overrides/lumivane; do
      grep -qxF "$path" "$WORK/contents" || fail "package lacks $path"
    done
    [ "$GUIDE" = ON ] && { grep -qxF ./opt/lumivane/doc/lumivane_userguide.pdf "$WORK/contents" ||
      fail "package lacks the user guide"; }
    # Only the translations stay in /opt/lumivane/share, beside bin/.
    grep '^\./opt/lumivane/share/.' "$WORK/contents" | grep -qv '^\./opt/lumivane/share/locale/' &&
      fail "package keeps /opt/lumivane/share beyond its translations"
    dpkg-deb -f "$deb" Depends | grep -q 'libwxgtk3.2' || fail "package does not depend on wxGTK"
    dpkg-deb -f "$deb" Depends | grep -q 'libftdi1' || fail "package does not depend on libftdi1"
    dpkg-deb -x "$deb" "$WORK/root"
    grep -qxF 'Exec=/opt/lumivane/bin/lumivane %f' "$WORK/root/usr/share/applications/com.lumivane.Lumivane.desktop" ||
      fail "package's entry does not start /opt/lumivane/bin/lumivane"
    # The metadata with the desktop entry it launches.
    if command -v appstreamcli > /dev/null; then
      appstreamcli validate-tree --no-net "$WORK/root" > "$WORK/appstream-tree.log" 2>&1 ||
        { cat "$WORK/appstream-tree.log"; fail "appstreamcli validate-tree"; }
    fi
    # No lintian error or warning but those the package overrides (its
    # /opt tree). lintian refuses root unless told (CI runs as root).
    if command -v lintian > /dev/null; then
      if ! lintian --allow-root --fail-on error,warning "$deb" > "$WORK/lintian.log" 2>&1 ||
          grep -q '^[EW]:' "$WORK/lintian.log"; then
        cat "$WORK/lintian.log"
        fail "lintian"
      fi
    fi
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "install tree and package: all checks passed"
