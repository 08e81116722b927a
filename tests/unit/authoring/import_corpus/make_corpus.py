#!/usr/bin/python3
"""Writes the import corpus as the teachers' programs write it: the workbooks
through openpyxl (Debian python3-openpyxl) and odfpy (python3-odf), and a
Moodle XML bank in the form of Moodle's export, with a picture inside.
Run it from this folder to make the files again; the tests read them."""
import base64
import struct
import zipfile
import zlib

import openpyxl
from odf.opendocument import OpenDocumentSpreadsheet
from odf.office import Annotation
from odf.table import CoveredTableCell, Table, TableCell, TableRow
from odf.text import P, S


def tiny_png():
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(b"\x00\xff\x00\x00")) + chunk(b"IEND", b""))


def moodle():
    picture = base64.b64encode(tiny_png()).decode()
    bank = f"""<?xml version="1.0" encoding="UTF-8"?>
<quiz>
<!-- question: 0  -->
  <question type="category">
    <category>
      <text>$course$/top/Géographie</text>
    </category>
  </question>

<!-- question: 41  -->
  <question type="shortanswer">
    <name>
      <text>Montagne</text>
    </name>
    <questiontext format="html">
      <text><![CDATA[<p dir="ltr">Quel est le plus haut sommet des Alpes&nbsp;?</p><p><img src="@@PLUGINFILE@@/sommet%20alpes.png" alt="" width="1" height="1"></p>]]></text>
      <file name="sommet alpes.png" path="/" encoding="base64">{picture}</file>
    </questiontext>
    <generalfeedback format="html">
      <text><![CDATA[<p>Il culmine à 4&nbsp;805 m.</p>]]></text>
    </generalfeedback>
    <defaultgrade>1.0000000</defaultgrade>
    <penalty>0.3333333</penalty>
    <hidden>0</hidden>
    <idnumber></idnumber>
    <usecase>1</usecase>
    <answer fraction="100" format="moodle_auto_format">
      <text>le Mont Blanc</text>
      <feedback format="html">
        <text>Bravo</text>
      </feedback>
    </answer>
    <answer fraction="100" format="moodle_auto_format">
      <text>Mont-Blanc</text>
      <feedback format="html">
        <text></text>
      </feedback>
    </answer>
    <answer fraction="50" format="moodle_auto_format">
      <text>Blanc</text>
      <feedback format="html">
        <text></text>
      </feedback>
    </answer>
  </question>

<!-- question: 42  -->
  <question type="multichoice">
    <name>
      <text>Fleuve</text>
    </name>
    <questiontext format="html">
      <text>Quel fleuve ?</text>
    </questiontext>
    <answer fraction="100"><text>la Seine</text></answer>
  </question>

<!-- question: 43  -->
  <question type="shortanswer">
    <name>
      <text>Pays</text>
    </name>
    <questiontext format="moodle_auto_format">
      <text>Pays de Rome &amp; de Milan ?</text>
    </questiontext>
    <generalfeedback format="html">
      <text></text>
    </generalfeedback>
    <usecase>1</usecase>
    <answer fraction="100.0000000" format="moodle_auto_format">
      <text>l'Italie</text>
      <feedback format="html">
        <text>&lt;b&gt;Oui&lt;/b&gt;, la botte.</text>
      </feedback>
    </answer>
    <answer fraction="100.0000000" format="moodle_auto_format">
      <text>Italie</text>
    </answer>
  </question>
</quiz>
"""
    with open("banque_moodle.xml", "w", encoding="utf-8") as out:
        out.write(bank)


def excel():
    """A teacher's workbook: shared strings, numbers, an empty row, an
    unknown column, a header merged over two columns of other answers, an
    empty picture column, and a second sheet."""
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Capitales"
    sheet.append(["Question", "Réponse", "Autres réponses acceptées", None, "Image", "Remarque"])
    sheet.merge_cells("C1:D1")
    sheet.append(["Capitale de l'Italie ?", "Rome", "rome | Roma", "la Ville éternelle", None, "facile"])
    sheet.append(["Prise de la Bastille ?", 1789])
    sheet.append([])
    sheet.append(["Pi à deux décimales ?", 3.14, "3.14", None, None, "arrondi"])
    other = book.create_sheet("Brouillon")
    other.append(["Réponse"])
    other.append(["brouillon"])
    book.save("classeur.xlsx")


