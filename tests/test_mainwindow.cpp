// The main window: start-up and shutdown with the settings file, the database
// connection at start, tab sets, restricted look, language, Escape/Back keys,
// the operating-mode choice.
#include "support/BrokerProcess.h"
#include "support/DialogWatcher.h"
#include "support/TestDatabase.h"
#include "support/TopicRecorder.h"
#include "support/VisibleTabs.h"
#include "ui/CoverLayer.h"
#include "ui/MarkableTabWidget.h"
#include "ui/PopupComboBox.h"
#include "ui/StatusCircle.h"
#include "ui/TfrmMain.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

struct Fixture {
    QTemporaryDir dir;
    TestDatabase db{TestDatabase::Content::DemoSeed};
    BrokerProcess broker{QStringLiteral("dem"), QStringLiteral("demo2024")};
    QString settingsPath = dir.filePath(QStringLiteral("Termovia/Termovia.ini"));

    DeploymentConfig config() const
    {
        DeploymentConfig c = db.config();
        c.brokerHost = broker.host();
        c.brokerPort = broker.port();
        c.brokerUser = broker.user();
        c.brokerPassword = broker.password();
        return c;
    }

    std::unique_ptr<TfrmMain> start(DeploymentConfig c)
    {
        auto w = std::make_unique<TfrmMain>(c, settingsPath);
        w->show();
        return w;
    }
    std::unique_ptr<TfrmMain> start() { return start(config()); }

    void writeSettings(const QString &text)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("Termovia")));
        QFile f(settingsPath);
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void firstStartShowsDefaultsAndWritesSettingsOnExit();
    void rememberedLoginAndPosition();
    void languageCode_data();
    void languageCode();
    void databaseFailureAtStart_data();
    void databaseFailureAtStart();
    void tabSets_data();
    void tabSets();
    void tabColourMarksAndUnmarks();
    void restrictedLook();
    void escapeWalksBack();
    void titleStrip();
    void idleOverviewDoesNotRepaint();
    void schematicPicturePage_data();
    void schematicPicturePage();
    void modeChoice();
    void repeatedStartAndCloseWhilePolling();
};

void TestMainWindow::firstStartShowsDefaultsAndWritesSettingsOnExit()
{
    Fixture f;
    QVERIFY(f.db.isValid());
    auto w = f.start();
    QVERIFY(w->isLoadingShown());
    QTRY_VERIFY(w->databaseTaskDone());
    QVERIFY(!w->isLoadingShown());
    QCOMPARE(w->size(), QSize(1000, 700));
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w->editLoginUsernameEnter->text(), QString());
    QCOMPARE(w->editLoginPasswordEnter->text(), QString());
    QCOMPARE(w->btnEExit->text(), QStringLiteral("ИЗЛЕЗ"));
    QCOMPARE(w->state().SchematicNumber, 1);
    QCOMPARE(visibleTabs(w->TabControlMain), (QStringList{QStringLiteral("tabLogin"), QStringLiteral("tabExit")}));
    QCOMPARE(w->TabControlMain->currentWidget(), w->tabLogin);
    QCOMPARE(w->lblConnected->text(), QString());
    QCOMPARE(w->circleConnected->fill(), 0xFFEAEBEAu);
    // The keyboard serves the login at once.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->editLoginUsernameEnter));

    QVERIFY(!QFile::exists(f.settingsPath));
    w->move(40, 60);
    const QPoint pos = w->pos();
    w->close();
    w.reset();
    QSettings s(f.settingsPath, QSettings::IniFormat);
    QCOMPARE(s.value("User/Language").toString(), QStringLiteral("mk"));
    QCOMPARE(s.value("User/Schematic").toInt(), 1);
    QCOMPARE(s.value("FormPosition/Left").toInt(), pos.x());
    QCOMPARE(s.value("FormPosition/Top").toInt(), pos.y());
}

