#!/bin/sh
# framed.sh TEST [ARGUMENTS]: runs TEST on an X server of its own, a Full HD screen (or TALUNO_SCREEN, as 1366x768),
# under the openbox window manager, so that its windows get frames and title bars as on a desktop.
# xkbcommon copies the keyboard's names with strndup from buffers without a terminator, which AddressSanitizer's
# strict string checks take for an overflow: not ours, and not one.
ASAN_OPTIONS=$(printf '%s' "${ASAN_OPTIONS:-}" | sed 's/strict_string_checks=1/strict_string_checks=0/')
export ASAN_OPTIONS
exec xvfb-run --auto-servernum --server-args="-screen 0 ${TALUNO_SCREEN:-1920x1080}x24 -nolisten tcp" \
    sh -c 'openbox --sm-disable >/dev/null 2>&1 & exec "$@"' framed "$@"
