#!/usr/bin/env bash
# Runs the end-to-end scenarios once, in order, on a fresh database folder
# and HOME, and copies four of their screenshots into docs/screenshots/ for
# the README. Usage: tests/e2e/update-screenshots.sh [BIN_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "${1:-$root/build/bin}" && pwd)
state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT

for scenario in create_and_login lists_by_import customer_day report two_instances; do
    bash "$here/$scenario.sh" "$state" "$bin"
done

out=$state/out
dest=$root/docs/screenshots
mkdir -p "$dest"
copy() {
    local shot
    shot=$(ls "$out/$1"/*-"$2".png)
    cp "$shot" "$dest/$3"
    echo "$dest/$3 <- $shot"
}
copy customer_day customer-with-the-issue main-window-customer.png
copy customer_day issue-with-its-attachment issue-window.png
copy report report-output report.png
copy two_instances second--record-currently-under-edit under-edit.png
