#include "app/widgetprompts.h"

#include "base/nativepath.h"
#include "dialogs/conflictdialog.h"
#include "dialogs/reflectordialog.h"
#include "resources/strings.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::StandardButtons ButtonsOf(CUserPrompts::Buttons buttons)
{
    switch (buttons) {
    case CUserPrompts::Ok: return QMessageBox::Ok;
    case CUserPrompts::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case CUserPrompts::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case CUserPrompts::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(CUserPrompts::Icon icon)
{
    switch (icon) {
    case CUserPrompts::Exclamation: return QMessageBox::Warning;
    case CUserPrompts::Question: return QMessageBox::Question;
    case CUserPrompts::Information: return QMessageBox::Information;
    case CUserPrompts::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::Warning;
}

CUserPrompts::Answer AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return CUserPrompts::IdOk;
    case QMessageBox::Yes: return CUserPrompts::IdYes;
    case QMessageBox::No: return CUserPrompts::IdNo;
    default: return CUserPrompts::IdCancel;
    }
}

// The texts put a blank before "?" and "!", which line breaking would
// otherwise strand on a line of their own.
QString KeepMarksWithTheirWords(QString text)
{
    for (const char *mark : {" ?", " !"})
        text.replace(QLatin1String(mark), QChar(QChar::Nbsp) + QLatin1Char(mark[1]));
    return text;
}

} // namespace

QWidget *CWidgetPrompts::Parent() const
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    // Over a modeless dialog the user works in, which gets the keyboard back
    // when the box closes: after "No reflector matches" the find dialog, so
    // that the next Enter searches again instead of editing the selected row.
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeWindow()))
        return dialog;
    return m_parent;
}

CUserPrompts::Answer CWidgetPrompts::MessageBox(const QString &text, Buttons buttons, Icon icon)
{
    QMessageBox box(IconOf(icon), LoadQString(Str::AppName), KeepMarksWithTheirWords(text), ButtonsOf(buttons),
                    Parent());
    box.setObjectName(QStringLiteral("messageBox"));
    // The escape key answers what closing the box answers.
    if (buttons == YesNo)
        box.setEscapeButton(QMessageBox::No);
    return AnswerOf(box.exec());
}

int CWidgetPrompts::Choose(const QString &text, const QStringList &buttons, Icon icon, int defaultButton)
{
    QMessageBox box(IconOf(icon), LoadQString(Str::AppName), text, QMessageBox::NoButton, Parent());
    box.setObjectName(QStringLiteral("messageBox"));
    QList<QPushButton *> added;
    for (const QString &button : buttons)
        added << box.addButton(button, QMessageBox::AcceptRole);
    if (defaultButton >= 0 && defaultButton < added.size()) {
        box.setDefaultButton(added[defaultButton]);
        box.setEscapeButton(added[defaultButton]);
    }
    box.exec();
    return int(added.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
}

QStringList CWidgetPrompts::ExactPaths(const QStringList &paths)
{
    QStringList exact;
    for (const QString &path : paths) {
        if (IsExactPath(path))
            exact << path;
        else
            MessageBox(LoadQString(Str::InexactName).arg(path));
    }
    return exact;
}

QString CWidgetPrompts::GetSaveFileName(const QString &caption, const QString &proposedPath, const QString &filters,
                                        const QString &defaultSuffix)
{
    QFileDialog dialog(Parent(), caption);
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedPath.isEmpty())
        dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return ExactPaths({dialog.selectedFiles().constFirst()}).value(0);
}

QStringList CWidgetPrompts::GetOpenFileNames(const QString &caption, const QString &filters, bool multiple)
{
    QFileDialog dialog(Parent(), caption);
    dialog.setObjectName(QStringLiteral("openDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setNameFilter(filters);
    if (dialog.exec() != QDialog::Accepted)
        return QStringList();
    return ExactPaths(dialog.selectedFiles());
}

bool CWidgetPrompts::RunReflectorDialog(ReflectorValues &values, bool editMode)
{
    CReflectorDialog dialog(m_countries, *this, values, editMode, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

bool CWidgetPrompts::RunConflictDialog(const CReflector &existing, const CReflector &candidate,
                                       const QString &explanation, ReflectorValues &result)
{
    CConflictDialog dialog(m_countries, *this, existing, candidate, explanation, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    result = dialog.Values();
    return true;
}
