#include "ui/main/DiscLabelProposal.h"

#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <vector>

namespace kobrix {

void proposeDiscLabel(QLineEdit &box, const QString &label)
{
    if (label.isEmpty() || !box.text().isEmpty() || !box.isEnabled())
        return;
    box.setText(label);
    box.selectAll();
    box.setFocus(Qt::OtherFocusReason);
}

void pressWriteOnEnter(QLineEdit &box, std::initializer_list<QPushButton *> writes)
{
    QObject::connect(&box, &QLineEdit::returnPressed, &box,
                     [buttons = std::vector<QPushButton *>(writes)] {
                         for (QPushButton *button : buttons) {
                             if (!button->isHidden() && button->isEnabled()) {
                                 button->click();
                                 return;
                             }
                         }
                     });
}

} // namespace kobrix
