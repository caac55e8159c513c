// The Windows layer under Wine: drive discovery, directory enumeration and
// the walk's order, error numbers from real failures, shell open, and the
// standard streams: bytes written exactly, letters shown on a console.
//
// run_under_wine.sh prepares the drives: D: a CD-ROM drive holding the
// fixture disc, E: a drive letter with nothing behind it, F: an empty disc,
// G: a folder of files for the failure cases. It starts the test once more
// on a terminal for the console's case (--console REPORT_FILE).

#include "WinTest.h"

#include "win32/commandline_win.h"
#include "win32/console_win.h"
#include "win32/directory_win.h"
#include "win32/drives_win.h"
#include "win32/errors_win.h"
#include "win32/shell_win.h"
#include "win32/text_win.h"

#include "CoreErrorNumbers.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <deque>

using namespace kobrix::win32;
using wintest::compare;
using wintest::report;

// The layer's error numbers are those of the core.
static_assert(NoError == core_numbers::NoError);
static_assert(OutOfMemory == core_numbers::OutOfMemory);
static_assert(BadFileNameOrNumber == core_numbers::BadFileNameOrNumber);
static_assert(FileNotFound == core_numbers::FileNotFound);
static_assert(FileAlreadyOpen == core_numbers::FileAlreadyOpen);
static_assert(DeviceIoError == core_numbers::DeviceIoError);
static_assert(DiskFull == core_numbers::DiskFull);
static_assert(DeviceUnavailable == core_numbers::DeviceUnavailable);
static_assert(PermissionDenied == core_numbers::PermissionDenied);
static_assert(DiskNotReady == core_numbers::DiskNotReady);
static_assert(PathFileAccessError == core_numbers::PathFileAccessError);
static_assert(PathNotFound == core_numbers::PathNotFound);

