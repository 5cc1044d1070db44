#!/usr/bin/env bash
# Starts the real program on a private Xvfb and uses it as a person would:
# where the main window opens and how big it is, counting and a lap that
# grows the window, the lamps that move it and end the program, and both ways
# of leaving (Ctrl+Q, the window's close request) ending the process cleanly,
# the application menu's shortcuts and the menu itself from the About and
# donation windows, which come back when the menu asks for them minimised,
# the choice of the X display in a Wayland session and of Wayland where that
# display does not answer, that typing reaches a lap's note and nothing else
# of the lap list, the watch driven by keys alone and through a screen
# reader's view of it (AT-SPI), and the end that comes when the X server goes
# away or there is no display at all. The cases run once on a bare X server
# and once under a window manager (openbox), where places are those of the
# window's frame; the opacity slider is checked on screen under a compositor
# (xcompmgr), and the start on Wayland under weston in a bare X server.
#
# Usage: run_e2e.sh /path/to/tickora  (TICKORA_E2E_CASES="case_a case_b" runs only those)
set -euo pipefail

tickora=${1:?usage: run_e2e.sh /path/to/tickora}
[[ -x "$tickora" ]] || { echo "not an executable: $tickora" >&2; exit 2; }
for tool in Xvfb xdotool xprop xwininfo python3 openbox xcompmgr import; do
    command -v "$tool" >/dev/null || { echo "missing $tool (tools/test installs it)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tickora-e2e.XXXXXX")
xvfb_pid=
weston_pid=
wm_pid=
compositor_pid=
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
# at exit, and when the X server goes away Qt ends the process with exit()
# from inside its event loop, destroying its static objects while what they
# held of fontconfig's is still allocated. Those leaks are the system
# libraries', not ours, and would fail every such run; any leak of our own
# still fails it.
printf 'leak:libdbus-1.so\nleak:libfontconfig.so\n' >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

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
    stop_pid "$compositor_pid"
    stop_pid "$wm_pid"
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
    if [[ -n "$app_pid" ]] && ! kill -0 "$app_pid" 2>/dev/null; then
        local code=0
        wait "$app_pid" 2>/dev/null || code=$?
        app_pid=
        echo "the program had ended, exit status $code" >&2
    fi
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
# parallel runs never meet; under a window manager when the run's desktop
# says so.
xvfb_display_file="$work/display"
desktop=bare
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
    screen_width=$width screen_height=$height
    [[ "$desktop" == bare ]] || start_window_manager
}

# Xvfb writes the display number, then a newline, once it accepts clients.
xvfb_ready() {
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb exited"; }
    (($(wc -l <"$xvfb_display_file") >= 1))
}

stop_xvfb() {
    stop_pid "$compositor_pid"
    stop_pid "$wm_pid"
    stop_pid "$xvfb_pid"
    xvfb_pid='' wm_pid='' compositor_pid=''
}

# Small X requests the tools at hand do not make: who owns a selection, and
# a root background that a compositor paints too (it paints the pixmap named
# by _XROOTPMAP_ID, not the root window's colour).
x11() {
    python3 - "$@" <<'PY'
import ctypes, sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XGetSelectionOwner.restype = ctypes.c_ulong
x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultScreen.argtypes = [ctypes.c_void_p]
x11.XDefaultDepth.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCreatePixmap.restype = ctypes.c_ulong
x11.XCreatePixmap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint]
x11.XCreateGC.restype = ctypes.c_void_p
x11.XCreateGC.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_void_p]
x11.XSetForeground.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_ulong]
x11.XFillRectangle.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p,
                               ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint]
x11.XSetWindowBackgroundPixmap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
x11.XClearWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
x11.XSetCloseDownMode.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
command, argument = sys.argv[1], sys.argv[2]
if command == "owned":
    owner = x11.XGetSelectionOwner(display, x11.XInternAtom(display, argument.encode(), False))
    sys.exit(0 if owner else 1)
if command == "root-colour":
    root = x11.XDefaultRootWindow(display)
    depth = x11.XDefaultDepth(display, x11.XDefaultScreen(display))
    pixmap = x11.XCreatePixmap(display, root, 1, 1, depth)
    gc = x11.XCreateGC(display, pixmap, 0, None)
    x11.XSetForeground(display, gc, int(argument, 16))  # 24-bit TrueColor: the pixel is 0xRRGGBB
    x11.XFillRectangle(display, pixmap, gc, 0, 0, 1, 1)
    x11.XSetWindowBackgroundPixmap(display, root, pixmap)
    x11.XClearWindow(display, root)
    value = ctypes.c_ulong(pixmap)
    x11.XChangeProperty(display, root, x11.XInternAtom(display, b"_XROOTPMAP_ID", False),
                        20, 32, 0, ctypes.byref(value), 1)  # XA_PIXMAP, PropModeReplace
    x11.XSetCloseDownMode(display, 1)  # RetainPermanent: the pixmap outlives this client
