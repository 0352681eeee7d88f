#!/usr/bin/env bash
# Runs lupdate over the sources into copies of the shipped .ts files and fails
# when a text is untranslated (new in the sources) or obsolete (gone from them).
#   lupdate_check.sh <lupdate> <source root> <scratch folder>
set -euo pipefail
lupdate=$1 root=$2 scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch"
cp "$root"/i18n/vortalix3d_*.ts "$scratch"/
cd "$root"
"$lupdate" -silent -locations none -no-ui-lines -tr-function-alias QT_TRANSLATE_NOOP+=VTX_TEXT,QT_TRANSLATE_N_NOOP+=VTX_TEXT_N -I . -extensions cpp,h \
    app ui game scene net audio \
    -ts "$scratch"/vortalix3d_*.ts > "$scratch/lupdate.log" 2>&1
status=0
for ts in "$scratch"/vortalix3d_*.ts; do
    name=$(basename "$ts")
    messages=$(grep -c '<message' "$ts" || true)
    bad=$(grep -c 'type="unfinished"\|type="vanished"\|type="obsolete"' "$ts" || true)
    echo "$name: $messages texts, $bad untranslated or obsolete"
    if [ "$bad" -ne 0 ]; then
        grep -B3 'type="unfinished"\|type="vanished"\|type="obsolete"' "$ts" | grep '<source>' || true
        status=1
    fi
    if ! cmp -s "$ts" "$root/i18n/$name"; then
        echo "$name: lupdate would change it (run lupdate and commit the result)"
        diff "$root/i18n/$name" "$ts" | head -20 || true
        status=1
    fi
done
exit $status
