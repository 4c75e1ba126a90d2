#!/usr/bin/env bash
# The administrator fills two lists from small files through the Import Data
# Wizard, by keyboard alone: Products & Services and Issue Actions.
source "$(dirname "$0")/lib.sh"
e2e_init lists_by_import "$1" "$2"

printf 'DESCRIPTION\r\nDisk Drive\r\nPrinter Service\r\n' >"$E2E_OUT/products.csv"
printf 'DESCRIPTION\r\nPhone Call\r\nOn-Site Visit\r\n' >"$E2E_OUT/actions.csv"

# The last database opens again and asks for the password of the last login.
e2e_start
e2e_window "login" '^Login$' >/dev/null
e2e_key alt+p
e2e_type VORNE
e2e_shot "login"
e2e_key Return
e2e_gone "login accepted" '^Login$'
e2e_window "tip of the day" '^Tip of the Day$' >/dev/null
e2e_key Escape
e2e_gone "tip of the day closes" '^Tip of the Day$'

# import_list STEP ROWS_DOWN FILE: View, Database Admin, Import Data Wizard;
# the list target ROWS_DOWN rows below Customers; the file; Import Now.
import_list() {
    local step=$1 down=$2 file=$3 keys=() i
    e2e_window "$step: main window" '^Brindlemark - v1\.0' >/dev/null
    e2e_key alt+v Up Right Down Down Return
    sleep 1
    for i in $(seq "$down"); do keys+=(Down); done
    e2e_key "${keys[@]}"
    e2e_shot "$step: target chosen"
    e2e_key alt+n
    sleep 0.5
    e2e_type "$file"
    e2e_shot "$step: file typed"
    e2e_key alt+n
    sleep 1
    e2e_shot "$step: preview"
    e2e_key space
    e2e_window "$step: import finished" '^Brindlemark$' >/dev/null
    e2e_shot "$step: imported"
    e2e_key Return
    e2e_gone "$step: notice closes" '^Brindlemark$'
    # The finished wizard waits on its Finish button.
    e2e_window "$step: back to the main window" '^Brindlemark - v1\.0' >/dev/null
    e2e_key space
    sleep 0.5
}

import_list "products and services" 2 "$E2E_OUT/products.csv"
import_list "issue actions" 8 "$E2E_OUT/actions.csv"
e2e_shot "both lists imported"

cats=$(e2e_dump bcccat)
for pair in "2|Disk Drive" "2|Printer Service" "106|Phone Call" "106|On-Site Visit"; do
    type=${pair%%|*} desc=${pair#*|}
    grep -qxF -- "  TYPE: $type" <<<"$(grep -B1 -xF -- "  DESC: $desc" <<<"$cats")" \
        || e2e_fail "list rows" "bmtool dump bcccat has no row of type $type named '$desc'"
done
echo "PASS lists_by_import (screenshots in $E2E_OUT)"
