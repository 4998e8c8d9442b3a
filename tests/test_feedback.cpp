// Command-feedback periods (TLoad): how long the layer stays, the follow-up
// command, CommandPending, failures, and what the layer does with the mouse.
#include "app/DeploymentConfig.h"
#include "app/SharedState.h"
#include "link/Argb.h"
#include "link/DeviceLink.h"
#include "link/PublishError.h"
#include "link/TLoad.h"
#include "support/BrokerProcess.h"
#include "support/TopicRecorder.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

// A main window and hooks that record what a feedback period does.
struct Window {
    SharedState state;
    QWidget main;
    QStringList published;
    QStringList errors;
    bool failPublish = false;

    Window()
    {
        main.resize(1000, 700);
        main.move(100, 100);
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qWarning("main window not exposed");
    }

    FeedbackHooks hooks()
    {
        FeedbackHooks h;
        h.publish = [this](const QString &payload) {
            if (failPublish)
                throw PublishError(QStringLiteral("offline"));
            published << payload;
        };
        h.clearPending = [this] { state.CommandPending = false; };
        h.reportError = [this](const QString &text) { errors << text; };
        return h;
    }

    QList<QWidget *> layers() const { return main.findChildren<QWidget *>(QStringLiteral("Rect")); }
};

} // namespace

class TestFeedback : public QObject {
    Q_OBJECT
private slots:
    void layerLastsItsTime_data();
    void layerLastsItsTime();
    void followUpCommand_data();
    void followUpCommand();
    void followUpGoesToTheBrokerOnce();
    void overlappingPeriodsClearPendingAtFirstEnd();
    void failedFollowUpStillTearsDown();
    void failedFollowUpThroughAnOfflineLink();
    void layerSwallowsClicksAndDragsTheWindow();
};

void TestFeedback::layerLastsItsTime_data()
{
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("fast");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("shownMs");
    QTest::newRow("long form, odd ms") << 301 << false << 150 << 300;
    QTest::newRow("short form, odd ms") << 301 << true << 150 << 150;
    QTest::newRow("long form, even ms") << 400 << false << 200 << 400;
    QTest::newRow("one millisecond") << 1 << false << 0 << 0;
    QTest::newRow("negative time ends at once") << -50 << true << 0 << 0;
}

void TestFeedback::layerLastsItsTime()
{
    QFETCH(int, ms);
    QFETCH(bool, fast);
    QFETCH(int, interval);
    QFETCH(int, shownMs);
    Window w;
    w.state.CommandPending = true;
    const QColor background = w.main.grab().toImage().pixelColor(5, 5);
    QElapsedTimer clock;
    clock.start();
    QPointer<TLoad> load = new TLoad(&w.main, ms, QString(), fast, w.hooks());
    QCOMPARE(load->Tim->interval(), interval);
    QCOMPARE(load->Tim->objectName(), QStringLiteral("Tim"));

    // The layer covers the whole window; the indicator fills it and ignores the mouse.
    QCOMPARE(w.layers().size(), 1);
    QWidget *layer = w.layers().first();
    QCOMPARE(layer, load->Rect.data());
    QCOMPARE(layer->geometry(), w.main.rect());
    QVERIFY(layer->isVisible());
    QCOMPARE(load->LoadAnimation->objectName(), QStringLiteral("LoadAnimation"));
    QCOMPARE(load->LoadAnimation->parentWidget(), layer);
    QCOMPARE(load->LoadAnimation->geometry(), layer->rect());
    QVERIFY(load->LoadAnimation->testAttribute(Qt::WA_TransparentForMouseEvents));
    // White at alpha 0xDD over the window.
    const QColor covered = w.main.grab().toImage().pixelColor(5, 5);
    const auto blend = [](int below) { return (0xDD * 255 + (255 - 0xDD) * below) / 255; };
    QVERIFY(qAbs(covered.red() - blend(background.red())) <= 2);
    QVERIFY(qAbs(covered.green() - blend(background.green())) <= 2);
    QVERIFY(qAbs(covered.blue() - blend(background.blue())) <= 2);

    // The window grows: the layer follows.
    w.main.resize(1100, 760);
    QCOMPARE(layer->geometry(), w.main.rect());

    QTRY_VERIFY_WITH_TIMEOUT(w.layers().isEmpty(), shownMs + 2000);
    const qint64 took = clock.elapsed();
    QVERIFY2(took >= shownMs - 5 && took <= shownMs + 150, qPrintable(QString::number(took)));
    QVERIFY(!w.state.CommandPending);
    QTRY_VERIFY(load.isNull()); // it deleted itself
    QVERIFY(w.published.isEmpty());
}

void TestFeedback::followUpCommand_data()
{
    QTest::addColumn<bool>("fast");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("published");
    QTest::newRow("long form sends its command") << false << "1;9;" << QStringList{"1;9;"};
    QTest::newRow("short form sends nothing") << true << "1;9;" << QStringList{};
    QTest::newRow("long form without command") << false << "" << QStringList{};
}

void TestFeedback::followUpCommand()
{
    QFETCH(bool, fast);
    QFETCH(QString, command);
    QFETCH(QStringList, published);
    Window w;
    w.state.CommandPending = true;
    new TLoad(&w.main, 200, command, fast, w.hooks());
    QTest::qWait(50);
    QVERIFY(w.published.isEmpty()); // nothing before the end
    QTRY_VERIFY(w.layers().isEmpty());
    QTest::qWait(250);
    QCOMPARE(w.published, published);
    QVERIFY(!w.state.CommandPending);
    QVERIFY(w.errors.isEmpty());
}

