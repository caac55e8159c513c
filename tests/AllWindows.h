#pragma once

// Every window of the program in the states a user meets it in, built over
// scripted services, for tests that walk all windows alike: the main window
// in each work mode, the start dialog, the search window before and after a
// search, the About box, the confirmation of a disc update, the Discs
// window with its disc list and with search results, the window of discs
// catalogued one after another as it opens with two drives to choose from.

#include "UiTestSupport.h"
#include "DiscsWindowControls.h"
#include "discs/Catalog.h"
#include "ui/main/Form1.h"
#include "ui/main/Form2.h"
#include "ui/main/Form3.h"
#include "ui/main/Form4.h"
#include "ui/main/DiscUpdateDialog.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/batch/DiscBatchWindow.h"

#include <QTest>

#include <QLineEdit>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace kobrix::test {

class AllWindows
{
public:
    AllWindows()
    {
        m_io.drives.addCdDrive(QStringLiteral("D:\\"));
        m_io.drives.addCdDrive(QStringLiteral("E:\\"));
        // Enough lines for a six-digit result count.
        for (int i = 0; i < 100000; ++i)
            m_catalog.lines().append(QStringLiteral("Games 1 - \\DATA\\LEVEL%1.DAT").arg(i));
        m_catalog.lines().append(QStringLiteral("Photos - 2002 - \\ALBUM\\IMG0001.JPG"));
        m_catalog.setContent(Catalog::Content::CatalogLines);
    }

    static QStringList names()
    {
        return {QStringLiteral("Form1 NewCatalog"), QStringLiteral("Form1 SearchCatalog"),
                QStringLiteral("Form1 AddDisc"),    QStringLiteral("Form2"),
                QStringLiteral("Form3"),            QStringLiteral("Form3 with results"),
                QStringLiteral("Form4"),            QStringLiteral("DiscUpdateDialog"),
                QStringLiteral("DiscsWindow"),      QStringLiteral("DiscsWindow with results"),
                QStringLiteral("DiscBatchWindow")};
    }

    // The window called name in names(); the services outlive it.
    std::unique_ptr<QWidget> make(const QString &name)
    {
        if (name == QLatin1String("Form1 NewCatalog"))
            return std::make_unique<Form1>(m_io.services(), WorkMode::NewCatalog);
        if (name == QLatin1String("Form1 SearchCatalog"))
            return std::make_unique<Form1>(m_io.services(), WorkMode::SearchCatalog);
        if (name == QLatin1String("Form1 AddDisc"))
            return std::make_unique<Form1>(m_io.services(), WorkMode::AddDisc);
        if (name == QLatin1String("Form2"))
            return std::make_unique<Form2>(m_io.messages,
                                           [](WorkMode) { return PreparedMainWindow(); });
        if (name.startsWith(QLatin1String("Form3"))) {
            auto form = std::make_unique<Form3>(m_catalog, m_io.messages);
            if (name.endsWith(QLatin1String("with results"))) {
                // Every line matches: the longest count text of this catalog.
                form->Text1->setText(QStringLiteral("games"));
                form->find();
                form->finishSearch();
            }
            return form;
        }
        if (name == QLatin1String("Form4"))
            return std::make_unique<Form4>(m_io.shell);
        if (name == QLatin1String("DiscUpdateDialog")) {
            DiscUpdateSummary summary;
            summary.disc = QStringLiteral("Games 1");
            summary.catalogPath = QStringLiteral("/home/user/Music.cdc");
            summary.added = toStore({"\\DATA\\LEVEL2.DAT", "\\DATA\\LEVEL3.DAT"});
            summary.removed = toStore({"\\SETUP.EXE"});
            summary.unchanged = 2308;
            return std::make_unique<DiscUpdateDialog>(std::move(summary));
        }
        if (name.startsWith(QLatin1String("DiscsWindow"))) {
            auto window = std::make_unique<DiscsWindow>(m_io.services());
            window->showCatalog(m_catalog, QStringLiteral("Games.cdc"));
            if (!QTest::qWaitFor([&] { return window->isReady(); }, 10000))
                return nullptr;
            if (name.endsWith(QLatin1String("with results"))) {
                // Every line matches: the longest count texts of this catalog.
                ui(window).searchBox->setText(QStringLiteral(" - "));
                window->find();
                if (!QTest::qWaitFor([&] { return !window->isWorking(); }, 10000))
                    return nullptr;
            }
            return window;
        }
        if (name == QLatin1String("DiscBatchWindow")) {
            auto window = std::make_unique<DiscBatchWindow>(
                m_io.services(), QStringLiteral("/home/user/Music.cdc"),
                QStringList{QStringLiteral("/dev/sr0"), QStringLiteral("/dev/sr1")});
            window->setAttribute(Qt::WA_DeleteOnClose, false);
            return window;
        }
        return nullptr;
    }

private:
    ScriptedServices m_io;
    Catalog m_catalog;
};

} // namespace kobrix::test
