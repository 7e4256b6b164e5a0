#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The layer check must catch an upward include, between folders and between
# the platform's own layers, and a file call above platform/io, and pass a
# tree without them.
set -u
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/core" "$tree/controls" "$tree/views" "$tree/platform/io" "$tree/platform/widgets" \
  "$tree/imaging/toolkit" "$tree/imaging/widgets" "$tree/imaging/app"
echo '#include "platform/base/CString.h"' > "$tree/core/Fine.cpp"
echo '#include "cad/KivSlideDraw.h"' > "$tree/views/Fine.h"
echo '#include "platform/io/ByteSource.h"' > "$tree/platform/widgets/Fine.cpp"
echo '#include "platform/KivPlatform_export.h"' > "$tree/platform/io/Fine.h"
echo '#include "imaging/thumbcache/KivLeadThumbMgr.h"' > "$tree/imaging/widgets/Fine.cpp"
echo '#include "imaging/editor/CKivLeadEditCtrl.h"' > "$tree/imaging/app/Fine.cpp"
echo '#include "imaging/KivLeadKit_export.h"' > "$tree/imaging/toolkit/Fine.h"
echo 'bool KivDbfMemo::open(const char* path) { return std::filesystem::path(path).empty(); }' > "$tree/core/Names.cpp"
bash "$check" "$tree" >/dev/null 2>&1 || { echo "a layered tree was refused"; exit 1; }

refused() {
  bash "$check" "$tree" >/dev/null 2>&1 && { echo "$1 passed"; exit 1; }
  rm "$2"
}
echo '#  include "controls/CKivDialog.h"' > "$tree/core/KivUtil.cpp"
refused "core including controls" "$tree/core/KivUtil.cpp"
echo '#include "cad/CDIBitmap.h"' > "$tree/controls/CKivSkinDlg.h"
refused "controls including cad" "$tree/controls/CKivSkinDlg.h"
echo '#include "platform/widgets/CWnd.h"' > "$tree/platform/io/Up.cpp"
refused "platform/io including platform/widgets" "$tree/platform/io/Up.cpp"
echo '#include "imaging/widgets/CKivLeadViewCtrl.h"' > "$tree/imaging/toolkit/Up.cpp"
refused "the imaging toolkit including its widgets" "$tree/imaging/toolkit/Up.cpp"
echo '#include "controls/CKivStatic.h"' > "$tree/imaging/toolkit/Up.cpp"
refused "the imaging toolkit including controls" "$tree/imaging/toolkit/Up.cpp"
echo '#include "imaging/app/CKivLeadThumbView.h"' > "$tree/imaging/app/CKivLeadAppView.cpp"
refused "the image view including the page list" "$tree/imaging/app/CKivLeadAppView.cpp"
echo '#include "imaging/app/CKivLeadApp.h"' > "$tree/imaging/app/CKivLeadAppDoc.cpp"
refused "the document including the application" "$tree/imaging/app/CKivLeadAppDoc.cpp"
echo 'int fd = ::open(path, O_RDONLY);' > "$tree/views/Open.cpp"
refused "a view opening a file itself" "$tree/views/Open.cpp"
echo 'std::filesystem::remove(path, error);' > "$tree/controls/Remove.cpp"
refused "a control removing a file itself" "$tree/controls/Remove.cpp"
echo "upward and sideways includes and file calls above platform/io are caught"
