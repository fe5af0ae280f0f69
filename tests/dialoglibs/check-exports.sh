#!/bin/sh
# check-exports.sh LIBRARY SYMBOL...: the library's dynamic symbol table
# defines exactly the given symbols.
set -eu
library=$1
shift
actual=$(nm -D --defined-only "$library" | awk '{print $NF}' | sort)
expected=$(printf '%s\n' "$@" | sort)
if [ "$actual" != "$expected" ]; then
    echo "$library exports:"
    echo "$actual"
    echo "expected:"
    echo "$expected"
    exit 1
fi
