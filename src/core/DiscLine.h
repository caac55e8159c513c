#pragma once

#include <QStringView>

#include <string_view>

namespace kobrix {

// A catalog line is a disc name, " - " and a listing line, and a listing line
// starts with a backslash; so a line splits into its disc and its path at the
// first " - \" in it. A disc named "Photos - 2002" stays whole, as its " - "
// is not followed by a backslash. A line without that shape (one made by
// hand) has no disc: hasDisc is false, disc is empty and path is the whole
// line.
struct DiscLineUtf8
{
    std::string_view disc;
    std::string_view path; // from the backslash on
    bool hasDisc = false;
};

struct DiscLine
{
    QStringView disc;
    QStringView path; // from the backslash on
    bool hasDisc = false;
};

DiscLineUtf8 splitDiscLine(std::string_view line);
DiscLine splitDiscLine(QStringView line);

} // namespace kobrix
