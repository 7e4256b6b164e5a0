// SPDX-License-Identifier: MIT
#include "imaging/toolkit/KivLeadEditor.h"

#include "imaging/toolkit/KivLeadToolkit.h"

KivLeadEditor::KivLeadEditor(CLeadBitmap*& image) : m_image(image)
{
}

KivLeadEditor::~KivLeadEditor() = default;

bool KivLeadEditor::snapshot(std::unique_ptr<CLeadBitmap>& into)
{
    if (!into)
        into = std::make_unique<CLeadBitmap>();
    else
        KivLeadFreeBitmap(into.get());
    if (!m_image || KivLeadCopyBitmap(into.get(), m_image) != KIVLEAD_SUCCESS) {
        into.reset();
        return false;
    }
    return true;
}

bool KivLeadEditor::restore(const std::unique_ptr<CLeadBitmap>& from)
{
    if (!from || !m_image)
        return false;
    KivLeadFreeBitmap(m_image);
    return KivLeadCopyBitmap(m_image, from.get()) == KIVLEAD_SUCCESS;
}

void KivLeadEditor::BeginProcessing()
{
    snapshot(m_undo);
}

void KivLeadEditor::EndProcessing()
{
    snapshot(m_redo);
}

bool KivLeadEditor::Undo()
{
    return restore(m_undo);
}

bool KivLeadEditor::Redo()
{
    return restore(m_redo);
}

int KivLeadEditor::Run(const KivLeadCommand& command, const int* values, KivLeadCommandContext& context)
{
    context.image = m_image;
    if (!m_image)
        return KIVLEAD_ERROR_INVALID_ARGUMENT;
    if (command.flags & KivLeadCommand::kNoSnapshot)
        return command.apply(context, values);
    if (!m_bSnapshots) {
        const int status = command.apply(context, values);
        if (!(command.flags & KivLeadCommand::kKeepsModified))
            m_bModified = 1;
        return status;
    }
    BeginProcessing();
    const int status = command.apply(context, values);
    if (!(command.flags & KivLeadCommand::kKeepsModified))
        m_bModified = 1;
    EndProcessing();
    return status;
}
