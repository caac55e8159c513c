#include "core/SearchKey.h"

#include "core/LineStore.h"
#include "core/MemoryAdvice.h"

#include <QChar>
#include <QList>
#include <QString>

#include <algorithm>
#include <bit>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace kobrix {

namespace {

// One entry per code point of the Basic Multilingual Plane: the UTF-8 bytes
// of its case folding (low three bytes), their count (bits 24-25), and bit
// 31 when NFC may change a text holding the character.
constexpr std::uint32_t kNeedsNormalizer = 0x80000000u;
// Bit 30: a line's key holds the character only where the line's own bytes
// do (see isLiteralInKeys).
constexpr std::uint32_t kLiteral = 0x40000000u;
// Bit 29: a character that composition leaves as it is and that has no
// canonical decomposition (no mark, no Hangul part): one that a single mark
// after it either joins into one character or leaves alone.
constexpr std::uint32_t kSimpleStarter = 0x20000000u;
// Bit 28: a combining mark that has no decomposition of its own and folds to
// a character of the Basic Multilingual Plane.
constexpr std::uint32_t kSimpleMark = 0x10000000u;

struct FoldTable
{
    std::array<std::uint32_t, 0x10000> entry;
    // What keys hold for other characters, sorted: (the character a key
    // holds, a character that a line holds for it), by folding ("Л" for
    // "л") or by composition of a singleton (the Ohm sign for "ω").
    std::vector<std::pair<char32_t, char32_t>> heldFor;
    // The characters that keys may hold where lines hold neither them nor
    // any of heldFor: those folding from a character that lines may hold
    // decomposed, and the parts of what composition makes of a character it
    // does not keep (one excluded from composition).
    std::vector<bool> madeByComposition;
    // The characters that composition makes of a starter and one mark,
    // sorted by (starter << 16 | mark): U+00E9 for "e" and U+0301 ...
    std::vector<std::pair<std::uint32_t, char32_t>> compositions;

