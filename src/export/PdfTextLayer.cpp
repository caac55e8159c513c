#include "export/PdfTextLayer.h"

#include <QFile>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QTextLayout>
#include <QtEndian>

#include <algorithm>
#include <cctype>
#include <map>

namespace kobrix {

void DrawnText::add(const QString &text)
{
    const qsizetype size = text.size();
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = chars[i].unicode();
        if (unit < 128) {
            m_ascii.set(unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size
                   && QChar::isLowSurrogate(chars[i + 1].unicode())) {
            m_others.insert(QChar::surrogateToUcs4(unit, chars[i + 1].unicode()));
            ++i;
        } else {
            m_others.insert(unit);
        }
    }
}

std::vector<char32_t> DrawnText::characters() const
{
    std::vector<char32_t> all;
    for (char32_t c = 0; c < 128; ++c) {
        if (m_ascii.test(c))
            all.push_back(c);
    }
    all.insert(all.end(), m_others.begin(), m_others.end());
    std::sort(all.begin() + qsizetype(m_ascii.count()), all.end());
    return all;
}

namespace {

QString toText(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// The PostScript name (name record 6) of a font, as Qt's PDF writer names
// the font in the document (blanks as underscores).
QByteArray postscriptName(const QRawFont &font)
{
    const QByteArray table = font.fontTable("name");
    const auto u16 = [&](qsizetype at) {
        return at + 2 <= table.size()
                   ? qFromBigEndian<quint16>(reinterpret_cast<const uchar *>(table.constData() + at))
                   : quint16(0);
    };
    const int count = u16(2);
    const qsizetype strings = u16(4);
    QByteArray name;
    for (int i = 0; i < count && name.isEmpty(); ++i) {
        const qsizetype record = 6 + 12 * qsizetype(i);
        if (u16(record + 6) != 6)
            continue;
        const quint16 platform = u16(record), length = u16(record + 8);
        const qsizetype at = strings + u16(record + 10);
        if (at + length > table.size())
            continue;
        if (platform == 1) { // Macintosh: one byte a letter
            name = table.mid(at, length);
        } else if (platform == 3 || platform == 0) { // UTF-16, big-endian
            QString text;
            for (qsizetype j = 0; j + 1 < length; j += 2)
                text += QChar(u16(at + j));
            name = text.toLatin1();
        }
    }
    return name.replace(' ', '_');
}

// The fonts that painting the characters drawn in the fonts asked for
// used (fallback fonts included), by the name the PDF gives them.
QHash<QByteArray, QRawFont> fontsUsed(const DrawnText &drawn, const std::vector<char32_t> &chars)
{
    QString all;
    for (const char32_t c : chars)
        all += toText(c);
    QHash<QByteArray, QRawFont> fonts;
    for (const QFont &font : drawn.fonts()) {
        QTextLayout layout(all, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            const QByteArray name = postscriptName(run.rawFont());
            if (!name.isEmpty() && !fonts.contains(name))
                fonts.insert(name, run.rawFont());
        }
    }
    return fonts;
}

quint32 glyphOf(const QRawFont &font, char32_t c)
{
    const QString text = toText(c);
    quint32 glyph = 0;
    int count = 1;
    if (!font.glyphIndexesForChars(text.constData(), int(text.size()), &glyph, &count)
        || count != 1)
        return 0;
    return glyph;
}

QByteArray hex(const QString &text)
{
    QByteArray out;
    for (const QChar unit : text)
        out += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0').toUpper();
    return out;
}

// A ToUnicode map of Qt's writer: a header, ranges of glyphs with the code
// point each stands for, a footer.
struct CharacterMap
{
    QByteArray header;
    std::map<int, char32_t> characters; // glyph of the font's subset -> code point
};

// The maps are read with a few lines of scanning rather than regular
// expressions: the PDF is written on a worker thread, and on Windows a
// thread that had used QRegularExpression crashed as it ended.
bool isPdfSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

void skipPdfSpace(const QByteArray &text, qsizetype &at)
{
    while (at < text.size() && isPdfSpace(text[at]))
        ++at;
}

// "<" one to four hex digits ">" at `at`: its value, and `at` behind it.
bool hexToken(const QByteArray &text, qsizetype &at, uint &value)
{
    if (at >= text.size() || text[at] != '<')
        return false;
    qsizetype end = at + 1;
    while (end < text.size() && end - at <= 5 && std::isxdigit(static_cast<unsigned char>(text[end])))
        ++end;
    const qsizetype digits = end - at - 1;
    if (digits < 1 || digits > 4 || end >= text.size() || text[end] != '>')
        return false;
    value = text.mid(at + 1, digits).toUInt(nullptr, 16);
    at = end + 1;
    return true;
}

bool parseMap(const QByteArray &text, CharacterMap &map)
{
    const qsizetype headerEnd = text.indexOf("endcodespacerange\n");
    if (headerEnd < 0)
        return false;
    map.header = text.left(headerEnd + qsizetype(sizeof("endcodespacerange\n")) - 1);
    // Ranges "<first> <last> <code point>" and "<first> <last> [<cp> <cp> ...]".
    for (qsizetype start = text.indexOf('<', map.header.size()); start >= 0;
         start = text.indexOf('<', start + 1)) {
        qsizetype at = start;
        uint first = 0, last = 0, code = 0;
        if (!hexToken(text, at, first))
            continue;
        skipPdfSpace(text, at);
        if (!hexToken(text, at, last))
            continue;
        skipPdfSpace(text, at);
        if (hexToken(text, at, code)) {
            for (uint glyph = first; glyph <= last; ++glyph)
                map.characters[int(glyph)] = char32_t(code + (glyph - first));
        } else if (at < text.size() && text[at] == '[') {
            const qsizetype close = text.indexOf(']', at);
            if (close < 0)
                continue;
            int glyph = int(first);
            for (qsizetype v = text.indexOf('<', at); v >= 0 && v < close; v = text.indexOf('<', v)) {
                if (hexToken(text, v, code))
                    map.characters[glyph++] = char32_t(code);
                else
                    ++v;
            }
            at = close + 1;
        } else {
            continue;
        }
        start = at - 1;
    }
    return true;
}

// A font object of Qt's writer, "/Subtype /Type0 /BaseFont /NAME ...
// /ToUnicode N 0 R": its name and the object number of its map (the last
// /ToUnicode named in it).
bool type0Font(const QByteArray &object, QByteArray &baseFont, std::size_t &map)
{
    qsizetype at = object.indexOf("/Subtype /Type0");
    if (at < 0)
        return false;
    at += qsizetype(sizeof("/Subtype /Type0")) - 1;
    skipPdfSpace(object, at);
    if (!object.mid(at).startsWith("/BaseFont /"))
        return false;
    at += qsizetype(sizeof("/BaseFont /")) - 1;
    const qsizetype nameAt = at;
    while (at < object.size() && !isPdfSpace(object[at]) && object[at] != '/')
        ++at;
    if (at == nameAt)
        return false;
    baseFont = object.mid(nameAt, at - nameAt);
    static constexpr char kToUnicode[] = "/ToUnicode ";
    for (qsizetype to = object.lastIndexOf(kToUnicode); to >= at; to = object.lastIndexOf(kToUnicode, to - 1)) {
        qsizetype digits = to + qsizetype(sizeof(kToUnicode)) - 1;
        const qsizetype digitsAt = digits;
        while (digits < object.size() && std::isdigit(static_cast<unsigned char>(object[digits])))
            ++digits;
        if (digits > digitsAt && object.mid(digits).startsWith(" 0 R")) {
            map = std::size_t(object.mid(digitsAt, digits - digitsAt).toULongLong());
            return true;
        }
        if (to == 0)
            break;
    }
    return false;
}

QByteArray writeMap(const CharacterMap &map)
{
    QByteArray out = map.header;
    std::vector<std::pair<int, char32_t>> entries;
    for (const auto &entry : map.characters) {
        if (entry.first != 0 && entry.second != 0)
            entries.push_back(entry);
    }
    for (std::size_t i = 0; i < entries.size(); i += 100) {
        const std::size_t end = std::min(entries.size(), i + 100);
        out += QByteArray::number(qulonglong(end - i)) + " beginbfchar\n";
        for (std::size_t j = i; j < end; ++j)
            out += '<' + hex(QString(QChar(entries[j].first))) + "> <"
                   + hex(toText(entries[j].second)) + ">\n";
        out += "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return out;
}

// Gives each glyph the painted character the font draws with it, where the
// map names a code point that was not painted.
bool mend(CharacterMap &map, const QRawFont &font, const std::vector<char32_t> &chars)
{
    QHash<quint32, char32_t> drawnByGlyph;
    for (const char32_t c : chars) {
        const quint32 glyph = glyphOf(font, c);
        if (glyph != 0 && !drawnByGlyph.contains(glyph))
            drawnByGlyph.insert(glyph, c);
    }
    bool changed = false;
    for (auto &entry : map.characters) {
        if (std::binary_search(chars.begin(), chars.end(), entry.second))
            continue;
        const auto drawn = drawnByGlyph.constFind(glyphOf(font, entry.second));
        if (drawn != drawnByGlyph.constEnd()) {
            entry.second = *drawn;
            changed = true;
        }
    }
    return changed;
}

// The part of a document held in a device, from byte start on.
struct Held
{
    QIODevice &device;
    qint64 start;
    qint64 size() const { return start + device.size(); }
};

QByteArray readAt(const Held &pdf, qint64 at, qint64 length)
{
    if (at < pdf.start || !pdf.device.seek(at - pdf.start))
        return {};
    return pdf.device.read(length);
}

struct Replacement
{
    qint64 begin, end;
    QByteArray bytes;
};

bool copyRange(const Held &pdf, QIODevice &out, qint64 begin, qint64 end)
{
    QIODevice &in = pdf.device;
    if (begin < pdf.start || !in.seek(begin - pdf.start))
        return false;
    QByteArray buffer;
    for (qint64 at = begin; at < end;) {
        buffer = in.read(std::min<qint64>(1 << 20, end - at));
        if (buffer.isEmpty() || out.write(buffer) != buffer.size())
            return false;
        at += buffer.size();
    }
    return true;
}

// The mended maps of the document, by the objects they replace; nothing when
// the document is not in the shape Qt's writer gives it.
struct Plan
{
    std::vector<Replacement> replacements;
    std::vector<qint64> offsets; // of each object; -1 for free entries
    qint64 xref = 0;
    QByteArray trailer; // from "trailer" to before "startxref"
};

bool plan(const Held &pdf, const DrawnText &drawn, Plan &p)
{
    const qint64 size = pdf.size();
    const QByteArray tail = readAt(pdf, std::max<qint64>(0, size - 1024), 1024);
    const qsizetype start = tail.lastIndexOf("startxref");
    if (start < 0)
        return false;
    p.xref = tail.mid(start + 9).trimmed().split('\n').value(0).trimmed().toLongLong();
    if (p.xref <= 0 || p.xref >= size)
        return false;
    const QByteArray table = readAt(pdf, p.xref, size - p.xref);
    // "xref", white space ending in a line end, "0 ", the count, white
    // space up to its last line end; then the entries.
    if (!table.startsWith("xref"))
        return false;
    qsizetype at = 4;
    skipPdfSpace(table, at);
    if (at == 4 || table[at - 1] != '\n' || !table.mid(at).startsWith("0 "))
        return false;
    at += 2;
    const qsizetype digitsAt = at;
    while (at < table.size() && std::isdigit(static_cast<unsigned char>(table[at])))
        ++at;
    if (at == digitsAt)
        return false;
    const qsizetype count = table.mid(digitsAt, at - digitsAt).toLongLong();
    const qsizetype spaceAt = at;
    skipPdfSpace(table, at);
    const qsizetype lastLineEnd = table.lastIndexOf('\n', at - 1);
    if (lastLineEnd < spaceAt)
        return false;
    const qsizetype entries = lastLineEnd + 1;
    if (entries + 20 * count > table.size())
        return false;
    p.offsets.assign(std::size_t(count), -1);
    std::vector<qint64> sorted{p.xref};
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArray entry = table.mid(entries + 20 * i, 20);
        if (entry.size() == 20 && entry[17] == 'n') {
            p.offsets[std::size_t(i)] = entry.left(10).toLongLong();
            sorted.push_back(p.offsets[std::size_t(i)]);
        }
    }
    std::sort(sorted.begin(), sorted.end());
    p.trailer = table.mid(entries + 20 * count);
    p.trailer.truncate(p.trailer.lastIndexOf("startxref"));
    const auto endOf = [&](qint64 offset) {
        return *std::upper_bound(sorted.begin(), sorted.end(), offset);
    };

    const std::vector<char32_t> chars = drawn.characters();
    QHash<QByteArray, QRawFont> fonts;
    for (std::size_t object = 0; object < p.offsets.size(); ++object) {
        const qint64 at = p.offsets[object];
        if (at < 0 || endOf(at) - at > 4096)
            continue;
        QByteArray baseFont;
        std::size_t map = 0;
        if (!type0Font(readAt(pdf, at, endOf(at) - at), baseFont, map))
            continue;
        if (fonts.isEmpty())
            fonts = fontsUsed(drawn, chars);
        const auto raw = fonts.constFind(baseFont);
        if (raw == fonts.constEnd() || map >= p.offsets.size() || p.offsets[map] < 0)
            continue;
        const qint64 mapAt = p.offsets[map];
        const QByteArray bytes = readAt(pdf, mapAt, endOf(mapAt) - mapAt);
        const qsizetype streamAt = bytes.indexOf("stream\n");
        const qsizetype streamEnd = bytes.lastIndexOf("\nendstream");
        CharacterMap characters;
        if (streamAt < 0 || streamEnd < streamAt
            || !parseMap(bytes.mid(streamAt + 7, streamEnd - streamAt - 7), characters)
            || !mend(characters, *raw, chars))
            continue;
        const QByteArray text = writeMap(characters);
        p.replacements.push_back({mapAt, endOf(mapAt),
                                  QByteArray::number(qulonglong(map)) + " 0 obj\n<< /Length "
                                      + QByteArray::number(text.size()) + " >>\nstream\n" + text
                                      + "\nendstream\nendobj\n"});
    }
    std::sort(p.replacements.begin(), p.replacements.end(),
              [](const Replacement &a, const Replacement &b) { return a.begin < b.begin; });
    return true;
}

} // namespace

bool copyWithDrawnText(QIODevice &device, QIODevice &out, const DrawnText &drawn, qint64 start)
{
    const Held pdf{device, start};
    Plan p;
    // Objects are mended only where the held part has them whole.
    if (!plan(pdf, drawn, p) || p.replacements.empty()
        || p.replacements.front().begin < start)
        return copyRange(pdf, out, start, pdf.size());
    qint64 at = start;
    for (const Replacement &r : p.replacements) {
        if (!copyRange(pdf, out, at, r.begin) || out.write(r.bytes) != r.bytes.size())
            return false;
        at = r.end;
    }
    if (!copyRange(pdf, out, at, p.xref))
        return false;
    // Offsets after a replaced object move by what it grew or shrank.
    const auto moved = [&](qint64 offset) {
        qint64 shift = 0;
        for (const Replacement &r : p.replacements) {
            if (r.begin < offset)
                shift += r.bytes.size() - (r.end - r.begin);
        }
        return offset + shift;
    };
    QByteArray table = "xref\n0 " + QByteArray::number(qulonglong(p.offsets.size())) + '\n';
    for (const qint64 offset : p.offsets) {
        table += offset < 0 ? QByteArray("0000000000 65535 f \n")
                            : QByteArray::number(moved(offset)).rightJustified(10, '0')
                                  + " 00000 n \n";
    }
    table += p.trailer + "startxref\n" + QByteArray::number(moved(p.xref)) + "\n%%EOF\n";
    return out.write(table) == table.size();
}

detail::PdfStream::PdfStream(QIODevice *target)
    : m_target(target)
{
    m_tail.open(QIODevice::ReadWrite);
    open(QIODevice::WriteOnly);
}

void detail::PdfStream::holdTail()
{
    m_holding = true;
}

qint64 detail::PdfStream::writeData(const char *data, qint64 size)
{
    if (m_holding)
        return m_tail.write(data, size);
    // After a failed write the rest is dropped: the document cannot be
    // whole, and finish() reports it.
    if (!m_failed && (!m_target || m_target->write(data, size) != size))
        m_failed = true;
    m_passed += size;
    return size;
}

detail::PdfScratch::PdfScratch(QIODevice *out)
    : stream(out)
{
}

detail::PdfScratch::PdfScratch(const QString &path)
    : file(path)
    , stream(nullptr)
{
    if (file.open(QIODevice::WriteOnly))
        stream.setTarget(&file);
}

ListingPdfWriter::ListingPdfWriter(QIODevice &out)
    : PdfScratch(&out)
    , QPdfWriter(&stream)
{
}

ListingPdfWriter::ListingPdfWriter(const QString &path)
    : PdfScratch(path)
    , QPdfWriter(&stream)
    , m_toFile(true)
{
}

ListingPdfWriter::~ListingPdfWriter()
{
    if (!m_finished)
        finish();
}

bool ListingPdfWriter::finish()
{
    m_finished = true;
    const bool written = !stream.failed() && stream.target()
                         && copyWithDrawnText(stream.tail(), *stream.target(), m_drawn,
                                              stream.passedOn());
    if (!m_toFile)
        return written;
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void ListingPdfWriter::abandon()
{
    m_finished = true;
    if (m_toFile)
        file.cancelWriting();
}

} // namespace kobrix
