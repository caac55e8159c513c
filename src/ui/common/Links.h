#pragma once

#include "core/ProgramTexts.h"

#include <QString>

namespace kobrix {

// Where the program's links lead.
inline const QString kProductVersionText = ProgramTexts::programTitle() + QStringLiteral(" v1.2b");
inline const QString kSupportMail = QStringLiteral("support@example.org");
inline const QString kHomePage = QStringLiteral("https://www.example.org/kobrix/");

// "mailto:" + address + "?subject=Kobrix v1.2b -  " (blank, dash, two blanks).
inline QString mailLink()
{
    return QStringLiteral("mailto:") + kSupportMail + QStringLiteral("?subject=")
        + kProductVersionText + QStringLiteral(" -  ");
}

// The payment page, with the mail address's at sign written as %40.
inline QString donationPage()
{
    QString business = kSupportMail;
    business.replace(QLatin1Char('@'), QLatin1String("%40"));
    return QStringLiteral("https://www.example.com/xclick/business=") + business
        + QStringLiteral("&item_name=Kobrix+Donation");
}

} // namespace kobrix
