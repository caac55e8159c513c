#pragma once

#include <QFont>
#include <QPdfWriter>
#include <QSet>
#include <QBuffer>

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

// Copies the complete PDF document in pdf (Qt's writer's output, readable
// and seekable) to out, with the character maps of its fonts naming the
// characters in drawn: where the font gives a painted character's glyph to
// a lower code point that was not painted, the painted one. A document in
// another shape is copied as it is. False when out could not be written.
bool copyWithDrawnText(QIODevice &pdf, QIODevice &out, const DrawnText &drawn);

namespace detail {
// The scratch buffer a ListingPdfWriter writes into, made before the writer.
// In memory (some 18 bytes a listed file), so that a full disk is met, and
// reported, by the write to the target itself.
struct PdfScratch
{
    QBuffer scratch;
    PdfScratch();
};
} // namespace detail

// A PDF writer whose text layer gives back the characters painted: pages are
// written to a scratch buffer, and finish() copies the document to its target
// with copyWithDrawnText(). paintListing() records what it paints into it.
class ListingPdfWriter : private detail::PdfScratch, public QPdfWriter
{
public:
    explicit ListingPdfWriter(QIODevice &out); // out stays open and owned by the caller
    explicit ListingPdfWriter(const QString &path);
    // Finishes the document unless finish() or abandon() was called.
    ~ListingPdfWriter() override;

    DrawnText &drawnText() { return m_drawn; }
    // Writes the document, once painting ended, to its target. False when
    // the target could not be written.
    bool finish();
    // Leaves the target as it is (painting failed or was cancelled).
    void abandon() { m_finished = true; }

private:
    QIODevice *m_out = nullptr;
    QString m_path;
    DrawnText m_drawn;
    bool m_finished = false;
};

} // namespace kobrix
