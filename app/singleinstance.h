#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// What a second start hands to the running Lodex: a document to open (an
// absolute path, or empty to just come to the front) and the activation
// token the desktop gave the second start, without which a Wayland
// compositor may refuse to raise the running window.
struct OpenRequest {
    QString path;
    QByteArray activationToken;
};

// One Lodex per user takes the desktop's open requests. The first start
// listens on a local socket in the user's runtime folder; a later start
// with "/dde" hands its request over and ends. A lock file serialises the
// check-then-listen step, so two starts at once cannot both listen or both
// miss each other; a socket left behind by a crash is removed.
class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    // `runtimeFolder` is the user's private folder (UserRuntimeFolder()),
    // empty when there is none.
    explicit CSingleInstance(const QString &runtimeFolder, QObject *parent = nullptr);
    ~CSingleInstance() override;

    enum class Outcome {
        Forwarded,  // a running instance took `request`: this start ends
        Listening,  // this instance now takes the requests of later starts
        Alone       // neither: another instance listens, no socket could be made, or no private folder
    };
    // With a request, tries to hand it to a running instance first. Without
    // a private (absolute) folder it creates nothing and answers Alone.
    Outcome Start(const OpenRequest *request);

    QString SocketPath() const;

    // The request as sent on the socket, and back; exposed for the tests.
    static QByteArray Encode(const OpenRequest &request);
    enum class Decoded { Complete, NeedMore, Invalid };
    static Decoded Decode(QByteArray &buffer, OpenRequest *request);

signals:
    // Emitted from the event loop, never inside the socket's own handling,
    // so the receiver may run modal dialogs (the save prompt).
    void openRequested(const QString &path, const QByteArray &activationToken);

private:
    bool Forward(const OpenRequest &request);
    bool Listen();
    void Accept();
    void Read(QLocalSocket *socket, QByteArray &buffer);

    QString m_folder;
    QLocalServer *m_server = nullptr;
};
