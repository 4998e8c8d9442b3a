// The panels of the main window: the overview and settings lists built from
// the controller's schematic, their refresh, and the schematic picture page.
#include "accounts/SqlConnection.h"
#include "link/DeviceLink.h"
#include "panels/PanelBuilder.h"
#include "panels/PanelRefresh.h"
#include "panels/SchematicPicture.h"
#include "ui/ListBox.h"
#include "ui/PictureButton.h"
#include "ui/TfrmMain.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

void TfrmMain::buildPanels()
{
    m_panelView.FillArchivePlot = [this](std::array<QString, 4> defaults, std::array<QString, 4> plots) {
        // The chart takes these titles when it is drawn; a controller's own
        // title wins over the layout's.
        for (int i = 0; i < 4; ++i)
            archiveSeriesTitles[i] = plots[i].isEmpty() ? defaults[i] : plots[i];
    };
    m_panelBuilder = std::make_unique<PanelBuilder>(m_panelView, m_state, m_database.get(), this);
    m_panelRefresh = new PanelRefresh(m_state, *m_panelBuilder, [this] { return m_database->isConnected(); }, this);
    m_panelRefresh->panelsRebuilt = [this] {
        applyLanguage(listBoxOverview);
        applyLanguage(listBoxSettings);
        applyLanguage(TabControlExit);
    };
    // Before each paint of the main tab control the sensor tiles are laid out again.
    TabControlMain->installEventFilter(this);
}

void TfrmMain::TimerSchematicTimer()
{
    m_panelRefresh->TimerSchematicTimer();
}

void TfrmMain::buildSchematicPage()
{
    auto *outer = new QVBoxLayout(TabOverviewSchematic);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *header = new QHBoxLayout;
    header->setContentsMargins(8, 4, 8, 4);
    SpeedButtonOverviewSchematicBack = pictureButton(QStringLiteral("SpeedButtonOverviewSchematicBack"),
                                                     QStringLiteral("back"), QStringLiteral("Назад"), TabOverviewSchematic);
    connect(SpeedButtonOverviewSchematicBack, &QToolButton::clicked, this, [this] { SpeedButtonOverviewBackClick(); });
    header->addWidget(SpeedButtonOverviewSchematicBack);
    auto *title = new QLabel(QStringLiteral("Шема на поврзување"), TabOverviewSchematic);
    title->setObjectName(QStringLiteral("LabelSchematicTitle"));
    QFont f = title->font();
    f.setPointSize(16);
    f.setBold(true);
    title->setFont(f);
    header->addWidget(title, 1);
    sBtnSchemeResize = pictureButton(QStringLiteral("sBtnSchemeResize"), QStringLiteral("schematic"),
                                     QStringLiteral("Промени големина"), TabOverviewSchematic);
    connect(sBtnSchemeResize, &QToolButton::clicked, this, [this] { sBtnSchemeResizeClick(); });
    header->addWidget(sBtnSchemeResize);
    outer->addLayout(header);

    HorzScrollBoxSchematic = new QScrollArea(TabOverviewSchematic);
    HorzScrollBoxSchematic->setObjectName(QStringLiteral("HorzScrollBoxSchematic"));
    HorzScrollBoxSchematic->setFrameShape(QFrame::NoFrame);
    HorzScrollBoxSchematic->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Filling the box means exactly that, whatever the picture's own size.
    GlyphSchematic->setMinimumSize(1, 1);
    GlyphSchematic->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    HorzScrollBoxSchematic->setWidget(GlyphSchematic);
    HorzScrollBoxSchematic->setWidgetResizable(true);
    GlyphSchematic->setProperty("freeSize", false);
    outer->addWidget(HorzScrollBoxSchematic, 1);
}

void TfrmMain::sBtnOSchemeClick()
{
    // The picture fills its scroll box, then the page slides in.
    GlyphSchematic->setProperty("freeSize", false);
    HorzScrollBoxSchematic->setWidgetResizable(true);
    slideTo(TabControlOverview, TabOverviewSchematic);
}

void TfrmMain::sBtnSchemeResizeClick()
{
    if (GlyphSchematic->property("freeSize").toBool()) {
        GlyphSchematic->setProperty("freeSize", false);
        HorzScrollBoxSchematic->setWidgetResizable(true);
        return;
    }
    // Free size: as high as the scroll box, one and a half times as wide,
    // scrolled sideways from the left edge.
    GlyphSchematic->setProperty("freeSize", true);
    HorzScrollBoxSchematic->setWidgetResizable(false);
    const int h = HorzScrollBoxSchematic->viewport()->height();
    GlyphSchematic->setGeometry(0, 0, h * 3 / 2, h);
}

void TfrmMain::WriteHREG(int reg, int value)
{
    m_link->WriteHREG(reg, value);
}

void TfrmMain::startFeedback(int ms, bool fast)
{
    startFeedback(ms, QString(), fast);
}

void TfrmMain::setCommandPending(bool pending)
{
    m_state.CommandPending = pending;
}

void TfrmMain::showError(const QString &text)
{
    MsgError(text);
}
