#!/usr/bin/env bash
# Prints the product's registry key as reg.exe takes it, "HKCU\...", read from the
# program's own definitions (C string escapes undone).
set -euo pipefail
strings="$(cd "$(dirname "$0")/../.." && pwd)/resources/ProductStrings.h"
key_of() { sed -n "s/^#define $1 \"\(.*\)\"$/\1/p" "$strings" | sed 's/\\\\/\\/g'; }
echo "HKCU\\$(key_of STR_FAMILY_KEY)\\$(key_of STR_PRODUCT_KEY)"
