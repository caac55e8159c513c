// Generation of the language catalogs of kobrix-bench-gen: the same discs,
// folder shapes and walk order as the ASCII catalog, with the words of a
// language (gen_words.cpp).

#include "gen_languages.h"

#include "gen_common.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace benchgen {

namespace {

// Names copied from discs made on a Mac are decomposed (NFD): one name in
// twenty of a folder or file. Disc names are typed into Kobrix and stay
// composed.
constexpr std::uint32_t kDecomposedPercent = 5;

QString toQString(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// The order in which the walk lists a folder: by name ignoring letter case,
// equal names by their bytes; duplicates dropped.
void sortIgnoringCase(std::vector<std::string> &names)
{
    std::vector<std::pair<QString, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string &name : names)
        keyed.emplace_back(toQString(name), std::move(name));
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        const int c = a.first.compare(b.first, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.second < b.second;
    });
    names.clear();
    for (auto &entry : keyed) {
        if (names.empty() || names.back() != entry.second)
            names.push_back(std::move(entry.second));
    }
}

const char *pick(const std::vector<const char *> &items, Random &random)
{
    return items[random.below(std::uint32_t(items.size()))];
}

std::string maybeDecomposed(std::string name, Random &random)
{
    return random.percent(kDecomposedPercent) ? decomposed(name) : name;
}

std::string makeDirName(const DiscWords &words, Random &random)
{
    std::string name = pick(words.dirs, random);
    if (random.percent(25))
        name += format(" %d", random.between(1, 12));
    return maybeDecomposed(std::move(name), random);
}

std::string makeFileName(const DiscWords &words, Random &random, int serial)
{
    return maybeDecomposed(format(pick(words.files, random), serial), random);
}

// Files of one disc, in the order a walk lists them: the root's files, then
// each folder's files in breadth-first order.
void generateDisc(const DiscWords &words, const std::string &discName, int fileCount,
                  Random &random, std::string &out)
{
    struct Dir
    {
        std::string prefix; // "\Fotky\Vánoce 3"
        int depth;
        int files = 0;
    };
    std::vector<Dir> dirs;
    dirs.push_back({std::string(), 0});
    const int wantDirs = std::max(2, fileCount / random.between(15, 60));
    for (std::size_t i = 0; i < dirs.size() && int(dirs.size()) < wantDirs; ++i) {
        if (dirs[i].depth >= 4)
            continue;
        const int children = dirs[i].depth == 0 ? random.between(2, 8) : random.between(0, 5);
        std::vector<std::string> names;
        for (int c = 0; c < children; ++c)
            names.push_back(makeDirName(words, random));
        sortIgnoringCase(names);
        for (const std::string &name : names)
            dirs.push_back({dirs[i].prefix + "\\" + name, dirs[i].depth + 1});
    }
    for (int f = 0; f < fileCount; ++f)
        ++dirs[random.below(std::uint32_t(dirs.size()))].files;

    std::vector<std::string> names;
    for (const Dir &dir : dirs) {
        names.clear();
        for (int f = 0; f < dir.files; ++f)
            names.push_back(makeFileName(words, random, random.between(0, f < 20 ? 99 : 9999)));
        // Two equal names in one folder are one file: a folder may list
        // fewer files than it was given, as on a real disc.
        sortIgnoringCase(names);
        for (const std::string &name : names) {
            out += '"';
            out += discName;
            out += " - ";
            out += dir.prefix;
            out += '\\';
            out += name;
            out += "\"\r\n";
        }
    }
}

std::string makeDiscName(const DiscWords &words, int &serial, Random &random)
{
    const std::size_t numbered = words.names.size();
    const std::uint32_t choice = random.below(std::uint32_t(numbered + words.yearNames.size()));
    if (choice < numbered)
        return format(words.names[choice], serial++);
    return format(words.yearNames[choice - numbered], random.between(1996, 2009));
}

