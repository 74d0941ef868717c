#!/usr/bin/env bash
# Sets everything up (missing Debian packages, the build) and starts Plandeck.
set -euo pipefail
cd "$(dirname "$0")"
scripts/build.sh
exec build/Plandeck/plandeck "$@"
