# Shared by the run and test commands: tools, build folders, the Wine prefix and the display.
# Sourced, not run.

TALLOWFIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${TALLOWFIN_BUILD:-$TALLOWFIN_ROOT/build}
WIN_BUILD=$BUILD_ROOT/win
# Tallowfin Menu's 64-bit build, beside the 32-bit one in the release.
WIN64_BUILD=$BUILD_ROOT/win64
HOST_BUILD=$BUILD_ROOT/native

log() { printf '== %s\n' "$*"; }

# Nothing below may depend on the caller's environment. Wine stores Windows names on the host in
# the locale's character set, so without a UTF-8 locale a Cyrillic or CJK name cannot be created;
# Debian's C library has C.UTF-8 built in. HOME and USER may be unset in a container or CI job.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset LANGUAGE
: "${HOME:=$(getent passwd "$(id -u)" | cut -d: -f6)}"
: "${HOME:=/root}"
: "${USER:=$(id -un)}"
export HOME USER

# Installs Debian's packages for the cross build and Wine when any tool is missing.
ensure_tools() {
    local missing=0 tool
    for tool in cmake make g++ git i686-w64-mingw32-g++ i686-w64-mingw32-windres wine Xvfb xwd \
        xwininfo clang-format convert clang cppcheck x86_64-w64-mingw32-g++ \
        x86_64-w64-mingw32-windres x86_64-w64-mingw32-objdump python3; do
        command -v "$tool" >/dev/null 2>&1 || missing=1
    done
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing=1
    compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null || missing=1
    dpkg -s wine32:i386 >/dev/null 2>&1 || missing=1
    [ "$missing" = 0 ] && return 0
    log "installing build and test tools"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends \
        cmake g++ make git googletest python3 \
        g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev \
        g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev \
        wine wine32:i386 wine64 xvfb xauth x11-apps x11-utils imagemagick clang-format \
        clang libclang-rt-14-dev cppcheck >/dev/null
}

# Native build with clang: the sanitizer tests and the libFuzzer targets.
build_host() {
    cmake -S "$TALLOWFIN_ROOT" -B "$HOST_BUILD" -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build "$HOST_BUILD" -j"$(nproc)"
}

# Some machines (certain VMs) refuse to execute 32-bit code at all: there Wine's 32-bit loader
# fails with "Exec format error", no 32-bit Windows program can run, and Wine's own 64-bit loader
# is used directly. RUNS_32BIT tells which; set by choose_wine.
choose_wine() {
    [ -n "${RUNS_32BIT:-}" ] && return 0
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        RUNS_32BIT=1
        TALLOWFIN_WINE=wine
    else
        RUNS_32BIT=0
        TALLOWFIN_WINE=/usr/lib/wine/wine64
        export WINELOADER=/usr/lib/wine/wine64
    fi
    export RUNS_32BIT TALLOWFIN_WINE
}
wine() {
    choose_wine
    command "$TALLOWFIN_WINE" "$@"
}

# The 64-bit build: Tallowfin64.exe, TallowfinMenu64.exe and their tests (or WIN64_TARGETS
# alone).
build_win64() {
    choose_wine
    cmake -S "$TALLOWFIN_ROOT" -B "$WIN64_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$TALLOWFIN_ROOT/cmake/mingw-x86_64.cmake" >/dev/null
    # shellcheck disable=SC2086 # a list of target names
    cmake --build "$WIN64_BUILD" -j"$(nproc)" ${WIN64_TARGETS:+--target $WIN64_TARGETS}
}

# The 32-bit build, after the 64-bit one: the release carries both. Configures with the given
# cmake arguments; builds the targets named in WIN_TARGETS, or all. Where 32-bit programs cannot
# run, it leaves out its Wine tests.
build_win() {
    build_win64
    cmake -S "$TALLOWFIN_ROOT" -B "$WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$TALLOWFIN_ROOT/cmake/mingw-i686.cmake" \
        -DTALLOWFIN_WIN64_BUILD="$WIN64_BUILD" -DTALLOWFIN_WINE_TESTS="$([ "$RUNS_32BIT" = 1 ] &&
            echo ON || echo OFF)" "$@" >/dev/null
    # shellcheck disable=SC2086 # a list of target names
    cmake --build "$WIN_BUILD" -j"$(nproc)" ${WIN_TARGETS:+--target $WIN_TARGETS}
}

