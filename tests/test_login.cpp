// The owner's login and logout against a real SQLite database made from the
// shipped schema and demo seed, with a real broker.
#include "link/DeviceLink.h"
#include "support/BrokerProcess.h"
#include "support/DialogWatcher.h"
#include "support/TestDatabase.h"
#include "support/TopicRecorder.h"
#include "support/VisibleTabs.h"
#include "accounts/TProfileField.h"
#include "panels/NumberBox.h"
#include "panels/PanelBuilder.h"
#include "panels/PanelRefresh.h"
#include "panels/TDynamicField.h"
#include "ui/CoverLayer.h"
#include "ui/ListBox.h"
#include "ui/PopupComboBox.h"
#include "ui/TfrmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTime>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QStringList ownerTabs{QStringLiteral("tabOverview"), QStringLiteral("tabSettings"), QStringLiteral("tabDevices"),
                            QStringLiteral("TabUser"), QStringLiteral("tabExit")};
const QStringList loggedOutTabs{QStringLiteral("tabLogin"), QStringLiteral("tabExit")};

// A fixed salt and two digests computed independently of the program
// (Python's hashlib over the UTF-8 bytes of password + salt).
const QString fixedSalt = QStringLiteral("9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c9f2c");
const QString cyrillicDigest = QStringLiteral("a4d56b91bc2d3b3264f230b848360c22e9e77ecaeb6aac9f72d455d7a4e4bd82");  // "лозинка"
const QString asciiDigest = QStringLiteral("13826cafb1aac6a8fd7728575d0837c6bba659f9d0bc17cb26469a94baaad863");     // "Tajna1"

QString sqlText(const QString &s)
{
    return QLatin1Char('\'') + QString(s).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void refusedLogins_data();
    void refusedLogins();
    void ownerLogin();
    void furtherUserGetsRestrictedLook();
    void unusualUserNames_data();
    void unusualUserNames();
    void databaseGoneAfterStart();
    void logoutCancelledChangesNothing();
    void logoutThenAnotherAccount();
    void welcomeAndPanelSwitch();
    void keyboardOnlyLogin();
    void clockPage();
    void englishReachesPanelFields();
    void panelFieldsDriveTheController();
    void textsFromTheDatabaseArePlain();
    void showPasswordWhileHeld();

private:
    void startWindow();
    void login(const QString &user, const QString &password);
    QStringList profileNames() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<BrokerProcess> m_broker;
    std::unique_ptr<DialogWatcher> m_watcher;
    std::unique_ptr<TfrmMain> m_w;
};

void TestLogin::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_db = std::make_unique<TestDatabase>(TestDatabase::Content::DemoSeed);
    QVERIFY(m_db->isValid());
    m_broker = std::make_unique<BrokerProcess>(QStringLiteral("dem"), QStringLiteral("demo2024"));
    QVERIFY(m_broker->start());
    m_watcher = std::make_unique<DialogWatcher>();
    startWindow();
}

void TestLogin::cleanup()
{
    m_w.reset();
    m_watcher.reset();
    m_broker.reset();
    m_db.reset();
    m_dir.reset();
}

void TestLogin::startWindow()
{
    DeploymentConfig c = m_db->config();
    c.brokerHost = m_broker->host();
    c.brokerPort = m_broker->port();
    c.brokerUser = m_broker->user();
    c.brokerPassword = m_broker->password();
    m_w = std::make_unique<TfrmMain>(c, m_dir->filePath(QStringLiteral("Termovia/Termovia.ini")));
    m_w->show();
    QTRY_VERIFY(m_w->databaseTaskDone());
}

void TestLogin::login(const QString &user, const QString &password)
{
    m_w->editLoginUsernameEnter->setText(user);
    m_w->editLoginPasswordEnter->setText(password);
    QTest::mouseClick(m_w->btnLogin, Qt::LeftButton);
}

QStringList TestLogin::profileNames() const
{
    QStringList names;
    for (TProfileField *f : m_w->ProfileFields)
        names << f->name();
    return names;
}