namespace {

std::string utf8(const std::wstring &text)
{
    return toUtf8(text);
}

std::wstring wide(const char *utf8Text)
{
    return toWide(utf8Text);
}

// Every byte a handle gives until its end (a file read from its start, or
// a pipe whose writing end is closed).
std::string readAll(HANDLE handle)
{
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(handle, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

// The walk as the scan makes it: breadth first, the files of the root, then
// directory by directory in the order found; every file a line of its path
// below the root, components joined by backslashes.
struct Walk
{
    std::vector<std::string> listing;
    std::vector<std::string> directories;
    int error = 0;
};

Walk walk(const std::wstring &root)
{
    Walk result;
    struct Pending
    {
        std::wstring path;
        std::string linePrefix;
    };
    std::deque<Pending> queue{{root, ""}};
    bool isRoot = true;
    while (!queue.empty()) {
        const Pending dir = queue.front();
        queue.pop_front();
        DirectoryListing listing;
        if ((result.error = readDirectory(dir.path, isRoot, listing)) != 0)
            return result;
        isRoot = false;
        for (const DirectoryEntry &sub : listing.subdirectories) {
            const std::string prefix = dir.linePrefix + "\\" + sub.displayName;
            result.directories.push_back(prefix);
            queue.push_back({childPath(dir.path, sub.nativeName), prefix});
        }
        for (const DirectoryEntry &file : listing.files)
            result.listing.push_back(dir.linePrefix + "\\" + file.displayName);
    }
    return result;
}

std::vector<std::string> names(const std::vector<DirectoryEntry> &entries)
{
    std::vector<std::string> result;
    for (const DirectoryEntry &e : entries)
        result.push_back(e.displayName);
    return result;
}

void drivesFound(const std::string &test)
{
    std::vector<std::string> cdRoms;
    for (const std::wstring &root : cdRomDriveRoots())
        cdRoms.push_back(utf8(root));
    compare(test, "CD-ROM drives", cdRoms, {"D:\\"});

    const std::vector<std::wstring> roots = logicalDriveRoots();
    report(std::is_sorted(roots.begin(), roots.end()), test, "drive-letter order",
           "roots out of order");
    const std::wstring text = logicalDriveStrings();
    report(!text.empty() && text.back() == L'\0', test, "every root ends with NUL",
           "no NUL after the last root");
    compare(test, "one NUL per root", std::count(text.begin(), text.end(), L'\0'),
            (long long)roots.size());

    struct Row
    {
        const char *name;
        const wchar_t *root;
        int type;
    };
    const Row rows[] = {
        {"mapped CD-ROM drive", L"D:\\", kDriveTypeCdRom},
        {"letter with nothing behind it", L"E:\\", DRIVE_NO_ROOT_DIR},
        {"folder drive", L"F:\\", DRIVE_FIXED},
        {"letter never mapped", L"Q:\\", DRIVE_NO_ROOT_DIR},
    };
    for (const Row &row : rows)
        compare(test, row.name, driveType(row.root), row.type);
}

// Marks entries of the fixture disc that only the attribute hides.
bool setAttribute(const std::wstring &path, DWORD attribute)
{
    const DWORD before = GetFileAttributesW(path.c_str());
    return before != INVALID_FILE_ATTRIBUTES && SetFileAttributesW(path.c_str(), before | attribute)
        && (GetFileAttributesW(path.c_str()) & attribute);
}

void walkOrder(const std::string &test)
{
    report(setAttribute(L"D:\\hidden by attribute.txt", FILE_ATTRIBUTE_HIDDEN), test,
           "HIDDEN set", "the file system did not keep the attribute");
    report(setAttribute(L"D:\\system file.sys", FILE_ATTRIBUTE_SYSTEM), test, "SYSTEM set",
           "the file system did not keep the attribute");
    report(setAttribute(L"D:\\HIDDEN FOLDER", FILE_ATTRIBUTE_HIDDEN), test, "folder HIDDEN set",
           "the file system did not keep the attribute");

    // Names starting with a dot are hidden as on Linux, whatever their
    // attributes say.
    const DWORD dotFile = GetFileAttributesW(L"D:\\.hidden");
    report(dotFile != INVALID_FILE_ATTRIBUTES && !(dotFile & FILE_ATTRIBUTE_HIDDEN), test,
           "dot-file without HIDDEN", "Wine marked the dot-file HIDDEN");

    const Walk result = walk(L"D:\\");
    compare(test, "error", result.error, 0);
    // The Linux walk's table, with names in three more scripts.
    const std::vector<std::string> listing{
        // Root files, case-insensitive order; dot-files, hidden, system and
        // dangling links left out.
        "\\autorun.inf", "\\link to setup.exe", "\\README.TXT", "\\setup.exe", "\\Été.txt",
        // One level down, in the order of the root's subdirectories.
        "\\a level1\\b.txt", "\\A.B.C\\x.dat", "\\MY DOCUMENTS\\Letter.doc",
        "\\Müsik\\Ärger.mp3", "\\z level1\\top.txt", "\\Диск\\Песня.txt",
        "\\日本語\\ファイル.txt",
        // Two levels down, grouped by parent in processing order.
        "\\SETUP.FILES\\DISK1\\DATA.CAB", "\\z level1\\deep\\mid.txt",
        // Three levels down.
        "\\z level1\\deep\\deeper\\bottom.txt",
    };
    compare(test, "listing", result.listing, listing);
    const std::vector<std::string> directories{
        "\\a level1", "\\A.B.C", "\\empty", "\\MY DOCUMENTS", "\\Müsik", "\\SETUP.FILES",
        "\\z level1", "\\Диск", "\\日本語", "\\a level1\\only dirs", "\\SETUP.FILES\\DISK1",
        "\\z level1\\deep", "\\a level1\\only dirs\\none", "\\z level1\\deep\\deeper",
    };
    compare(test, "directories", result.directories, directories);
}

void readFailures(const std::string &test)
{
    struct Row
    {
        const char *name;
        const wchar_t *folder;
        bool isRoot;
        int error;
        std::vector<std::string> files;
    };
    const Row rows[] = {
        {"drive letter with nothing behind it", L"E:\\", true, DeviceUnavailable, {}},
        {"drive letter never mapped", L"Q:\\", true, DeviceUnavailable, {}},
        {"a file as root", L"D:\\setup.exe", true, DeviceUnavailable, {}},
        {"empty root", L"", true, DeviceUnavailable, {}},
        {"missing folder", L"D:\\no such folder", false, PathNotFound, {}},
        {"a file as folder", L"D:\\setup.exe", false, PathNotFound, {}},
        {"empty disc", L"F:\\", true, NoError, {}},
        {"empty folder", L"D:\\empty", false, NoError, {}},
        {"folder with a trailing backslash", L"D:\\A.B.C\\", false, NoError, {"x.dat"}},
    };
    for (const Row &row : rows) {
        // What a listing held before is gone, whatever the outcome.
        DirectoryListing listing;
        listing.files.push_back({L"left over", "left over"});
        compare(test, row.name, readDirectory(row.folder, row.isRoot, listing), row.error);
        compare(test, std::string(row.name) + ", files", names(listing.files), row.files);
    }
}

void longPaths(const std::string &test)
{
    const std::wstring a(200, L'a');
    const std::wstring b(100, L'b');
    struct Row
    {
        const char *name;
        std::wstring path;
        std::wstring expected;
    };
    const Row rows[] = {
        {"short path as it is", L"D:\\DATA", L"D:\\DATA"},
        {"long drive path", L"G:\\" + a + L"\\" + b, L"\\\\?\\G:\\" + a + L"\\" + b},
        {"long path with slashes", L"G:/" + a + L"/" + b, L"\\\\?\\G:\\" + a + L"\\" + b},
        {"long network path", L"\\\\server\\share\\" + a + b,
         L"\\\\?\\UNC\\server\\share\\" + a + b},
        {"already extended", L"\\\\?\\G:\\" + a + b, L"\\\\?\\G:\\" + a + b},
        {"long relative path as it is", a + L"\\" + b, a + L"\\" + b},
    };
    for (const Row &row : rows)
        compare(test, row.name, utf8(extendedLengthPath(row.path)), utf8(row.expected));

    // A folder 300 characters deep, beyond MAX_PATH.
    DirectoryListing listing;
    compare(test, "list a deep folder", readDirectory(L"G:\\" + a + L"\\" + b, false, listing), 0);
    compare(test, "files of the deep folder", names(listing.files), {"deep.txt"});
}

void sortOrder(const std::string &test)
{
    struct Row
    {
        const char *name;
        std::vector<const char *> input;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"tie-break is the exact name", {"b", "B", "a", "A", "ä", "Ä", "Z"},
         {"A", "a", "B", "b", "Z", "Ä", "ä"}},
        // Lower case, not upper: '_' stands before the letters.
        {"underscore before letters", {"aZb", "a_b", "AYB"}, {"a_b", "AYB", "aZb"}},
        {"long shared head", {"setupdiskB.cab", "SETUPDISKa.cab", "setupdisk.cab"},
         {"setupdisk.cab", "SETUPDISKa.cab", "setupdiskB.cab"}},
        {"Cyrillic by letter, case ignored", {"Яблоко", "арбуз", "Банан", "банан"},
         {"арбуз", "Банан", "банан", "Яблоко"}},
        {"Japanese by code point", {"ファイル", "あ", "日本"}, {"あ", "ファイル", "日本"}},
    };
    for (const Row &row : rows) {
        std::vector<DirectoryEntry> entries;
        for (const char *name : row.input)
            entries.push_back({wide(name), name});
        sortEntries(entries);
        compare(test, row.name, names(entries), row.expected);
    }
}

void namesAsUtf8(const std::string &test)
{
    struct Row
    {
        const char *name;
        std::wstring input;
        std::string expected;
    };
    const Row rows[] = {
        {"accented", L"\u00C9t\u00E9.txt", "Été.txt"},
        {"Cyrillic", L"\u0414\u0438\u0441\u043A", "Диск"},
        {"Japanese", L"\u65E5\u672C\u8A9E", "日本語"},
        {"outside the BMP", L"\U0001F4BF.iso", "💿.iso"},
        {"line feed", L"a\nb.txt", "a\uFFFDb.txt"},
        {"tab and escape", L"a\t\x1b", "a\uFFFD\uFFFD"},
        {"DEL and C1 next line", L"a\x7F\x85z", "a\uFFFD\uFFFDz"},
        {"unpaired surrogate", std::wstring(L"a") + wchar_t(0xD800) + L"b", "a\uFFFDb"},
    };
    for (const Row &row : rows)
        compare(test, row.name, displayName(row.input), row.expected);
    compare(test, "UTF-8 round trip", utf8(wide("Müsik 日本 Диск")), "Müsik 日本 Диск");
}

void argumentsAsUtf8(const std::string &test)
{
    struct Row
    {
        const char *name;
        const wchar_t *commandLine;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"plain", L"kobrix-cli.exe find a.cdc text", {"find", "a.cdc", "text"}},
        {"quoted with spaces", L"kobrix-cli.exe list \"C:\\My Discs\\a.cdc\"",
         {"list", "C:\\My Discs\\a.cdc"}},
        {"outside the ANSI code page", L"x.exe \u0414\u0438\u0441\u043A.cdc \u65E5\u672C",
         {"\u0414\u0438\u0441\u043A.cdc", "\u65E5\u672C"}},
        {"accented, outside the BMP", L"x.exe \"\u00C9t\u00E9 \U0001F4BF.iso\"", {"\u00C9t\u00E9 \U0001F4BF.iso"}},
        {"quote inside", L"x.exe \"say \\\"hi\\\"\"", {"say \"hi\""}},
        {"no arguments", L"x.exe", {}},
    };
    for (const Row &row : rows) {
        const std::vector<std::string> got = splitCommandLine(row.commandLine);
        compare(test, std::string(row.name) + ": count", int(got.size()), int(row.expected.size()));
        for (std::size_t i = 0; i < got.size() && i < row.expected.size(); ++i)
            compare(test, row.name, got[i], row.expected[i]);
    }
    // run_under_wine.sh starts this test without arguments.
    compare(test, "own command line", int(commandLineArguments().size()), 0);
}

// Opens path as CreateFileW would for the program and gives the error
// number of the failure (0 when it opened).
int openError(const std::wstring &path, DWORD access, DWORD disposition)
{
    HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return openFailureNumber(path, GetLastError());
    CloseHandle(file);
    return 0;
}

void errorsFromFailures(const std::string &test)
{
    struct Row
    {
        const char *name;
        const wchar_t *path;
        DWORD access;
        DWORD disposition;
        int error;
    };
    const Row rows[] = {
        {"missing file", L"G:\\missing.cdc", GENERIC_READ, OPEN_EXISTING, FileNotFound},
        {"missing folder", L"G:\\no folder\\a.cdc", GENERIC_READ, OPEN_EXISTING, PathNotFound},
        {"missing folder for writing", L"G:\\no folder\\a.cdc", GENERIC_WRITE, CREATE_ALWAYS,
         PathNotFound},
        {"a folder as the file", L"G:\\folder", GENERIC_READ, OPEN_EXISTING, PathFileAccessError},
        {"a folder written as the file", L"G:\\folder", GENERIC_WRITE, CREATE_ALWAYS,
         PathFileAccessError},
        {"read-only file for writing", L"G:\\readonly.cdc", GENERIC_WRITE, OPEN_EXISTING,
         PermissionDenied},
        {"read-only file for reading", L"G:\\readonly.cdc", GENERIC_READ, OPEN_EXISTING, NoError},
        {"a drive letter with nothing behind it", L"E:\\a.cdc", GENERIC_READ, OPEN_EXISTING, PathNotFound},
        {"bad name", L"G:\\a?b.cdc", GENERIC_READ, OPEN_EXISTING, BadFileNameOrNumber},
    };
    for (const Row &row : rows)
        compare(test, row.name, openError(row.path, row.access, row.disposition), row.error);

    // A file another program holds without sharing.
    HANDLE held = CreateFileW(L"G:\\held.cdc", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    report(held != INVALID_HANDLE_VALUE, test, "hold a file", "could not open G:\\held.cdc");
    compare(test, "a file held by another", openError(L"G:\\held.cdc", GENERIC_READ, OPEN_EXISTING),
            FileAlreadyOpen);
    CloseHandle(held);
}

void shellOpens(const std::string &test)
{
    // shell_target.exe writes "opened" beside itself when it runs.
    const std::wstring marker = L"G:\\opened.txt";
    DeleteFileW(marker.c_str());
    compare(test, "open a program", shellOpen(L"G:\\shell_target.exe"), 0);
    bool opened = false;
    for (int i = 0; i < 200 && !opened; ++i) {
        opened = GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!opened)
            Sleep(50);
    }
    report(opened, test, "the program ran", "no marker file after 10 s");
    compare(test, "missing file", shellOpen(L"G:\\no such file.txt"), FileNotFound);
}


// Bytes meant to be bytes (a CSV with CR LF, a page with LF, messages in
// any script) reach a file or a pipe exactly as on Linux: the stream opened
// in text mode, as the C runtime opens the standard streams, is put in
// binary mode first.
void streamsKeepBytes(const std::string &test)
{
    const char *rows[][2] = {
        {"CSV line ends", "Disc,Folder,File\r\nGames 1,\\,SETUP.EXE\r\n"},
        {"line feeds alone", "<html>\n<body>\n"},
        {"Cyrillic and Japanese", "There is no disc named \"\u0414\u0438\u0441\u043A 9\" in "
                                  "\u65E5\u672C\u8A9E.cdc\n"},
    };
    for (const auto &row : rows) {
        const std::string name = row[0], text = row[1];
        const std::wstring path = L"G:\\stream " + wide(row[0]) + L".txt";
        std::FILE *file = _wfopen(path.c_str(), L"w");
        report(file != nullptr, test, name + ": open", "could not open the file");
        if (!file)
            continue;
        report(!isConsole(file), test, name + ": a file is no console", "taken for a console");
        report(setBinaryMode(file), test, name + ": binary mode", "not set");
        report(writeUtf8(file, text), test, name + ": write", "failed");
        std::fclose(file);
        HANDLE back = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        compare(test, name + ": file", readAll(back), text);
        CloseHandle(back);

        HANDLE readEnd = nullptr, writeEnd = nullptr;
        CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16);
        // In text mode, as the C runtime opens a standard stream.
        std::FILE *pipe = _fdopen(
            _open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_WRONLY | _O_TEXT), "w");
        report(setBinaryMode(pipe) && writeUtf8(pipe, text), test, name + ": pipe write", "failed");
        std::fclose(pipe);
        compare(test, name + ": pipe", readAll(readEnd), text);
        CloseHandle(readEnd);
    }
    std::FILE *nul = _wfopen(L"NUL", L"w");
    report(nul && !isConsole(nul), test, "NUL is no console", "taken for a console");
    if (nul)
        std::fclose(nul);
}

