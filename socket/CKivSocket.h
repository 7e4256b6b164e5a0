// SPDX-License-Identifier: MIT
// An event-driven TCP socket that remembers the port it connects to (777
// until set), keeps the one peer it accepted last for Send, shows what it
// receives in a "Debug" box, and shows every socket error to the user.
#pragma once

#include "platform/net/CAsyncSocket.h"
#include "socket/KivSock_export.h"

class CIPAddressCtrl;

class KIVSOCK_EXPORT CKivSocket : public CAsyncSocket {
public:
    CKivSocket();
    ~CKivSocket() override;

    UINT GetLocalPort() const { return m_nPort; }
    int SetLocalPort(UINT port);

    // Connects to host (dotted address or name) at the stored port.
    virtual int Connect(const char* host);
    using CAsyncSocket::Connect;

    // Sends to the accepted peer: 0 when none, else 1 whatever it took.
    int Send(const void* data, int length, int flags = 0) override;
    int Receive(void* buffer, int length, int flags = 0) override;

    // The peer accepted last, null before any; owned by this socket.
    CAsyncSocket* GetConnection() const { return m_pConnection; }

    // Shows the text of the last socket error, if there is one.
    static void ShowError();
    // "a.b.c.d" of the control's fields; empty for a null control or 0.0.0.0.
    static CString GetAddress(CIPAddressCtrl* control);

protected:
    void OnReceive(int error) override;
    void OnSend(int error) override;
    void OnOutOfBandData(int error) override;
    void OnAccept(int error) override;
    void OnConnect(int error) override;
    void OnClose(int error) override;

private:
    CAsyncSocket* m_pConnection = nullptr;
    UINT m_nPort = 777;
};
