#pragma once

#include "app/DeploymentConfig.h"
#include "app/SettingsFile.h"
#include "app/SharedState.h"
#include "panels/PanelActions.h"
#include "panels/PanelView.h"
#include "ui/WindowMover.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <thread>

class CoverLayer;
class DeviceLink;
class ListBox;
class PanelBuilder;
class PanelRefresh;
class PopupComboBox;
class QAbstractButton;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class SqlConnection;
class StatusCircle;
class TProfileField;
class TranslationTable;

// The main window: every handler of the program's one window. The widgets
// carry the object names the rest of the program finds them by.
class TfrmMain : public QMainWindow, public PanelActions {
    Q_OBJECT
public:
    // Builds the window and runs the start-up sequence (FormCreate).
    explicit TfrmMain(const DeploymentConfig &config, QString settingsPath = SettingsFile::defaultPath(),
                      QWidget *parent = nullptr);
    ~TfrmMain() override;

    SharedState &state() { return m_state; }
    SqlConnection &database() { return *m_database; }
    DeviceLink &link() { return *m_link; }
    const SettingsFile &settings() const { return m_settings; }
    TranslationTable &lang() { return *Lang; }

    // --- Start-up, shutdown, keys ---
    void FormCreate();
    void Init();
    void CloseProc();
    void btnEExitClick();
    bool FormKeyDown(int key);  // true when the key was handled (and consumed)
    // Stops and joins every worker; safe to call more than once.
    void stopWorkers();
    bool databaseTaskDone() const { return m_databaseTaskDone; }

    // --- Messages and the busy overlay ---
    void MsgWarning(const QString &text);
    void MsgError(const QString &text);
    void MsgSuccess(const QString &text);
    void MsgInfo(const QString &text);
    bool MsgConfirm(const QString &text);
    void MsgConfirmProc(const QString &text, const std::function<void()> &proc);
    void LoadingShow();
    void LoadingHide();
    bool isLoadingShown() const;

    // --- Navigation and window chrome ---
    void TabShowTabs(QTabWidget *TabCtrl, int TabTag);
    void TabColor(QTabWidget *tabs, QWidget *tab, bool Enable, QRgb Clr);
    void AccessChangeLook();
    void TabControlMainChange();
    void tabOverviewMouseDown();
    void tabSettingsMouseDown();
    void TabUserMouseDown();
    void ImageBorderMinimizeClick();
    void ImageBorderMaximizeClick();
    void ImageBorderCloseClick();
    void cmbBoxModeClick();
    void cmbBoxModeClosePopup();
    void timerUniversalTimer();
    // Shows every window text that the language table translates.
    void applyLanguage(QWidget *root = nullptr);

    // --- Device link (status strip, clock page) ---
    void ConnectMQTT();
    void SpeedButtonOverviewSynchronizeClick();
    void timerClockTimer();
    void btnSySynchronizeClick();
    void showControllerClock(const QStringList &fields);
    void SpeedButtonOverviewBackClick();
    void showLinkStatus(const QString &text, QRgb colour);
    void setCircleColour(QRgb colour);

    // --- Login ---
    void btnLoginClick();
    void RefreshActiveUser(int UserID);
    void SpeedButtonUserLogoutClick();
    void SpeedButtonChangeLoginClick();
    void SpeedButtonLoginInfoClick();
    // Seams filled in by the controllers, users, panels and schedules views.
    void FillDevices(TUser &user);
    void TimerSchematicTimer();
    void ActiveUserCredentials(const TUser &user);
    void ClearSched();

    // A command-feedback period over the window (TLoad).
    void startFeedback(int ms, const QString &command, bool fast);

    // --- Panels ---
    PanelBuilder &panels() { return *m_panelBuilder; }
    PanelRefresh &panelRefresh() { return *m_panelRefresh; }
    void sBtnOSchemeClick();
    void sBtnSchemeResizeClick();
    // What the panel fields ask of the window.
    void WriteHREG(int reg, int value) override;
    void startFeedback(int ms, bool fast) override;
    void setCommandPending(bool pending) override;
    void showError(const QString &text) override;
    // Titles of the archive chart's four series, as the last rebuild named them.
    std::array<QString, 4> archiveSeriesTitles;

    // Runs a handler body; a PublishError or SqlError that escapes it is shown
    // in a plain error dialog and the program goes on.
    void guarded(const std::function<void()> &body);

    // --- Widgets (object names as the program knows them) ---
    QWidget *panelbackground = nullptr;
    QLabel *imageBackground = nullptr;
    QWidget *RectangleBackgroundCover = nullptr;
    QFrame *RectangleBorder = nullptr;
    QLabel *ImageTitle = nullptr;
    QLabel *LabelTitle = nullptr;
    QToolButton *ImageBorderMinimize = nullptr;
    QToolButton *ImageBorderMaximize = nullptr;
    QToolButton *ImageBorderClose = nullptr;
    QTabWidget *TabControlMain = nullptr;
    QWidget *tabLogin = nullptr;
    QWidget *tabRegister = nullptr;
    QWidget *tabManagers = nullptr;
    QWidget *tabOverview = nullptr;
    QWidget *tabSettings = nullptr;
    QWidget *tabDevices = nullptr;
    QWidget *TabUser = nullptr;
    QWidget *tabExit = nullptr;
    QFrame *rectConnected = nullptr;
    StatusCircle *circleConnected = nullptr;
    QLabel *lblConnected = nullptr;
    QLabel *LabelAppVersion = nullptr;
    QLabel *ImageLogo = nullptr;
    CoverLayer *RectangleLoading = nullptr;

