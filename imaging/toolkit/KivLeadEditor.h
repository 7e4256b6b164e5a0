// SPDX-License-Identifier: MIT
// The edit protocol without a window: one image with a one-step undo and a
// one-step redo snapshot and a modified flag. Snapshots share the image's
// pixels until one side changes, so image, undo and redo together hold at
// most the pixels before and after the last command. The edit control and
// the command line both run their commands through it.
#pragma once

#include "imaging/KivLeadKit_export.h"
#include "imaging/toolkit/CLeadBitmap.h"
#include "imaging/toolkit/KivLeadCommand.h"

#include <memory>

class KIVLEADKIT_EXPORT KivLeadEditor {
public:
    // image is the caller's pointer to the current image; it may be replaced
    // by the caller at any time and must point to a bitmap when a command runs.
    explicit KivLeadEditor(CLeadBitmap*& image);
    ~KivLeadEditor();
    KivLeadEditor(const KivLeadEditor&) = delete;
    KivLeadEditor& operator=(const KivLeadEditor&) = delete;

    // Step 1 of a command: the undo snapshot becomes the current image (none
    // when the copy fails).
    void BeginProcessing();
    // Step 4: the redo snapshot becomes the current image.
    void EndProcessing();
    // Copies a snapshot into the image; false when there is none.
    bool Undo();
    bool Redo();
    void DeleteUndo() { m_undo.reset(); }
    void DeleteRedo() { m_redo.reset(); }
    const CLeadBitmap* GetUndo() const { return m_undo.get(); }
    const CLeadBitmap* GetRedo() const { return m_redo.get(); }

    // Without snapshots nothing can be undone, and a command changes the
    // pixels in place instead of beside a copy the snapshot keeps: for a
    // caller that edits once and saves (the command line), half the memory.
    void SetSnapshots(bool keep) { m_bSnapshots = keep; }

    int IsModified() const { return m_bModified; }
    void SetModifiedFlag(int modified) { m_bModified = modified ? 1 : 0; }

    // Runs command with its values (toolkit units) through the whole
    // protocol; the toolkit's status. context.image is set to the image.
    int Run(const KivLeadCommand& command, const int* values, KivLeadCommandContext& context);

private:
    bool snapshot(std::unique_ptr<CLeadBitmap>& into);
    bool restore(const std::unique_ptr<CLeadBitmap>& from);

    CLeadBitmap*& m_image;
    std::unique_ptr<CLeadBitmap> m_undo;
    std::unique_ptr<CLeadBitmap> m_redo;
    int m_bModified = 0;
    bool m_bSnapshots = true;
};
