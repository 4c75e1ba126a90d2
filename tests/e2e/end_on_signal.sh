#!/usr/bin/env bash
# The desktop session logs out: SIGTERM while a customer is in edit mode
# ends the program within five seconds, also while the discard question is
# up; the unsaved edit is dropped and the under-edit mark cleared.
source "$(dirname "$0")/lib.sh"
e2e_init end_on_signal "$1" "$2"

admin=$(e2e_field "$(e2e_record bccuser LOGIN admin)" ROWID)
lastname=$(e2e_field "$(e2e_record bcccust COMPANY "Acme Tools")" LASTNAME)

# unmarked STEP: the customer's row names nobody as its editor.
unmarked() {
    local marked
    marked=$(e2e_customer_mark)
    grep -qE '^  (UNDEREDIT: *[1-9]|EDTSTATION: *[^ ])' <<<"$marked" && e2e_fail "$1" "the row holds a mark: $marked"
    return 0
}

# edit_customer STEP: a new instance with the customer in edit mode (Ctrl+E),
# its mark set.
edit_customer() {
    e2e_start
    E2E_ONLY=$E2E_PID
    e2e_login "$1"
    e2e_main_fill "$1: main window"
    e2e_open_customer "$1"
    unmarked "$1: no mark yet"
    e2e_key ctrl+e && e2e_settle
    e2e_expect_in "$1: mark" "bmtool dump bcccust" "$(e2e_customer_mark)" "  UNDEREDIT: $admin"
}

# terminate STEP: SIGTERM to the instance; it ends by itself within five
# seconds, with status 0, and leaves the customer as stored, unmarked.
terminate() {
    local i status=0
    kill -TERM "$E2E_PID"
    for i in $(seq 50); do
        kill -0 "$E2E_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$E2E_PID" 2>/dev/null && e2e_fail "$1" "still running 5 s after SIGTERM; windows: $(e2e_titles)"
    wait "$E2E_PID" || status=$?
    [ "$status" -eq 0 ] || e2e_fail "$1" "ended with status $status"
    unmarked "$1: mark cleared"
    [ "$(e2e_field "$(e2e_record bcccust COMPANY "Acme Tools")" LASTNAME)" = "$lastname" ] ||
        e2e_fail "$1" "the unsaved last name was stored: $(e2e_record bcccust COMPANY "Acme Tools")"
}

# In edit mode with an unsaved last name (the fourth stop from the row of tabs).
edit_customer "editing"
e2e_tabs 4 && e2e_type "Unsaved"
e2e_shot "editing: unsaved last name"
terminate "editing: SIGTERM"

# With the discard question up: "Cancel Edit" is 29 stops from the row of tabs.
edit_customer "asking"
e2e_tabs 29 && e2e_key space
e2e_window "asking: discard?" '^Brindlemark$' >/dev/null
e2e_shot "asking: discard question"
terminate "asking: SIGTERM"
echo "PASS end_on_signal (screenshots in $E2E_OUT)"
