#pragma once

#include <QTranslator>

// The window's texts are designed in Macedonian. The "en" table maps some of
// them, by exact text, to English; "mk" (and any other code) maps nothing.
class TranslationTable : public QTranslator {
    Q_OBJECT
public:
    explicit TranslationTable(QObject *parent = nullptr);

    // Chooses the table for a language code. Only "en" has entries.
    void setLanguage(const QString &code);
    const QString &language() const { return m_language; }
    bool isEmpty() const override;

    // The English text for a Macedonian one, or an empty string when the
    // current table has no entry for it.
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    QString lookup(const QString &text) const;

    // Every entry of the "en" table, in table order.
    static const QList<QPair<QString, QString>> &englishEntries();

private:
    QString m_language = QStringLiteral("mk");
};
