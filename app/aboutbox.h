#pragma once

#include <QDialog>

struct CVersionInfo;

// The About box: the program icon and six centred lines, each taken from
// the version record; a line whose entry is missing keeps its template
// text ("<comment>" ...), so a gap in the record shows rather than hides.
class CAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutBox(const CVersionInfo &info, QWidget *parent = nullptr);

    // The About command: the box for this build, shown modally.
    static void Run(QWidget *parent);

private:
    void BuildControls();
    void FillLines(const CVersionInfo &info);
};
