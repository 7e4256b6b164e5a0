// The edit control's commands as the hosts' menus list them: the text of
// each entry and its handler, in menu order. The image editor leaves out
// the few its view does not have.
#pragma once

#include "imaging/editor/CKivLeadEditCtrl.h"

#include <span>

struct EditCommand {
    const char* text;
    void (CKivLeadEditCtrl::*handler)();
};

namespace editcommands {
std::span<const EditCommand> image();
std::span<const EditCommand> effects();
std::span<const EditCommand> filters();
std::span<const EditCommand> color();
// The editor's view has no colour, level, flip/reverse or rotate dialogs.
bool inEditor(const EditCommand& command);
} // namespace editcommands
