#!/usr/bin/env bash
# Every C++ file as the project's .clang-format lays it out. Other major
# versions of clang-format lay out some constructs differently, so the check
# runs with the version the style was written for and skips otherwise.
set -euo pipefail
cd "$1"
wanted=14
tool=$(command -v clang-format || true)
if [ -z "$tool" ]; then
    echo "SKIP: clang-format is not installed"
    exit 77
fi
version=$("$tool" --version | sed -E 's/.*version ([0-9]+).*/\1/')
if [ "$version" != "$wanted" ]; then
    echo "SKIP: clang-format $version found; the style is checked with version $wanted"
    exit 77
fi
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "SKIP: not a git checkout, so the project's own files cannot be told apart"
    exit 77
fi
git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h' | xargs -0 "$tool" --dry-run --Werror
echo "formatted as .clang-format says"
