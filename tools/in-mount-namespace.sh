#!/usr/bin/env bash
# Runs a command in a private mount namespace of its own (mounts made there are seen by no
# other process and vanish with it); exits 77, "skipped", where this machine permits none.
set -uo pipefail
unshare -m true 2>/dev/null || { echo "no private mount namespaces here: skipped"; exit 77; }
MX_IN_MOUNT_NAMESPACE=1 exec unshare -m --propagation private "$@"