# The build whose programs run here: the 32-bit one where 32-bit code runs, else the 64-bit one.
runnable_build() {
    choose_wine
    if [ "$RUNS_32BIT" = 1 ]; then echo "$WIN_BUILD"; else echo "$WIN64_BUILD"; fi
}

# The Wine environment every program of ours runs in. Never the user's own ~/.wine.
wine_env() {
    choose_wine
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    # mscoree and mshtml off: no offer to download Mono or Gecko into the prefix.
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    # A test that needs its own load order for a DLL adds it here (see tests/CMakeLists.txt).
    if [ -n "${TALLOWFIN_EXTRA_DLLOVERRIDES:-}" ]; then
        WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$TALLOWFIN_EXTRA_DLLOVERRIDES"
    fi
}

# The template's revision: raising it makes older templates (and copies of them) rebuild.
TEMPLATE_MARKER=.tallowfin-ready-2

# Builds a ready prefix once, with the settings our tests rely on, at $1.
make_template_prefix() {
    local prefix=$1
    local marker=$prefix/$TEMPLATE_MARKER
    [ -f "$marker" ] && return 0
    log "creating Wine prefix template $prefix"
    # Wine's own output goes to a log beside the prefix, shown when a step fails.
    local setup_log=$prefix-setup.log
    rm -rf "$prefix"
    # Chained with &&: errexit does not reach into a subshell that an "if" tests.
    if ! (
        wine_env "$prefix" &&
            wine wineboot -i &&
            # Windows hide at once instead of stalling 2 s with no window manager.
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
            # A crash ends the process instead of leaving a debugger dialog.
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
            # Every window opens in one 1024x768 virtual desktop: frames and captions show in
            # screenshots, and the work area is 0,0,1024,768 on any display.
            wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
            wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f &&
            wineserver -w
    ) >"$setup_log" 2>&1; then
        echo "creating the Wine prefix failed; the end of $setup_log:" >&2
        tail -n 40 "$setup_log" >&2
        return 1
    fi
    # Each shortcut save would otherwise start the desktop-menu builder.
    rm -f "$prefix"/drive_c/windows/system32/winemenubuilder.exe \
        "$prefix"/drive_c/windows/syswow64/winemenubuilder.exe
    # Profile folders that point into the Unix home become plain folders.
    local link
    for link in "$prefix"/drive_c/users/*/*; do
        if [ -L "$link" ]; then
            rm -f "$link"
            mkdir -p "$link"
        fi
    done
    touch "$marker"
}

# A fresh copy of the template at $2, so that each run starts from the same registry.
fresh_prefix() {
    local template=$1 prefix=$2
    make_template_prefix "$template"
    if [ -d "$prefix" ]; then
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        rm -rf "$prefix"
    fi
    cp -a "$template" "$prefix"
}

# Starts Xvfb on a free display unless one is given; sets DISPLAY and XVFB_PID. A display can be
# taken without a lock file that we can see (another container, or another /tmp sharing the
# network namespace and so the abstract X socket): a server that does not come up is given up
# and the next number tried.
start_display() {
    XVFB_PID=""
    if [ -n "${DISPLAY:-}" ] && [ "${TALLOWFIN_OWN_DISPLAY:-0}" != 1 ]; then
        return 0
    fi
    local n i
    for n in $(seq 90 160); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
        Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for i in $(seq 50); do
            if [ -e /tmp/.X11-unix/X$n ]; then
                export DISPLAY=:$n
                return 0
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    echo "Xvfb did not start on any display from :90 to :160" >&2
    return 1
}

stop_display() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
}

# Starts the prefix's server, services and virtual desktop with their output discarded, so that
# long-lived Wine processes never hold a test's output pipe open and keep ctest waiting.
start_wine_services() {
    (
        wine_env "$1"
        wineserver -p >/dev/null 2>&1
        wine wineboot >/dev/null 2>&1
        setsid "$TALLOWFIN_WINE" explorer.exe /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
    )
    # The desktop reads the shell folders as it starts, and Wine then rewrites the Shell
    # Folders values: tests that write those values must not overlap with that. A loaded machine
    # may take a while; without the desktop every window test would fail in ways that hide why.
    local i
    for i in $(seq 300); do
        if xwininfo -root -children 2>/dev/null | grep -q "Wine desktop"; then
            sleep 0.5
            return 0
        fi
        sleep 0.1
    done
    echo "the Wine desktop did not come up on display $DISPLAY within 30 s (prefix $1)" >&2
    return 1
}
