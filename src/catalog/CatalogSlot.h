#pragma once

#include "core/RuntimeError.h"

namespace kobrix {

// The one catalog file slot of the program: at most one catalog file is open
// at a time. A routine that finds the slot taken fails with 55 "File already
// open" (a write pressed while a load is still reading, for instance).
class CatalogSlot
{
public:
    CatalogSlot() = default;
    ~CatalogSlot() { release(); }
    CatalogSlot(const CatalogSlot &) = delete;
    CatalogSlot &operator=(const CatalogSlot &) = delete;

    // Takes the slot; fails with FileAlreadyOpen when someone holds it.
    RuntimeError acquire();
    void release();
    bool isHeld() const { return m_held; }

    static bool isBusy();

private:
    bool m_held = false;
};

} // namespace kobrix
