// Fuzzes the catalog field reader: whatever the bytes, reading must not crash,
// every line must be valid UTF-8 without CR or LF, splitting the input into
// chunks anywhere must not change the result, each line's search key made
// the fast way must be the one Qt's normalizer and folding make, and keys made
// apart (as a load makes them, lines that follow one another as one text)
// must be those made line by line.

#include "catalog/CatalogFormat.h"
#include "core/KeyMaker.h"
#include "core/SearchKey.h"

#include <QStringDecoder>
#include <QUtf8StringView>

#include <cstdint>
#include <cstdlib>

using namespace kobrix;

namespace {

void parse(std::string_view bytes, std::size_t split, LineStore &out)
{
    FieldParser parser(out);
    split = std::min(split, bytes.size());
    parser.feed(bytes.substr(0, split));
    parser.feed(bytes.substr(split));
    parser.finish();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    LineStore whole;
    parse(bytes, size, whole);
    LineStore split;
    parse(bytes, size ? data[0] % size : 0, split);

    if (whole.count() != split.count())
        std::abort();
    LineStore keyedApart;
    {
        KeyMaker maker(keyedApart);
        parse(bytes, size, keyedApart);
    }
    if (keyedApart.keysMade() != whole.keysMade() || keyedApart.nonAsciiLines() != whole.nonAsciiLines())
        std::abort();
    for (std::size_t k = 0; k < whole.keysMade(); ++k) {
        if (keyedApart.keyAt(k) != whole.keyAt(k))
            std::abort();
    }
    for (qsizetype i = 0; i < whole.count(); ++i) {
        const std::string_view line = whole.utf8At(i);
        if (line != split.utf8At(i))
            std::abort();
        if (line.find('\n') != std::string_view::npos || line.find('\r') != std::string_view::npos)
            std::abort();
        if (!QUtf8StringView(line.data(), qsizetype(line.size())).isValidUtf8())
            std::abort();
        // Decoded with a leading U+FEFF kept: QString::fromUtf8() drops it.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        const QString text = decoder(QByteArrayView(line.data(), qsizetype(line.size())));
        ByteBuffer key;
        if (!appendSearchKey(key, line) || QByteArray(key.data(), qsizetype(key.size())) != searchKey(text))
            std::abort();
    }
    return 0;
}
