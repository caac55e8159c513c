// The About box: layout, the hover rule of its two links, and the links.

#include "platform/ShellOpener.h"
#include "ui/common/Artwork.h"
#include "ui/main/Form4.h"
#include "ui/common/Links.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <stdexcept>

using namespace kobrix;

namespace {

class RecordingShell : public ShellOpener
{
public:
    void open(const QString &target) override
    {
        opened << target;
        if (fail)
            throw std::runtime_error("no program registered for this address");
    }
    QStringList opened;
    bool fail = false;
};

// A point of the window over the given control, or over the bare
// background ("background": between the picture and the texts).
QPoint pointOver(const Form4 &form, const QString &name)
{
    if (name == QLatin1String("background"))
        return QPoint(form.Image1->geometry().right() + 6, form.Label5->geometry().center().y());
    const QWidget *control = form.findChild<QWidget *>(name);
    Q_ASSERT(control);
    return control->geometry().center();
}

QString colorName(const QColor &color, const QColor &standard)
{
    if (color == Form4::highlightColor())
        return QStringLiteral("blue");
    if (color == Form4::afterHighlightColor())
        return color == standard ? QStringLiteral("standard") : QStringLiteral("black");
    if (color == standard)
        return QStringLiteral("standard");
    return color.name();
}

} // namespace

