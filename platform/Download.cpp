#include "platform/Download.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryFile>
#include <QTimer>

namespace {

bool attempt(QNetworkAccessManager& manager, const QUrl& url, QFile& out, int connectTimeoutMs)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer connectTimer;
    connectTimer.setSingleShot(true);
    bool answered = false;
    QObject::connect(&connectTimer, &QTimer::timeout, reply, [&] {
        if (!answered)
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] { answered = true; });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        answered = true;
        out.write(reply->readAll());
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connectTimer.start(connectTimeoutMs);
    loop.exec();
    out.write(reply->readAll());
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && (status == 0 || (status >= 200 && status < 300));
    reply->deleteLater();
    return ok;
}

} // namespace

bool DownloadToFile(const char* url, const CString& target, int connectTimeoutMs, int retries)
{
    const QUrl address(QString::fromUtf8(url ? url : ""));
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || (scheme != "http" && scheme != "https"))
        return false;
    QNetworkAccessManager manager;
    for (int i = 0; i <= retries; ++i) {
        QFile out(QString::fromStdString(target));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        if (attempt(manager, address, out, connectTimeoutMs))
            return true;
    }
    QFile::remove(QString::fromStdString(target));
    return false;
}

CString UniqueTempPath(const char* suffix)
{
    QTemporaryFile file(QDir::tempPath() + "/vandrel-XXXXXX" + QString::fromUtf8(suffix ? suffix : ""));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return file.fileName().toStdString();
}
