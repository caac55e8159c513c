#include "ui/Form2.h"

#include "ui/Artwork.h"
#include "ui/CommonDialog.h"
#include "ui/DesignUnits.h"
#include "ui/MessageBox.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kobrix {

namespace {

const QString kProgramTitle = QStringLiteral("Kobrix");
const QString kCatalogFilter = QStringLiteral("CD Catalog Files (*.cdc)|*.cdc");
const QString kProposedName = QStringLiteral("Enter Catalog name here");

QRadioButton *makeOption(QWidget *frame, const char *name, const QString &text, int top)
{
    auto *option = new QRadioButton(text, frame);
    option->setObjectName(QLatin1String(name));
    option->setGeometry(8, top, 277, 22);
    return option;
}

} // namespace

Form2::Form2(MessageBoxService &messages, MainWindowFactory makeMainWindow, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_makeMainWindow(std::move(makeMainWindow))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(kProgramTitle);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                   | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(unitsToPixels(6855), unitsToPixels(4050));

    // The picture fills the left part, the frame with all choices the right.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(6, 10), kArtworkSize));
    Image1->setPixmap(kobrixArtwork());

    Frame1 = new QGroupBox(QStringLiteral("What do you want to do?"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(162, 6, 289, 258);

    Option1 = makeOption(Frame1, "Option1", QStringLiteral("Create a new CD Catalog"), 24);
    Option2 = makeOption(Frame1, "Option2", QStringLiteral("Open your last CD Catalog"), 48);
    Option3 = makeOption(Frame1, "Option3", QStringLiteral("Search an Existing CD Catalog"), 72);
    Option4 = makeOption(Frame1, "Option4",
                         QStringLiteral("Add a new Disk to an Existing CD Catalog"), 96);
    // The program keeps no record of a last catalog: this choice is shown
    // but can never be made, by mouse or by keyboard.
    Option2->setEnabled(false);
    Option1->setChecked(true);
    auto *options = new QButtonGroup(this);
    for (QRadioButton *option : {Option1, Option2, Option3, Option4}) {
        options->addButton(option);
        connect(option, &QRadioButton::clicked, this, &Form2::optionClicked);
    }

    Label1 = new QLabel(QStringLiteral("Type a name for your new Catalog"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 134, 265, 18);

    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(12, 154, 265, 22);
    // The prompt names the box for screen readers (without a mnemonic,
    // which would underline a letter of the caption).
    Label1->setBuddy(Text1);

    Command1 = new QPushButton(QStringLiteral("OK"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(40, 206, 81, 33);
    Command1->setDefault(true);

    Command2 = new QPushButton(QStringLiteral("Cancel"), Frame1);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(168, 206, 81, 33);

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);

    Form_Load();
    centerOnScreen(this);
}

void Form2::Form_Load()
{
    Label1->show();
    Text1->show();
    Text1->setText(kProposedName);
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
        m_messages.show(this, kProgramTitle, QStringLiteral(" Please enter a name for the new catalog"),
                        MessageIcon::Exclamation);
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
    main.Text3->setText(name);
    main.window->setWindowTitle(name + QStringLiteral(".cdc - ") + kProgramTitle);
    hide();
    main.Label2->setEnabled(false);
    main.Text2->setEnabled(false);
    main.Command3->setEnabled(false);
    main.Command4->hide();
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
    dialog.setFilter(kCatalogFilter);
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
    const QString fileName = dialog.fileName();
    main.Text3->setText(fileName);
    // A catalog that cannot be read is reported by the loader itself; the
    // main window opens all the same with what could be read.
    main.ReadList(fileName, true);
    if (m_programEnding)
        return; // Cancel or the close box was used while the catalog loaded
    main.window->setWindowTitle(fileName + QStringLiteral(" - ") + kProgramTitle);
    if (mode == WorkMode::AddDisc) {
        main.Command3->setEnabled(false);
        main.Command3->show();
        main.Command4->show();
        main.Command4->setEnabled(false);
        main.Command2->show();
        main.Text2->setEnabled(false);
        main.Label2->setEnabled(false);
    }
    main.window->show();
    hide();
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
