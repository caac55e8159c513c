#include "ui/main/Form2.h"

#include "discs/Catalog.h"
#include "core/ProgramTexts.h"
#include "ui/common/Artwork.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/DesignUnits.h"
#include "ui/common/MessageBox.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace kobrix {

namespace {

// Designed geometry in pixels at 96 dots per inch; the client area is
// 6855 by 4050 design units.
constexpr QSize kClientSize(457, 270);
constexpr QRect kFrameRect(162, 6, 289, 258);
constexpr int kOptionLeft = 8;
constexpr int kOptionTops[] = {24, 48, 72, 96};
constexpr QSize kOptionSize(277, 22);
constexpr QRect kLabelRect(12, 134, 265, 18);
constexpr QRect kTextRect(12, 154, 265, 22);
constexpr QRect kOkRect(40, 206, 81, 33);
constexpr QRect kCancelRect(168, 206, 81, 33);

// Smallest gap kept between two controls when one of them had to grow for
// its font.
constexpr int kGap = 2;

QRadioButton *makeOption(QWidget *frame, const char *name, const QString &text)
{
    auto *option = new QRadioButton(text, frame);
    option->setObjectName(QLatin1String(name));
    return option;
}

// Where a group box draws its title.
QRect groupBoxTitle(const QGroupBox *frame)
{
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.lineWidth = 1;
    option.textAlignment = frame->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                          frame);
}

} // namespace

