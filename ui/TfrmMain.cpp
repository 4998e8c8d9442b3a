#include "ui/TfrmMain.h"

#include "accounts/SqlConnection.h"
#include "accounts/TProfileField.h"
#include "link/DeviceLink.h"
#include "panels/PanelBuilder.h"
#include "panels/PanelRefresh.h"
#include "ui/BusyIndicator.h"
#include "ui/CoverLayer.h"
#include "ui/ListBox.h"
#include "ui/PictureButton.h"
#include "ui/PictureList.h"
#include "ui/PopupComboBox.h"
#include "ui/StatusCircle.h"
#include "ui/TranslationTable.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int windowWidth = 1000;
constexpr int windowHeight = 700;
constexpr int titleHeight = 40;
constexpr int statusHeight = 25;

QWidget *namedPage(const QString &name, QWidget *parent = nullptr)
{
    auto *page = new QWidget(parent);
    page->setObjectName(name);
    return page;
}

QStackedWidget *pageControl(const QString &name, const QStringList &pages, QWidget *parent)
{
    auto *control = new QStackedWidget(parent);
    control->setObjectName(name);
    for (const QString &p : pages)
        control->addWidget(namedPage(p));
    return control;
}

QLabel *plainLabel(const QString &name, const QString &text, QWidget *parent, int pointSize = 0, bool bold = false)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);  // texts from the database or the user are never markup
    if (pointSize > 0 || bold) {
        QFont f = label->font();
        if (pointSize > 0)
            f.setPointSize(pointSize);
        f.setBold(bold);
        label->setFont(f);
    }
    return label;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAccessibleName(text);
    b->setMinimumHeight(35);
    return b;
}

QLineEdit *edit(const QString &name, const QString &prompt, QWidget *parent, bool masked = false)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setPlaceholderText(prompt);
    e->setAccessibleName(prompt);
    e->setMaxLength(50);
    e->setMinimumHeight(35);
    if (masked)
        e->setEchoMode(QLineEdit::Password);
    return e;
}

// The small button inside a password edit that shows the password while held.
QToolButton *showPasswordButton(const QString &name, QLineEdit *edit)
{
    auto *b = new QToolButton(edit);
    b->setObjectName(name);
    b->setIcon(PictureList::namedIcon(QStringLiteral("eye")));
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAccessibleName(QStringLiteral("Прикажи лозинка"));
    auto *lay = new QHBoxLayout(edit);
    lay->setContentsMargins(0, 0, 4, 0);
    lay->addStretch(1);
    lay->addWidget(b);
    edit->setTextMargins(0, 0, 30, 0);
    // Press and hold: the parent edit shows its text until the button is let go.
    QObject::connect(b, &QToolButton::pressed, edit, [edit] { edit->setEchoMode(QLineEdit::Normal); });
    QObject::connect(b, &QToolButton::released, edit, [edit] { edit->setEchoMode(QLineEdit::Password); });
    return b;
}

QToolButton *titleButton(const QString &name, const QString &picture, const QString &hover, const QString &tip)
{
    auto *b = new QToolButton;
    b->setObjectName(name);
    b->setFixedSize(40, 40);
    b->setIcon(PictureList::namedIcon(picture));
    b->setIconSize(QSize(18, 18));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAccessibleName(tip);
    b->setToolTip(tip);
    b->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"
                                    "QToolButton:hover { background: %1; }")
                         .arg(hover));
    return b;
}

} // namespace

TfrmMain::TfrmMain(const DeploymentConfig &config, QString settingsPath, QWidget *parent)
    : QMainWindow(parent), m_config(config), m_settings(std::move(settingsPath)), Lang(new TranslationTable(this)),
      m_database(std::make_unique<SqlConnection>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Termovia"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowIcon(PictureList::namedIcon(QStringLiteral("app")));
    m_link = new DeviceLink(m_state, m_config, this);
    buildUi();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    stopWorkers();
    clearProfileFields();
    // The refresh watches widgets of the window and uses the builder: both go
    // while every widget still exists.
    delete m_panelRefresh;
    m_panelRefresh = nullptr;
    m_panelBuilder.reset();
}