void TestLogin::refusedLogins_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("setup");
    QTest::newRow("empty name and password") << "" << "" << "";
    QTest::newRow("unknown user") << "nobody" << "demo1234" << "";
    QTest::newRow("wrong password") << "demo" << "demo12345" << "";
    QTest::newRow("name with blanks around") << " demo " << "demo1234" << "";
    QTest::newRow("stored digest in upper case")
        << "upper" << "Tajna1"
        << QStringLiteral("INSERT INTO korisnici (k_user,k_pass,k_salt,k_email,k_tip,k_avtomatika,k_avtomatika_ime) "
                          "VALUES ('upper','%1','%2','',0,'TV0009','X');")
               .arg(asciiDigest.toUpper(), fixedSalt);
}

void TestLogin::refusedLogins()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, setup);
    if (!setup.isEmpty())
        QVERIFY(m_db->exec(setup));
    login(user, password);
    QVERIFY(m_w->lblLoginError->isVisible());
    QCOMPARE(m_w->lblLoginError->text(), QStringLiteral("*Погрешни податоци"));
    QCOMPARE(m_w->state().LoginMode, 0);
    QCOMPARE(visibleTabs(m_w->TabControlMain), loggedOutTabs);
    QVERIFY(m_w->ProfileFields.isEmpty());
    QVERIFY(m_watcher->texts().isEmpty());
    QVERIFY(!QFile::exists(m_w->settings().path()));
    // The label goes away by itself after two seconds.
    QTRY_VERIFY_WITH_TIMEOUT(!m_w->lblLoginError->isVisible(), 3000);
    QVERIFY(!m_w->timerUniversal.isActive());
}

void TestLogin::ownerLogin()
{
    TopicRecorder out(*m_broker, QStringLiteral("TV0001/Out"));
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QVERIFY(m_watcher->texts().isEmpty());
    const TUser &u = m_w->state().ActiveUser;
    QCOMPARE(m_w->state().LoginMode, 1);
    QCOMPARE(u.Name, QStringLiteral("demo"));
    QCOMPARE(u.Password, QStringLiteral("demo1234"));
    QCOMPARE(u.AccessLvl, 0);
    QCOMPARE(u.ActiveTopic, QStringLiteral("TV0001"));
    QCOMPARE(u.MainDeviceTopic, QStringLiteral("TV0001"));
    QCOMPARE(u.ActiveDeviceName, QStringLiteral("Куќа"));
    QCOMPARE(m_w->lblPDeviceName->text(), QStringLiteral("Куќа"));
    QCOMPARE(m_w->lblPUsername->text(), QStringLiteral("demo"));
    QVERIFY(!m_w->GlyphProfileIsAdmin->isHidden());
    QCOMPARE(visibleTabs(m_w->TabControlMain), ownerTabs);
    QCOMPARE(m_w->TabControlMain->currentWidget(), m_w->tabOverview);
    QCOMPARE(m_w->TabControlOverview->currentWidget(), m_w->TabOverviewMain);

    // The account's users, the administrator without a delete button.
    QCOMPARE(profileNames(), (QStringList{QStringLiteral("demo"), QStringLiteral("marija")}));
    QVERIFY(!m_w->ProfileFields[0]->isDeleteVisible());
    QVERIFY(m_w->ProfileFields[1]->isDeleteVisible());
    QCOMPARE(m_w->lblPNumUsers->text(), QStringLiteral("2"));

    // The remembered login.
    QSettings s(m_w->settings().path(), QSettings::IniFormat);
    QCOMPARE(s.value("User/Name").toString(), QStringLiteral("demo"));
    QCOMPARE(s.value("User/Pass").toString(), QStringLiteral("demo1234"));
    QCOMPARE(s.value("User/Language").toString(), QStringLiteral("mk"));
    QCOMPARE(QFile::permissions(s.fileName()) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
             QFileDevice::Permissions());

    // The link to the main controller: connected, and the first reads sent.
    QTRY_COMPARE(m_w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
    QVERIFY(out.waitFor(QStringLiteral("TV0001/Out 3;14;1;30;")));
    QVERIFY(out.waitFor(QStringLiteral("TV0001/Out 3;4;1;50;")));
    QVERIFY(out.waitFor(QStringLiteral("TV0001/Out 3;4;51;50;")));
}

void TestLogin::furtherUserGetsRestrictedLook()
{
    login(QStringLiteral("marija"), QStringLiteral("demo1234"));
    QCOMPARE(m_w->state().LoginMode, 1);
    QCOMPARE(m_w->state().ActiveUser.AccessLvl, 1);
    QVERIFY(m_w->GlyphProfileIsAdmin->isHidden());
    QCOMPARE(visibleTabs(m_w->TabControlMain),
             (QStringList{QStringLiteral("tabOverview"), QStringLiteral("tabDevices"), QStringLiteral("TabUser"),
                          QStringLiteral("tabExit")}));
    QCOMPARE(m_w->ProfileFields.size(), 2);
    for (TProfileField *f : m_w->ProfileFields)
        QVERIFY(!f->isDeleteVisible());
}

void TestLogin::unusualUserNames_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("digest");
    QTest::newRow("quotes") << QStringLiteral("O'Neil \"Junior\"; --") << "Tajna1" << asciiDigest;
    QTest::newRow("Cyrillic name and password") << QStringLiteral("Љупчо Ѓорѓиевски") << QStringLiteral("лозинка")
                                                << cyrillicDigest;
    QTest::newRow("50 characters") << QString(50, QLatin1Char('x')) << "Tajna1" << asciiDigest;
}

