#include "ui/main/DiscLabelProposal.h"

#include <QLineEdit>
#include <QString>

namespace kobrix {

void proposeDiscLabel(QLineEdit &box, const QString &label)
{
    if (label.isEmpty() || !box.text().isEmpty() || !box.isEnabled())
        return;
    box.setText(label);
    box.selectAll();
    box.setFocus(Qt::OtherFocusReason);
}

} // namespace kobrix
