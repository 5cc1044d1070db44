#!/usr/bin/env bash
# Starts the real program on a private Xvfb and uses it as a person would:
# where the main window opens and how big it is, counting and a lap that
# grows the window, the lamps that move it and end the program, and both ways
# of leaving (Ctrl+Q, the window's close request) ending the process cleanly,
# the application menu's shortcuts from the About and donation windows, and
# the choice of the X display in a Wayland session.
#
# Usage: run_e2e.sh /path/to/tickora
set -euo pipefail

tickora=${1:?usage: run_e2e.sh /path/to/tickora}
[[ -x "$tickora" ]] || { echo "not an executable: $tickora" >&2; exit 2; }
for tool in Xvfb xdotool xprop python3; do
    command -v "$tool" >/dev/null || { echo "missing $tool (tools/test installs it)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tickora-e2e.XXXXXX")
xvfb_pid=
weston_pid=
app_pid=
app_log=
current_case=

# Keep the program away from the user's settings and session, and make sure
# it talks to our X server even when the caller asked for offscreen.
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
export XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY SESSION_MANAGER

# In a sanitizer build, Qt's D-Bus thread leaves one buffer of libdbus behind
# at exit. That leak is the system library's, not ours, and would fail every
# such run; any leak of our own still fails it.
printf 'leak:libdbus-1.so\n' >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

stop_pid() {
    local pid=$1 i
    [[ -n "$pid" ]] || return 0
    kill "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 100; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    local status=$?
    trap - EXIT
    stop_pid "$app_pid"
    stop_pid "$weston_pid"
    stop_pid "$xvfb_pid"
    rm -rf "$work"
    if ((status != 0)) && [[ -n "$current_case" ]]; then
        echo "e2e: case '$current_case' FAILED" >&2
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "e2e [$current_case]: $*" >&2
    if [[ -n "$app_log" && -s "$app_log" ]]; then
        echo "--- program output ---" >&2
        cat "$app_log" >&2
        echo "----------------------" >&2
    fi
    exit 1
}

now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }

# Polls a command until it succeeds or the given number of seconds has passed.
poll() {
    local seconds=$1
    shift
    local deadline=$(($(now_us) + seconds * 1000000))
    until "$@"; do
        (($(now_us) < deadline)) || return 1
        sleep 0.05
    done
}

# A fresh X server per case, on whichever display number is free, so
# parallel runs never meet.
xvfb_display_file="$work/display"
start_xvfb() {
    local width=$1 height=$2 number
    stop_xvfb
    : >"$xvfb_display_file"
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp -noreset \
        3>"$xvfb_display_file" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    poll 10 xvfb_ready || fail "Xvfb did not come up within 10 s"
    number=$(tr -d '[:space:]' <"$xvfb_display_file")
    export DISPLAY=":$number"
}

# Xvfb writes the display number, then a newline, once it accepts clients.
xvfb_ready() {
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb exited"; }
    (($(wc -l <"$xvfb_display_file") >= 1))
}

stop_xvfb() {
    stop_pid "$xvfb_pid"
    xvfb_pid=
}

start_app() {
    app_log="$work/app-$current_case.log"
    "$tickora" >"$app_log" 2>&1 &
    app_pid=$!
}

# Sets $window to the id of the mapped window titled exactly "stopwatch".
window=
wait_for_window() {
    window=
    poll 10 window_shown || fail "no window titled \"stopwatch\" within 10 s"
    (($(wc -l <<<"$window") == 1)) || fail "more than one window titled \"stopwatch\": $window"
}

window_shown() {
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended before showing its window"
    window=$(xdotool search --onlyvisible --name '^stopwatch$' 2>/dev/null || true)
    [[ -n "$window" ]]
}

# Sets win_x, win_y, win_width, win_height of $window, in root coordinates.
read_geometry() {
    local geometry key value
    geometry=$(xdotool getwindowgeometry --shell "$window") || fail "cannot read the window's geometry"
    win_x='' win_y='' win_width='' win_height=''
    while IFS='=' read -r key value; do
        case $key in
        X) win_x=$value ;;
        Y) win_y=$value ;;
        WIDTH) win_width=$value ;;
        HEIGHT) win_height=$value ;;
        esac
    done <<<"$geometry"
    [[ -n "$win_x" && -n "$win_y" && -n "$win_width" && -n "$win_height" ]] ||
        fail "unexpected answer from xdotool getwindowgeometry: $geometry"
}

expect_equal() {
    local what=$1 actual=$2 expected=$3
    [[ "$actual" == "$expected" ]] || fail "$what is $actual, expected $expected"
}

