#include "controls.h"
#include "data/countrytable.h"
#include "dialogs/okstep.h"
#include "dialogs/reflectordialog.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

const QString kInvalidAddress = QStringLiteral("Invalid IP address !\nPlease correct.");

ReflectorValues AddPreset()
{
    ReflectorValues v;
    v.text[CReflector::ColLetters] = "??";
    v.text[CReflector::ColConferenceID] = "0";
    for (int &flag : v.flag)
        flag = 1;
    return v;
}

ReflectorValues EditPreset(const char *country = "France", const char *letters = "FR")
{
    return ReflectorValues::FromRecord(
        *RawRecord(country, letters, "Reflector One", "R1", "192.0.2.1", "Ann", "ann@example.org", "12", 1, 0, 1, 0));
}

} // namespace

class ReflectorDialogTest : public QObject
{
    Q_OBJECT

    CCountryTable m_countries;
    FakePrompts m_prompts;
    std::unique_ptr<CReflectorDialog> m_dialog;

    void Open(const ReflectorValues &preset, bool editMode)
    {
        m_dialog = std::make_unique<CReflectorDialog>(m_countries, m_prompts, preset, editMode);
        m_dialog->show();
    }
    template <class T> T *Find(const char *name) const { return Control<T>(m_dialog.get(), name); }
    QLineEdit *Edit(const char *name) const { return Find<QLineEdit>(name); }
    QComboBox *Country() const { return Find<QComboBox>("country"); }
    QPushButton *Ok() const { return Find<QPushButton>("okButton"); }
    void Retype(const char *name, const QString &text)
    {
        Edit(name)->clear();
        QTest::keyClicks(Edit(name), text);
    }
    void PressOk() { QTest::mouseClick(Ok(), Qt::LeftButton); }
    bool Accepted() const { return !m_dialog->isVisible() && m_dialog->result() == QDialog::Accepted; }

private slots:
    void initTestCase() { QVERIFY(m_countries.Load()); }
    void init() { m_prompts = FakePrompts(); }
    void cleanup() { m_dialog.reset(); }

    void addOpensWithDefaults()
    {
        Open(AddPreset(), false);
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Add a reflector"));
        QCOMPARE(Ok()->text(), QStringLiteral("Add"));
        QVERIFY(!Ok()->isEnabled());
        QCOMPARE(Edit("conferenceId")->text(), QStringLiteral("0"));
        for (const char *flag : {"addToMenu", "sendVideo", "receiveVideo", "running"})
            QVERIFY2(Find<QCheckBox>(flag)->isChecked(), flag);
        QCOMPARE(Country()->count(), 240);
        QCOMPARE(Country()->currentText(), QStringLiteral("Don't know"));
        QCOMPARE(m_dialog->Values().text[CReflector::ColLetters].toByteArray(), QByteArray("??"));
        QCOMPARE(m_dialog->focusWidget(), Edit("fullName"));
    }

    // The list drops down sixteen entries tall, not as tall as the screen.
    void countryListDropsDown()
    {
        Open(ReflectorValues(), false);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        Country()->showPopup();
        const QAbstractItemView *list = Country()->view();
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(list->viewport()->height() / list->sizeHintForRow(0), Country()->maxVisibleItems());
        Country()->hidePopup();
    }

    void editOpensWithTheRecord()
    {
        Open(EditPreset(), true);
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Edit a reflector"));
        QCOMPARE(Ok()->text(), QStringLiteral("Update"));
        QVERIFY(Ok()->isEnabled());
        QCOMPARE(Edit("contact")->text(), QStringLiteral("Ann"));
        QVERIFY(!Find<QCheckBox>("sendVideo")->isChecked());
        PressOk();
        QVERIFY(Accepted());
        QCOMPARE(Fields(m_dialog->Values()), Fields(EditPreset()));
    }

    void tabOrderFollowsTheForm()
    {
        Open(EditPreset(), true);
        const QStringList expected{"fullName", "shortName", "ipAddress", "conferenceId", "country", "addToMenu",
                                   "sendVideo", "receiveVideo", "running", "contact", "email", "okButton",
                                   "cancelButton"};
        QCOMPARE(TabOrder(Edit("fullName"), expected), expected);
    }

