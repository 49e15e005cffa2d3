#pragma once

#include <QObject>

class QToolBar;

// Gives a floating tool bar a window frame with its title as the caption,
// and a close button that hides it. Qt floats tool bars as frameless
// windows: the frame goes on once the drag that floated the bar has
// ended, since the bar must stay a bare window while it follows the mouse.
class CToolBarCaption : public QObject
{
    Q_OBJECT

public:
    explicit CToolBarCaption(QToolBar *bar);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FrameWhenFloating();

    QToolBar *m_bar;
};
