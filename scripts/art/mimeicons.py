"""File-type icons for the file manager: a sheet of paper with the app icon's
floppy on it for an MDB backup file, and with a stack of entry cards for an MDB
archive. Named after the MIME types in res/tessaro-mime.xml.

    python3 scripts/art/mimeicons.py res/icons/mime
"""
import sys
sys.path.insert(0, __import__('os').path.dirname(__file__))
from raster import *
from appicon import floppy

PAPER, EDGE, FOLD = '#fbfbf8', '#8b94a5', '#d6dbe3'

def sheet():
    # A portrait page with a folded top-right corner, centred on 256 units.
    x0, y0, x1, y1, c = 40, 12, 216, 244, 44
    return [
        poly([(x0 + 4, y0 + 6), (x1 - c + 4, y0 + 6), (x1 + 4, y0 + c + 6), (x1 + 4, y1 + 6), (x0 + 4, y1 + 6)], '#0000003d'),
        poly([(x0, y0), (x1 - c, y0), (x1, y0 + c), (x1, y1), (x0, y1)], EDGE),
        poly([(x0 + 5, y0 + 5), (x1 - c - 2, y0 + 5), (x1 - 5, y0 + c + 2), (x1 - 5, y1 - 5), (x0 + 5, y1 - 5)], PAPER),
        poly([(x1 - c, y0), (x1 - c, y0 + c), (x1, y0 + c)], FOLD),
    ]

def mdb():
    return sheet() + floppy(66, 70, 124, '#2f6fd6', shadow=False)

def archive():
    s = sheet()
    # Three entry cards, each offset, the front one with two lines of text.
    for i, colour in enumerate(['#f3c16b', '#f0a830', '#e08a12']):
        x, y = 66 + i * 12, 78 + i * 34
        s.append(rect(x, y, 100, 88, '#1d233055', rx=8))
        s.append(rect(x + 2, y + 2, 96, 84, colour, rx=7))
    s.append(rect(104, 166, 60, 9, '#fbfbf8'))
    s.append(rect(104, 184, 44, 9, '#fbfbf8'))
    return s

ICONS = {
    'application-x-psr9000-mdb': (mdb, 'MDB backup file'),
    'application-x-psr9000-mdb-archive': (archive, 'MDB archive'),
}

if __name__ == '__main__':
    out = sys.argv[1]
    for name, (shapes_of, title) in ICONS.items():
        shapes = shapes_of()
        open('%s/%s.svg' % (out, name), 'w').write(svg(shapes, 256, title))
        write_png('%s/%s-48.png' % (out, name), render(shapes, 48, 48 / 256.0, ss=8), 48)
