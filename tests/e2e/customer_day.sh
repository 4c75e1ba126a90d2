#!/usr/bin/env bash
# A customer's day: a new customer, one of their products/services of an
# imported kind, and an issue on it with one action and one attached file.
source "$(dirname "$0")/lib.sh"
e2e_init customer_day "$1" "$2"

printf 'Serial number 4711 fails at boot.\n' >"$E2E_OUT/bootlog.txt"

e2e_start
e2e_login "start"
e2e_main_fill "main window"

# New customer (F2): the row of tabs has the focus; Tab walks the fields.
e2e_key F2
e2e_maximize "new customer" '\[Customer Name\]$'
e2e_tabs 4 && e2e_type "Miller"
e2e_tabs 1 && e2e_type "Acme Tools"
e2e_tabs 14 && e2e_type "ann@acme.example"
e2e_shot "new customer typed"
e2e_tabs 15 && e2e_key space                       # Apply
e2e_settle
e2e_window "customer saved" '\[Customer: Acme Tools @' >/dev/null
e2e_shot "customer saved"

# Products/Services tab, New.
e2e_key alt+s && e2e_settle                        # the list takes the focus
e2e_tabs 1 && e2e_settle && e2e_key space
e2e_window "new product/service" '\[Product/Service: New @' >/dev/null
e2e_tabs 1 && e2e_type "D"                         # Disk Drive, from the imported list
e2e_tabs 2 && e2e_type "Backup drive"
e2e_shot "product/service typed"
e2e_tabs 17 && e2e_key space                       # OK
e2e_settle
e2e_window "product/service saved" '\[Customer: Acme Tools @' >/dev/null
e2e_shot "product/service listed"

# Issues tab, New; Apply opens its Actions and Attachments tabs.
e2e_key alt+i && e2e_settle
e2e_tabs 1 && e2e_settle && e2e_key space
e2e_window "new issue" '\[Issue: New @' >/dev/null
e2e_tabs 1 && e2e_type "D"
e2e_tabs 2 && e2e_type "Drive fails"
e2e_shot "issue typed"
e2e_tabs 22 && e2e_key space                       # Apply
e2e_settle
e2e_window "issue saved" '\[Issue: Disk Drive - Drive fails\.\.\. @' >/dev/null

# Back to edit mode (Ctrl+E); Actions tab, by way of the Description tab
# so that the page switch hands the focus to the actions list; Add.
e2e_settle
e2e_key ctrl+e && e2e_settle
e2e_key alt+d && e2e_settle
e2e_key alt+a && e2e_settle
e2e_tabs 1 && e2e_settle && e2e_key space           # Add
e2e_window "add issue action" '^Add Issue Action$' >/dev/null
e2e_tabs 3 && e2e_type "P"                         # Phone Call
e2e_tabs 3 && e2e_type "Called back"
e2e_tabs 1 && e2e_key ctrl+a && e2e_type "1.5"
e2e_shot "issue action typed"
e2e_key Return
e2e_gone "issue action saved" '^Add Issue Action$'
e2e_window "issue with its action" '\[Issue: Disk Drive' >/dev/null
e2e_settle

# Attachments tab (its Alt+H opens the Help menu): the Resolution tab gives
# its text box the focus, two steps back reach the row of tabs, the arrow
# key goes along it to the next tab; Attach.
e2e_key alt+r && e2e_settle
e2e_key shift+Tab shift+Tab && e2e_settle
e2e_key Right && e2e_settle
e2e_tabs 1 && e2e_settle && e2e_key space
e2e_window "file to attach" '^Open file to attach$' >/dev/null
e2e_type "$E2E_OUT/bootlog.txt"
e2e_shot "file to attach"
e2e_key Return
e2e_gone "file attached" '^Open file to attach$'
e2e_window "issue with its attachment" '\[Issue: Disk Drive' >/dev/null
e2e_shot "issue with its attachment"

# OK saves the issue and closes it; the customer lists it.
e2e_tabs 4 && e2e_key space
e2e_window "issue closed" '\[Customer: Acme Tools @' >/dev/null
e2e_shot "customer with the issue"

cust=$(e2e_record bcccust COMPANY "Acme Tools")
[ -n "$cust" ] || e2e_fail "customer row" "bmtool dump bcccust has no row with COMPANY 'Acme Tools'"
e2e_expect_in "customer row" "the customer's row" "$cust" "  LASTNAME: Miller"
e2e_expect_in "customer row" "the customer's row" "$cust" "  EMAILNAME: ann@acme.example"
custid=$(e2e_field "$cust" ROWID)
kind=$(e2e_field "$(e2e_record bcccat DESC "Disk Drive")" ROWID)
ps=$(e2e_record bcccust_ps CUSTID "$custid")
[ -n "$ps" ] || e2e_fail "product/service row" "bmtool dump bcccust_ps has no row of customer $custid"
e2e_expect_in "product/service row" "the product/service row" "$ps" "  PSID: $kind"
e2e_expect_in "product/service row" "the product/service row" "$ps" "  SHORTDESC: Backup drive"
issue=$(e2e_record bccissues CUSTID "$custid")
[ -n "$issue" ] || e2e_fail "issue row" "bmtool dump bccissues has no row of customer $custid"
e2e_expect_in "issue row" "the issue row" "$issue" "  PSID: $kind"
e2e_expect_in "issue row" "the issue row" "$issue" "  SHORTDESC: Drive fails"
issueid=$(e2e_field "$issue" ROWID)
action=$(e2e_record bcciactions ISSUEID "$issueid")
[ -n "$action" ] || e2e_fail "action row" "bmtool dump bcciactions has no row of issue $issueid"
e2e_expect_in "action row" "the action row" "$action" "  DURATION: 1.50"
e2e_expect_in "action row" "the action row" "$action" "  DESC: Called back"
attached=$E2E_DB/bccattach/_i_$issueid/bootlog.txt
cmp -s "$attached" "$E2E_OUT/bootlog.txt" || e2e_fail "attached file" "$attached is missing or differs from the file attached"
echo "PASS customer_day (screenshots in $E2E_OUT)"
