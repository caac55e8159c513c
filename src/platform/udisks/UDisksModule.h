#pragma once

// The UDisks2 watcher as a module that the programs load only when a drive
// is first watched, so that they start without Qt's D-Bus library and the
// system libraries it brings (kobrix-cli pays for every library it loads,
// on every command). This header names what both sides agree on and
// includes nothing of D-Bus.

#include <QString>

namespace kobrix {

// Raised whenever UDisksModuleCall changes shape, so that a module of
// another build is refused instead of misread.
inline constexpr int kUDisksModuleVersion = 1;

// The file name without prefix or suffix, and the plain C entry point.
inline constexpr char kUDisksModuleName[] = "kobrix-udisks";
inline constexpr char kUDisksEntryName[] = "kobrix_udisks_arrivals";

// The program hands the module where the watcher's news go; the module
// hands back the watcher and its functions, or no watcher when UDisks2 does
// not run on the system bus. Everything runs on the caller's thread, through
// its event loop.
struct UDisksModuleCall
{
    int version = kUDisksModuleVersion; // the caller's

    void *owner = nullptr;
    void (*arrived)(void *owner, const QString &drive, bool mounted, const QString &path) = nullptr;
    void (*removed)(void *owner, const QString &drive) = nullptr;
    void (*ejectFailed)(void *owner, const QString &drive, int number, const QString &description) = nullptr;

    void *watcher = nullptr; // set by the module
    bool (*watch)(void *watcher, const QString &drive, QString *error) = nullptr;
    void (*stopWatching)(void *watcher) = nullptr;
    // 0, or the error number with its description.
    int (*eject)(void *watcher, const QString &drive, QString *description) = nullptr;
    void (*destroy)(void *watcher) = nullptr;
};

// The entry point: returns 0 after filling in call, or the module's own
// version when it differs from the caller's (nothing done then).
using UDisksEntry = int (*)(UDisksModuleCall *call);

} // namespace kobrix
