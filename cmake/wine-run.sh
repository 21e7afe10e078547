#!/bin/bash
# Runs a Windows program under Wine in a throwaway prefix of the build tree; CTest uses it as the
# cross-compiling emulator.
#
#   wine-run.sh PREFIX PROGRAM.exe ARGS...   run a program (creates PREFIX on first use)
#   wine-run.sh PREFIX --start               create PREFIX if needed, keep a wineserver alive
#   wine-run.sh PREFIX --stop                end the wineserver and everything running in PREFIX
#
# The environment lives here and not in test properties, so that a program run by hand behaves as
# under CTest. Only LANG=zh_CN.UTF-8 gives Wine code page 936, which all of the product's text is
# in. ZELK_WINE_TIMEOUT (seconds, default 300) bounds one program run.
set -u -o pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 PREFIX (--start | --stop | PROGRAM [ARGS...])" >&2
    exit 2
fi

# Wine wants an absolute prefix path.
WINEPREFIX=$(realpath -m "$1")
export WINEPREFIX
shift
export WINEDEBUG=-all
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
# No Mono or Gecko: a missing one would otherwise be offered for download on every new prefix.
# No menu entries or file associations written into the home folder either.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine links the prefix's user folders into the home folder.
export HOME="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"
# Windows get the null graphics driver (set in the prefix), never a real display.
unset DISPLAY WAYLAND_DISPLAY

log="$WINEPREFIX.log"

create_prefix() {
    echo "wine-run: creating the Wine prefix $WINEPREFIX" >&2
    local start=$SECONDS
    rm -rf "$WINEPREFIX"
    {
        wineboot -i &&
            wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f &&
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun \
                /d 'WenQuanYi Micro Hei' /f &&
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' \
                /d 'WenQuanYi Micro Hei' /f &&
            wineserver -w
    } >>"$log" 2>&1 || {
        echo "wine-run: creating $WINEPREFIX failed; see $log" >&2
        return 1
    }
    touch "$WINEPREFIX/.zelk-ready"
    echo "wine-run: the Wine prefix took $((SECONDS - start)) s to create" >&2
}

# Several programs may start at once: one of them creates the prefix, the others wait for it.
ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -e "$WINEPREFIX/.zelk-ready" ]; then
        create_prefix || exit 1
    fi
    flock -u 9
    exec 9>&-
}

case "$1" in
--start)
    ensure_prefix
    # A persistent server keeps Wine's own services running between programs, so that each test
    # starts in a tenth of a second instead of half a second. A server left by an earlier program
    # may be one that is about to exit: replace it.
    wineserver -k 2>/dev/null
    wineserver -w
    # The server outlives this script: it must not hold CTest's output pipe open.
    exec wineserver -p </dev/null >>"$log" 2>&1
    ;;
--stop)
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null
        wineserver -w
    fi
    exit 0
    ;;
*)
    ensure_prefix
    # Wine's own services, started by the first program, inherit its output and live on; a pipe
    # handed to them would keep CTest waiting. The program writes to a file instead, shown after it
    # ends. Windows programs end their lines with CR LF; CTest and gtest_discover_tests expect LF.
    output=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
    errors=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
    trap 'rm -f "$output" "$errors"' EXIT
    # Now and then Wine fails to start the program at all (ShellExecuteEx reports an internal
    # error, nothing ran): that start is tried again; a program that ran keeps its result.
    for attempt in 1 2 3; do
        timeout --kill-after=10 "${ZELK_WINE_TIMEOUT:-300}" wine "$@" </dev/null >"$output" 2>"$errors"
        status=$?
        if [ "$status" -eq 0 ] || [ -s "$output" ] || ! grep -qa 'ShellExecuteEx' "$errors"; then
            break
        fi
        echo "wine-run: Wine could not start $1 (attempt $attempt); trying again" >&2
        sleep 1
    done
    tr -d '\r' <"$output"
    tr -d '\r' <"$errors" >&2
    if [ "$status" -eq 124 ]; then
        echo "wine-run: $1 took longer than ${ZELK_WINE_TIMEOUT:-300} s and was stopped" >&2
    fi
    exit "$status"
    ;;
esac
