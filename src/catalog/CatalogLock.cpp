#include "catalog/CatalogLock.h"

#include "catalog/CatalogFileSystem.h"

#include <thread>

namespace kobrix {

RuntimeError CatalogLock::acquire(const QString &path, OpenMode mode,
                                  std::chrono::milliseconds wait)
{
    release();
    m_openError = NoError;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    const filesystem::Access access
        = mode == OpenMode::ReadOnly || mode == OpenMode::ReadShared ? filesystem::Access::Read
        : mode == OpenMode::ReadWrite                                ? filesystem::Access::ReadWrite
                                                                     : filesystem::Access::ReadWriteCreate;
    const auto tryLock = mode == OpenMode::ReadShared ? filesystem::tryLockShared
                                                      : filesystem::tryLockExclusive;
    for (;;) {
        bool created = false;
        m_openError = filesystem::openFile(path, access, *m_file, created);
        if (m_openError != NoError) {
            if (m_openError == FileNotFound && mode != OpenMode::ReadWriteCreate)
                return RuntimeError(); // nothing to lock yet
            return RuntimeError(m_openError);
        }

        // Try, and try again until the deadline: the holder is usually a
        // write of a few hundred milliseconds.
        filesystem::LockAttempt attempt;
        while ((attempt = tryLock(*m_file))
                   == filesystem::LockAttempt::HeldByOther
               && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (attempt != filesystem::LockAttempt::Locked) {
            m_file->close();
            return RuntimeError(FileAlreadyOpen);
        }
        if (!filesystem::isSameFile(*m_file, path)) {
            // Replaced or removed by the writer we waited for: lock what the
            // name holds now.
            m_file->close();
            if (std::chrono::steady_clock::now() >= deadline)
                return RuntimeError(FileAlreadyOpen);
            continue;
        }
        m_created = created;
        return RuntimeError();
    }
}

void CatalogLock::release()
{
    m_file->close(); // drops the lock
    m_created = false;
}

} // namespace kobrix
