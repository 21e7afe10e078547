#!/bin/bash
# Runs a Windows program under Wine in a throwaway prefix of the build tree; CTest uses it as the
# cross-compiling emulator.
#
#   wine-run.sh PREFIX PROGRAM.exe ARGS...   run a program (creates PREFIX on first use)
#   wine-run.sh PREFIX --start               create PREFIX if needed, keep a wineserver alive
#   wine-run.sh PREFIX --stop                end the wineserver and everything running in PREFIX
#   wine-run.sh --can-run-32-bit             exit 0 if this machine runs 32-bit Windows programs
#
# The environment lives here and not in test properties, so that a program run by hand behaves as
# under CTest. Only LANG=zh_CN.UTF-8 gives Wine code page 936, which all of the product's text is
# in. ZELK_WINE_TIMEOUT (seconds, default 300) bounds one program run.
#
# Some kernels refuse 32-bit x86 programs, Wine's 32-bit loader among them, which Debian's wine and
# wineboot scripts prefer whenever it is installed. There everything runs with the 64-bit loader,
# and a 32-bit program exits with 77 without running, which CTest can count as skipped.
set -u -o pipefail

wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64

# Whether Wine here starts 32-bit programs; an installed 32-bit loader may still be refused by the
# kernel ("Exec format error"). Without Debian's loaders Wine is left to find its own way.
can_run_32_bit() {
    [ ! -x "$wine64_loader" ] || "$wine32_loader" --version >/dev/null 2>&1
}

# The machine type in the PE header of a Windows program: 014c for x86, 8664 for x64.
pe_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
    [ -n "$header" ] || return 1
    [ "$(od -An -c -j"$header" -N4 "$1" 2>/dev/null | tr -d ' ')" = 'PE\0\0' ] || return 1
    od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

if [ "${1:-}" = --can-run-32-bit ]; then
    can_run_32_bit && exit 0
    exit 1
fi

if [ $# -lt 2 ]; then
    echo "usage: $0 PREFIX (--start | --stop | PROGRAM [ARGS...]) or $0 --can-run-32-bit" >&2
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

wine_32_bit=yes
if ! can_run_32_bit; then
    wine_32_bit=no
    # wine, wineboot (through wine-stable) and every process Wine starts itself take this loader;
    # wineserver needs nothing, it is 64-bit already. Not links: the loader starts itself again by
    # the name it was called with, which must then be a path.
    loaders="$WINEPREFIX.loader"
    wrapper=$(printf '#!/bin/sh\nexec %s "$@"' "$wine64_loader")
    for name in wine wine-stable; do
        if [ "$(cat "$loaders/$name" 2>/dev/null)" != "$wrapper" ]; then
            # Other programs of this prefix may look for it right now: replace it at once.
            mkdir -p "$loaders"
            printf '%s\n' "$wrapper" >"$loaders/$name.$$" &&
                chmod +x "$loaders/$name.$$" &&
                mv -fT "$loaders/$name.$$" "$loaders/$name"
        fi
    done
    export WINELOADER=$wine64_loader
    export PATH="$loaders:$PATH"
fi

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
    if [ "$wine_32_bit" = no ] && [ -f "$1" ] && [ "$(pe_machine "$1")" = 014c ]; then
        echo "wine-run: this machine cannot run 32-bit programs: $1 not run" >&2
        exit 77
    fi
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
