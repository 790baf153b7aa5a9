#!/usr/bin/env bash
# Taluno: install what is missing, build, then run a program or the tests. A successful build shows the
# compiler's warnings.
#   ./taluno.sh run N         start TalunoN, N a number of programs.txt (1, 2 or 3)
#   ./taluno.sh run web       build the site and open its launcher in the desktop's browser
#   ./taluno.sh test          build and run every test
#   ./taluno.sh test PATTERN  build, then run the tests whose names match PATTERN (ctest -R), or else the page
#                             scenarios whose names match it, in each browser engine
#   ./taluno.sh test --sanitize   every test under AddressSanitizer and UBSan (clang), with a short fuzz run
#   ./taluno.sh dist          build what is handed out into dist/: the site as a zip, the .deb, SHA256SUMS
# TALUNO_BUILD_DIR names another build folder than build/ (not for --sanitize, which builds into build-sanitize/).
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins qt6-translations-l10n
    fonts-ipafont-gothic fonts-noto-cjk libqrencode-dev
)
# The core as WebAssembly, put together into pages by Node; the pages are tested in Chromium, Firefox
# and WebKitGTK (its driver runs in an X server and a session bus of its own); the desktop windows are also
# tried under openbox, a window manager that frames them.
web_packages=(
    clang-22 lld-22 libc++-22-dev-wasm32 libc++abi-22-dev-wasm32 libclang-rt-22-dev-wasm32 wasi-libc nodejs
)
# zbar-tools reads the QR codes of the pages and of the windows back in their tests; locales holds the definitions
# WebKitGTK's Japanese and English locales are made from for the page tests.
test_packages=(chromium firefox-esr webkit2gtk-driver xvfb xauth dbus-daemon openbox lintian appstream zbar-tools locales)
sanitize_packages=(clang libclang-rt-14-dev)
dist_packages=(dpkg-dev file)
build_dir=${TALUNO_BUILD_DIR:-build}

say() { printf 'taluno.sh: %s\n' "$*" >&2; }

# The programs' numbers and folders, as programs.txt lists them: "1 toss" a line.
programs() { sed -n 's/^\([0-9][0-9]*\)|\([^|]*\)|.*/\1 \2/p' programs.txt; }

usage() {
    local numbers
    numbers=$(programs | cut -d' ' -f1 | paste -sd'|')
    say "usage: ./taluno.sh run $numbers|web  or  ./taluno.sh test [PATTERN|--sanitize]  or  ./taluno.sh dist"
    exit 2
}

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1 && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
            as_root=(sudo)
        else
            say "these packages are missing: ${missing[*]}"
            say "install them as root (apt-get install ${missing[*]}) or run this where sudo is available."
            exit 1
        fi
    fi
    if ! command -v apt-get >/dev/null 2>&1; then
        say "missing packages (${missing[*]}) and no apt-get here: this script is for Debian 12."
        exit 1
    fi
    say "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if ! { "${as_root[@]}" apt-get update -q >/dev/null &&
           "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null; }; then
        say "could not install ${missing[*]}; see the apt-get messages above."
        exit 1
    fi
}

