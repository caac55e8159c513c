// Every caption of every window shows in full at the font the user chose,
// in English and in every language the windows are translated into: no text
// cut by its own control, by the control it sits in, or by a neighbour; and
// the windows keep that font rather than shrinking it.

#include "AllWindows.h"
#include "ui/common/WindowLanguage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

using namespace kobrix;
using namespace kobrix::test;

namespace {

QString captionOf(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *group = qobject_cast<const QGroupBox *>(control))
        return group->title();
    return QString();
}

// Where a group box draws its title.
QRect titleRect(const QGroupBox *group)
{
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                          group);
}

bool fits(const QSize &needed, const QSize &given)
{
    return needed.width() <= given.width() && needed.height() <= given.height();
}

QString sizeText(const QSize &size)
{
    return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height());
}

// The part of its control a caption takes: a label's text may fill only a
// corner of the label.
QRect captionArea(const QWidget *control)
{
    const auto *label = qobject_cast<const QLabel *>(control);
    if (!label || label->text().isEmpty())
        return control->geometry();
    const QSize needed = label->wordWrap()
        ? QSize(label->width(), label->heightForWidth(label->width()))
        : label->sizeHint();
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                               needed.boundedTo(label->size()), label->geometry());
}

// Why the caption of control does not show in full; empty when it does.
QString clipping(const QWidget *control)
{
    const QString caption = captionOf(control);
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height())
                return QStringLiteral("its lines need %1 px, it is %2 px high")
                    .arg(label->heightForWidth(label->width()))
                    .arg(label->height());
            if (label->minimumSizeHint().width() > label->width())
                return QStringLiteral("a word is wider than the label");
        } else if (!fits(label->sizeHint(), label->size())) {
            return QStringLiteral("needs ") + sizeText(label->sizeHint()) + QStringLiteral(", has ")
                + sizeText(label->size());
        }
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
        if (!fits(button->sizeHint(), button->size()))
            return QStringLiteral("needs ") + sizeText(button->sizeHint())
                + QStringLiteral(", has ") + sizeText(button->size());
    } else if (const auto *group = qobject_cast<const QGroupBox *>(control)) {
        const QRect title = titleRect(group);
        if (!group->rect().contains(title)
            || title.width() < group->fontMetrics().horizontalAdvance(caption))
            return QStringLiteral("the title (%1 px wide at %2,%3, its text %4 px) does not fit "
                                  "the frame of %5")
                .arg(title.width())
                .arg(title.x())
                .arg(title.y())
                .arg(group->fontMetrics().horizontalAdvance(caption))
                .arg(sizeText(group->size()));
        for (const QWidget *child : group->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && child->geometry().intersects(title))
                return QStringLiteral("the title is covered by ") + child->objectName();
        }
    }

    // Whatever sticks out of the control it sits in is cut off.
    const QWidget *parent = control->parentWidget();
    if (parent && !parent->rect().contains(control->geometry()))
        return QStringLiteral("sticks out of ") + parent->objectName();
    // A neighbour over it, or under it, hides part of it.
    if (parent) {
        for (const QWidget *sibling : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (sibling != control && sibling->isVisible() && !sibling->isWindow()
                && captionArea(sibling).intersects(captionArea(control)))
                return QStringLiteral("overlaps ") + sibling->objectName();
        }
    }
    return QString();
}

// Why a tab's caption or a box's placeholder does not show in full; empty
// when it does. Tabs are cut when the bar scrolls or shortens them, a
// placeholder when the box's text area is narrower than it.
QString clippedInside(const QWidget *control)
{
    if (const auto *bar = qobject_cast<const QTabBar *>(control)) {
        for (const QToolButton *arrow : bar->findChildren<const QToolButton *>()) {
            if (arrow->isVisible())
                return QStringLiteral("the tabs scroll");
        }
        for (int i = 0; i < bar->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            const int text = bar->fontMetrics().horizontalAdvance(
                QString(bar->tabText(i)).remove(QLatin1Char('&')));
            if (!bar->rect().contains(tab) || tab.width() <= text)
                return QStringLiteral("tab \"%1\" is %2 px wide, its caption %3 px")
                    .arg(bar->tabText(i))
                    .arg(tab.width())
                    .arg(text);
        }
    } else if (const auto *box = qobject_cast<const QLineEdit *>(control)) {
        if (box->placeholderText().isEmpty() || !box->text().isEmpty())
            return QString();
        // The area Qt draws the text in: the contents less the margins, the
        // buttons inside the box, and two pixels either side.
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->hasFrame()
            ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box)
            : 0;
        int width = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width()
            - box->textMargins().left() - box->textMargins().right() - 4;
        for (const QToolButton *button : box->findChildren<const QToolButton *>()) {
            if (button->isVisibleTo(box))
                width -= button->width();
        }
        const int text = box->fontMetrics().horizontalAdvance(box->placeholderText());
        if (text > width)
            return QStringLiteral("the placeholder needs %1 px, has %2 px").arg(text).arg(width);
    }
    return QString();
}

