#!/bin/bash
# Checks that the calls and headers of the operating systems (POSIX, Linux,
# Win32) appear only in the per-platform files, those named *_posix.*,
# *_linux.* or *_win.*, which CMake picks for the platform being built.
# Everything else goes through Qt or through those files. It checks each
# folder given: the sources, and the tests, whose platform cases sit in test
# files named the same way (tests/windows, a project of its own built only
# for Windows, counts as a Windows file as a whole).
# With --self-test it first plants system calls in a copy of each folder and
# checks that they are reported.
set -euo pipefail
# A step that fails says which, rather than ending the check without a word.
trap 'echo "check_platform_calls: line $LINENO failed: $BASH_COMMAND" >&2' ERR

usage="usage: check_platform_calls.sh [--self-test] FOLDER..."
if [[ "${1:-}" == --self-test ]]; then
    shift
    copy="$(mktemp -d)"
    trap 'rm -rf "$copy"' EXIT
    for folder in "${@:?$usage}"; do
        rm -rf "$copy/tree"
        cp -r "$folder/." "$copy/tree"
        # The first source file that is no platform file takes the plants.
        victim="$(find "$copy/tree" -name '*.cpp' ! -name '*_posix.cpp' ! -name '*_linux.cpp' \
            ! -name '*_win.cpp' ! -path '*/windows/*' | sort | sed -n 1p)"
        for plant in 'int f(int fd) { return ::fsync(fd); }' '#include <unistd.h>' \
            'void g() { CreateFileW(nullptr, 0, 0, nullptr, 0, 0, nullptr); }' \
            'pid_t h() { return ::fork(); }' 'void k() { ::rename("a", "b"); }' \
            'void m() { symlink("a", "b"); }' 'rlimit n() { return {RLIMIT_FSIZE}; }'; do
            cp "$victim" "$copy/saved"
            echo "$plant" >>"$victim"
            if "$0" "$copy/tree" >/dev/null; then
                echo "self-test: '$plant' in ${victim#"$copy/tree/"} went unreported"
                exit 1
            fi
            mv "$copy/saved" "$victim"
        done
    done
fi

(($# > 0)) || { echo "$usage" >&2; exit 2; }

headers='#[[:space:]]*include[[:space:]]*<(unistd|fcntl|dirent|poll|termios|pwd|grp|dlfcn|windows|qt_windows|io|direct|winioctl|shlobj)\.h>|#[[:space:]]*include[[:space:]]*<(sys|linux|asm)/'
# Names that are also common member names count only as global calls
# (::open); the others count however they are called.
posix_global='(^|[^[:alnum:]_>:])::(open|read|write|close|stat|link|unlink|pipe|kill|truncate|chmod|chown|rename|pause|alarm|_exit|dup2?)[[:space:]]*\('
posix='(^|[^[:alnum:]_.>])(::)?(openat|pread|pwrite|lseek|lstat|fstat|fstatat|ftruncate|fsync|fdatasync|flock|fcntl|ioctl|madvise|mmap|munmap|opendir|fdopendir|readdir|closedir|getuid|geteuid|getgid|getegid|fchown|fchmod|mkfifo|fork|waitpid|setrlimit|getrlimit|symlink|readlink)[[:space:]]*\('
posix_marks='struct[[:space:]]+stat\b|\bS_IS(REG|DIR|LNK|BLK|CHR|FIFO)\b|\bSIG(XFSZ|KILL|PIPE|ALRM)\b|\bRLIMIT_[A-Z]+\b|\bLOCK_(EX|SH|UN|NB)\b|\bW(IFEXITED|IFSIGNALED|EXITSTATUS|NOHANG)\b|\bO_(RDONLY|RDWR|WRONLY|CREAT|NONBLOCK|CLOEXEC)\b'
win32='\b(CreateFile|GetDriveType|GetLogicalDriveStrings|FindFirstFile|FindNextFile|FindClose|LockFileEx|UnlockFileEx|FlushFileBuffers|GetFileInformationByHandle|GetFileType|DeviceIoControl|CloseHandle|GetLastError|_open_osfhandle|_get_osfhandle)[AW]?(Ex)?[[:space:]]*\('

# Lines that are only a comment do not count: they say what code does.
hits=""
for folder in "$@"; do
    found="$(grep -rnE --include='*.cpp' --include='*.h' --exclude='*_posix.*' \
        --exclude='*_linux.*' --exclude='*_win.*' --exclude-dir=windows \
        "$headers|$posix_global|$posix|$posix_marks|$win32" "$folder" |
        grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' | sed "s#^$folder/#$(basename "$folder")/#" || true)"
    if [[ -n "$found" ]]; then
        hits+="${hits:+$'\n'}$found"
    fi
done
failures=0
if [[ -n "$hits" ]]; then
    echo "$hits"
    failures=$(wc -l <<<"$hits")
fi

if ((failures > 0)); then
    echo "$failures system call(s) or header(s) outside the per-platform files" \
        "(*_posix.*, *_linux.*, *_win.*)"
    exit 1
fi
echo "system calls only in the per-platform files"
