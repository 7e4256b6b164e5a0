// SPDX-License-Identifier: MIT
#include "platform/net/CAsyncSocket.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <cstring>

namespace {

thread_local int t_lastError = 0;

int errnoOf(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return ECONNREFUSED;
    case QAbstractSocket::RemoteHostClosedError: return ECONNRESET;
    case QAbstractSocket::HostNotFoundError: return EHOSTUNREACH;
    case QAbstractSocket::SocketAccessError: return EACCES;
    case QAbstractSocket::SocketResourceError: return EMFILE;
    case QAbstractSocket::SocketTimeoutError: return ETIMEDOUT;
    case QAbstractSocket::DatagramTooLargeError: return EMSGSIZE;
    case QAbstractSocket::NetworkError: return ENETDOWN;
    case QAbstractSocket::AddressInUseError: return EADDRINUSE;
    case QAbstractSocket::SocketAddressNotAvailableError: return EADDRNOTAVAIL;
    case QAbstractSocket::UnsupportedSocketOperationError: return EOPNOTSUPP;
    case QAbstractSocket::TemporaryError: return EAGAIN;
    default: return EIO;
    }
}

} // namespace

struct CAsyncSocket::Impl {
    CAsyncSocket* owner;
    QHostAddress bindAddress = QHostAddress::Any;
    quint16 bindPort = 0;
    QPointer<QTcpServer> server;
    QPointer<QTcpSocket> socket;
    int dispatching = 0; // inside one of our On… calls
    bool received = false;

    explicit Impl(CAsyncSocket* o) : owner(o) { }
    ~Impl() { release(); }

    // Objects may be deleted from inside their own signals only later.
    template <class T> void dispose(QPointer<T>& object)
    {
        if (!object)
            return;
        object->disconnect();
        if (dispatching)
            object->deleteLater();
        else
            delete object.data();
        object = nullptr;
    }

    void release()
    {
        if (socket)
            socket->abort();
        dispose(socket);
        dispose(server);
    }

    template <class F> void dispatch(F&& f)
    {
        ++dispatching;
        f();
        --dispatching;
    }

    void adopt(QTcpSocket* s)
    {
        dispose(socket);
        socket = s;
        s->setParent(nullptr);
        QObject::connect(s, &QTcpSocket::connected, s, [this] {
            dispatch([this] { owner->OnConnect(0); });
            dispatch([this] { owner->OnSend(0); });
        });
        QObject::connect(s, &QTcpSocket::readyRead, s, [this] { readable(); });
        QObject::connect(s, &QTcpSocket::disconnected, s, [this] { dispatch([this] { owner->OnClose(0); }); });
        QObject::connect(s, &QTcpSocket::errorOccurred, s, [this](QAbstractSocket::SocketError error) {
            // A connect that fails ends in OnConnect; a connection that breaks, in OnClose.
            if (socket && socket->state() != QAbstractSocket::ConnectedState
                && error != QAbstractSocket::RemoteHostClosedError)
                dispatch([this, error] { owner->OnConnect(errnoOf(error)); });
        });
    }

    // Readiness is level-triggered, as with Winsock: while bytes remain after
    // the handler has read some, OnReceive comes again.
    void readable()
    {
        received = false;
        dispatch([this] { owner->OnReceive(0); });
        if (socket && received && socket->bytesAvailable() > 0) {
            QPointer<QTcpSocket> s = socket;
            QTimer::singleShot(0, s, [this, s] {
                if (s && s == socket)
                    readable();
            });
        }
    }
};

CAsyncSocket::CAsyncSocket() : d(std::make_unique<Impl>(this))
{
}

CAsyncSocket::~CAsyncSocket() = default;

BOOL CAsyncSocket::Create(UINT port, int type, const char* address)
{
    if (type != SOCK_STREAM || port > 65535) {
        SetLastError(type != SOCK_STREAM ? ESOCKTNOSUPPORT : EINVAL);
        return FALSE;
    }
    d->bindPort = static_cast<quint16>(port);
    d->bindAddress = address && *address ? QHostAddress(QString::fromUtf8(address)) : QHostAddress(QHostAddress::Any);
    if (d->bindAddress.isNull()) {
        SetLastError(EADDRNOTAVAIL);
        return FALSE;
    }
    SetLastError(0);
    return TRUE;
}

