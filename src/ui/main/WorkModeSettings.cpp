#include "ui/main/WorkModeSettings.h"

#include "core/ProgramTexts.h"
#include "discs/Catalog.h"
#include "ui/main/Form1.h"

namespace kobrix {

void applyStartSettings(Form1 &window, WorkMode mode)
{
    const QString &catalog = window.session().catalog().path();
    // A new catalog shows the name as typed, with the extension the file
    // will get, even when the name has it already.
    window.setWindowTitle(ProgramTexts::catalogCaption(
        mode == WorkMode::NewCatalog ? catalog + QStringLiteral(".cdc") : catalog));
    window.startWork();
}

} // namespace kobrix