void TfrmMain::buildUi()
{
    panelbackground = new QWidget(this);
    panelbackground->setObjectName(QStringLiteral("panelbackground"));
    panelbackground->setAutoFillBackground(true);
    QPalette pal = panelbackground->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panelbackground->setPalette(pal);
    setCentralWidget(panelbackground);
    panelbackground->installEventFilter(this);

    imageBackground = new QLabel(panelbackground);
    imageBackground->setObjectName(QStringLiteral("imageBackground"));
    imageBackground->setAlignment(Qt::AlignCenter);
    {
        // The large settings picture at opacity 0.5.
        const QPixmap picture = PictureList::named(QStringLiteral("background"), QSize(600, 600));
        QPixmap faint(picture.size());
        faint.setDevicePixelRatio(picture.devicePixelRatio());
        faint.fill(Qt::transparent);
        QPainter p(&faint);
        p.setOpacity(0.5);
        p.drawPixmap(0, 0, picture);
        p.end();
        imageBackground->setPixmap(faint);
    }

    RectangleBackgroundCover = new QWidget(panelbackground);
    RectangleBackgroundCover->setObjectName(QStringLiteral("RectangleBackgroundCover"));
    // White at opacity 0.8 over the picture: together they give a faint backdrop.
    RectangleBackgroundCover->setAutoFillBackground(true);
    QPalette cover = RectangleBackgroundCover->palette();
    cover.setColor(QPalette::Window, QColor(255, 255, 255, 204));
    RectangleBackgroundCover->setPalette(cover);
    RectangleBackgroundCover->setAttribute(Qt::WA_TransparentForMouseEvents);

    buildTitleStrip(panelbackground);

    TabControlMain = new QTabWidget(panelbackground);
    TabControlMain->setObjectName(QStringLiteral("TabControlMain"));
    TabControlMain->setDocumentMode(true);
    TabControlMain->setIconSize(QSize(36, 36));
    TabControlMain->tabBar()->setExpanding(false);
    // The style sheet goes on the tab bar only: on the tab control it would
    // restyle every widget of every page, which costs start-up time.
    TabControlMain->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { width: 125px; height: 49px; padding: 0; margin: 0; border: none;"
        "  background: rgba(24,24,24,20); }"
        "QTabBar::tab:selected { background: rgba(43,108,176,60); border-bottom: 3px solid #2b6cb0; }"
        "QTabBar::tab:hover { background: rgba(43,108,176,35); }"));

    struct MainTab {
        QWidget **page;
        const char *name;
        int tag;
        const char *picture;
        const char *accessible;
    };
    const MainTab tabs[] = {
        {&tabLogin, "tabLogin", 1, "tab-login", "Најава"},
        {&tabRegister, "tabRegister", 3, "tab-register", "Регистрација"},
        {&tabManagers, "tabManagers", 6, "tab-installer", "Мајстор"},
        {&tabOverview, "tabOverview", 2, "tab-overview", "Преглед"},
        {&tabSettings, "tabSettings", 2, "tab-settings", "Подесувања"},
        {&tabDevices, "tabDevices", 2, "tab-devices", "Уреди"},
        {&TabUser, "TabUser", 2, "tab-profile", "Профил"},
        {&tabExit, "tabExit", 7, "tab-exit", "Излез"},
    };
    for (const MainTab &t : tabs) {
        *t.page = namedPage(QString::fromLatin1(t.name));
        (*t.page)->setProperty("tag", t.tag);
        const int index = TabControlMain->addTab(*t.page, PictureList::namedIcon(QString::fromLatin1(t.picture)), QString());
        TabControlMain->setTabToolTip(index, QString::fromUtf8(t.accessible));
        (*t.page)->setAccessibleName(QString::fromUtf8(t.accessible));
    }
    TabControlMain->tabBar()->installEventFilter(this);
    connect(TabControlMain, &QTabWidget::currentChanged, this, [this] { TabControlMainChange(); });

    buildLoginPage();
    buildOverviewPages();
    buildSettingsPage();
    buildUserPages();
    buildExitPage();
    buildPlaceholderPages();
    buildStatusStrip(panelbackground);

    RectangleLoading = new CoverLayer(this);
    RectangleLoading->setObjectName(QStringLiteral("RectangleLoading"));
    RectangleLoading->indicator()->setObjectName(QStringLiteral("AniIndicatorLoading"));
    RectangleLoading->hide();

    timerUniversal.setObjectName(QStringLiteral("timerUniversal"));
    timerUniversal.setInterval(2000);
    connect(&timerUniversal, &QTimer::timeout, this, [this] { timerUniversalTimer(); });
    buildPanels();

    connect(m_link, &DeviceLink::statusTextChanged, this, &TfrmMain::showLinkStatus);
    connect(m_link, &DeviceLink::circleColourChanged, this, &TfrmMain::setCircleColour);
    m_link->hooks().clockAnswer = [this](const QStringList &fields) { showControllerClock(fields); };
    m_link->hooks().clearSchedules = [this] { ClearSched(); };

    resize(windowWidth, windowHeight);
    layoutLayers();
}

