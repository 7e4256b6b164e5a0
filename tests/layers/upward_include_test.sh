#!/usr/bin/env bash
# The layer check must catch an upward include and pass a sideways-free tree.
set -u
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/core" "$tree/controls" "$tree/views"
echo '#include "platform/CString.h"' > "$tree/core/Fine.cpp"
echo '#include "cad/KivSlideDraw.h"' > "$tree/views/Fine.h"
bash "$check" "$tree" >/dev/null 2>&1 || { echo "a layered tree was refused"; exit 1; }
echo '#  include "controls/CKivDialog.h"' > "$tree/core/KivUtil.cpp"
bash "$check" "$tree" >/dev/null 2>&1 && { echo "core including controls passed"; exit 1; }
rm "$tree/core/KivUtil.cpp"
echo '#include "cad/CDIBitmap.h"' > "$tree/controls/CKivSkinDlg.h"
bash "$check" "$tree" >/dev/null 2>&1 && { echo "controls including cad passed"; exit 1; }
echo "upward and sideways includes are caught"
