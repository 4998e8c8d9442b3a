// Start-up, shutdown, the Escape/Back keys and the message routines of the
// main window.
#include "accounts/SqlConnection.h"
#include "accounts/SqlError.h"
#include "link/DeviceLink.h"
#include "link/PublishError.h"
#include "link/TLoad.h"
#include "panels/PanelRefresh.h"
#include "ui/CoverLayer.h"
#include "ui/BusyIndicator.h"
#include "ui/Messages.h"
#include "ui/TfrmMain.h"
#include "ui/TranslationTable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>

void TfrmMain::FormCreate()
{
    Init();

    // The settings file: remembered login, language, schematic, position.
    const StoredSettings stored = m_settings.read();
    editLoginUsernameEnter->setText(stored.name);
    editLoginPasswordEnter->setText(stored.pass);
    Lang->setLanguage(stored.language);
    applyLanguage();
    m_state.SchematicNumber = stored.schematic;
    QPoint topLeft;
    if (QScreen *screen = this->screen())
        topLeft = screen->availableGeometry().topLeft();
    move(stored.left.value_or(topLeft.x()), stored.top.value_or(topLeft.y()));

    m_link->startPolling();

    TabShowTabs(TabControlMain, 17);
    TabControlMain->setCurrentWidget(tabLogin);

    LoadingShow();
    m_panelRefresh->start();

    m_databaseTask = std::thread([this] { DatabaseConnectTask(); });
}

void TfrmMain::Init()
{
    resize(1000, 700);
    RectangleBorder->setVisible(true);
    RectangleBackgroundCover->lower();
    imageBackground->lower();
    m_state.ForceSchematicReload = false;
    m_state.LoginMode = 0;
    m_state.CommandPending = false;
    PanelLogin->show();
    PanelLoginManager->hide();

    // Escape, and the Back key of devices that have one, walk back through the pages.
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Back)}) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, key] { FormKeyDown(key); });
    }
}

void TfrmMain::DatabaseConnectTask()
{
    // Runs on a thread of its own. The connection itself lives on the
    // database thread; this one only waits for the outcome, then hands it to
    // the UI thread without waiting there, so shutdown can always join it.
    enum class Outcome { Connected, Failed, Raised };
    Outcome outcome = Outcome::Connected;
    try {
        if (!m_database->ConnectSQL(TDatabaseCredentials::fromConfig(m_config)))
            outcome = Outcome::Failed;
    } catch (...) {
        outcome = Outcome::Raised;
    }
    QMetaObject::invokeMethod(
        this,
        [this, outcome] {
            QPointer<TfrmMain> self(this);
            if (outcome == Outcome::Failed)
                MsgError(QStringLiteral("Неуспешно поврзување со базата. Проверете ја вашата интернет конекција!"));
            else if (outcome == Outcome::Raised)
                MsgError(QStringLiteral("Се појави проблем. Проверете ја вашата интернет конекција!"));
            if (!self)
                return;
            LoadingHide();
            m_databaseTaskDone = true;
        },
        Qt::QueuedConnection);
}

void TfrmMain::stopWorkers()
{
    if (m_workersStopped)
        return;
    m_workersStopped = true;
    m_panelRefresh->timer().stop();
    m_link->stop();
    if (m_databaseTask.joinable())
        m_databaseTask.join();
}

void TfrmMain::CloseProc()
{
    if (m_link->isConnected())
        m_link->Disconnect();
    m_settings.writeShutdown(Lang->language(), m_state.SchematicNumber, pos());
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    CloseProc();
    QMainWindow::closeEvent(event);
}

void TfrmMain::btnEExitClick()
{
    CloseProc();
    stopWorkers();
    qApp->quit();
}

bool TfrmMain::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape && key != Qt::Key_Back && key != 27 && key != 137)
        return false;
    QWidget *active = TabControlMain->currentWidget();
    if (active == tabRegister) {
        if (TabControlRegister->currentWidget() == TabRegisterDevice) {
            // Back from the first step of the registration: to the login tab.
            TabShowTabs(TabControlMain, 17);
            TabControlMain->setCurrentWidget(tabLogin);
        } else if (TabControlRegister->currentWidget() == TabRegisterUser) {
            if (m_state.LoginMode != 0) {
                TabShowTabs(TabControlMain, 27);
                TabControlMain->setCurrentWidget(TabUser);
            } else {
                slideTo(TabControlRegister, TabRegisterDevice);
            }
        }
        return true;
    }
    if (active == tabManagers && TabControlManager->currentWidget() != TabManagerOverview) {
        slideTo(TabControlManager, TabManagerOverview);
        return true;
    }
    if (active == tabOverview && TabControlOverview->currentWidget() != TabOverviewMain) {
        slideTo(TabControlOverview, TabOverviewMain);
        return true;
    }
    if (active == TabUser && TabControlUser->currentWidget() != TabUserMain) {
        if (TabControlUser->currentWidget() == TabUserDevices && TabControlDevices->currentWidget() != TabDevicesMain)
            slideTo(TabControlDevices, TabDevicesMain);
        else
            slideTo(TabControlUser, TabUserMain);
        return true;
    }
    TabControlMain->setCurrentWidget(tabExit);
    return true;
}

void TfrmMain::slideTo(QStackedWidget *control, QWidget *page)
{
    control->setCurrentWidget(page);
}

// --- Messages and the busy overlay ---

void TfrmMain::MsgWarning(const QString &text) { Messages::MsgWarning(this, text); }
void TfrmMain::MsgError(const QString &text) { Messages::MsgError(this, text); }
void TfrmMain::MsgSuccess(const QString &text) { Messages::MsgSuccess(this, text); }
void TfrmMain::MsgInfo(const QString &text) { Messages::MsgInfo(this, text); }
bool TfrmMain::MsgConfirm(const QString &text) { return Messages::MsgConfirm(this, text); }

void TfrmMain::MsgConfirmProc(const QString &text, const std::function<void()> &proc)
{
    Messages::MsgConfirmProc(this, text, proc);
}

void TfrmMain::LoadingShow()
{
    RectangleLoading->indicator()->setRunning(true);
    RectangleLoading->show();
    RectangleLoading->raise();
    RectangleLoading->setFocus();
}

void TfrmMain::LoadingHide()
{
    RectangleLoading->hide();
    RectangleLoading->indicator()->setRunning(false);
    // The window is ready: the keyboard serves the login at once.
    if (TabControlMain->currentWidget() == tabLogin && !PanelLogin->isHidden()) {
        if (editLoginUsernameEnter->text().isEmpty())
            editLoginUsernameEnter->setFocus();
        else
            editLoginPasswordEnter->setFocus();
    }
}

bool TfrmMain::isLoadingShown() const
{
    return !RectangleLoading->isHidden();
}

void TfrmMain::startFeedback(int ms, const QString &command, bool fast)
{
    new TLoad(this, ms, command, fast, m_state, *m_link, [this](const QString &error) { MsgError(error); });
}

void TfrmMain::guarded(const std::function<void()> &body)
{
    QPointer<TfrmMain> self(this);
    QString error;
    try {
        body();
        return;
    } catch (const PublishError &e) {
        error = e.text();
    } catch (const SqlError &e) {
        error = e.text();
    } catch (const std::exception &e) {
        error = QString::fromLocal8Bit(e.what());
    }
    if (self)
        MsgError(error);
}
