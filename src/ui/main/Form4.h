#pragma once

#include <QColor>
#include <QDialog>

class QLabel;
class QPushButton;

namespace kobrix {

class ShellOpener;

// The About box: the program's name and version, a notice and a credit line,
// and two links, to the home page and to the support mail address. A link
// turns pure blue while the mouse moves over it and black once the mouse
// moves over the bare background; a click opens it and closes the box.
class Form4 : public QDialog
{
    Q_OBJECT

public:
    explicit Form4(ShellOpener &shell, QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;        // the program's picture
    QLabel *Label1 = nullptr;        // "Kobrix v1.2b"
    QLabel *Label3 = nullptr;        // notice line
    QLabel *Label2 = nullptr;        // credit line
    QLabel *Label4 = nullptr;        // "Visit Kobrix website": link to the home page
    QLabel *Label5 = nullptr;        // "For comments or suggestions on Kobrix email:"
    QLabel *Label6 = nullptr;        // the support mail address: link to the mail program
    QLabel *Label7 = nullptr;        // the request for donations
    QPushButton *Command1 = nullptr; // "OK": closes the box

    // The link highlight, and the colour a highlight gives way to.
    static QColor highlightColor() { return QColor(0, 0, 255); }
    static QColor afterHighlightColor() { return QColor(0, 0, 0); }

    // The text colour a label shows now.
    static QColor labelColor(const QLabel *label);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void placeControls();
    void setLabelColor(QLabel *label, const QColor &color);
    // Hands a link to the desktop, then closes the box whatever happened.
    void openLinkAndClose(const QString &target);

    ShellOpener &m_shell;
    QLabel *m_pressedLink = nullptr; // the link the left button went down on
};

} // namespace kobrix
