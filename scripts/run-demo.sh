#!/usr/bin/env bash
# Builds the program and opens it on the demo school (created on first run).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build"
# Creates the demo school and registers it only when this computer has no
# database set up yet; an existing entry is left alone.
"$here/build/src/tools/sna-admin" demo-host --if-unset
exec "$here/build/src/app/sna"
