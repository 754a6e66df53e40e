#!/usr/bin/env bash
# Builds Vardo and starts the desktop program on the demo congregation.
# The demo data folder is created on first use in ${VARDO_DEMO_DIR:-$HOME/.local/share/vardo/demo}.
# Usage: tools/run.sh [extra vardo arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target vardo vardo-cli

demo=${VARDO_DEMO_DIR:-$HOME/.local/share/vardo/demo}
if [ ! -d "$demo" ]; then
    echo "Creating the demo congregation in $demo"
    mkdir -p "$demo"
    if ./build/default/src/cli/vardo-cli --help | grep -q '^  demo'; then
        ./build/default/src/cli/vardo-cli demo "$demo"
    fi
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting under xvfb-run."
    exec xvfb-run -a -s "-screen 0 1280x800x24" ./build/default/src/app/vardo --data "$demo" "$@"
fi
exec ./build/default/src/app/vardo --data "$demo" "$@"
