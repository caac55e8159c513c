#!/bin/bash
# Checks that the calls and headers of the operating systems (POSIX, Linux,
# Win32) appear only in the per-platform source files, those named
# *_posix.cpp, *_linux.cpp or *_win.cpp, which CMake picks for the platform
# being built. Everything else goes through Qt or through those files.
# With --self-test it first plants a system call in a copy of the tree and
# checks that it is reported.
set -euo pipefail

if [[ "${1:-}" == --self-test ]]; then
    copy="$(mktemp -d)"
    trap 'rm -rf "$copy"' EXIT
    cp -r "${2:?usage: check_platform_calls.sh --self-test SOURCE_DIR}/." "$copy"
    for plant in 'int f(int fd) { return ::fsync(fd); }' '#include <unistd.h>' \
        'void g() { CreateFileW(nullptr, 0, 0, nullptr, 0, 0, nullptr); }'; do
        cp "$copy/catalog/CatalogFile.cpp" "$copy/saved"
        echo "$plant" >>"$copy/catalog/CatalogFile.cpp"
        if "$0" "$copy" >/dev/null; then
            echo "self-test: '$plant' in catalog/CatalogFile.cpp went unreported"
            exit 1
        fi
        mv "$copy/saved" "$copy/catalog/CatalogFile.cpp"
    done
    shift
fi

src="${1:?usage: check_platform_calls.sh [--self-test] SOURCE_DIR}"

headers='#[[:space:]]*include[[:space:]]*<(unistd|fcntl|dirent|poll|termios|pwd|grp|dlfcn|windows|qt_windows|io|direct|winioctl|shlobj)\.h>|#[[:space:]]*include[[:space:]]*<(sys|linux|asm)/'
# Names that are also common member names count only as global calls
# (::open); the others count however they are called.
posix_global='(^|[^[:alnum:]_>:])::(open|read|write|close|stat|link|unlink|pipe|kill|truncate|chmod|chown)[[:space:]]*\('
posix='(^|[^[:alnum:]_.>])(::)?(openat|pread|pwrite|lseek|lstat|fstat|fstatat|ftruncate|fsync|fdatasync|flock|fcntl|ioctl|madvise|mmap|munmap|opendir|fdopendir|readdir|closedir|getuid|geteuid|getgid|getegid|fchown|fchmod|mkfifo|fork|waitpid|setrlimit|getrlimit)[[:space:]]*\('
posix_marks='struct[[:space:]]+stat\b|\bS_IS(REG|DIR|LNK|BLK|CHR|FIFO)\b|\bSIG(XFSZ|KILL|PIPE)\b|\bO_(RDONLY|RDWR|WRONLY|CREAT|NONBLOCK|CLOEXEC)\b'
win32='\b(CreateFile|GetDriveType|GetLogicalDriveStrings|FindFirstFile|FindNextFile|FindClose|LockFileEx|UnlockFileEx|FlushFileBuffers|GetFileInformationByHandle|GetFileType|DeviceIoControl|CloseHandle|GetLastError|_open_osfhandle|_get_osfhandle)[AW]?(Ex)?[[:space:]]*\('

# Lines that are only a comment do not count: they say what code does.
hits="$(grep -rnE --include='*.cpp' --include='*.h' --exclude='*_posix.cpp' \
    --exclude='*_linux.cpp' --exclude='*_win.cpp' \
    "$headers|$posix_global|$posix|$posix_marks|$win32" "$src" |
    grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' || true)"
failures=0
if [[ -n "$hits" ]]; then
    sed "s#^$src/##" <<<"$hits"
    failures=$(wc -l <<<"$hits")
fi

if ((failures > 0)); then
    echo "$failures system call(s) or header(s) outside the per-platform files" \
        "(*_posix.cpp, *_linux.cpp, *_win.cpp)"
    exit 1
fi
echo "system calls only in the per-platform files"
