#include "Language.h"

#include "ProgramSettings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <optional>

namespace {

const QString Key = QStringLiteral("Interface/language");

QString g_shown = QStringLiteral("en");
std::optional<QLocale> g_regional;

bool systemIsRussian()
{
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.first().startsWith(QLatin1String("ru"));
}

} // namespace

namespace language {

Choice chosen()
{
    const QString value = ProgramSettings().value(Key).toString();
    if (value == QLatin1String("en"))
        return Choice::English;
    if (value == QLatin1String("ru"))
        return Choice::Russian;
    return Choice::System;
}

void choose(Choice choice)
{
    ProgramSettings settings;
    switch (choice) {
    case Choice::System:
        settings.remove(Key);
        break;
    case Choice::English:
        settings.setValue(Key, QStringLiteral("en"));
        break;
    case Choice::Russian:
        settings.setValue(Key, QStringLiteral("ru"));
        break;
    }
}

QString effective(Choice choice)
{
    switch (choice) {
    case Choice::English:
        return QStringLiteral("en");
    case Choice::Russian:
        return QStringLiteral("ru");
    case Choice::System:
        break;
    }
    return systemIsRussian() ? QStringLiteral("ru") : QStringLiteral("en");
}

void install(Choice choice)
{
    g_shown = effective(choice);
    if (g_shown == QLatin1String("ru")) {
        // Owned by the application for the rest of the run.
        auto *program = new QTranslator(QCoreApplication::instance());
        if (program->load(QStringLiteral(":/i18n/sart-tester_ru.qm")))
            QCoreApplication::installTranslator(program);
        auto *qt = new QTranslator(QCoreApplication::instance());
        if (qt->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        if (QLocale::system().language() != QLocale::Russian)
            setInterfaceLocale(QLocale(QLocale::Russian, QLocale::Russia));
    } else if (QLocale::system().language() == QLocale::Russian) {
        // English chosen on a Russian system: English numbers and dates,
        // day before month.
        setInterfaceLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
}

void setInterfaceLocale(const QLocale &locale)
{
    if (!g_regional)
        g_regional = QLocale();
    QLocale::setDefault(locale);
}

QLocale regionalLocale()
{
    return g_regional.value_or(QLocale());
}

QString regionalNumber(const QString &shown)
{
    const QString from = QLocale().decimalPoint();
    const QString to = regionalLocale().decimalPoint();
    return from == to ? shown : QString(shown).replace(from, to);
}

QString shown()
{
    return g_shown;
}

} // namespace language
