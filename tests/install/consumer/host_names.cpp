// SPDX-License-Identifier: MIT
// Every public header, then the host's own meanings for names the headers
// know as Win32 constants: this compiles only while the headers leave the
// global namespace and the macro space to the host.
#include "all_headers.h"

#if defined(TRUE) || defined(FALSE)
#error "a public header defines TRUE or FALSE"
#endif

enum HostAnswer { FALSE = 10, TRUE = 11 };
const char* WM_COMMAND = "the host's command";
int IDOK(int value)
{
    return value + 1;
}
struct RGB {
    int red, green, blue;
};
int MB_OK = 1, SRCCOPY = 2, HKEY_CURRENT_USER = 3, SOCKET_ERROR = 4, LOWORD = 5, SW_SHOW = 6, BI_RGB = 0,
    EWX_REBOOT = 0;

int hostNames()
{
    return TRUE - FALSE + BI_RGB + EWX_REBOOT + IDOK(MB_OK) + SRCCOPY + HKEY_CURRENT_USER + SOCKET_ERROR + LOWORD
        + SW_SHOW + RGB {1, 1, 1}.red + (WM_COMMAND[0] == 't') - 25;
}
