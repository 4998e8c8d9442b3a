#include "panels/PanelView.h"

#include "ui/ListBox.h"
#include "ui/MarkableTabWidget.h"
#include "ui/PopupComboBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr int headerHeight = 40;

QWidget *makeRow(const char *name, int height, QWidget *content = nullptr)
{
    auto *row = new QWidget;
    row->setObjectName(QString::fromLatin1(name));
    row->setFixedHeight(height);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(content ? 0 : 15, 0, 0, 0);
    if (content)
        layout->addWidget(content);
    return row;
}

QWidget *makeHeader(const char *name, const QString &text)
{
    auto *label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    QFont font = label->font();
    font.setPixelSize(16);
    font.setBold(true);
    label->setFont(font);
    label->setContentsMargins(15, 0, 0, 0);
    return makeRow(name, headerHeight, label);
}

} // namespace

QWidget *PanelView::scheduleTab(int d) const
{
    if (!TabControlExit || d < 1 || d > 4)
        return nullptr;
    return TabControlExit->findChild<QWidget *>(QStringLiteral("tabSched") + QString::number(d));
}

PanelView buildPanelView(QWidget *parent)
{
    PanelView v;

    v.listBoxOverview = new ListBox(parent);
    v.listBoxOverview->setObjectName(QStringLiteral("listBoxOverview"));
    v.lblODevName = new QLabel;
    v.lblODevName->setTextFormat(Qt::PlainText);
    v.lblODevName->setContentsMargins(15, 0, 0, 0);
    v.ListBoxItemOverviewDevName = makeRow("ListBoxItemOverviewDevName", headerHeight, v.lblODevName);
    v.lblOMode = new QLabel;
    v.lblOMode->setTextFormat(Qt::PlainText);
    v.lblOMode->setObjectName(QStringLiteral("lblOMode"));
    v.lblOMode->setContentsMargins(15, 0, 0, 0);
    v.ListBoxItem31 = makeRow("ListBoxItem31", headerHeight, v.lblOMode);
    v.ListBoxItemOTemp = makeHeader("ListBoxItemOTemp", QStringLiteral("Температура"));
    v.FlowLayoutSensors = new QWidget;
    v.FlowLayoutSensors->setObjectName(QStringLiteral("FlowLayoutSensors"));
    v.ListBoxItemSensors = makeRow("ListBoxItemSensors", 100, v.FlowLayoutSensors);
    v.ListBoxItemOState = makeHeader("ListBoxItemOState", QStringLiteral("Состојба"));
    for (QWidget *row : {v.ListBoxItemOverviewDevName, v.ListBoxItem31, v.ListBoxItemOTemp,
                         v.ListBoxItemSensors, v.ListBoxItemOState})
        v.listBoxOverview->addItem(row);

    v.listBoxSettings = new ListBox(parent);
    v.listBoxSettings->setObjectName(QStringLiteral("listBoxSettings"));
    v.ListBoxItemSTemp = makeHeader("ListBoxItemSTemp", QStringLiteral("Температура"));
    v.ListBoxItemSMode = makeHeader("ListBoxItemSMode", QStringLiteral("Режим"));
    v.cmbBoxMode = new PopupComboBox;
    v.cmbBoxMode->setObjectName(QStringLiteral("cmbBoxMode"));
    v.cmbBoxMode->addItems({QStringLiteral("АВТОМАТСКИ"), QStringLiteral("ОДМОР")});
    v.ListBoxItemSModeBox = makeRow("ListBoxItemSModeBox", 50, v.cmbBoxMode);
    v.ListBoxItemSModeBox->layout()->setContentsMargins(15, 5, 15, 5);
    v.ListBoxItemSControl = makeHeader("ListBoxItemSControl", QStringLiteral("Контрола"));
    v.ListBoxItemSOtherDev = makeRow("ListBoxItemSOtherDev", 16);
    for (QWidget *row : {v.ListBoxItemSTemp, v.ListBoxItemSMode, v.ListBoxItemSModeBox, v.ListBoxItemSControl,
                         v.ListBoxItemSOtherDev})
        v.listBoxSettings->addItem(row);

    v.GlyphSchematic = new QLabel(parent);
    v.GlyphSchematic->setObjectName(QStringLiteral("GlyphSchematic"));
    v.GlyphSchematic->setScaledContents(true);

    v.TabControlExit = new MarkableTabWidget(parent);
    v.TabControlExit->setObjectName(QStringLiteral("TabControlExit"));
    const QColor tabColours[] = {QColor(0x69, 0xDB, 0x01), QColor(0x1E, 0x90, 0xFF)};
    for (int d = 1; d <= 4; ++d) {
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("tabSched") + QString::number(d));
        const int index = v.TabControlExit->addTab(page, QStringLiteral("УРЕД ") + QString::number(d));
        v.TabControlExit->tabBar()->setTabTextColor(index, tabColours[(d - 1) % 2]);
    }

    auto *scheduleButton = new QToolButton(parent);
    scheduleButton->setObjectName(QStringLiteral("SpeedButtonOverviewSchedule"));
    v.SpeedButtonOverviewSchedule = scheduleButton;
    return v;
}
