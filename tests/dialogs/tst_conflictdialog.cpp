#include "controls.h"
#include "data/countrytable.h"
#include "dialogs/conflictdialog.h"
#include "dialogs/okstep.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const char *const kExplanation =
    "You can also choose to leave the original entry unchanged by pressing the Cancel button.";

std::unique_ptr<CReflector> Existing()
{
    return RawRecord("France", "FR", "Reflector One", "R1", "192.0.2.1", "Ann", "ann@example.org", "12", 1, 0, 1, 0);
}

// The five lists of proposals and the field each one offers.
const std::pair<const char *, int> kLists[] = {{"fullName", CReflector::ColFullName},
                                               {"shortName", CReflector::ColShortName},
                                               {"conferenceId", CReflector::ColConferenceID},
                                               {"contact", CReflector::ColContact},
                                               {"email", CReflector::ColEmail}};

QStringList Items(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace

class ConflictDialogTest : public QObject
{
    Q_OBJECT

    CCountryTable m_countries;
    FakePrompts m_prompts;
    std::unique_ptr<CReflector> m_existing;
    std::unique_ptr<CReflector> m_candidate;
    std::unique_ptr<CConflictDialog> m_dialog;

    void Open()
    {
        m_dialog = std::make_unique<CConflictDialog>(m_countries, m_prompts, *m_existing, *m_candidate,
                                                     QString::fromUtf8(kExplanation));
        m_dialog->show();
    }
    template <class T> T *Find(const char *name) const { return Control<T>(m_dialog.get(), name); }
    QComboBox *List(const char *name) const { return Find<QComboBox>(name); }
    QLineEdit *Address() const { return Find<QLineEdit>("ipAddress"); }
    QPushButton *Ok() const { return Find<QPushButton>("okButton"); }
    void Click(const char *button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    bool Accepted() const { return !m_dialog->isVisible() && m_dialog->result() == QDialog::Accepted; }

private slots:
    void initTestCase() { QVERIFY(m_countries.Load()); }
    void init()
    {
        m_prompts = FakePrompts();
        m_existing = Existing();
        m_candidate = Existing();
    }
    void cleanup() { m_dialog.reset(); }

    void opensWithTheExistingEntry()
    {
        m_candidate = RawRecord("Germany", "DE", "Other", "O", "192.0.2.1", "Bob", "bob@example.org", "7", 0, 1, 0, 1);
        Open();
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Resolve Conflicting Reflector"));
        QCOMPARE(Find<QLabel>("explanation")->text(), QString::fromUtf8(kExplanation));
        QCOMPARE(Ok()->text(), QStringLiteral("Add/Update"));
        QVERIFY(Ok()->isEnabled());
        QCOMPARE(m_dialog->focusWidget(), List("country"));
        QCOMPARE(List("fullName")->currentText(), QStringLiteral("Reflector One"));
        QCOMPARE(Address()->text(), QStringLiteral("192.0.2.1"));
        QCOMPARE(List("country")->currentText(), QStringLiteral("France"));
        Click("okButton");
        QVERIFY(Accepted());
        QCOMPARE(Fields(m_dialog->Values()), Fields(*m_existing));
    }

    void proposals_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QByteArray>("candidate");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("e-mails sorted") << QByteArray("email") << int(CReflector::ColEmail)
                                        << QByteArray("zed@example.org") << QByteArray("amy@example.org")
                                        << QStringList{"amy@example.org", "zed@example.org"};
        QTest::newRow("contacts sorted ignoring case")
            << QByteArray("contact") << int(CReflector::ColContact) << QByteArray("bob") << QByteArray("Anna")
            << QStringList{"Anna", "bob"};
        QTest::newRow("conference IDs sorted as text")
            << QByteArray("conferenceId") << int(CReflector::ColConferenceID) << QByteArray("5") << QByteArray("12")
            << QStringList{"12", "5"};
        QTest::newRow("full names in insertion order")
            << QByteArray("fullName") << int(CReflector::ColFullName) << QByteArray("Zulu") << QByteArray("Alpha")
            << QStringList{"Zulu", "Alpha"};
        QTest::newRow("short names in insertion order")
            << QByteArray("shortName") << int(CReflector::ColShortName) << QByteArray("Z") << QByteArray("A")
            << QStringList{"Z", "A"};
        QTest::newRow("case only: the existing form") << QByteArray("fullName") << int(CReflector::ColFullName)
                                                      << QByteArray("Big Reflector") << QByteArray("BIG reflector")
                                                      << QStringList{"Big Reflector"};
        QTest::newRow("equal: one proposal") << QByteArray("email") << int(CReflector::ColEmail)
                                             << QByteArray("a@b") << QByteArray("a@b") << QStringList{"a@b"};
        QTest::newRow("empty and not") << QByteArray("contact") << int(CReflector::ColContact) << QByteArray()
                                       << QByteArray("Ann") << QStringList{"", "Ann"};
    }
    void proposals()
    {
        QFETCH(QByteArray, list);
        QFETCH(int, field);
        QFETCH(QByteArray, existing);
        QFETCH(QByteArray, candidate);
        QFETCH(QStringList, items);
        m_existing->Text(field) = existing;
        m_candidate->Text(field) = candidate;
        Open();
        QCOMPARE(Items(List(list.constData())), items);
        QCOMPARE(List(list.constData())->currentText(), QString::fromUtf8(existing));
        // Every other list holds the one value both entries share.
        for (const auto &[other, otherField] : kLists)
            if (otherField != field)
                QCOMPARE(List(other)->count(), 1);
    }

    void defaultBringsBackTheExistingEntry()
    {
        m_candidate = RawRecord("Germany", "DE", "Other", "O", "192.0.2.1", "Bob", "bob@example.org", "7", 0, 1, 0, 1);
        Open();
        for (const auto &[name, field] : kLists) {
            QComboBox *list = List(name);
            list->setCurrentIndex(list->findText(m_candidate->Text(field).toQString()));
            QCOMPARE(list->currentText(), m_candidate->Text(field).toQString());
        }
        List("fullName")->setEditText(QStringLiteral("typed over"));
        Address()->setText(QStringLiteral("10.9.8.7"));
        for (const char *box : {"addToMenu", "sendVideo", "receiveVideo", "running"})
            Find<QCheckBox>(box)->toggle();
        List("country")->setCurrentIndex(List("country")->findText(QStringLiteral("Germany")));
        QVERIFY(Fields(m_dialog->Values()) != Fields(*m_existing));

        Click("defaultButton");
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(Fields(m_dialog->Values()), Fields(*m_existing));
    }

    void storedCountryComesBack_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("nameOnOk");
        QTest::addColumn<QByteArray>("codeOnOk");
        QTest::newRow("not in the table") << QByteArray("Atlantis") << QByteArray("AT") << "Atlantis"
                                          << QByteArray("Atlantis") << QByteArray("AT");
        QTest::newRow("in the table, with the table's code")
            << QByteArray("Germany") << QByteArray("XX") << "Germany" << QByteArray("Germany") << QByteArray("DE");
        QTest::newRow("another code page, byte for byte")
            << QByteArray("\xC4gypten") << QByteArray("EG") << CText("\xC4gypten").toQString()
            << QByteArray("\xC4gypten") << QByteArray("EG");
    }
    void storedCountryComesBack()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, code);
        QFETCH(QString, shown);
        QFETCH(QByteArray, nameOnOk);
        QFETCH(QByteArray, codeOnOk);
        m_existing->m_strCountry = name;
        m_existing->m_strLetters = code;
        Open();
        QCOMPARE(List("country")->currentText(), shown);
        // Another country, then Default: the stored one is back.
        List("country")->setCurrentIndex(List("country")->findText(QStringLiteral("United Kingdom")));
        Click("defaultButton");
        QCOMPARE(List("country")->currentText(), shown);
        Click("okButton");
        QVERIFY(Accepted());
        QCOMPARE(m_dialog->Values().text[CReflector::ColCountry].toByteArray(), nameOnOk);
        QCOMPARE(m_dialog->Values().text[CReflector::ColLetters].toByteArray(), codeOnOk);
    }

    void countryFoundByItsBeginning()
    {
        m_existing->m_strCountry = "united";
        m_existing->m_strLetters = "XX";
        Open();
        Click("okButton");
        QCOMPARE(m_dialog->Values().text[CReflector::ColCountry].toByteArray(), QByteArray("United Arab Emirates"));
        QCOMPARE(m_dialog->Values().text[CReflector::ColLetters].toByteArray(), QByteArray("AE"));
    }

    void newAddressCloses()
    {
        Open();
        Address()->setText(QStringLiteral("192.0.2.99"));
        Click("okButton");
        QVERIFY(Accepted());
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(m_dialog->Values().text[CReflector::ColIPAddress].toByteArray(), QByteArray("192.0.2.99"));
    }

    void okStepRefuses_data()
    {
        QTest::addColumn<QString>("conferenceId");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("conference ID before address")
            << "1234" << "192.168.100.2001" << OkStep::LengthWarning(3) << "conferenceId";
        QTest::newRow("16-character address") << "12" << "192.168.100.2001" << OkStep::LengthWarning(15)
                                              << "ipAddress";
        QTest::newRow("invalid address") << "12" << "1.2.3" << "Invalid IP address !\nPlease correct."
                                         << "country";
        QTest::newRow("exactly the limits") << "123" << "192.168.100.200" << QString() << QString();
    }
    void okStepRefuses()
    {
        QFETCH(QString, conferenceId);
        QFETCH(QString, address);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Open();
        List("conferenceId")->setEditText(conferenceId);
        Address()->setText(address);
        m_dialog->accept(); // what OK runs; a click would move the focus to the button
        QCOMPARE(m_prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(m_dialog->isVisible(), !message.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(m_dialog->focusWidget()->objectName(), focus);
        QCOMPARE(List("conferenceId")->currentText(), conferenceId);
        QCOMPARE(Address()->text(), address);
    }

    void okRule()
    {
        m_candidate->m_strShortName = "R2";
        Open();
        QComboBox *shortName = List("shortName");
        shortName->setEditText(QString());
        QVERIFY(!Ok()->isEnabled());
        shortName->setCurrentIndex(1);
        QVERIFY(Ok()->isEnabled());
        QCOMPARE(m_dialog->Values().text[CReflector::ColShortName].toByteArray(), QByteArray("R2"));
        Address()->clear();
        QVERIFY(!Ok()->isEnabled());
        QTest::keyClicks(Address(), QStringLiteral("1"));
        QVERIFY(Ok()->isEnabled());
        QTest::keyClicks(shortName->lineEdit(), QStringLiteral("x"));
        QCOMPARE(shortName->currentText(), QStringLiteral("R2x"));
        QVERIFY(Ok()->isEnabled());
    }

    void tabOrderStartsAtTheCountry()
    {
        Open();
        const QStringList expected{"country", "addToMenu", "sendVideo", "receiveVideo", "running",
                                   "okButton", "cancelButton", "fullName", "shortName", "contact",
                                   "email", "conferenceId", "ipAddress", "defaultButton"};
        QCOMPARE(TabOrder(List("country"), expected), expected);
    }

    void untouchedProposalsKeepTheirBytes()
    {
        m_existing->m_strFullName = "R\xE9" "flecteur";
        m_existing->m_strContact = "Jos\xE9";
        m_candidate->m_strContact = "Jos\xC3\xA9";
        Open();
        // Windows-1252 and UTF-8 of the same name read alike: one proposal,
        // with the existing record's bytes.
        QCOMPARE(List("contact")->count(), 1);
        QCOMPARE(List("contact")->currentText(), QStringLiteral("José"));
        Click("okButton");
        QCOMPARE(m_dialog->Values().text[CReflector::ColFullName].toByteArray(), QByteArray("R\xE9" "flecteur"));
        QCOMPARE(m_dialog->Values().text[CReflector::ColContact].toByteArray(), QByteArray("Jos\xE9"));
    }
};

LODEX_TEST(ConflictDialogTest)
#include "tst_conflictdialog.moc"