# Waits for the program to end and checks that it ended by itself with code 0.
expect_clean_exit() {
    local seconds=$1 how=$2 code=0
    poll "$seconds" app_gone || fail "still running ${seconds} s after $how"
    wait "$app_pid" || code=$?
    app_pid=
    ((code == 0)) || fail "exit code $code after $how, expected 0"
}

app_gone() { ! kill -0 "$app_pid" 2>/dev/null; }

quit_with_ctrl_q() {
    timeout 5 xdotool windowfocus --sync "$window" || fail "could not focus the window"
    xdotool key --clearmodifiers ctrl+q
    expect_clean_exit 10 "Ctrl+Q"
}

# What a window manager's close button does: a WM_DELETE_WINDOW client
# message. xdotool's windowclose destroys the window instead and windowkill
# kills the connection, and neither is a person closing the window.
send_close_request() {
    python3 - "$window" <<'PY' || fail "could not send WM_DELETE_WINDOW"
import ctypes, sys

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                           ctypes.c_long, ctypes.POINTER(XEvent)]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1])
event = XEvent()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", False)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", False)
event.xclient.data[1] = 0  # CurrentTime
if not x11.XSendEvent(display, window, False, 0, ctypes.byref(event)):
    sys.exit("XSendEvent failed")
x11.XSync(display, False)
x11.XCloseDisplay(display)
PY
}

# Clicks a point of the window's content area (below its menu bar), given in
# the program's own coordinates.
click_content() {
    local x=$1 y=$2 menu_height
    read_geometry
    menu_height=$((win_height - content_height))
    xdotool mousemove --sync "$((win_x + x))" "$((win_y + menu_height + y))" click 1
}

# The content is 164 high when the window opens; remembered with the menu bar's
# height so that later heights can be told apart.
content_height=164
opened_height=
remember_opened_height() {
    read_geometry
    opened_height=$win_height
    content_height=164
}

geometry_is() {
    read_geometry
    [[ "$win_x,$win_y,$win_height" == "$1" ]]
}
expect_geometry() {
    local expected=$1 what=$2
    poll 5 geometry_is "$expected" || fail "$what: x,y,height is $win_x,$win_y,$win_height, expected $expected"
}

# --- cases -------------------------------------------------------------------

case_opens_centred_at_top_and_quits_on_ctrl_q() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    read_geometry
    expect_equal "width" "$win_width" 556
    # 164 of content plus the window's own menu bar.
    ((win_height >= 164 + 15 && win_height <= 164 + 40)) ||
        fail "height is $win_height, expected 164 plus a menu bar (179..204)"
    expect_equal "position on a 1440 px wide screen" "$win_x,$win_y" 442,0
    quit_with_ctrl_q
}

case_odd_screen_width_truncates() {
    # 1365 / 2 - 278 = 404.5: the left edge is truncated, not rounded.
    start_xvfb 1365 768
    start_app
    wait_for_window
    read_geometry
    expect_equal "position on a 1365 px wide screen" "$win_x,$win_y" 404,0
    quit_with_ctrl_q
}

case_close_request_quits() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    # A window manager only asks a window that takes part in WM_DELETE_WINDOW;
    # any other it kills.
    local protocols
    protocols=$(xprop -id "$window" WM_PROTOCOLS) || fail "cannot read WM_PROTOCOLS"
    [[ "$protocols" == *WM_DELETE_WINDOW* ]] ||
        fail "the window does not take part in WM_DELETE_WINDOW: $protocols"
    send_close_request
    expect_clean_exit 10 "the close request"
}

case_lap_grows_the_window_and_reset_shrinks_it() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    remember_opened_height
    click_content 76 82 # start
    sleep 2.2
    click_content 483 82 # lap
    expect_geometry "442,0,$((opened_height + 210))" "after a lap"
    content_height=374
    click_content 76 82 # stop
    click_content 483 82 # reset
    expect_geometry "442,0,$opened_height" "after the reset"
    content_height=164
    quit_with_ctrl_q
}

case_dock_lamp_releases_and_docks() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    remember_opened_height
    click_content 18 147
    expect_geometry "442,100,$opened_height" "after releasing"
    click_content 18 147
    expect_geometry "442,0,$opened_height" "after docking"
    quit_with_ctrl_q
}

case_narrow_screen_places_left_of_it() {
    # 500 / 2 - 278 = -28: the window is not pulled onto a narrow screen.
    start_xvfb 500 400
    start_app
    wait_for_window
    read_geometry
    expect_equal "position on a 500 px wide screen" "$win_x,$win_y" -28,0
    quit_with_ctrl_q
}

