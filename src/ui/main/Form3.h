#pragma once

#include <QDialog>
#include <QMargins>
#include <QSize>

#include <chrono>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kobrix {

class Catalog;
class LineListView;
class LineSearch;
class LineStore;
class MessageBoxService;
class SearchResultModel;
class Task;
class TaskControl;

// The search window: a query row (prompt, search box, Find and Cancel) and a
// result area listing every catalog line of the main window that contains the
// search text. Shown modally over the main window and discarded on close.
class Form3 : public QDialog
{
    Q_OBJECT

public:
    // catalog: the catalog of the main window, whose lines (those its list
    // holds: catalog lines or a disc listing) are searched. They are only
    // read; the catalog must outlive the window.
    Form3(const Catalog &catalog, MessageBoxService &messages, QWidget *parent = nullptr);
    ~Form3() override;

    QLabel *Label1 = nullptr;        // "Find what?" prompt left of the search box
    QLineEdit *Text1 = nullptr;      // the search text as typed
    QPushButton *Command1 = nullptr; // "Find " button, the default button
    QPushButton *Command2 = nullptr; // "Cancel" button, closes the window
    QLabel *Label2 = nullptr;        // "Search Results:" heading
    QLabel *lbl_results = nullptr;   // the result count text
    LineListView *List1 = nullptr;      // the result list

    SearchResultModel *results() const { return m_results; }
    bool isSearching() const { return m_searching; }

    // Work done between two rounds of event processing during a search.
    void setSliceBudget(std::chrono::nanoseconds budget) { m_sliceBudget = budget; }
    // Runs a running search to its end now, without handling events in
    // between, and shows its end (for tools that show the results at once).
    void finishSearch();

    // Outer size of the window (frame included), in design units.
    int outerWidth() const;
    int outerHeight() const;

public Q_SLOTS:
    // Starts the search: lists every line that contains the search text, as
    // it finds them, between rounds of events. An empty search box is
    // refused at once.
    void find();

    void done(int result) override;

Q_SIGNALS:
    // The search is over: it ended (its count or message shown), it was
    // refused, or the window was closed while it ran.
    void searchFinished();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // The frame the window system draws around the window, as far as it
    // reports one now (none before the window is framed).
    virtual QMargins windowFrame() const;

private:
    // One time slice of the search; true when every line was examined.
    bool searchStep(TaskControl &control);
    // Shows the count, or says that nothing was found.
    void showSearchEnd();
    // Drops a running search (the window is closed).
    void stopSearch();
    void placeControls();
    void applyResizeRule();
    bool sizeChangeRefused() const;
    void setOuterWidth(int units);
    void setOuterHeight(int units);
    // The frame reported, or while there is none the frame of the window
    // this one opens over.
    QMargins estimatedFrame() const;
    // The load step's size: the designed client width and outer height,
    // centred on the screen.
    void applyLoadSize();
    void placeOnScreen();
    // Takes up a frame the window system reports anew.
    void followFrame();

    const LineStore &m_lines;
    MessageBoxService &m_messages;
    SearchResultModel *m_results;
    Task *m_task;
    std::unique_ptr<LineSearch> m_search; // the running search
    QString m_searchedText; // the search box's text the running search has
    std::chrono::nanoseconds m_sliceBudget = std::chrono::milliseconds(15);
    bool m_searching = false;
    bool m_shownBefore = false;
    bool m_inResizeRule = false; // the rule's own size changes do not run it again
    int m_listTop = 0; // in pixels: the designed top, or lower where the font needs it
    int m_leastOuterWidth = 0; // in design units: the narrowest the window may be
    QMargins m_frame;          // the frame the outer size is counted with
    bool m_frameReported = false; // the window system has reported a frame
    QSize m_loadSize;          // the size the load step gave the window
};

} // namespace kobrix
