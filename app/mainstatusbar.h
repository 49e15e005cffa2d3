#pragma once

#include <QStatusBar>

class QAction;
class QLabel;
class QTimer;

// The status bar: "Ready" while idle (command prompts show over it), then
// the CAP, NUM and SCRL panes, lit while their lock key is on. Where the
// platform does not tell the lock-key state the panes stay dimmed.
class CMainStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit CMainStatusBar(QWidget *parent = nullptr);

    // Reads the lock keys again.
    void UpdateIndicators();

    enum Pane { CapsLock, NumLock, ScrollLock, PaneCount };

    // A checkable action that shows or hides the bar and is checked while
    // the bar is not hidden, as a tool bar's toggleViewAction() is.
    QAction *ToggleViewAction() const { return m_toggleView; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QAction *m_toggleView;
    QLabel *m_ready;
    QLabel *m_panes[PaneCount];
    QTimer *m_poll;
    bool m_known = false;
};
