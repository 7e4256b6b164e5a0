// SPDX-License-Identifier: MIT
#include "core/KivUtil.h"

#include "platform/base/Translation.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/FileSystem.h"
#include "platform/io/PathNoCase.h"
#include "platform/io/PathPieces.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProcessService.h"
#include "platform/widgets/Resources.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

long KivUtil::GetFileSize(const char* path)
{
    return static_cast<long>(FileSizeOf(ResolvePathNoCase(path).c_str()));
}

float KivUtil::GetDiskFreeSpaceA(const char* root)
{
    const std::string native = root && *root ? NativeSeparators(root) : std::string(".");
    return static_cast<float>(DiskFreeBytes(native.c_str()));
}

int KivUtil::IsExistFile(const char* path)
{
    return GetFileSize(path) >= 0 ? 1 : 0;
}

CString KivUtil::GetFilePath(const char* path)
{
    return FolderOfPath(path);
}

CString KivUtil::GetFileName(const char* path)
{
    const PathPieces p = SplitPath(path);
    return p.title + p.ext;
}

CString KivUtil::GetFileTitle(const char* path)
{
    return SplitPath(path).title;
}

CString KivUtil::GetFileExt(const char* path)
{
    return SplitPath(path).ext;
}

COleDateTime KivUtil::GetFileDate(const char* path)
{
    const std::vector<CString> matches = GlobPaths(GlobNoCase(NativeSeparators(path).c_str()).c_str(), false);
    const std::string first = matches.empty() ? ResolvePathNoCase(path) : matches.front();
    const auto time = FileModifiedTime(first.c_str());
    return time ? COleDateTime(*time) : COleDateTime::GetCurrentTime();
}

int KivUtil::CopyFileUpdate(const char* source, const char* target, int move, int* confirm)
{
    if (!source || !target)
        return 0;
    const std::string from = ResolvePathNoCase(source);
    const std::string to = ResolvePathNoCase(target);
    const bool targetExists = PathExists(to.c_str());
    if (targetExists && (!confirm || *confirm == 1)) {
        // Type 68 as the original programs passed it: Yes/No with the information icon.
        const CString question = KivTranslate(
            "Files", "%s\n이미 파일이 존재합니다.\n이전 작업의 손실을 가져올 수도 있습니다.\n계속 하겠습니까?");
        const int answer = MessagePrint(
            nullptr, "Confirm", MB_YESNO | MB_ICONINFORMATION, "%s", StringFormat(question.c_str(), target).c_str());
        if (answer != IDYES)
            return 2;
    }
    bool ok;
    if (move == 1) {
        ok = MoveFileTo(from.c_str(), to.c_str());
    } else {
        ok = AtomicFile::Copy(from, to);
    }
    if (!ok)
        return 0;
    // Clearing a read-only attribute: the owner may read and write.
    MakeOwnerReadWrite(to.c_str());
    return 1;
}

int KivUtil::MessagePrint(HWND owner, const char* caption, UINT type, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    FormatBoundedV(text, sizeof text, format, args);
    va_end(args);
    if (!owner)
        owner = AfxGetMainWnd();
    return MessageBox(owner, text, caption, type);
}

HBITMAP KivUtil::GetBitmapHandle(HINSTANCE module, const char* name, DWORD width, DWORD height)
{
    if (!name || !*name)
        return nullptr;
    QImage image = module ? module->bitmap(name) : QImage();
    if (image.isNull())
        image = QImage(QString::fromStdString(ResolvePathNoCase(name)));
    if (image.isNull())
        return nullptr;
    if (width != 0 || height != 0)
        image = image.scaled(static_cast<int>(width ? width : static_cast<DWORD>(image.width())),
            static_cast<int>(height ? height : static_cast<DWORD>(image.height())), Qt::IgnoreAspectRatio,
            Qt::FastTransformation);
    auto* bitmap = new CBitmap;
    bitmap->CreateCompatibleBitmap(nullptr, image.width(), image.height());
    bitmap->m_image = image.convertToFormat(QImage::Format_RGB32);
    return bitmap;
}

long KivUtil::DrawBitmap(CDC* dc, const char* name, DWORD x, DWORD y, DWORD width, DWORD height)
{
    if (!dc || !name || !*name)
        return E_INVALIDARG;
    HBITMAP bitmap = GetBitmapHandle(AfxGetInstanceHandle(), name, width, height);
    if (!bitmap)
        return E_FAIL;
    {
        CDC memory;
        memory.CreateCompatibleDC(dc);
        memory.SelectObject(bitmap);
        const CSize size = bitmap->GetSize();
        dc->StretchBlt(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height),
            &memory, 0, 0, size.cx, size.cy, SRCCOPY);
    }
    ::DeleteObject(bitmap);
    return S_OK;
}

void KivUtil::SetDlgIcon(HICON icon)
{
    DefaultDialogIcon() = icon;
}

HICON KivUtil::GetDlgIcon()
{
    return DefaultDialogIcon();
}

int KivUtil::SystemShutdownReady()
{
    // The privilege here is logind's: it decides, and systemctl asks it.
    if (FindProgram("systemctl").empty()) {
        AfxMessageBox("0");
        return 0;
    }
    return 1;
}

int KivUtil::SystemShutdown(UINT flags)
{
    if (flags == EWX_LOGOFF) {
        const char* session = std::getenv("XDG_SESSION_ID");
        if (session && *session)
            return RunProcess("loginctl", {"terminate-session", session}, false) == 0 ? 1 : 0;
        return RunProcess("loginctl", {"terminate-user", std::to_string(::getuid())}, false) == 0 ? 1 : 0;
    }
    if (!SystemShutdownReady())
        return 0;
    std::vector<CString> args;
    args.push_back((flags & EWX_REBOOT) ? "reboot" : "poweroff");
    if (flags & EWX_FORCE)
        args.push_back("--force");
    RunProcess("systemctl", args, false);
    return 1;
}