QStringList languagesWithEnglish()
{
    return QStringList{QStringLiteral("en")}
        + QStringLiteral(KOBRIX_LANGUAGES).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The texts that share one set of Alt+letter keys: those of the visible
// controls and menu titles of a window, or those of one menu's items.
QList<QStringList> mnemonicScopes(QWidget *window)
{
    QStringList windowTexts;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!control->isVisible())
            continue;
        if (const auto *bar = qobject_cast<QTabBar *>(control)) {
            for (int i = 0; i < bar->count(); ++i)
                windowTexts << bar->tabText(i);
        } else if (const auto *menuBar = qobject_cast<QMenuBar *>(control)) {
            for (const QAction *action : menuBar->actions())
                windowTexts << action->text();
        } else if (!qobject_cast<QLabel *>(control) || qobject_cast<QLabel *>(control)->buddy()) {
            windowTexts << captionOf(control);
        }
    }
    QList<QStringList> scopes{windowTexts};
    for (const QMenu *menu : window->findChildren<QMenu *>()) {
        QStringList items;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator() && action->isVisible())
                items << action->text();
        }
        scopes << items;
    }
    return scopes;
}

} // namespace

class TestUiCaptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_savedFont = QApplication::font(); }
    void cleanup()
    {
        QApplication::setFont(m_savedFont);
        qApp->setStyleSheet(QString());
    }

    // At fonts the application is given, and at a font a style sheet sets
    // (kobrix -stylesheet big.qss); in English ("en") and each translation.
    void captionsShowInFull_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("styleSheet");
        for (const QString &language : languagesWithEnglish()) {
            const QByteArray tag = language.toUtf8();
            for (int pointSize : {9, 11}) {
                for (const QString &name : AllWindows::names())
                    QTest::addRow("%s, %s, %d pt", tag.constData(), qPrintable(name), pointSize)
                        << language << name << pointSize << false;
            }
            for (const QString &name : AllWindows::names()) {
                if (name.startsWith(QLatin1String("DiscsWindow")))
                    QTest::addRow("%s, %s, 14 pt style sheet", tag.constData(), qPrintable(name))
                        << language << name << 14 << true;
            }
        }
    }
    void captionsShowInFull()
    {
        QFETCH(QString, language);
        QFETCH(QString, window);
        QFETCH(int, pointSize);
        QFETCH(bool, styleSheet);
        WindowLanguage translation;
        if (language != QLatin1String("en")) {
            QVERIFY2(translation.install(language, {QStringLiteral(KOBRIX_TRANSLATIONS_DIR)}),
                     qPrintable("no translation kobrix_" + language + ".qm"));
        }
        if (styleSheet) {
            qApp->setStyleSheet(QStringLiteral("* { font-size: %1pt; }").arg(pointSize));
        } else {
            QFont font = QApplication::font();
            font.setPointSize(pointSize);
            QApplication::setFont(font);
        }

        AllWindows all;
        std::unique_ptr<QWidget> form = all.make(window);
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));

        QStringList cut;
        QStringList shrunk;
        int captions = 0;
        for (QWidget *control : form->findChildren<QWidget *>()) {
            if (!control->isVisible())
                continue;
            if (const QString why = clippedInside(control); !why.isEmpty())
                cut << control->objectName() + QStringLiteral(": ") + why;
            if (captionOf(control).isEmpty())
                continue;
            ++captions;
            const QString why = clipping(control);
            if (!why.isEmpty())
                cut << QStringLiteral("\"%1\" (%2): %3")
                           .arg(captionOf(control), control->objectName(), why);
            if (control->font().pointSizeF() != pointSize)
                shrunk << control->objectName();
        }
        QVERIFY(captions > 0);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        QVERIFY2(shrunk.isEmpty(), qPrintable("not in the chosen font: " + shrunk.join(", ")));
    }

    // In every language no two controls of a window, and no two items of a
    // menu, answer to the same Alt+letter.
    void mnemonicsDiffer_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("window");
        for (const QString &language : languagesWithEnglish()) {
            for (const QString &name : AllWindows::names())
                QTest::addRow("%s, %s", qPrintable(language), qPrintable(name)) << language << name;
        }
    }
    void mnemonicsDiffer()
    {
        QFETCH(QString, language);
        QFETCH(QString, window);
        WindowLanguage translation;
        if (language != QLatin1String("en"))
            QVERIFY(translation.install(language, {QStringLiteral(KOBRIX_TRANSLATIONS_DIR)}));
        AllWindows all;
        std::unique_ptr<QWidget> form = all.make(window);
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QStringList clashes;
        for (const QStringList &scope : mnemonicScopes(form.get())) {
            QMap<QString, QString> taken;
            for (const QString &text : scope) {
                const QString key = QKeySequence::mnemonic(text).toString();
                if (key.isEmpty())
                    continue;
                if (taken.contains(key))
                    clashes << QStringLiteral("\"%1\" and \"%2\" (%3)").arg(taken[key], text, key);
                taken.insert(key, text);
            }
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
    }

private:
    QFont m_savedFont;
};

QTEST_MAIN(TestUiCaptions)
#include "tst_ui_captions.moc"
