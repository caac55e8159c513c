#pragma once

#include <QString>

namespace kobrix {

// Error numbers of the classic runtime. The windows show them to the user
// ("Error Reading file", number, description), so they are part of what the
// program says and stay stable across platforms.
enum ErrorNumber : int {
    NoError = 0,
    OutOfMemory = 7,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    BadRecordLength = 59,
    DeviceIoError = 57,
    DiskFull = 61,
    DeviceUnavailable = 68,
    PermissionDenied = 70,
    DiskNotReady = 71,
    PathFileAccessError = 75,
    PathNotFound = 76,
    DialogCancelled = 32755,
};

// An error as the user sees it: a runtime number and its description.
class RuntimeError
{
public:
    RuntimeError() = default;
    explicit RuntimeError(int number);
    RuntimeError(int number, QString description);

    // Maps an OS error (errno) to the runtime numbering.
    static RuntimeError fromErrno(int osError);

    bool isError() const { return m_number != NoError; }
    explicit operator bool() const { return isError(); }
    int number() const { return m_number; }
    QString description() const { return m_description; }

    // "53 - File not found": the tail of every error message.
    QString numberAndDescription() const;

private:
    int m_number = NoError;
    QString m_description;
};

// The runtime's description of an error number ("File not found").
QString describeError(int number);

} // namespace kobrix
