#include "controls/CKivComboBox.h"

#include "platform/FillList_p.h"

#include "platform/PathNoCase.h"

#include <glob.h>

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
    glob_t found {};
    int any = 0;
    if (::glob(wanted.c_str(), GLOB_MARK, nullptr, &found) == 0) {
        for (std::size_t i = 0; i < found.gl_pathc; ++i) {
            std::string name = found.gl_pathv[i];
            if (!name.empty() && name.back() == '/')
                name.pop_back(); // a folder
            name = name.substr(name.find_last_of('/') + 1);
            if (stripExt == 1 && name.size() >= 4)
                name.resize(name.size() - 4);
            AddString(name.c_str());
            any = 1;
        }
    }
    ::globfree(&found);
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
