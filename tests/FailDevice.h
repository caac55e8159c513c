#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

namespace kobrix::test {

// A device that lets the first `limit` bytes through and then fails, as a
// full disk or a damaged medium does: a write that reaches the limit is cut
// short there, and every later read or write fails. Writes go on to `inner`
// when there is one (a real file), else they are kept (written()); reads
// come from `source`.
class FailDevice : public QIODevice
{
public:
    explicit FailDevice(qint64 limit, QIODevice *inner = nullptr, QByteArray source = {})
        : m_limit(limit), m_inner(inner), m_source(std::move(source))
    {
    }

    qint64 size() const override { return m_source.size(); }
    const QByteArray &written() const { return m_written; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 offset = pos();
        if (offset >= m_source.size())
            return 0; // the end, before the limit
        if (m_passed >= m_limit)
            return -1;
        const qint64 n = std::min({maxSize, m_limit - m_passed, m_source.size() - offset});
        std::copy_n(m_source.constData() + offset, n, data);
        m_passed += n;
        return n;
    }

    qint64 writeData(const char *data, qint64 length) override
    {
        if (m_passed >= m_limit)
            return -1;
        const qint64 n = std::min(length, m_limit - m_passed);
        if (m_inner) {
            if (m_inner->write(data, n) != n)
                return -1;
        } else {
            m_written.append(data, n);
        }
        m_passed += n;
        return n;
    }

private:
    qint64 m_limit;
    qint64 m_passed = 0;
    QIODevice *m_inner;
    QByteArray m_source;
    QByteArray m_written;
};

} // namespace kobrix::test