void TfrmMain::buildTitleStrip(QWidget *root)
{
    RectangleBorder = new QFrame(root);
    RectangleBorder->setObjectName(QStringLiteral("RectangleBorder"));
    RectangleBorder->setStyleSheet(QStringLiteral("#RectangleBorder { background: #181818; }"));
    RectangleBorder->installEventFilter(this);
    auto *row = new QHBoxLayout(RectangleBorder);
    row->setContentsMargins(6, 0, 0, 0);
    row->setSpacing(8);

    auto *circle = new QLabel(RectangleBorder);
    circle->setObjectName(QStringLiteral("CircleBorderIcon"));
    circle->setFixedSize(50, 32);
    circle->setStyleSheet(QStringLiteral("#CircleBorderIcon { background: white; border-radius: 16px; }"));
    circle->setAttribute(Qt::WA_TransparentForMouseEvents);
    ImageTitle = new QLabel(circle);
    ImageTitle->setObjectName(QStringLiteral("ImageTitle"));
    ImageTitle->setGeometry(9, 0, 32, 32);
    ImageTitle->setPixmap(PictureList::named(QStringLiteral("app"), QSize(26, 26)));
    ImageTitle->setAlignment(Qt::AlignCenter);
    row->addWidget(circle);

    LabelTitle = plainLabel(QStringLiteral("LabelTitle"), QStringLiteral("Termovia"), RectangleBorder, 16);
    LabelTitle->setStyleSheet(QStringLiteral("color: #CCCCCC;"));
    LabelTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    row->addWidget(LabelTitle, 1);

    ImageBorderMinimize = titleButton(QStringLiteral("ImageBorderMinimize"), QStringLiteral("title-minimize"),
                                      QStringLiteral("#2b6cb0"), QStringLiteral("Минимизирај"));
    ImageBorderMaximize = titleButton(QStringLiteral("ImageBorderMaximize"), QStringLiteral("title-maximize"),
                                      QStringLiteral("#2b6cb0"), QStringLiteral("Зголеми"));
    ImageBorderClose = titleButton(QStringLiteral("ImageBorderClose"), QStringLiteral("title-close"),
                                   QStringLiteral("#e81123"), QStringLiteral("Затвори"));
    row->setSpacing(0);
    for (QToolButton *b : {ImageBorderMinimize, ImageBorderMaximize, ImageBorderClose})
        row->addWidget(b);
    connect(ImageBorderMinimize, &QToolButton::clicked, this, [this] { ImageBorderMinimizeClick(); });
    connect(ImageBorderMaximize, &QToolButton::clicked, this, [this] { ImageBorderMaximizeClick(); });
    connect(ImageBorderClose, &QToolButton::clicked, this, [this] { ImageBorderCloseClick(); });
}

