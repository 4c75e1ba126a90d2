# Shared by the end-to-end scenarios: one Xvfb display per scenario, the
# program started with a fresh environment, and xdotool helpers that fail
# naming the step, what was missing and the screenshot that shows it.
# Usage: source lib.sh; e2e_init NAME STATE_DIR BIN_DIR
set -euo pipefail

e2e_init() {
    E2E_NAME=$1
    E2E_STATE=$2            # shared by the chained scenarios: HOME, settings, database
    E2E_BIN=$3
    E2E_OUT=$E2E_STATE/out/$E2E_NAME
    E2E_STEP=0
    rm -rf "$E2E_OUT"
    mkdir -p "$E2E_OUT" "$E2E_STATE/home" "$E2E_STATE/config" "$E2E_STATE/data" "$E2E_STATE/db"
    E2E_RUNTIME=$(mktemp -d)            # own single-instance socket per scenario
    chmod 700 "$E2E_RUNTIME"
    E2E_INI=$E2E_STATE/config/Tarvelon/Brindlemark.ini
    E2E_DB=$E2E_STATE/db
    E2E_PIDS=()
    trap e2e_cleanup EXIT

    local fdfile=$E2E_OUT/display
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>"$E2E_OUT/xvfb.log" &
    E2E_XVFB=$!
    local i
    for i in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    [ -s "$fdfile" ] || e2e_fail "start Xvfb" "no display number after 10 s (see $E2E_OUT/xvfb.log)"
    export DISPLAY=:$(head -n1 "$fdfile")
    export HOME=$E2E_STATE/home XDG_CONFIG_HOME=$E2E_STATE/config XDG_DATA_HOME=$E2E_STATE/data
    export XDG_RUNTIME_DIR=$E2E_RUNTIME QT_QPA_PLATFORM=xcb
    unset XDG_SESSION_TYPE WAYLAND_DISPLAY
}

e2e_cleanup() {
    local p i
    for p in "${E2E_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    # Each ends by itself on SIGTERM; one that is still there is killed.
    for i in $(seq 50); do
        for p in "${E2E_PIDS[@]}"; do kill -0 "$p" 2>/dev/null && break; p=""; done
        [ -z "$p" ] && break
        sleep 0.1
    done
    for p in "${E2E_PIDS[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    for p in "${E2E_PIDS[@]}"; do wait "$p" 2>/dev/null || true; done
    [ -n "${E2E_XVFB:-}" ] && { kill "$E2E_XVFB" 2>/dev/null || true; wait "$E2E_XVFB" 2>/dev/null || true; }
    rm -rf "$E2E_RUNTIME"
}

# e2e_fail STEP MESSAGE: screenshot of the moment, then stop the scenario.
e2e_fail() {
    local shot=$E2E_OUT/FAILED.png
    [ -n "${DISPLAY:-}" ] && import -window root "$shot" 2>/dev/null || shot="(no screenshot)"
    echo "FAIL [$E2E_NAME] step '$1': $2 -- screenshot: $shot" >&2
    exit 1
}

