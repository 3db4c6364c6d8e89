#!/usr/bin/env bash
# Fails when the shared library exports anything but the analyser's own classes
# (namespaces grammar and dkp): helpers, utilkit and template code must stay hidden.
set -euo pipefail
library="$1"
stray="$(nm -D --defined-only "$library" | c++filt |
    awk '$2 != "u" { $1 = ""; $2 = ""; sub(/^  /, ""); print }' |
    grep -vE '^(_init|_fini)$' |
    grep -vE '^((typeinfo|typeinfo name|vtable|VTT) for )?(grammar|dkp)::' || true)"
if [ -n "$stray" ]; then
    echo "exported but not part of the public interface:"
    echo "$stray"
    exit 1
fi
echo "only grammar:: and dkp:: are exported"
