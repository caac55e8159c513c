#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTranslator>

class QCoreApplication;

namespace kobrix {

// The language of the windows: the program's own translation and Qt's
// translation of its standard dialogs (file dialogs, message box buttons,
// the print preview), installed in the application while the object lives.
// English, the language the texts are written in, needs neither.
class WindowLanguage : public QObject
{
    Q_OBJECT

public:
    explicit WindowLanguage(QObject *parent = nullptr);

    // The first of uiLanguages (BCP 47 tags, best first, as
    // QLocale::uiLanguages() gives them) that the program speaks: English,
    // or a language with a kobrix_LANG.qm in one of folders. Returns the
    // file's LANG ("de", "zh_CN"), or an empty text for English, which is
    // also the answer when none of them is spoken.
    static QString choose(const QStringList &uiLanguages, const QStringList &folders);

    // Where the program's translations lie: beside the executable (the
    // build folder, the Windows folder) and in the installed data folder.
    static QStringList programFolders();

    // Installs the translations of language (a LANG of choose()), replacing
    // those installed before; an empty language goes back to English.
    // False when the program has no translation of that language.
    bool install(const QString &language, const QStringList &folders);

    // The language installed; empty for English.
    QString language() const { return m_language; }

private:
    QTranslator m_program;
    QTranslator m_qt;
    QString m_language;
};

// Installs in app the language of the user's desktop, chosen from
// QLocale::system().uiLanguages() (LANGUAGE, LC_ALL, LC_MESSAGES, LANG on
// Linux); the translators live as long as app.
void useSystemLanguage(QCoreApplication &app);

} // namespace kobrix
