#pragma once

#include <QCheckBox>

#include <array>
#include <initializer_list>

class CCountryCombo;
class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QWidget;

// The layout both reflector dialogs share: the group "Reflector" (names,
// address, conference ID, country, the four flags) and the group "Contact
// person". The dialogs bring their own kind of text field (plain edits or
// fields with proposals); the form labels them and names them for tests.
namespace ReflectorForm {

// The most characters an IP address and a conference ID may hold.
constexpr int kMaxAddressLength = 15;
constexpr int kMaxConferenceIdLength = 3;

// Add to menu, send video, receive video, running: field order.
using FlagBoxes = std::array<QCheckBox *, 4>;

struct Fields {
    QWidget *fullName;
    QWidget *shortName;
    QWidget *ipAddress;
    QWidget *conferenceId;
    CCountryCombo *country;
    FlagBoxes flags;
    QWidget *contact;
    QWidget *email;
};

FlagBoxes MakeFlagBoxes(QWidget *parent);
void SetFlags(const FlagBoxes &boxes, const int flags[4]);
void GetFlags(const FlagBoxes &boxes, int flags[4]);

QGroupBox *ReflectorGroup(const Fields &fields, QWidget *parent);
QGroupBox *ContactGroup(const Fields &fields, QWidget *parent);

// A push button named for tests; the OK button is the dialog's default.
QPushButton *Button(const QString &text, const char *name, QWidget *parent);
// The buttons in a row, from the left.
QHBoxLayout *ButtonRow(std::initializer_list<QPushButton *> buttons);

// The Tab key visits the widgets in this order.
void SetTabOrder(std::initializer_list<QWidget *> widgets);

} // namespace ReflectorForm
