#!/usr/bin/env bash
# Keeps the translations in step with the sources.
#
#   scripts/update-po.sh            regenerates po/lumivane.pot from the
#                                   sources and merges it into every
#                                   po/<language>.po (new texts come in
#                                   untranslated, changed ones as fuzzy)
#   scripts/update-po.sh --template writes the template only
#   scripts/update-po.sh --check    changes nothing; fails when the template
#                                   is out of date with the sources or a
#                                   catalogue has an untranslated or fuzzy
#                                   entry (the test suite runs this)
#
# The texts are those in _("...") and N_("...") in core/ and gui/.
set -euo pipefail
cd "$(dirname "$0")/.."

DOMAIN=lumivane
TEMPLATE=po/$DOMAIN.pot

# The template for the sources as they are now, on standard output. Only
# file names, no line numbers: moving code leaves the template alone.
make_template() {
  find core gui -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    xgettext --files-from=- --output=- --from-code=UTF-8 --language=C++ \
      --keyword=_ --keyword=N_ --keyword=wxTRANSLATE --keyword=wxPLURAL:1,2 \
      --keyword=wxGETTEXT_IN_CONTEXT:1c,2 --add-comments=TRANSLATORS: \
      --add-location=file --sort-by-file --package-name=Lumivane \
      --msgid-bugs-address=https://www.lumivane.com/ |
    # The date would make every run differ.
    sed -e '/^"POT-Creation-Date:/d' -e 's/charset=CHARSET/charset=UTF-8/'
}

case "${1:-}" in
  --template)
    make_template >"$TEMPLATE"
    ;;
  --check)
    status=0
    fresh=$(mktemp)
    trap 'rm -f "$fresh"' EXIT
    make_template >"$fresh"
    if ! diff -u "$TEMPLATE" "$fresh" >&2; then
      echo "$TEMPLATE is out of date with the sources: run scripts/update-po.sh" >&2
      status=1
    fi
    for po in po/*.po; do
      statistics=$(msgfmt --check --statistics --output-file=/dev/null "$po" 2>&1) || {
        echo "$po: $statistics" >&2
        status=1
        continue
      }
      echo "$po: $statistics"
      if echo "$statistics" | grep -Eq 'untranslated|fuzzy'; then
        echo "$po has untranslated or fuzzy entries" >&2
        status=1
      fi
      # Every text of the sources has its translation.
      if ! msgcmp "$po" "$fresh" >/dev/null 2>&1; then
        msgcmp "$po" "$fresh" >&2 || true
        echo "$po lacks texts of the sources: run scripts/update-po.sh and translate them" >&2
        status=1
      fi
    done
    exit $status
    ;;
  "")
    make_template >"$TEMPLATE"
    for po in po/*.po; do
      msgmerge --quiet --update --backup=none --no-wrap --add-location=file --sort-by-file "$po" "$TEMPLATE"
    done
    ;;
  *)
    echo "usage: $0 [--template | --check]" >&2
    exit 2
    ;;
esac
