#include "app/mainstatusbar.h"

#include "app/lockkeystate.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {
const char *const kPaneTexts[] = {QT_TRANSLATE_NOOP("CMainStatusBar", "CAP"),
                                  QT_TRANSLATE_NOOP("CMainStatusBar", "NUM"),
                                  QT_TRANSLATE_NOOP("CMainStatusBar", "SCRL")};
const char *const kPaneNames[] = {"capsLockPane", "numLockPane", "scrollLockPane"};
// What a screen reader says for each pane: its texts are abbreviations.
const char *const kPaneAccessibleNames[] = {QT_TRANSLATE_NOOP("CMainStatusBar", "Caps Lock"),
                                            QT_TRANSLATE_NOOP("CMainStatusBar", "Num Lock"),
                                            QT_TRANSLATE_NOOP("CMainStatusBar", "Scroll Lock")};
} // namespace

CMainStatusBar::CMainStatusBar(QWidget *parent)
    : QStatusBar(parent), m_toggleView(new QAction(this)), m_ready(new QLabel(this)), m_poll(new QTimer(this))
{
    setObjectName(QStringLiteral("statusBar"));
    setAccessibleName(tr("Status bar"));
    m_toggleView->setCheckable(true);
    m_toggleView->setChecked(!isHidden());
    connect(m_toggleView, &QAction::triggered, this, &QStatusBar::setVisible);

    m_ready->setObjectName(QStringLiteral("readyPane"));
    m_ready->setAccessibleName(tr("Message"));
    m_ready->setText(tr("Ready"));
    m_ready->setIndent(2);
    addWidget(m_ready, 1);

    // Each pane is as wide as its widest text, so that it does not jump
    // when the key changes.
    int width = 0;
    for (const char *text : kPaneTexts)
        width = std::max(width, fontMetrics().horizontalAdvance(tr(text)));
    for (int pane = 0; pane < PaneCount; ++pane) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(kPaneNames[pane]));
        label->setAccessibleName(tr(kPaneAccessibleNames[pane]));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(width + 12);
        addPermanentWidget(label);
        m_panes[pane] = label;
    }

    // The lock keys can change while another program has the keyboard:
    // look again now and then, and at once when one is pressed here.
    connect(m_poll, &QTimer::timeout, this, &CMainStatusBar::UpdateIndicators);
    m_poll->start(500);
    qApp->installEventFilter(this);
    UpdateIndicators();
}

void CMainStatusBar::UpdateIndicators()
{
    const std::optional<LockKeyState> state = LockKeyState::Query();
    m_known = state.has_value();
    if (!m_known) {
        // Unknown: the panes show their names, dimmed.
        m_poll->stop();
        for (int pane = 0; pane < PaneCount; ++pane) {
            m_panes[pane]->setText(tr(kPaneTexts[pane]));
            m_panes[pane]->setEnabled(false);
        }
        return;
    }
    const bool on[PaneCount] = {state->capsLock, state->numLock, state->scrollLock};
    for (int pane = 0; pane < PaneCount; ++pane) {
        m_panes[pane]->setEnabled(true);
        m_panes[pane]->setText(on[pane] ? tr(kPaneTexts[pane]) : QString());
    }
}

bool CMainStatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (m_known && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            QTimer::singleShot(0, this, &CMainStatusBar::UpdateIndicators);
    }
    return QStatusBar::eventFilter(watched, event);
}

void CMainStatusBar::showEvent(QShowEvent *event)
{
    m_toggleView->setChecked(true);
    QStatusBar::showEvent(event);
}

void CMainStatusBar::hideEvent(QHideEvent *event)
{
    // Hidden itself, not only with its window.
    if (isHidden())
        m_toggleView->setChecked(false);
    QStatusBar::hideEvent(event);
}