void TfrmMain::buildStatusStrip(QWidget *root)
{
    rectConnected = new QFrame(root);
    rectConnected->setObjectName(QStringLiteral("rectConnected"));
    rectConnected->setStyleSheet(QStringLiteral("#rectConnected { background: rgba(217,217,217,170); }"));

    circleConnected = new StatusCircle(rectConnected);
    circleConnected->setObjectName(QStringLiteral("circleConnected"));
    circleConnected->setAccessibleName(QStringLiteral("Одговор од контролерот"));

    lblConnected = plainLabel(QStringLiteral("lblConnected"), QString(), rectConnected, 14);
    lblConnected->setAlignment(Qt::AlignCenter);
    lblConnected->setAccessibleName(QStringLiteral("Статус на врската"));

    LabelAppVersion = plainLabel(QStringLiteral("LabelAppVersion"), QStringLiteral("2.D.088"), rectConnected, 11);
    LabelAppVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    ImageLogo = new QLabel(rectConnected);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setPixmap(PictureList::named(QStringLiteral("logo"), QSize(90, 20)));
}

void TfrmMain::layoutLayers()
{
    const QRect all = panelbackground->rect();
    imageBackground->setGeometry(all);
    RectangleBackgroundCover->setGeometry(all);
    RectangleBorder->setGeometry(0, 0, all.width(), titleHeight);
    TabControlMain->setGeometry(0, titleHeight, all.width(), all.height() - titleHeight - statusHeight);
    rectConnected->setGeometry(0, all.height() - statusHeight, all.width(), statusHeight);
    circleConnected->move(4, (statusHeight - circleConnected->height()) / 2);
    lblConnected->setGeometry(0, 0, all.width(), statusHeight);
    ImageLogo->setGeometry(all.width() - 94, 2, 90, statusHeight - 4);
    LabelAppVersion->setGeometry(all.width() - 94 - 80, 0, 74, statusHeight);
    imageBackground->lower();
    RectangleBackgroundCover->stackUnder(RectangleBorder);
    imageBackground->stackUnder(RectangleBackgroundCover);
}

