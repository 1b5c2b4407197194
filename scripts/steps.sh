#!/usr/bin/env bash
# Runs scripts/<step>.sh for each step in turn under one Wine mode, decided and said once:
# `make test` is `steps.sh build test`. Installing comes first (make deps), so the probe sees
# the 32-bit Wine loader where it can be installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-mode.sh"
for step in "$@"; do
  "$root/scripts/$step.sh"
done
