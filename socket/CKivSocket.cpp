// SPDX-License-Identifier: MIT
#include "socket/CKivSocket.h"

#include "platform/services/MessageBox.h"
#include "platform/widgets/CIPAddressCtrl.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSocket, "vandrel.socket", QtWarningMsg)

CKivSocket::CKivSocket() = default;

CKivSocket::~CKivSocket()
{
    delete m_pConnection;
}

int CKivSocket::SetLocalPort(UINT port)
{
    m_nPort = port;
    return 1;
}

int CKivSocket::Connect(const char* host)
{
    const BOOL result = CAsyncSocket::Connect(host, m_nPort);
    ShowError();
    return result;
}

int CKivSocket::Send(const void* data, int length, int flags)
{
    if (!m_pConnection)
        return 0;
    m_pConnection->Send(data, length, flags);
    ShowError();
    return 1;
}

int CKivSocket::Receive(void* buffer, int length, int flags)
{
    return CAsyncSocket::Receive(buffer, length, flags);
}

void CKivSocket::OnAccept(int error)
{
    // A new peer replaces the last one, which is never used again: it goes.
    auto* connection = new CAsyncSocket;
    delete m_pConnection;
    m_pConnection = connection;
    Accept(*m_pConnection);
    ShowError();
    CAsyncSocket::OnAccept(error);
}

void CKivSocket::OnReceive(int error)
{
    char text[256];
    const int n = Receive(text, 255);
    text[n > 0 ? n : 0] = '\0';
    ShowError();
    MessageBox(nullptr, text, "Debug", MB_OK);
    CAsyncSocket::OnReceive(error);
}

void CKivSocket::OnSend(int error)
{
    CAsyncSocket::OnSend(error);
}

void CKivSocket::OnOutOfBandData(int error)
{
    CAsyncSocket::OnOutOfBandData(error);
}

void CKivSocket::OnConnect(int error)
{
    CAsyncSocket::OnConnect(error);
}

void CKivSocket::OnClose(int error)
{
    CAsyncSocket::OnClose(error);
}

void CKivSocket::ShowError()
{
    const int error = GetLastError();
    if (error == 0)
        return;
    qCDebug(lcSocket, "error %d: %s", error, ErrorText(error).c_str());
    MessageBox(nullptr, ErrorText(error).c_str(), "Error", MB_ICONINFORMATION | MB_OK);
}

CString CKivSocket::GetAddress(CIPAddressCtrl* control)
{
    if (!control)
        return {};
    BYTE a = 0, b = 0, c = 0, d = 0;
    control->GetAddress(a, b, c, d);
    if (a == 0 && b == 0 && c == 0 && d == 0)
        return {};
    return StringFormat("%d.%d.%d.%d", a, b, c, d);
}
