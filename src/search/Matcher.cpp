#include "search/Matcher.h"

#include "catalog/CatalogFormat.h"
#include "core/SearchKey.h"

#include <QChar>
#include <QList>

#include <algorithm>
#include <string>

namespace kobrix {

namespace {

// The line whose start is the last one at or before pos, searching forward
// from line hint by doubling steps: matches come in ascending order, so this
// costs little whether they are dense or rare.
qsizetype lineFrom(const std::int64_t *starts, qsizetype hint, qsizetype to, std::int64_t pos)
{
    qsizetype lo = hint;
    qsizetype step = 1;
    qsizetype hi = lo + 1;
    while (hi < to && starts[hi] <= pos) {
        lo = hi;
        step *= 2;
        hi = lo + step;
    }
    if (hi > to)
        hi = to;
    // starts[lo] <= pos < starts[hi]
    while (hi - lo > 1) {
        const qsizetype mid = lo + (hi - lo) / 2;
        if (starts[mid] <= pos)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

// Appends the indices in [from, to) of the lines holding pattern (ASCII
// letters of the text compared in lower case; pattern is in lower case) to
// out. The lines are `bytes`, line i spanning [starts[i], starts[i + 1] - 1),
// each ended by '\n', which the pattern cannot hold, so no match spans two
// lines. After a match the search resumes at the next line, keeping each
// line once.
void findInBlock(const char *bytes, const std::int64_t *starts, qsizetype from, qsizetype to,
                 const BytePattern &needle, std::vector<qsizetype> &out)
{
    const std::string_view block(bytes, std::size_t(starts[to]));
    std::size_t pos = std::size_t(starts[from]);
    qsizetype line = from; // a line that starts at or before pos
    for (;;) {
        const std::size_t at = needle.find(block, pos);
        if (at == std::string_view::npos)
            return;
        line = lineFrom(starts, line, to, std::int64_t(at));
        out.push_back(line);
        ++line;
        pos = std::size_t(starts[line]);
    }
}

// Whether an ASCII pattern occurs in line in a place that its search key
// certainly keeps: followed by an ASCII byte or the line end (a non-ASCII
// character after it might be a mark that composes with its last letter).
bool surelyInKey(std::string_view line, const BytePattern &pattern)
{
    const std::size_t n = pattern.size();
    for (std::size_t at = pattern.find(line); at != std::string_view::npos;
         at = pattern.find(line, at + 1)) {
        if (at + n == line.size() || static_cast<unsigned char>(line[at + n]) < 0x80)
            return true;
    }
    return false;
}

bool contains(std::string_view haystack, const QByteArray &needle)
{
    return std::string_view::npos
        != haystack.find(std::string_view(needle.constData(), std::size_t(needle.size())));
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

namespace {

// The lookalikes (see SearchKey.h) of the characters of an ASCII text.
std::vector<std::string_view> lookalikesOf(const QByteArray &ascii)
{
    std::vector<std::string_view> found;
    for (const AsciiLookalike &l : kAsciiLookalikes) {
        if (ascii.contains(l.ascii))
            found.push_back(l.utf8);
    }
    return found;
}

// Whether bytes hold the lower-case ASCII text (ASCII case aside) or one of
// the lookalikes of its characters.
bool holdsAscii(std::string_view bytes, const BytePattern &ascii,
                const std::vector<std::string_view> &lookalikes)
{
    if (ascii.find(bytes) != std::string_view::npos)
        return true;
    for (const std::string_view lookalike : lookalikes) {
        if (bytes.find(lookalike) != std::string_view::npos)
            return true;
    }
    return false;
}

// Whether a line read from a record in Windows-1252 (a catalog of an older
// version) can hold c: its key may then hold c where the record's own bytes
// are not c's UTF-8, so c tells nothing about the raw record.
bool isInWindows1252(char32_t c)
{
    static const std::vector<char32_t> characters = [] {
        std::vector<char32_t> found;
        for (int b = 0x80; b <= 0xFF; ++b) {
            std::string utf8;
            const char byte = char(b);
            appendFieldAsUtf8(utf8, std::string_view(&byte, 1));
            for (const char32_t d : QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toUcs4())
                found.push_back(d);
        }
        return found;
    }();
    return std::find(characters.begin(), characters.end(), c) != characters.end();
}

QByteArray utf8Of(char32_t c)
{
    return QString::fromUcs4(&c, 1).toUtf8();
}

// Every spelling followed by each of the characters, in their order.
void extendSpellings(std::vector<QByteArray> &spellings, const std::vector<char32_t> &characters)
{
    std::vector<QByteArray> longer;
    longer.reserve(spellings.size() * characters.size());
    for (const QByteArray &start : spellings) {
        for (const char32_t c : characters)
            longer.push_back(start + utf8Of(c));
    }
    spellings = std::move(longer);
}

// Each spelling is one more pass over the bytes.
constexpr std::size_t kMaxSpellings = 16;

// The spellings of the run of key characters that tells lines apart best:
// the most bytes, each character one that keys hold only for a few others
// (keySources), none of which a Windows-1252 record can spell otherwise, at
// most kMaxSpellings in all. The key's own spelling comes first. None when
// no character of the key is such.
std::vector<QByteArray> spellingsOfBestRun(const QList<uint> &key)
{
    std::vector<std::vector<char32_t>> sources(std::size_t(key.size()));
    for (qsizetype i = 0; i < key.size(); ++i) {
        std::vector<char32_t> s = keySources(char32_t(key[i]));
        if (std::any_of(s.begin(), s.end(), &isInWindows1252))
            s.clear();
        sources[std::size_t(i)] = std::move(s);
    }
    std::size_t bestBegin = 0;
    std::size_t bestEnd = 0;
    qsizetype bestBytes = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        std::size_t spellings = 1;
        qsizetype bytes = 0;
        for (std::size_t j = i; j < sources.size() && !sources[j].empty(); ++j) {
            spellings *= sources[j].size();
            if (spellings > kMaxSpellings)
                break;
            bytes += utf8Of(char32_t(key[qsizetype(j)])).size();
            if (bytes > bestBytes) {
                bestBegin = i;
                bestEnd = j + 1;
                bestBytes = bytes;
            }
        }
    }
    std::vector<QByteArray> spellings;
    if (bestBytes == 0)
        return spellings;
    spellings.emplace_back();
    for (std::size_t j = bestBegin; j < bestEnd; ++j) {
        extendSpellings(spellings, sources[j]); // the key's own character first
    }
    return spellings;
}

// Each is one more search of a line whose key would otherwise be made.
constexpr std::size_t kMostSpellingsKept = 4;

// The spellings of a key that isKeptInKeys() that lines hold where their
// keys hold it: the key itself first, then every other spelling made of
// charactersKeptAs() its characters, the first ones first, as long as they
// are few ("Ёлка" but not "ЁЛКА"): a line holding none of them has its key
// made instead.
std::vector<QByteArray> spellingsKeptInLines(const QByteArray &key)
{
    std::vector<QByteArray> spellings{QByteArray()};
    for (const char32_t c : QString::fromUtf8(key).toUcs4()) {
        std::vector<char32_t> kept = charactersKeptAs(c);
        if (kept.empty())
            return {key};
        if (spellings.size() * kept.size() > kMostSpellingsKept)
            kept.resize(1);
        extendSpellings(spellings, kept);
    }
    return spellings;
}

} // namespace

Matcher::Matcher(QStringView effectiveText)
    : m_key(searchKey(effectiveText)), m_empty(effectiveText.isEmpty())
{
    m_ascii = !m_empty && kobrix::isAscii(std::string_view(m_key.constData(), std::size_t(m_key.size())));
    m_keyPattern = BytePattern(m_key, m_ascii ? BytePattern::Case::IgnoreAscii : BytePattern::Case::Exact);
    m_keyKeptInLines = !m_ascii && !m_empty
        && isKeptInKeys(std::string_view(m_key.constData(), std::size_t(m_key.size())));
    if (m_keyKeptInLines) {
        for (const QByteArray &spelling : spellingsKeptInLines(m_key))
            m_keyInLines.emplace_back(spelling, BytePattern::Case::IgnoreAscii);
    }
    if (m_ascii) {
        m_lookalikes = lookalikesOf(m_key);
        return;
    }
    // Composition and folding keep ASCII characters as they are (but for
    // the lookalikes), so the longest ASCII run of the key stands in every
    // line that holds the text. Two characters and more tell lines apart.
    qsizetype best = 0;
    qsizetype bestLength = 0;
    for (qsizetype i = 0; i < m_key.size();) {
        qsizetype j = i;
        while (j < m_key.size() && static_cast<unsigned char>(m_key[j]) < 0x80)
            ++j;
        if (j - i > bestLength) {
            best = i;
            bestLength = j - i;
        }
        i = j + 1;
    }
    if (bestLength >= 2) {
        const QByteArray run = m_key.mid(best, bestLength);
        m_asciiRun = BytePattern(run, BytePattern::Case::IgnoreAscii);
        m_runLookalikes = lookalikesOf(run);
        return;
    }
    // Texts without case (Japanese, Chinese): the longest run of
    // characters that stand in the lines as they stand in the keys.
    const QString key = QString::fromUtf8(m_key);
    QString run;
    QString longest;
    for (const char32_t c : key.toUcs4()) {
        if (isLiteralInKeys(c) && !isInWindows1252(c)) {
            run += QString::fromUcs4(&c, 1);
            if (run.size() > longest.size())
                longest = run;
        } else {
            run.clear();
        }
    }
    if (longest.toUtf8().size() >= 3) {
        m_literalRun = BytePattern(longest.toUtf8(), BytePattern::Case::Exact);
        return;
    }
    // Texts in Cyrillic or Greek letters: a run whose every character comes
    // from a few characters only, a letter and its capital, say.
    std::vector<BytePattern> spellings;
    for (const QByteArray &spelling : spellingsOfBestRun(key.toUcs4()))
        spellings.emplace_back(spelling, BytePattern::Case::Exact);
    m_spellings = BytePatternSet(std::move(spellings));
}

bool Matcher::mayMatchRecord(std::string_view bytes) const
{
    // Only a line with a byte >= 0x80 can hold a character outside ASCII.
    if (!m_ascii && !m_empty && kobrix::isAscii(bytes))
        return false;
    // An ASCII text is in a line only where its bytes are, ASCII case
    // aside, or where a lookalike stands for one of its characters; any
    // other text only where its longest ASCII run is.
    if (m_ascii)
        return holdsAscii(bytes, m_keyPattern, m_lookalikes);
    if (!m_asciiRun.isEmpty())
        return holdsAscii(bytes, m_asciiRun, m_runLookalikes);
    if (!m_spellings.isEmpty())
        return nextClue(bytes, 0) != std::string_view::npos;
    return m_literalRun.isEmpty() || m_literalRun.find(bytes) != std::string_view::npos;
}

bool Matcher::clueSettlesRecord() const
{
    const auto inRecordText = [](std::string_view clue, bool highByte) {
        return !clue.empty() && clue.find_first_of("\"\r\n") == std::string_view::npos
            && (!highByte || !kobrix::isAscii(clue));
    };
    const auto bytesOf = [](const BytePattern &pattern) {
        return std::string_view(pattern.bytes().constData(), pattern.size());
    };
    if (m_empty)
        return false;
    if (m_ascii) {
        return inRecordText(bytesOf(m_keyPattern), false)
            && std::all_of(m_lookalikes.begin(), m_lookalikes.end(),
                           [&](std::string_view l) { return inRecordText(l, false); });
    }
    // Any other text also needs a byte >= 0x80 in the record, which a
    // clue of ASCII characters does not show.
    if (!m_asciiRun.isEmpty())
        return false;
    if (!m_spellings.isEmpty()) {
        return std::all_of(m_spellings.patterns().begin(), m_spellings.patterns().end(),
                           [&](const BytePattern &s) { return inRecordText(bytesOf(s), true); });
    }
    return !m_literalRun.isEmpty() && inRecordText(bytesOf(m_literalRun), true);
}

std::size_t Matcher::nextClue(std::string_view bytes, std::size_t from) const
{
    const BytePattern &ascii = m_ascii ? m_keyPattern : m_asciiRun;
    if (ascii.isEmpty() && !m_spellings.isEmpty()) {
        return m_spellings.find(bytes, from);
    }
    if (ascii.isEmpty())
        return m_literalRun.isEmpty() ? from : m_literalRun.find(bytes, from);
    std::size_t first = ascii.find(bytes, from);
    // A lookalike counts only before the first plain occurrence: look no
    // further, or dense matches would make this search run over and over.
    // Their lead bytes are rare in most catalogs, and memchr finds them
    // fastest.
    for (const std::string_view lookalike : m_ascii ? m_lookalikes : m_runLookalikes) {
        const std::size_t before = first == std::string_view::npos
            ? bytes.size()
            : std::min(bytes.size(), first + lookalike.size());
        first = std::min(first, bytes.substr(0, before).find(lookalike, from));
    }
    return first;
}

// The bytes at a time in which nextPossibleMatch() looks for a clue outside
// ASCII straight away.
constexpr std::size_t kDenseStretch = 65536;

std::size_t Matcher::nextPossibleMatch(std::string_view bytes) const
{
    if (m_ascii || m_empty)
        return nextClue(bytes, 0);
    // A text with a character outside ASCII stands only in lines holding a
    // byte >= 0x80. Where such lines are few (an English collection with a
    // few accented names), they are found first, sixty-four bytes at a
    // time, and the clue is looked for in them alone; where they come one
    // after the other, the clue alone is looked for.
    // A clue of characters outside ASCII (a literal run, the spellings of
    // Cyrillic or Greek letters) starts at such a byte: where they come
    // close together it is looked for straight from the first one, and a
    // catalog where most lines hold the text costs one pass over its bytes
    // instead of a look at each line on the way.
    const bool highClue = m_asciiRun.isEmpty() && (!m_spellings.isEmpty() || !m_literalRun.isEmpty());
    std::size_t pos = 0;
    int near = 0;
    while (pos < bytes.size()) {
        if (near >= 2)
            return nextClue(bytes, pos);
        const std::size_t high = findNonAscii(bytes, pos);
        if (high == std::string_view::npos)
            return high;
        if (highClue && high - pos < 256) {
            // Over a stretch at a time: where the lines outside ASCII were
            // only a few close together, the rest is looked at line by line.
            const std::size_t end = findLineEnd(bytes, std::min(bytes.size(), high + kDenseStretch));
            const std::size_t clue = nextClue(bytes.substr(0, end), high);
            if (clue != std::string_view::npos)
                return clue;
            pos = end;
            continue;
        }
        std::size_t start = high;
        while (start > pos && bytes[start - 1] != '\n' && bytes[start - 1] != '\r')
            --start;
        const std::size_t end = findLineEnd(bytes, high);
        const std::size_t clue = nextClue(bytes.substr(0, end), start);
        if (clue != std::string_view::npos)
            return clue;
        near = high - pos < 256 ? near + 1 : 0;
        pos = end;
    }
    return std::string_view::npos;
}

bool Matcher::holdsKeySurely(std::string_view line, std::size_t fromSpelling) const
{
    // ASCII capitals fold to the small letters whatever stands around them,
    // so "Dvořák" holds "dvořák" as surely as "dvořák" does.
    for (std::size_t i = fromSpelling; i < m_keyInLines.size(); ++i) {
        const BytePattern &spelling = m_keyInLines[i];
        const std::size_t n = spelling.size();
        for (std::size_t at = spelling.find(line); at != std::string_view::npos;
             at = spelling.find(line, at + 1)) {
            if (!mayJoinPrevious(line.substr(at + n)))
                return true;
        }
    }
    return false;
}

bool Matcher::keyOfLineContains(const LineStore &store, qsizetype line, std::size_t keyIndex) const
{
    if (store.hasSearchKeys())
        return contains(store.keyAt(keyIndex), m_key);
    const std::string_view utf8 = store.utf8At(line);
    // A line that holds the text as its key has it needs no key of its own;
    // most matching lines do.
    if (m_keyKeptInLines && holdsKeySurely(utf8))
        return true;
    return madeKeyContains(utf8);
}

bool Matcher::madeKeyContains(std::string_view utf8) const
{
    thread_local ByteBuffer key;
    key.clear();
    if (!appendSearchKey(key, utf8)) {
        const QByteArray slow = searchKey(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
        return slow.contains(m_key);
    }
    return contains(std::string_view(key.data(), key.size()), m_key);
}

void Matcher::findAsciiText(const LineStore &store, qsizetype from, qsizetype to,
                            std::vector<qsizetype> &out) const
{
    const std::size_t before = out.size();
    std::vector<qsizetype> raw;
    findInBlock(store.bytes(), store.lineStarts(), from, to, m_keyPattern, raw);

    // A hit in an ASCII line is a match. In a line with other characters it
    // is one unless composition may have taken its last letter (a combining
    // mark after it): then the line's key decides.
    const auto &nonAscii = store.nonAsciiLines();
    auto k = std::lower_bound(nonAscii.begin(), nonAscii.end(), from);
    for (const qsizetype i : raw) {
        while (k != nonAscii.end() && *k < i)
            ++k;
        if (k != nonAscii.end() && *k == i && !surelyInKey(store.utf8At(i), m_keyPattern)
            && !keyOfLineContains(store, i, std::size_t(k - nonAscii.begin())))
            continue;
        out.push_back(i);
    }
    if (m_lookalikes.empty())
        return;

    // A lookalike folds or composes onto an ASCII character of the text
    // (the Kelvin sign onto k, ...): lines holding one that the byte search
    // passed over are checked by their keys.
    std::vector<qsizetype> candidates;
    for (const std::string_view lookalike : m_lookalikes)
        findInBlock(store.bytes(), store.lineStarts(), from, to,
                    BytePattern(QByteArray(lookalike.data(), qsizetype(lookalike.size())),
                                BytePattern::Case::Exact),
                    candidates);
    if (candidates.empty())
        return;
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    std::vector<qsizetype> extra;
    for (const qsizetype i : candidates) {
        if (std::binary_search(out.begin() + qsizetype(before), out.end(), i))
            continue;
        const auto at = std::lower_bound(nonAscii.begin(), nonAscii.end(), i);
        if (keyOfLineContains(store, i, std::size_t(at - nonAscii.begin())))
            extra.push_back(i);
    }
    if (extra.empty())
        return;
    const auto middle = out.size();
    out.insert(out.end(), extra.begin(), extra.end());
    std::inplace_merge(out.begin() + qsizetype(before), out.begin() + qsizetype(middle), out.end());
}

void Matcher::findInKeys(const LineStore &store, qsizetype from, qsizetype to,
                         std::vector<qsizetype> &out) const
{
    // A text with a non-ASCII character can only occur in the keys of lines
    // that hold non-ASCII bytes.
    const auto &nonAscii = store.nonAsciiLines();
    const auto first = std::lower_bound(nonAscii.begin(), nonAscii.end(), from);
    const auto last = std::lower_bound(first, nonAscii.end(), to);
    if (first == last || m_key.contains('\n'))
        return;
    const auto kFrom = qsizetype(first - nonAscii.begin());
    const auto kTo = qsizetype(last - nonAscii.begin());
    if (!store.hasSearchKeys() && m_keyKeptInLines) {
        findKeptInLines(store, kFrom, kTo, out);
        return;
    }
    if (!store.hasSearchKeys()) {
        for (qsizetype k = kFrom; k < kTo; ++k) {
            if (keyOfLineContains(store, nonAscii[std::size_t(k)], std::size_t(k)))
                out.push_back(nonAscii[std::size_t(k)]);
        }
        return;
    }
    std::vector<qsizetype> hits;
    findInBlock(store.keyBytes(), store.keyStarts(), kFrom, kTo, m_keyPattern, hits);
    out.reserve(out.size() + hits.size());
    for (const qsizetype k : hits)
        out.push_back(nonAscii[std::size_t(k)]);
}

void Matcher::findKeptInLines(const LineStore &store, qsizetype kFrom, qsizetype kTo,
                              std::vector<qsizetype> &out) const
{
    // The key's own spelling is looked for over the store's bytes at once,
    // from one line holding it to the next, rather than line by line: where
    // most lines hold the text, a search of each line costs more in
    // starting than in looking. The lines between two such places are
    // looked at for the other spellings, then decided by their keys.
    const auto &nonAscii = store.nonAsciiLines();
    const char *bytes = store.bytes();
    const std::string_view all(bytes, std::size_t(store.lineStarts()[store.count()]));
    std::size_t next = 0;
    bool looked = false;
    for (qsizetype k = kFrom; k < kTo; ++k) {
        const qsizetype line = nonAscii[std::size_t(k)];
        const std::string_view utf8 = store.utf8At(line);
        const auto start = std::size_t(utf8.data() - bytes);
        const std::size_t end = start + utf8.size();
        if (!looked || (next != std::string_view::npos && next < start)) {
            next = m_keyInLines.front().find(all, start);
            looked = true;
        }
        // A mark after the first place found may join its letter; the
        // line's other places and other spellings then decide.
        const std::size_t after = next + m_keyInLines.front().size();
        const bool inLine = next != std::string_view::npos && next < end;
        const bool holds = inLine && !mayJoinPrevious(all.substr(after, end - after));
        if (holds || holdsKeySurely(utf8, inLine ? 0 : 1) || madeKeyContains(utf8))
            out.push_back(line);
    }
}

void Matcher::findIn(const LineStore &store, qsizetype from, qsizetype to,
                     std::vector<qsizetype> &out) const
{
    to = std::min(to, store.count());
    if (from >= to)
        return;
    if (m_empty) {
        const std::int64_t *starts = store.lineStarts();
        for (qsizetype i = from; i < to; ++i) {
            if (starts[i + 1] - starts[i] > 1)
                out.push_back(i);
        }
        return;
    }
    if (m_ascii)
        findAsciiText(store, from, to, out);
    else
        findInKeys(store, from, to, out);
}

qsizetype Matcher::countIn(const LineStore &store) const
{
    std::vector<qsizetype> hits;
    findIn(store, 0, store.count(), hits);
    return qsizetype(hits.size());
}

} // namespace kobrix
