// The controller clock page of the overview: the PC's time next to the
// controller's, polled once a second while the overview is open, and the
// set-clock command.
#include "link/ClockText.h"
#include "link/Command.h"
#include "link/DeviceLink.h"
#include "ui/PictureButton.h"
#include "ui/TfrmMain.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel *clockLabel(const QString &name, const QString &text, QWidget *parent, int pointSize, bool bold = false)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    QFont f = label->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

} // namespace

void TfrmMain::buildClockPage()
{
    auto *outer = new QVBoxLayout(TabOverviewSynchronize);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *header = new QHBoxLayout;
    SpeedButton13 = pictureButton(QStringLiteral("SpeedButton13"), QStringLiteral("back"), QStringLiteral("Назад"),
                                  TabOverviewSynchronize);
    connect(SpeedButton13, &QToolButton::clicked, this, [this] { SpeedButtonOverviewBackClick(); });
    header->addWidget(SpeedButton13);
    header->addStretch(1);
    outer->addLayout(header);

    auto *scroll = new QScrollArea(TabOverviewSynchronize);
    scroll->setObjectName(QStringLiteral("ScrollBoxSynchronize"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget;
    content->setAutoFillBackground(false);
    auto *col = new QVBoxLayout(content);
    col->setSpacing(6);

    col->addWidget(clockLabel(QStringLiteral("LabelPhoneTimeTitle"), QStringLiteral("Системско Време"), content, 16, true));
    lblSyTime = clockLabel(QStringLiteral("lblSyTime"), QStringLiteral("00:00"), content, 28, true);
    lblSyDate = clockLabel(QStringLiteral("lblSyDate"), QString(), content, 14);
    lblSyDay = clockLabel(QStringLiteral("lblSyDay"), QString(), content, 14);
    for (QWidget *w : std::initializer_list<QWidget *>{lblSyTime, lblSyDate, lblSyDay})
        col->addWidget(w);

    PanelSynchronize = new QWidget(content);
    PanelSynchronize->setObjectName(QStringLiteral("PanelSynchronize"));
    auto *sync = new QHBoxLayout(PanelSynchronize);
    btnSySynchronize = new QPushButton(QStringLiteral("СИНХРОНИЗИРАЈ"), PanelSynchronize);
    btnSySynchronize->setObjectName(QStringLiteral("btnSySynchronize"));
    btnSySynchronize->setAccessibleName(btnSySynchronize->text());
    btnSySynchronize->setMinimumSize(220, 40);
    connect(btnSySynchronize, &QPushButton::clicked, this, [this] { btnSySynchronizeClick(); });
    sync->addStretch(1);
    sync->addWidget(btnSySynchronize);
    sync->addStretch(1);
    col->addWidget(PanelSynchronize);

    col->addWidget(clockLabel(QStringLiteral("LabelControllerTimeTitle"), QStringLiteral("Време на Контролер"), content, 16, true));
    lblSyTimeCOntroller = clockLabel(QStringLiteral("lblSyTimeCOntroller"), QStringLiteral("00:00"), content, 28, true);
    lblSyDateController = clockLabel(QStringLiteral("lblSyDateController"), QString(), content, 14);
    lblSyDayController = clockLabel(QStringLiteral("lblSyDayController"), QString(), content, 14);
    for (QWidget *w : std::initializer_list<QWidget *>{lblSyTimeCOntroller, lblSyDateController, lblSyDayController})
        col->addWidget(w);
    col->addStretch(1);
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);

    timerClock.setObjectName(QStringLiteral("timerClock"));
    timerClock.setInterval(1000);
    connect(&timerClock, &QTimer::timeout, this, [this] { timerClockTimer(); });
}

void TfrmMain::SpeedButtonOverviewSynchronizeClick()
{
    try {
        timerClockTimer();
        timerClock.start();
        slideTo(TabControlOverview, TabOverviewSynchronize);
    } catch (const std::exception &) {
        MsgError(QStringLiteral("Се појави грешка, обидете се повторно!"));
    }
}

void TfrmMain::timerClockTimer()
{
    if (TabControlMain->currentWidget() != tabOverview) {
        // Polling stops once the overview is left; opening the page starts it again.
        timerClock.stop();
        return;
    }
    const ClockLabels pc = pcClockLabels(QDateTime::currentDateTime());
    lblSyTime->setText(pc.time);
    lblSyDate->setText(pc.date);
    lblSyDay->setText(pc.day);
    if (m_link->isConnected()) {
        try {
            m_link->ReadBatchAREG(30, 7);
        } catch (const std::exception &) {
            // The connection went between the check and the send: the next tick tries again.
        }
    }
}

void TfrmMain::btnSySynchronizeClick()
{
    guarded([this] { m_link->Publish(Command::SetClock(QDateTime::currentDateTime())); });
}

void TfrmMain::showControllerClock(const QStringList &fields)
{
    ClockLabels labels{lblSyDateController->text(), lblSyDayController->text(), lblSyTimeCOntroller->text()};
    applyClockAnswer(fields, labels);
    lblSyDateController->setText(labels.date);
    lblSyDayController->setText(labels.day);
    lblSyTimeCOntroller->setText(labels.time);
}

void TfrmMain::SpeedButtonOverviewBackClick()
{
    slideTo(TabControlOverview, TabOverviewMain);
}