x11.XCloseDisplay(display)
PY
}

# Openbox, ready once it owns the window manager selection of screen 0.
start_window_manager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    poll 10 x11 owned WM_S0 || { cat "$work/openbox.log" >&2; fail "openbox did not take over the screen within 10 s"; }
}

start_compositor() {
    xcompmgr >"$work/xcompmgr.log" 2>&1 &
    compositor_pid=$!
    poll 10 x11 owned _NET_WM_CM_S0 || { cat "$work/xcompmgr.log" >&2; fail "xcompmgr did not start within 10 s"; }
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

# Sets, in root coordinates, win_x and win_y to where the outer frame of
# window $1 (default $window) begins, client_x and client_y to where the
# program's own window begins inside it, win_width and win_height to the
# program's window size, frame_width and frame_height to the frame's. On a
# bare server the frame is the window itself. Under a reparenting window
# manager only xwininfo's "relative" place (within the frame) tells the frame
# apart; xdotool getwindowgeometry does not.
read_geometry() {
    local id=${1:-$window} info key value rel_x='' rel_y='' extents
    info=$(xwininfo -id "$id" -children -stats) || fail "cannot read the geometry of window $id"
    client_x='' client_y='' win_width='' win_height=''
    while IFS=: read -r key value; do
        value=${value//[[:space:]]/}
        case $key in
        *"Absolute upper-left X") client_x=$value ;;
        *"Absolute upper-left Y") client_y=$value ;;
        *"Relative upper-left X") rel_x=$value ;;
        *"Relative upper-left Y") rel_y=$value ;;
        *Width) win_width=$value ;;
        *Height) win_height=$value ;;
        esac
    done <<<"$info"
    [[ -n "$client_x" && -n "$client_y" && -n "$rel_x" && -n "$rel_y" && -n "$win_width" && -n "$win_height" ]] ||
        fail "unexpected answer from xwininfo: $info"
    if [[ "$info" == *"Parent window id:"*"(the root window)"* ]]; then
        win_x=$client_x win_y=$client_y
    else
        win_x=$((client_x - rel_x)) win_y=$((client_y - rel_y))
    fi
    # _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null || true)
    if [[ "$extents" =~ =\ ([0-9]+),\ ([0-9]+),\ ([0-9]+),\ ([0-9]+) ]]; then
        frame_width=$((win_width + BASH_REMATCH[1] + BASH_REMATCH[2]))
        frame_height=$((win_height + BASH_REMATCH[3] + BASH_REMATCH[4]))
    else
        frame_width=$win_width frame_height=$win_height
    fi
}

expect_equal() {
    local what=$1 actual=$2 expected=$3
    [[ "$actual" == "$expected" ]] || fail "$what is $actual, expected $expected"
}

# Waits for the program to end and checks that it ended by itself with the
# given code.
expect_exit() {
    local seconds=$1 how=$2 expected=$3 code=0
    poll "$seconds" app_gone || fail "still running ${seconds} s after $how"
    wait "$app_pid" || code=$?
    app_pid=
    ((code == expected)) || fail "exit code $code after $how, expected $expected"
}

expect_clean_exit() { expect_exit "$1" "$2" 0; }

# The program said exactly this one line, and nothing else: no core dump
# notice, no sanitizer report, none of Qt's words besides.
expect_only_line() {
    local said
    said=$(<"$app_log")
    [[ "$said" == "$1" ]] || fail "the program said \"$said\", expected just \"$1\""
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
    xdotool mousemove --sync "$((client_x + x))" "$((client_y + menu_height + y))" click 1
}

