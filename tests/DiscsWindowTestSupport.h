#pragma once

// What the tests of the Discs window share: a small catalog of three discs
// and a line made by hand, a window over it, and ways to read what the
// window's models show.

#include "UiTestSupport.h"
#include "DiscsWindowControls.h"
#include "SampleCatalog.h"
#include "discs/Catalog.h"
#include "discs/DiscIndex.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscTreeModel.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/discs/DuplicatesModel.h"
#include "ui/discs/LineGroupsModel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace kobrix::test {

inline const QString kLoose = QStringLiteral("(lines without a disc name)");

inline bool waitFor(const std::function<bool()> &done)
{
    return QTest::qWaitFor(done, 10000);
}

// A Discs window over a catalog in hand, ready.
struct Fixture
{
    explicit Fixture(const QStringList &lines = sampleCatalog())
        : Fixture(lines, UiServices{&messages}, QStringLiteral("Games.cdc"))
    {}
    // Over services of the caller's (messages then go there).
    Fixture(const QStringList &lines, const UiServices &services, const QString &catalogName)
    {
        for (const QString &line : lines)
            catalog.lines().append(line);
        catalog.setContent(Catalog::Content::CatalogLines);
        window = std::make_unique<DiscsWindow>(services);
        window->showCatalog(catalog, catalogName);
    }
    bool ready()
    {
        return waitFor([this] { return window->isReady(); });
    }
    // Shows the window and gives it the keyboard.
    bool activate()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get()) && ready();
    }

    RecordingMessageBoxService messages;
    Catalog catalog;
    std::unique_ptr<DiscsWindow> window;
};

// "name=files" for each disc row.
inline QStringList discRows(const DiscsWindow &window)
{
    QStringList rows;
    const DiscListModel *model = window.discListModel();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString() + u'='
                    + model->index(row, 1).data().toString();
    return rows;
}

// Every row below parent, all batches fetched, two blanks of indent per
// level, the count column after a blank where it says something.
inline void fetchAll(QAbstractItemModel *model, const QModelIndex &parent)
{
    auto *batched = dynamic_cast<BatchedRows *>(model);
    while (batched && batched->hasMoreRows(parent))
        batched->fetchMoreRows(parent);
}

inline void render(QAbstractItemModel *model, const QModelIndex &parent, int depth,
                   QStringList &out)
{
    fetchAll(model, parent);
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex item = model->index(row, 0, parent);
        const QString count = model->index(row, 1, parent).data().toString();
        out << QString(depth * 2, u' ') + item.data().toString()
                   + (count.isEmpty() ? QString() : u' ' + count);
        render(model, item, depth + 1, out);
    }
}

inline QStringList render(QAbstractItemModel *model)
{
    QStringList out;
    render(model, QModelIndex(), 0, out);
    return out;
}

// "label=count" for each group of a grouped model.
inline QStringList groupRows(const LineGroupsModel *model)
{
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString() + u'='
                    + model->index(row, 1).data().toString();
    return rows;
}

inline QStringList groupLines(LineGroupsModel *model, int group)
{
    QStringList lines;
    const QModelIndex parent = model->index(group, 0);
    fetchAll(model, parent);
    for (int row = 0; row < model->rowCount(parent); ++row)
        lines << model->index(row, 0, parent).data().toString();
    return lines;
}

inline QWidget *focused()
{
    return QApplication::focusWidget();
}

} // namespace kobrix::test
