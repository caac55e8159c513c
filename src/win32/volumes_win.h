#pragma once

// The label of a mounted volume, as Windows keeps it.

#include <string>

namespace kobrix::win32 {

// The volume label GetVolumeInformationW gives for the volume whose root
// (or mounted folder) is root; a missing trailing backslash is added.
// Empty with *error set to an error number when the volume cannot be asked
// (68 or 71 for a drive without a disc); empty with *error 0 when the volume
// has no label or root is a folder that no volume is mounted at.
std::wstring volumeLabel(const std::wstring &root, int *error);

} // namespace kobrix::win32