# Sets $pixel to "r,g,b" of the screen at a point of the root window, as
# the screen shows it (through the compositor, if any).
read_screen_pixel() {
    local answer
    answer=$(import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1) || fail "cannot read the screen"
    [[ "$answer" =~ \(([0-9]+),([0-9]+),([0-9]+) ]] || fail "unexpected answer from import: $answer"
    pixel="${BASH_REMATCH[1]},${BASH_REMATCH[2]},${BASH_REMATCH[3]}"
}

# The same at a point of the main window's content area.
read_pixel() {
    local x=$1 y=$2 menu_height
    read_geometry
    menu_height=$((win_height - content_height))
    read_screen_pixel "$((client_x + x))" "$((client_y + menu_height + y))"
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
    # Our own icon (80 and 160 pixels), not the toolkit's stand-in; it comes
    # just after the window's first frame.
    local icons
    icons_set() {
        icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ' || true)
        [[ "$icons" == *"Icon (80 x 80)"*"Icon (160 x 160)"* ]]
    }
    poll 5 icons_set || fail "the window's icons are: ${icons:-none}"
    send_close_request
    expect_clean_exit 10 "the close request"
}

# The program's window images reach the X server through its connection,
# not through shared memory (Lifecycle.cpp says why): an image in shared
# memory would show as a writable shared mapping of the process, a segment
# of the X server's (memfd) or a System V one.
expect_no_shared_images() {
    local shared
    shared=$(awk '$2 ~ /^rw.s$/' "/proc/$app_pid/maps") || fail "cannot read the program's memory map"
    [[ -z "$shared" ]] || fail "the program keeps window images in shared memory: $shared"
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
    expect_no_shared_images
    click_content 76 82 # stop
    click_content 483 82 # reset
    expect_geometry "442,0,$opened_height" "after the reset"
    content_height=164
    quit_with_ctrl_q
}

# Saves, as raw RGB in file $5, the rectangle $1,$2 (width $3, height $4) of
# the main window's content area as the screen shows it.
grab_content() {
    local x=$1 y=$2 width=$3 height=$4 file=$5 menu_height
    read_geometry
    menu_height=$((win_height - content_height))
    import -window root -crop "${width}x$height+$((client_x + x))+$((client_y + menu_height + y))" \
        -depth 8 "rgb:$file" || fail "cannot read the screen"
}

# Rows of the lap list in the content area: the list's inside begins about
# (11, 216), a row is 30 high, the LAP, TIME and LAPTIME cells lie from x 31
# to 410 and the note from x 411 on. A strip of each row clear of its grid
# line holds all of its texts.
lap_cells() { grab_content 32 "$((218 + 30 * $1))" 376 24 "$2"; }
note_cell() { grab_content 414 "$((218 + 30 * $1))" 100 24 "$2"; }
# xdotool's --sync waits for the pointer to move, so a second click on the
# same spot takes another point ($2) of the note.
click_note() { click_content "${2:-470}" "$((230 + 30 * $1))"; }
same_picture() { cmp -s "$1" "$2"; }

# Both rows on screen, and different: the strips do show the texts.
laps_shown() {
    lap_cells 0 "$work/row0" && lap_cells 1 "$work/row1" &&
        ! same_picture "$work/row0" "$work/row1"
}
note_changed() { note_cell 1 "$work/note-now"; ! same_picture "$work/note-before" "$work/note-now"; }

# Only a lap's note can be typed into: no key sequence that starts in a note's
# editor (Shift+Tab, Tab Tab) lets digits reach the lap's number or times.
case_only_the_note_of_a_lap_takes_typing() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    remember_opened_height
    click_content 76 82 # start
    click_content 483 82 # Lap 1
    expect_geometry "442,0,$((opened_height + 210))" "after a lap"
    content_height=374
    click_content 490 90 # Lap 2, at another point of the button
    click_content 76 82 # stop: only the keys below could change the list now
    poll 5 laps_shown || fail "the rows of Lap 1 and Lap 2 do not show"
    cp "$work/row0" "$work/row0-before"
    cp "$work/row1" "$work/row1-before"
    note_cell 1 "$work/note-before"
    focus_window "$window"

    click_note 0
    xdotool type --delay 20 abc
    xdotool key --clearmodifiers shift+Tab
    xdotool type --delay 20 77
    click_note 0 490
    xdotool key --clearmodifiers Tab Tab
    xdotool type --delay 20 99
    xdotool key --clearmodifiers Return
    # The program takes its input in order: once this note shows, the keys
    # above have all been handled.
    click_note 1
    xdotool type --delay 20 zz
    xdotool key --clearmodifiers Return
    poll 5 note_changed || fail "the note typed into Lap 2 does not show"

    lap_cells 0 "$work/row0"
    lap_cells 1 "$work/row1"
    same_picture "$work/row0-before" "$work/row0" || fail "the number or times of Lap 1 changed on screen"
    same_picture "$work/row1-before" "$work/row1" || fail "the number or times of Lap 2 changed on screen"
    quit_with_ctrl_q
}

