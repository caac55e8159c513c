// Catalogs that look like the collections of users who do not write English:
// accented Latin names, Cyrillic names, Japanese names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace benchgen {

// The words of one kind of disc in one language. Patterns hold one %d.
struct DiscWords
{
    std::vector<const char *> names;     // numbered per kind: "Hudba %d"
    std::vector<const char *> yearNames; // numbered by a year: "Été %d"
    std::vector<const char *> dirs;
    std::vector<const char *> files;
};

// Games, photos, backups, music, software, drivers: the six kinds of disc
// that the ASCII catalog has too.
constexpr int kDiscKinds = 6;

struct LanguageWords
{
    const char *kind; // "latin", "cyrillic", "greek", "japanese"
    std::uint32_t seed;
    DiscWords discs[kDiscKinds];
};

// The words of a catalog kind, nullptr for a kind that is not a language.
const LanguageWords *languageWords(std::string_view kind);

// The canonical decomposition (NFD) of UTF-8 text: "é" becomes "e" followed
// by U+0301, "が" becomes "か" followed by U+3099, as names on discs made on
// a Mac are.
std::string decomposed(std::string_view utf8);

// Writes a catalog of the given language with the given number of lines.
int generateLanguageCatalog(const std::string &path, long long lines,
                            const LanguageWords &words);

// Writes a catalog whose discs are each in one of the languages, taken in
// turn at random: Latin, Cyrillic, Greek and Japanese lines mixed.
int generateMixedCatalog(const std::string &path, long long lines);

// Writes a catalog whose lines mix scripts within themselves: folders and
// files of accented Latin, Greek and Cyrillic names in one path.
int generateInterleavedCatalog(const std::string &path, long long lines);

} // namespace benchgen