void TfrmMain::buildLoginPage()
{
    auto *page = new QGridLayout(tabLogin);
    page->setContentsMargins(10, 10, 10, 10);

    SpeedButtonLoginInfo = new QToolButton(tabLogin);
    SpeedButtonLoginInfo->setObjectName(QStringLiteral("SpeedButtonLoginInfo"));
    SpeedButtonLoginInfo->setIcon(PictureList::buttons().icon(40));
    SpeedButtonLoginInfo->setIconSize(QSize(40, 40));
    SpeedButtonLoginInfo->setAutoRaise(true);
    SpeedButtonLoginInfo->setAccessibleName(QStringLiteral("Информации"));
    SpeedButtonLoginInfo->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButtonLoginInfo, &QToolButton::clicked, this, [this] { SpeedButtonLoginInfoClick(); });
    page->addWidget(SpeedButtonLoginInfo, 0, 0, Qt::AlignLeft | Qt::AlignTop);

    auto *centre = new QWidget(tabLogin);
    auto *col = new QVBoxLayout(centre);
    col->setSpacing(10);

    PanelLogin = new QFrame(centre);
    PanelLogin->setObjectName(QStringLiteral("PanelLogin"));
    PanelLogin->setFixedWidth(360);
    auto *form = new QVBoxLayout(PanelLogin);
    form->setSpacing(10);
    editLoginUsernameEnter = edit(QStringLiteral("editLoginUsernameEnter"), QStringLiteral("Корисничко име"), PanelLogin);
    editLoginPasswordEnter = edit(QStringLiteral("editLoginPasswordEnter"), QStringLiteral("Лозинка"), PanelLogin, true);
    SpeedButton1 = showPasswordButton(QStringLiteral("SpeedButton1"), editLoginPasswordEnter);
    btnLogin = button(QStringLiteral("btnLogin"), QStringLiteral("Влез"), PanelLogin);
    btnLogin->setDefault(true);
    btnNewUser = button(QStringLiteral("btnNewUser"), QStringLiteral("Регистрација"), PanelLogin);
    lblLoginError = plainLabel(QStringLiteral("lblLoginError"), QStringLiteral("*Погрешни податоци"), PanelLogin);
    lblLoginError->setStyleSheet(QStringLiteral("color: #E02020;"));
    lblLoginError->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{editLoginUsernameEnter, editLoginPasswordEnter, btnLogin,
                                                        btnNewUser, lblLoginError})
        form->addWidget(w);
    connect(btnLogin, &QPushButton::clicked, this, [this] { btnLoginClick(); });
    // Enter in either field presses "Влез", as a default button does.
    connect(editLoginUsernameEnter, &QLineEdit::returnPressed, btnLogin, &QPushButton::click);
    connect(editLoginPasswordEnter, &QLineEdit::returnPressed, btnLogin, &QPushButton::click);

    PanelLoginManager = new QFrame(centre);
    PanelLoginManager->setObjectName(QStringLiteral("PanelLoginManager"));
    PanelLoginManager->setFixedWidth(360);
    auto *mform = new QVBoxLayout(PanelLoginManager);
    mform->setSpacing(10);
    EditLoginManagerUsername = edit(QStringLiteral("EditLoginManagerUsername"), QStringLiteral("Име на мајстор"), PanelLoginManager);
    EditLoginManagerPassword = edit(QStringLiteral("EditLoginManagerPassword"), QStringLiteral("Лозинка"), PanelLoginManager, true);
    SpeedButtonManagerPass = showPasswordButton(QStringLiteral("SpeedButtonManagerPass"), EditLoginManagerPassword);
    ButtonManagerLogin = button(QStringLiteral("ButtonManagerLogin"), QStringLiteral("Влез"), PanelLoginManager);
    LabelLoginManagerError = plainLabel(QStringLiteral("LabelLoginManagerError"), QStringLiteral("*Погрешни податоци"), PanelLoginManager);
    LabelLoginManagerError->setStyleSheet(QStringLiteral("color: #E02020;"));
    LabelLoginManagerError->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{EditLoginManagerUsername, EditLoginManagerPassword,
                                                        ButtonManagerLogin, LabelLoginManagerError})
        mform->addWidget(w);
    PanelLoginManager->hide();

    LayoutLoginSwitch = new QWidget(centre);
    LayoutLoginSwitch->setObjectName(QStringLiteral("LayoutLoginSwitch"));
    auto *sw = new QHBoxLayout(LayoutLoginSwitch);
    SpeedButtonChangeLogin = new QToolButton(LayoutLoginSwitch);
    SpeedButtonChangeLogin->setObjectName(QStringLiteral("SpeedButtonChangeLogin"));
    SpeedButtonChangeLogin->setIcon(PictureList::buttons().icon(42));
    SpeedButtonChangeLogin->setAccessibleName(QStringLiteral("Промени најава"));
    connect(SpeedButtonChangeLogin, &QToolButton::clicked, this, [this] { SpeedButtonChangeLoginClick(); });
    sw->addWidget(SpeedButtonChangeLogin);
    // Designed hidden; nothing in the program shows it, so the owner's login is the one offered.
    LayoutLoginSwitch->hide();

    col->addStretch(1);
    col->addWidget(PanelLogin, 0, Qt::AlignHCenter);
    col->addWidget(PanelLoginManager, 0, Qt::AlignHCenter);
    col->addWidget(LayoutLoginSwitch, 0, Qt::AlignHCenter);
    col->addStretch(1);
    page->addWidget(centre, 0, 0, 2, 3);
    SpeedButtonLoginInfo->raise();
    page->setColumnStretch(1, 1);
    page->setRowStretch(1, 1);
}

