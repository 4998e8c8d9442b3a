#include "ui/TranslationTable.h"

#include <QHash>

TranslationTable::TranslationTable(QObject *parent) : QTranslator(parent) {}

const QList<QPair<QString, QString>> &TranslationTable::englishEntries()
{
    static const QList<QPair<QString, QString>> entries = {
        {QStringLiteral("КОРИСНИЧКО ИМЕ:"), QStringLiteral("USERNAME:")},
        {QStringLiteral("ЛОЗИНКА:"), QStringLiteral("PASSWORD:")},
        {QStringLiteral("НАЈАВА"), QStringLiteral("LOGIN")},
        {QStringLiteral("РЕГИСТРАЦИЈА"), QStringLiteral("REGISTER")},
        {QStringLiteral("ПОГРЕШНИ ПОДАТОЦИ!"), QStringLiteral("WRONG CREDENTIALS")},
        {QStringLiteral("АВТОМАТИКА"), QStringLiteral("DEVICE")},
        {QStringLiteral("ИМЕ:"), QStringLiteral("NAME:")},
        {QStringLiteral("ИД:"), QStringLiteral("ID:")},
        {QStringLiteral("КОРИСНИК"), QStringLiteral("USER")},
        {QStringLiteral("ПОВТОРИ ЛОЗИНКА:"), QStringLiteral("CONFIRM PASSWORD:")},
        {QStringLiteral("ЕМАИЛ:"), QStringLiteral("EMAIL:")},
        {QStringLiteral("НАЗАД"), QStringLiteral("BACK")},
        {QStringLiteral("КРЕИРАЈ"), QStringLiteral("CREATE")},
        {QStringLiteral("УРЕД:"), QStringLiteral("DEVICE:")},
        {QStringLiteral("КОРИСНИК:"), QStringLiteral("USER:")},
        {QStringLiteral("РЕЖИМ:"), QStringLiteral("MODE:")},
        {QStringLiteral("ТЕМПЕРАТУРИ"), QStringLiteral("TEMPERATURES")},
        {QStringLiteral("ПОСАКУВАНА ТЕМПЕРАТУРА:"), QStringLiteral("WANTED TEMPERATURE:")},
        {QStringLiteral("СОСТОЈБИ НА УРЕДИ"), QStringLiteral("DEVICE STATES")},
        {QStringLiteral("ПУМПА КОТЕЛ"), QStringLiteral("WATER HEATER PUMP")},
        {QStringLiteral("ЕЛЕКТРИЧЕН ГРЕАЧ"), QStringLiteral("ELECTRIC HEATER")},
        {QStringLiteral("ПУМПА СОЛАР"), QStringLiteral("SOLAR PUMP")},
        {QStringLiteral("ИСУКЛУЧИ"), QStringLiteral("TURN OFF")},
        {QStringLiteral("Пон"), QStringLiteral("Mon")},
        {QStringLiteral("Вт"), QStringLiteral("Tue")},
        {QStringLiteral("Сре"), QStringLiteral("Wed")},
        {QStringLiteral("Чет"), QStringLiteral("Thr")},
        {QStringLiteral("Пет"), QStringLiteral("Fri")},
        {QStringLiteral("Саб"), QStringLiteral("Sat")},
        {QStringLiteral("Нед"), QStringLiteral("Sun")},
        {QStringLiteral("БРИШИ СИТЕ"), QStringLiteral("CLEAR ALL")},
        {QStringLiteral("ВНЕСИ"), QStringLiteral("ADD")},
        {QStringLiteral("СТАВЕТЕ АВТОМАТКИ РЕЖИМ ЗА ТАЈМЕРИТЕ ДА СЕ ВО ФУНКЦИЈА!"), QStringLiteral("RUN IN AUTOMATIC MODE AND ENABLE SCHEDULING FOR TIMERS TO WORK")},
        {QStringLiteral("ГРЕАЧ"), QStringLiteral("HEATER")},
        {QStringLiteral("НАДВОРЕШЕН УРЕД"), QStringLiteral("OTHER DEVICE")},
        {QStringLiteral("ПОДЕСУВАЊА"), QStringLiteral("SETTINGS")},
        {QStringLiteral("РЕЖИМ"), QStringLiteral("MODE")},
        {QStringLiteral("АВТОМАТСКИ"), QStringLiteral("AUTOMATIC")},
        {QStringLiteral("ОДМОР"), QStringLiteral("VACATION")},
        {QStringLiteral("ОВОЗМОЖИ ТАЈМЕРИ НА ГРЕАЧ"), QStringLiteral("TIMER MODE ON HEATER")},
        {QStringLiteral("ОВОЗМОЖИ ТАЈМЕРИ НА НАДВ. УРЕД"), QStringLiteral("TIMER MODE ON OTHER DEVICE")},
        {QStringLiteral("КОНТРОЛА"), QStringLiteral("CONTROL")},
        {QStringLiteral("ЕЛ. ГРЕАЧ НА БОЈЛЕР"), QStringLiteral("BOILER ELECTRIC HEATER ")},
        {QStringLiteral("ВРЕМЕ НА МОБИЛЕН:"), QStringLiteral("SYSTEM TIME")},
        {QStringLiteral("ВРЕМЕ НА КОНТРОЛЕР:"), QStringLiteral("DEVICE TIME")},
        {QStringLiteral("СИНХРОНИЗИРАЈ"), QStringLiteral("SYNCHRONIZE")},
        {QStringLiteral("ВНЕСИ НОВ КОНТРОЛЕР"), QStringLiteral("ADD NEW DEVICE")},
        {QStringLiteral("КОНТРОЛЕР"), QStringLiteral("DEVICE")},
        {QStringLiteral("ОДЈАВА"), QStringLiteral("LOGOUT")},
        {QStringLiteral("СТАТУС:"), QStringLiteral("STATUS:")},
        {QStringLiteral("КРЕИРАЈ НОВ КОРИСНИК"), QStringLiteral("CREATE NEW USER")},
        {QStringLiteral("ДАЛИ САКАТЕ ДА ЈА ЗАТВОРИТЕ АПЛИКАЦИЈАТА?"), QStringLiteral("DO YOU WANT TO CLOSE THE APP?")},
        {QStringLiteral("ИЗЛЕЗ"), QStringLiteral("EXIT")},
        {QStringLiteral("ЈАЗИК:"), QStringLiteral("LANGUAGE:")},
    };
    return entries;
}

void TranslationTable::setLanguage(const QString &code)
{
    m_language = code;
}

bool TranslationTable::isEmpty() const
{
    return m_language != QLatin1String("en");
}

QString TranslationTable::lookup(const QString &text) const
{
    if (isEmpty())
        return {};
    static const QHash<QString, QString> english = [] {
        QHash<QString, QString> h;
        for (const auto &[mk, en] : englishEntries())
            h.insert(mk, en);
        return h;
    }();
    return english.value(text);
}

QString TranslationTable::translate(const char *, const char *sourceText, const char *, int) const
{
    return lookup(QString::fromUtf8(sourceText));
}