case_dock_lamp_releases_and_docks() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    remember_opened_height
    # The start place is the docked place: the whole frame on screen at the top.
    expect_geometry "442,0,$opened_height" "at start"
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

# Sets $about to the About window opened with Ctrl+I from the main window.
about=
open_about_window() {
    focus_window "$window"
    xdotool key --clearmodifiers ctrl+i
    find_window_titled ' ' # the About window's title is one blank
    about=$found
}

# Centred on the screen by its frame, title bar and all.
about_centred() {
    read_geometry "$about"
    [[ "$win_x,$win_y" == "$(((screen_width - frame_width) / 2)),$(((screen_height - frame_height) / 2))" ]]
}

case_ctrl_i_opens_the_about_window() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    open_about_window
    read_geometry "$about"
    expect_equal "the About window's size" "${win_width}x$win_height" 288x289
    poll 5 about_centred || fail "the About window's frame (${frame_width}x$frame_height) is at $win_x,$win_y," \
        "not centred on the ${screen_width}x$screen_height screen"
    quit_with_ctrl_q
}

case_closing_the_main_window_with_about_open_quits() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    open_about_window
    send_close_request
    expect_clean_exit 10 "closing the main window while the About window is open"
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
    open_about_window
    focus_window "$about"
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

# Sets $wm_state to the state the window manager keeps for window $1
# (Normal, Iconic), or to "none" on a bare server, where nobody keeps one.
wm_state=
read_wm_state() {
    local answer
    answer=$(xprop -id "$1" WM_STATE 2>/dev/null || true)
    if [[ "$answer" =~ "window state: "([A-Za-z]+) ]]; then
        wm_state=${BASH_REMATCH[1]}
    else
        wm_state=none
    fi
}

has_focus() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]]; }

is_iconic() {
    read_wm_state "$1"
    [[ "$wm_state" == Iconic ]] && xwininfo -id "$1" | grep -q IsUnMapped
}

# On screen, not minimised, and with the keyboard focus.
is_back() {
    read_wm_state "$1"
    [[ "$wm_state" == "$(if [[ "$desktop" == bare ]]; then echo none; else echo Normal; fi)" ]] &&
        xwininfo -id "$1" | grep -q IsViewable && has_focus "$1"
}

# What the window manager's minimise button does. Without a window manager
# nobody answers the request and the window stays as it is.
minimise() {
    xdotool windowminimize "$1"
    [[ "$desktop" == bare ]] || poll 5 is_iconic "$1" || fail "window $1 did not become iconic ($wm_state)"
}

expect_back() {
    local id=$1 how=$2
    poll 5 is_back "$id" || fail "after $how window $id is not back: WM_STATE $wm_state," \
        "$(xwininfo -id "$id" | grep 'Map State' | tr -s ' '), focus on $(xdotool getwindowfocus)"
}

# There is one window titled exactly $1, and it is $2.
expect_the_one_window_titled() {
    local ids
    ids=$(xdotool search --onlyvisible --name "^${1}\$" 2>/dev/null || true)
    expect_equal "the windows titled \"$1\"" "$ids" "$2"
}

# In window $1, opens the application menu with key $2 and chooses the
# item that the further keys, then Return, lead to from the first item.
choose_from_the_menu_in() {
    focus_window "$1"
    xdotool key --clearmodifiers "$2"
    shift 2
    xdotool key "$@" Return
}

case_ctrl_i_brings_the_minimised_about_window_back() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    open_about_window
    minimise "$about"
    focus_window "$window"
    xdotool key --clearmodifiers ctrl+i
    expect_back "$about" "Ctrl+I"
    expect_the_one_window_titled ' ' "$about"
    quit_with_ctrl_q
}

case_spende_brings_the_minimised_donation_window_back() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    open_donation_from_the_menu F10
    local donation=$found
    minimise "$donation"
    choose_from_the_menu_in "$window" alt+t Down # Spende
    expect_back "$donation" "Spende from the menu"
    expect_the_one_window_titled Donation "$donation"
    quit_with_ctrl_q
}

# The About and donation windows have no menu bar, yet F10 and Alt+T open the
# application menu in them: each choice moves the focus to the other window.
case_the_application_menu_opens_in_the_about_and_donation_windows() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    open_about_window
    choose_from_the_menu_in "$about" F10 Down # Spende
    find_window_titled Donation
    local donation=$found
    expect_back "$donation" "Spende chosen with F10 in the About window"
    choose_from_the_menu_in "$donation" alt+t # Information
    expect_back "$about" "Information chosen with Alt+T in the donation window"
    choose_from_the_menu_in "$about" alt+t Down
    expect_back "$donation" "Spende chosen with Alt+T in the About window"
    choose_from_the_menu_in "$donation" F10
    expect_back "$about" "Information chosen with F10 in the donation window"
    quit_with_ctrl_q
}

