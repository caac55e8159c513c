#include "search/Matcher.h"

#include <QChar>
#include <QList>

#include <algorithm>
#include <cstring>

namespace kobrix {

namespace {

inline unsigned char asciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

QString caseFolded(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const char32_t f = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(f)) {
            folded.append(QChar(QChar::highSurrogate(f)));
            folded.append(QChar(QChar::lowSurrogate(f)));
        } else {
            folded.append(QChar(char16_t(f)));
        }
    }
    return folded;
}

} // namespace

QString effectiveSearchText(QStringView typed)
{
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && typed[begin] == u' ')
        ++begin;
    while (end > begin && typed[end - 1] == u' ')
        --end;
    return typed.mid(begin, end - begin).toString();
}

Matcher::Matcher(QStringView effectiveText)
    : m_folded(caseFolded(effectiveText)), m_empty(effectiveText.isEmpty())
{
    // Folding maps ASCII letters to lower case ASCII, so a text whose folded
    // form is ASCII can be searched byte-wise in ASCII lines.
    const QByteArray folded = m_folded.toUtf8();
    m_ascii = !m_empty && isAscii(std::string_view(folded.constData(), std::size_t(folded.size())))
        && !folded.contains('\n');
    if (!m_ascii)
        return;
    m_asciiLower = folded;
    m_foldsFromNonAscii = m_asciiLower.contains('k') || m_asciiLower.contains('s');

    const auto n = std::uint32_t(m_asciiLower.size());
    m_skip.fill(n);
    for (std::uint32_t i = 0; i + 1 < n; ++i) {
        const auto c = static_cast<unsigned char>(m_asciiLower[i]);
        m_skip[c] = n - 1 - i;
        if (c >= 'a' && c <= 'z')
            m_skip[c - 32] = n - 1 - i;
    }
}

bool Matcher::foldedContains(QStringView line) const
{
    if (line.isEmpty())
        return false;
    if (m_empty)
        return true;
    return caseFolded(line).contains(m_folded);
}

bool Matcher::matches(QStringView line) const { return foldedContains(line); }

bool Matcher::matchesUtf8(std::string_view line) const
{
    if (line.empty())
        return false;
    if (m_empty)
        return true;
    if (!m_ascii && isAscii(line))
        return false;
    if (m_ascii && isAscii(line)) {
        const std::size_t n = std::size_t(m_asciiLower.size());
        if (line.size() < n)
            return false;
        for (std::size_t i = 0; i + n <= line.size(); ++i) {
            std::size_t k = 0;
            while (k < n && asciiLower(static_cast<unsigned char>(line[i + k]))
                       == static_cast<unsigned char>(m_asciiLower[qsizetype(k)]))
                ++k;
            if (k == n)
                return true;
        }
        return false;
    }
    return foldedContains(QString::fromUtf8(line.data(), qsizetype(line.size())));
}

void Matcher::findAscii(const LineStore &store, qsizetype from, qsizetype to,
                        std::vector<qsizetype> &out) const
{
    // Horspool over the bytes of lines [from, to). Lines end in '\n', which
    // the text cannot contain, so no match spans two lines. After a match the
    // search resumes at the next line, keeping each line once.
    const auto *text = reinterpret_cast<const unsigned char *>(store.bytes());
    const auto *pattern = reinterpret_cast<const unsigned char *>(m_asciiLower.constData());
    const std::int64_t n = m_asciiLower.size();
    const std::int64_t end = store.lineStart(to);
    std::int64_t pos = store.lineStart(from);
    const unsigned char last = pattern[n - 1];
    while (pos + n <= end) {
        const unsigned char c = asciiLower(text[pos + n - 1]);
        if (c == last) {
            std::int64_t k = n - 2;
            while (k >= 0 && asciiLower(text[pos + k]) == pattern[k])
                --k;
            if (k < 0) {
                const qsizetype line = store.lineAtByte(pos);
                out.push_back(line);
                pos = store.lineStart(line + 1);
                continue;
            }
        }
        pos += m_skip[text[pos + n - 1]];
    }
}

void Matcher::findIn(const LineStore &store, qsizetype from, qsizetype to,
                     std::vector<qsizetype> &out) const
{
    to = std::min(to, store.count());
    if (from >= to)
        return;
    if (m_empty) {
        for (qsizetype i = from; i < to; ++i) {
            if (store.lineStart(i + 1) - store.lineStart(i) > 1)
                out.push_back(i);
        }
        return;
    }
    const auto &nonAscii = store.nonAsciiLines();
    const auto firstNonAscii = std::lower_bound(nonAscii.begin(), nonAscii.end(), from);
    const auto lastNonAscii = std::lower_bound(firstNonAscii, nonAscii.end(), to);

    if (!m_ascii) {
        // A text with a non-ASCII letter (after folding) can only occur in
        // lines that hold non-ASCII bytes.
        for (auto it = firstNonAscii; it != lastNonAscii; ++it) {
            if (foldedContains(store.at(*it)))
                out.push_back(*it);
        }
        return;
    }
    const std::size_t before = out.size();
    findAscii(store, from, to, out);
    if (!m_foldsFromNonAscii || firstNonAscii == lastNonAscii)
        return;
    // Non-ASCII lines that the byte search missed may still match through a
    // letter that folds onto ASCII; check them by Unicode rules and merge.
    std::vector<qsizetype> extra;
    for (auto it = firstNonAscii; it != lastNonAscii; ++it) {
        if (!std::binary_search(out.begin() + qsizetype(before), out.end(), *it)
            && foldedContains(store.at(*it)))
            extra.push_back(*it);
    }
    if (extra.empty())
        return;
    const auto middle = out.size();
    out.insert(out.end(), extra.begin(), extra.end());
    std::inplace_merge(out.begin() + qsizetype(before), out.begin() + qsizetype(middle), out.end());
}

qsizetype Matcher::countIn(const LineStore &store) const
{
    std::vector<qsizetype> hits;
    findIn(store, 0, store.count(), hits);
    return qsizetype(hits.size());
}

} // namespace kobrix