    // What composition makes of starter and mark; 0 when nothing.
    char32_t composition(char32_t starter, char32_t mark) const
    {
        const std::uint32_t pair = (std::uint32_t(starter) << 16) | std::uint32_t(mark);
        const auto it = std::lower_bound(compositions.begin(), compositions.end(),
                                         std::pair<std::uint32_t, char32_t>(pair, 0));
        return it != compositions.end() && it->first == pair ? it->second : 0;
    }
};

std::uint32_t packUtf8(char32_t c)
{
    if (c < 0x80)
        return (1u << 24) | c;
    if (c < 0x800)
        return (2u << 24) | (0xC0 | (c >> 6)) | ((0x80 | (c & 0x3F)) << 8);
    return (3u << 24) | (0xE0 | (c >> 12)) | ((0x80 | ((c >> 6) & 0x3F)) << 8)
        | ((0x80 | (c & 0x3F)) << 16);
}

bool isHangulSyllable(char32_t c) { return c >= 0xAC00 && c <= 0xD7A3; }

FoldTable *buildFoldTable()
{
    auto *table = new (allocateLarge(sizeof(FoldTable))) FoldTable;
    std::vector<bool> needsNormalizer(0x10000, false);
    // What keys can make of other characters: the foldings of other
    // characters and the compositions of singletons.
    std::vector<bool> madeFromOthers(0x10000, false);
    std::vector<bool> canonical(0x10000, false);
    std::vector<bool> mark(0x10000, false); // combining class other than 0
    table->madeByComposition.assign(0x10000, false);
    const auto markCanonical = [&](char32_t c) {
        // Every character after the first of a canonical decomposition may
        // compose with the one before it (Hangul vowels, U+09BE ...).
        const QList<uint> parts = QChar::decomposition(c).toUcs4();
        for (qsizetype i = 1; i < parts.size(); ++i) {
            if (parts[i] < 0x10000)
                needsNormalizer[parts[i]] = true;
        }
        // Where NFC keeps a character it composes it from its parts, so keys
        // hold its folding wherever a line holds it decomposed.
        const QString alone = QString::fromUcs4(&c, 1);
        const QString composed = alone.normalized(QString::NormalizationForm_C);
        const auto markFolding = [&](char32_t part) {
            const char32_t folded = QChar::toCaseFolded(part);
            if (folded < 0x10000)
                table->madeByComposition[folded] = true;
        };
        if (composed == alone) {
            if (parts.size() > 1)
                markFolding(c);
            if (parts.size() == 2 && c < 0x10000 && parts[0] < 0x10000 && parts[1] < 0x10000
                && QChar::combiningClass(char32_t(parts[1])) != 0)
                table->compositions.emplace_back((std::uint32_t(parts[0]) << 16) | parts[1], c);
            return;
        }
        // A character that NFC does not keep (a singleton such as the
        // Angstrom sign, or one excluded from composition) stands in keys
        // for what it composes to.
        if (c < 0x10000)
            needsNormalizer[c] = true;
        const QList<uint> made = composed.toUcs4();
        for (const uint part : made) {
            if (part != c && part < 0x10000)
                madeFromOthers[part] = true;
        }
        if (made.size() == 1) {
            const char32_t folded = QChar::toCaseFolded(char32_t(made[0]));
            if (folded < 0x10000)
                table->heldFor.emplace_back(folded, c);
        } else {
            for (const uint part : made)
                markFolding(char32_t(part));
        }
    };
    const PlainBlock *plain = std::begin(kPlainBlocks);
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (plain != std::end(kPlainBlocks) && c == plain->first) {
            for (; c <= plain->last; ++c) {
                table->entry[c] = c;
                canonical[c] = plain->hangulSyllables;
            }
            --c;
            ++plain;
            continue;
        }
        // Marks that combine with what precedes them, and characters that
        // composition replaces or reorders.
        if (QChar::combiningClass(c) != 0)
            needsNormalizer[c] = mark[c] = true;
        // The table holds the folding until the entries are made below.
        const char32_t f = QChar::toCaseFolded(c);
        table->entry[c] = f;
        if (f != c && f < 0x10000) {
            madeFromOthers[f] = true;
            table->heldFor.emplace_back(f, c);
        }
        // Hangul syllables decompose into the jamo marked below, and NFC
        // keeps them: nothing to learn from the normalizer, which would take
        // most of the time here.
        if (QChar::decompositionTag(c) == QChar::Canonical) {
            canonical[c] = true;
            if (!isHangulSyllable(c))
                markCanonical(c);
        }
    }
    // Hangul: a syllable and a following trailing consonant compose.
    for (char32_t c = 0x1100; c <= 0x11FF; ++c)
        needsNormalizer[c] = true;
    // Outside the Basic Multilingual Plane only the CJK compatibility
    // ideographs stand for characters inside it (each composes to one).
    for (char32_t c = 0x2F800; c <= 0x2FA1F; ++c) {
        const char32_t f = QChar::toCaseFolded(c);
        if (f != c && f < 0x10000)
            madeFromOthers[f] = true;
        if (QChar::decompositionTag(c) == QChar::Canonical)
            markCanonical(c);
    }

    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            table->entry[c] = kNeedsNormalizer; // never in valid UTF-8
            continue;
        }
        const char32_t folded = table->entry[c];
        std::uint32_t e = folded < 0x10000 ? packUtf8(folded) : kNeedsNormalizer;
        if (needsNormalizer[c])
            e |= kNeedsNormalizer;
        else if (folded == c && !madeFromOthers[c] && !canonical[c])
            e |= kLiteral;
        if (!needsNormalizer[c] && !canonical[c] && !mark[c])
            e |= kSimpleStarter;
        if (mark[c] && !canonical[c] && folded < 0x10000)
            e |= kSimpleMark;
        table->entry[c] = e;
    }
    std::sort(table->heldFor.begin(), table->heldFor.end());
    std::sort(table->compositions.begin(), table->compositions.end());
    table->heldFor.erase(std::unique(table->heldFor.begin(), table->heldFor.end()),
                         table->heldFor.end());
    return table;
}

const FoldTable &foldTable()
{
    static const FoldTable *table = buildFoldTable();
    return *table;
}

// The key by Qt's normalizer, for the few lines the table cannot do.
QByteArray slowKey(QStringView text)
{
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    QString folded;
    folded.reserve(composed.size());
    for (const char32_t c : composed.toUcs4()) {
        const char32_t f = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(f)) {
            folded.append(QChar(QChar::highSurrogate(f)));
            folded.append(QChar(QChar::lowSurrogate(f)));
        } else {
            folded.append(QChar(char16_t(f)));
        }
    }
    return folded.toUtf8();
}