# A web page opens in a browser that inherits the environment the program
# was started with, not the switches the program gives Qt while it starts:
# the platform it chose (QT_QPA_PLATFORM unset here) nor the X images'
# way (QT_XCB_NO_MITSHM). Qt starts the browser through xdg-open.
case_the_browser_inherits_none_of_the_start_switches() {
    start_xvfb 1440 900
    mkdir -p "$work/bin"
    printf '#!/bin/sh\nenv >"%s.part" && mv "%s.part" "%s"\n' \
        "$work/browser-env" "$work/browser-env" "$work/browser-env" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
    rm -f "$work/browser-env"
    app_log="$work/app-$current_case.log"
    env -u QT_QPA_PLATFORM PATH="$work/bin:$PATH" "$tickora" >"$app_log" 2>&1 &
    app_pid=$!
    wait_for_window
    open_about_window
    read_geometry "$about"
    xdotool mousemove --sync "$((client_x + 141))" "$((client_y + 203))" click 1 # the web address
    poll 5 test -s "$work/browser-env" || fail "no browser started within 5 s"
    ! grep -E '^(QT_QPA_PLATFORM|QT_XCB_NO_MITSHM)=' "$work/browser-env" ||
        fail "the browser inherited the switches above"
    quit_with_ctrl_q
}

# A Wayland session that also offers an X display (XWayland, here Xvfb): with
# Qt's Wayland plug-in installed and no platform asked for, the window still
# opens on the X display, where it can place itself at the top centre.
case_wayland_session_opens_on_the_x_display() {
    command -v weston >/dev/null || fail "missing weston (tools/test installs it)"
    # Without Qt's Wayland plug-in Qt could not choose Wayland, and the case would prove nothing.
    compgen -G '/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so' >/dev/null ||
        fail "missing Qt's Wayland plug-in (qt6-wayland; tools/test installs it)"
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

# A Wayland session whose DISPLAY names an X server that is not there (left
# over, or not up yet): the program starts on Wayland with its one notice
# instead of ending, and its window takes Ctrl+Q, which ends it with status 0.
# Weston runs in the case's X server, which gives it a keyboard (its headless
# back end has none). A key reaches a Wayland client only in a window that
# is shown and active, so Ctrl+Q is pressed until the program ends.
case_stale_display_in_a_wayland_session_starts_on_wayland() {
    start_xvfb 1024 768
    local socket=tickora-e2e-stale compositor number=900
    weston --backend=x11-backend.so --use-pixman --socket="$socket" --idle-time=0 --width=1024 --height=768 \
        >"$work/weston.log" 2>&1 &
    weston_pid=$!
    weston_shown() {
        kill -0 "$weston_pid" 2>/dev/null || { cat "$work/weston.log" >&2; fail "weston exited"; }
        [[ -S "$XDG_RUNTIME_DIR/$socket" ]] &&
            compositor=$(xdotool search --onlyvisible --class '^Weston Compositor$' 2>/dev/null | head -n 1) &&
            [[ -n "$compositor" ]]
    }
    poll 10 weston_shown || fail "weston did not come up within 10 s"
    while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]]; do
        ((number += 1))
    done
    app_log="$work/app-$current_case.log"
    env -u QT_QPA_PLATFORM DISPLAY=":$number" WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland \
        "$tickora" >"$app_log" 2>&1 &
    app_pid=$!
    focus_window "$compositor"
    quits_on_ctrl_q() {
        kill -0 "$app_pid" 2>/dev/null || return 0
        xdotool key --clearmodifiers ctrl+q
        poll 1 app_gone
    }
    poll 10 quits_on_ctrl_q || fail "still running 10 s after start, Ctrl+Q pressed all along"
    expect_clean_exit 1 "Ctrl+Q"
    local said
    said=$(<"$app_log")
    [[ "$said" == "Tickora: Running as a native Wayland client:"* && "$said" != *$'\n'* ]] ||
        fail "the program said \"$said\", expected just its notice of running on Wayland"
    stop_pid "$weston_pid"
    weston_pid=
}