Form2::Form2(MessageBoxService &messages, MainWindowFactory makeMainWindow, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_makeMainWindow(std::move(makeMainWindow))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(ProgramTexts::programTitle());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                   | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    // The picture fills the left part, the frame with all choices the right.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(6, 10), kArtworkSize));
    Image1->setPixmap(kobrixArtwork());

    Frame1 = new QGroupBox(tr("What do you want to do?"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));

    Option1 = makeOption(Frame1, "Option1", tr("Create a new CD Catalog"));
    Option2 = makeOption(Frame1, "Option2", tr("Open your last CD Catalog"));
    Option3 = makeOption(Frame1, "Option3", tr("Search an Existing CD Catalog"));
    Option4 = makeOption(Frame1, "Option4", tr("Add a new Disk to an Existing CD Catalog"));
    // As designed, this choice is shown but can never be made, by mouse or
    // by keyboard; the catalogs used last are in the main window's
    // File > "Open Recent".
    Option2->setEnabled(false);
    Option1->setChecked(true);
    auto *options = new QButtonGroup(this);
    for (QRadioButton *option : {Option1, Option2, Option3, Option4}) {
        options->addButton(option);
        connect(option, &QRadioButton::clicked, this, &Form2::optionClicked);
    }

    Label1 = new QLabel(tr("Type a name for your new Catalog"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));

    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    // The prompt names the box for screen readers (without a mnemonic,
    // which would underline a letter of the caption).
    Label1->setBuddy(Text1);

    Command1 = new QPushButton(tr("OK"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    Command2 = new QPushButton(tr("Cancel"), Frame1);
    Command2->setObjectName(QStringLiteral("Command2"));
    placeControls();

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);

    Form_Load();
    centerOnScreen(this);
}

// Lays the controls out at their designed places. Where the font needs more
// room than the design gives, a control grows and the controls below it
// move down; the frame and the dialog grow with them, so that no caption is
// cut.
void Form2::placeControls()
{
    const int innerWidth = std::max({kOptionSize.width(), Option1->sizeHint().width(),
                                     Option2->sizeHint().width(), Option3->sizeHint().width(),
                                     Option4->sizeHint().width(),
                                     Label1->sizeHint().width() + kLabelRect.x() - kOptionLeft});

    // Below the frame's title, each control at its designed top or right
    // below the one above it.
    int bottom = groupBoxTitle(Frame1).bottom() + 1;
    const auto placeAt = [&](QWidget *control, QRect designed, int neededHeight) {
        designed.moveTop(std::max(designed.top(), bottom + kGap));
        designed.setHeight(std::max(designed.height(), neededHeight));
        control->setGeometry(designed);
        bottom = designed.bottom() + 1;
    };
    QRadioButton *const options[] = {Option1, Option2, Option3, Option4};
    for (int i = 0; i < 4; ++i) {
        placeAt(options[i], QRect(kOptionLeft, kOptionTops[i], innerWidth, kOptionSize.height()),
                options[i]->sizeHint().height());
    }
    const int boxWidth = innerWidth - (kLabelRect.x() - kOptionLeft);
    placeAt(Label1, QRect(kLabelRect.topLeft(), QSize(boxWidth, kLabelRect.height())),
            Label1->sizeHint().height());
    placeAt(Text1, QRect(kTextRect.topLeft(), QSize(boxWidth, kTextRect.height())),
            Text1->minimumSizeHint().height());

    // OK and Cancel side by side on one row.
    const int buttonWidth = std::max({kOkRect.width(), Command1->sizeHint().width(),
                                      Command2->sizeHint().width()});
    const int buttonHeight = std::max({kOkRect.height(), Command1->sizeHint().height(),
                                       Command2->sizeHint().height()});
    const int buttonTop = std::max(kOkRect.top(), bottom + kGap);
    Command1->setGeometry(kOkRect.left(), buttonTop, buttonWidth, buttonHeight);
    Command2->setGeometry(std::max(kCancelRect.left(), kOkRect.left() + buttonWidth + kGap * 4),
                          buttonTop, buttonWidth, buttonHeight);

    // The frame keeps the margins the design leaves right of the options,
    // right of Cancel and below the buttons; the dialog keeps its margins
    // right of and below the frame.
    const int optionsMargin = kFrameRect.width() - kOptionLeft - kOptionSize.width();
    const int cancelMargin = kFrameRect.width() - kCancelRect.x() - kCancelRect.width();
    const int buttonsMargin = kFrameRect.height() - kOkRect.y() - kOkRect.height();
    const int frameWidth = std::max({kFrameRect.width(), kOptionLeft + innerWidth + optionsMargin,
                                     Command2->x() + buttonWidth + cancelMargin});
    const int frameHeight = std::max(kFrameRect.height(), buttonTop + buttonHeight + buttonsMargin);
    Frame1->setGeometry(kFrameRect.x(), kFrameRect.y(), frameWidth, frameHeight);

    const int rightMargin = kClientSize.width() - kFrameRect.x() - kFrameRect.width();
    const int bottomMargin = kClientSize.height() - kFrameRect.y() - kFrameRect.height();
    setFixedSize(std::max(kClientSize.width(), kFrameRect.x() + frameWidth + rightMargin),
                 std::max(kClientSize.height(), kFrameRect.y() + frameHeight + bottomMargin));
}

void Form2::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (Command2 && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        placeControls();
}

void Form2::Form_Load()
{
    Label1->show();
    Text1->show();
    Text1->setText(tr("Enter Catalog name here"));
}

WorkMode Form2::workMode() const
{
    if (Option1->isChecked())
        return WorkMode::NewCatalog;
    if (Option3->isChecked())
        return WorkMode::SearchCatalog;
    return WorkMode::AddDisc;
}

void Form2::optionClicked()
{
    // Only a new catalog needs a name; the name typed so far stays.
    const bool newCatalog = Option1->isChecked();
    Label1->setVisible(newCatalog);
    Text1->setVisible(newCatalog);
}

void Form2::Command1_Click()
{
    // No second OK while the main window is being prepared.
    Command1->setEnabled(false);
    switch (workMode()) {
    case WorkMode::NewCatalog:
        startNewCatalog();
        break;
    case WorkMode::SearchCatalog:
    case WorkMode::AddDisc:
        openExistingCatalog(workMode());
        break;
    }
}

void Form2::startNewCatalog()
{
    const QString name = Text1->text();
    // Exactly empty: a name of blanks, and the proposed text, are names.
    if (name.isEmpty()) {
        m_messages.show(this, ProgramTexts::programTitle(),
                        tr(" Please enter a name for the new catalog"), MessageIcon::Exclamation);
        Command1->setEnabled(true);
        return;
    }
    // Loading the main window runs its load step, with this dialog still
    // open and showing the choice.
    const PreparedMainWindow main = m_makeMainWindow(WorkMode::NewCatalog);
    if (!main.window) {
        Command1->setEnabled(true);
        return;
    }
    main.catalog->setPath(name);
    main.applyStartSettings();
    hide();
    main.window->show();
}

void Form2::openExistingCatalog(WorkMode mode)
{
    const PreparedMainWindow main = m_makeMainWindow(mode);
    if (!main.window) {
        Command1->setEnabled(true);
        return;
    }
    CommonDialog &dialog = *main.CommonDialog1;
    dialog.setFlags(kCatalogDialogFlags);
    dialog.setFilter(ProgramTexts::catalogFilter());
    // Shown over this dialog: the main window is not on screen yet.
    QWidget *const owner = dialog.parentWidget();
    dialog.setParentWidget(this);
    const bool chosen = dialog.showOpen();
    dialog.setParentWidget(owner);
    if (!chosen) {
        // Cancelled: nothing loaded, the main window stays hidden and the
        // user chooses again here.
        Command1->setEnabled(true);
        return;
    }
    // A catalog that cannot be read is reported by the loader itself; the
    // main window opens all the same with what could be read.
    handOver(main, dialog.fileName(), false);
}

bool Form2::openCatalogFile(const QString &fileName)
{
    const PreparedMainWindow main = m_makeMainWindow(WorkMode::SearchCatalog);
    if (!main.window)
        return false;
    // The main window's dialog as the open dialog leaves it.
    main.CommonDialog1->setFlags(kCatalogDialogFlags);
    main.CommonDialog1->setFilter(ProgramTexts::catalogFilter());
    main.CommonDialog1->setFileName(fileName);
    return handOver(main, fileName, true);
}

bool Form2::handOver(const PreparedMainWindow &main, const QString &fileName, bool onlyIfOpened)
{
    main.catalog->setPath(fileName);
    const bool opened = main.ReadList(fileName, true);
    if (m_programEnding)
        return true; // Cancel or the close box was used while the catalog loaded
    if (!opened && onlyIfOpened)
        return false;
    main.applyStartSettings();
    main.window->show();
    hide();
    return true;
}

void Form2::Command2_Click()
{
    m_programEnding = true;
    hide();
    emit programEndRequested();
}

void Form2::closeEvent(QCloseEvent *event)
{
    m_programEnding = true;
    event->accept();
    emit programEndRequested();
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    // No button of this dialog answers the Escape key.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace kobrix