inline bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The code point of the character at the start of utf8 (valid UTF-8, not
// empty), and its length in bytes.
char32_t firstCharacter(const unsigned char *p, std::size_t &length)
{
    if (p[0] < 0x80) {
        length = 1;
        return p[0];
    }
    if (p[0] < 0xE0) {
        length = 2;
        return (char32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    }
    if (p[0] < 0xF0) {
        length = 3;
        return (char32_t(p[0] & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    }
    length = 4;
    return 0x10000; // outside the table
}

// A mark in a line that composition may change (a name written on a Mac,
// say, with "e" and U+0301 for "é"), at `at` in the line that starts at
// start: where it is the one mark after a character it joins (or may not
// join) as NFC would, writes its part of the key at o, which is just behind
// the key of the character before it. Returns false when the line needs the
// normalizer after all: several marks, which NFC may reorder, or a
// character before that is not simple.
bool composeMark(const FoldTable &table, char32_t mark, std::uint32_t markEntry,
                 const unsigned char *start, const unsigned char *at, char *&o)
{
    if (!(markEntry & kSimpleMark) || at == start)
        return false;
    // The character before, which the key has just folded (valid UTF-8).
    const unsigned char *q = at - 1;
    while (q > start && isContinuation(*q) && at - q < 3)
        --q;
    if (isContinuation(*q))
        return false;
    std::size_t length = 0;
    const char32_t base = firstCharacter(q, length);
    if (q + length != at || base >= 0x10000)
        return false;
    const std::uint32_t baseEntry = table.entry[base];
    if (!(baseEntry & kSimpleStarter))
        return false;
    std::uint32_t e = markEntry;
    if (const char32_t composed = table.composition(base, mark)) {
        e = table.entry[composed];
        if (e & kNeedsNormalizer)
            return false;
        o -= (baseEntry >> 24) & 3; // the key holds the two as one
    }
    std::memcpy(o, &e, 4);
    o += (e >> 24) & 3;
    return true;
}

// Writes the key of the character c, at `at` in the line that starts at
// start, at o. Returns false when the line needs the normalizer.
inline bool appendFolded(const FoldTable &table, char32_t c, const unsigned char *start,
                         const unsigned char *at, char *&o)
{
    // Each table entry is stored whole: its fourth byte, the flags, lands in
    // room that the next character overwrites or that is spare.
    const std::uint32_t e = table.entry[c];
    if (e & kNeedsNormalizer)
        return composeMark(table, c, e, start, at, o);
    std::memcpy(o, &e, 4);
    o += (e >> 24) & 3;
    return true;
}

enum class FastResult { Done, NeedsNormalizer, Invalid };

#if defined(__SSE2__) || defined(_M_X64)
inline __m128i bytesEqual(__m128i v, int b) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(char(b))); }
inline __m128i bytesMasked(__m128i v, int mask, int b)
{
    return _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(char(mask))), _mm_set1_epi8(char(b)));
}
// A-Z in v raised to a-z.
inline __m128i asciiLowered(__m128i v)
{
    const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('A' - 1)),
                                        _mm_cmplt_epi8(v, _mm_set1_epi8('Z' + 1)));
    return _mm_add_epi8(v, _mm_and_si128(upper, _mm_set1_epi8(0x20)));
}

// Whether each byte of v lies in [lo, hi] (unsigned; hi - lo below 0x40
// and v a continuation byte where it matters).
inline __m128i bytesWithin(__m128i v, int lo, int hi)
{
    const __m128i shifted = _mm_sub_epi8(v, _mm_set1_epi8(char(lo)));
    return _mm_cmpeq_epi8(_mm_subs_epu8(shifted, _mm_set1_epi8(char(hi - lo))), _mm_setzero_si128());
}

// Whether every byte >= 0x80 of the block in is one of the lead bytes
// marked in leadBytes or the continuation byte right after one (a lead in
// the last place goes on in the next block); leads and conts get the places
// of the leads and of the continuation bytes.
inline bool onlyTwoByteCharacters(__m128i in, __m128i leadBytes, unsigned &leads, unsigned &conts)
{
    leads = unsigned(_mm_movemask_epi8(leadBytes));
    conts = unsigned(_mm_movemask_epi8(bytesMasked(in, 0xC0, 0x80)));
    const unsigned high = unsigned(_mm_movemask_epi8(in));
    return (high & ~(leads | conts)) == 0 && ((leads << 1) & 0xFFFF) == conts;
}