# A log-out, or an XWayland restart: the X server goes away under the running
# program, with the watch counting, a lap taken and the About window open.
case_losing_the_display_ends_with_status_1() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    click_content 76 82 # start
    click_content 483 82 # lap
    open_about_window
    local display=$DISPLAY
    stop_xvfb
    expect_exit 10 "the X server went away" 1
    expect_only_line "Tickora: lost the connection to display $display"
}

# Started where there is no display to open: one named that nobody serves,
# a Wayland socket that is not there, and none named at all. Nothing is shown,
# and the program ends at once with status 1.
case_no_display_ends_with_status_1() {
    local number=900
    while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]]; do
        ((number += 1))
    done
    local -a environments=(
        "DISPLAY=:$number"
        "WAYLAND_DISPLAY=tickora-e2e-no-such-socket"
        ""
    )
    local -a lines=(
        "Tickora: cannot open display :$number"
        "Tickora: cannot open Wayland display tickora-e2e-no-such-socket"
        "Tickora: no display to open: neither DISPLAY nor WAYLAND_DISPLAY is set"
    )
    local i
    for i in "${!environments[@]}"; do
        app_log="$work/app-no-display-$i.log"
        # shellcheck disable=SC2086 # an empty entry sets nothing
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${environments[i]} "$tickora" >"$app_log" 2>&1 &
        app_pid=$!
        expect_exit 10 "starting with ${environments[i]:-no display named}" 1
        expect_only_line "${lines[i]}"
    done
}

# Each channel of the face blended with the background at the opacity (per
# cent), within two steps of rounding; sets $expected to the blend.
blends() {
    local face=$1 background=$2 percent=$3 shown=$4 i
    local -a f b s e
    IFS=, read -ra f <<<"$face"
    IFS=, read -ra b <<<"$background"
    IFS=, read -ra s <<<"$shown"
    for i in 0 1 2; do
        e[i]=$(((f[i] * percent + b[i] * (100 - percent) + 50) / 100))
        ((s[i] - e[i] <= 2 && e[i] - s[i] <= 2)) || return 1
    done
    expected="${e[0]},${e[1]},${e[2]}"
}

pixel_is() { read_pixel "$1" "$2"; [[ "$pixel" == "$3" ]]; }
root_is() { read_screen_pixel 0 "$((screen_height - 1))"; [[ "$pixel" == "$1" ]]; }
pixel_blends() { read_pixel "$1" "$2"; blends "$3" "$4" "$5" "$pixel"; }

case_opacity_slider_blends_on_screen() {
    start_xvfb 1440 900
    start_compositor
    x11 root-colour FF0000
    start_app
    wait_for_window
    remember_opened_height
    # A point of the face, over red and then over blue: the window opens fully
    # opaque although its slider shows 90, so the face hides what is behind.
    local x=60 y=20 face expected=''
    poll 5 root_is 255,0,0 || fail "the compositor shows $pixel as the background, not red"
    read_pixel "$x" "$y"
    face=$pixel
    x11 root-colour 0000FF
    poll 5 root_is 0,0,255 || fail "the compositor shows $pixel as the background, not blue"
    read_pixel "$x" "$y"
    expect_equal "the face over blue (over red it was $face)" "$pixel" "$face"
    # Each click left of the knob takes a page (20) off the slider; each at
    # another point, as xdotool's --sync waits for the pointer to move.
    for percent in 70 50; do
        click_content "$((90 + percent))" 124
        poll 5 pixel_blends "$x" "$y" "$face" 0,0,255 "$percent" ||
            fail "at $percent % the face $face over 0,0,255 shows $pixel, expected about $expected"
        echo "e2e: at $percent % the face $face over 0,0,255 shows $pixel"
    done
    quit_with_ctrl_q
}

# The lap list shows exactly $1 laps: the rows before are drawn, those after
# look like the fifth, which no case here fills.
laps_are() {
    local row
    lap_cells 4 "$work/empty" || return 1
    for ((row = 0; row < 4; row++)); do
        lap_cells "$row" "$work/row" || return 1
        if ((row < $1)); then
            ! same_picture "$work/row" "$work/empty" || return 1
        else
            same_picture "$work/row" "$work/empty" || return 1
        fi
    done
}
pixel_is_not() { read_pixel "$1" "$2"; [[ "$pixel" != "$3" ]]; }

