#include "dialogs/onelinepaste.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>
#include <limits>

namespace {

QStringView FirstLine(QStringView text)
{
    const auto lineBreak = std::find_if(text.begin(), text.end(), [](QChar c) {
        return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    });
    return text.first(lineBreak - text.begin());
}

// Ctrl+Shift+Insert pastes the selection where the desktop has one, as
// QLineEdit does on X11.
QClipboard::Mode PasteKeyMode(const QKeyEvent &key)
{
    const bool selectionKey =
        key.key() == Qt::Key_Insert && key.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    return selectionKey && QGuiApplication::clipboard()->supportsSelection() ? QClipboard::Selection
                                                                             : QClipboard::Clipboard;
}

// The Paste entry of a line edit's standard context menu: later Qt versions
// name it, earlier ones are known by its text.
QAction *PasteEntry(const QMenu &menu)
{
    const QString text = QLineEdit::tr("&Paste");
    for (QAction *action : menu.actions())
        if (action->objectName() == QLatin1String("edit-paste") || action->text().section(u'\t', 0, 0) == text)
            return action;
    return nullptr;
}

} // namespace

COneLinePaste::COneLinePaste(QLineEdit *edit, int maxLength) : QObject(edit), m_edit(edit), m_maxLength(maxLength)
{
    edit->installEventFilter(this);
}

qsizetype COneLinePaste::Room() const
{
    if (m_maxLength == kNoLimit)
        return std::numeric_limits<qsizetype>::max();
    const qsizetype length = m_edit->text().size();
    const qsizetype kept = length - m_edit->selectedText().size();
    return std::max<qsizetype>(std::max<qsizetype>(m_maxLength, length) - kept, 0);
}

void COneLinePaste::Paste(QClipboard::Mode mode)
{
    if (m_edit->isReadOnly())
        return;
    const QString clip = QGuiApplication::clipboard()->text(mode);
    // As Qt's paste: an empty clipboard still replaces the selection.
    if (!clip.isEmpty() || m_edit->hasSelectedText())
        m_edit->insert(FirstLine(clip).left(Room()).toString());
}

void COneLinePaste::ShowContextMenu(const QContextMenuEvent &event)
{
    QMenu *menu = m_edit->createStandardContextMenu();
    if (QAction *paste = PasteEntry(*menu)) {
        disconnect(paste, nullptr, m_edit, nullptr);
        connect(paste, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event.globalPos());
}

bool COneLinePaste::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->matches(QKeySequence::Paste))
            return false;
        Paste(PasteKeyMode(*key));
        return true;
    }
    case QEvent::ContextMenu:
        if (m_edit->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        ShowContextMenu(*static_cast<QContextMenuEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton || m_edit->isReadOnly()
            || !QGuiApplication::clipboard()->supportsSelection())
            return false;
        m_edit->deselect();
        Paste(QClipboard::Selection);
        return true;
    default:
        return false;
    }
}