// The second bytes of the Latin-1 capitals in the block in (lead byte C3,
// marked in c3): 80-9E (U+00C0-U+00DE), which fold to A0-BE, but for 97
// (the multiplication sign) and 9F (sharp s, which stays).
inline __m128i latin1Capitals(__m128i in, __m128i c3)
{
    return _mm_andnot_si128(_mm_or_si128(bytesEqual(in, 0x97), bytesEqual(in, 0x9F)),
                            _mm_and_si128(_mm_slli_si128(c3, 1), bytesMasked(in, 0xE0, 0x80)));
}

// Folds sixteen bytes at a time of text in ASCII, the Latin-1 letters
// (lead byte C3) and the basic Cyrillic letters U+0400-U+045F (lead bytes D0
// and D1): the alphabets of Western Europe and of Russian, Ukrainian,
// Belarusian, Bulgarian, Serbian and Macedonian names. None of those
// characters needs composing, and their foldings keep their lengths, so a
// few byte additions fold them. p is at a character boundary; stops at the
// first block holding anything else (or a character cut by the text's end)
// and returns the bytes folded, which out received.
std::size_t foldTwoByteBlocks(const unsigned char *p, const unsigned char *end, char *out)
{
    std::size_t done = 0;
    while (end - (p + done) >= 16) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + done));
        const __m128i d0 = bytesEqual(in, 0xD0);
        const __m128i d1 = bytesEqual(in, 0xD1);
        const __m128i c3 = bytesEqual(in, 0xC3);
        unsigned leads = 0, conts = 0;
        if (!onlyTwoByteCharacters(in, _mm_or_si128(_mm_or_si128(d0, d1), c3), leads, conts))
            break;
        // After D1 only 80-9F (U+0440-U+045F).
        const unsigned upperHalf = unsigned(_mm_movemask_epi8(bytesMasked(in, 0x20, 0x20)));
        if ((unsigned(_mm_movemask_epi8(d1)) << 1) & conts & upperHalf)
            break;
        const __m128i afterD0 = _mm_slli_si128(d0, 1);
        const __m128i high4 = _mm_and_si128(in, _mm_set1_epi8(char(0xF0)));
        // After D0: 80-8F (U+0400-U+040F) fold to D1 90-9F, 90-9F (U+0410-
        // U+041F) to D0 B0-BF, A0-AF (U+0420-U+042F) to D1 80-8F.
        const __m128i from80 = _mm_and_si128(afterD0, bytesEqual(high4, 0x80));
        const __m128i from90 = _mm_and_si128(afterD0, bytesEqual(high4, 0x90));
        const __m128i fromA0 = _mm_and_si128(afterD0, bytesEqual(high4, 0xA0));
        const __m128i latinCapital = latin1Capitals(in, c3);
        __m128i delta = _mm_or_si128(
            _mm_or_si128(_mm_and_si128(from80, _mm_set1_epi8(0x10)),
                         _mm_and_si128(_mm_or_si128(from90, latinCapital), _mm_set1_epi8(0x20))),
            _mm_and_si128(fromA0, _mm_set1_epi8(char(-0x20))));
        // The lead of those moving to D1.
        delta = _mm_add_epi8(delta, _mm_and_si128(_mm_srli_si128(_mm_or_si128(from80, fromA0), 1),
                                                  _mm_set1_epi8(1)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + done), _mm_add_epi8(asciiLowered(in), delta));
        done += (leads & 0x8000) ? 15 : 16;
    }
    return done;
}

