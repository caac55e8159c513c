// Started by the shell-open test: leaves "opened.txt" beside itself, so the
// test sees that the shell really ran it.

#include <windows.h>

#include <string>

int main()
{
    wchar_t self[MAX_PATH] = {};
    const DWORD size = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring marker(self, size);
    marker = marker.substr(0, marker.find_last_of(L'\\') + 1) + L"opened.txt";
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, "opened", 6, &written, nullptr);
    CloseHandle(file);
    return 0;
}
