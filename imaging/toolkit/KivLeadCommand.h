// SPDX-License-Identifier: MIT
// The edit commands as data: each command of the image edit control with
// its menu text, the dialog that asks for its values and the values it
// takes, so the control's handlers, the hosts' menus, the command line and
// tests run and show the same operation. Values are in the units the toolkit takes;
// scale turns a value typed by a user (degrees, the dialogs' decimals) into
// them.
#pragma once

#include "imaging/KivLeadKit_export.h"
#include "imaging/toolkit/CLeadBitmap.h"
#include "platform/base/Win32Types.h"

#include <span>
#include <string>

struct KivLeadCommandContext {
    CLeadBitmap* image = nullptr;
    COLORREF fill = 0; // the background of rotate-by-angle and shear
    std::string message; // what the command tells (unique colours)
};

// How the edit control asks for a command's values in its one- or two-value
// dialog: the title, and for each value its label, range and the value the
// dialog starts at (no change, for the adjustments). Commands with a dialog
// of their own (rotate, sizes, colour, level …) or none leave it empty.
struct KivLeadCommandAsk {
    struct Value {
        const char* label;
        int minimum;
        int maximum;
        int start;
    };
    const char* title;
    Value values[2];
    int count() const { return !title ? 0 : values[1].label ? 2 : 1; }
};

struct KivLeadCommand {
    // Commands that may change geometry or content under a selection.
    static constexpr unsigned kGeometry = 1;
    // Commands that leave the modified flag as it was.
    static constexpr unsigned kKeepsModified = 2;
    // Commands that run outside the edit protocol (no snapshots).
    static constexpr unsigned kNoSnapshot = 4;
    static constexpr int kMaxValues = 4;

    const char* name; // the handler's name in lower case, without On and the menu group
    const char* handler;
    const char* menu; // the hosts' menu entry
    KivLeadCommandAsk ask;
    const char* values; // "ANGLE,RESIZE"; empty when it takes none
    int count;
    int defaults[kMaxValues];
    double scale[kMaxValues];
    unsigned flags;
    const char* summary;
    int (*apply)(KivLeadCommandContext& context, const int* values);
};

// Every command, in menu order.
KIVLEADKIT_EXPORT std::span<const KivLeadCommand> KivLeadCommands();
// The command of that name (ASCII case ignored); null when there is none.
KIVLEADKIT_EXPORT const KivLeadCommand* KivLeadFindCommand(const char* name);

// Auto levels' table of one plane from its histogram: false (table
// untouched) when the narrowed range is empty.
KIVLEADKIT_EXPORT bool KivLeadAutoLevelsTable(const unsigned long histogram[256], unsigned char table[256]);
// Auto levels on the three planes of image; 1.
KIVLEADKIT_EXPORT int KivLeadAutoLevels(CLeadBitmap* image);
// The three adjustments of the colour and level dialogs, in order; the
// status of the last.
KIVLEADKIT_EXPORT int KivLeadSetColor(CLeadBitmap* image, int hue, int saturation, int lightness);
KIVLEADKIT_EXPORT int KivLeadSetLevel(CLeadBitmap* image, int brightness, int contrast, int gamma);
// Edge enhance: the image plus its edges.
KIVLEADKIT_EXPORT int KivLeadEdgeEnhance(CLeadBitmap* image);
// Separates the planes (four when kind is 1) and keeps the last.
KIVLEADKIT_EXPORT int KivLeadColorSeparation(CLeadBitmap* image, int kind);