    void countryIsChosenByName_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("storedCode");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("nameOnOk");
        QTest::addColumn<QByteArray>("codeOnOk");
        QTest::newRow("exact") << QByteArray("Germany") << QByteArray("XX") << "Germany" << QByteArray("Germany")
                               << QByteArray("DE");
        QTest::newRow("other case") << QByteArray("gERMANY") << QByteArray("XX") << "Germany"
                                    << QByteArray("Germany") << QByteArray("DE");
        QTest::newRow("beginning, first in list order")
            << QByteArray("fra") << QByteArray("XX") << "France" << QByteArray("France") << QByteArray("FR");
        QTest::newRow("beginning of a later entry")
            << QByteArray("France, M") << QByteArray("FR") << "France, Metropolitan"
            << QByteArray("France, Metropolitan") << QByteArray("FX");
        QTest::newRow("not in the table: kept with its code")
            << QByteArray("Atlantis") << QByteArray("AT") << "Atlantis" << QByteArray("Atlantis") << QByteArray("AT");
        QTest::newRow("longer than the entry") << QByteArray("Germanyx") << QByteArray("DE") << "Germanyx"
                                               << QByteArray("Germanyx") << QByteArray("DE");
        QTest::newRow("another code page: kept byte for byte")
            << QByteArray("\xC4gypten") << QByteArray("EG") << CText("\xC4gypten").toQString()
            << QByteArray("\xC4gypten") << QByteArray("EG");
        QTest::newRow("empty picks the first")
            << QByteArray() << QByteArray("XX") << "Don't know" << QByteArray("Don't know") << QByteArray("??");
    }
    void countryIsChosenByName()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, storedCode);
        QFETCH(QString, shown);
        QFETCH(QByteArray, nameOnOk);
        QFETCH(QByteArray, codeOnOk);
        Open(EditPreset(name.constData(), storedCode.constData()), true);
        QCOMPARE(Country()->currentText(), shown);
        PressOk();
        QVERIFY(Accepted());
        QCOMPARE(m_dialog->Values().text[CReflector::ColCountry].toByteArray(), nameOnOk);
        QCOMPARE(m_dialog->Values().text[CReflector::ColLetters].toByteArray(), codeOnOk);
    }

    void choosingACountryTakesItsCode()
    {
        Open(EditPreset("Atlantis", "AT"), true);
        Country()->setCurrentIndex(Country()->findText(QStringLiteral("United Kingdom")));
        const ReflectorValues v = m_dialog->Values();
        QCOMPARE(v.text[CReflector::ColCountry].toByteArray(), QByteArray("United Kingdom"));
        QCOMPARE(v.text[CReflector::ColLetters].toByteArray(), QByteArray("UK"));
    }

    void emptyCountryTableKeepsTheCode()
    {
        CCountryTable empty;
        QVERIFY(empty.Load(QByteArrayView("")));
        m_dialog = std::make_unique<CReflectorDialog>(empty, m_prompts, AddPreset(), false);
        QCOMPARE(Country()->count(), 0);
        const ReflectorValues v = m_dialog->Values();
        QCOMPARE(v.text[CReflector::ColCountry].toByteArray(), QByteArray());
        QCOMPARE(v.text[CReflector::ColLetters].toByteArray(), QByteArray("??"));
    }

    void okRule_data()
    {
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("both") << "R" << "1" << true;
        QTest::newRow("a space counts") << " " << " " << true;
        QTest::newRow("short name alone") << "R" << "" << false;
        QTest::newRow("address alone") << "" << "1.2.3.4" << false;
        QTest::newRow("neither") << "" << "" << false;
    }
    void okRule()
    {
        QFETCH(QString, shortName);
        QFETCH(QString, address);
        QFETCH(bool, enabled);
        Open(AddPreset(), false);
        QTest::keyClicks(Edit("shortName"), shortName);
        QTest::keyClicks(Edit("ipAddress"), address);
        QCOMPARE(Ok()->isEnabled(), enabled);
        // And back: deleting either text disables it again.
        Edit("ipAddress")->selectAll();
        QTest::keyClick(Edit("ipAddress"), Qt::Key_Delete);
        QVERIFY(!Ok()->isEnabled());
    }

    void okRuleStopsEnterAndDirectCalls()
    {
        Open(AddPreset(), false);
        QTest::keyClick(Edit("fullName"), Qt::Key_Return);
        m_dialog->accept();
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void typingIsLimited_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("accepted"); // by OK: exactly the limit is a value
        QTest::newRow("address, 15 characters")
            << QByteArray("ipAddress") << "192.168.100.200.7" << "192.168.100.200" << true;
        QTest::newRow("conference ID, 3 digits") << QByteArray("conferenceId") << "1234" << "123" << true;
        QTest::newRow("conference ID, digits only") << QByteArray("conferenceId") << "a1-b2 " << "12" << true;
        QTest::newRow("address takes any character") << QByteArray("ipAddress") << "w.x y" << "w.x y" << false;
    }
    void typingIsLimited()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(bool, accepted);
        Open(AddPreset(), false);
        Retype(field.constData(), typed);
        QCOMPARE(Edit(field.constData())->text(), kept);
        QTest::keyClicks(Edit("shortName"), QStringLiteral("R"));
        if (field != "ipAddress")
            Retype("ipAddress", QStringLiteral("192.0.2.99"));
        PressOk();
        QCOMPARE(Accepted(), accepted);
        const int column = field == "ipAddress" ? CReflector::ColIPAddress : CReflector::ColConferenceID;
        QCOMPARE(m_dialog->Values().text[column].toByteArray(), kept.toUtf8());
    }

    void insertBeyondTheLimitIsRefused()
    {
        // A drop, for one, inserts without being cut to fit.
        Open(AddPreset(), false);
        Retype("ipAddress", QStringLiteral("10.0.0.1"));
        Edit("ipAddress")->insert(QStringLiteral("0000000000"));
        QCOMPARE(Edit("ipAddress")->text(), QStringLiteral("10.0.0.1"));
    }

    void pasteTakesTheFirstLineAsFarAsItFits_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QKeySequence>("keys"); // none: the context menu's Paste
        QTest::addColumn<QString>("result");
        const QKeySequence ctrlV(Qt::CTRL | Qt::Key_V);
        QTest::newRow("address with its line ending")
            << QByteArray("ipAddress") << QByteArray() << false << "192.168.100.200\r\n" << ctrlV << "192.168.100.200";
        QTest::newRow("as much as fits") << QByteArray("ipAddress") << QByteArray("10.0.0.1") << false << "0000000000"
                                         << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << "10.0.0.10000000";
        QTest::newRow("over the selection, from the menu") << QByteArray("ipAddress") << QByteArray("1.2.3.4") << true
                                                           << "192.168.100.200\n" << QKeySequence() << "192.168.100.200";
        QTest::newRow("conference ID") << QByteArray("conferenceId") << QByteArray("0") << true << "1234\n" << ctrlV
                                       << "123";
        QTest::newRow("long stored address takes nothing more")
            << QByteArray("ipAddress") << QByteArray("192.168.100.2001") << false << "9" << ctrlV << "192.168.100.2001";
        QTest::newRow("a name takes the first line")
            << QByteArray("fullName") << QByteArray() << false << "Big\nReflector" << QKeySequence() << "Big";
    }
    void pasteTakesTheFirstLineAsFarAsItFits()
    {
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, stored);
        QFETCH(bool, selectAll);
        QFETCH(QString, clipboard);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, result);
        ReflectorValues preset = AddPreset();
        preset.text[field == "ipAddress" ? CReflector::ColIPAddress
                    : field == "conferenceId" ? CReflector::ColConferenceID
                                              : CReflector::ColFullName] = stored;
        Open(preset, false);
        QLineEdit *edit = Edit(field.constData());
        if (selectAll)
            edit->selectAll();
        QGuiApplication::clipboard()->setText(clipboard);
        if (!keys.isEmpty()) {
            QTest::keySequence(edit, keys);
        } else {
            QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(1, 1), edit->mapToGlobal(QPoint(1, 1)));
            QCoreApplication::sendEvent(edit, &request);
            QMenu *menu = edit->findChild<QMenu *>();
            QVERIFY(menu && menu->isVisible());
            for (QAction *action : menu->actions())
                if (action->text().startsWith(QLatin1String("&Paste")))
                    action->trigger();
            menu->close();
        }
        QCOMPARE(edit->text(), result);
    }

    void longStoredTextsAreShownWholeAndReported_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("conferenceId");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("warning");
        QTest::newRow("address first") << QByteArray("192.168.100.2001") << QByteArray("1234") << "ipAddress"
                                       << OkStep::LengthWarning(15);
        QTest::newRow("then the conference ID") << QByteArray("1.2.3.4") << QByteArray("1234") << "conferenceId"
                                                << OkStep::LengthWarning(3);
    }
    void longStoredTextsAreShownWholeAndReported()
    {
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, conferenceId);
        QFETCH(QString, focus);
        QFETCH(QString, warning);
        ReflectorValues preset = EditPreset();
        preset.text[CReflector::ColIPAddress] = address;
        preset.text[CReflector::ColConferenceID] = conferenceId;
        Open(preset, true);
        QLineEdit *field = Edit(focus.toLatin1().constData());
        const QByteArray stored = focus == QLatin1String("ipAddress") ? address : conferenceId;
        QCOMPARE(field->text().toUtf8(), stored);
        // Nothing more can be typed into the long text, but it can be shortened.
        field->end(false);
        QTest::keyClicks(field, QStringLiteral("9"));
        QCOMPARE(field->text().toUtf8(), stored);

        PressOk();
        QCOMPARE(m_prompts.messages, QStringList{warning});
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->focusWidget(), field);
        QCOMPARE(field->selectedText(), field->text());

        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text().toUtf8(), stored.chopped(1));
    }

    void invalidAddressKeepsTheDialogOpen()
    {
        Open(AddPreset(), false);
        QTest::keyClicks(Edit("fullName"), QStringLiteral("Big Reflector"));
        QTest::keyClicks(Edit("shortName"), QStringLiteral("BR"));
        QTest::keyClicks(Edit("ipAddress"), QStringLiteral("10.0.0"));
        QTest::keyClick(Edit("email"), Qt::Key_Return);
        QCOMPARE(m_prompts.messages, QStringList{kInvalidAddress});
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(Edit("fullName")->text(), QStringLiteral("Big Reflector"));
        QCOMPARE(Edit("ipAddress")->text(), QStringLiteral("10.0.0"));

        QTest::keyClicks(Edit("ipAddress"), QStringLiteral(".1"));
        PressOk();
        QVERIFY(Accepted());
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_dialog->Values().text[CReflector::ColIPAddress].toByteArray(), QByteArray("10.0.0.1"));
    }

    void untouchedTextsKeepTheirBytes()
    {
        // A record from a file made elsewhere, in another code page.
        ReflectorValues preset = ReflectorValues::FromRecord(
            *RawRecord("K\xF6ln", "DE", "R\xE9" "flecteur", " padded ", "192.0.2.9", "Jos\xE9", "\xFF@x", "7"));
        Open(preset, true);
        Edit("shortName")->selectAll();
        Edit("shortName")->insert(QStringLiteral("Köln 1")); // as typed; keyClicks takes ASCII only
        PressOk();
        QVERIFY(Accepted());
        ReflectorValues expected = preset;
        expected.text[CReflector::ColShortName] = "K\xC3\xB6ln 1";
        QCOMPARE(Fields(m_dialog->Values()), Fields(expected));
    }

    void editedTextsComeBackInUtf8()
    {
        ReflectorValues preset = EditPreset();
        preset.text[CReflector::ColContact] = "Jos\xE9";
        Open(preset, true);
        QLineEdit *contact = Edit("contact");
        // An old Windows-1252 text shows as it reads; edited, it is UTF-8.
        QCOMPARE(contact->text(), QStringLiteral("José"));
        contact->end(false);
        contact->insert(QStringLiteral(" Luis"));
        QCOMPARE(m_dialog->Values().text[CReflector::ColContact].toByteArray(), QByteArray("Jos\xC3\xA9 Luis"));
    }
};

LODEX_TEST(ReflectorDialogTest)
#include "tst_reflectordialog.moc"
