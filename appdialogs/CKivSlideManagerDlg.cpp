// SPDX-License-Identifier: MIT
#include "appdialogs/CKivSlideManagerDlg.h"

#include "appdialogs/resources.h"
#include "cad/KivSlideFile.h"
#include "dialogs/KivDlgAbout.h"
#include "dialogs/KivDlgViewSlide.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/ByteSource.h"
#include "platform/io/DirectoryReader.h"
#include "platform/services/CFileDialog.h"
#include "platform/services/MessageBox.h"
#include "platform/widgets/CButton.h"
#include "platform/widgets/CTreeCtrl.h"

#include <QDir>

#include <algorithm>

using namespace kivappdlg;

namespace {

constexpr UINT kLibraryButtons[]
    = {IDC_SLM_ADD, IDC_SLM_ADD_ALL, IDC_SLM_EXTRACT, IDC_SLM_EXTRACT_ALL, IDC_SLM_DELETE, IDC_SLM_DELETE_ALL};
constexpr const char* kCaption = "Slide Library Manager";

// The default viewer: the common slide viewing dialog.
void showSlide(HWND owner, const char* reference)
{
    KivDlgViewSlide(owner, reference, nullptr, -1, -1, 0, 0, 5, 1);
}

CKivSlideManagerDlg::Viewer& viewer()
{
    static CKivSlideManagerDlg::Viewer v = showSlide;
    return v;
}

std::size_t nameStart(const CString& path)
{
    const auto sep = path.find_last_of("/\\");
    return sep == CString::npos ? 0 : sep + 1;
}

// What a list shows for stored bytes: their UTF-8 reading.
CString shownText(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

} // namespace

CKivSlideManagerDlg::CKivSlideManagerDlg(QWidget* parent) : CKivDialog(IDD_SLIDEMANAGER, parent)
{
    KivSlideFile::SetSlideError(0, nullptr, nullptr);
}

CKivSlideManagerDlg::~CKivSlideManagerDlg() = default;

void CKivSlideManagerDlg::SetViewer(Viewer v)
{
    viewer() = v ? std::move(v) : Viewer(showSlide);
}

CString CKivSlideManagerDlg::BackupName(const CString& library)
{
    // The name, not the path, is cut: folders often hold periods here.
    const std::size_t start = nameStart(library);
    const std::size_t dot = library.find('.', start);
    return library.substr(0, dot == CString::npos ? library.size() : dot) + ".bak";
}

BOOL CKivSlideManagerDlg::OnInitDialog()
{
    CKivDialog::OnInitDialog();
    const HINSTANCE res = AfxGetResourceHandle();
    SetWindowText((res->string(IDS_SLIDEMANAGER_NAME) + " : " + res->string(IDS_SLIDEMANAGER_VERSION)).c_str());
    if (m_folder.empty())
        m_folder = QDir::currentPath().toStdString();
    if (m_folder.back() != '/')
        m_folder += '/';

    m_tree.SubclassDlgItem(IDC_SLM_TREE, this);
    m_folderView.SubclassDlgItem(IDC_SLM_FOLDER_VIEW, this);
    m_libraryView.SubclassDlgItem(IDC_SLM_LIBRARY_VIEW, this);
    m_folderEdit.SubclassDlgItem(IDC_SLM_FOLDER, this);
    m_libraryEdit.SubclassDlgItem(IDC_SLM_LIBRARY, this);
    m_folderList.SubclassDlgItem(IDC_SLM_FOLDER_LIST, this);
    m_libraryList.SubclassDlgItem(IDC_SLM_LIBRARY_LIST, this);
    // The previews take the template's places hidden, as statics without
    // WS_VISIBLE would be; they are shown here.
    m_folderView.show();
    m_libraryView.show();
    m_folderEdit.widget()->setReadOnly(true);
    m_libraryEdit.widget()->setReadOnly(true);

    BeginWaitCursor();
    m_tree.DisplayTree(nullptr, 0);
    m_tree.SetPath(m_folder.c_str());
    EndWaitCursor();
    m_folderEdit.SetWindowText(m_folder.c_str());
    m_libraryEdit.SetWindowText(m_library.c_str());
    m_ready = true;
    Refresh();
    EnableLibraryButtons(!m_library.empty());
    return TRUE;
}

void CKivSlideManagerDlg::EnableLibraryButtons(bool enable)
{
    for (const UINT id : kLibraryButtons)
        if (CWnd* button = GetDlgItem(static_cast<int>(id)))
            button->setEnabled(enable);
}

void CKivSlideManagerDlg::SetFolder(const char* folder)
{
    m_folder = folder ? folder : "";
    if (m_folder.empty() || m_folder.back() != '/')
        m_folder += '/';
    m_folderEdit.SetWindowText(m_folder.c_str());
    Refresh();
}

void CKivSlideManagerDlg::Refresh()
{
    if (!m_ready)
        return;
    FillFolderList();
    if (!m_library.empty())
        FillLibraryList();
}

void CKivSlideManagerDlg::FillFolderList()
{
    m_folderList.ResetContent();
    m_folderNames.clear();
    std::vector<CString> files;
    DirectoryReader::List(m_folder.c_str(), nullptr, &files, ".sld");
    for (const CString& name : files) {
        const int index = m_folderList.AddString(name.c_str());
        m_folderNames[m_folderList.GetText(index)] = name;
    }
}

void CKivSlideManagerDlg::FillLibraryList()
{
    const int remembered = std::max(m_libraryList.GetCurSel(), 0);
    CStringArray names;
    KivSlideFile::GetSlideList(m_library.c_str(), &names);
    m_libraryList.ResetContent();
    m_slideNames.clear();
    for (const CString& name : names) {
        const int index = m_libraryList.AddString(name.c_str());
        m_slideNames[m_libraryList.GetText(index)] = name;
    }
    const int count = m_libraryList.GetCount();
    if (count > 0) {
        m_libraryList.SetCurSel(std::min(remembered, count - 1));
        OnLibrarySelChange();
    } else {
        m_libraryView.SetFile("", 1);
    }
}

std::string CKivSlideManagerDlg::FolderName(int index) const
{
    const CString text = m_folderList.GetText(index);
    const auto it = m_folderNames.find(text);
    return it != m_folderNames.end() ? it->second : text;
}

std::string CKivSlideManagerDlg::SlideName(int index) const
{
    const CString text = m_libraryList.GetText(index);
    const auto it = m_slideNames.find(text);
    return it != m_slideNames.end() ? it->second : text;
}

void CKivSlideManagerDlg::Backup()
{
    if (m_backedUp)
        return;
    m_backedUp = 1;
    // Silent on failure: a library that does not exist yet has nothing to keep.
    ByteSource source;
    if (!source.openFile(m_library))
        return;
    AtomicFile out(BackupName(m_library));
    if (out.open() && out.copyFrom(source, 0, source.size()))
        out.commitNew(); // an existing backup is never replaced
}

void CKivSlideManagerDlg::ShowError(int code)
{
    if (code != 0)
        MessageBox(this, KivSlideFile::GetSlideError(), kCaption, MB_OK);
}

void CKivSlideManagerDlg::AddSlideFile(int index)
{
    const std::string name = FolderName(index);
    if (MakeUpper(name).find(".SLD") == CString::npos)
        return;
    const CString path = m_folder + name;
    const int code = KivSlideFile::AppendLibrary(m_library.c_str(), path.c_str());
    if (code == 0)
        return;
    // Only a slide of the same name is worth replacing; any other failure
    // (no library, no permission) would fail the replacement the same way.
    if (code != 8) {
        ShowError(code);
        return;
    }
    const CString question = "Replace slide " + MakeUpper(shownText(name)) + " in library " + m_library + ".";
    if (MessageBox(this, question.c_str(), kCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    ShowError(KivSlideFile::ReplaceLibrary(m_library.c_str(), path.c_str()));
}

void CKivSlideManagerDlg::OnSelect()
{
    CFileDialog dialog(TRUE, ".slb", nullptr, OFN_HIDEREADONLY | OFN_CREATEPROMPT,
        "AutoCAD Slide Library Files (*.slb)|*.slb|All Files (*.*)|*.*||", this);
    dialog.SetTitle("Select Slide Library");
    // Beside the library shown, else in the folder the manager shows: never
    // wherever the process happened to start.
    dialog.SetInitialDir(m_library.empty() ? m_folder.c_str() : m_library.substr(0, nameStart(m_library)).c_str());
    if (dialog.DoModal() != IDOK)
        return;
    CString chosen = dialog.GetPathName();
    if (chosen.find('.', nameStart(chosen)) == CString::npos)
        chosen = dialog.GetFolderPath() + dialog.GetFileName() + ".SLB";
    m_library = chosen;
    m_libraryEdit.SetWindowText(m_library.c_str());
    m_libraryList.ResetContent();
    Refresh();
    EnableLibraryButtons(true);
}

void CKivSlideManagerDlg::OnAdd(bool all)
{
    if (m_library.empty() || (!all && m_folderList.GetSelCount() == 0))
        return;
    Backup();
    BeginWaitCursor();
    if (all)
        for (int i = 0; i < m_folderList.GetCount(); ++i)
            AddSlideFile(i);
    else
        for (const int i : m_folderList.GetSelItems())
            AddSlideFile(i);
    EndWaitCursor();
    Refresh();
}

void CKivSlideManagerDlg::OnDelete(bool all)
{
    if (m_library.empty())
        return;
    std::vector<std::string> names;
    if (all) {
        const CString question = "Delete all slides from " + m_library;
        if (MessageBox(this, question.c_str(), kCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
        for (int i = 0; i < m_libraryList.GetCount(); ++i)
            names.push_back(SlideName(i));
    } else {
        const std::vector<int> selected = m_libraryList.GetSelItems();
        for (auto it = selected.rbegin(); it != selected.rend(); ++it)
            names.push_back(SlideName(*it));
        // A slide deleted is gone from the library as surely as all of them.
        const CString question = names.size() == 1
            ? "Delete slide " + shownText(names.front()) + " from " + m_library
            : StringFormat("Delete %zu slides from %s", names.size(), m_library.c_str());
        if (!names.empty() && MessageBox(this, question.c_str(), kCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
    }
    if (names.empty())
        return;
    Backup();
    // One rewrite of the library for all of them.
    BeginWaitCursor();
    const int code = KivSlideFile::DeleteLibrary(m_library.c_str(), names);
    EndWaitCursor();
    ShowError(code);
    Refresh();
}

void CKivSlideManagerDlg::OnExtract()
{
    if (m_library.empty() || m_folder.empty())
        return;
    const std::vector<int> selected = m_libraryList.GetSelItems();
    if (selected.empty())
        return;
    Backup();
    BeginWaitCursor();
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        if (const int code
            = KivSlideFile::ExtractLibrary(m_library.c_str(), SlideName(*it).c_str(), m_folder.c_str())) {
            EndWaitCursor();
            ShowError(code);
            BeginWaitCursor();
        }
    EndWaitCursor();
    Refresh();
}

void CKivSlideManagerDlg::OnExtractAll()
{
    if (m_library.empty() || m_folder.empty())
        return;
    Backup();
    const CString question = "Extract all slides from " + m_library + " to " + m_folder;
    if (MessageBox(this, question.c_str(), kCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    BeginWaitCursor();
    const int code = KivSlideFile::ExplodeLibrary(m_library.c_str(), m_folder.c_str());
    EndWaitCursor();
    ShowError(code);
    Refresh();
}

void CKivSlideManagerDlg::OnAbout()
{
    const HINSTANCE res = AfxGetResourceHandle();
    KivDlgAbout(this, nullptr, res->string(IDS_SLIDEMANAGER_NAME).c_str(),
        res->string(IDS_SLIDEMANAGER_VERSION).c_str(), "Slide libraries kept safe on every desktop",
        "https://example.org/vandrel", "vandrel@example.org");
}

void CKivSlideManagerDlg::OnFolderSelChange()
{
    const int index = m_folderList.GetCurSel();
    if (index < 0)
        return;
    // The stored name as it is: the file system here minds letter case.
    m_folderView.SetFile((m_folder + FolderName(index)).c_str(), 1);
}

void CKivSlideManagerDlg::OnLibrarySelChange()
{
    const int index = m_libraryList.GetCurSel();
    if (index < 0 || m_library.empty())
        return;
    m_libraryView.SetFile((m_library + "(" + SlideName(index) + ")").c_str(), 1);
}

void CKivSlideManagerDlg::OnFolderDblClk()
{
    const int index = m_folderList.GetCurSel();
    if (index >= 0)
        viewer()(this, (m_folder + FolderName(index)).c_str());
}

void CKivSlideManagerDlg::OnLibraryDblClk()
{
    const int index = m_libraryList.GetCurSel();
    if (index >= 0 && !m_library.empty())
        viewer()(this, (m_library + "(" + SlideName(index) + ")").c_str());
}

LRESULT CKivSlideManagerDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_SLM_TREE && header->code == TVN_SELCHANGED) {
            if (const HTREEITEM item = m_tree.GetSelectedItem()) {
                const CString path = m_tree.GetPath(item);
                if (!path.empty() && path != m_folder)
                    SetFolder(path.c_str());
            }
            return 0;
        }
    }
    return CKivDialog::WindowProc(message, wParam, lParam);
}

BOOL CKivSlideManagerDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == IDC_SLM_FOLDER_LIST || id == IDC_SLM_LIBRARY_LIST) {
        const bool folder = id == IDC_SLM_FOLDER_LIST;
        if (code == LBN_SELCHANGE)
            folder ? OnFolderSelChange() : OnLibrarySelChange();
        else if (code == LBN_DBLCLK)
            folder ? OnFolderDblClk() : OnLibraryDblClk();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_SLM_SELECT: OnSelect(); return TRUE;
        case IDC_SLM_ADD: OnAdd(false); return TRUE;
        case IDC_SLM_ADD_ALL: OnAdd(true); return TRUE;
        case IDC_SLM_DELETE: OnDelete(false); return TRUE;
        case IDC_SLM_DELETE_ALL: OnDelete(true); return TRUE;
        case IDC_SLM_EXTRACT: OnExtract(); return TRUE;
        case IDC_SLM_EXTRACT_ALL: OnExtractAll(); return TRUE;
        case IDC_SLM_ABOUT: OnAbout(); return TRUE;
        default: break;
        }
    }
    return CKivDialog::OnCommand(wParam, lParam);
}
