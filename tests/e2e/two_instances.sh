#!/usr/bin/env bash
# Two instances on one folder: the first edits a customer; the second,
# started with the folder as argument, meets the first's under-edit mark,
# answers "I will try later" and changes nothing; the first discards and its
# mark is gone.
source "$(dirname "$0")/lib.sh"
e2e_init two_instances "$1" "$2"

admin=$(e2e_field "$(e2e_record bccuser LOGIN admin)" ROWID)
station=$(hostname)

# The first instance opens the customer and enters edit mode (Ctrl+E).
e2e_start
first=$E2E_PID
E2E_ONLY=$first
e2e_login "first"
e2e_main_fill "first: main window"
e2e_open_customer "first"
e2e_key ctrl+e && e2e_settle
e2e_shot "first: customer in edit mode"
marked=$(e2e_customer_mark)
e2e_expect_in "first: mark" "bmtool dump bcccust" "$marked" "  UNDEREDIT: $admin"
e2e_expect_in "first: mark" "bmtool dump bcccust" "$marked" "  EDTSTATION: $station"

# The second instance, started with the folder, logs in and asks to edit.
e2e_start "$E2E_DB"
second=$E2E_PID
E2E_ONLY=$second
e2e_login "second"
e2e_main_fill "second: main window"
e2e_open_customer "second"
e2e_key ctrl+e
e2e_window "second: under edit" '^Record Currently Under Edit$' >/dev/null
e2e_shot "second: record currently under edit"
e2e_key Return                                      # "I will try later", the default
e2e_gone "second: later" '^Record Currently Under Edit$'
e2e_settle
e2e_shot "second: still read-only"
[ "$(e2e_customer_mark)" = "$marked" ] || e2e_fail "second: nothing changed" "the mark was '$marked', is now '$(e2e_customer_mark)'"

# The first discards: from its row of tabs, Tab reaches "Cancel Edit" after
# the 28 stops of the first tab; Yes to the discard question.
E2E_ONLY=$first
e2e_window "first: back" '\[Customer: Acme Tools @' >/dev/null
e2e_tabs 29 && e2e_key space
e2e_window "first: discard?" '^Brindlemark$' >/dev/null
e2e_shot "first: discard question"
e2e_key alt+y
e2e_gone "first: discarded" '^Brindlemark$'
e2e_settle
e2e_shot "first: view mode again"
cleared=$(e2e_customer_mark)
e2e_expect_in "first: mark gone" "bmtool dump bcccust" "$cleared" "  EDTSTATION: "
grep -q "  UNDEREDIT: $admin\$" <<<"$cleared" && e2e_fail "first: mark gone" "the row still holds the mark: $cleared"
grep -q "  EDTSTATION: $station\$" <<<"$cleared" && e2e_fail "first: mark gone" "the row still names the machine: $cleared"
echo "PASS two_instances (screenshots in $E2E_OUT)"
