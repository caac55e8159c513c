#pragma once

#include <QFont>
#include <QPdfWriter>
#include <QSet>
#include <QBuffer>
#include <QSaveFile>

#include <bitset>
#include <memory>
#include <vector>

namespace kobrix {

// The characters painted into a PDF and the fonts they were painted in.
//
// Qt's PDF writer tells which character each glyph stands for (the
// ToUnicode map that text extraction, search and copy read) by looking the
// glyph up backwards in the font: the lowest code point that the font maps to
// it. Fonts that give one glyph to several characters then make the text
// layer wrong: Noto Sans CJK draws 日 and the Kangxi radical ⽇ (U+2F47) with
// one glyph, so 日本語 reads as ⽇本語, ・ as U+2027, a space as a tab.
// Knowing what was painted, the map can name the character that was drawn.
class DrawnText
{
public:
    void add(const QString &text);
    void addFont(const QFont &font) { m_fonts.push_back(font); }
    bool isEmpty() const { return m_ascii.none() && m_others.isEmpty(); }
    // Every character painted, in code point order.
    std::vector<char32_t> characters() const;
    const std::vector<QFont> &fonts() const { return m_fonts; }

private:
    std::bitset<128> m_ascii;
    QSet<char32_t> m_others;
    std::vector<QFont> m_fonts;
};

// Copies the PDF document in pdf (Qt's writer's output, readable and
// seekable) to out, with the character maps of its fonts naming the
// characters in drawn: where the font gives a painted character's glyph to
// a lower code point that was not painted, the painted one. pdf holds the
// document from byte start on; the bytes before it are in out already
// (pages, which hold no character map). A document in another shape is
// copied as it is. False when out could not be written.
bool copyWithDrawnText(QIODevice &pdf, QIODevice &out, const DrawnText &drawn, qint64 start = 0);

namespace detail {
// Where a ListingPdfWriter's document goes: straight on to the target while
// pages are painted, so that the memory an export takes does not grow with
// the document, and from holdTail() on into a buffer: the last page, the
// fonts with their character maps, and the table of objects, which finish()
// mends before passing them on.
class PdfStream : public QIODevice
{
public:
    explicit PdfStream(QIODevice *target);
    void setTarget(QIODevice *target) { m_target = target; }
    QIODevice *target() const { return m_target; }
    void holdTail();
    bool holding() const { return m_holding; }
    // Bytes passed on before holdTail().
    qint64 passedOn() const { return m_passed; }
    QBuffer &tail() { return m_tail; }
    // A write to the target failed (the target says why).
    bool failed() const { return m_failed; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice *m_target;
    QBuffer m_tail;
    qint64 m_passed = 0;
    bool m_holding = false;
    bool m_failed = false;
};

// Made before the writer: a file named by path is written through a
// QSaveFile, so that an abandoned document leaves the file as it was.
struct PdfScratch
{
    QSaveFile file;
    PdfStream stream;
    explicit PdfScratch(QIODevice *out);
    explicit PdfScratch(const QString &path);
};
} // namespace detail

// A PDF writer whose text layer gives back the characters painted: pages go
// straight to the target, the end of the document (see detail::PdfStream)
// is mended with copyWithDrawnText() by finish(). paintListing() records
// what it paints into it, and calls endOfPages() before its last page.
class ListingPdfWriter : private detail::PdfScratch, public QPdfWriter
{
public:
    explicit ListingPdfWriter(QIODevice &out); // out stays open and owned by the caller
    explicit ListingPdfWriter(const QString &path);
    // Finishes the document unless finish() or abandon() was called.
    ~ListingPdfWriter() override;

    DrawnText &drawnText() { return m_drawn; }
    // What the writer writes from here on is held until finish().
    void endOfPages() { stream.holdTail(); }
    // Writes the rest of the document, once painting ended, to its target.
    // False when the target could not be written.
    bool finish();
    // Ends the document here (painting failed or was cancelled): a file
    // named by path stays as it was, a device keeps the pages passed on.
    void abandon();

private:
    DrawnText m_drawn;
    bool m_toFile = false;
    bool m_finished = false;
};

} // namespace kobrix