case_ctrl_i_opens_the_about_window() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    timeout 5 xdotool windowfocus --sync "$window" || fail "could not focus the window"
    xdotool key --clearmodifiers ctrl+i
    # The About window's title is one blank; it is the second top-level window.
    local about='' geometry
    about_shown() {
        about=$(xdotool search --onlyvisible --name '^ $' 2>/dev/null | head -n 1 || true)
        [[ -n "$about" ]]
    }
    poll 5 about_shown || fail "no About window within 5 s of Ctrl+I"
    geometry=$(xdotool getwindowgeometry "$about") || fail "cannot read the About window's geometry"
    [[ "$geometry" == *"Geometry: 288x289"* ]] || fail "the About window is not 288 by 289: $geometry"
    quit_with_ctrl_q
}

case_quit_lamp_quits() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    remember_opened_height
    click_content 76 82 # start, so the lamp ends a running count
    click_content 542 147
    expect_clean_exit 10 "a click on the quit lamp"
}

# Sets $found to the id of the one visible window titled exactly $1, waiting
# up to 5 s for it.
found=
find_window_titled() {
    local title=$1
    found=
    titled_window_shown() {
        found=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        [[ -n "$found" ]]
    }
    poll 5 titled_window_shown || fail "no window titled \"$title\" within 5 s"
}

focus_window() {
    timeout 5 xdotool windowfocus --sync "$1" || fail "could not focus window $1"
}

# "Spende" is the application menu's second item: the menu opens from the
# keyboard ($1: alt+t or F10) with its first item chosen.
open_donation_from_the_menu() {
    focus_window "$window"
    xdotool key --clearmodifiers "$1"
    xdotool key Down Return
    find_window_titled Donation
}

case_ctrl_q_in_the_about_window_quits() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    focus_window "$window"
    xdotool key --clearmodifiers ctrl+i
    find_window_titled ' ' # the About window's title is one blank
    focus_window "$found"
    xdotool key --clearmodifiers ctrl+q
    expect_clean_exit 10 "Ctrl+Q in the About window"
}

case_ctrl_q_in_the_donation_window_quits() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    open_donation_from_the_menu F10
    focus_window "$found"
    xdotool key --clearmodifiers ctrl+q
    expect_clean_exit 10 "Ctrl+Q in the donation window"
}

case_ctrl_i_in_the_donation_window_opens_about() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    open_donation_from_the_menu alt+t
    focus_window "$found"
    xdotool key --clearmodifiers ctrl+i
    find_window_titled ' '
    quit_with_ctrl_q
}

# A Wayland session that also offers an X display (XWayland, here Xvfb): with
# Qt's Wayland plug-in installed and no platform asked for, the window still
# opens on the X display, where it can place itself at the top centre.
case_wayland_session_opens_on_the_x_display() {
    command -v weston >/dev/null || fail "missing weston (tools/test installs it)"
    start_xvfb 1440 900
    local socket=tickora-e2e-wayland
    weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
        >"$work/weston.log" 2>&1 &
    weston_pid=$!
    weston_ready() {
        kill -0 "$weston_pid" 2>/dev/null || { cat "$work/weston.log" >&2; fail "weston exited"; }
        [[ -S "$XDG_RUNTIME_DIR/$socket" ]]
    }
    poll 10 weston_ready || fail "weston did not come up within 10 s"
    app_log="$work/app-$current_case.log"
    env -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland \
        "$tickora" >"$app_log" 2>&1 &
    app_pid=$!
    wait_for_window
    read_geometry
    expect_equal "position on a 1440 px wide screen" "$win_x,$win_y" 442,0
    ! grep -q Wayland "$app_log" || fail "the program says it runs on Wayland"
    quit_with_ctrl_q
    stop_pid "$weston_pid"
    weston_pid=
}

for current_case in \
    case_opens_centred_at_top_and_quits_on_ctrl_q \
    case_odd_screen_width_truncates \
    case_narrow_screen_places_left_of_it \
    case_lap_grows_the_window_and_reset_shrinks_it \
    case_dock_lamp_releases_and_docks \
    case_ctrl_i_opens_the_about_window \
    case_quit_lamp_quits \
    case_ctrl_q_in_the_about_window_quits \
    case_ctrl_q_in_the_donation_window_quits \
    case_ctrl_i_in_the_donation_window_opens_about \
    case_wayland_session_opens_on_the_x_display \
    case_close_request_quits; do
    start=$(now_us)
    "$current_case"
    echo "e2e: $current_case passed ($((($(now_us) - start) / 1000)) ms)"
done
current_case=
stop_xvfb
echo "e2e: all cases passed"