// A console gets the letters themselves, whatever its code page: the text
// read back from the console's screen is the text written. Run on its own
// (--console), started on a terminal, which Wine makes the program's console.
void consoleShowsLetters(const std::string &test)
{
    // Open to read as well, as a console's standard output is: the screen
    // is read back, and the console's mode is read to know it for one.
    HANDLE screen =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    std::FILE *console =
        screen == INVALID_HANDLE_VALUE
            ? nullptr
            : _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(screen), _O_WRONLY), "w");
    report(console && isConsole(console), test, "CONOUT$ is a console", "not taken for one");
    if (!console)
        return;
    const char *rows[] = {
        "There is no disc named \"\u0414\u0438\u0441\u043A 9\"",
        "\u65E5\u672C\u8A9E\\\u30D5\u30A1\u30A4\u30EB.txt",
        "\u00C9t\u00E9 \U0001F4BF",
    };
    for (const char *row : rows) {
        CONSOLE_SCREEN_BUFFER_INFO before{};
        GetConsoleScreenBufferInfo(screen, &before);
        std::fputs("buffered before ", console);
        report(writeUtf8(console, std::string(row) + "\n"), test, row, "write failed");
        const std::wstring expected = L"buffered before " + wide(row);
        std::wstring shown(expected.size(), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, shown.data(), DWORD(shown.size()),
                                    {0, before.dwCursorPosition.Y}, &read);
        shown.resize(read);
        compare(test, row, utf8(shown), utf8(expected));
    }
    std::fclose(console);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) == "--console") {
        // The console is the terminal; the report goes to the file named.
        if (!_wfreopen(wide(argv[2]).c_str(), L"w", stdout))
            return 1;
        wintest::run("consoleShowsLetters", consoleShowsLetters);
        return wintest::summary();
    }
    // Failures come back as error codes, not as dialogs.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    wintest::run("drivesFound", drivesFound);
    wintest::run("walkOrder", walkOrder);
    wintest::run("readFailures", readFailures);
    wintest::run("longPaths", longPaths);
    wintest::run("sortOrder", sortOrder);
    wintest::run("namesAsUtf8", namesAsUtf8);
    wintest::run("argumentsAsUtf8", argumentsAsUtf8);
    wintest::run("errorsFromFailures", errorsFromFailures);
    wintest::run("shellOpens", shellOpens);
    wintest::run("streamsKeepBytes", streamsKeepBytes);
    return wintest::summary();
}