# Without a mouse: Space starts and stops, Return takes laps only while the
# watch runs (held down, one), Delete resets, and Tab reaches the lap list,
# which shows its ring; the keys work with the list focused as well.
case_the_keyboard_alone_drives_the_watch() {
    start_xvfb 1440 900
    start_app
    wait_for_window
    remember_opened_height
    focus_window "$window"
    xdotool key space
    sleep 1.1
    xdotool key Return
    expect_geometry "442,0,$((opened_height + 210))" "after Space and Return"
    content_height=374
    xdotool keydown Return
    sleep 1.2 # past the X server's delay before it repeats a held key
    xdotool keyup Return
    xdotool key space Return KP_Enter
    poll 5 laps_are 2 || fail "a held Return, then Space, Return and Enter took other than one more lap"
    # Left of the list, where its ring goes.
    read_pixel 9 290
    local beside=$pixel
    xdotool key Tab
    poll 5 pixel_is_not 9 290 "$beside" || fail "Tab to the lap list shows no ring around it ($pixel)"
    echo "e2e: the lap list's ring shows $pixel where the window showed $beside"
    xdotool key Delete
    expect_geometry "442,0,$opened_height" "after Delete"
    content_height=164
    xdotool key space Return
    expect_geometry "442,0,$((opened_height + 210))" "after Delete, Space and Return"
    content_height=374
    quit_with_ctrl_q
}

# As a screen reader finds the window through AT-SPI (what Orca uses), on a
# D-Bus session bus of its own with its accessibility bus: every control by
# role and name, a press on Start and on Lap through their actions, the time
# and the lap's row read back, no announcement of the ticking fields, the
# lamps' state, and the quit lamp's press ending the program.
case_a_screen_reader_finds_and_works_every_control() {
    # Debian's python3, for which tools/test installs pyatspi.
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "missing python3-pyatspi (tools/test installs it)"
    command -v dbus-run-session >/dev/null || fail "missing dbus-run-session (dbus-daemon; tools/test installs it)"
    start_xvfb 1440 900
    app_log="$work/app-$current_case.log"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 timeout 60 dbus-run-session -- /usr/bin/python3 - "$tickora" "$app_log" \
        >"$work/reader.log" 2>&1 <<'PY' || { cat "$work/reader.log" >&2; fail "the screen reader's run failed"; }
import re, subprocess, sys, time

import pyatspi
from gi.repository import GLib

tickora, log = sys.argv[1], sys.argv[2]


def fail(message):
    sys.exit(message)


def poll(seconds, probe):
    deadline = time.monotonic() + seconds
    while not (found := probe()) and time.monotonic() < deadline:
        time.sleep(0.05)
    return found


def tree(node):
    yield node
    for child in node:
        if child is not None:
            yield from tree(child)


program = subprocess.Popen([tickora], stdout=open(log, "w"), stderr=subprocess.STDOUT)
try:
    app = poll(15, lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                 if a is not None and a.get_process_id() == program.pid), None))
    app or fail("the program did not register with the accessibility bus within 15 s")
    frame = poll(10, lambda: next((n for n in app if n.getRoleName() == "frame" and n.name == "stopwatch"), None))
    frame or fail("no frame named 'stopwatch' but %s" % [(n.getRoleName(), n.name) for n in app])

    def captions(node):
        return [r.getTarget(0).name for r in node.getRelationSet()
                if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]

    def find(role, name, captioned=False):
        found = [n for n in tree(frame) if n.getRoleName() == role and n.name == name
                 and bool(captions(n)) == captioned]
        len(found) == 1 or fail("%d controls with role %r and name %r" % (len(found), role, name))
        return found[0]

    def text(node):
        return node.queryText().getText(0, -1)

    def press(node):
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        "Press" in names or fail("%r offers no press, only %s" % (node.name, names))
        action.doAction(names.index("Press"))

    def checked(node):
        return node.getState().contains(pyatspi.STATE_CHECKED)

    start, lap = find("push button", "Start"), find("push button", "Reset")
    info, dock, quit_lamp = (find("push button", name) for name in ("Info", "Fenster lösen", "Beenden"))
    # Each time field is named by its caption, a label of its own.
    fields = {name: find("label", name, captioned=True) for name in ("Hour", "Min", "Sec")}
    for name in ("Hour", "Min", "Sec", "LAP", "TIME", "LAPTIME", "NOTE"):
        find("label", name)
    find("slider", "Opacity")
    laps = find("table", "Laps")
    clock = find("label", "Clock")
    re.fullmatch(r"\d\d:\d\d", text(clock)) or fail("the clock reads %r" % text(clock))
    headers = [c.name for c in laps if c.getRoleName() == "table column header"]
    headers == ["", "LAP", "TIME", "LAPTIME", "NOTE"] or fail("the columns are headed %s" % headers)
    all(text(f) == "00" for f in fields.values()) or fail("the fields read %s" % [text(f) for f in fields.values()])

    # Two seconds of counting after a press on Start: the buttons tell their
    # new names, the ticking fields tell nothing.
    heard = []

    def hear(event):
        heard.append((event.type, event.source.name, event.source.getRoleName()))

    kinds = ["object:property-change:accessible-name", "object:text-changed", "object:state-changed"]
    for kind in kinds:
        pyatspi.Registry.registerEventListener(hear, kind)
    press(start)
    GLib.timeout_add(2300, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    for kind in kinds:
        pyatspi.Registry.deregisterEventListener(hear, kind)
    (start.name, lap.name) == ("Stop", "Lap") or fail("after Start the buttons read %s" % [start.name, lap.name])
    ("object:property-change:accessible-name", "Stop", "push button") in heard or fail("not heard: %s" % heard)
    ticks = [h for h in heard if h[2] == "label"]
    not ticks or fail("the fields announced their ticks: %s" % ticks)
    int(text(fields["Sec"])) >= 2 or fail("after 2.3 s the watch reads %s seconds" % text(fields["Sec"]))

    press(lap)
    table = laps.queryTable()
    poll(5, lambda: table.nRows == 1) or fail("%d rows after a lap" % table.nRows)
    row = [table.getAccessibleAt(0, column).name for column in range(4)]
    (row[1] == "Lap 1" and re.fullmatch(r"00:00:0\d", row[2]) and row[3] == row[2]) or fail("the row reads %s" % row)
    print("e2e: the screen reader read the lap row %s" % row[1:])

    (checked(info), checked(dock)) == (False, False) or fail("a lamp reads as on at the start")
    press(info)
    poll(5, lambda: checked(info)) or fail("the info lamp does not read as on after a press")
    press(info)
    poll(5, lambda: not checked(info)) or fail("the info lamp still reads as on after a second press")

    press(quit_lamp)
    code = program.wait(10)
    code == 0 or fail("exit code %d after the quit lamp's press" % code)
finally:
    if program.poll() is None:
        program.kill()
PY
    grep '^e2e:' "$work/reader.log" || true
}