class TestForm4 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The standard label colour must differ from black, or "turns black,
        // not back to the standard colour" could not be told apart.
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::WindowText, QColor(40, 40, 40));
        QApplication::setPalette(palette);
    }

    void designedLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("units"); // 0 size: sized to its text
        QTest::addColumn<QString>("text");
        QTest::newRow("Image1") << "Image1" << QRect(120, 120, 2250, 3750) << "";
        QTest::newRow("Label1") << "Label1" << QRect(2640, 240, 3495, 255) << "Kobrix v1.2b";
        QTest::newRow("Label3") << "Label3" << QRect(2640, 600, 3495, 255) << "*";
        QTest::newRow("Label2") << "Label2" << QRect(2640, 960, 3495, 255) << "*";
        QTest::newRow("Label4") << "Label4" << QRect(2640, 1440, 0, 0) << "Visit Kobrix website";
        QTest::newRow("Label5") << "Label5" << QRect(2640, 1800, 3495, 495)
                                << "For comments or suggestions on Kobrix email:";
        QTest::newRow("Label6") << "Label6" << QRect(2640, 2280, 0, 0) << kSupportMail;
        QTest::newRow("Label7") << "Label7" << QRect(2640, 2640, 3495, 495)
                                << "If you find Kobrix useful please help support it by donating";
        QTest::newRow("Command1") << "Command1" << QRect(4080, 3360, 1215, 495) << "OK";
    }
    void designedLayout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, units);
        QFETCH(QString, text);
        RecordingShell shell;
        Form4 form(shell);
        QCOMPARE(form.windowTitle(), QStringLiteral("About"));
        QCOMPARE(form.size(), QSize(420, 263));
        QCOMPARE(form.minimumSize(), form.maximumSize());

        auto *control = form.findChild<QWidget *>(name);
        QVERIFY(control);
        const QRect px = control->geometry();
        QCOMPARE(px.topLeft(), QPoint(qRound(units.left() / 15.0), qRound(units.top() / 15.0)));
        if (units.width() > 0)
            QCOMPARE(px.size(), QSize(qRound(units.width() / 15.0), qRound(units.height() / 15.0)));
        else
            QCOMPARE(px.size(), control->sizeHint());
        QVERIFY(form.rect().contains(px));

        if (auto *label = qobject_cast<QLabel *>(control); label && name != "Image1") {
            if (text == "*")
                QVERIFY(!label->text().isEmpty());
            else
                QCOMPARE(label->text(), text);
            // Every text fits its label.
            const int lines = units.height() > 300 ? 2 : 1;
            QVERIFY(label->heightForWidth(px.width()) <= px.height() || !label->wordWrap());
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= px.width() * lines);
        }
        if (auto *button = qobject_cast<QPushButton *>(control))
            QCOMPARE(button->text(), text);
    }

    void picture()
    {
        RecordingShell shell;
        Form4 form(shell);
        const QImage image = form.Image1->pixmap().toImage();
        QCOMPARE(image.size(), kArtworkSize);
        QCOMPARE(image.size(), QSize(150, 250));
        // Drawn, not blank: many different colours.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 5)
            for (int x = 0; x < image.width(); x += 5)
                colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 50);
    }

    void onlyOkTakesFocus()
    {
        RecordingShell shell;
        Form4 form(shell);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (QWidget *child : form.findChildren<QWidget *>()) {
            if (child == form.Command1)
                QVERIFY(child->focusPolicy() != Qt::NoFocus);
            else
                QCOMPARE(child->focusPolicy(), Qt::NoFocus);
        }
        QTRY_COMPARE(QApplication::focusWidget(), form.Command1);
    }

    // Mouse moves as the window system reports them, one after another;
    // the colours of Label4 and Label6 afterwards.
    void hover_data()
    {
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<QString>("label4");
        QTest::addColumn<QString>("label6");
        QTest::newRow("nothing yet") << QStringList{} << "standard" << "standard";
        QTest::newRow("over the website link") << QStringList{"Label4"} << "blue" << "standard";
        QTest::newRow("over the mail link") << QStringList{"Label6"} << "standard" << "blue";
        QTest::newRow("link then background: black, not standard")
            << QStringList{"Label4", "background"} << "black" << "standard";
        QTest::newRow("background alone changes nothing")
            << QStringList{"background"} << "standard" << "standard";
        QTest::newRow("picture, other label, OK keep the highlight")
            << QStringList{"Label4", "Image1", "Label5", "Label1", "Command1"} << "blue"
            << "standard";
        QTest::newRow("both links, then background")
            << QStringList{"Label4", "Label6", "background"} << "black" << "black";
        QTest::newRow("highlight again after black")
            << QStringList{"Label6", "background", "Label6"} << "standard" << "blue";
        QTest::newRow("mail link, then picture")
            << QStringList{"Label6", "Image1"} << "standard" << "blue";
    }
    void hover()
    {
        QFETCH(QStringList, moves);
        QFETCH(QString, label4);
        QFETCH(QString, label6);
        RecordingShell shell;
        Form4 form(shell);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QColor standard = QApplication::palette().color(QPalette::WindowText);
        QCOMPARE(Form4::labelColor(form.Label4), standard);

        // The window system reports no move when the pointer stays where it
        // was; start from a neutral spot so that the first move counts.
        QTest::mouseMove(form.windowHandle(), QPoint(form.width() - 2, 2));
        for (const QString &target : moves)
            QTest::mouseMove(form.windowHandle(), pointOver(form, target));
        QCOMPARE(colorName(Form4::labelColor(form.Label4), standard), label4);
        QCOMPARE(colorName(Form4::labelColor(form.Label6), standard), label6);
        // Neither the font nor the cursor changes.
        QCOMPARE(form.Label4->font(), form.Label5->font());
        QCOMPARE(form.Label4->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(shell.opened.isEmpty());
        QVERIFY(form.isVisible());
    }

    // The links the program opens, as the user's browser and mail program
    // receive them; every other test takes them from the helpers.
    void linkTexts_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("text");
        QTest::newRow("mail, with the subject and its trailing blanks")
            << mailLink() << "mailto:support@example.org?subject=Kobrix v1.2b -  ";
        QTest::newRow("donation, at sign as %40")
            << donationPage()
            << "https://www.example.com/xclick/business=support%40example.org&item_name=Kobrix+Donation";
        QTest::newRow("home page") << kHomePage << "https://www.example.org/kobrix/";
    }
    void linkTexts()
    {
        QFETCH(QString, link);
        QFETCH(QString, text);
        QCOMPARE(link, text);
    }

    // A click on a link opens it and closes the box; OK and the close box
    // just close it.
    void click_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("shellFails");
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("website") << "Label4" << false << QStringList{kHomePage};
        QTest::newRow("mail") << "Label6" << false << QStringList{mailLink()};
        QTest::newRow("website, nothing to open it with") << "Label4" << true
                                                         << QStringList{kHomePage};
        QTest::newRow("mail, nothing to open it with") << "Label6" << true << QStringList{mailLink()};
        QTest::newRow("OK") << "Command1" << false << QStringList{};
        QTest::newRow("a plain label") << "Label5" << false << QStringList{};
        QTest::newRow("close box") << "" << false << QStringList{};
    }
    void click()
    {
        QFETCH(QString, control);
        QFETCH(bool, shellFails);
        QFETCH(QStringList, opened);
        RecordingShell shell;
        shell.fail = shellFails;
        Form4 form(shell);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (control.isEmpty())
            QVERIFY(form.close());
        else
            QTest::mouseClick(form.findChild<QWidget *>(control), Qt::LeftButton);
        QCOMPARE(shell.opened, opened);
        QCOMPARE(form.isVisible(), control == "Label5");
    }

    // Press and release must both be on the link.
    void pressAndReleaseApart()
    {
        RecordingShell shell;
        Form4 form(shell);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mousePress(form.Label4, Qt::LeftButton);
        QTest::mouseRelease(form.Label4, Qt::LeftButton, {}, QPoint(-5, -5));
        QTest::mouseClick(form.Label6, Qt::RightButton);
        QVERIFY(shell.opened.isEmpty());
        QVERIFY(form.isVisible());
    }
};

QTEST_MAIN(TestForm4)
#include "tst_ui_form4.moc"