void TestLogin::unusualUserNames()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, digest);
    QVERIFY(m_db->exec(QStringLiteral("INSERT INTO korisnici (k_user,k_pass,k_salt,k_email,k_tip,k_avtomatika,"
                                      "k_avtomatika_ime) VALUES (%1,'%2','%3','',0,'TV0005','Пробна');")
                           .arg(sqlText(user), digest, fixedSalt)));
    // A near miss is refused: the name must match exactly.
    login(user.left(user.size() - 1), password);
    QCOMPARE(m_w->state().LoginMode, 0);
    login(user, password);
    QCOMPARE(m_w->state().LoginMode, 1);
    QCOMPARE(m_w->state().ActiveUser.Name, user);
    QCOMPARE(m_w->lblPUsername->text(), user);  // shown as plain text
}

void TestLogin::databaseGoneAfterStart()
{
    const QString path = m_db->path();
    QVERIFY(QFile::rename(path, path + QStringLiteral(".away")));
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QCOMPARE(m_watcher->texts(),
             QStringList{QStringLiteral("Се појави грешка при поворзување со базата, обидете се повторно.")});
    QCOMPARE(m_w->state().LoginMode, 0);
    QVERIFY(!QFile::exists(path));  // no empty database made in its place

    QVERIFY(QFile::rename(path + QStringLiteral(".away"), path));
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QCOMPARE(m_w->state().LoginMode, 1);
    QCOMPARE(m_watcher->texts().size(), 1);
}

