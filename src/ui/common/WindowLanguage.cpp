#include "ui/common/WindowLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>

// The installed translations' folder relative to the installed executable
// (CMake sets it from the install folders).
#ifndef KOBRIX_TRANSLATIONS_FROM_BIN
#define KOBRIX_TRANSLATIONS_FROM_BIN "../share/kobrix/translations"
#endif

namespace kobrix {

namespace {

const QLatin1String kProgramPrefix("kobrix_");
const QLatin1String kQtPrefix("qtbase_");

// The LANG parts of the file names that could serve one language tag, most
// particular first: "de_AT" then "de" for "de-AT". Chinese is written in
// two scripts, and only a Simplified one may take "zh_CN".
QStringList fileLanguages(const QLocale &locale)
{
    const QString code = QLocale::languageToCode(locale.language());
    QStringList names{locale.name(), code};
    if (locale.language() == QLocale::Chinese) {
        names.clear();
        if (locale.script() == QLocale::SimplifiedHanScript)
            names << locale.name() << QStringLiteral("zh_CN");
    }
    return names;
}

QString fileIn(const QStringList &folders, const QString &language)
{
    for (const QString &folder : folders) {
        const QString path = folder + QLatin1Char('/') + kProgramPrefix + language
            + QStringLiteral(".qm");
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

} // namespace

WindowLanguage::WindowLanguage(QObject *parent) : QObject(parent) {}

QString WindowLanguage::choose(const QStringList &uiLanguages, const QStringList &folders)
{
    for (const QString &tag : uiLanguages) {
        const QLocale locale(tag);
        if (locale.language() == QLocale::English)
            return QString();
        if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
            continue;
        for (const QString &language : fileLanguages(locale)) {
            if (!fileIn(folders, language).isEmpty())
                return language;
        }
    }
    return QString();
}

QStringList WindowLanguage::programFolders()
{
    const QString here = QCoreApplication::applicationDirPath();
    return {here + QStringLiteral("/translations"),
            QDir::cleanPath(here + QLatin1Char('/') + QStringLiteral(KOBRIX_TRANSLATIONS_FROM_BIN))};
}

bool WindowLanguage::install(const QString &language, const QStringList &folders)
{
    QCoreApplication::removeTranslator(&m_program);
    QCoreApplication::removeTranslator(&m_qt);
    m_language.clear();
    if (language.isEmpty())
        return true;
    const QString file = fileIn(folders, language);
    if (file.isEmpty() || !m_program.load(file))
        return false;
    // Qt's own texts from Qt's folder, or from the program's where Qt is
    // shipped beside it without one (the Windows folder).
    const QString qtName = kQtPrefix + language;
    bool qtLoaded = m_qt.load(qtName, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    for (int i = 0; !qtLoaded && i < folders.size(); ++i)
        qtLoaded = m_qt.load(qtName, folders.at(i));
    if (qtLoaded)
        QCoreApplication::installTranslator(&m_qt);
    QCoreApplication::installTranslator(&m_program);
    m_language = language;
    return true;
}

void useSystemLanguage(QCoreApplication &app)
{
    auto *language = new WindowLanguage(&app);
    const QStringList folders = WindowLanguage::programFolders();
    language->install(WindowLanguage::choose(QLocale::system().uiLanguages(), folders), folders);
}

} // namespace kobrix
