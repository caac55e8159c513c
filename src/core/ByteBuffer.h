#pragma once

#include "core/MemoryAdvice.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <utility>

namespace kobrix {

// A growable block of bytes whose spare room can be written before it is
// counted: a writer asks for room (reserveMore), writes into end(), then
// commits what it wrote. Unlike std::vector<char> nothing is zero-filled, so
// a byte is touched once, by the writer.
class ByteBuffer
{
public:
    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer &other) { append(other.data(), other.size()); }
    ByteBuffer &operator=(const ByteBuffer &other)
    {
        if (this != &other) {
            clear();
            append(other.data(), other.size());
        }
        return *this;
    }
    ByteBuffer(ByteBuffer &&other) noexcept { swap(other); }
    ByteBuffer &operator=(ByteBuffer &&other) noexcept
    {
        ByteBuffer gone(std::move(*this));
        swap(other);
        return *this;
    }
    void swap(ByteBuffer &other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }

    const char *data() const { return m_data.get(); }
    char *data() { return m_data.get(); }
    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }

    void clear() { m_size = 0; }
    void reserve(std::size_t capacity)
    {
        if (capacity <= m_capacity)
            return;
        std::unique_ptr<char[]> grown(new char[capacity]);
        // Huge pages for a large buffer before the bytes held are copied in.
        adviseHugePages(grown.get(), capacity);
        if (m_size)
            std::memcpy(grown.get(), m_data.get(), m_size);
        m_data = std::move(grown);
        m_capacity = capacity;
    }
    // Makes room for `more` bytes past the end, growing by doubling.
    void reserveMore(std::size_t more)
    {
        if (m_capacity - m_size < more)
            reserve(std::max(m_size + more, m_capacity * 2));
    }
    // Where the next bytes go; room as reserved.
    char *end() { return m_data.get() + m_size; }
    void commit(std::size_t written) { m_size += written; }
    void append(const char *bytes, std::size_t n)
    {
        if (n == 0)
            return;
        reserveMore(n);
        if (n)
            std::memcpy(end(), bytes, n);
        m_size += n;
    }
    void push_back(char c)
    {
        reserveMore(1);
        m_data[m_size++] = c;
    }
    // Drops the bytes past the first size.
    void truncate(std::size_t size) { m_size = std::min(m_size, size); }

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace kobrix
