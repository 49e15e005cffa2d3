#include "app/singleinstance.h"

#include "base/nativepath.h"
#include "registration/desktopidentity.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

#include <memory>

namespace {

constexpr quint32 kMagic = 0x4C4F4458;   // "LODX"
constexpr quint16 kProtocol = 1;
constexpr int kLengthSize = 4;
constexpr quint32 kLargestRequest = 64 * 1024;
constexpr char kAccepted = 'A';
constexpr char kRefused = 'R';
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 5000;
constexpr int kLockMs = 10000;

} // namespace

CSingleInstance::CSingleInstance(const QString &runtimeFolder, QObject *parent)
    : QObject(parent), m_folder(runtimeFolder)
{
}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::SocketPath() const
{
    return QDir(m_folder).filePath(QLatin1String(Desktop::kAppId) + QStringLiteral(".socket"));
}

CSingleInstance::Outcome CSingleInstance::Start(const OpenRequest *request)
{
    // Without a private folder there is no channel: a socket or lock in a
    // shared or the current folder could be another user's.
    if (!QDir::isAbsolutePath(m_folder))
        return Outcome::Alone;
    QLockFile lock(QDir(m_folder).filePath(QLatin1String(Desktop::kAppId) + QStringLiteral(".lock")));
    // Without the lock (a hung start holding it) go on unguarded: at worst
    // two windows open, which is what a start without "/dde" does anyway.
    const bool locked = lock.tryLock(kLockMs);
    if (request && Forward(*request))
        return Outcome::Forwarded;
    const bool listening = Listen();
    if (locked)
        lock.unlock();
    return listening ? Outcome::Listening : Outcome::Alone;
}

bool CSingleInstance::Forward(const OpenRequest &request)
{
    OpenRequest absolute = request;
    if (!absolute.path.isEmpty())
        absolute.path = AbsolutePath(request.path);

    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write(Encode(absolute));
    if (!socket.waitForBytesWritten(kAnswerMs))
        return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kAnswerMs))
            return false;
    char answer = 0;
    socket.getChar(&answer);
    return answer == kAccepted;
}

bool CSingleInstance::Listen()
{
    // A socket that answers belongs to a running instance.
    QLocalSocket probe;
    probe.connectToServer(SocketPath());
    if (probe.waitForConnected(kConnectMs)) {
        probe.disconnectFromServer();
        return false;
    }
    // Otherwise whatever is left at the path is from an instance that died.
    QLocalServer::removeServer(SocketPath());
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(SocketPath())) {
        delete server;
        return false;
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::Accept);
    return true;
}

void CSingleInstance::Accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] { Read(socket, *buffer); });
        // A client that never finishes its request is not kept forever.
        QTimer::singleShot(kAnswerMs, socket, [socket] { socket->abort(); });
    }
}

void CSingleInstance::Read(QLocalSocket *socket, QByteArray &buffer)
{
    buffer += socket->readAll();
    OpenRequest request;
    const Decoded result = Decode(buffer, &request);
    if (result == Decoded::NeedMore)
        return;
    // Only absolute paths: the sender's working folder means nothing here.
    const bool accepted =
        result == Decoded::Complete && (request.path.isEmpty() || QDir::isAbsolutePath(request.path));
    socket->putChar(accepted ? kAccepted : kRefused);
    socket->flush();
    socket->disconnectFromServer();
    if (accepted) {
        QMetaObject::invokeMethod(
            this, [this, request] { emit openRequested(request.path, request.activationToken); },
            Qt::QueuedConnection);
    }
}

QByteArray CSingleInstance::Encode(const OpenRequest &request)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kProtocol << request.path << request.activationToken;
    QByteArray message;
    QDataStream framed(&message, QIODevice::WriteOnly);
    framed << quint32(body.size());
    return message + body;
}

CSingleInstance::Decoded CSingleInstance::Decode(QByteArray &buffer, OpenRequest *request)
{
    if (buffer.size() < kLengthSize)
        return Decoded::NeedMore;
    quint32 length = 0;
    {
        QDataStream in(buffer);
        in >> length;
    }
    if (length > kLargestRequest)
        return Decoded::Invalid;
    if (quint32(buffer.size() - kLengthSize) < length)
        return Decoded::NeedMore;
    const QByteArray body = buffer.mid(kLengthSize, int(length));
    buffer.remove(0, kLengthSize + int(length));

    QDataStream in(body);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint16 protocol = 0;
    in >> magic >> protocol >> request->path >> request->activationToken;
    if (in.status() != QDataStream::Ok || magic != kMagic || protocol != kProtocol || !in.atEnd())
        return Decoded::Invalid;
    return Decoded::Complete;
}