// As foldTwoByteBlocks, for text in ASCII, the Latin-1 letters (lead byte
// C3) and Latin Extended-A U+0100-U+017F (lead bytes C4 and C5): the
// alphabets of Central Europe (Czech, Polish, Hungarian ...). Capitals and
// small letters of Latin Extended-A come in pairs, the capital first (even)
// in U+0100-U+0137 and U+014A-U+0177, second (odd) in U+0139-U+0148 and
// U+0179-U+017E; each capital folds to the next character. Stops at those
// left to the table: U+0130 and U+0131 (dotted and dotless i), U+013F (whose
// small letter has another lead), U+0149, U+0178 (folding to Latin-1) and
// U+017F (long s, folding to ASCII).
std::size_t foldLatinBlocks(const unsigned char *p, const unsigned char *end, char *out)
{
    std::size_t done = 0;
    while (end - (p + done) >= 16) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + done));
        const __m128i c3 = bytesEqual(in, 0xC3);
        const __m128i c4 = bytesEqual(in, 0xC4);
        const __m128i c5 = bytesEqual(in, 0xC5);
        unsigned leads = 0, conts = 0;
        if (!onlyTwoByteCharacters(in, _mm_or_si128(c3, _mm_or_si128(c4, c5)), leads, conts))
            break;
        const __m128i afterC4 = _mm_slli_si128(c4, 1);
        const __m128i afterC5 = _mm_slli_si128(c5, 1);
        const __m128i knownAfterC4 = _mm_andnot_si128(bytesWithin(in, 0xB0, 0xB1), bytesWithin(in, 0x80, 0xBE));
        const __m128i knownAfterC5 = _mm_or_si128(
            _mm_or_si128(bytesWithin(in, 0x80, 0x88), bytesWithin(in, 0x8A, 0xB7)), bytesWithin(in, 0xB9, 0xBE));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_andnot_si128(knownAfterC4, afterC4),
                                           _mm_andnot_si128(knownAfterC5, afterC5))))
            break;
        const __m128i even = bytesMasked(in, 0x01, 0x00);
        const __m128i oddPairs = _mm_or_si128(
            _mm_and_si128(afterC4, bytesWithin(in, 0xB9, 0xBE)),
            _mm_and_si128(afterC5, _mm_or_si128(bytesWithin(in, 0x81, 0x88), bytesWithin(in, 0xB9, 0xBE))));
        const __m128i evenPairs = _mm_or_si128(
            _mm_and_si128(afterC4, _mm_or_si128(bytesWithin(in, 0x80, 0xAF), bytesWithin(in, 0xB2, 0xB7))),
            _mm_and_si128(afterC5, bytesWithin(in, 0x8A, 0xB7)));
        const __m128i extendedCapital
            = _mm_or_si128(_mm_and_si128(evenPairs, even), _mm_andnot_si128(even, oddPairs));
        const __m128i latinCapital = latin1Capitals(in, c3);
        const __m128i delta = _mm_or_si128(_mm_and_si128(latinCapital, _mm_set1_epi8(0x20)),
                                           _mm_and_si128(extendedCapital, _mm_set1_epi8(1)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + done), _mm_add_epi8(asciiLowered(in), delta));
        done += (leads & 0x8000) ? 15 : 16;
    }
    return done;
}