// True for the UTF-8 of a combining mark that the decomposition puts behind
// a letter: U+0300..U+036F (accents) and U+3099, U+309A (kana voicing).
bool isCombiningMark(const unsigned char *p, const unsigned char *end)
{
    if (end - p >= 2 && (p[0] == 0xCC || (p[0] == 0xCD && p[1] <= 0xAF)))
        return true;
    return end - p >= 3 && p[0] == 0xE3 && p[1] == 0x82 && (p[2] == 0x99 || p[2] == 0x9A);
}

struct Shares
{
    long long nonAscii = 0;
    long long decomposed = 0;
};

Shares countShares(const std::string &text)
{
    Shares shares;
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const auto *end = p + text.size();
    bool nonAscii = false;
    bool hasMark = false;
    for (; p < end; ++p) {
        if (*p == '\n') {
            shares.nonAscii += nonAscii;
            shares.decomposed += hasMark;
            nonAscii = hasMark = false;
        } else if (*p >= 0x80) {
            nonAscii = true;
            hasMark = hasMark || isCombiningMark(p, end);
        }
    }
    return shares;
}

} // namespace

std::string decomposed(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))
        .normalized(QString::NormalizationForm_D)
        .toStdString();
}

namespace {

int generateCatalog(const std::string &path, long long wanted,
                    const std::vector<const LanguageWords *> &languages, std::uint32_t seed)
{
    Random random(seed);
    std::string out;
    out.reserve(std::size_t(wanted) * 90);
    long long lines = 0;
    // Disc names are numbered per language and kind.
    std::vector<std::array<int, kDiscKinds>> serial(languages.size());
    for (auto &numbers : serial)
        numbers.fill(1);
    while (lines < wanted) {
        const std::size_t language
            = languages.size() == 1 ? 0 : random.below(std::uint32_t(languages.size()));
        const auto kind = random.below(kDiscKinds);
        const DiscWords &disc = languages[language]->discs[kind];
        const std::string discName = makeDiscName(disc, serial[language][kind], random);
        const long long fileCount = std::min<long long>(random.between(300, 5200), wanted - lines);
        const std::size_t before = out.size();
        generateDisc(disc, discName, int(fileCount), random, out);
        lines += std::count(out.begin() + std::ptrdiff_t(before), out.end(), '\n');
    }
    keepLines(out, wanted);
    if (!writeFileAtomically(path, out)) {
        std::fprintf(stderr, "kobrix-bench-gen: cannot write %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return 1;
    }
    const Shares shares = countShares(out);
    std::printf("%s: %lld lines, %zu bytes; %lld lines not ASCII, %lld with decomposed names\n",
                path.c_str(), wanted, out.size(), shares.nonAscii, shares.decomposed);
    return 0;
}

} // namespace

int generateLanguageCatalog(const std::string &path, long long wanted,
                            const LanguageWords &words)
{
    return generateCatalog(path, wanted, {&words}, words.seed);
}

int generateMixedCatalog(const std::string &path, long long wanted)
{
    std::vector<const LanguageWords *> languages;
    for (const char *kind : {"latin", "cyrillic", "greek", "japanese"})
        languages.push_back(languageWords(kind));
    return generateCatalog(path, wanted, languages, 0x4D697864u); // "Mixd"
}

int generateInterleavedCatalog(const std::string &path, long long wanted)
{
    // Each disc kind's folders and files drawn from accented Latin, Greek
    // and Cyrillic alike, so that one path holds words of two or three
    // scripts: "\Fotky\Διακοπές 3\Отпуск_0012.jpg". Disc names stay Latin.
    static const LanguageWords words = [] {
        LanguageWords all{"interleaved", 0x496E7472u, {}}; // "Intr"
        for (int kind = 0; kind < kDiscKinds; ++kind) {
            DiscWords &disc = all.discs[kind];
            disc = languageWords("latin")->discs[kind];
            for (const char *other : {"greek", "cyrillic"}) {
                const DiscWords &more = languageWords(other)->discs[kind];
                disc.dirs.insert(disc.dirs.end(), more.dirs.begin(), more.dirs.end());
                disc.files.insert(disc.files.end(), more.files.begin(), more.files.end());
            }
        }
        return all;
    }();
    return generateCatalog(path, wanted, {&words}, words.seed);
}

} // namespace benchgen
