// SPDX-License-Identifier: MIT
#include "support/HttpTestServer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace testsupport {

HttpTestServer::HttpTestServer(Mode mode, Bytes body) : m_mode(mode), m_body(std::move(body))
{
    start();
    m_ready.acquire();
}

HttpTestServer::~HttpTestServer()
{
    quit();
    wait();
}

std::string HttpTestServer::url(const std::string& name) const
{
    return "http://127.0.0.1:" + std::to_string(m_port.load()) + "/" + name;
}

void HttpTestServer::run()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    m_port = server.serverPort();
    QObject::connect(&server, &QTcpServer::newConnection, &server, [this, &server] {
        QTcpSocket* s = server.nextPendingConnection();
        auto request = std::make_shared<QByteArray>();
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, request] {
            const bool seen = request->contains("\r\n\r\n");
            *request += s->readAll();
            if (seen || !request->contains("\r\n\r\n"))
                return;
            ++m_requests;
            const QByteArray ok = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n";
            switch (m_mode) {
            case Mode::Serve:
                s->write(
                    ok + "Content-Length: " + QByteArray::number(static_cast<qlonglong>(m_body.size())) + "\r\n\r\n");
                s->write(reinterpret_cast<const char*>(m_body.data()), static_cast<qint64>(m_body.size()));
                s->disconnectFromHost();
                break;
            case Mode::Trickle: {
                s->write(ok + "Content-Length: 1000000\r\n\r\n");
                auto* timer = new QTimer(s);
                QObject::connect(timer, &QTimer::timeout, s, [s] { s->write("x"); });
                timer->start(100);
                break;
            }
            case Mode::Endless: {
                s->write(ok + "\r\n");
                const QByteArray block(65536, 'x');
                QObject::connect(s, &QTcpSocket::bytesWritten, s, [s, block] {
                    if (s->bytesToWrite() < block.size())
                        s->write(block);
                });
                s->write(block);
                break;
            }
            case Mode::Silent: break;
            }
        });
    });
    m_ready.release();
    exec();
}

} // namespace testsupport
