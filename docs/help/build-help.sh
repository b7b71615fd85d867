#!/bin/sh
# Builds the user manual: screenshots from the screen tour against the
# emulator, Markdown to HTML with pandoc, HTML to PDF with weasyprint.
# Never fails the build: anything that goes wrong is said, and the old
# Help.pdf (if any) is left as it was.
#   build-help.sh PANDOC WEASYPRINT SCREEN_TOUR SOURCE_DIR OUTPUT_PDF ADDRESS PORT
PANDOC="$1" WEASYPRINT="$2" TOUR="$3" SRC="$4" OUT="$5" ADDRESS="$6" PORT="$7"

WORK="$(mktemp -d)" || { echo "Help.pdf was not built: no temporary folder"; exit 0; }
trap 'rm -rf "$WORK"' EXIT

# Screenshots are welcome, not required: a manual without them is still built.
if ! QT_QPA_PLATFORM=offscreen timeout 180 "$TOUR" "$WORK" "$ADDRESS" "$PORT" >"$WORK/tour.log" 2>&1; then
  echo "Help.pdf: the screen tour failed, the manual has no screenshots (see $ADDRESS:$PORT)"
fi

cp "$SRC/manual.css" "$WORK/" || { echo "Help.pdf was not built: manual.css missing"; exit 0; }
if ! "$PANDOC" "$SRC/manual.md" --from markdown --to html5 --standalone --toc --toc-depth=2 \
    --metadata lang=ru --css manual.css --resource-path="$WORK" -o "$WORK/manual.html" 2>"$WORK/pandoc.log"; then
  echo "Help.pdf was not built: pandoc failed"; cat "$WORK/pandoc.log"; exit 0
fi
if ! "$WEASYPRINT" "$WORK/manual.html" "$WORK/Help.pdf" 2>"$WORK/weasyprint.log" || [ ! -s "$WORK/Help.pdf" ]; then
  echo "Help.pdf was not built: weasyprint failed"; cat "$WORK/weasyprint.log"; exit 0
fi
mv -f "$WORK/Help.pdf" "$OUT" && echo "Help.pdf built: $OUT"
exit 0
