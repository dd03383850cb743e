#!/usr/bin/env bash
# Sets up and builds Kosmolux, then starts it on the bundled solar system.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
exec build/bin/kosmolux examples/Solar.kmx
