#!/bin/sh
# framed.sh TEST [ARGUMENTS]: runs TEST on an X server of its own, a Full HD screen, under the openbox window
# manager, so that its windows get frames and title bars as on a desktop.
exec xvfb-run --auto-servernum --server-args="-screen 0 1920x1080x24 -nolisten tcp" \
    sh -c 'openbox --sm-disable >/dev/null 2>&1 & exec "$@"' framed "$@"
