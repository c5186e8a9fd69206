#!/usr/bin/env python3
"""Writes the docx bench inputs into a folder:
  amp.docx / amp.txt   the licence texts of /usr/share/common-licenses repeated to about
                       7.5 MB of text, one paragraph of one text run per line, with "&"
                       after 30 % of the words (written as &amp;); amp.txt is the same text
                       as lines.
  runs.docx            the same text cut into text runs of 1 to 40 characters, with
                       xml:space on half of them, line breaks and tabs between runs,
                       entities, accents, quotes and characters outside the BMP.
  single.docx          the whole text in a single text run.
Usage: make_docx.py FOLDER [MEGABYTES]"""
import glob
import os
import random
import sys
import zipfile

HEAD = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
        '<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">'
        '<w:body>')
TAIL = '</w:body></w:document>'
TYPES = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org'
         '/package/2006/content-types"><Default Extension="xml" ContentType="application/xml"/>'
         '</Types>')


def escape(text):
    return (text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')
            .replace('"', '&quot;'))


def write_docx(path, xml):
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as archive:
        archive.writestr('[Content_Types].xml', TYPES)
        archive.writestr('word/document.xml', xml)


def main():
    folder = sys.argv[1]
    megabytes = float(sys.argv[2]) if len(sys.argv) > 2 else 7.5
    rng = random.Random(16)
    source = []
    for name in sorted(glob.glob('/usr/share/common-licenses/*')):
        if os.path.isfile(name):
            with open(name, encoding='utf-8', errors='replace') as f:
                source += [line.strip() for line in f if line.strip()]
    lines = []
    size = 0
    while size < megabytes * 1e6:
        for line in source:
            words = []
            for word in line.split():
                words.append(word)
                if rng.random() < 0.3:
                    words.append('&')
            text = ' '.join(words)
            lines.append(text)
            size += len(text.encode()) + 1
            if size >= megabytes * 1e6:
                break
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'amp.txt'), 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')
    body = ''.join('<w:p><w:r><w:t xml:space="preserve">' + escape(t) + '</w:t></w:r></w:p>'
                   for t in lines)
    write_docx(os.path.join(folder, 'amp.docx'), HEAD + body + TAIL)

    extras = ['é', 'ü', 'ñ', '“', '”', '’', '—', '\U0001F600', '\U00010348', '&', '<', '>']
    # A third of the text, so that the document stays under the maximum size.
    text = ' '.join(lines)
    text = text[:len(text) // 3]
    parts = []
    i = 0
    while i < len(text):
        n = rng.randint(1, 40)
        piece = text[i:i + n]
        i += n
        if rng.random() < 0.1:
            piece += rng.choice(extras)
        space = ' xml:space="preserve"' if rng.random() < 0.5 else ''
        parts.append('<w:r><w:t' + space + '>' + escape(piece) + '</w:t></w:r>')
        r = rng.random()
        if r < 0.05:
            parts.append('<w:r><w:br/></w:r>')
        elif r < 0.1:
            parts.append('<w:r><w:tab/></w:r>')
        elif r < 0.15:
            parts.append('</w:p><w:p>')
    write_docx(os.path.join(folder, 'runs.docx'), HEAD + '<w:p>' + ''.join(parts) + '</w:p>' + TAIL)
    single = '<w:p><w:r><w:t>' + escape(' '.join(lines)) + '</w:t></w:r></w:p>'
    write_docx(os.path.join(folder, 'single.docx'), HEAD + single + TAIL)


main()
