#!/usr/bin/env bash
# Rewrites every golden file (kostra's transcripts under tests/golden/, kostra-dot's drawings under
# tools/kostra-dot/tests/golden/) from the programs as the test preset has built them, then shows
# what changed. For a deliberate change of what the programs print: review the diff and commit it
# with the change. Never to make a failing golden test pass without knowing why it failed.
# usage (from the repository root, after the test preset is built): bash tests/update-golden.sh test
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-test}
KOSTRA_UPDATE_GOLDEN=1 ctest --preset "$preset" -R '(^|\.)golden\.' > /dev/null
git status --short -- tests/golden tools/kostra-dot/tests/golden
