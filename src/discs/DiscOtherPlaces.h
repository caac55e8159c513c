#pragma once

#include "discs/DiscDuplicates.h"
#include "discs/DiscIndex.h"
#include "core/LineStore.h"

#include <string_view>
#include <vector>

namespace kobrix {

// Where else a file of a catalog stands: the lines of the other discs that
// hold the same path, and those of the other discs that hold a file of the
// same name in another folder. Compared byte for byte, letter case included,
// as the files on several discs are (DiscDuplicates.h). The lines made by
// hand belong to no disc: they are never found, and a file of theirs has no
// other discs.
struct OtherPlaces
{
    std::vector<qsizetype> samePath; // in the order of the discs, then of the lines
    std::vector<qsizetype> sameName;
};

// One pass over the lines of every other disc; the index must be built from
// lines.
OtherPlaces findOnOtherDiscs(const LineStore &lines, const DiscIndex &index, qsizetype line);

// The first line of a disc that holds key, keyed as DiscDuplicates keys
// lines: its whole path, or its file name in any folder. -1 when none.
qsizetype firstLineWithKey(const LineStore &lines, const DiscIndex &index, qsizetype disc,
                           std::string_view key, DiscDuplicates::Key kind);

} // namespace kobrix