void TestMainWindow::rememberedLoginAndPosition()
{
    Fixture f;
    f.writeSettings(QStringLiteral("[User]\nName=demo\nPass=лоз\nSchematic=15\n[FormPosition]\nLeft=33\nTop=44\n"));
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    QCOMPARE(w->editLoginUsernameEnter->text(), QStringLiteral("demo"));
    QCOMPARE(w->editLoginPasswordEnter->text(), QStringLiteral("лоз"));
    QCOMPARE(w->state().SchematicNumber, 15);
    QCOMPARE(w->pos(), QPoint(33, 44));
    // With the name filled in, the password field takes the focus.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->editLoginPasswordEnter));
}

void TestMainWindow::languageCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("exitButton");
    QTest::addColumn<QString>("exitQuestion");
    QTest::addColumn<QString>("modeEntry");
    QTest::newRow("en") << "en" << "EXIT" << "DO YOU WANT TO CLOSE THE APP?" << "AUTOMATIC";
    QTest::newRow("mk") << "mk" << "ИЗЛЕЗ" << "Дали сакате да ја затворите апликацијата?" << "АВТОМАТСКИ";
    QTest::newRow("de") << "de" << "ИЗЛЕЗ" << "Дали сакате да ја затворите апликацијата?" << "АВТОМАТСКИ";
}

void TestMainWindow::languageCode()
{
    QFETCH(QString, code);
    QFETCH(QString, exitButton);
    QFETCH(QString, exitQuestion);
    QFETCH(QString, modeEntry);
    Fixture f;
    f.writeSettings(QStringLiteral("[User]\nLanguage=%1\n").arg(code));
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    QCOMPARE(w->btnEExit->text(), exitButton);
    QCOMPARE(w->LabelEConfirm->text(), exitQuestion);
    QCOMPARE(w->cmbBoxMode->itemText(0), modeEntry);
    // Texts outside the table stay Macedonian in every language.
    QCOMPARE(w->btnLogin->text(), QStringLiteral("Влез"));
    w->close();
    w.reset();
    QCOMPARE(QSettings(f.settingsPath, QSettings::IniFormat).value("User/Language").toString(), code);
}

void TestMainWindow::databaseFailureAtStart_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("source");
    QTest::newRow("SQLite file missing") << "QSQLITE" << "missing/termovia.sqlite";
    QTest::newRow("SQL Server unreachable") << "QODBC" << "127.0.0.1:1";
}

void TestMainWindow::databaseFailureAtStart()
{
    QFETCH(QString, driver);
    QFETCH(QString, source);
    Fixture f;
    DeploymentConfig c = f.config();
    c.dbDriver = driver;
    c.dbSource = driver == QLatin1String("QSQLITE") ? f.dir.filePath(source) : source;
    bool overlayWhileMessage = false;
    DialogWatcher watcher;
    std::unique_ptr<TfrmMain> w;
    watcher.onDialog = [&](const QString &) { overlayWhileMessage = w && w->isLoadingShown(); };
    w = f.start(c);
    QTRY_VERIFY_WITH_TIMEOUT(w->databaseTaskDone(), 20000);
    QCOMPARE(watcher.texts(),
             QStringList{QStringLiteral("Неуспешно поврзување со базата. Проверете ја вашата интернет конекција!")});
    QVERIFY(overlayWhileMessage);
    QVERIFY(!w->isLoadingShown());
    if (driver == QLatin1String("QSQLITE"))
        QVERIFY(!QFile::exists(c.dbSource));  // never a silently created empty database
}

void TestMainWindow::tabSets_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("access");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QString>("active");
    const QString ov = "tabOverview", st = "tabSettings", dv = "tabDevices", us = "TabUser", ex = "tabExit";
    QTest::newRow("17") << 17 << 0 << QStringList{"tabLogin", ex} << "tabLogin";
    QTest::newRow("27") << 27 << 0 << QStringList{ov, st, dv, us, ex} << us;
    QTest::newRow("27 restricted") << 27 << 1 << QStringList{ov, dv, us, ex} << us;
    QTest::newRow("37") << 37 << 0 << QStringList{"tabRegister", ex} << "tabRegister";
    QTest::newRow("67") << 67 << 0 << QStringList{"tabManagers", ex} << "tabManagers";
    QTest::newRow("267") << 267 << 0 << QStringList{"tabManagers", ov, st, dv, us, ex} << us;
    QTest::newRow("72 (digits from the right)") << 72 << 0 << QStringList{ov, st, dv, us, ex} << ex;
    QTest::newRow("0") << 0 << 0 << QStringList{} << "";
    QTest::newRow("negative") << -27 << 0 << QStringList{} << "";
}

