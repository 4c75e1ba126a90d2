#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brindlemark.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
bm_install_packages
bm_build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Brindlemark needs a graphical desktop: no display was found (DISPLAY and WAYLAND_DISPLAY are unset)."
  exit 1
fi
exec ./build/bin/brindlemark "$@"
