#!/usr/bin/env bash
# Taluno: install what is missing, build, then run a program or every test.
#   ./taluno.sh run 1|2|3     start Taluno1, Taluno2 or Taluno3
#   ./taluno.sh run web       build the site and open its launcher in the desktop's browser
#   ./taluno.sh test          build and run every test
#   ./taluno.sh test --sanitize   the same under AddressSanitizer and UBSan (clang), with a short fuzz run
#   ./taluno.sh dist          build what is handed out into dist/: the site as a zip, the .deb, SHA256SUMS
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins qt6-translations-l10n
    fonts-ipafont-gothic fonts-noto-cjk
)
# The core as WebAssembly, put together into pages by Node; the pages are tested in Chromium, Firefox
# and WebKitGTK (its driver runs in an X server and a session bus of its own); the desktop windows are also
# tried under openbox, a window manager that frames them.
web_packages=(
    clang-22 lld-22 libc++-22-dev-wasm32 libc++abi-22-dev-wasm32 libclang-rt-22-dev-wasm32 wasi-libc nodejs
)
test_packages=(chromium firefox-esr webkit2gtk-driver xvfb xauth dbus-daemon openbox lintian appstream)
sanitize_packages=(clang libclang-rt-14-dev)
dist_packages=(dpkg-dev file)
build_dir=build

say() { printf 'taluno.sh: %s\n' "$*" >&2; }

usage() {
    say "usage: ./taluno.sh run 1|2|3|web  or  ./taluno.sh test [--sanitize]  or  ./taluno.sh dist"
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
# the targets, or everything without any. The whole log is shown only if it fails.
configure_args=()
build() {
    local dir=$1; shift
    mkdir -p "$dir"
    local log="$dir/build.log" target targets=()
    for target in "$@"; do targets+=(--target "$target"); done
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        say "building into $dir/; the first build takes a few minutes."
    fi
    if { [ -f "$dir/CMakeCache.txt" ] ||
         cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${configure_args[@]}" >"$log" 2>&1; } &&
        cmake --build "$dir" -j"$(nproc)" "${targets[@]}" 2>&1 | tee -a "$log" | show_progress; then
        return 0
    fi
    cat "$log" >&2
    say "the build failed (log: $log)."
    exit 1
}

run_web() {
    install_missing "${packages[@]}" "${web_packages[@]}"
    build "$build_dir" web
    local launcher="$PWD/$build_dir/web/site/index.html"
    if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && command -v xdg-open >/dev/null 2>&1; then
        xdg-open "$launcher" >/dev/null 2>&1 &
        say "opened $launcher"
    else
        say "no desktop to open a browser on; the pages are:"
        printf '  %s\n' "$launcher" "$PWD/$build_dir"/web/site/taluno[123].html
    fi
}

run_program() {
    local n=${1:-}
    if [ "$n" = web ]; then
        run_web
        return
    fi
    local -A folders=([1]=toss [2]=table [3]=graph)
    [ -n "$n" ] && [ -n "${folders[$n]:-}" ] || usage
    install_missing "${packages[@]}"
    # Only what the program needs: itself and the cue sounds beside it.
    build "$build_dir" "Taluno$n" cue_sounds
    local exe="$build_dir/${folders[$n]}/Taluno$n"
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

run_tests() {
    case "${1:-}" in
        "")
            install_missing "${packages[@]}" "${web_packages[@]}" "${test_packages[@]}"
            build "$build_dir"
            # The drivers drive Debian's browsers; none downloads a browser of its own.
            (cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent) ||
                { say "npm ci in tests/web failed"; exit 1; }
            QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j"$(nproc)"
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
        *) usage ;;
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
    (cd dist && cpack --config "../$build_dir/CPackConfig.cmake" -G DEB -B "$PWD/.cpack" >/dev/null) ||
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