// As foldTwoByteBlocks, for text in ASCII and the Greek letters (lead bytes
// CE and CF): the capitals U+0386-U+03AB fold to U+03AC-U+03CE, the final
// sigma to sigma, all keeping their lengths. Stops at anything else of the
// block: U+0380-U+0385, the ano teleia (which composition replaces),
// U+0390 and U+03B0 (two marks each) and U+03CF on.
std::size_t foldGreekBlocks(const unsigned char *p, const unsigned char *end, char *out)
{
    std::size_t done = 0;
    while (end - (p + done) >= 16) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + done));
        const __m128i ce = bytesEqual(in, 0xCE);
        const __m128i cf = bytesEqual(in, 0xCF);
        unsigned leads = 0, conts = 0;
        if (!onlyTwoByteCharacters(in, _mm_or_si128(ce, cf), leads, conts))
            break;
        const __m128i afterCE = _mm_slli_si128(ce, 1);
        const __m128i afterCF = _mm_slli_si128(cf, 1);
        const __m128i tonosCapital = bytesEqual(in, 0x86);         // U+0386 -> U+03AC
        const __m128i tonosCapitals = bytesWithin(in, 0x88, 0x8A); // U+0388-038A -> U+03AD-03AF
        const __m128i omicronTonos = bytesEqual(in, 0x8C);         // U+038C -> U+03CC
        const __m128i lastTonos = bytesWithin(in, 0x8E, 0x8F);     // U+038E-038F -> U+03CD-03CE
        const __m128i firstCapitals = bytesWithin(in, 0x91, 0x9F); // U+0391-039F -> U+03B1-03BF
        const __m128i lastCapitals = _mm_andnot_si128(bytesEqual(in, 0xA2), bytesWithin(in, 0xA0, 0xAB));
        const __m128i smallAfterCE = _mm_or_si128(bytesWithin(in, 0xAC, 0xAF), bytesWithin(in, 0xB1, 0xBF));
        const __m128i knownAfterCE = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(tonosCapital, tonosCapitals), _mm_or_si128(omicronTonos, lastTonos)),
            _mm_or_si128(_mm_or_si128(firstCapitals, lastCapitals), smallAfterCE));
        const __m128i knownAfterCF = bytesWithin(in, 0x80, 0x8E);
        const __m128i unknown = _mm_or_si128(_mm_andnot_si128(knownAfterCE, afterCE),
                                             _mm_andnot_si128(knownAfterCF, afterCF));
        if (_mm_movemask_epi8(unknown))
            break;
        // The second bytes' changes; those moving to lead CF also raise
        // their lead by one.
        const __m128i moving = _mm_and_si128(afterCE, _mm_or_si128(_mm_or_si128(omicronTonos, lastTonos), lastCapitals));
        __m128i delta = _mm_and_si128(afterCE, _mm_or_si128(
            _mm_or_si128(_mm_and_si128(tonosCapital, _mm_set1_epi8(0x26)),
                         _mm_and_si128(tonosCapitals, _mm_set1_epi8(0x25))),
            _mm_or_si128(_mm_or_si128(_mm_and_si128(lastTonos, _mm_set1_epi8(-1)),
                                      _mm_and_si128(firstCapitals, _mm_set1_epi8(0x20))),
                         _mm_and_si128(lastCapitals, _mm_set1_epi8(-0x20)))));
        delta = _mm_or_si128(delta, _mm_and_si128(_mm_and_si128(afterCF, bytesEqual(in, 0x82)), _mm_set1_epi8(1)));
        delta = _mm_add_epi8(delta, _mm_and_si128(_mm_srli_si128(moving, 1), _mm_set1_epi8(1)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + done), _mm_add_epi8(asciiLowered(in), delta));
        done += (leads & 0x8000) ? 15 : 16;
    }
    return done;
}

// Copies sixteen bytes at a time of text in ASCII (folded) and characters of
// U+3000-U+9FFF (lead bytes E3-E9: kana, CJK punctuation and the common
// kanji), which fold to themselves and need no composing, but for the
// combining marks among them (U+302A-U+302F, U+3099, U+309A). As
// foldTwoByteBlocks otherwise.
std::size_t copyCjkBlocks(const unsigned char *p, const unsigned char *end, char *out)
{
    std::size_t done = 0;
    while (end - (p + done) >= 16) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + done));
        // E3-E9 as signed bytes: -29..-23.
        const __m128i lead = _mm_and_si128(_mm_cmpgt_epi8(in, _mm_set1_epi8(char(0xE2))),
                                           _mm_cmplt_epi8(in, _mm_set1_epi8(char(0xEA))));
        const unsigned leads = unsigned(_mm_movemask_epi8(lead));
        const unsigned conts = unsigned(_mm_movemask_epi8(bytesMasked(in, 0xC0, 0x80)));
        const unsigned high = unsigned(_mm_movemask_epi8(in));
        if ((high & ~(leads | conts)) != 0 || (((leads << 1) | (leads << 2)) & 0xFFFF) != conts)
            break;
        // The marks: E3 80 AA-AF and E3 82 99-9A.
        const __m128i e3 = bytesEqual(in, 0xE3);
        const __m128i next = _mm_srli_si128(in, 1);
        const __m128i third = _mm_srli_si128(in, 2);
        const __m128i marks = _mm_and_si128(
            e3, _mm_or_si128(_mm_and_si128(bytesEqual(next, 0x80),
                                           _mm_and_si128(_mm_cmpgt_epi8(third, _mm_set1_epi8(char(0xA9))),
                                                         _mm_cmplt_epi8(third, _mm_set1_epi8(char(0xB0))))),
                             _mm_and_si128(bytesEqual(next, 0x82),
                                           _mm_or_si128(bytesEqual(third, 0x99), bytesEqual(third, 0x9A)))));
        // A lead in the last two places: its mark check waits for the next block.
        if (_mm_movemask_epi8(marks) & 0x3FFF)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + done), asciiLowered(in));
        done += (leads & 0x4000) ? 14 : (leads & 0x8000) ? 15 : 16;
    }
    return done;
}
#endif

