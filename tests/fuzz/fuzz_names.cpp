// Fuzzes the walk's name handling: any file name bytes become a valid UTF-8
// display name without control characters, and sorting never crashes.

#include "scan/DirectoryReader.h"

#include <QUtf8StringView>

#include <cstdint>
#include <cstdlib>

using namespace kobrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<DirectoryEntry> entries;
    // Names are separated by '/', which no file name can hold.
    QByteArray name;
    auto flush = [&] {
        if (name.isEmpty())
            return;
        const QByteArray shown = displayName(name);
        if (!QUtf8StringView(shown).isValidUtf8())
            std::abort();
        for (const char c : shown) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x20 || b == 0x7F)
                std::abort();
        }
        if (shown.contains("\xC2\x85"))
            std::abort();
        entries.push_back({name, shown});
        name.clear();
    };
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '/' || data[i] == 0)
            flush();
        else
            name.append(char(data[i]));
    }
    flush();
    sortEntries(entries);
    return 0;
}
