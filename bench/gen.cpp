// kobrix-bench-gen: deterministic test data for the benchmarks.
//
//   kobrix-bench-gen catalog OUT.cdc [lines] [kind]  a catalog of many discs
//   kobrix-bench-gen tree DIR [files] [dirs]         a tree of empty files
//   kobrix-bench-gen nfd TEXT                        TEXT decomposed (NFD)
//
// Catalog kinds: "ascii" (the default), mostly English names with a few
// foreign ones; "latin", "cyrillic", "greek" and "japanese", the collections
// of users of those scripts, with one name in twenty decomposed as on
// Mac-made discs; "mixed", each disc in one of those four; "interleaved",
// Latin, Greek and Cyrillic words within one path (gen_languages.cpp).
//
// The same arguments always give the same bytes: the generator draws from a
// fixed-seed std::mt19937 (whose sequence the standard fixes) and reduces by
// plain modulo, never through the library's distributions, whose output
// differs between library versions. Output is written beside the target and
// renamed into place when complete, so an interrupted run leaves nothing that
// looks finished.

#include "gen_common.h"
#include "gen_languages.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace benchgen {

bool writeFileAtomically(const std::string &path, const std::string &data)
{
    const std::string temporary = path + ".partial";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        file.write(data.data(), std::streamsize(data.size()));
        if (!file)
            return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

void keepLines(std::string &text, long long lines)
{
    std::size_t end = 0;
    for (long long i = 0; i < lines; ++i)
        end = text.find('\n', end) + 1;
    text.resize(end);
}

} // namespace benchgen

namespace {

using benchgen::format;
using benchgen::Random;

std::string upper(std::string s)
{
    for (char &c : s) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    }
    return s;
}