void TestLogin::logoutCancelledChangesNothing()
{
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QTRY_COMPARE(m_w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
    m_watcher->script({DialogWatcher::Answer::Cancel});
    m_w->SpeedButtonUserLogoutClick();
    QCOMPARE(m_watcher->texts().last(), QStringLiteral("Дали сакате да се одјавите?"));
    QCOMPARE(m_w->state().LoginMode, 1);
    QCOMPARE(m_w->state().ActiveUser.ActiveTopic, QStringLiteral("TV0001"));
    QCOMPARE(m_w->ProfileFields.size(), 2);
    QCOMPARE(visibleTabs(m_w->TabControlMain), ownerTabs);
    QTest::qWait(200);
    QCOMPARE(m_w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
}

void TestLogin::logoutThenAnotherAccount()
{
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QTRY_COMPARE(m_w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
    m_w->lblSyTimeCOntroller->setText(QStringLiteral("12:34"));
    m_watcher->script({DialogWatcher::Answer::Ok});
    m_w->SpeedButtonUserLogoutClick();
    const TUser &u = m_w->state().ActiveUser;
    QCOMPARE(m_w->state().LoginMode, 0);
    QCOMPARE(u.UserID, -1);
    QCOMPARE(u.AccessLvl, -1);
    QVERIFY(u.Name.isEmpty() && u.ActiveTopic.isEmpty() && u.MainDeviceTopic.isEmpty() && u.Password.isEmpty());
    QVERIFY(m_w->ProfileFields.isEmpty());
    QCOMPARE(m_w->ListBoxProfile->count(), 0);
    QCOMPARE(visibleTabs(m_w->TabControlMain), loggedOutTabs);
    QCOMPARE(m_w->TabControlMain->currentWidget(), m_w->tabLogin);
    QCOMPARE(m_w->lblSyTimeCOntroller->text(), QStringLiteral("00:00"));
    QTRY_VERIFY(!m_w->link().isConnected());
    QCOMPARE(m_w->editLoginUsernameEnter->text(), QStringLiteral("demo"));  // the fields keep their text

    // Another account: only its users, only its controller.
    TopicRecorder oldOut(*m_broker, QStringLiteral("TV0001/Out"));
    TopicRecorder newOut(*m_broker, QStringLiteral("TV0003/Out"));
    login(QStringLiteral("petar"), QStringLiteral("demo1234"));
    QCOMPARE(m_w->state().LoginMode, 1);
    QCOMPARE(profileNames(), QStringList{QStringLiteral("petar")});
    QCOMPARE(m_w->state().ActiveUser.ActiveTopic, QStringLiteral("TV0003"));
    QVERIFY(newOut.waitFor(QStringLiteral("TV0003/Out 3;4;1;50;")));
    QTest::qWait(300);
    QVERIFY(oldOut.messages().isEmpty());
}

void TestLogin::welcomeAndPanelSwitch()
{
    m_w->SpeedButtonLoginInfoClick();
    QCOMPARE(m_watcher->texts().size(), 1);
    QVERIFY(m_watcher->texts()[0].startsWith(QStringLiteral("Добредојдовте во апликацијата Termovia")));
    QVERIFY(m_w->LayoutLoginSwitch->isHidden());  // designed hidden; nothing shows it

    m_w->SpeedButtonChangeLoginClick();
    QVERIFY(!m_w->PanelLoginManager->isHidden());
    QVERIFY(m_w->PanelLogin->isHidden());
    m_w->TabShowTabs(m_w->TabControlMain, 27);
    QCOMPARE(visibleTabs(m_w->TabControlMain),
             (QStringList{QStringLiteral("tabOverview"), QStringLiteral("tabSettings"), QStringLiteral("tabExit")}));
    m_w->SpeedButtonChangeLoginClick();
    QVERIFY(!m_w->PanelLogin->isHidden());
    QVERIFY(m_w->PanelLoginManager->isHidden());
    m_w->TabShowTabs(m_w->TabControlMain, 27);
    QCOMPARE(visibleTabs(m_w->TabControlMain), ownerTabs);
}

void TestLogin::keyboardOnlyLogin()
{
    QApplication::setActiveWindow(m_w.get());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_w->editLoginUsernameEnter));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("demo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_w->editLoginPasswordEnter));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("demo1234"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_w->btnLogin));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(m_w->btnNewUser));
    // Enter in the password field presses "Влез".
    m_w->editLoginPasswordEnter->setFocus();
    QTest::keyClick(m_w->editLoginPasswordEnter, Qt::Key_Return);
    QCOMPARE(m_w->state().LoginMode, 1);
    // Buttons and fields carry names for assistive technology.
    QCOMPARE(m_w->btnLogin->accessibleName(), QStringLiteral("Влез"));
    QCOMPARE(m_w->editLoginUsernameEnter->accessibleName(), QStringLiteral("Корисничко име"));
    QCOMPARE(m_w->editLoginPasswordEnter->accessibleName(), QStringLiteral("Лозинка"));
}

void TestLogin::clockPage()
{
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QTRY_COMPARE(m_w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
    TopicRecorder out(*m_broker, QStringLiteral("TV0001/Out"));
    m_w->SpeedButtonOverviewSynchronizeClick();
    QCOMPARE(m_w->TabControlOverview->currentWidget(), m_w->TabOverviewSynchronize);
    QVERIFY(m_w->timerClock.isActive());
    QCOMPARE(m_w->lblSyTime->text(), QTime::currentTime().toString(QStringLiteral("hh:mm")));
    QVERIFY(out.waitFor(QStringLiteral("TV0001/Out 3;14;30;7;")));

    // The controller's answer fills its block.
    QProcess::execute(QStringLiteral("mosquitto_pub"),
                      {"-h", m_broker->host(), "-p", QString::number(m_broker->port()), "-u", m_broker->user(), "-P",
                       m_broker->password(), "-t", "TV0001/ARet", "-m", "10;14;30;7;25;3;5;3;9;7;0;"});
    QTRY_COMPARE(m_w->lblSyTimeCOntroller->text(), QStringLiteral("09:07"));
    QCOMPARE(m_w->lblSyDateController->text(), QStringLiteral("05/03/25"));
    QCOMPARE(m_w->lblSyDayController->text(), QStringLiteral("Среда"));

    // Leaving the overview stops the polling within a second.
    m_w->TabControlMain->setCurrentWidget(m_w->tabSettings);
    QTRY_VERIFY_WITH_TIMEOUT(!m_w->timerClock.isActive(), 1100);
    const int asked = out.count(QStringLiteral("TV0001/Out 3;14;30;7;"));
    QTest::qWait(1500);
    QCOMPARE(out.count(QStringLiteral("TV0001/Out 3;14;30;7;")), asked);

    // The set-clock command carries the PC's date and time.
    m_w->btnSySynchronizeClick();
    QTRY_VERIFY(std::any_of(out.messages().cbegin(), out.messages().cend(),
                            [](const QString &m) { return m.startsWith(QStringLiteral("TV0001/Out 8;13;")); }));
}

void TestLogin::englishReachesPanelFields()
{
    m_w.reset();
    QDir().mkpath(m_dir->filePath(QStringLiteral("Termovia")));
    QFile ini(m_dir->filePath(QStringLiteral("Termovia/Termovia.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[User]\nLanguage=en\n");
    ini.close();
    startWindow();
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QCOMPARE(m_w->state().LoginMode, 1);
    // Fields built at run time show the English text of the table too.
    QCOMPARE(m_w->cmbBoxMode->itemText(0), QStringLiteral("AUTOMATIC"));
    QStringList texts;
    for (QLabel *l : m_w->listBoxSettings->findChildren<QLabel *>())
        texts << l->text();
    QVERIFY2(texts.contains(QStringLiteral("TIMER MODE ON OTHER DEVICE")), qPrintable(texts.join(" | ")));
    // Texts outside the table stay as they are, status texts included.
    QTRY_COMPARE(m_w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
}

void TestLogin::panelFieldsDriveTheController()
{
    // The simulator answers for the demo controller; clicks on the panel
    // fields reach it through the real broker, and its answers come back.
    QProcess sim;
    sim.start(QStringLiteral(TERMOVIA_SIM_PATH),
              {"--host", m_broker->host(), "--port", QString::number(m_broker->port()), "--user", m_broker->user(),
               "--password", m_broker->password(), "--serial", "TV0001", "--schematic", "1"});
    QVERIFY(sim.waitForStarted());
    TopicRecorder out(*m_broker, QStringLiteral("TV0001/Out"));
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QTRY_COMPARE(m_w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
    QTRY_VERIFY_WITH_TIMEOUT(m_w->state().HoldingRegs[30] == 1, 5000);
    // As a user would: wait until no feedback layer covers the window, on the settings tab.
    auto uncovered = [this] { return m_w->findChildren<CoverLayer *>(QStringLiteral("Rect")).isEmpty(); };
    QTRY_VERIFY_WITH_TIMEOUT(uncovered(), 5000);
    m_w->TabControlMain->setCurrentWidget(m_w->tabSettings);
    QTest::qWait(100);  // let the page lay out its rows
    PanelBuilder &panels = m_w->panels();
    QVERIFY(!panels.CheckBoxFields.empty() && !panels.TempChangeFields.empty() && !panels.RadioButtonFields.empty());

    // A wanted temperature typed and sent with "Внеси".
    TDynamicField &temp = *panels.TempChangeFields.front();
    const int tempReg = temp.TargetRegs.value(0);
    temp.item<NumberBox>(TDynamicField::NumberBoxItem)->setEditText(QStringLiteral("61"));
    QTest::mouseClick(temp.item<QAbstractButton>(TDynamicField::SendButton), Qt::LeftButton);
    QVERIFY(out.waitFor(QStringLiteral("TV0001/Out 3;6;%1;61;").arg(tempReg)));
    QTRY_VERIFY_WITH_TIMEOUT(m_w->state().HoldingRegs[tempReg] == 61, 6000);

    // A switch: the box takes the new state at once and the command says so.
    TDynamicField &sw = *panels.CheckBoxFields.back();
    const int swReg = sw.TargetRegs.value(0);
    auto *box = sw.item<QAbstractButton>(TDynamicField::CheckBoxItemIndex);
    QTRY_VERIFY_WITH_TIMEOUT(uncovered(), 5000);
    m_w->listBoxSettings->ensureWidgetVisible(box);
    QTest::qWait(50);
    const bool before = box->isChecked();
    QTest::mouseClick(box, Qt::LeftButton);  // in the middle of the box, not on its small indicator
    QCOMPARE(box->isChecked(), !before);
    QVERIFY(out.waitFor(QStringLiteral("TV0001/Out 3;6;%1;%2;").arg(swReg).arg(before ? 0 : 1)));
    QVERIFY(m_w->state().CommandPending);
    QTRY_VERIFY_WITH_TIMEOUT(m_w->state().HoldingRegs[swReg] == (before ? 0 : 1), 6000);

    // A two-choice field: the second choice writes 0.
    TDynamicField &choice = *panels.RadioButtonFields.front();
    const int choiceReg = choice.TargetRegs.value(0);
    QTRY_VERIFY_WITH_TIMEOUT(uncovered() && !m_w->state().CommandPending, 6000);
    QTest::mouseClick(choice.item<QAbstractButton>(TDynamicField::SecondChoice), Qt::LeftButton);
    QVERIFY(out.waitFor(QStringLiteral("TV0001/Out 3;6;%1;0;").arg(choiceReg)));

    // The controller switches to schematic 10: the next tick rebuilds the panels for it.
    QTRY_VERIFY_WITH_TIMEOUT(!m_w->state().CommandPending, 6000);
    m_w->WriteHREG(30, 10);
    QTRY_VERIFY_WITH_TIMEOUT(m_w->panelRefresh().tag() == 10, 8000);
    QVERIFY(panels.RadioButtonFields.empty());  // schematic 10 has no two-choice fields

    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
}

void TestLogin::textsFromTheDatabaseArePlain()
{
    QVERIFY(m_db->exec(QStringLiteral("UPDATE Names SET TempSensor1 = '<b>Колектор</b>' WHERE DeviceID = 'TV0001';"
                                      "UPDATE korisnici SET k_avtomatika_ime = '<i>Куќа</i>' WHERE k_user = 'demo';")));
    login(QStringLiteral("demo"), QStringLiteral("demo1234"));
    QCOMPARE(m_w->state().LoginMode, 1);
    QCOMPARE(m_w->lblPDeviceName->text(), QStringLiteral("<i>Куќа</i>"));
    QCOMPARE(m_w->lblPDeviceName->textFormat(), Qt::PlainText);
    bool seen = false;
    for (QLabel *l : m_w->listBoxOverview->findChildren<QLabel *>()) {
        if (l->text() == QStringLiteral("<b>Колектор</b>")) {
            seen = true;
            QCOMPARE(l->textFormat(), Qt::PlainText);
        }
    }
    QVERIFY(seen);
}

void TestLogin::showPasswordWhileHeld()
{
    for (auto [button, edit] : {std::pair{m_w->SpeedButton1, m_w->editLoginPasswordEnter},
                                std::pair{m_w->SpeedButtonManagerPass, m_w->EditLoginManagerPassword}}) {
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QTest::mousePress(button, Qt::LeftButton);
        QCOMPARE(edit->echoMode(), QLineEdit::Normal);
        QTest::mouseRelease(button, Qt::LeftButton);
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
    }
}

QTEST_MAIN(TestLogin)
#include "test_login.moc"