BOOL CAsyncSocket::Listen(int backlog)
{
    d->dispose(d->server);
    d->server = new QTcpServer;
    d->server->setMaxPendingConnections(backlog > 0 ? backlog : 5);
    if (!d->server->listen(d->bindAddress, d->bindPort)) {
        SetLastError(errnoOf(d->server->serverError()));
        d->dispose(d->server);
        return FALSE;
    }
    QObject::connect(
        d->server, &QTcpServer::newConnection, d->server, [this] { d->dispatch([this] { OnAccept(0); }); });
    SetLastError(0);
    return TRUE;
}

BOOL CAsyncSocket::Accept(CAsyncSocket& connected, void*, int*)
{
    QTcpSocket* peer = d->server ? d->server->nextPendingConnection() : nullptr;
    if (!peer) {
        SetLastError(d->server ? EWOULDBLOCK : EINVAL);
        return FALSE;
    }
    connected.d->adopt(peer);
    SetLastError(0);
    return TRUE;
}

BOOL CAsyncSocket::Connect(const char* host, UINT port)
{
    if (!host || !*host || port == 0 || port > 65535) {
        SetLastError(!host || !*host ? EDESTADDRREQ : EINVAL);
        return FALSE;
    }
    d->adopt(new QTcpSocket);
    d->socket->connectToHost(QString::fromUtf8(host), static_cast<quint16>(port));
    SetLastError(0);
    return TRUE;
}

int CAsyncSocket::Send(const void* data, int length, int)
{
    if (!d->socket || d->socket->state() != QAbstractSocket::ConnectedState) {
        SetLastError(ENOTCONN);
        return SOCKET_ERROR;
    }
    if (!data || length < 0) {
        SetLastError(EFAULT);
        return SOCKET_ERROR;
    }
    const qint64 written = d->socket->write(static_cast<const char*>(data), length);
    if (written < 0) {
        SetLastError(errnoOf(d->socket->error()));
        return SOCKET_ERROR;
    }
    SetLastError(0);
    return static_cast<int>(written);
}

int CAsyncSocket::Receive(void* buffer, int length, int)
{
    if (!d->socket) {
        SetLastError(ENOTCONN);
        return SOCKET_ERROR;
    }
    if (!buffer || length < 0) {
        SetLastError(EFAULT);
        return SOCKET_ERROR;
    }
    if (d->socket->bytesAvailable() == 0) {
        if (d->socket->state() != QAbstractSocket::ConnectedState) {
            SetLastError(0);
            return 0; // the peer has closed
        }
        SetLastError(EWOULDBLOCK);
        return SOCKET_ERROR;
    }
    const qint64 n = d->socket->read(static_cast<char*>(buffer), length);
    if (n < 0) {
        SetLastError(errnoOf(d->socket->error()));
        return SOCKET_ERROR;
    }
    d->received = true;
    SetLastError(0);
    return static_cast<int>(n);
}

void CAsyncSocket::Close()
{
    d->release();
}

BOOL CAsyncSocket::GetSockName(CString& address, UINT& port) const
{
    if (d->server && d->server->isListening()) {
        address = d->server->serverAddress().toString().toStdString();
        port = d->server->serverPort();
        return TRUE;
    }
    if (d->socket && d->socket->state() == QAbstractSocket::ConnectedState) {
        address = d->socket->localAddress().toString().toStdString();
        port = d->socket->localPort();
        return TRUE;
    }
    SetLastError(EINVAL);
    return FALSE;
}

int CAsyncSocket::GetLastError()
{
    return t_lastError;
}

void CAsyncSocket::SetLastError(int error)
{
    t_lastError = error;
}

CString CAsyncSocket::ErrorText(int error)
{
    char buffer[256];
    // The GNU strerror_r gives back a pointer that may not be buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return text ? text : "";
}

void CAsyncSocket::OnReceive(int)
{
}
void CAsyncSocket::OnSend(int)
{
}
void CAsyncSocket::OnOutOfBandData(int)
{
}
void CAsyncSocket::OnAccept(int)
{
}
void CAsyncSocket::OnConnect(int)
{
}
void CAsyncSocket::OnClose(int)
{
}
