// The owner's login and logout, the login-panel switch and the welcome text.
#include "accounts/PasswordDigest.h"
#include "accounts/SqlConnection.h"
#include "accounts/SqlError.h"
#include "accounts/TProfileField.h"
#include "link/DeviceLink.h"
#include "ui/ListBox.h"
#include "ui/TfrmMain.h"
#include "ui/TranslationTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

const QString loginFailedText = QStringLiteral("Се појави грешка при поворзување со базата, обидете се повторно.");
const QString usersFailedText =
    QStringLiteral("Се појави грешка при превземање на податоците за останатите корисници!");

} // namespace

void TfrmMain::btnLoginClick()
{
    QPointer<TfrmMain> self(this);
    TUser &user = m_state.ActiveUser;
    try {
        // The typed values go in as parameters only, neither trimmed nor checked.
        const SqlResult account = m_database->query(
            SqlStatement(QStringLiteral("SELECT * FROM korisnici WHERE k_user= :KUSER"))
                .bind(QStringLiteral("KUSER"), editLoginUsernameEnter->text()));
        const bool found = !account.isEmpty();
        const QString salt = found ? account.text(0, QStringLiteral("k_salt")) : QString();
        const QString digest = PasswordDigest(editLoginPasswordEnter->text(), salt);
        const QString stored = found ? account.text(0, QStringLiteral("k_pass")) : QString();
        if (digest != stored) {
            lblLoginError->show();
            timerUniversal.start();
            return;
        }

        user.UserID = account.integer(0, QStringLiteral("k_id"));
        user.Password = editLoginPasswordEnter->text();
        RefreshActiveUser(user.UserID);
        FillDevices(user);
        AccessChangeLook();
        m_state.ForceSchematicReload = true;
        TimerSchematicTimer();

        TabShowTabs(TabControlMain, 27);
        TabControlMain->setCurrentWidget(tabOverview);
        TabControlOverview->setCurrentWidget(TabOverviewMain);
        TabControlDevices->setCurrentWidget(TabDevicesMain);
        TabControlUser->setCurrentWidget(TabUserMain);
        m_state.LoginMode = 1;

        // The account's users, the logged-in one among them.
        try {
            const SqlResult users = m_database->query(
                SqlStatement(QStringLiteral("SELECT * FROM korisnici WHERE k_avtomatika = :avtomatika"))
                    .bind(QStringLiteral("avtomatika"), user.MainDeviceTopic));
            for (int row = 0; row < users.rowCount(); ++row) {
                auto *field = new TProfileField(ListBoxProfile, users.integer(row, QStringLiteral("k_tip")) == 0);
                field->setName(users.text(row, QStringLiteral("k_user")));
                if (user.AccessLvl == 1)
                    field->setDeleteVisible(false);
                ProfileFields.append(field);
            }
        } catch (const SqlError &) {
            MsgInfo(usersFailedText);
            if (!self)
                return;
        }

        ActiveUserCredentials(user);
        ConnectMQTT();
        m_settings.writeLogin(editLoginUsernameEnter->text(), editLoginPasswordEnter->text(), Lang->language());
        startFeedback(3000, QString(), false);
    } catch (const std::exception &) {
        if (self)
            MsgInfo(loginFailedText);
    }
}

void TfrmMain::RefreshActiveUser(int UserID)
{
    TUser &user = m_state.ActiveUser;
    try {
        const SqlResult row = m_database->query(
            SqlStatement(QStringLiteral("SELECT * FROM korisnici WHERE k_id = :KID;")).bind(QStringLiteral("KID"), UserID));
        if (row.isEmpty())
            return;
        user.Name = row.text(0, QStringLiteral("k_user"));
        user.UserID = row.integer(0, QStringLiteral("k_id"));
        user.ActiveTopic = row.text(0, QStringLiteral("k_avtomatika"));
        user.MainDeviceTopic = row.text(0, QStringLiteral("k_avtomatika"));
        user.ActiveDeviceName = row.text(0, QStringLiteral("k_avtomatika_ime"));
        user.MainDeviceName = row.text(0, QStringLiteral("k_avtomatika_ime"));
        user.AccessLvl = row.integer(0, QStringLiteral("k_tip"));
        lblPUsername->setText(user.Name);
        lblPDeviceName->setText(user.ActiveDeviceName);
        if (user.AccessLvl == 0)
            GlyphProfileIsAdmin->show();
        else if (user.AccessLvl == 1)
            GlyphProfileIsAdmin->hide();
    } catch (const std::exception &) {
        // Silent: what was set before the error stays set.
    }
}

void TfrmMain::SpeedButtonUserLogoutClick()
{
    QPointer<TfrmMain> self(this);
    MsgConfirmProc(QStringLiteral("Дали сакате да се одјавите?"), [self] {
        if (!self)
            return;
        TUser &user = self->m_state.ActiveUser;
        user.Name.clear();
        user.UserID = -1;
        user.ActiveDeviceName.clear();
        user.MainDeviceName.clear();
        user.AccessLvl = -1;
        user.Password.clear();
        user.MainDeviceTopic.clear();
        user.ActiveTopic.clear();
        self->m_state.LoginMode = 0;
        self->TabShowTabs(self->TabControlMain, 17);
        self->clearProfileFields();
        self->TabControlMain->setCurrentWidget(self->tabLogin);
        self->ClearSched();
        self->lblSyTimeCOntroller->setText(QStringLiteral("00:00"));
        self->lblSyDateController->clear();
        self->lblSyDayController->clear();
        self->m_link->Disconnect();
    });
}

void TfrmMain::clearProfileFields()
{
    qDeleteAll(ProfileFields);
    ProfileFields.clear();
}

void TfrmMain::SpeedButtonChangeLoginClick()
{
    const bool toInstaller = !PanelLogin->isHidden();
    PanelLogin->setVisible(!toInstaller);
    PanelLoginManager->setVisible(toInstaller);
    const int tag = toInstaller ? 100 : 2;
    TabUser->setProperty("tag", tag);
    tabDevices->setProperty("tag", tag);
}

void TfrmMain::SpeedButtonLoginInfoClick()
{
    MsgInfo(QStringLiteral(
        "Добредојдовте во апликацијата Termovia за управување со новите WiFi автоматики на ВЕЛТРАНО!\r\n\r\n"
        "Доколку сте нов корисник регистрирате се со клик на левото копче РЕГИСТРАЦИЈА.\r\n\r\n"
        "За повеќе информации и упатства одете на официјалната страна на ВЕЛТРАНО."));
}

void TfrmMain::ActiveUserCredentials(const TUser &)
{
    lblPNumUsers->setText(QString::number(ProfileFields.size()));
}

// --- Seams for views that come with their own parts of the window ---

void TfrmMain::FillDevices(TUser &)
{
    // The account's controller tiles are built by the controllers view.
}

void TfrmMain::ClearSched()
{
    // The weekly schedule lists are cleared by the schedules view.
}
