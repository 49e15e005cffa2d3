#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The modeless Find dialog of the list: a search text, "Match whole word
// only", Find Next and Cancel. It only reports; the list searches. It
// deletes itself when closed.
class CFindDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kMaxTextLength = 127;

    explicit CFindDialog(QWidget *parent = nullptr);

    QString FindText() const;
    bool MatchWholeWord() const;

signals:
    void findNext(const QString &text, bool wholeWord);

private:
    QLineEdit *m_pText;
    QCheckBox *m_pWholeWord;
    QPushButton *m_pFindNext;
};
