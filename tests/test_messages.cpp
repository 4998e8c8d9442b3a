// The message routines, the dialog window and the covering layers.
#include "support/DialogWatcher.h"
#include "ui/CoverLayer.h"
#include "ui/Messages.h"
#include "ui/TFrmMessage.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestMessages : public QObject {
    Q_OBJECT
private slots:
    void confirmAnswers_data();
    void confirmAnswers();
    void confirmProcRunsOnlyAfterOk();
    void okOnlyRoutinesCentreOk_data();
    void okOnlyRoutinesCentreOk();
    void longTextScrollsInFixedSize();
    void textIsPlain();
    void nestedDialogsCloseInReverseOrder();
    void coverSwallowsClicks();
    void coverMovesWindowOnlyWhileButtonHeld();
};

void TestMessages::confirmAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("expected");
    QTest::newRow("OK button") << int(DialogWatcher::Answer::Ok) << true;
    QTest::newRow("Enter") << int(DialogWatcher::Answer::Enter) << true;
    QTest::newRow("Cancel button") << int(DialogWatcher::Answer::Cancel) << false;
    QTest::newRow("Escape") << int(DialogWatcher::Answer::Escape) << false;
}

void TestMessages::confirmAnswers()
{
    QFETCH(int, answer);
    QFETCH(bool, expected);
    DialogWatcher watcher;
    watcher.script({DialogWatcher::Answer(answer)});
    QCOMPARE(Messages::MsgConfirm(nullptr, QStringLiteral("Дали?")), expected);
    QCOMPARE(watcher.texts(), QStringList{QStringLiteral("Дали?")});
}

void TestMessages::confirmProcRunsOnlyAfterOk()
{
    DialogWatcher watcher;
    int runs = 0;
    watcher.script({DialogWatcher::Answer::Cancel, DialogWatcher::Answer::Ok, DialogWatcher::Answer::Ok});
    Messages::MsgConfirmProc(nullptr, QStringLiteral("a"), [&] { ++runs; });
    QCOMPARE(runs, 0);
    Messages::MsgConfirmProc(nullptr, QStringLiteral("b"), [&] { ++runs; });
    QCOMPARE(runs, 1);
    // An absent procedure: the question is shown and nothing happens after OK.
    Messages::MsgConfirmProc(nullptr, QStringLiteral("c"), {});
    QCOMPARE(watcher.texts().size(), 3);
}

void TestMessages::okOnlyRoutinesCentreOk_data()
{
    QTest::addColumn<int>("routine");
    for (int r = 0; r < 4; ++r)
        QTest::newRow(QByteArray::number(r)) << r;
}

void TestMessages::okOnlyRoutinesCentreOk()
{
    QFETCH(int, routine);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<TFrmMessage *>(QApplication::activeModalWidget()));
        auto *d = qobject_cast<TFrmMessage *>(QApplication::activeModalWidget());
        QVERIFY(d->ButtonCancel->isHidden());
        QCOMPARE(d->ButtonOk->x(), (TFrmMessage::designWidth - d->ButtonOk->width()) / 2);
        QVERIFY(!d->GlyphMessage->pixmap().isNull());
        checked = true;
        QTest::keyClick(d, Qt::Key_Escape);  // Escape closes an OK-only dialog as well
    });
    using Routine = void (*)(QWidget *, const QString &);
    const Routine routines[] = {Messages::MsgWarning, Messages::MsgError, Messages::MsgSuccess, Messages::MsgInfo};
    routines[routine](nullptr, QStringLiteral("x"));
    QVERIFY(checked);
}

void TestMessages::longTextScrollsInFixedSize()
{
    QStringList lines;
    for (int i = 1; i <= 10; ++i)
        lines << QStringLiteral("Ред број %1 од една подолга порака за корисникот").arg(i);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<TFrmMessage *>(QApplication::activeModalWidget()));
        auto *d = qobject_cast<TFrmMessage *>(QApplication::activeModalWidget());
        QCOMPARE(d->size(), QSize(510, 200));
        QTRY_VERIFY(d->ScrollBox1->verticalScrollBar()->maximum() > 0);
        checked = true;
        d->ButtonOk->click();
    });
    Messages::MsgInfo(nullptr, lines.join(QStringLiteral("\r\n")));
    QVERIFY(checked);
}

void TestMessages::textIsPlain()
{
    TFrmMessage d;
    d.setText(QStringLiteral("<b>Марко</b>"));
    QCOMPARE(d.LabelMessage->textFormat(), Qt::PlainText);
    QCOMPARE(d.LabelMessage->text(), QStringLiteral("<b>Марко</b>"));
}

void TestMessages::nestedDialogsCloseInReverseOrder()
{
    // A timer opens a second dialog while the first waits; each call destroys
    // exactly its own window, innermost first.
    QStringList order;
    DialogWatcher watcher;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        QPointer<QWidget> outer = QApplication::activeModalWidget();
        Messages::MsgWarning(nullptr, QStringLiteral("inner"));
        order << QStringLiteral("inner closed");
        QVERIFY(outer);  // the outer dialog survived the inner one
    });
    Messages::MsgInfo(nullptr, QStringLiteral("outer"));
    order << QStringLiteral("outer closed");
    QCOMPARE(order, (QStringList{QStringLiteral("inner closed"), QStringLiteral("outer closed")}));
    const QWidgetList left = QApplication::topLevelWidgets();
    QVERIFY(std::none_of(left.cbegin(), left.cend(), [](QWidget *w) { return qobject_cast<TFrmMessage *>(w); }));
}

void TestMessages::coverSwallowsClicks()
{
    QMainWindow window;
    window.resize(1000, 700);
    auto *below = new QPushButton(QStringLiteral("below"), &window);
    below->setGeometry(100, 100, 200, 50);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicked(below, &QPushButton::clicked);

    auto *cover = new CoverLayer(&window);
    cover->show();
    cover->raise();
    QCOMPARE(cover->geometry(), window.rect());
    QTest::mouseClick(window.childAt(150, 125), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(window.childAt(150, 125), cover->childAt(150, 125) ? cover->childAt(150, 125) : cover);

    cover->hide();
    QTest::mouseClick(below, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
}

void TestMessages::coverMovesWindowOnlyWhileButtonHeld()
{
    QMainWindow window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.resize(400, 300);
    window.move(100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *cover = new CoverLayer(&window);
    cover->show();
    const QPoint start = window.pos();

    // Hovering without a button moves nothing.
    QTest::mouseMove(cover, QPoint(50, 50));
    QTest::mouseMove(cover, QPoint(150, 120));
    QCOMPARE(window.pos(), start);

    // Pressing the left button and dragging moves the window with the mouse.
    QTest::mousePress(cover, Qt::LeftButton, {}, QPoint(50, 50));
    QMouseEvent drag(QEvent::MouseMove, QPointF(90, 80), cover->mapToGlobal(QPointF(90, 80)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cover, &drag);
    QTest::mouseRelease(cover, Qt::LeftButton, {}, QPoint(90, 80));
    QVERIFY(window.pos() != start);
}

QTEST_MAIN(TestMessages)
#include "test_messages.moc"
