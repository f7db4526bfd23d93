#!/usr/bin/env bash
# The main job: report what was built.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "Built:"
find build/native build/windows -maxdepth 3 \( -name 'Zarvotone*' -o -name 'vsthost*' \) -type f 2>/dev/null | sort
