#!/usr/bin/env bash
# Sets everything up (missing Debian packages, the build) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/build.sh
cd build
ctest --output-on-failure -j "$(nproc)"
