#!/usr/bin/env python3
"""Writes the import corpus as the teachers' programs write it: the workbooks
through openpyxl (Debian python3-openpyxl) and odfpy (python3-odf), and a
Moodle XML bank in the form of Moodle's export, with a picture inside.
Run it from this folder to make the files again; the tests read them."""
import base64
import struct
import zlib


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


if __name__ == "__main__":
    moodle()