void TfrmMain::buildOverviewPages()
{
    auto *outer = new QVBoxLayout(tabOverview);
    outer->setContentsMargins(0, 0, 0, 0);
    TabControlOverview = pageControl(QStringLiteral("TabControlOverview"),
                                     {QStringLiteral("TabOverviewMain"), QStringLiteral("TabOverviewArchive"),
                                      QStringLiteral("TabOverviewSchedule"), QStringLiteral("TabOverviewSynchronize"),
                                      QStringLiteral("TabOverviewSchematic")},
                                     tabOverview);
    outer->addWidget(TabControlOverview);
    TabOverviewMain = TabControlOverview->widget(0);
    TabOverviewArchive = TabControlOverview->widget(1);
    TabOverviewSchedule = TabControlOverview->widget(2);
    TabOverviewSynchronize = TabControlOverview->widget(3);
    TabOverviewSchematic = TabControlOverview->widget(4);

    // The fixed rows the panels are built into.
    m_panelView = buildPanelView(TabOverviewMain);
    listBoxOverview = m_panelView.listBoxOverview;
    lblOMode = m_panelView.lblOMode;
    lblOMode->setTextFormat(Qt::PlainText);
    lblPDeviceName = m_panelView.lblODevName;
    lblPDeviceName->setObjectName(QStringLiteral("lblPDeviceName"));
    lblPDeviceName->setTextFormat(Qt::PlainText);
    for (QLabel *value : {lblPDeviceName, lblOMode}) {
        QFont f = value->font();
        f.setPointSize(14);
        f.setBold(true);
        value->setFont(f);
        value->setContentsMargins(4, 0, 0, 0);
    }
    FlowLayoutSensors = m_panelView.FlowLayoutSensors;
    GlyphSchematic = m_panelView.GlyphSchematic;
    TabControlExit = m_panelView.TabControlExit;
    SpeedButtonOverviewSchedule = m_panelView.SpeedButtonOverviewSchedule;
    auto addCaption = [](QWidget *row, const QString &name, const QString &text) {
        auto *caption = plainLabel(name, text, row, 14);
        caption->setContentsMargins(15, 0, 0, 0);
        if (auto *box = qobject_cast<QBoxLayout *>(row->layout())) {
            box->insertWidget(0, caption);
            box->setStretch(0, 0);
            box->setStretch(1, 1);
        }
    };
    addCaption(m_panelView.ListBoxItemOverviewDevName, QStringLiteral("LabelODevice"), QStringLiteral("Уред:"));
    addCaption(m_panelView.ListBoxItem31, QStringLiteral("LabelOModeTitle"), QStringLiteral("Режим:"));

    auto *main = new QVBoxLayout(TabOverviewMain);
    main->setContentsMargins(0, 0, 0, 0);
    auto *header = new QHBoxLayout;
    header->setContentsMargins(8, 4, 8, 4);
    header->addStretch(1);
    SpeedButtonOverviewArchive = pictureButton(QStringLiteral("SpeedButtonOverviewArchive"), QStringLiteral("archive"),
                                               QStringLiteral("Архива"), TabOverviewMain);
    SpeedButtonOverviewSynchronize = pictureButton(QStringLiteral("SpeedButtonOverviewSynchronize"), QStringLiteral("clock"),
                                                   QStringLiteral("Време на контролер"), TabOverviewMain);
    sBtnOScheme = pictureButton(QStringLiteral("sBtnOScheme"), QStringLiteral("schematic"),
                                QStringLiteral("Шема на поврзување"), TabOverviewMain);
    // The schedule button comes with the panel rows (the panels enable it).
    SpeedButtonOverviewSchedule->setIcon(PictureList::namedIcon(QStringLiteral("schedule")));
    SpeedButtonOverviewSchedule->setIconSize(QSize(32, 32));
    SpeedButtonOverviewSchedule->setToolTip(QStringLiteral("Распоред"));
    SpeedButtonOverviewSchedule->setAccessibleName(QStringLiteral("Распоред"));
    if (auto *tool = qobject_cast<QToolButton *>(SpeedButtonOverviewSchedule))
        tool->setAutoRaise(true);
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{SpeedButtonOverviewArchive, SpeedButtonOverviewSchedule,
                                                                        SpeedButtonOverviewSynchronize, sBtnOScheme})
        header->addWidget(b);
    connect(SpeedButtonOverviewSynchronize, &QAbstractButton::clicked, this, [this] { SpeedButtonOverviewSynchronizeClick(); });
    connect(sBtnOScheme, &QAbstractButton::clicked, this, [this] { sBtnOSchemeClick(); });
    main->addLayout(header);
    main->addWidget(listBoxOverview);

    buildClockPage();
    buildSchematicPage();

    auto *schedule = new QVBoxLayout(TabOverviewSchedule);
    PanelSetTimerContainer = namedPage(QStringLiteral("PanelSetTimerContainer"), TabOverviewSchedule);
    schedule->addWidget(PanelSetTimerContainer);
    schedule->addWidget(TabControlExit, 1);
}

