#pragma once

#include <QMimeData>
#include <QPointer>

#include <optional>

class CDocView;

// What Copy puts on the clipboard and a drag of rows carries: the plain
// text of the rows selected in the list at the moment a program asks for
// it, and for a drag the .cu files written when it began.
//
// The text is rendered on each request, so a paste after the selection
// changed pastes the rows selected then. The clipboard may ask after the
// list has gone (a clipboard manager takes every format as the program
// ends): Freeze() keeps the text of that last moment, and without it a
// request after the list is gone gets an empty text.
class CReflectorDataSource : public QMimeData
{
    Q_OBJECT

public:
    // `view` gives the rows; `viewObject` is the same list as an object, so
    // that its end is noticed.
    CReflectorDataSource(const CDocView *view, QObject *viewObject, QObject *parent = nullptr);

    // Renders the text now and keeps it for every later request.
    void Freeze();

    QStringList formats() const override;
    bool hasFormat(const QString &mimeType) const override;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    QByteArray RenderText() const;

    const CDocView *m_pView;
    QPointer<QObject> m_viewObject;
    std::optional<QByteArray> m_frozenText;
};
