// SPDX-License-Identifier: MIT
// The edit control's commands as the hosts' menus list them, in menu order:
// the command of the toolkit's table (whose menu text the entry shows) and
// the control's handler. The image editor leaves out the few its view does
// not have.
#pragma once

#include "imaging/editor/CKivLeadEditCtrl.h"

#include <span>

struct EditCommand {
    const char* command; // null for an entry the table has no command for
    void (CKivLeadEditCtrl::*handler)();
    const char* text = nullptr; // that entry's own text
};

namespace editcommands {
// The text the menu shows for command.
const char* textOf(const EditCommand& command);
std::span<const EditCommand> image();
std::span<const EditCommand> effects();
std::span<const EditCommand> filters();
std::span<const EditCommand> color();
// The editor's view has no colour, level, flip/reverse or rotate dialogs.
bool inEditor(const EditCommand& command);
} // namespace editcommands