# e2e_start [ARGS...]: the program as it ships, output kept in the output
# folder (one log per instance); E2E_PID is the new instance.
e2e_start() {
    local log=$E2E_OUT/program.log
    [ ${#E2E_PIDS[@]} -eq 0 ] || log=$E2E_OUT/program-${#E2E_PIDS[@]}.log
    "$E2E_BIN/brindlemark" "$@" >"$log" 2>&1 &
    E2E_PID=$!
    E2E_PIDS+=("$E2E_PID")
}

# Window searches cover every instance, or only the instance E2E_ONLY when set.
e2e_search() {
    if [ -n "${E2E_ONLY:-}" ]; then
        xdotool search --all --onlyvisible --pid "$E2E_ONLY" --name "$1" 2>/dev/null
    else
        xdotool search --onlyvisible --name "$1" 2>/dev/null
    fi
}

# e2e_window STEP TITLE_REGEX: waits up to 20 s for a visible top-level window
# whose title matches, focuses it and prints its id.
e2e_window() {
    local step=$1 title=$2 id="" i
    for i in $(seq 200); do
        id=$(e2e_search "$title" | tail -n1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || e2e_fail "$step" "no window titled /$title/ within 20 s; windows: $(e2e_titles)"
    xdotool windowraise "$id" 2>/dev/null || true
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    echo "$id"
}

# e2e_gone STEP TITLE_REGEX: waits up to 20 s for the window to close.
e2e_gone() {
    local i
    for i in $(seq 200); do
        e2e_search "$2" >/dev/null || return 0
        sleep 0.1
    done
    e2e_fail "$1" "window /$2/ still open after 20 s"
}

# e2e_login STEP: the login dialog of a start without a login name to type
# (the last one is remembered): the password, then the tip of the day goes.
e2e_login() {
    e2e_window "$1: login" '^Login$' >/dev/null
    e2e_key alt+p
    e2e_type VORNE
    e2e_shot "$1: login"
    e2e_key Return
    e2e_gone "$1: login accepted" '^Login$'
    e2e_window "$1: tip of the day" '^Tip of the Day$' >/dev/null
    e2e_key Escape
    e2e_gone "$1: tip of the day closes" '^Tip of the Day$'
}

e2e_titles() {
    local w
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        printf '"%s" ' "$(xdotool getwindowname "$w")"
    done
}

e2e_type() { xdotool type --delay 10 -- "$1"; }
e2e_key() { xdotool key --delay 30 "$@"; }

# e2e_shot STEP: numbered screenshot named by the step; fails when blank.
e2e_shot() {
    E2E_STEP=$((E2E_STEP + 1))
    local shot
    shot=$E2E_OUT/$(printf '%02d' "$E2E_STEP")-$(echo "$1" | tr -c 'A-Za-z0-9\n' '-').png
    sleep 0.3   # let the last repaint reach the screen
    import -window root "$shot"
    local colours
    colours=$(identify -format '%k' "$shot")
    [ "$colours" -gt 8 ] || e2e_fail "$1" "screenshot is blank ($colours colours): $shot"
}

# e2e_ini STEP KEY EXPECTED: value in group Pref of the settings file.
e2e_ini() {
    local got
    got=$(awk -F= -v k="$2" '/^\[/{g=$0} g=="[Pref]" && $1==k {sub(/^[^=]*=/, ""); print}' "$E2E_INI" 2>/dev/null || true)
    [ "$got" = "$3" ] || e2e_fail "$1" "settings $E2E_INI: Pref/$2 is '$got', expected '$3'"
}

# e2e_dump TABLE: the table's rows as bmtool shows them.
e2e_dump() { "$E2E_BIN/bmtool" dump "$E2E_DB/$1.dbf"; }

# e2e_expect_in STEP WHAT TEXT PATTERN: fixed-string match or fail.
e2e_expect_in() {
    grep -qF -- "$4" <<<"$3" || e2e_fail "$1" "$2 lacks '$4'; it holds: $3"
}

# e2e_tabs N: N presses of Tab, one at a time.
e2e_tabs() {
    local i
    for i in $(seq "$1"); do xdotool key Tab; done
}

# e2e_settle: lets the main window catch up (a list filled, a page
# switched) and gives it the keyboard again: the wait dialog of a fill or a
# save takes it, and without a window manager nobody hands it back.
e2e_settle() {
    sleep 0.5
    local id
    id=$(e2e_search '^Brindlemark - v1\.0' | head -n1 || true)
    [ -z "$id" ] || xdotool windowfocus --sync "$id" 2>/dev/null || true
}

# e2e_main_fill STEP: the main window takes the whole screen, as a user
# would make it without a window manager to do it.
e2e_main_fill() {
    local id
    id=$(e2e_window "$1" '^Brindlemark - v1\.0')
    xdotool windowsize --sync "$id" 1280 1024 2>/dev/null || xdotool windowsize "$id" 1280 1024
    sleep 0.3
}

# e2e_maximize STEP TITLE_REGEX: a double-click on the title bar of the first
# window inside the main window (the only click of a scenario: no key
# maximizes it). Windows opened after it open maximized as well, and the
# main window's title then names the one in front: "... - [caption]".
e2e_maximize() {
    local step=$1 main shot top
    main=$(e2e_window "$step" '^Brindlemark - v1\.0')
    shot=$E2E_OUT/maximize.png
    import -window "$main" "$shot"
    # The area's background shows right of the window: the first long run of
    # one colour down the right edge is the top of the area, where the title
    # bar of its first window lies.
    top=$(convert "$shot" -crop 1x1024+1270+0 txt:- | awk 'NR > 1 && !found {
            c = $3; if (c == prev) { if (++run == 40) { print y0; found = 1 } } else { prev = c; run = 1; y0 = NR - 2 } }')
    rm -f "$shot"
    [ -n "$top" ] || e2e_fail "$step" "no window area found in the main window"
    xdotool mousemove --window "$main" 100 $((top + 10)) click --repeat 2 --delay 80 1
    e2e_window "$step" "$2" >/dev/null
}

# e2e_record TABLE FIELD VALUE: the rows of the table (bmtool dump) whose
# FIELD is VALUE, one "  FIELD: value" line per field.
e2e_record() {
    e2e_dump "$1" | awk -v f="  $2: $3" '/^record /{ if (hit) printf "%s", rec; rec = ""; hit = 0; next }
        { rec = rec $0 "\n"; if ($0 == f) hit = 1 }
        END { if (hit) printf "%s", rec }'
}

# e2e_field ROWS FIELD: the value of FIELD in rows from e2e_record.
e2e_field() { sed -n "s/^  $2: //p" <<<"$1" | head -n1; }

# e2e_open_customer STEP: Lookup Customer (F5) with the search left blank
# lists every customer; Enter opens the one listed, Acme Tools, in view mode.
e2e_open_customer() {
    e2e_key F5
    e2e_window "$1: lookup customer" '^Lookup Customer$' >/dev/null
    e2e_key Return
    e2e_maximize "$1: customer list" '\[All Customers @'
    e2e_key Return
    e2e_window "$1: customer" '\[Customer: Acme Tools @' >/dev/null
    e2e_settle
}

# e2e_customer_mark: the under-edit fields of Acme Tools, one line each.
e2e_customer_mark() { e2e_record bcccust COMPANY "Acme Tools" | grep -E '^  (UNDEREDIT|EDTSTATION):'; }