void TfrmMain::buildSettingsPage()
{
    auto *outer = new QVBoxLayout(tabSettings);
    outer->setContentsMargins(0, 0, 0, 0);
    listBoxSettings = m_panelView.listBoxSettings;
    listBoxSettings->setParent(tabSettings);
    outer->addWidget(listBoxSettings);
    cmbBoxMode = qobject_cast<PopupComboBox *>(m_panelView.cmbBoxMode);
    cmbBoxMode->setAccessibleName(QStringLiteral("Режим"));
    cmbBoxMode->setMinimumHeight(35);
    connect(cmbBoxMode, &PopupComboBox::popupOpened, this, [this] { cmbBoxModeClick(); });
    connect(cmbBoxMode, &PopupComboBox::popupClosed, this, [this] { cmbBoxModeClosePopup(); });
}

void TfrmMain::buildUserPages()
{
    auto *outer = new QVBoxLayout(TabUser);
    outer->setContentsMargins(0, 0, 0, 0);
    TabControlUser = pageControl(QStringLiteral("TabControlUser"),
                                 {QStringLiteral("TabUserMain"), QStringLiteral("TabUserUsers"),
                                  QStringLiteral("TabUserDevices"), QStringLiteral("TabUserChangeName"),
                                  QStringLiteral("TabUserChangePassword"), QStringLiteral("TabUserVersion"),
                                  QStringLiteral("TabUserReportProblem")},
                                 TabUser);
    outer->addWidget(TabControlUser);
    TabUserMain = TabControlUser->widget(0);
    QWidget *users = TabControlUser->widget(1);
    TabUserDevices = TabControlUser->widget(2);

    auto *main = new QVBoxLayout(TabUserMain);
    auto *info = new QFrame(TabUserMain);
    info->setObjectName(QStringLiteral("PanelProfileUserInfo"));
    auto *il = new QHBoxLayout(info);
    auto *pic = new QLabel(info);
    pic->setObjectName(QStringLiteral("GlyphProfileUser"));
    pic->setPixmap(PictureList::named(QStringLiteral("user"), QSize(64, 64)));
    il->addWidget(pic);
    GlyphProfileIsAdmin = new QLabel(pic);
    GlyphProfileIsAdmin->setObjectName(QStringLiteral("GlyphProfileIsAdmin"));
    GlyphProfileIsAdmin->setPixmap(PictureList::named(QStringLiteral("admin-badge"), QSize(24, 24)));
    GlyphProfileIsAdmin->setGeometry(40, 40, 24, 24);
    lblPUsername = plainLabel(QStringLiteral("lblPUsername"), QString(), info, 18, true);
    il->addWidget(lblPUsername, 1);
    main->addWidget(info);
    SpeedButtonUserLogout = button(QStringLiteral("SpeedButtonUserLogout"), QStringLiteral("Одјави се"), TabUserMain);
    connect(SpeedButtonUserLogout, &QPushButton::clicked, this, [this] { SpeedButtonUserLogoutClick(); });
    main->addStretch(1);
    main->addWidget(SpeedButtonUserLogout);

    auto *ul = new QVBoxLayout(users);
    auto *header = new QHBoxLayout;
    header->addWidget(plainLabel(QStringLiteral("LabelUsersTitle"), QStringLiteral("Корисници"), users, 16, true));
    lblPNumUsers = plainLabel(QStringLiteral("lblPNumUsers"), QStringLiteral("1"), users, 14);
    header->addWidget(lblPNumUsers);
    ul->addLayout(header);
    btnPCreateNewUser = button(QStringLiteral("btnPCreateNewUser"), QStringLiteral("Креирај нов корисник"), users);
    ul->addWidget(btnPCreateNewUser);
    ListBoxProfile = new ListBox(users);
    ListBoxProfile->setObjectName(QStringLiteral("ListBoxProfile"));
    ul->addWidget(ListBoxProfile, 1);

    auto *dl = new QVBoxLayout(TabUserDevices);
    TabControlDevices = pageControl(QStringLiteral("TabControlDevices"), {QStringLiteral("TabDevicesMain")}, TabUserDevices);
    TabDevicesMain = TabControlDevices->widget(0);
    dl->addWidget(TabControlDevices);
    LayoutDevicesAddNew = namedPage(QStringLiteral("LayoutDevicesAddNew"), TabDevicesMain);
}