# TICKORA_E2E_CASES, a space-separated list of case names, runs just those.
run_case() {
    if [[ -n "${TICKORA_E2E_CASES:-}" && " $TICKORA_E2E_CASES " != *" $1 "* ]]; then
        return 0
    fi
    current_case="$1 ($desktop)"
    local start
    start=$(now_us)
    "$1"
    echo "e2e: $current_case passed ($((($(now_us) - start) / 1000)) ms)"
}

# What holds with and without a window manager.
every_desktop_cases=(
    case_opens_centred_at_top_and_quits_on_ctrl_q
    case_odd_screen_width_truncates
    case_narrow_screen_places_left_of_it
    case_lap_grows_the_window_and_reset_shrinks_it
    case_only_the_note_of_a_lap_takes_typing
    case_dock_lamp_releases_and_docks
    case_ctrl_i_opens_the_about_window
    case_closing_the_main_window_with_about_open_quits
    case_ctrl_q_in_the_about_window_quits
    case_ctrl_q_in_the_donation_window_quits
    case_ctrl_i_in_the_donation_window_opens_about
    case_ctrl_i_brings_the_minimised_about_window_back
    case_spende_brings_the_minimised_donation_window_back
    case_the_application_menu_opens_in_the_about_and_donation_windows
    case_wayland_session_opens_on_the_x_display
    case_quit_lamp_quits
    case_close_request_quits
    case_the_browser_inherits_none_of_the_start_switches
    case_losing_the_display_ends_with_status_1
    case_the_keyboard_alone_drives_the_watch
    case_a_screen_reader_finds_and_works_every_control
)
# What needs no display at all.
no_display_cases=(
    case_no_display_ends_with_status_1
)
# What needs a window manager (and starts what else it needs).
window_manager_cases=(
    case_opacity_slider_blends_on_screen
)
# What runs under a Wayland compositor of its own, in a bare X server.
wayland_cases=(
    case_stale_display_in_a_wayland_session_starts_on_wayland
)

for desktop in bare openbox; do
    for name in "${every_desktop_cases[@]}"; do
        run_case "$name"
    done
done
desktop=openbox
for name in "${window_manager_cases[@]}"; do
    run_case "$name"
done
desktop=bare
for name in "${wayland_cases[@]}"; do
    run_case "$name"
done
desktop=none
for name in "${no_display_cases[@]}"; do
    run_case "$name"
done
current_case=
stop_xvfb
echo "e2e: all cases passed"
