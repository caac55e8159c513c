// The language of the windows: which translation a desktop's list of
// languages gets, and that installing one reaches the program's texts and
// Qt's own standard buttons, and leaves them English again when it goes.

#include "ui/common/WindowLanguage.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

using namespace kobrix;

namespace {

const QStringList folders{QStringLiteral(KOBRIX_TRANSLATIONS_DIR)};

QString programText()
{
    return QCoreApplication::translate("kobrix::Form2", "Search an Existing CD Catalog");
}

QString standardCancel()
{
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&'));
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choose_data()
    {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("German desktop") << QStringList{"de-DE", "de", "en-US"} << "de";
        QTest::newRow("Austrian German") << QStringList{"de-AT"} << "de";
        QTest::newRow("Canadian French") << QStringList{"fr-CA"} << "fr";
        QTest::newRow("Russian") << QStringList{"ru-RU"} << "ru";
        QTest::newRow("Japanese") << QStringList{"ja-JP"} << "ja";
        QTest::newRow("Chinese of China") << QStringList{"zh-Hans-CN"} << "zh_CN";
        QTest::newRow("Chinese without script") << QStringList{"zh-CN"} << "zh_CN";
        QTest::newRow("Singapore Chinese") << QStringList{"zh-Hans-SG"} << "zh_CN";
        // Traditional characters are not given Simplified ones.
        QTest::newRow("Taiwan Chinese") << QStringList{"zh-TW"} << "";
        QTest::newRow("Taiwan, then Japanese") << QStringList{"zh-Hant-TW", "ja-JP"} << "ja";
        // The first language the program speaks wins, English among them.
        QTest::newRow("Portuguese, then Spanish") << QStringList{"pt-BR", "es-MX"} << "es";
        QTest::newRow("English before German") << QStringList{"en-GB", "de-DE"} << "";
        QTest::newRow("Italian only") << QStringList{"it-IT"} << "";
        QTest::newRow("C locale") << QStringList{"C"} << "";
        QTest::newRow("nothing") << QStringList{} << "";
    }
    void choose()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, chosen);
        QCOMPARE(WindowLanguage::choose(uiLanguages, folders), chosen);
    }

    // Without its files no language is chosen.
    void chooseNeedsTheFile()
    {
        QCOMPARE(WindowLanguage::choose({"de-DE"}, {QStringLiteral("/nonexistent")}), QString());
    }

    void installAndRemove_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language :
             QStringLiteral(KOBRIX_LANGUAGES).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QTest::newRow(qPrintable(language)) << language;
    }
    void installAndRemove()
    {
        QFETCH(QString, language);
        const QString english = programText();
        const QString englishCancel = standardCancel();
        {
            WindowLanguage windows;
            QVERIFY(windows.install(language, folders));
            QCOMPARE(windows.language(), language);
            QVERIFY(programText() != english);
            QVERIFY2(standardCancel() != englishCancel, "Qt's own texts stay English");
            // Back to English while the object lives.
            QVERIFY(windows.install(QString(), folders));
            QCOMPARE(programText(), english);
            QVERIFY(windows.install(language, folders));
        }
        QCOMPARE(programText(), english);
        QCOMPARE(standardCancel(), englishCancel);
    }

    void unknownLanguageStaysEnglish()
    {
        WindowLanguage windows;
        QVERIFY(!windows.install(QStringLiteral("it"), folders));
        QCOMPARE(windows.language(), QString());
        QCOMPARE(programText(), QStringLiteral("Search an Existing CD Catalog"));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_ui_language.moc"
