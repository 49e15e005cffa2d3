#pragma once

#include <QClipboard>
#include <QObject>

class QContextMenuEvent;
class QLineEdit;

// Pastes into a one-line edit as the platform's limited edit fields do:
// the clipboard text up to its first line break, then as many characters
// as the field's limit leaves room for. Qt's own paste takes the whole
// text, line breaks included, and a limit that refuses the result pastes
// nothing at all: an address copied with its line ending is one character
// too long.
//
// Covers the paste keys, the context menu's Paste and the middle button's
// paste of the selection. A text dropped on the field is left to the
// field's validator.
class COneLinePaste : public QObject
{
    Q_OBJECT

public:
    static constexpr int kNoLimit = -1;

    // `maxLength` is the limit of typing (see CTypingLimit): a longer text
    // already in the field may stay, but a paste never lengthens it.
    explicit COneLinePaste(QLineEdit *edit, int maxLength = kNoLimit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Paste(QClipboard::Mode mode);
    qsizetype Room() const;
    void ShowContextMenu(const QContextMenuEvent &event);

    QLineEdit *m_edit;
    int m_maxLength;
};
