# shellcheck shell=bash disable=SC2034  # the lists are read by the scripts that source this file
# Sourced by tools/start, tools/test and tools/package: the Debian packages
# Tickora needs and the one routine that installs whichever of them are
# missing.

# To build and run the program. Arial is the face the layout was drawn for;
# Liberation Sans has the same metrics, DejaVu covers everything else.
# libxcb's headers let the program tell when its X display has gone away.
TICKORA_RUN_PACKAGES=(
    cmake ninja-build g++ qt6-base-dev libxcb1-dev
    fonts-liberation fonts-dejavu-core
)

# On top of that, to build and run the tests: qt6-base-dev already brings
# Qt Test and the platform plug-ins. The end-to-end test drives the real
# window on Xvfb with xdotool and x11-utils' xprop and xwininfo, and asks the
# window to close through python3's ctypes and libX11, as a window manager
# would. It runs again under openbox, and reads what the screen shows under
# xcompmgr with imagemagick's import. A headless weston with Qt's Wayland
# plug-in makes a Wayland session, to show that the program still chooses
# the X display there. The package's test checks the package with lintian,
# its AppStream metadata with appstream's appstreamcli and its desktop entry
# with desktop-file-utils, and finds its icon with python3-xdg's lookup of the
# freedesktop icon theme in hicolor-icon-theme's index. The package only
# recommends that theme; listed here, it is installed before the package is,
# as qt6-wayland is, so installing the package downloads nothing. A screen
# reader's view of the window is read through AT-SPI with python3-pyatspi
# (which brings at-spi2-core's accessibility bus), on a session bus of its
# own from dbus-daemon's dbus-run-session.
TICKORA_TEST_PACKAGES=(
    libgtest-dev
    xvfb xauth xdotool x11-utils python3
    openbox xcompmgr imagemagick
    weston qt6-wayland
    lintian appstream desktop-file-utils python3-xdg hicolor-icon-theme
    python3-pyatspi at-spi2-core dbus-daemon
)

# To make the Debian package (tools/package): dpkg-shlibdeps of dpkg-dev
# tells which packages hold the libraries the program links, and CPack asks
# file(1) which installed files are programs.
TICKORA_PACKAGE_PACKAGES=(
    dpkg-dev file
)

tickora_die() {
    printf 'error: %s\n' "$*" >&2
    exit 1
}

# Runs a command with its output kept in a log, shown only if it fails, so a
# run that works stays quiet and one that breaks says why.
tickora_quietly() {
    local what=$1 log
    shift
    log=$(mktemp "${TMPDIR:-/tmp}/tickora.XXXXXX.log")
    if ! "$@" >"$log" 2>&1; then
        tail -n 80 "$log" >&2
        rm -f "$log"
        tickora_die "$what failed (command: $*)"
    fi
    rm -f "$log"
}

# Installs those of the given Debian packages that are not installed yet;
# touches apt only when something is missing, so a second run costs nothing.
tickora_install_missing() {
    local pkg missing=()

    if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
        printf 'note: not a Debian or Ubuntu system; make sure the equivalents of these are installed: %s\n' "$*" >&2
        return 0
    fi
    for pkg in "$@"; do
        if [[ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)" != "install ok installed" ]]; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi

    local -a as_root=()
    if ((EUID != 0)); then
        command -v sudo >/dev/null 2>&1 ||
            tickora_die "missing packages (${missing[*]}) and no sudo: run this as root or install them yourself"
        as_root=(sudo)
    fi
    printf 'Installing %s\n' "${missing[*]}"
    tickora_quietly "apt-get update" \
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    tickora_quietly "installing ${missing[*]}" \
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}
