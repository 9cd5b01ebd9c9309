#!/usr/bin/env bash
# Fails when code outside platform/host/ includes SDL, GL or epoxy headers.
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2
hits=$(grep -rnE '#\s*include\s*[<"](SDL|GL/|epoxy/|GLES)' \
  --include='*.cpp' --include='*.h' --include='*.hpp' \
  platform engine content game battle frontend main tools 2>/dev/null | grep -v '^platform/host/')
if [ -n "$hits" ]; then
  echo "SDL/GL headers outside platform/host/:"
  echo "$hits"
  exit 1
fi
echo "host boundary ok"
