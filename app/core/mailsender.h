#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>

class CLodexDoc;
class CUserPrompts;

// File > Send: hands the document file to the desktop's mail client as an
// attachment (xdg-email --attach).
//
// The client reads the file after xdg-email has returned, maybe after Lodex
// has ended, so a copy made for the purpose stays in the user's cache
// folder (where a sandboxed client can see it, unlike /tmp); a later start
// removes the copies that are a day old.
class CMailSender : public QObject
{
    Q_OBJECT

public:
    explicit CMailSender(QObject *parent = nullptr);
    ~CMailSender() override;

    // Asks the desktop, without waiting, whether a mail client can be
    // reached: xdg-email must exist and xdg-mime must know a mailto
    // handler. Emits availabilityKnown() with the answer.
    void ProbeAvailability();
    bool IsAvailable() const { return m_available; }

    // Sends the document's own file, or a copy when it has no file or is
    // modified (its modified flag stays as it is). Failures are reported.
    bool Send(const CLodexDoc &doc, CUserPrompts &prompts);

    // The folder holding the copies.
    static QString CopyFolder();
    // Removes copies made by earlier runs at least `minAge` ago; younger
    // ones may still be waiting for the mail client of another instance.
    static void RemoveLeftovers(std::chrono::seconds minAge);

    // The mail program and the tool that tells the mailto handler; tests
    // put stand-ins here.
    void SetPrograms(const QString &mailProgram, const QString &mimeProgram);
    const QStringList &CopiesMade() const { return m_copyDirs; }

signals:
    void availabilityKnown(bool available);

private:
    QString MakeCopy(const CLodexDoc &doc, QString *error);
    void StopProbe();

    QString m_mailProgram = QStringLiteral("xdg-email");
    QString m_mimeProgram = QStringLiteral("xdg-mime");
    bool m_available = false;
    QStringList m_copyDirs;
    class QProcess *m_probe = nullptr;
};
