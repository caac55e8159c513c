#pragma once

#include "core/ByteBuffer.h"

#include <QByteArray>
#include <QStringView>

#include <string_view>
#include <vector>

namespace kobrix {

// The search key of a text: its canonical composition (NFC), then every
// character replaced by its simple case folding, as UTF-8. Two texts that are
// canonically equivalent ("é" and "e" + U+0301) and differ only in letter
// case have the same key, so the search compares keys byte by byte. ß stays ß
// (simple folding does not make it "ss").
QByteArray searchKey(QStringView text);

// Appends the search key of the UTF-8 text utf8 to out. Returns false, and
// leaves out as it was, when utf8 is not valid UTF-8.
//
// Built for speed: lines whose characters NFC leaves alone (nearly all, also
// in Cyrillic, Greek or Japanese) are folded in one pass through a table of
// the Basic Multilingual Plane, runs of Latin-1, Latin Extended-A, basic
// Cyrillic, Greek, kana and common kanji sixteen bytes at a time. A single
// mark after a letter (a decomposed name) is composed through the table
// too; only a line holding several marks in a row, or another character that
// composition may change, takes Qt's normalizer.
bool appendSearchKey(ByteBuffer &out, std::string_view utf8);

// True for a character outside ASCII that a line's search key holds only
// where the line's own text holds it, byte for byte: one that has no case,
// that no other character folds or composes to, and that composition leaves
// as it is (a kana, a kanji, most symbols). A search can look for such a
// character in the raw bytes of a catalog before it makes any key.
bool isLiteralInKeys(char32_t c);

// The characters for which a line's search key holds c, when the key holds
// c only where the line holds one of them byte for byte: c itself, the
// characters that fold to it (its capital, ...) and those that composition
// turns into one of these (the Ohm sign for "ω"). Empty when a key may hold
// c for anything else: a character that lines may hold decomposed, a part
// of a character that composition does not keep, one outside the Basic
// Multilingual Plane, or one that folding or composition changes (c is then
// never in a key as such). Empty for ASCII.
std::vector<char32_t> keySources(char32_t c);

// True when every character of the UTF-8 text is its own search key in any
// line, as long as the character after it does not join it (see below): it
// folds to itself, and composition neither changes it nor joins it with the
// character before it. A line that holds such a text byte for byte, not
// followed by a joining character, holds it in its key too.
bool isKeptInKeys(std::string_view utf8);
// The characters that a line's search key holds as c wherever the line
// holds them, unless the character after them joins them: c itself, and
// those that fold to c and that composition leaves alone (the capital, the
// final sigma for "σ"). Empty unless c is such itself (isKeptInKeys); only
// c for ASCII, whose case the search ignores anyway.
std::vector<char32_t> charactersKeptAs(char32_t c);
// True when the first character of the UTF-8 text may change what precedes
// it under composition (a combining mark, a Hangul vowel ...), or is outside
// the Basic Multilingual Plane and so not known here. False for an empty text
// and for ASCII.
bool mayJoinPrevious(std::string_view utf8);

// Blocks of the Basic Multilingual Plane whose characters fold to
// themselves, combine with nothing and have no decomposition (Han, Yi,
// private use), or only the canonical one of a Hangul syllable: the key
// table fills them without asking Qt about each of their 46,000 characters,
// which every search outside ASCII would pay for at its start.
struct PlainBlock
{
    char32_t first;
    char32_t last;
    bool hangulSyllables;
};
inline constexpr PlainBlock kPlainBlocks[] = {
    {0x3400, 0x4DBF, false}, // CJK Unified Ideographs Extension A
    {0x4E00, 0x9FFF, false}, // CJK Unified Ideographs
    {0xA000, 0xA48C, false}, // Yi Syllables
    {0xAC00, 0xD7A3, true},  // Hangul Syllables
    {0xE000, 0xF8FF, false}, // Private Use Area
};

// The characters outside ASCII whose search key holds an ASCII character:
// the long s (s), the Greek question mark (;), the Greek varia (`) and the
// Kelvin sign (k). A search for an ASCII text that holds one of those
// characters must also look at the lines holding its lookalike.
struct AsciiLookalike
{
    char ascii;
    std::string_view utf8;
};
inline constexpr AsciiLookalike kAsciiLookalikes[] = {
    {'s', "\xC5\xBF"},
    {';', "\xCD\xBE"},
    {'`', "\xE1\xBF\xAF"},
    {'k', "\xE2\x84\xAA"},
};

} // namespace kobrix
