# Sourced by the run and test scripts: a private Wine prefix under build/, and a
# virtual X display when there is none. quillet_stop undoes what was started here.
QUILLET_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QUILLET_BUILD="$QUILLET_ROOT/build"
export WINEPREFIX="$QUILLET_BUILD/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko download prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="
QUILLET_XVFB_PID=""
# The name of the prefix's Wine desktop: a second prefix on the same display takes
# another, so that its desktop window can be told apart.
QUILLET_DESKTOP=Default

quillet_start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    QUILLET_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

quillet_start_wine() {
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix (once, about 10 s)..."
        wineboot -i </dev/null >/dev/null 2>&1 || true
        wineserver -w
        # One virtual desktop window for all programs: Wine then draws title bars, and
        # with no window manager it doesn't wait two seconds on every window it hides.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d "$QUILLET_DESKTOP" /f \
            </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$QUILLET_DESKTOP" \
            /d 1024x768 /f </dev/null >/dev/null 2>&1
        wineserver -w
    fi
    # Debian's Wine doesn't read its own font folder, so without a copy in the prefix
    # "MS Shell Dlg" falls back to whatever fontconfig offers; with it, to Tahoma, as on
    # a usual Wine install.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/tahoma.ttf" ]; then
        mkdir -p "$fonts"
        cp /usr/share/wine/fonts/* "$fonts/"
    fi
    # A server left from another session would keep its desktop on another display.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    # A persistent server, so every test doesn't pay for its start.
    wineserver -p </dev/null >/dev/null 2>&1 || true
}

# Holds a hidden window for the whole test run: without one Wine closes its desktop
# between tests and the next test would start it again under ctest's output pipe,
# which then never closes. Everything Wine starts here gets /dev/null instead.
quillet_start_keeper() {
    wine "$QUILLET_BUILD/mingw/cmake/windows/wine_keeper.exe" </dev/null >/dev/null 2>&1 &
    local i
    for i in $(seq 1 100); do
        xdotool search --name "^$QUILLET_DESKTOP - Wine desktop\$" >/dev/null 2>&1 && break
        sleep 0.1
    done
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

quillet_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$QUILLET_XVFB_PID" ]; then
        kill "$QUILLET_XVFB_PID" 2>/dev/null || true
        wait "$QUILLET_XVFB_PID" 2>/dev/null || true
        QUILLET_XVFB_PID=""
    fi
}