    // Login page
    QToolButton *SpeedButtonLoginInfo = nullptr;
    QFrame *PanelLogin = nullptr;
    QLineEdit *editLoginUsernameEnter = nullptr;
    QLineEdit *editLoginPasswordEnter = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QPushButton *btnLogin = nullptr;
    QPushButton *btnNewUser = nullptr;
    QLabel *lblLoginError = nullptr;
    QFrame *PanelLoginManager = nullptr;
    QLineEdit *EditLoginManagerUsername = nullptr;
    QLineEdit *EditLoginManagerPassword = nullptr;
    QToolButton *SpeedButtonManagerPass = nullptr;
    QPushButton *ButtonManagerLogin = nullptr;
    QLabel *LabelLoginManagerError = nullptr;
    QWidget *LayoutLoginSwitch = nullptr;
    QToolButton *SpeedButtonChangeLogin = nullptr;

    // Inner page controls
    QStackedWidget *TabControlRegister = nullptr;
    QWidget *TabRegisterUser = nullptr;
    QWidget *TabRegisterDevice = nullptr;
    QStackedWidget *TabControlManager = nullptr;
    QWidget *TabManagerOverview = nullptr;
    QStackedWidget *TabControlOverview = nullptr;
    QWidget *TabOverviewMain = nullptr;
    QWidget *TabOverviewArchive = nullptr;
    QWidget *TabOverviewSchedule = nullptr;
    QWidget *TabOverviewSynchronize = nullptr;
    QWidget *TabOverviewSchematic = nullptr;
    QStackedWidget *TabControlUser = nullptr;
    QWidget *TabUserMain = nullptr;
    QWidget *TabUserDevices = nullptr;
    QStackedWidget *TabControlDevices = nullptr;
    QWidget *TabDevicesMain = nullptr;

    // Overview and settings
    QLabel *lblPDeviceName = nullptr;
    ListBox *listBoxOverview = nullptr;
    ListBox *listBoxSettings = nullptr;
    PopupComboBox *cmbBoxMode = nullptr;
    QLabel *lblOMode = nullptr;
    QWidget *FlowLayoutSensors = nullptr;
    QLabel *GlyphSchematic = nullptr;
    QScrollArea *HorzScrollBoxSchematic = nullptr;
    QToolButton *sBtnSchemeResize = nullptr;
    QToolButton *SpeedButtonOverviewSchematicBack = nullptr;
    QTabWidget *TabControlExit = nullptr;
    QWidget *PanelSetTimerContainer = nullptr;
    QWidget *PanelSynchronize = nullptr;
    QWidget *LayoutDevicesAddNew = nullptr;

    // Profile
    QLabel *lblPUsername = nullptr;
    QLabel *GlyphProfileIsAdmin = nullptr;
    QLabel *lblPNumUsers = nullptr;
    QPushButton *btnPCreateNewUser = nullptr;
    ListBox *ListBoxProfile = nullptr;
    QPushButton *SpeedButtonUserLogout = nullptr;
    QToolButton *SpeedButtonOverviewArchive = nullptr;
    QAbstractButton *SpeedButtonOverviewSchedule = nullptr;
    QToolButton *SpeedButtonOverviewSynchronize = nullptr;
    QToolButton *sBtnOScheme = nullptr;

    // Clock page
    QLabel *lblSyTime = nullptr;
    QLabel *lblSyDate = nullptr;
    QLabel *lblSyDay = nullptr;
    QPushButton *btnSySynchronize = nullptr;
    QToolButton *SpeedButton13 = nullptr;
    QLabel *lblSyTimeCOntroller = nullptr;
    QLabel *lblSyDateController = nullptr;
    QLabel *lblSyDayController = nullptr;

    // Exit page
    QLabel *LabelEConfirm = nullptr;
    QPushButton *btnEExit = nullptr;

    QTimer timerUniversal;
    QTimer timerClock;

    QList<TProfileField *> ProfileFields;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildUi();
    void buildTitleStrip(QWidget *root);
    void buildStatusStrip(QWidget *root);
    void buildLoginPage();
    void buildOverviewPages();
    void buildClockPage();
    void buildSchematicPage();
    void buildPanels();
    void buildSettingsPage();
    void buildUserPages();
    void buildExitPage();
    void buildPlaceholderPages();
    void layoutLayers();
    void DatabaseConnectTask();
    void clearProfileFields();
    void slideTo(QStackedWidget *control, QWidget *page);

    SharedState m_state;
    DeploymentConfig m_config;
    SettingsFile m_settings;
    TranslationTable *Lang = nullptr;
    std::unique_ptr<SqlConnection> m_database;
    DeviceLink *m_link = nullptr;
    PanelView m_panelView;
    std::unique_ptr<PanelBuilder> m_panelBuilder;
    PanelRefresh *m_panelRefresh = nullptr;
    std::thread m_databaseTask;
    bool m_databaseTaskDone = false;
    bool m_workersStopped = false;
    WindowMover m_titleMover;
};