int compareFolded(const std::string &a, const std::string &b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x += 32;
        if (y >= 'A' && y <= 'Z')
            y += 32;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void sortNames(std::vector<std::string> &names)
{
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        const int c = compareFolded(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
}

// ---------------------------------------------------------------------------
// Catalog

// A few names that are not ASCII, as found on real discs.
const char *const kForeign[] = {"Café",          "Müller",   "Ångström",   "Straße",
                                "Éléphant",      "naïve",    "Žluťoučký kůň", "日本語",
                                "Ελληνικά",      "Москва",   "Señor",      "Größe"};

enum class DiscKind { Games, Photos, Backup, Music, Software, Drivers };

struct Vocabulary
{
    std::vector<const char *> dirs;
    std::vector<const char *> files; // printf patterns with one %d
    bool upperCase;
};

Vocabulary vocabulary(DiscKind kind)
{
    switch (kind) {
    case DiscKind::Games:
        return {{"SETUP", "DISK1", "DISK2", "DISK3", "DATA", "SOUND", "MUSIC", "MAPS", "LEVELS",
                 "SAVE", "MOVIES", "DIRECTX", "SUPPORT", "MANUAL", "GFX", "TEXTURES", "BIN"},
                {"DATA%d.CAB", "LEVEL%d.DAT", "MAP%02d.BSP", "SOUND%03d.WAV", "INTRO%d.AVI",
                 "README%d.TXT", "INSTALL%d.INI", "_SETUP%d.DLL", "TEX%04d.TGA", "TRACK%02d.OGG",
                 "SPRITE%03d.PCX", "GAME%d.EXE", "PAK%d.PAK"},
                true};
    case DiscKind::Photos:
        return {{"DCIM", "100CANON", "101CANON", "Holiday", "Summer", "Family", "Paris", "Kids",
                 "Scans", "Raw", "Edited", "Birthday", "Christmas", "Garden", "Wedding"},
                {"IMG_%04d.JPG", "DSC%05d.JPG", "Scan %03d.tif", "Picture %d.jpg", "P%07d.JPG",
                 "DSCN%04d.JPG", "photo_%d.png", "MVI_%04d.AVI"},
                false};
    case DiscKind::Backup:
        return {{"My Documents", "Projects", "src", "include", "lib", "bin", "obj", "Debug",
                 "Release", "Mail", "Desktop", "Old", "Letters", "Invoices", "Tax", "Thesis",
                 "Documents and Settings"},
                {"Report %d.doc", "budget_%d.xls", "main%d.cpp", "notes%d.txt", "module%d.h",
                 "Letter %d.doc", "archive%d.zip", "photo%d.bmp", "Invoice %04d.pdf",
                 "slides%d.ppt", "data%d.csv", "backup%d.pst"},
                false};
    case DiscKind::Music:
        return {{"Pink Floyd", "The Beatles", "Mozart", "Jazz", "Classical", "Live", "Bootlegs",
                 "Soundtracks", "Singles", "Queen", "Miles Davis", "Bach", "Various Artists"},
                {"%02d - Track.mp3", "Track %02d.mp3", "%02d Intro.mp3", "cover%d.jpg",
                 "playlist%d.m3u", "%02d - Live.wma", "Song %d.ogg", "%02d Remix.mp3"},
                false};
    case DiscKind::Software:
        return {{"SETUP", "I386", "Program Files", "WINDOWS", "SYSTEM32", "OFFICE", "TOOLS",
                 "SDK", "SAMPLES", "HELP", "FONTS", "REDIST", "Support", "Docs", "ENGLISH"},
                {"SETUP%d.EXE", "DATA%d.CAB", "MSVCR%d.DLL", "DRIVER%d.INF", "HELP%d.HLP",
                 "Setup%d.ini", "KERNEL%d.DLL", "FONT%03d.TTF", "SAMPLE%d.C", "readme%d.htm",
                 "INSTMSI%d.EXE", "LANG%d.DLL"},
                true};
    case DiscKind::Drivers:
        return {{"SETUP", "WIN98", "WIN2000", "WINXP", "NVIDIA", "ATI", "AUDIO", "LAN", "MODEM",
                 "PRINTER", "SCANNER", "USB", "VIDEO", "CHIPSET"},
                {"SETUP%d.EXE", "DRV%04d.SYS", "OEM%d.INF", "DATA%d.CAB", "INSTALL%d.EXE",
                 "README%d.TXT", "ISSETUP%d.DLL", "LAYOUT%d.BIN", "FW%03d.ROM"},
                true};
    }
    return {};
}

const char *kindName(DiscKind kind, Random &random)
{
    switch (kind) {
    case DiscKind::Games: return "Games %d";
    case DiscKind::Photos: return random.percent(50) ? "Photos, %d" : "Pictures %d";
    case DiscKind::Backup: return random.percent(60) ? "Backup %d" : "Work - %d";
    case DiscKind::Music: return random.percent(50) ? "Music %d" : "MP3 Collection %d";
    case DiscKind::Software: return random.percent(70) ? "Software %d" : "MSDN Disc %d";
    case DiscKind::Drivers: return "Drivers %d";
    }
    return "Disc %d";
}

std::string makeDirName(const Vocabulary &v, Random &random)
{
    std::string name;
    if (random.below(1500) == 0)
        name = random.pick(kForeign);
    else
        name = v.dirs[random.below(std::uint32_t(v.dirs.size()))];
    if (random.percent(25))
        name += format(v.upperCase ? "%d" : " %d", random.between(1, 12));
    return v.upperCase ? upper(name) : name;
}

std::string makeFileName(const Vocabulary &v, Random &random, int serial)
{
    const char *pattern = v.files[random.below(std::uint32_t(v.files.size()))];
    std::string name = format(pattern, serial);
    if (random.below(300) == 0) {
        // A non-ASCII stem in front of the extension.
        const std::size_t dot = name.rfind('.');
        name = std::string(random.pick(kForeign)) + " " + std::to_string(serial)
            + (dot == std::string::npos ? std::string() : name.substr(dot));
    }
    return name;
}

// Files of one disc, in the order a walk lists them: the root's files, then
// each directory's files in breadth-first order, names sorted within a
// directory ignoring case.
void generateDisc(DiscKind kind, const std::string &discName, int fileCount, Random &random,
                  std::string &out, long long &lines)
{
    const Vocabulary v = vocabulary(kind);
    struct Dir
    {
        std::string prefix; // "\SETUP\DISK1"
        int depth;
        int files = 0;
    };
    std::vector<Dir> dirs;
    dirs.push_back({std::string(), 0});
    // Breadth first: children of dirs[i] are appended behind all earlier ones.
    const int wantDirs = std::max(2, fileCount / random.between(15, 60));
    for (std::size_t i = 0; i < dirs.size() && int(dirs.size()) < wantDirs; ++i) {
        if (dirs[i].depth >= 4)
            continue;
        const int children = dirs[i].depth == 0 ? random.between(2, 8) : random.between(0, 5);
        std::vector<std::string> names;
        for (int c = 0; c < children; ++c)
            names.push_back(makeDirName(v, random));
        sortNames(names);
        for (const std::string &name : names)
            dirs.push_back({dirs[i].prefix + "\\" + name, dirs[i].depth + 1});
    }
    for (int f = 0; f < fileCount; ++f)
        ++dirs[random.below(std::uint32_t(dirs.size()))].files;

    // Game discs keep their level files in a data folder: "level1.dat" is
    // then a rare text with a few hits per game.
    const bool hasLevels = kind == DiscKind::Games && random.percent(60);
    std::size_t levelDir = hasLevels ? 1 + random.below(std::uint32_t(dirs.size() - 1)) : 0;

    std::vector<std::string> names;
    for (std::size_t d = 0; d < dirs.size(); ++d) {
        names.clear();
        for (int f = 0; f < dirs[d].files; ++f)
            names.push_back(makeFileName(v, random, random.between(0, f < 20 ? 99 : 9999)));
        if (hasLevels && d == levelDir) {
            for (int level = 1; level <= 12; ++level)
                names.push_back(format("LEVEL%d.DAT", level));
        }
        sortNames(names);
        for (const std::string &name : names) {
            out += '"';
            out += discName;
            out += " - ";
            out += dirs[d].prefix;
            out += '\\';
            out += name;
            out += "\"\r\n";
            ++lines;
        }
    }
}

int generateCatalog(const std::string &path, long long wanted)
{
    Random random(0x4B6F6272u); // "Kobr"
    std::string out;
    out.reserve(std::size_t(wanted) * 56);
    long long lines = 0;
    int serial[6] = {1, 1, 1, 1, 1, 1};
    while (lines < wanted) {
        const auto kind = DiscKind(random.below(6));
        const char *pattern = kindName(kind, random);
        // Photo discs are named by year (several per year), the others
        // are numbered per kind.
        const int number = std::strncmp(pattern, "Photos, ", 8) == 0 ? random.between(1996, 2009)
                                                                      : serial[int(kind)]++;
        const std::string discName = format(pattern, number);
        long long fileCount = random.between(300, 5200);
        fileCount = std::min(fileCount, wanted - lines);
        generateDisc(kind, discName, int(fileCount), random, out, lines);
    }
    // Discs end where the wanted count is reached (a level folder may add a
    // few lines): cut the text behind the last wanted record.
    benchgen::keepLines(out, wanted);
    if (!benchgen::writeFileAtomically(path, out)) {
        std::fprintf(stderr, "kobrix-bench-gen: cannot write %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::printf("%s: %lld lines, %zu bytes\n", path.c_str(), wanted, out.size());
    return 0;
}

// ---------------------------------------------------------------------------
// Tree

int generateTree(const std::string &path, int files, int dirCount)
{
    namespace fs = std::filesystem;
    Random random(0x54726565u); // "Tree"
    const std::string temporary = path + ".partial";
    std::error_code ec;
    fs::remove_all(temporary, ec);
    if (fs::exists(path)) {
        std::fprintf(stderr, "kobrix-bench-gen: %s exists already\n", path.c_str());
        return 1;
    }

    static const char *const stems[] = {"Folder", "data", "IMAGES", "src", "Backup", "v1.2",
                                        "My Files", "SETUP", "disk", "Music"};
    static const char *const fileStems[] = {"file", "IMG_", "Report ", "DATA", "track",
                                            "setup", "Readme", "LEVEL", "notes.v2."};
    static const char *const extensions[] = {".dat", ".JPG", ".txt", ".EXE", ".doc",
                                             ".mp3", ".cab", ".Cpp", ""};

    // Directory i > 0 hangs below a random earlier one; one that would be
    // deeper than four levels goes to an ancestor instead, so the tree is a
    // few levels deep and bushy near the top.
    if (::mkdir(temporary.c_str(), 0755) != 0) {
        std::fprintf(stderr, "kobrix-bench-gen: mkdir %s: %s\n", temporary.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::vector<std::string> dirs{temporary};
    std::vector<int> depth{0};
    std::vector<int> parentOf{0};
    for (int i = 1; i <= dirCount; ++i) {
        int parent = int(random.below(std::uint32_t(i)));
        while (depth[std::size_t(parent)] >= 4)
            parent = parentOf[std::size_t(parent)];
        const std::string name = std::string(random.pick(stems)) + " " + std::to_string(i);
        dirs.push_back(dirs[std::size_t(parent)] + "/" + name);
        depth.push_back(depth[std::size_t(parent)] + 1);
        parentOf.push_back(parent);
        if (::mkdir(dirs.back().c_str(), 0755) != 0) {
            std::fprintf(stderr, "kobrix-bench-gen: mkdir %s: %s\n", dirs.back().c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    for (int f = 0; f < files; ++f) {
        // The root (index 0) gets files too.
        const std::string &dir = dirs[random.below(std::uint32_t(dirs.size()))];
        std::string name = dir + "/" + random.pick(fileStems) + std::to_string(f)
            + random.pick(extensions);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            std::fprintf(stderr, "kobrix-bench-gen: create %s: %s\n", name.c_str(),
                         std::strerror(errno));
            return 1;
        }
        ::close(fd);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "kobrix-bench-gen: rename to %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::printf("%s: %d files in %d directories\n", path.c_str(), files, dirCount);
    return 0;
}

int usage()
{
    std::fputs("Usage:\n"
               "  kobrix-bench-gen catalog OUT.cdc [lines] [kind]   (default 1000000 ascii)\n"
               "      kind: ascii, latin, cyrillic, greek, japanese, mixed or interleaved\n"
               "  kobrix-bench-gen tree DIR [files] [dirs]   (default 200000 4000)\n"
               "  kobrix-bench-gen nfd TEXT                  TEXT decomposed (NFD)\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return usage();
    const std::string_view command = argv[1];
    if (command == "catalog" && argc <= 5) {
        const long long lines = argc > 3 ? std::atoll(argv[3]) : 1000000;
        const std::string_view kind = argc > 4 ? argv[4] : "ascii";
        if (lines <= 0)
            return usage();
        if (kind == "ascii")
            return generateCatalog(argv[2], lines);
        if (kind == "mixed")
            return benchgen::generateMixedCatalog(argv[2], lines);
        if (kind == "interleaved")
            return benchgen::generateInterleavedCatalog(argv[2], lines);
        if (const benchgen::LanguageWords *words = benchgen::languageWords(kind))
            return benchgen::generateLanguageCatalog(argv[2], lines, *words);
        return usage();
    }
    if (command == "tree" && argc <= 5) {
        const int files = argc > 3 ? std::atoi(argv[3]) : 200000;
        const int dirs = argc > 4 ? std::atoi(argv[4]) : 4000;
        return files >= 0 && dirs >= 0 ? generateTree(argv[2], files, dirs) : usage();
    }
    if (command == "nfd" && argc == 3) {
        std::printf("%s\n", benchgen::decomposed(argv[2]).c_str());
        return 0;
    }
    return usage();
}