void TestFeedback::followUpGoesToTheBrokerOnce()
{
    BrokerProcess broker;
    QVERIFY(broker.start());
    DeploymentConfig config;
    config.brokerHost = broker.host();
    config.brokerPort = broker.port();
    Window w;
    w.state.ActiveUser.ActiveTopic = QStringLiteral("SER9");
    w.state.LoginMode = 1;
    DeviceLink link(w.state, config);
    link.ConnectMQTT();
    QTRY_VERIFY(link.IsConnected());
    TopicRecorder recorder(broker, QStringLiteral("SER9/Out"));
    QVERIFY(recorder.isReady());

    QElapsedTimer clock;
    clock.start();
    new TLoad(&w.main, 600, QStringLiteral("1;9;"), false, w.state, link,
              [&](const QString &e) { w.errors << e; });
    QTest::qWait(400);
    QCOMPARE(recorder.count(QStringLiteral("SER9/Out 1;9;")), 0);
    QVERIFY(recorder.waitFor(QStringLiteral("SER9/Out 1;9;"), 2000));
    QVERIFY(clock.elapsed() >= 595);
    QTest::qWait(700);
    QCOMPARE(recorder.count(QStringLiteral("SER9/Out 1;9;")), 1);
    QVERIFY(w.errors.isEmpty());
}

void TestFeedback::overlappingPeriodsClearPendingAtFirstEnd()
{
    Window w;
    w.state.CommandPending = true;
    QPointer<TLoad> first = new TLoad(&w.main, 200, QString(), false, w.hooks());
    QPointer<TLoad> second = new TLoad(&w.main, 700, QString(), false, w.hooks());
    QCOMPARE(w.layers().size(), 2);
    // The later layer lies on top.
    QCOMPARE(w.main.childAt(500, 350), second->Rect.data());

    QTRY_VERIFY(first.isNull());
    QVERIFY(!w.state.CommandPending);
    QVERIFY(!second.isNull());
    QCOMPARE(w.layers().size(), 1);
    w.state.CommandPending = true; // set again by a later command
    QTRY_VERIFY(second.isNull());
    QVERIFY(w.layers().isEmpty());
    QVERIFY(!w.state.CommandPending);
}

void TestFeedback::failedFollowUpStillTearsDown()
{
    Window w;
    w.failPublish = true;
    w.state.CommandPending = true;
    QPointer<TLoad> load = new TLoad(&w.main, 100, QStringLiteral("1;9;"), false, w.hooks());
    QTRY_VERIFY(load.isNull());
    QVERIFY(w.layers().isEmpty());
    QVERIFY(!w.state.CommandPending);
    QCOMPARE(w.errors, QStringList{QStringLiteral("offline")});
    QTest::qWait(200);
    QCOMPARE(w.errors.size(), 1);
}

void TestFeedback::failedFollowUpThroughAnOfflineLink()
{
    Window w;
    w.state.ActiveUser.ActiveTopic = QStringLiteral("SER9");
    w.state.CommandPending = true;
    DeviceLink link(w.state, DeploymentConfig{});
    QPointer<TLoad> load = new TLoad(&w.main, 100, QStringLiteral("1;9;"), false, w.state, link,
                                     [&](const QString &e) { w.errors << e; });
    QTRY_VERIFY(load.isNull());
    QVERIFY(w.layers().isEmpty());
    QVERIFY(!w.state.CommandPending);
    QCOMPARE(w.errors.size(), 1);
    QVERIFY(!w.errors.first().isEmpty());
}

void TestFeedback::layerSwallowsClicksAndDragsTheWindow()
{
    Window w;
    auto *button = new QPushButton(QStringLiteral("below"), &w.main);
    button->setGeometry(400, 300, 200, 100);
    button->show();
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1); // the button works without a layer

    auto *load = new TLoad(&w.main, 4000, QString(), false, w.hooks());
    QWidget *layer = load->Rect;
    const QPoint onButton(500, 350);
    QCOMPARE(w.main.childAt(onButton), layer);
    QTest::mouseClick(layer, Qt::LeftButton, {}, onButton);
    QTest::mouseClick(layer, Qt::RightButton, {}, onButton);
    QTest::mouseDClick(layer, Qt::LeftButton, {}, onButton);
    QCOMPARE(clicked.size(), 1);

    // Hovering never moves the window.
    const QPoint start = w.main.pos();
    QTest::mouseMove(layer, QPoint(100, 100));
    QTest::mouseMove(layer, QPoint(300, 250));
    QCOMPARE(w.main.pos(), start);

    // Dragging with the left button held does.
    QTest::mousePress(layer, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(layer, QPoint(140, 130));
    QTRY_COMPARE(w.main.pos(), start + QPoint(40, 30));
    QTest::mouseRelease(layer, Qt::LeftButton, {}, QPoint(100, 100));
    const QPoint after = w.main.pos();
    QTest::mouseMove(layer, QPoint(300, 300));
    QCOMPARE(w.main.pos(), after);
    delete load; // the window goes before the period ends: no crash, no tick later
    delete layer;
}

QTEST_MAIN(TestFeedback)
#include "test_feedback.moc"