void TfrmMain::buildExitPage()
{
    auto *col = new QVBoxLayout(tabExit);
    col->addStretch(1);
    LabelEConfirm = plainLabel(QStringLiteral("LabelEConfirm"), QStringLiteral("Дали сакате да ја затворите апликацијата?"), tabExit, 16);
    LabelEConfirm->setAlignment(Qt::AlignCenter);
    // The language table knows this text in capitals only.
    LabelEConfirm->setProperty("translateUpperCase", true);
    col->addWidget(LabelEConfirm);
    btnEExit = button(QStringLiteral("btnEExit"), QStringLiteral("ИЗЛЕЗ"), tabExit);
    btnEExit->setFixedWidth(200);
    connect(btnEExit, &QPushButton::clicked, this, [this] { btnEExitClick(); });
    col->addWidget(btnEExit, 0, Qt::AlignHCenter);
    col->addStretch(1);
}

void TfrmMain::buildPlaceholderPages()
{
    auto *reg = new QVBoxLayout(tabRegister);
    reg->setContentsMargins(0, 0, 0, 0);
    TabControlRegister = pageControl(QStringLiteral("TabControlRegister"),
                                     {QStringLiteral("TabRegisterUser"), QStringLiteral("TabRegisterDevice")}, tabRegister);
    reg->addWidget(TabControlRegister);
    TabRegisterUser = TabControlRegister->widget(0);
    TabRegisterDevice = TabControlRegister->widget(1);

    auto *man = new QVBoxLayout(tabManagers);
    man->setContentsMargins(0, 0, 0, 0);
    TabControlManager = pageControl(QStringLiteral("TabControlManager"),
                                    {QStringLiteral("TabManagerOverview"), QStringLiteral("TabManagerDevices"),
                                     QStringLiteral("TabManagerSchematics"), QStringLiteral("TabManagerParameters"),
                                     QStringLiteral("TabManagerDeviceName")},
                                    tabManagers);
    man->addWidget(TabControlManager);
    TabManagerOverview = TabControlManager->widget(0);
}
