#!/usr/bin/env python3
"""kobrix-cli export, read back with real readers.

    cli_export.py KOBRIX_CLI text   CSV (Python's csv module) and HTML
                                    (html.parser) exports
    cli_export.py KOBRIX_CLI pdf    PDF exports, their text by pdftotext
                                    (poppler-utils); exits 77 (skipped)
                                    when pdftotext is missing

The expected rows come from `kobrix-cli list` of the same catalog, split
here on their own terms: the disc ends at the first " - \\", the folder at
the last backslash. Prints one line per check and "N passed, N failed".
"""

import csv
import html.parser
import io
import os
import shutil
import subprocess
import sys
import tempfile
import unicodedata

CLI = sys.argv[1]
MODE = sys.argv[2] if len(sys.argv) > 2 else "text"
LOOSE = "Lines without a disc name"

passed = 0
failed = 0


def check(name, ok, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print("PASS", name)
    else:
        failed += 1
        print("FAIL", name, detail)


def run(*args):
    done = subprocess.run([CLI, *args], capture_output=True)
    return done.returncode, done.stdout, done.stderr.decode("utf-8", "replace")


def record(text, encoding="utf-8"):
    return b'"' + text.encode(encoding) + b'"\r\n'


# The catalog: commas and quotes in disc and file names, accents, Cyrillic,
# Japanese, a record in Windows-1252 (as older catalogs hold), hand-made
# lines (one with a comma, which the reader splits into two), a disc that
# comes back after another, and names that look like markup.
CATALOG = b"".join([
    record("Games 1 - \\SETUP.EXE"),
    record("Games 1 - \\DATA\\LEVEL1.DAT"),
    record("Photos, 2002 - \\IMG001.JPG"),
    record('Say "hi" disc - \\x "y", z.txt'),
    record("Photos - 2002 - \\a,b\\c.jpg"),
    record("Église été - \\Ünïcödé\\файл.txt"),
    record("Музыка - \\Альбом\\песня.mp3"),
    record("写真 - \\データ\\画像.jpg"),
    record("Café cp1252 - \\menú.txt", "cp1252"),
    b"hand made, with comma\r\n",
    record("<b>Bold</b> & 'Co' - \\<i>x</i>&amp;.txt"),
    record("Games 1 - \\DATA\\LEVEL2.DAT"),
    record(" - \\no name.txt"),
])


def split(line):
    """(disc, folder, file, has_disc) of a catalog line."""
    at = line.find(" - \\")
    if at < 0:
        return "", "", line, False
    disc, path = line[:at], line[at + 3:]
    slash = path.rfind("\\")
    return disc, path[:slash + 1], path[slash + 1:], True


def groups(lines):
    """[(name or None for the loose lines, [(folder, file)])] by first line."""
    order, rows = [], {}
    for line in lines:
        disc, folder, file, has_disc = split(line)
        key = disc if has_disc else None
        if key not in rows:
            order.append(key)
            rows[key] = []
        rows[key].append((folder, file))
    return [(key, rows[key]) for key in order]


def csv_rows(data):
    text = data.decode("utf-8")
    return list(csv.reader(io.StringIO(text[1:], newline="")))


class Page(html.parser.HTMLParser):
    """The sections, contents and outside references of an exported page."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack_tags = []
        self.sections = []   # dicts: id, loose, heading, rows [(folder, file)]
        self.toc = []        # (href, name, count)
        self.in_toc = False
        self.cell = None
        self.cells = []
        self.tags_in_sections = set()
        self.outside = []    # src= or href= leaving the page
        self.scripts = 0
        self.styles = 0
        self.title = ""
        self.text_target = None
        self.href = None
        self.in_section = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ("src", "href"):
            value = attrs.get(key)
            if value is not None and not value.startswith("#"):
                self.outside.append(value)
        if tag == "link":
            self.outside.append("link")
        if tag == "script":
            self.scripts += 1
        if tag == "style":
            self.styles += 1
        if tag == "title":
            self.text_target = "title"
        if tag == "table" and attrs.get("id") == "toc":
            self.in_toc = True
        if tag == "section":
            self.in_section = True
            self.sections.append({"id": attrs.get("id"), "loose": attrs.get("class") == "l",
                                  "heading": "", "rows": []})
        elif self.in_section:
            self.tags_in_sections.add(tag)
        if tag == "h2" and self.sections and not self.in_toc:
            self.text_target = "h2"
        if tag == "a" and self.in_toc:
            self.href = attrs.get("href")
        if tag == "tr":
            self.finish_row()
            self.cells = []
        if tag in ("td", "th"):
            self.finish_cell()
            self.cell = [] if tag == "td" else None

    def finish_cell(self):
        if self.cell is not None:
            self.cells.append("".join(self.cell))
        self.cell = None

    def finish_row(self):
        self.finish_cell()
        if len(self.cells) == 2:
            if self.in_toc:
                self.toc.append((self.href, self.cells[0], int(self.cells[1])))
            elif self.in_section:
                self.sections[-1]["rows"].append(tuple(self.cells))
        self.cells = []

    def handle_endtag(self, tag):
        if tag in ("table", "tbody", "tr"):
            self.finish_row()
            if tag == "table":
                self.in_toc = False
        if tag in ("h2", "title"):
            self.text_target = None
        if tag == "section":
            self.in_section = False

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)
        elif self.text_target == "title":
            self.title += data
        elif self.text_target == "h2" and self.sections:
            self.sections[-1]["heading"] += data


def parse_page(data):
    page = Page()
    page.feed(data.decode("utf-8"))
    page.close()
    return page


def check_page(label, page, expected):
    check(f"{label}: one section per disc", len(page.sections) == len(expected),
          f"{len(page.sections)} sections, {len(expected)} discs")
    check(f"{label}: contents list every disc", len(page.toc) == len(expected), str(page.toc))
    for section, toc, (name, rows) in zip(page.sections, page.toc, expected):
        heading = LOOSE if name is None else name
        check(f"{label}: heading {heading!r}", section["heading"] == heading, repr(section["heading"]))
        check(f"{label}: loose section marked {heading!r}", section["loose"] == (name is None))
        check(f"{label}: rows of {heading!r}", section["rows"] == rows,
              f"{section['rows'][:3]} against {rows[:3]}")
        check(f"{label}: contents entry of {heading!r}",
              toc == ("#" + section["id"], heading, len(rows)), f"{toc}")
    check(f"{label}: only markup of the page inside sections",
          page.tags_in_sections <= {"h2", "table", "thead", "tr", "th", "td", "div"},
          str(page.tags_in_sections))
    check(f"{label}: nothing from outside the page", page.outside == [], str(page.outside))
    check(f"{label}: style and script inline", page.styles == 1 and page.scripts == 1)


def text_checks(work, catalog):
    rc, listed, _ = run("list", catalog)
    lines = listed.decode("utf-8").splitlines()
    check("list reads the catalog", rc == 0 and len(lines) == 14, f"{rc} {lines}")
    expected = groups(lines)

    # CSV of the whole catalog.
    rc, data, err = run("export", catalog, "--format", "csv")
    check("csv: exit 0", rc == 0, err)
    check("csv: byte-order mark and header", data.startswith(b"\xef\xbb\xbfDisc,Folder,File\r\n"))
    check("csv: every row ends with CR LF", data.endswith(b"\r\n")
          and data.count(b"\n") == data.count(b"\r\n"))
    rows = csv_rows(data)
    want = [["Disc", "Folder", "File"]] + [list(split(line)[:3]) for line in lines]
    check("csv: read back as the catalog's lines, in catalog order", rows == want,
          f"\n  got  {rows}\n  want {want}")
    for row in (["Photos, 2002", "\\", "IMG001.JPG"], ['Say "hi" disc', "\\", 'x "y", z.txt'],
                ["Photos - 2002", "\\a,b\\", "c.jpg"], ["Église été", "\\Ünïcödé\\", "файл.txt"],
                ["Музыка", "\\Альбом\\", "песня.mp3"], ["写真", "\\データ\\", "画像.jpg"],
                ["Café cp1252", "\\", "menú.txt"], ["", "", "hand made"], ["", "", "with comma"],
                ["", "\\", "no name.txt"], ["Games 1", "\\DATA\\", "LEVEL2.DAT"]):
        check(f"csv: row {row}", row in rows)
    rebuilt = sorted(f"{d} - {f}{n}" if f else n for d, f, n in rows[1:])
    check("csv: disc, ' - ', folder and file give each line back", rebuilt == sorted(lines))

    # Chosen discs, in the order given.
    rc, data, err = run("export", catalog, "--format", "csv", "--disc", "写真", "--disc", "Photos, 2002")
    check("csv --disc twice: exit 0", rc == 0, err)
    check("csv --disc twice: those discs in that order", csv_rows(data)[1:] ==
          [["写真", "\\データ\\", "画像.jpg"], ["Photos, 2002", "\\", "IMG001.JPG"]], str(csv_rows(data)))
    rc, data, err = run("export", catalog, "--format", "csv", "--disc", "Games 1")
    check("csv --disc: both blocks of a disc", [r[2] for r in csv_rows(data)[1:]] ==
          ["SETUP.EXE", "LEVEL1.DAT", "LEVEL2.DAT"])

    # Refusals: nothing on standard output, exit 2, a clear message.
    for label, args, message in (
            ("unknown disc", ["--format", "csv", "--disc", "Nope"], 'There is no disc named "Nope" in ' + catalog),
            ("unknown format", ["--format", "xls"], 'Unknown export format "xls"'),
            ("no format", [], "Usage:"),
            ("pdf to standard output", ["--format", "pdf"], "A PDF export needs an output file")):
        rc, data, err = run("export", catalog, *args)
        check(f"refused, {label}", rc == 2 and data == b"" and message in err, f"{rc} {data[:40]} {err}")
    rc, data, err = run("export", os.path.join(work, "missing.cdc"), "--format", "csv")
    check("refused, missing catalog", rc == 2 and data == b"" and "Error Reading file" in err, err)

    # -o: the same bytes in the file; a refusal leaves an older file as it was.
    out = os.path.join(work, "out.csv")
    with open(out, "wb") as f:
        f.write(b"older export")
    rc, _, err = run("export", catalog, "--format", "csv", "--disc", "Nope", "-o", out)
    check("-o: a refused export keeps the older file", rc == 2 and open(out, "rb").read() == b"older export")
    rc, data, err = run("export", catalog, "--format", "csv", "-o", out)
    _, stdout_data, _ = run("export", catalog, "--format", "csv")
    check("-o: the file holds what standard output would", rc == 0 and data == b""
          and open(out, "rb").read() == stdout_data, err)
    check("-o: no temporary file left", sorted(os.listdir(work)) == ["catalog.cdc", "out.csv"],
          str(os.listdir(work)))
    rc, _, err = run("export", catalog, "--format", "csv", "-o", os.path.join(work, "no", "such.csv"))
    check("-o: a missing folder is an error", rc == 2 and "Cannot write" in err, err)

    # HTML.
    rc, data, err = run("export", catalog, "--format", "html")
    check("html: exit 0", rc == 0, err)
    page = parse_page(data)
    check("html: title is the catalog's name", page.title == "catalog.cdc", page.title)
    check_page("html", page, expected)
    check("html: markup in names stays text", b"<b>Bold" not in data and b"&lt;b&gt;Bold" in data)
    rc, data, err = run("export", catalog, "--format", "html", "--disc", "Музыка")
    check_page("html --disc", parse_page(data), [e for e in expected if e[0] == "Музыка"])
    html_out = os.path.join(work, "page.html")
    rc, _, err = run("export", catalog, "--format", "html", "-o", html_out)
    check("html -o: written", rc == 0 and open(html_out, "rb").read().startswith(b"<!DOCTYPE html>"), err)

    refusal_checks(work, catalog)
    formula_checks(work)
    disk_full_checks(work, catalog)


def refusal_checks(work, catalog):
    """An output that is the catalog under any name is refused; the catalog
    stays as it was."""
    before = open(catalog, "rb").read()
    os.symlink(catalog, os.path.join(work, "link.cdc"))
    os.link(catalog, os.path.join(work, "hard.cdc"))
    os.makedirs(os.path.join(work, "sub"), exist_ok=True)
    for label, output in (("the catalog itself", catalog),
                          ("a symbolic link to it", os.path.join(work, "link.cdc")),
                          ("a hard link to it", os.path.join(work, "hard.cdc")),
                          ("its path through another folder", os.path.join(work, "sub", "..", "catalog.cdc"))):
        for fmt in ("csv", "html"):
            rc, data, err = run("export", catalog, "--format", fmt, "-o", output)
            check(f"-o onto {label} ({fmt}): refused", rc == 2 and
                  f"Cannot write {output}: it is the catalog being exported. Nothing was written." in err,
                  f"{rc} {err}")
            check(f"-o onto {label} ({fmt}): catalog unchanged", open(catalog, "rb").read() == before)
    for name in ("link.cdc", "hard.cdc"):
        os.remove(os.path.join(work, name))
    os.rmdir(os.path.join(work, "sub"))


def formula_checks(work):
    """Cells a spreadsheet would run are guarded with a leading ', unless --raw."""
    catalog = os.path.join(work, "formulas.cdc")
    lines = ['=HYPERLINK("http://x") - \\a.txt', "Disc - \\=cmd|' /C calc'!A0",
             "Disc - \\+1.txt", "Disc - \\-readme", "Disc - \\@SUM(A1)", "Disc - \\a;=1"]
    with open(catalog, "wb") as f:
        f.write(b"".join(record(line) for line in lines))
    rc, data, err = run("export", catalog, "--format", "csv")
    rows = csv_rows(data)[1:]
    check("csv: formulas guarded", rc == 0 and rows == [
        ["'=HYPERLINK(\"http://x\")", "\\", "a.txt"], ["Disc", "\\", "'=cmd|' /C calc'!A0"],
        ["Disc", "\\", "'+1.txt"], ["Disc", "\\", "'-readme"], ["Disc", "\\", "'@SUM(A1)"],
        ["Disc", "\\", "a;=1"]], f"{rows} {err}")
    check("csv: a guarded cell is quoted", b"\"'=cmd|' /C calc'!A0\"" in data)
    rc, data, err = run("export", catalog, "--format", "csv", "--raw")
    rows = csv_rows(data)[1:]
    check("csv --raw: cells exactly as the lines", rc == 0 and [list(split(l)[:3]) for l in lines] == rows,
          f"{rows} {err}")
    rc, data, _ = run("export", catalog, "--format", "html")
    check("html: names as they are", rc == 0 and b"=cmd|&#39; /C calc&#39;!A0" in data
          and b"'=cmd" not in data)


def disk_full_checks(work, catalog):
    """An export that meets a full disk says so with the program's number."""
    out = os.path.join(work, "full.csv")
    big = os.path.join(work, "big-full.cdc")
    with open(big, "wb") as f:
        for i in range(20000):
            f.write(record(f"Big disc - \\FOLDER{i // 100}\\FILE{i:05}.DAT"))

    def limited():
        import resource
        resource.setrlimit(resource.RLIMIT_FSIZE, (65536, 65536))

    for fmt in ("csv", "html"):
        done = subprocess.run([CLI, "export", big, "--format", fmt, "-o", out],
                              capture_output=True, preexec_fn=limited)
        err = done.stderr.decode("utf-8", "replace")
        check(f"{fmt} -o past the file size limit: 61", done.returncode == 2
              and f"Cannot write {out}: 61 - Disk full" in err, f"{done.returncode} {err}")
    check("file size limit: no file, no temporary file left",
          not [n for n in os.listdir(work) if n.startswith("full")], str(os.listdir(work)))
    os.remove(big)
    if os.path.exists("/dev/full"):
        rc, _, err = run("export", catalog, "--format", "csv", "-o", "/dev/full")
        check("csv -o /dev/full: 61", rc == 2 and "Cannot write /dev/full: 61 - Disk full" in err, err)


def pdf_text(path):
    text = subprocess.run(["pdftotext", "-layout", "-enc", "UTF-8", path, "-"],
                          capture_output=True, check=True).stdout.decode("utf-8")
    return unicodedata.normalize("NFC", text)


def pdf_pages(path):
    info = subprocess.run(["pdfinfo", path], capture_output=True, check=True).stdout.decode()
    return int(next(l.split()[1] for l in info.splitlines() if l.startswith("Pages:")))


def has_font_for(lang):
    # The program under test may not see the fonts fontconfig lists here
    # (kobrix-cli.exe under Wine takes Windows fonts): then its runner says
    # which languages it has fonts for.
    given = os.environ.get("KOBRIX_TEST_FONT_LANGS")
    if given is not None:
        return lang in given.split()
    if not shutil.which("fc-list"):
        return False
    found = subprocess.run(["fc-list", f":lang={lang}"], capture_output=True).stdout
    return bool(found.strip())


def pdf_checks(work, catalog):
    out = os.path.join(work, "listing.pdf")
    # Without XDG_RUNTIME_DIR (a cron job, su), as with it: nothing on stderr.
    env = {k: v for k, v in os.environ.items() if k != "XDG_RUNTIME_DIR"}
    done = subprocess.run([CLI, "export", catalog, "--format", "pdf", "-o", out],
                          capture_output=True, env=env)
    rc, data, err = done.returncode, done.stdout, done.stderr.decode("utf-8", "replace")
    check("pdf: exit 0, nothing on standard output or error", rc == 0 and data == b"" and err == "", err)
    text = pdf_text(out)
    pages = pdf_pages(out)
    check("pdf: one page for a small catalog", pages == 1, str(pages))
    for heading in ("Games 1 (3 files)", "Photos, 2002 (1 files)", 'Say "hi" disc (1 files)',
                    "Église été (1 files)", "Музыка (1 files)", "Café cp1252 (1 files)",
                    "Lines without a disc name (2 files)", "<b>Bold</b> & 'Co' (1 files)"):
        check(f"pdf: heading {heading}", heading in text)
    for name in ("SETUP.EXE", "\\DATA\\", "LEVEL1.DAT", "IMG001.JPG", 'x "y", z.txt', "\\a,b\\",
                 "\\Ünïcödé\\", "файл.txt", "\\Альбом\\", "песня.mp3", "menú.txt", "hand made",
                 "with comma", "<i>x</i>&amp;.txt", "Page 1 of 1", "catalog.cdc"):
        check(f"pdf: text {name}", name in text)
    # A folder stands above its files, never at the foot of a column with
    # its files beside it in the next.
    for folder, file in (("\\Альбом\\", "песня.mp3"), ("\\DATA\\", "LEVEL1.DAT"),
                         ("\\Ünïcödé\\", "файл.txt")):
        # (A folder named again on top of the next column, "(continued)",
        # is not the folder's own heading.)
        at = [i for i, line in enumerate(text.splitlines())
              if folder in line.replace(folder + " (continued)", "")]
        below = [i for i, line in enumerate(text.splitlines()) if file in line]
        check(f"pdf: {file} below its folder {folder}", len(at) == 1 and len(below) == 1
              and below[0] == at[0] + 1, f"{at} {below}")
    if has_font_for("ja"):
        for name in ("写真 (1 files)", "\\データ\\", "画像.jpg"):
            check(f"pdf: text {name}", name in text)
    else:
        print("SKIP pdf: Japanese text (no font with Japanese letters installed)")

    # One disc; then a big disc over several pages, numbered "x of y".
    rc, _, err = run("export", catalog, "--format", "pdf", "--disc", "Музыка", "-o", out)
    text = pdf_text(out)
    check("pdf --disc: that disc only", rc == 0 and "Музыка (1 files)" in text
          and "Games 1" not in text, err)
    big = os.path.join(work, "big.cdc")
    with open(big, "wb") as f:
        for i in range(3000):
            f.write(record(f"Big disc - \\FOLDER{i // 100}\\FILE{i:05}.DAT"))
    rc, _, err = run("export", big, "--format", "pdf", "-o", out)
    pages = pdf_pages(out)
    text = pdf_text(out)
    check("pdf: a big disc takes several pages", rc == 0 and pages > 5, f"{pages} {err}")
    check("pdf: the pages are numbered", f"Page 1 of {pages}" in text and f"Page {pages} of {pages}" in text)
    check("pdf: every file listed", all(f"FILE{i:05}.DAT" in text for i in range(3000)))
    check("pdf: every folder listed", all(f"\\FOLDER{i}\\" in text for i in range(30)))


def main():
    with tempfile.TemporaryDirectory() as work:
        catalog = os.path.join(work, "catalog.cdc")
        with open(catalog, "wb") as f:
            f.write(CATALOG)
        if MODE == "pdf":
            if not shutil.which("pdftotext"):
                print("SKIP: pdftotext is missing (Debian package poppler-utils; scripts/install-deps)")
                return 77
            pdf_checks(work, catalog)
        else:
            text_checks(work, catalog)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
