// Catalog records: encoding, field reading and encodings.

#include "TestSupport.h"
#include "catalog/CatalogFormat.h"
#include "catalog/DiscRecords.h"
#include "core/DiscLine.h"
#include "search/Matcher.h"

#include <QBuffer>
#include <QStringDecoder>
#include <QTest>

#include <algorithm>

using namespace kobrix;
using namespace kobrix::test;

class TestCatalogFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordBytes_data()
    {
        QTest::addColumn<QString>("disc");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("plain") << "Games 1" << "\\SETUP.EXE" << QByteArray("\"Games 1 - \\SETUP.EXE\"\r\n");
        QTest::newRow("comma in name") << "Photos, 2002" << "\\IMG001.JPG"
                                       << QByteArray("\"Photos, 2002 - \\IMG001.JPG\"\r\n");
        QTest::newRow("blanks kept") << "  A " << "\\X" << QByteArray("\"  A  - \\X\"\r\n");
        QTest::newRow("quote unchanged") << "My \"best\"" << "\\A" << QByteArray("\"My \"best\" - \\A\"\r\n");
        QTest::newRow("utf-8") << QString::fromUtf8("Müsik") << QString::fromUtf8("\\Ä.mp3")
                               << QByteArray("\"M\xC3\xBCsik - \\\xC3\x84.mp3\"\r\n");
    }
    void recordBytes()
    {
        QFETCH(QString, disc);
        QFETCH(QString, line);
        QFETCH(QByteArray, record);
        QByteArray out;
        const QByteArray utf8 = catalogLine(disc, line).toUtf8();
        appendRecord(out, std::string_view(utf8.constData(), std::size_t(utf8.size())));
        QCOMPARE(out, record);
    }

    void fields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("worked example")
            << QByteArray("\"Games 1 - \\SETUP.EXE\"\r\n\"Games 1 - \\DATA\\LEVEL1.DAT\"\r\n"
                          "\"Photos, 2002 - \\IMG001.JPG\"\r\n")
            << QStringList{"Games 1 - \\SETUP.EXE", "Games 1 - \\DATA\\LEVEL1.DAT",
                           "Photos, 2002 - \\IMG001.JPG"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("no final line end") << QByteArray("\"a\"\r\n\"b\"") << QStringList{"a", "b"};
        QTest::newRow("blank line in the middle") << QByteArray("\"a\"\r\n\r\n\"b\"\r\n")
                                                  << QStringList{"a", "", "b"};
        QTest::newRow("leading and trailing blanks inside quotes")
            << QByteArray("\"  A  - \\X\"\r\n") << QStringList{"  A  - \\X"};
        QTest::newRow("blanks before the field skipped") << QByteArray("   \"a\"\r\n") << QStringList{"a"};
        QTest::newRow("unquoted fields split at commas") << QByteArray("a,b\r\nc\r\n")
                                                         << QStringList{"a", "b", "c"};
        QTest::newRow("LF only") << QByteArray("\"a\"\n\"b\"\n") << QStringList{"a", "b"};
        QTest::newRow("CR only") << QByteArray("\"a\"\r\"b\"\r") << QStringList{"a", "b"};
        QTest::newRow("inner quote survives")
            << QByteArray("\"My \"best\" - \\A\"\r\n") << QStringList{"My \"best\" - \\A"};
        QTest::newRow("inner quote, blank and comma survive")
            << QByteArray("\"A \"x\" y, z - \\B\"\r\n") << QStringList{"A \"x\" y, z - \\B"};
        // A quote at the line end closes the field, so a quote and a comma
        // inside a name never split a record.
        QTest::newRow("quote-comma inside a record stays one line")
            << QByteArray("\"a\",\"b\"\r\n") << QStringList{"a\",\"b"};
        QTest::newRow("quoted disc name with comma")
            << QByteArray("\"The \"Best\", Vol 2 - \\A.TXT\"\r\n")
            << QStringList{"The \"Best\", Vol 2 - \\A.TXT"};
        QTest::newRow("quoted file name with comma")
            << QByteArray("\"D - \\Say \"Hi\", Bob.mp3\"\r\n") << QStringList{"D - \\Say \"Hi\", Bob.mp3"};
        QTest::newRow("blanks after the closing quote")
            << QByteArray("\"a\", \"b\"   \r\n") << QStringList{"a\", \"b"};
        QTest::newRow("quote-comma closes when the line end has no quote")
            << QByteArray("\"a\",b\r\n") << QStringList{"a", "b"};
        QTest::newRow("byte-order mark skipped")
            << QByteArray("\xEF\xBB\xBF\"D - \\a.txt\"\r\n") << QStringList{"D - \\a.txt"};
        QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << QStringList{};
        QTest::newRow("mark only at the start")
            << QByteArray("\"a\"\r\n\xEF\xBB\xBF\"b\"\r\n") << QStringList{"a", QString::fromUtf8("\uFEFF\"b\"")};
        QTest::newRow("start like a mark, then not")
            << QByteArray("\xEF\xBBx\r\n") << QStringList{QString::fromUtf8("\u00EF\u00BBx")};
        QTest::newRow("two bytes of a mark only") << QByteArray("\xEF\xBB")
                                                  << QStringList{QString::fromUtf8("\u00EF\u00BB")};
        QTest::newRow("no quote closes: first one does")
            << QByteArray("\"ab\"cd\" ef\r\n") << QStringList{"ab"};
        QTest::newRow("text after closing quote up to comma dropped")
            << QByteArray("\"ab\"x ,\"c\r\n") << QStringList{"ab", "c"};
        QTest::newRow("closing quote at the line end wins")
            << QByteArray("\"ab\"  ,\"c\"\r\n") << QStringList{"ab\"  ,\"c"};
        QTest::newRow("unterminated quote ends at line end")
            << QByteArray("\"abc\r\n\"d\"\r\n") << QStringList{"abc", "d"};
        QTest::newRow("windows-1252 record")
            << QByteArray("\"Caf\xE9 \x80 - \\A\"\r\n") << QStringList{QString::fromUtf8("Café € - \\A")};
        QTest::newRow("utf-8 and 1252 records mixed")
            << QByteArray("\"\xC3\xA9\"\r\n\"\xE9\"\r\n") << QStringList{QString::fromUtf8("é"), QString::fromUtf8("é")};
    }
    void fields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        // Any chunking of the file gives the same fields, CR LF split included.
        for (qsizetype chunk : {qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(7), qsizetype(1 << 20)})
            QCOMPARE(parseInChunks(bytes, chunk), lines);
    }

    void roundTripOfAnyLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("quotes everywhere") << "\"\"\" - \"\\a\"\"";
        QTest::newRow("ends with quote and blanks") << "x - \\y\"  ";
        QTest::newRow("starts with blanks") << "   - \\z";
        QTest::newRow("commas") << ",,, - \\,,";
        QTest::newRow("empty") << "";
        QTest::newRow("non-ascii") << QString::fromUtf8("Диск 1 - \\日本.txt");
        QTest::newRow("quote and comma in the disc name") << "The \"Best\", Vol 2 - \\A.TXT";
        QTest::newRow("quote and comma in the file name") << "D - \\Say \"Hi\", Bob.mp3";
        QTest::newRow("looks like two fields") << "a\",\"b";
        QTest::newRow("quote, blanks, comma, quote") << "x\"  ,  \" - \\y";
    }
    void roundTripOfAnyLine()
    {
        QFETCH(QString, line);
        QByteArray file;
        const QByteArray utf8 = line.toUtf8();
        appendRecord(file, std::string_view(utf8.constData(), std::size_t(utf8.size())));
        appendRecord(file, "next");
        QCOMPARE(parseInChunks(file, 1 << 20), (QStringList{line, "next"}));
    }

    void recordLimit_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("linesRead");
        QTest::addColumn<int>("badRecord"); // 0: no error
        const QByteArray limit(64, 'x');
        QTest::newRow("at the limit") << QByteArray(limit + "\r\n") << 1 << 0;
        QTest::newRow("quoted, at the limit") << QByteArray("\"" + limit.left(62) + "\"\r\n") << 1 << 0;
        QTest::newRow("one byte over") << QByteArray(limit + "x\r\n") << 0 << 1;
        QTest::newRow("quoted, one byte over")
            << QByteArray("\"" + limit + "\"\r\n") << 0 << 1;
        QTest::newRow("fourth record too long")
            << QByteArray("\"a\"\r\n\"b\"\r\nc\n" + limit + limit + "\r\n\"e\"\r\n") << 3 << 4;
        QTest::newRow("no line end at all") << QByteArray(1000, '\0') << 0 << 1;
        QTest::newRow("long last line without line end")
            << QByteArray("\"a\"\r\n" + limit + limit) << 1 << 2;
    }
    void recordLimit()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, linesRead);
        QFETCH(int, badRecord);
        for (qsizetype chunk : {qsizetype(1), qsizetype(5), qsizetype(1 << 20)}) {
            LineStore store;
            FieldParser parser(store, 64);
            for (qsizetype at = 0; at < bytes.size(); at += chunk)
                parser.feed(std::string_view(bytes.constData() + at,
                                             std::size_t(std::min(chunk, bytes.size() - at))));
            parser.finish();
            QCOMPARE(store.count(), qsizetype(linesRead));
            if (badRecord == 0) {
                QVERIFY(!parser.error());
            } else {
                QCOMPARE(parser.error().number(), 59);
                QVERIFY2(parser.error().description().contains(
                             QStringLiteral("record %1 ").arg(badRecord)),
                         qPrintable(parser.error().description()));
            }
        }
    }

    // Passing over lines that cannot hold the text (as kobrix-cli find does)
    // finds the same lines and names the same record in an error, however
    // the file is split into chunks and whatever its line ends.
    void skippingLinesFindsTheSame_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("ascii, CR LF") << "xyz" << QByteArray("\r\n");
        QTest::newRow("ascii, LF") << "xyz" << QByteArray("\n");
        QTest::newRow("ascii, LF, byte-order mark") << "xyz" << QByteArray("\n\xEF\xBB\xBF");
        QTest::newRow("ascii, CR") << "xyz" << QByteArray("\r");
        QTest::newRow("ascii with a lookalike") << "setup" << QByteArray("\r\n");
        QTest::newRow("accented with an ASCII run") << QString::fromUtf8("müller") << QByteArray("\r\n");
    }
    // A record in whose text the skip names a place is taken without the
    // filter when the skip settles it; one where the place lies on its
    // quotes or after it, and a line of another shape, still ask (and the
    // filter here says no to every line).
    void settledRecordsSkipTheFilter_data()
    {
        QTest::addColumn<QByteArray>("clue");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QStringList>("taken");
        QTest::newRow("inside") << QByteArray("X") << 0 << QStringList({"a X b", "X", "tail X"});
        QTest::newRow("closing quote") << QByteArray("\"\n") << 0 << QStringList();
        QTest::newRow("opening quote") << QByteArray("\n\"") << 1 << QStringList();
    }
    void settledRecordsSkipTheFilter()
    {
        QFETCH(QByteArray, clue);
        QFETCH(int, offset);
        QFETCH(QStringList, taken);
        struct Skip { QByteArray clue; int offset; } skip{clue, offset};
        const QByteArray file = "\"a X b\"\n\"plain\"\n\"X\"\n\"Y\"\"next\"\nX,\"field\"\n\"tail X\"\n";
        for (const qsizetype chunk : {qsizetype(3), qsizetype(1 << 10)}) {
            LineStore stored;
            FieldParser parser(stored);
            parser.setLineFilter(
                [](const void *, const FieldParser::FilterText &) { return false; }, &skip,
                [](const void *context, std::string_view bytes) {
                    const auto &s = *static_cast<const Skip *>(context);
                    const std::size_t at = bytes.find(std::string_view(s.clue.constData(), std::size_t(s.clue.size())));
                    return at == std::string_view::npos ? at : at + std::size_t(s.offset);
                },
                FieldParser::SkipRule::Settles);
            for (qsizetype at = 0; at < file.size(); at += chunk)
                parser.feed(std::string_view(file.constData() + at, std::size_t(std::min(chunk, file.size() - at))));
            parser.finish();
            QStringList lines;
            for (qsizetype i = 0; i < stored.count(); ++i)
                lines << stored.at(i);
            // In chunks of three bytes every record ends in another chunk
            // than it starts and is read as a line: the filter decides.
            QCOMPARE(lines, chunk == 3 ? QStringList() : taken);
        }
    }

    void skippingLinesFindsTheSame()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, lineEnd);
        const Matcher matcher(text);
        // A byte-order mark after the line end starts the file with it.
        const QByteArray bom("\xEF\xBB\xBF");
        QByteArray file = lineEnd.endsWith(bom) ? bom : QByteArray();
        lineEnd.chop(file.size());
        for (int i = 0; i < 3000; ++i) {
            QByteArray line = "\"Disc " + QByteArray::number(i % 7) + " - \\F" + QByteArray::number(i);
            if (i % 97 == 0)
                line += " xYz";
            if (i % 131 == 0)
                line += " \xC5\xBF" "ETUP"; // long s
            if (i % 89 == 0)
                line += " M\xC3\xBCLLER";
            if (i % 53 == 0)
                line += " m\xFCller"; // Windows-1252
            if (i % 41 == 0)
                line += "\",\"second field";
            file += line + "\"" + lineEnd;
            if (i % 500 == 499)
                file += lineEnd; // an empty line
        }
        file += QByteArray(5000, 'q') + lineEnd + "\"after\"" + lineEnd; // too long for the small limits

        // Skipped lines uncounted (a reader of a file), the record too long
        // is numbered by counting the lines before it in the file.
        const auto found = [&](bool skip, qsizetype chunk, std::size_t limit, RuntimeError &error,
                               bool countSkipped = true) {
            LineStore lines;
            FieldParser parser(lines, limit);
            parser.setCountSkippedLines(countSkipped);
            if (skip)
                parser.setLineFilter(&Matcher::mayMatchRecordFilter, &matcher,
                                     &Matcher::nextPossibleMatchFilter);
            for (qsizetype at = 0; at < file.size(); at += chunk)
                parser.feed(std::string_view(file.constData() + at,
                                             std::size_t(std::min(chunk, file.size() - at))));
            parser.finish();
            error = parser.error();
            if (parser.tooLongRecordOffset() >= 0) {
                QBuffer device(&file);
                device.open(QIODevice::ReadOnly);
                error = recordTooLongError(lineNumberAt(device, parser.tooLongRecordOffset()), limit);
            }
            std::vector<qsizetype> hits;
            matcher.findIn(lines, 0, lines.count(), hits);
            QStringList result;
            for (const qsizetype i : hits)
                result << lines.at(i);
            return result;
        };
        // With a limit the long line breaks (line numbers must agree, also
        // after runs of lines passed over at once, as long as the limit),
        // and without.
        for (const std::size_t limit : {std::size_t(100), std::size_t(4096), kMaxRecordBytes}) {
            RuntimeError expectedError;
            const QStringList expected = found(false, 1 << 20, limit, expectedError);
            QVERIFY(expected.size() > 10);
            QCOMPARE(expectedError.number(), limit < kMaxRecordBytes ? 59 : 0);
            for (const qsizetype chunk : {qsizetype(1), qsizetype(5), qsizetype(4096), qsizetype(1 << 20)}) {
                for (const bool countSkipped : {true, false}) {
                    RuntimeError error;
                    QCOMPARE(found(true, chunk, limit, error, countSkipped), expected);
                    QCOMPARE(error.description(), expectedError.description());
                }
            }
        }
    }

    // What a filter that takes every record itself (as kobrix-cli's tallies
    // do) is told of each: the text between a record's quotes as one field,
    // whether it holds bytes >= 0x80, and whether it is known to be UTF-8,
    // which it must never be told of a record in Windows-1252 or cut short,
    // wherever that stands among the records checked a block at a time.
    void filterSeesRecordsAsRead_data()
    {
        QTest::addColumn<QByteArray>("odd");
        QTest::newRow("Windows-1252") << QByteArray("\"M\xfcller - \\Caf\xe9\"");
        QTest::newRow("a character cut short") << QByteArray("\"\xD0\x94\xD0 - x\"");
        QTest::newRow("a stray continuation byte") << QByteArray("\"a\x80" "b\"");
        QTest::newRow("two fields, no quotes") << QByteArray("Диск,ёлка");
    }
    void filterSeesRecordsAsRead()
    {
        QFETCH(QByteArray, odd);
        const auto isUtf8ByQt = [](const QByteArray &bytes) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = decoder.decode(bytes); // decodes as it converts
            return !decoded.isNull() && !decoder.hasError();
        };
        struct Seen
        {
            QByteArray bytes;
            bool oneField, highBytes, knownUtf8;
        };
        QByteArray file;
        for (int i = 0; i < 400; ++i) {
            file += i % 3 == 0 ? "\"Disc - \\setup" + QByteArray::number(i) + "\"\r\n"
                               : "\"Диск - \\Ёлка " + QByteArray::number(i) + "\"\r\n";
            if (i % 97 == 96)
                file += odd + "\r\n";
        }
        for (const qsizetype chunk : {qsizetype(7), qsizetype(1000), qsizetype(1 << 20)}) {
            std::vector<Seen> seen;
            LineStore stored;
            FieldParser parser(stored);
            parser.setLineFilter(
                [](const void *context, const FieldParser::FilterText &text) {
                    auto &into = *static_cast<std::vector<Seen> *>(const_cast<void *>(context));
                    into.push_back({QByteArray(text.bytes.data(), qsizetype(text.bytes.size())),
                                    text.oneField, text.highBytes, text.knownUtf8});
                    return false;
                },
                &seen);
            for (qsizetype at = 0; at < file.size(); at += chunk)
                parser.feed(std::string_view(file.constData() + at, std::size_t(std::min(chunk, file.size() - at))));
            parser.finish();
            QCOMPARE(stored.count(), 0);
            QCOMPARE(qsizetype(seen.size()), 404);
            int known = 0;
            for (const Seen &s : seen) {
                const QByteArray context = s.bytes + " in chunks of " + QByteArray::number(chunk);
                const bool quoted = !s.bytes.contains(',');
                // A record cut by the end of a chunk comes whole, as a line.
                QVERIFY2(s.oneField == quoted || (!s.oneField && chunk < (1 << 20)), context.constData());
                if (s.oneField) {
                    const bool high = std::any_of(s.bytes.begin(), s.bytes.end(),
                                                  [](char c) { return (c & 0x80) != 0; });
                    QVERIFY2(s.highBytes == high, context.constData());
                }
                // Qt's decoder judges, not the reader's own check.
                QVERIFY2(!s.knownUtf8 || isUtf8ByQt(s.bytes), context.constData());
                known += s.knownUtf8;
            }
            // In whole chunks most records are checked a block at a time,
            // unless the block holds a record that is not UTF-8: it is then
            // checked record by record.
            if (chunk == (1 << 20) && isUtf8ByQt(odd))
                QVERIFY2(known > 200, QByteArray::number(known).constData());
        }
    }

    void discNameInRecords_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        const QString r(QChar::ReplacementCharacter);
        QTest::newRow("plain") << "Games 1" << "Games 1";
        QTest::newRow("blanks kept") << "  A  " << "  A  ";
        QTest::newRow("line feed") << "Disc\n2" << "Disc" + r + "2";
        QTest::newRow("CR LF and tab") << "a\r\nb\tc" << "a" + r + r + "b" + r + "c";
        QTest::newRow("DEL and C1") << QString::fromUtf8("x\x7Fy\u0085z") << "x" + r + "y" + r + "z";
        QTest::newRow("non-ASCII kept") << QString::fromUtf8("Диск ü 日本") << QString::fromUtf8("Диск ü 日本");
    }
    void discNameInRecords()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QCOMPARE(recordDiscName(typed), written);
    }

    // A disc name is taken exactly when every line written under it reads
    // back with that name: the rule and the splitting of lines agree.
    void discNameReadsBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("plain") << "Games 1" << true;
        QTest::newRow("dash between blanks") << "Photos - 2002" << true;
        QTest::newRow("backslash alone") << "AC\\DC" << true;
        QTest::newRow("ends in a dash") << "Odd -" << true;
        QTest::newRow("ends in the separator's blanks") << "Odd - " << true;
        QTest::newRow("backslash before the dash") << "A \\ - x" << true;
        QTest::newRow("separator inside") << "Odd - \\Name" << false;
        QTest::newRow("separator at the end") << "Odd - \\" << false;
        QTest::newRow("separator at the start") << " - \\x" << false;
        QTest::newRow("separator behind a control character") << "A\t - \\B" << false;
        QTest::newRow("empty") << "" << false;
    }
    void discNameReadsBack()
    {
        QFETCH(QString, name);
        QFETCH(bool, taken);
        QCOMPARE(discNameProblem(name).isEmpty(), taken);
        if (name.isEmpty())
            return;
        const QString line = catalogLine(recordDiscName(name), u"\\DATA\\A.TXT");
        const DiscLine split = splitDiscLine(line);
        QCOMPARE(split.hasDisc && split.disc == recordDiscName(name), taken);
    }
};

QTEST_GUILESS_MAIN(TestCatalogFormat)
#include "tst_core_format.moc"
