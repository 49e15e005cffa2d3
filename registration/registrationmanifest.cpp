#include "registration/registrationmanifest.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int kVersion = 1;

QJsonValue Optional(const std::optional<QByteArray> &bytes)
{
    return bytes ? QJsonValue(QString::fromLatin1(bytes->toBase64())) : QJsonValue();
}

std::optional<QByteArray> OptionalFrom(const QJsonValue &value)
{
    if (!value.isString())
        return std::nullopt;
    return QByteArray::fromBase64(value.toString().toLatin1());
}

QJsonArray Strings(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QStringList StringsFrom(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        list.append(item.toString());
    return list;
}

} // namespace

QByteArray Sha256Hex(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray RegistrationManifest::ToJson() const
{
    QJsonArray written;
    for (const WrittenFile &file : files)
        written.append(QJsonObject{{QStringLiteral("path"), file.path},
                                   {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)}});
    QJsonObject root{{QStringLiteral("version"), kVersion},
                     {QStringLiteral("files"), written},
                     {QStringLiteral("createdDirectories"), Strings(createdDirectories)},
                     {QStringLiteral("generatedFiles"), Strings(generatedFiles)}};
    if (defaultChange) {
        root.insert(QStringLiteral("defaultApplication"),
                    QJsonObject{{QStringLiteral("path"), defaultChange->path},
                                {QStringLiteral("before"), Optional(defaultChange->before)},
                                {QStringLiteral("afterSha256"), QString::fromLatin1(defaultChange->afterSha256)},
                                {QStringLiteral("previous"), Optional(defaultChange->previous)},
                                {QStringLiteral("value"), QString::fromLatin1(defaultChange->value.toBase64())}});
    }
    return QJsonDocument(root).toJson();
}

std::optional<RegistrationManifest> RegistrationManifest::FromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || root.value(QStringLiteral("version")).toInt() != kVersion)
        return std::nullopt;

    RegistrationManifest manifest;
    for (const QJsonValue &item : root.value(QStringLiteral("files")).toArray()) {
        const QJsonObject file = item.toObject();
        manifest.files.append({file.value(QStringLiteral("path")).toString(),
                               file.value(QStringLiteral("sha256")).toString().toLatin1()});
    }
    manifest.createdDirectories = StringsFrom(root.value(QStringLiteral("createdDirectories")));
    manifest.generatedFiles = StringsFrom(root.value(QStringLiteral("generatedFiles")));
    const QJsonValue change = root.value(QStringLiteral("defaultApplication"));
    if (change.isObject()) {
        const QJsonObject object = change.toObject();
        manifest.defaultChange = DefaultChange{
            object.value(QStringLiteral("path")).toString(),
            OptionalFrom(object.value(QStringLiteral("before"))),
            object.value(QStringLiteral("afterSha256")).toString().toLatin1(),
            OptionalFrom(object.value(QStringLiteral("previous"))),
            OptionalFrom(object.value(QStringLiteral("value"))).value_or(QByteArray())};
    }
    return manifest;
}