# Shows the build's progress: a percentage that updates in place on a terminal, plain lines otherwise.
show_progress() {
    local line percent last="" said=-1
    while IFS= read -r line; do
        [[ $line =~ ^\[\ *([0-9]+)%\] ]] || continue
        percent=$((10#${BASH_REMATCH[1]}))
        if [ -t 2 ]; then
            [ "$percent" = "$last" ] || printf '\rtaluno.sh: building ... %3d%%' "$percent" >&2
        elif [ $((percent / 10)) -gt "$said" ]; then # a line every tenth of the way
            said=$((percent / 10))
            say "building ... $percent%"
        fi
        last=$percent
    done
    if [ -t 2 ] && [ -n "$last" ]; then printf '\n' >&2; fi
}

# build DIR [TARGET...]: configures DIR once (with the cmake options in configure_args), then builds
# the targets, or everything without any. The log holds this build only: shown whole if it fails, its
# warnings if not.
configure_args=()
build() {
    local dir=$1; shift
    mkdir -p "$dir"
    local log="$dir/build.log" target targets=()
    for target in "$@"; do targets+=(--target "$target"); done
    : >"$log"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        say "building into $dir/; the first build takes a few minutes."
    fi
    if { [ -f "$dir/CMakeCache.txt" ] ||
         cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${configure_args[@]}" >>"$log" 2>&1; } &&
        cmake --build "$dir" -j"$(nproc)" "${targets[@]}" 2>&1 | tee -a "$log" | show_progress; then
        if grep -q 'warning:' "$log"; then
            say "the compiler warns ($(grep -c 'warning:' "$log") in $log):"
            grep -B1 -A2 'warning:' "$log" >&2
        fi
        return 0
    fi
    cat "$log" >&2
    say "the build failed (log: $log)."
    exit 1
}

run_web() {
    install_missing "${packages[@]}" "${web_packages[@]}"
    build "$build_dir" web
    local site launcher
    site=$(realpath "$build_dir/web/site")
    launcher="$site/index.html"
    if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && command -v xdg-open >/dev/null 2>&1; then
        xdg-open "$launcher" >/dev/null 2>&1 &
        say "opened $launcher"
    else
        say "no desktop to open a browser on; the pages are:"
        printf '  %s\n' "$launcher" "$site"/taluno[0-9]*.html
    fi
}

run_program() {
    local n=${1:-}
    if [ "$n" = web ]; then
        run_web
        return
    fi
    [[ $n =~ ^[0-9]+$ ]] || usage
    local folder
    folder=$(programs | sed -n "s/^$n //p")
    [ -n "$folder" ] || usage
    install_missing "${packages[@]}"
    # Only what the program needs: itself and the cue sounds beside it.
    build "$build_dir" "Taluno$n" cue_sounds
    local exe="$build_dir/$folder/Taluno$n"
    if [ ! -x "$exe" ]; then
        say "Taluno$n is not built yet: its program has not been written."
        exit 1
    fi
    if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        say "no display to show Taluno$n on: run it on a desktop, or under a virtual one (xvfb-run ./taluno.sh run $n)."
        exit 1
    fi
    exec "$exe"
}

# Everything built, and the drivers of the page tests installed.
build_for_tests() {
    install_missing "${packages[@]}" "${web_packages[@]}" "${test_packages[@]}"
    build "$build_dir"
    # The drivers drive Debian's browsers; none downloads a browser of its own.
    (cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent) ||
        { say "npm ci in tests/web failed"; exit 1; }
}

run_ctest() {
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j"$(nproc)" "$@"
}

run_tests() {
    case "${1:-}" in
        "")
            build_for_tests
            run_ctest
            ;;
        --sanitize)
            install_missing "${packages[@]}" "${sanitize_packages[@]}"
            configure_args=(-DTALUNO_SANITIZE=ON -DTALUNO_WEB=OFF)
            CC=clang CXX=clang++ build build-sanitize
            # Qt has no frame pointers: only the slow unwinder tells a leak inside Qt from one of ours.
            QT_QPA_PLATFORM=offscreen \
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:fast_unwind_on_malloc=0:malloc_context_size=10 \
            LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j"$(nproc)"
            ;;
        -*) usage ;;
        *)
            [ $# -eq 1 ] || usage
            local pattern=$1
            build_for_tests
            if ctest --test-dir "$build_dir" -N -R "$pattern" | grep -q 'Test *#'; then
                run_ctest -R "$pattern"
            elif grep -E '^ *scenario\(' tests/web/pages.test.mjs | grep -qE -- "$pattern"; then
                say "no test is named like '$pattern': running the page scenarios that are, in each engine"
                TALUNO_TEST_NAME_PATTERN=$pattern run_ctest -R '^web_pages_'
            else
                say "no test and no page scenario is named like '$pattern'"
                exit 1
            fi
            ;;
    esac
}

# dist/: the site as a zip (its version in its name, as in the launcher, the manifest and the .deb),
# the Debian package of the desktop programs, and their SHA-256 sums; nothing else is left there.
make_dist() {
    [ $# -eq 0 ] || usage
    install_missing "${packages[@]}" "${web_packages[@]}" "${dist_packages[@]}"
    # One commit makes the same bytes every time: every file in the zip and the .deb bears the
    # commit's time (or the version's, outside a git checkout).
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 1767225600)}
    export SOURCE_DATE_EPOCH
    rm -f "$build_dir"/web/taluno-web-*.zip # made again, with this time
    build "$build_dir"
    local version zip
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
    zip="$build_dir/web/taluno-web-$version.zip"
    [ -f "$zip" ] || { say "the site was not built: $zip is missing (clang-22 and node are needed)."; exit 1; }
    rm -rf dist
    mkdir -p dist
    cp "$zip" dist/
    local config
    config=$(realpath "$build_dir/CPackConfig.cmake")
    (cd dist && cpack --config "$config" -G DEB -B "$PWD/.cpack" >/dev/null) ||
        { say "cpack could not make the .deb"; exit 1; }
    mv dist/.cpack/taluno_"$version"_*.deb dist/
    rm -rf dist/.cpack
    (cd dist && sha256sum -- * > SHA256SUMS)
    say "dist/ holds:"
    ls -l dist >&2
}

case "${1:-}" in
    run) shift; run_program "$@" ;;
    dist) shift; make_dist "$@" ;;
    test) shift; run_tests "$@" ;;
    *) usage ;;
esac
