// SPDX-License-Identifier: MIT
// An event-driven TCP stream socket with the framework's calls: Create,
// Listen, Accept, Connect, Send, Receive, Close, and readiness events as
// virtual On… calls delivered through the owning thread's event loop.
// Errors are POSIX error numbers, read with GetLastError after a call.
#pragma once

#include "platform/KivNet_export.h"

#include "platform/base/CString.h"
#include "platform/base/Win32Types.h"

#include <memory>

namespace vandrel::win32 {

constexpr int SOCKET_ERROR = -1;
constexpr int SOCK_STREAM = 1;

} // namespace vandrel::win32

class KIVNET_EXPORT CAsyncSocket {
public:
    CAsyncSocket();
    virtual ~CAsyncSocket();
    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;

    // Remembers where to listen; only stream sockets exist here.
    BOOL Create(UINT port = 0, int type = vandrel::win32::SOCK_STREAM, const char* address = nullptr);
    BOOL Listen(int backlog = 5);
    // Hands the next waiting peer to connected. No peer address is given back.
    virtual BOOL Accept(CAsyncSocket& connected, void* address = nullptr, int* length = nullptr);
    // Starts connecting; TRUE while that goes on, OnConnect tells how it ended.
    BOOL Connect(const char* host, UINT port);
    virtual int Send(const void* data, int length, int flags = 0);
    // Bytes read; 0 once the peer has closed; SOCKET_ERROR (EWOULDBLOCK)
    // when nothing is waiting.
    virtual int Receive(void* buffer, int length, int flags = 0);
    virtual void Close();

    // The address and port this socket listens on or is connected from.
    BOOL GetSockName(CString& address, UINT& port) const;

    // The error of the last call on this thread, 0 after a success.
    static int GetLastError();
    static void SetLastError(int error);
    // The system's text for an error number.
    static CString ErrorText(int error);

protected:
    virtual void OnReceive(int error);
    virtual void OnSend(int error);
    virtual void OnOutOfBandData(int error);
    virtual void OnAccept(int error);
    virtual void OnConnect(int error);
    virtual void OnClose(int error);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
