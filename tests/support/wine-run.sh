#!/bin/sh
# Runs one Windows program in the Wine environment that with-wine.sh set up.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-run.sh: WINEPREFIX or DISPLAY is not set; run tests through tests/support/with-wine.sh" >&2
    exit 2
fi
exec wine "$@"