void TestMainWindow::tabSets()
{
    QFETCH(int, set);
    QFETCH(int, access);
    QFETCH(QStringList, visible);
    QFETCH(QString, active);
    Fixture f;
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    w->state().ActiveUser.AccessLvl = access;
    w->AccessChangeLook();
    w->TabShowTabs(w->TabControlMain, set);
    QCOMPARE(visibleTabs(w->TabControlMain), visible);
    if (!active.isEmpty())
        QCOMPARE(w->TabControlMain->currentWidget()->objectName(), active);
}

void TestMainWindow::tabColourMarksAndUnmarks()
{
    MarkableTabWidget tabs;
    auto *page = new QWidget;
    tabs.addTab(page, QStringLiteral("Пон"));
    Fixture f;
    auto w = f.start();
    w->TabColor(&tabs, page, true, 0xFFFF0000u);
    QCOMPARE(tabs.tabBar()->tabTextColor(0), QColor(Qt::red));
    QVERIFY(tabs.markableTabBar()->isTabMarked(0));
    w->TabColor(&tabs, page, false, 0xFFFF0000u);
    QCOMPARE(tabs.tabBar()->tabTextColor(0), QColor(Qt::black));
    QVERIFY(!tabs.markableTabBar()->isTabMarked(0));
}

void TestMainWindow::restrictedLook()
{
    Fixture f;
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    for (int level : {1, 0, -1}) {
        w->state().ActiveUser.AccessLvl = level;
        w->AccessChangeLook();
        const bool full = level != 1;
        QCOMPARE(!w->btnPCreateNewUser->isHidden(), full);
        QCOMPARE(!w->PanelSetTimerContainer->isHidden(), full);
        QCOMPARE(!w->PanelSynchronize->isHidden(), full);
        QCOMPARE(!w->LayoutDevicesAddNew->isHidden(), full);
        QCOMPARE(w->tabSettings->property("tag").toInt(), full ? 2 : 100);
    }
}

void TestMainWindow::escapeWalksBack()
{
    Fixture f;
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    // Overview sub-page: back to the overview's first page, nothing closes.
    w->TabShowTabs(w->TabControlMain, 27);
    w->TabControlMain->setCurrentWidget(w->tabOverview);
    w->TabControlOverview->setCurrentWidget(w->TabOverviewSchematic);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QCOMPARE(w->TabControlOverview->currentWidget(), w->TabOverviewMain);
    QCOMPARE(w->TabControlMain->currentWidget(), w->tabOverview);
    // On the first page: to the exit tab; the program stays open.
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QCOMPARE(w->TabControlMain->currentWidget(), w->tabExit);
    QVERIFY(w->isVisible());
    // Profile: a sub-page goes back to the profile's first page.
    w->TabControlMain->setCurrentWidget(w->TabUser);
    w->TabControlUser->setCurrentIndex(1);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QCOMPARE(w->TabControlUser->currentWidget(), w->TabUserMain);
    // Registration, first step: back to the login tab with its tab set.
    w->TabShowTabs(w->TabControlMain, 37);
    w->TabControlRegister->setCurrentWidget(w->TabRegisterDevice);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QCOMPARE(w->TabControlMain->currentWidget(), w->tabLogin);
    QCOMPARE(visibleTabs(w->TabControlMain), (QStringList{QStringLiteral("tabLogin"), QStringLiteral("tabExit")}));
    // Escape in a text field works the same.
    w->editLoginUsernameEnter->setFocus();
    QTest::keyClick(w->editLoginUsernameEnter, Qt::Key_Escape);
    QCOMPARE(w->TabControlMain->currentWidget(), w->tabExit);
}