def excel_shared():
    """Shared strings, as Excel itself writes them (openpyxl writes inline
    ones), with rich runs and a phonetic reading, a cell without its
    reference, a boolean and a formula's text; zipped by zipfile."""
    shared = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
              '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
              '<si><t>Réponse</t></si><si><t>Question</t></si><si><t>Paris</t></si>'
              '<si><r><t>Capitale </t></r><r><rPr><b/></rPr><t>&amp; ville ?</t></r>'
              '<rPh><t>ふりがな</t></rPh></si></sst>')
    sheet = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
             '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
             '<sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>'
             '</row><row r="3"><c r="A3" t="s"><v>2</v></c><c t="s"><v>3</v></c></row>'
             '<row><c r="A4" t="b"><v>1</v></c><c r="B4" t="str"><f>A1</f><v>Vrai ?</v></c>'
             '<c r="C4" t="s"><v>99</v></c></row></sheetData></worksheet>')
    files = {
        "[Content_Types].xml": '<?xml version="1.0"?><Types/>',
        "xl/workbook.xml": '<?xml version="1.0"?><workbook xmlns:r="r"><sheets>'
                           '<sheet name="Feuille 1" sheetId="1" r:id="rId7"/></sheets></workbook>',
        "xl/_rels/workbook.xml.rels": '<?xml version="1.0"?><Relationships>'
                                      '<Relationship Id="rId7" Target="/xl/worksheets/s.xml"/>'
                                      '</Relationships>',
        "xl/sharedStrings.xml": shared,
        "xl/worksheets/s.xml": sheet,
    }
    with zipfile.ZipFile("partage.xlsx", "w", zipfile.ZIP_DEFLATED) as out:
        for name, text in files.items():
            out.writestr(name, text)


def calc():
    """A LibreOffice workbook: a merged header cell, repeated columns and
    rows (a blank row repeated a million times, as Calc writes the rest of
    a sheet), a cell of two paragraphs, spaces, a comment on a cell, and a
    second sheet."""
    document = OpenDocumentSpreadsheet()

    def cell(text=None, **attributes):
        c = TableCell(**attributes)
        if text is not None:
            for paragraph in text.split("\n"):
                c.addElement(P(text=paragraph))
        return c

    first = Table(name="Questions")
    header = TableRow()
    header.addElement(cell("Réponse"))
    header.addElement(cell("Autres réponses", numbercolumnsspanned=2))
    header.addElement(CoveredTableCell())
    header.addElement(cell("Texte"))
    header.addElement(cell(numbercolumnsrepeated=1020))
    first.addElement(header)
    row = TableRow()
    row.addElement(cell("chat"))
    row.addElement(cell("chats"))
    row.addElement(cell("minou"))
    spaced = TableCell()
    paragraph = P(text="Un")
    paragraph.addElement(S(c=3))
    paragraph.addText("animal")
    spaced.addElement(paragraph)
    note = Annotation()
    note.addElement(P(text="commentaire du tableur"))
    spaced.addElement(note)
    row.addElement(spaced)
    first.addElement(row)
    first.addElement(TableRow(numberrowsrepeated=1048570))
    twice = TableRow(numberrowsrepeated=2)
    twice.addElement(cell("chien", numbercolumnsrepeated=1))
    twice.addElement(cell(numbercolumnsrepeated=2))
    twice.addElement(cell("Deux\nlignes"))
    first.addElement(twice)
    document.spreadsheet.addElement(first)

    second = Table(name="Autre")
    row = TableRow()
    row.addElement(cell("Réponse"))
    second.addElement(row)
    row = TableRow()
    row.addElement(cell("autre"))
    second.addElement(row)
    document.spreadsheet.addElement(second)
    document.save("classeur.ods")


def zips():
    """A LibreOffice workbook saved with a password (its manifest says so,
    its content is no XML), and a zip whose member inflates a thousand
    times over, for the caps."""
    with zipfile.ZipFile("protege.ods", "w", zipfile.ZIP_DEFLATED) as out:
        out.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet")
        out.writestr("META-INF/manifest.xml",
                     '<manifest:manifest><manifest:file-entry manifest:full-path="content.xml">'
                     '<manifest:encryption-data manifest:checksum-type="SHA1"/>'
                     '</manifest:file-entry></manifest:manifest>')
        out.writestr("content.xml", bytes(range(256)))
    with zipfile.ZipFile("gonfle.zip", "w", zipfile.ZIP_DEFLATED) as out:
        out.writestr("zeros", bytes(2 << 20))
        out.writestr("court", b"abc", compress_type=zipfile.ZIP_STORED)


if __name__ == "__main__":
    zips()
    moodle()
    excel()
    excel_shared()
    calc()
