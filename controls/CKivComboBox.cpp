// SPDX-License-Identifier: MIT
#include "controls/CKivComboBox.h"

#include "platform/io/FileSystem.h"
#include "platform/widgets/FillList_p.h"

#include "platform/io/PathNoCase.h"

CKivComboBox::CKivComboBox(QWidget* parent) : CComboBox(parent)
{
}

int CKivComboBox::AddFiles(const char* dir, const char* pattern, int stripExt, int clear)
{
    if (clear == 1)
        ResetContent();
    std::string folder = NativeSeparators(dir ? dir : "");
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    const std::string wanted
        = ResolvePathNoCase(folder.c_str()) + GlobNoCase(NativeSeparators(pattern ? pattern : "*").c_str());
    int any = 0;
    for (std::string name : GlobPaths(wanted.c_str(), true)) {
        if (!name.empty() && name.back() == '/')
            name.pop_back(); // a folder
        name = name.substr(name.find_last_of('/') + 1);
        if (stripExt == 1 && name.size() >= 4)
            name.resize(name.size() - 4);
        AddString(name.c_str());
        any = 1;
    }
    if (any)
        SetCurSel(0);
    return any;
}

CKivListBox::CKivListBox(QWidget* parent) : CListBox(parent)
{
}

int CKivListBox::AddStringArray(const CStringArray* strings, int clear)
{
    if (!strings)
        return 0;
    fillList(*this, *strings, clear);
    return 1;
}

int CKivListBox::AddStringList(const CStringList* strings, int clear)
{
    if (!strings)
        return 0;
    fillList(*this, *strings, clear);
    return 1;
}
