#include "dialogs/reflectorform.h"

#include "dialogs/countrycombo.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace ReflectorForm {

namespace {

constexpr int kWideField = 260;
constexpr int kConferenceIdField = 48;

// The field labels of both groups.
const char *const kLabels[] = {
    QT_TRANSLATE_NOOP("ReflectorForm", "&Full name"),     QT_TRANSLATE_NOOP("ReflectorForm", "&Short name"),
    QT_TRANSLATE_NOOP("ReflectorForm", "&IP Address"),    QT_TRANSLATE_NOOP("ReflectorForm", "&Conference ID"),
    QT_TRANSLATE_NOOP("ReflectorForm", "C&ountry"),       QT_TRANSLATE_NOOP("ReflectorForm", "&Name"),
    QT_TRANSLATE_NOOP("ReflectorForm", "E&mail")};
enum LabelIndex { FullName, ShortName, IPAddress, ConferenceId, Country, Contact, Email };

QString Tr(const char *text)
{
    return QCoreApplication::translate("ReflectorForm", text);
}

QLabel *Label(LabelIndex index, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(Tr(kLabels[index]), parent);
    label->setBuddy(buddy);
    return label;
}

// Both groups give their labels the same width, that of the widest label
// of the first column, so that their fields line up under each other.
int LabelColumnWidth(const QWidget *group)
{
    int width = 0;
    for (LabelIndex index : {FullName, ShortName, IPAddress, ConferenceId, Contact, Email})
        width = std::max(width, group->fontMetrics().horizontalAdvance(Tr(kLabels[index]).remove(u'&')));
    return width + 8;
}

void Name(QWidget *widget, const char *name, int minimumWidth)
{
    widget->setObjectName(QString::fromLatin1(name));
    if (minimumWidth > 0)
        widget->setMinimumWidth(minimumWidth);
}

} // namespace

FlagBoxes MakeFlagBoxes(QWidget *parent)
{
    static const char *const texts[4] = {
        QT_TRANSLATE_NOOP("ReflectorForm", "&Add to Menu"), QT_TRANSLATE_NOOP("ReflectorForm", "S&end video"),
        QT_TRANSLATE_NOOP("ReflectorForm", "&Receive video"),
        QT_TRANSLATE_NOOP("ReflectorForm", "&The reflector is actually running")};
    static const char *const names[4] = {"addToMenu", "sendVideo", "receiveVideo", "running"};
    FlagBoxes boxes;
    for (int i = 0; i < 4; ++i) {
        boxes[size_t(i)] = new QCheckBox(Tr(texts[i]), parent);
        boxes[size_t(i)]->setObjectName(QString::fromLatin1(names[i]));
    }
    return boxes;
}

void SetFlags(const FlagBoxes &boxes, const int flags[4])
{
    for (int i = 0; i < 4; ++i)
        boxes[size_t(i)]->setChecked(flags[i] != 0);
}

void GetFlags(const FlagBoxes &boxes, int flags[4])
{
    for (int i = 0; i < 4; ++i)
        flags[i] = boxes[size_t(i)]->isChecked() ? 1 : 0;
}

QGroupBox *ReflectorGroup(const Fields &f, QWidget *parent)
{
    Name(f.fullName, "fullName", kWideField);
    Name(f.shortName, "shortName", kWideField);
    Name(f.ipAddress, "ipAddress", kWideField);
    Name(f.conferenceId, "conferenceId", kConferenceIdField);
    f.conferenceId->setMaximumWidth(kConferenceIdField + 16);
    Name(f.country, "country", 0);

    auto *group = new QGroupBox(Tr(QT_TRANSLATE_NOOP("ReflectorForm", "Reflector")), parent);
    auto *grid = new QGridLayout(group);
    grid->addWidget(Label(FullName, f.fullName, group), 0, 0);
    grid->addWidget(f.fullName, 0, 1, 1, 3);
    grid->addWidget(Label(ShortName, f.shortName, group), 1, 0);
    grid->addWidget(f.shortName, 1, 1, 1, 3);
    grid->addWidget(Label(IPAddress, f.ipAddress, group), 2, 0);
    grid->addWidget(f.ipAddress, 2, 1, 1, 3);
    grid->addWidget(Label(ConferenceId, f.conferenceId, group), 3, 0);
    grid->addWidget(f.conferenceId, 3, 1);
    grid->addWidget(Label(Country, f.country, group), 3, 2, Qt::AlignRight);
    grid->addWidget(f.country, 3, 3);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(0, LabelColumnWidth(group));

    auto *videoRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i)
        videoRow->addWidget(f.flags[size_t(i)], 1);
    grid->addLayout(videoRow, 4, 0, 1, 4);
    grid->addWidget(f.flags[3], 5, 0, 1, 4);
    return group;
}

QGroupBox *ContactGroup(const Fields &f, QWidget *parent)
{
    Name(f.contact, "contact", kWideField);
    Name(f.email, "email", kWideField);

    auto *group = new QGroupBox(Tr(QT_TRANSLATE_NOOP("ReflectorForm", "Contact person")), parent);
    auto *grid = new QGridLayout(group);
    grid->addWidget(Label(Contact, f.contact, group), 0, 0);
    grid->addWidget(f.contact, 0, 1);
    grid->addWidget(Label(Email, f.email, group), 1, 0);
    grid->addWidget(f.email, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(0, LabelColumnWidth(group));
    return group;
}

QPushButton *Button(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QHBoxLayout *ButtonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    for (QPushButton *button : buttons)
        row->addWidget(button);
    row->addStretch(1);
    return row;
}

void SetTabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace ReflectorForm
