#include "app/core/mailsender.h"

#include "data/lodexdoc.h"
#include "data/userprompts.h"
#include "resources/strings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

CMailSender::CMailSender(QObject *parent) : QObject(parent) {}

CMailSender::~CMailSender()
{
    StopProbe();
}

void CMailSender::SetPrograms(const QString &mailProgram, const QString &mimeProgram)
{
    m_mailProgram = mailProgram;
    m_mimeProgram = mimeProgram;
}

void CMailSender::StopProbe()
{
    if (!m_probe)
        return;
    m_probe->disconnect(this);
    m_probe->kill();
    m_probe->waitForFinished(1000);
    delete m_probe;
    m_probe = nullptr;
}

void CMailSender::ProbeAvailability()
{
    StopProbe();
    const QString mimeProgram = QStandardPaths::findExecutable(m_mimeProgram);
    if (QStandardPaths::findExecutable(m_mailProgram).isEmpty() || mimeProgram.isEmpty()) {
        m_available = false;
        emit availabilityKnown(false);
        return;
    }
    auto *query = new QProcess(this);
    m_probe = query;
    query->setStandardInputFile(QProcess::nullDevice());
    connect(query, &QProcess::finished, this, [this, query](int exitCode, QProcess::ExitStatus status) {
        const bool known = status == QProcess::NormalExit && exitCode == 0
                           && !query->readAllStandardOutput().trimmed().isEmpty();
        query->deleteLater();
        m_probe = nullptr;
        m_available = known;
        emit availabilityKnown(known);
    });
    connect(query, &QProcess::errorOccurred, this, [this, query](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        query->deleteLater();
        m_probe = nullptr;
        m_available = false;
        emit availabilityKnown(false);
    });
    query->start(mimeProgram, {QStringLiteral("query"), QStringLiteral("default"),
                               QStringLiteral("x-scheme-handler/mailto")});
}

QString CMailSender::CopyFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("send"));
}

void CMailSender::RemoveLeftovers(std::chrono::seconds minAge)
{
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-minAge.count());
    const QFileInfoList entries = QDir(CopyFolder()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries)
        if (entry.lastModified() <= limit)
            QDir(entry.absoluteFilePath()).removeRecursively();
}

QString CMailSender::MakeCopy(const CLodexDoc &doc, QString *error)
{
    // One folder per copy, so that the attachment keeps the document's name.
    const QString folder = CopyFolder();
    if (!QDir().mkpath(folder)) {
        *error = QCoreApplication::translate("CMailSender", "cannot create the folder %1")
                     .arg(QDir::toNativeSeparators(folder));
        return QString();
    }
    QTemporaryDir dir(QDir(folder).filePath(QStringLiteral("XXXXXX")));
    if (!dir.isValid()) {
        *error = dir.errorString();
        return QString();
    }
    dir.setAutoRemove(false);
    m_copyDirs << dir.path();
    const QString path = QDir(dir.path()).filePath(doc.CopyFileName());
    if (!doc.SaveCopy(path, error))
        return QString();
    return path;
}

bool CMailSender::Send(const CLodexDoc &doc, CUserPrompts &prompts)
{
    QString error;
    QString attachment = doc.GetPathName();
    if (attachment.isEmpty() || doc.IsModified())
        attachment = MakeCopy(doc, &error);
    if (!attachment.isEmpty()) {
        if (QProcess::startDetached(m_mailProgram, {QStringLiteral("--attach"), attachment}))
            return true;
        error = QCoreApplication::translate("CMailSender", "%1 could not be started").arg(m_mailProgram);
    }
    prompts.MessageBox(LoadQString(Str::SendFailed).arg(error));
    return false;
}
