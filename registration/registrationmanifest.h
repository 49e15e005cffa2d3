#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What one registration wrote and created, kept as JSON beside the user's
// data so that the registration can be taken back exactly.
struct RegistrationManifest {
    struct WrittenFile {
        QString path;
        QByteArray sha256;   // of the bytes written, hex
    };
    struct DefaultChange {
        QString path;                        // the mimeapps.list changed
        std::optional<QByteArray> before;    // its bytes before; none if it did not exist
        QByteArray afterSha256;              // hex of the bytes written
        std::optional<QByteArray> previous;  // the type's default before, if any
        QByteArray value;                    // the default set
    };

    QList<WrittenFile> files;
    QStringList createdDirectories;   // in creation order, outermost first
    QStringList generatedFiles;       // entries the database tools created
    std::optional<DefaultChange> defaultChange;

    QByteArray ToJson() const;
    static std::optional<RegistrationManifest> FromJson(const QByteArray &json);
};

QByteArray Sha256Hex(const QByteArray &bytes);