// Folds utf8 into out (room for 1.5 bytes per input byte, and 4 more)
// through the table. Returns the bytes written through `written`.
FastResult fastKey(const unsigned char *p, const unsigned char *end, char *out,
                   std::size_t &written)
{
    const FoldTable &table = foldTable();
    const unsigned char *const start = p;
    char *o = out;
    while (p < end) {
#if defined(__SSE2__) || defined(_M_X64)
        // Sixteen ASCII bytes at a time, A-Z lowered: only where ASCII
        // starts, so that a run of other characters does not pay for it. A
        // shorter run before other characters (a disc's name before its
        // path) is lowered in one step too: the whole block is stored, and
        // the bytes past the run are written over next.
        while (end - p >= 16 && *p < 0x80) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(o), asciiLowered(block));
            if (const unsigned high = unsigned(_mm_movemask_epi8(block))) {
                const int run = std::countr_zero(high);
                p += run;
                o += run;
                break;
            }
            p += 16;
            o += 16;
        }
        if (p == end)
            break;
#endif
        unsigned char b = *p;
#if defined(__SSE2__) || defined(_M_X64)
        if (b >= 0xC3) {
            const std::size_t done = b >= 0xE3 ? (b <= 0xE9 ? copyCjkBlocks(p, end, o) : 0)
                : (b - 0xC3u < 3)                        ? foldLatinBlocks(p, end, o)
                : (b == 0xD0 || b == 0xD1)               ? foldTwoByteBlocks(p, end, o)
                : (b == 0xCE || b == 0xCF)               ? foldGreekBlocks(p, end, o)
                                                        : 0;
            if (done) {
                p += done;
                o += done;
                continue;
            }
        }
#endif
        if (b < 0x80) {
            *o++ = char(b >= 'A' && b <= 'Z' ? b + 32 : b);
            ++p;
            continue;
        }
        if (unsigned(b - 0xC2) < 0x1E) {
            // Two-byte characters (Latin, Greek, Cyrillic), as long as they come.
            do {
                if (end - p < 2 || !isContinuation(p[1]))
                    return FastResult::Invalid;
                if (!appendFolded(table, (char32_t(b & 0x1F) << 6) | (p[1] & 0x3F), start, p, o))
                    return FastResult::NeedsNormalizer;
                p += 2;
            } while (p < end && unsigned((b = *p) - 0xC2) < 0x1E);
            continue;
        }
        if (unsigned(b - 0xE0) < 0x10) {
            // Three-byte characters (kana, kanji, symbols), as long as they come.
            do {
                if (end - p < 3 || !isContinuation(p[1]) || !isContinuation(p[2]))
                    return FastResult::Invalid;
                const char32_t c
                    = (char32_t(b & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
                if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))
                    return FastResult::Invalid;
                if (!appendFolded(table, c, start, p, o))
                    return FastResult::NeedsNormalizer;
                p += 3;
            } while (p < end && unsigned((b = *p) - 0xE0) < 0x10);
            continue;
        }
        if (b >= 0xF0 && b < 0xF5)
            return FastResult::NeedsNormalizer; // outside the table; validated there
        return FastResult::Invalid;
    }
    written = std::size_t(o - out);
    return FastResult::Done;
}

} // namespace

QByteArray searchKey(QStringView text) { return slowKey(text); }

bool isLiteralInKeys(char32_t c)
{
    return c >= 0x80 && c < 0x10000 && (foldTable().entry[c] & kLiteral);
}

std::vector<char32_t> keySources(char32_t c)
{
    if (c < 0x80 || c >= 0x10000)
        return {};
    const FoldTable &table = foldTable();
    const std::uint32_t e = table.entry[c];
    // A key holds only what folding keeps and composition leaves alone.
    if ((e & kNeedsNormalizer) || (e & 0xFFFFFF) != (packUtf8(c) & 0xFFFFFF)
        || table.madeByComposition[c] || QChar::decompositionTag(c) == QChar::Canonical)
        return {};
    std::vector<char32_t> sources{c};
    const auto first = std::lower_bound(table.heldFor.begin(), table.heldFor.end(),
                                        std::pair<char32_t, char32_t>(c, 0));
    for (auto it = first; it != table.heldFor.end() && it->first == c; ++it)
        sources.push_back(it->second);
    return sources;
}


