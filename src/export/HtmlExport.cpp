// The HTML export: one page that needs nothing else, to open in any browser,
// keep beside the discs or put on a web site.

#include "export/CatalogExport.h"
#include "export/ExportBuffer.h"
#include "core/ProgramTexts.h"

#include <QByteArray>

#include <algorithm>
#include <string>

namespace kobrix {

namespace {

// Lines per block of a disc's table. The browser lays out and paints only
// the blocks near the visible part of the page (content-visibility), so a
// page of a hundred thousand lines scrolls and filters as fast as a small one.
constexpr std::size_t kLinesPerBlock = 500;

void appendEscaped(std::string &out, std::string_view text)
{
    if (!exportscan::containsAnyOf(text, "&<>\"'")) {
        out.append(text);
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char *entity;
        switch (text[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = "&quot;"; break;
        case '\'': entity = "&#39;"; break;
        default: continue;
        }
        out.append(text.substr(start, i - start));
        out.append(entity);
        start = i + 1;
    }
    out.append(text.substr(start));
}

void appendEscaped(std::string &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    appendEscaped(out, std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

void appendNumber(std::string &out, qsizetype n)
{
    out.append(std::to_string(n));
}

// Rows are hidden with the hidden attribute, so the page's own classes stay.
// Block heights before layout are estimated from their rows (--r).
const char kStyle[] = R"(<style>
body{font:14px/1.35 system-ui,"DejaVu Sans",sans-serif;margin:0 1.5em 2em;color:#111;background:#fff}
header{position:sticky;top:0;background:#fff;padding:.5em 0;border-bottom:1px solid #bbb;z-index:1}
h1{font-size:1.4em;margin:.2em 0}
h2{font-size:1.15em;margin:1.2em 0 .3em}
.c{margin:0 0 .3em;color:#444}
header p{margin:.2em 0}
#q{font:inherit;width:22em;max-width:60%;padding:.2em .4em}
#n{margin-left:.8em;color:#444}
table{border-collapse:collapse}
#toc td,#toc th{padding:1px .8em 1px 0;text-align:left}
#toc td:nth-child(2){text-align:right}
.t{width:100%;table-layout:fixed}
.t th{text-align:left;border-bottom:1px solid #bbb}
.t td,.t th{padding:1px .5em;vertical-align:top;overflow-wrap:anywhere}
.t td:first-child,.t th:first-child{width:40%;color:#555}
.k{content-visibility:auto;contain-intrinsic-size:auto calc(var(--r) * 21px)}
</style>
)";

// The filter: each line's catalog line is folded once (NFC, lower case) when
// the page has loaded; typing waits for a short pause, then one pass over
// those texts counts the matches of each block. A block without any is
// hidden whole, its rows left as they were; in the others only the rows
// whose state changes are touched. Sections and contents follow the counts.
const char kScript[] = R"(<script>
(function(){
'use strict';
var box=document.getElementById('q'),shown=document.getElementById('n');
var template=shown.getAttribute('data-t');
var sections=document.getElementsByTagName('section');
var toc=document.getElementById('toc').tBodies[0].rows;
var keys=null,rows,blockOf,firstOf,blocks,sectionOf,hidden,want,full,timer=0,last='';
function fold(s){return s.normalize('NFC').toLowerCase();}
function prepare(){
  keys=[];rows=[];blockOf=[];firstOf=[];blocks=[];sectionOf=[];full=[];
  for(var s=0;s<sections.length;s++){
    var sec=sections[s];
    var prefix=sec.classList.contains('l')?'':sec.getElementsByTagName('h2')[0].textContent+' - ';
    var bs=sec.getElementsByClassName('k'),n=0;
    for(var b=0;b<bs.length;b++){
      var k=blocks.length;blocks.push(bs[b]);sectionOf.push(s);firstOf.push(rows.length);
      var trs=bs[b].getElementsByTagName('tr');
      for(var r=0;r<trs.length;r++){
        var c=trs[r].cells;
        keys.push(fold(prefix+c[0].textContent+c[1].textContent));
        rows.push(trs[r]);blockOf.push(k);n++;
      }
    }
    full.push(n);
  }
  firstOf.push(rows.length);
  hidden=new Uint8Array(rows.length);want=new Uint8Array(rows.length);
}
function apply(){
  timer=0;
  var text=fold(box.value);
  if(text===last)return;
  last=text;
  if(!keys)prepare();
  var n=keys.length,perBlock=new Int32Array(blocks.length),perSection=new Int32Array(sections.length);
  var i,h,b,total=0;
  for(i=0;i<n;i++){
    h=text!==''&&keys[i].indexOf(text)<0?1:0;
    want[i]=h;
    if(!h)perBlock[blockOf[i]]++;
  }
  for(b=0;b<blocks.length;b++){
    h=perBlock[b];
    perSection[sectionOf[b]]+=h;total+=h;
    blocks[b].hidden=h===0;
    if(h===0)continue;
    blocks[b].style.setProperty('--r',h);
    for(i=firstOf[b];i<firstOf[b+1];i++){
      if(want[i]!==hidden[i]){hidden[i]=want[i];rows[i].hidden=want[i]===1;}
    }
  }
  for(i=0;i<sections.length;i++){
    h=perSection[i];
    sections[i].hidden=h===0;
    toc[i].hidden=h===0;
    toc[i].cells[1].textContent=text===''?full[i]:h+' / '+full[i];
  }
  shown.textContent=text===''?'':template.replace('%1',total).replace('%2',n);
}
box.addEventListener('input',function(){if(timer)clearTimeout(timer);timer=setTimeout(apply,60);});
window.addEventListener('load',function(){setTimeout(function(){if(!keys)prepare();},0);});
})();
</script>
)";

} // namespace

ExportResult writeHtml(const ExportContent &content, QIODevice &out, const ExportOptions &options)
{
    ExportBuffer buffer(out, options, content.lineCount());
    std::string &page = buffer.buffer();
    page.append("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                "<meta name=\"generator\" content=\"Kobrix\">\n<title>");
    appendEscaped(page, options.title);
    page.append("</title>\n");
    page.append(kStyle);
    page.append("</head>\n<body>\n<header>\n<h1>");
    appendEscaped(page, options.title);
    page.append("</h1>\n<p>");
    appendEscaped(page, ProgramTexts::exportSummary(content.discCount(), content.lineCount()));
    page.append("</p>\n<input id=\"q\" type=\"search\" autocomplete=\"off\" placeholder=\"");
    appendEscaped(page, ProgramTexts::exportFilterPlaceholder());
    page.append("\" aria-label=\"");
    appendEscaped(page, ProgramTexts::exportFilterPlaceholder());
    page.append("\"><span id=\"n\" data-t=\"");
    appendEscaped(page, ProgramTexts::exportShownCount());
    page.append("\"></span>\n</header>\n");

    // The contents: each disc with its file count, linked to its section.
    page.append("<nav>\n<h2>");
    appendEscaped(page, ProgramTexts::exportDiscsHeading());
    page.append("</h2>\n<table id=\"toc\">\n<thead><tr><th>");
    appendEscaped(page, ProgramTexts::exportDiscColumn());
    page.append("<th>");
    appendEscaped(page, ProgramTexts::exportFilesColumn());
    // Discs of several catalogs: each disc's catalog in a column of its own,
    // its name as its lines have it.
    const bool catalogs = content.namesCatalogs();
    if (catalogs) {
        page.append("<th>");
        appendEscaped(page, ProgramTexts::exportCatalogColumn());
    }
    page.append("</thead>\n<tbody>\n");
    for (qsizetype i = 0; i < content.discCount(); ++i) {
        const ExportContent::Disc &disc = content.disc(i);
        page.append("<tr><td><a href=\"#d");
        appendNumber(page, i + 1);
        page.append("\">");
        appendEscaped(page, ExportContent::headingOf(disc));
        page.append("</a><td>");
        appendNumber(page, qsizetype(disc.end - disc.begin));
        if (catalogs) {
            page.append("<td>");
            appendEscaped(page, disc.catalog);
        }
        page.append("</tr>\n");
    }
    page.append("</tbody>\n</table>\n</nav>\n");
    if (!buffer.flush())
        return buffer.result();

    std::string heading;
    appendEscaped(heading, ProgramTexts::exportFolderColumn());
    heading.append("<th>");
    appendEscaped(heading, ProgramTexts::exportFileColumn());
    for (qsizetype i = 0; i < content.discCount(); ++i) {
        const ExportContent::Disc &disc = content.disc(i);
        page.append("<section id=\"d");
        appendNumber(page, i + 1);
        page.append(disc.looseLines ? "\" class=\"l\"><h2>" : "\"><h2>");
        appendEscaped(page, ExportContent::headingOf(disc));
        page.append("</h2>\n");
        if (!disc.catalog.isEmpty()) {
            page.append("<p class=\"c\">");
            appendEscaped(page, ProgramTexts::exportCatalogLine(disc.catalog));
            page.append("</p>\n");
        }
        page.append("<table class=\"t\"><thead><tr><th>");
        page.append(heading);
        page.append("</thead></table>\n");
        const std::span<const qint32> lines = content.linesOf(i);
        for (std::size_t first = 0; first < lines.size(); first += kLinesPerBlock) {
            const std::size_t end = std::min(lines.size(), first + kLinesPerBlock);
            page.append("<div class=\"k\" style=\"--r:");
            appendNumber(page, qsizetype(end - first));
            page.append("\"><table class=\"t\">\n");
            for (std::size_t at = first; at < end; ++at) {
                const ExportContent::Entry entry = content.entry(disc, lines[at]);
                page.append("<tr><td>");
                appendEscaped(page, entry.folder);
                page.append("<td>");
                appendEscaped(page, entry.file);
                // Closed, so that the line break is no part of the name.
                page.append("</tr>\n");
                if (!buffer.lineDone())
                    return buffer.result();
            }
            page.append("</table></div>\n");
        }
        page.append("</section>\n");
    }
    page.append(kScript);
    page.append("</body>\n</html>\n");
    return buffer.finish();
}

} // namespace kobrix