void TestMainWindow::titleStrip()
{
    Fixture f;
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    QCOMPARE(w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized), Qt::WindowStates());
    w->ImageBorderMaximizeClick();
    QTRY_VERIFY(w->windowState() & Qt::WindowMaximized);
    QTest::mouseDClick(w->RectangleBorder, Qt::LeftButton, {}, QPoint(300, 20));
    QTRY_VERIFY(!(w->windowState() & Qt::WindowMaximized));
    QTest::mouseDClick(w->RectangleBorder, Qt::LeftButton, {}, QPoint(300, 20));
    QTRY_VERIFY(w->windowState() & Qt::WindowMaximized);
    w->ImageBorderMaximizeClick();
    QTRY_VERIFY(!(w->windowState() & Qt::WindowMaximized));
    w->ImageBorderMinimizeClick();
    QTRY_VERIFY(w->windowState() & Qt::WindowMinimized);
    w->ImageBorderMaximizeClick();  // minimised counts as not normal: restore
    QTRY_COMPARE(w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized), Qt::WindowStates());

    // Hovering over the strip never moves the window; dragging with the left button does.
    w->showNormal();
    w->move(50, 50);
    const QPoint start = w->pos();
    QTest::mouseMove(w->RectangleBorder, QPoint(300, 10));
    QTest::mouseMove(w->RectangleBorder, QPoint(400, 30));
    QCOMPARE(w->pos(), start);
    QTest::mousePress(w->RectangleBorder, Qt::LeftButton, {}, QPoint(300, 10));
    QMouseEvent drag(QEvent::MouseMove, QPointF(340, 30), w->RectangleBorder->mapToGlobal(QPointF(340, 30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->RectangleBorder, &drag);
    QTest::mouseRelease(w->RectangleBorder, Qt::LeftButton, {}, QPoint(340, 30));
    QCOMPARE(w->pos(), start + QPoint(40, 20));
}

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

void TestMainWindow::idleOverviewDoesNotRepaint()
{
    // The tiles are laid out before every paint of the tab control; that must
    // not itself ask for another paint, or an idle window spins the processor.
    Fixture f;
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    w->state().SchematicNumber = 20;
    w->TimerSchematicTimer();
    w->TabShowTabs(w->TabControlMain, 27);
    w->TabControlMain->setCurrentWidget(w->tabOverview);
    QTest::qWait(300);
    PaintCounter counter;
    w->TabControlMain->installEventFilter(&counter);
    QTest::qWait(1000);
    w->TabControlMain->removeEventFilter(&counter);
    QVERIFY2(counter.paints < 5, qPrintable(QString::number(counter.paints)));
}

void TestMainWindow::schematicPicturePage_data()
{
    QTest::addColumn<int>("schematic");
    QTest::addColumn<int>("shown");
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("20") << 20 << 20;
    QTest::newRow("2 has no picture") << 2 << -1;
    QTest::newRow("99 has no picture") << 99 << -1;
}

void TestMainWindow::schematicPicturePage()
{
    QFETCH(int, schematic);
    QFETCH(int, shown);
    Fixture f;
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    w->state().SchematicNumber = schematic;
    w->TimerSchematicTimer();
    QCOMPARE(w->GlyphSchematic->property("schematicPicture").toInt(), shown);
    QCOMPARE(w->GlyphSchematic->pixmap().isNull(), shown < 0);

    w->TabShowTabs(w->TabControlMain, 27);
    w->TabControlMain->setCurrentWidget(w->tabOverview);
    w->sBtnOSchemeClick();
    QCOMPARE(w->TabControlOverview->currentWidget(), w->TabOverviewSchematic);
    // The resize button toggles between filling the box and a free size one
    // and a half times as wide as high, scrolled sideways.
    w->sBtnSchemeResizeClick();
    const int h = w->HorzScrollBoxSchematic->viewport()->height();
    QCOMPARE(w->GlyphSchematic->size(), QSize(h * 3 / 2, h));
    w->sBtnSchemeResizeClick();
    QTRY_COMPARE(w->GlyphSchematic->size(), w->HorzScrollBoxSchematic->viewport()->size());
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QCOMPARE(w->TabControlOverview->currentWidget(), w->TabOverviewMain);
}

void TestMainWindow::modeChoice()
{
    Fixture f;
    QVERIFY(f.broker.start());
    f.writeSettings(QStringLiteral("[User]\nName=demo\nPass=demo1234\n"));
    auto w = f.start();
    QTRY_VERIFY(w->databaseTaskDone());
    DialogWatcher watcher;
    w->btnLoginClick();
    QTRY_COMPARE(w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
    TopicRecorder out(f.broker, QStringLiteral("TV0001/Out"));
    // The login's feedback period covers the window for 3000 ms, then goes.
    QVERIFY(!w->findChildren<CoverLayer *>(QStringLiteral("Rect")).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(w->findChildren<CoverLayer *>(QStringLiteral("Rect")).isEmpty(), 5000);

    // Same entry: nothing is sent, no feedback period starts.
    const int layersBefore = int(w->findChildren<CoverLayer *>(QStringLiteral("Rect")).size());
    w->cmbBoxMode->setCurrentIndex(0);
    w->cmbBoxMode->showPopup();
    w->cmbBoxMode->hidePopup();
    QTest::qWait(300);
    QCOMPARE(out.count(QStringLiteral("TV0001/Out 3;6;1;1;")), 0);
    QCOMPARE(int(w->findChildren<CoverLayer *>(QStringLiteral("Rect")).size()), layersBefore);

    // A new entry: "ОДМОР" sends 3;6;1;2; and holds the switches' refresh.
    w->cmbBoxMode->showPopup();
    w->cmbBoxMode->setCurrentIndex(1);
    w->cmbBoxMode->hidePopup();
    QVERIFY(out.waitFor(QStringLiteral("TV0001/Out 3;6;1;2;")));
    QVERIFY(w->state().CommandPending);
    QCOMPARE(int(w->findChildren<CoverLayer *>(QStringLiteral("Rect")).size()), layersBefore + 1);
    QTRY_VERIFY_WITH_TIMEOUT(!w->state().CommandPending, 5000);

    // Broker gone: the choice is not sent, so the list shows the mode it had,
    // then the error; no feedback period starts.
    f.broker.kill();
    QTRY_VERIFY(w->lblConnected->text() != QStringLiteral("ПОВРЗАНО"));
    QTRY_VERIFY_WITH_TIMEOUT(w->findChildren<CoverLayer *>(QStringLiteral("Rect")).isEmpty(), 5000);
    w->cmbBoxMode->showPopup();
    w->cmbBoxMode->setCurrentIndex(0);
    w->cmbBoxMode->hidePopup();
    QCOMPARE(watcher.texts().size(), 1);
    QCOMPARE(w->cmbBoxMode->currentIndex(), 1);
    QVERIFY(!w->state().CommandPending);
    QVERIFY(w->findChildren<CoverLayer *>(QStringLiteral("Rect")).isEmpty());
}

void TestMainWindow::repeatedStartAndCloseWhilePolling()
{
    Fixture f;
    QVERIFY(f.broker.start());
    f.writeSettings(QStringLiteral("[User]\nName=demo\nPass=demo1234\n"));
    for (int round = 0; round < 4; ++round) {
        auto w = f.start();
        QTRY_VERIFY(w->databaseTaskDone());
        w->btnLoginClick();
        QTRY_COMPARE(w->lblConnected->text(), QStringLiteral("ПОВРЗАНО"));
        QTest::qWait(50 * round);
        w->close();
        w.reset();
        QSettings s(f.settingsPath, QSettings::IniFormat);
        QCOMPARE(s.value("User/Name").toString(), QStringLiteral("demo"));
        QVERIFY(s.contains("FormPosition/Left"));
    }
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