bool isKeptInKeys(std::string_view utf8)
{
    if (!isValidUtf8(utf8))
        return false;
    const FoldTable &table = foldTable();
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + utf8.size();
    while (p < end) {
        std::size_t length = 0;
        const char32_t c = firstCharacter(p, length);
        if (c >= 0x10000)
            return false;
        const std::uint32_t e = table.entry[c];
        std::uint32_t self = packUtf8(c) & 0xFFFFFF;
        if ((e & kNeedsNormalizer) || (e & 0xFFFFFF) != self)
            return false;
        p += length;
    }
    return true;
}

std::vector<char32_t> charactersKeptAs(char32_t c)
{
    if (c < 0x80)
        return {c};
    if (c >= 0x10000)
        return {};
    const FoldTable &table = foldTable();
    const auto keptAsC = [&](char32_t s) {
        const std::uint32_t e = table.entry[s];
        return !(e & kNeedsNormalizer) && (e & 0xFFFFFF) == (packUtf8(c) & 0xFFFFFF);
    };
    if (!keptAsC(c))
        return {};
    std::vector<char32_t> kept{c};
    const auto first = std::lower_bound(table.heldFor.begin(), table.heldFor.end(),
                                        std::pair<char32_t, char32_t>(c, 0));
    for (auto it = first; it != table.heldFor.end() && it->first == c; ++it) {
        if (it->second < 0x10000 && keptAsC(it->second))
            kept.push_back(it->second);
    }
    return kept;
}

bool mayJoinPrevious(std::string_view utf8)
{
    if (utf8.empty() || static_cast<unsigned char>(utf8[0]) < 0x80)
        return false;
    std::size_t length = 0;
    const char32_t c = firstCharacter(reinterpret_cast<const unsigned char *>(utf8.data()), length);
    return c >= 0x10000 || (foldTable().entry[c] & kNeedsNormalizer);
}

namespace {

// The key of a line that NFC may change: Qt's normalizer composes it, and
// the table folds the result (Qt's folding only for what it cannot hold).
void appendNormalizedKey(ByteBuffer &out, std::string_view utf8)
{
    const QString composed = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))
                                 .normalized(QString::NormalizationForm_C);
    const FoldTable &table = foldTable();
    // At most four bytes per UTF-16 unit, and room for the table's
    // four-byte store.
    out.reserveMore(std::size_t(composed.size()) * 4 + 4);
    char *o = out.end();
    const auto appendUtf8 = [&o](char32_t c) {
        if (c < 0x10000) {
            const std::uint32_t bytes = packUtf8(c);
            std::memcpy(o, &bytes, 4);
            o += (bytes >> 24) & 3;
            return;
        }
        *o++ = char(0xF0 | (c >> 18));
        *o++ = char(0x80 | ((c >> 12) & 0x3F));
        *o++ = char(0x80 | ((c >> 6) & 0x3F));
        *o++ = char(0x80 | (c & 0x3F));
    };
    const qsizetype n = composed.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = composed[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(composed[i + 1].unicode())) {
            appendUtf8(QChar::toCaseFolded(QChar::surrogateToUcs4(u, composed[i + 1].unicode())));
            ++i;
            continue;
        }
        const std::uint32_t e = table.entry[u];
        if (e & 0x03000000) {
            std::memcpy(o, &e, 4);
            o += (e >> 24) & 3;
        } else {
            appendUtf8(QChar::toCaseFolded(char32_t(u)));
        }
    }
    out.commit(std::size_t(o - out.end()));
}

} // namespace

bool appendSearchKey(ByteBuffer &out, std::string_view utf8)
{
    // Folding never makes a text longer than half as long again (two bytes
    // become at most three); a few more for the table's four-byte store.
    out.reserveMore(utf8.size() + utf8.size() / 2 + 4);
    std::size_t written = 0;
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const FastResult result = fastKey(p, p + utf8.size(), out.end(), written);
    if (result == FastResult::Done) {
        out.commit(written);
        return true;
    }
    if (result == FastResult::Invalid || !isValidUtf8(utf8))
        return false;
    appendNormalizedKey(out, utf8);
    return true;
}

} // namespace kobrix
