#!/usr/bin/env bash
# Everything runs on the UI thread, and whatever must wait is a continuation
# on the scheduler: no code of the product pumps the event loop, so no click,
# timer or datagram can run a rule in the middle of another. Refused in the
# product rooms (check-common.sh; the tests and benchmarks may pump):
#   - processEvents (the application's or a dispatcher's), sendPostedEvents
#     and qWait, which run waiting events inside the caller;
#   - a QEventLoop of its own, anywhere but the modal show of the windows'
#     base, SkinnedWindow::execModal (what QDialog::exec is to a dialog).
# A modal window's own show (QDialog::exec, QMessageBox::exec) is no offence.
# Prints every offending line and fails when there is one.
#
#   scripts/check-event-loops.sh [source root]
source "$(dirname "${BASH_SOURCE[0]}")/check-common.sh" "$@"

modal_show='^ui/SkinnedWindow\.(h|cpp):'

lines() { # regex: matching code lines of the product, comment lines left out
    grep -rnE --include='*.h' --include='*.cpp' "$1" "${product_rooms[@]}" |
        grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' || true
}


while IFS= read -r hit; do
    [ -n "$hit" ] && complain "$hit" "runs waiting events inside the caller; wait by a continuation on the scheduler"
done < <(lines '(processEvents|sendPostedEvents|qWait)[[:space:]]*\(')

while IFS= read -r hit; do
    [ -n "$hit" ] && complain "$hit" "an event loop of its own; only the modal show (ui/SkinnedWindow) runs one"
done < <(lines '(^|[^[:alnum:]_])QEventLoop([^[:alnum:]_]|$)' | grep -vE "$modal_show")

if [ "$status" = 0 ]; then
    echo "event loops: no product code pumps events or runs a loop of its own"
fi
exit "$status"
