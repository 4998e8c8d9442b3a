// Navigation and window chrome of the main window: tab sets, tab captions,
// the restricted look, the title strip, the operating-mode choice, the login
// error timer, the language and the status strip.
#include "link/DeviceLink.h"
#include "link/PublishError.h"
#include "panels/PanelRefresh.h"
#include "ui/ListBox.h"
#include "ui/MarkableTabWidget.h"
#include "ui/PictureList.h"
#include "ui/PopupComboBox.h"
#include "ui/StatusCircle.h"
#include "ui/TfrmMain.h"
#include "ui/TranslationTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

int tabTag(const QWidget *page)
{
    return page ? page->property("tag").toInt() : 0;
}

} // namespace

void TfrmMain::TabShowTabs(QTabWidget *TabCtrl, int TabTag)
{
    // Each decimal digit of TabTag is the tag of tabs to show, taken from the
    // right; the active tab ends as the last tab whose tag is the leftmost digit.
    for (int i = 0; i < TabCtrl->count(); ++i)
        TabCtrl->setTabVisible(i, false);
    while (TabTag > 0) {
        const int digit = TabTag % 10;
        for (int i = 0; i < TabCtrl->count(); ++i) {
            if (tabTag(TabCtrl->widget(i)) == digit) {
                TabCtrl->setTabVisible(i, true);
                TabCtrl->setCurrentIndex(i);
            }
        }
        TabTag /= 10;
    }
}

void TfrmMain::TabColor(QTabWidget *tabs, QWidget *tab, bool Enable, QRgb Clr)
{
    const int index = tabs ? tabs->indexOf(tab) : -1;
    if (index < 0)
        return;
    // Marked: bold in the given colour; unmarked: plain black, whatever Clr is.
    tabs->tabBar()->setTabTextColor(index, Enable ? QColor::fromRgba(Clr) : QColor(Qt::black));
    if (auto *bar = qobject_cast<MarkableTabBar *>(tabs->tabBar()))
        bar->setTabMarked(index, Enable);
}

void TfrmMain::AccessChangeLook()
{
    const bool restricted = m_state.ActiveUser.AccessLvl == 1;
    btnPCreateNewUser->setVisible(!restricted);
    tabSettings->setProperty("tag", restricted ? 100 : 2);
    PanelSetTimerContainer->setVisible(!restricted);
    PanelSynchronize->setVisible(!restricted);
    LayoutDevicesAddNew->setVisible(!restricted);
}

void TfrmMain::TabControlMainChange()
{
    if (TabControlMain->currentWidget() == TabUser)
        ActiveUserCredentials(m_state.ActiveUser);
}

void TfrmMain::tabOverviewMouseDown()
{
    listBoxOverview->scrollToTop();
    TabControlOverview->setCurrentWidget(TabOverviewMain);
}

void TfrmMain::tabSettingsMouseDown()
{
    listBoxSettings->scrollToTop();
}

void TfrmMain::TabUserMouseDown()
{
    TabControlUser->setCurrentWidget(TabUserMain);
}

void TfrmMain::ImageBorderMinimizeClick()
{
    showMinimized();
}

void TfrmMain::ImageBorderMaximizeClick()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        showNormal();
    else
        showMaximized();
}

void TfrmMain::ImageBorderCloseClick()
{
    CloseProc();
    stopWorkers();
    qApp->quit();
}

void TfrmMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && ImageBorderMaximize) {
        const bool maximised = windowState() & Qt::WindowMaximized;
        ImageBorderMaximize->setIcon(PictureList::namedIcon(maximised ? QStringLiteral("title-restore")
                                                                      : QStringLiteral("title-maximize")));
    }
    QMainWindow::changeEvent(event);
}

void TfrmMain::cmbBoxModeClick()
{
    cmbBoxMode->setProperty("tag", cmbBoxMode->currentIndex());
}

void TfrmMain::cmbBoxModeClosePopup()
{
    const int index = cmbBoxMode->currentIndex();
    const int before = cmbBoxMode->property("tag").toInt();
    if (index == before)
        return;
    try {
        m_link->WriteHREG(1, index + 1);
    } catch (const PublishError &e) {
        // Not sent: show the mode the controller still has, then the error.
        cmbBoxMode->setCurrentIndex(before);
        MsgError(e.text());
        return;
    }
    m_state.CommandPending = true;
    startFeedback(6000, QString(), true);
}

void TfrmMain::timerUniversalTimer()
{
    lblLoginError->hide();
    LabelLoginManagerError->hide();
    timerUniversal.stop();
}

void TfrmMain::applyLanguage(QWidget *root)
{
    // The language is chosen once at start. With "en", every text equal to an
    // entry of the table shows the entry's English text; panel fields built
    // later pass through here too. Any other code leaves the designed
    // Macedonian texts as they are.
    if (Lang->isEmpty())
        return;
    if (!root)
        root = this;
    auto english = [this](const QObject *o, const QString &text) {
        return Lang->lookup(o->property("translateUpperCase").toBool() ? text.toUpper() : text);
    };
    for (QLabel *l : root->findChildren<QLabel *>()) {
        const QString e = english(l, l->text());
        if (!e.isEmpty())
            l->setText(e);
    }
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        const QString e = english(b, b->text());
        if (!e.isEmpty())
            b->setText(e);
    }
    for (QLineEdit *edit : root->findChildren<QLineEdit *>()) {
        const QString e = english(edit, edit->placeholderText());
        if (!e.isEmpty())
            edit->setPlaceholderText(e);
    }
    for (QComboBox *c : root->findChildren<QComboBox *>()) {
        for (int i = 0; i < c->count(); ++i) {
            const QString e = english(c, c->itemText(i));
            if (!e.isEmpty())
                c->setItemText(i, e);
        }
    }
    for (QTabWidget *t : root->findChildren<QTabWidget *>()) {
        for (int i = 0; i < t->count(); ++i) {
            const QString e = english(t, t->tabText(i));
            if (!e.isEmpty())
                t->setTabText(i, e);
        }
    }
}

void TfrmMain::showLinkStatus(const QString &text, QRgb colour)
{
    lblConnected->setText(text);
    lblConnected->setStyleSheet(QStringLiteral("color: %1;").arg(QColor::fromRgba(colour).name(QColor::HexArgb)));
}

void TfrmMain::setCircleColour(QRgb colour)
{
    circleConnected->setFill(colour);
}

void TfrmMain::ConnectMQTT()
{
    m_link->ConnectMQTT();
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == panelbackground && event->type() == QEvent::Resize && rectConnected) {
        layoutLayers();
    } else if (watched == TabControlMain && event->type() == QEvent::Paint && m_panelRefresh) {
        m_panelRefresh->FlowLayoutSensorsResize();
    } else if (watched == RectangleBorder) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            ImageBorderMaximizeClick();
            return true;
        }
        if (m_titleMover.handle(this, event))
            return true;
    } else if (TabControlMain && watched == TabControlMain->tabBar() && event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        const int index = TabControlMain->tabBar()->tabAt(me->position().toPoint());
        QWidget *page = index >= 0 ? TabControlMain->widget(index) : nullptr;
        // A click on a main tab always lands on that tab's first page, at the top.
        if (page == tabOverview)
            tabOverviewMouseDown();
        else if (page == tabSettings)
            tabSettingsMouseDown();
        else if (page == TabUser)
            TabUserMouseDown();
    }
    return QMainWindow::eventFilter(watched, event);
}
