#include "catalog/CatalogSlot.h"

#include <atomic>

namespace kobrix {

namespace {
std::atomic<bool> g_slotBusy{false};
}

RuntimeError CatalogSlot::acquire()
{
    if (m_held)
        return RuntimeError(FileAlreadyOpen);
    bool expected = false;
    if (!g_slotBusy.compare_exchange_strong(expected, true))
        return RuntimeError(FileAlreadyOpen);
    m_held = true;
    return RuntimeError();
}

void CatalogSlot::release()
{
    if (m_held) {
        g_slotBusy.store(false);
        m_held = false;
    }
}

bool CatalogSlot::isBusy() { return g_slotBusy.load(); }

} // namespace kobrix
