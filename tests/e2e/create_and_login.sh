#!/usr/bin/env bash
# A new user creates a database in an empty folder and logs in as admin.
source "$(dirname "$0")/lib.sh"
e2e_init create_and_login "$1" "$2"
rm -rf "$E2E_DB" "$E2E_STATE/home" "$E2E_STATE/config" && mkdir -p "$E2E_DB"

e2e_start
e2e_window "tip of the day" '^Tip of the Day$' >/dev/null
e2e_shot "tip of the day"
e2e_key Escape
e2e_gone "tip of the day closes" '^Tip of the Day$'

e2e_window "main window" '^Brindlemark - v1\.0$' >/dev/null
e2e_key alt+f n
e2e_window "new database notice" '^Brindlemark$' >/dev/null
e2e_shot "new database notice"
e2e_key Return
e2e_window "folder chooser" '^NEW DATABASE: Please select the Directory' >/dev/null
e2e_type "$E2E_DB"
e2e_shot "folder chooser"
e2e_key Return
e2e_window "creation notice" '^Brindlemark$' >/dev/null
e2e_shot "creation notice"
e2e_key Return

e2e_window "login" '^Login$' >/dev/null
e2e_key alt+l
e2e_type admin
e2e_key alt+p
e2e_type VORNE
e2e_shot "login"
e2e_key Return
e2e_gone "login accepted" '^Login$'
e2e_window "main window after login" '^Brindlemark - v1\.0' >/dev/null
e2e_shot "logged in"

e2e_ini "settings name the folder" db "$E2E_DB"
e2e_ini "settings remember the login" LastLogin admin
count=$(find "$E2E_DB" -maxdepth 1 -type f \( -name '*.dbf' -o -name '*.cdx' -o -name '*.fpt' \) | wc -l)
[ "$count" -eq 28 ] || e2e_fail "table files" "$E2E_DB holds $count table files, expected 28"
[ -d "$E2E_DB/bccattach" ] || e2e_fail "attachments folder" "$E2E_DB/bccattach is missing"
e2e_expect_in "admin user" "bmtool dump bccuser" "$(e2e_dump bccuser)" "LOGIN: admin"
echo "PASS create_and_login (screenshots in $E2E_OUT)"
