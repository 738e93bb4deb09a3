#!/usr/bin/env bash
# Rewrites every golden file (kostra's transcripts under tests/golden/, kostra-dot's drawings under
# tools/kostra-dot/tests/golden/) from the programs as they are built now, then shows what changed.
# For a deliberate change of what the programs print: review the diff and commit it with the change.
# Never to make a failing golden test pass without knowing why it failed.
# usage (from the repository root): bash tests/update-golden.sh [TEST_PRESET]   (default: release)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}
cmake --build --preset "$preset"
KOSTRA_UPDATE_GOLDEN=1 ctest --preset "$preset" -R '(^|\.)golden\.' --output-on-failure
git status --short -- tests/golden tools/kostra-dot/tests/golden
git diff --stat -- tests/golden tools/kostra-dot/tests/golden
