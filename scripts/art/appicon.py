import sys
sys.path.insert(0, __import__('os').path.dirname(__file__))
from raster import *

BODY = '#2c3140'
def floppy(ox, oy, S, body, shutter='#d3d8e0', label='#fbfbf8', ink='#2f6fd6', shadow=True):
    k = S / 120.0
    P = lambda x, y: (ox + x * k, oy + y * k)
    out = []
    chamfer = [(0, 0), (S / k - 16, 0), (S / k, 16), (S / k, S / k), (0, S / k)]
    if shadow:
        out.append(poly([(ox + x * k + 5, oy + y * k + 7) for x, y in chamfer], '#0000004d'))
    out.append(poly([P(x, y) for x, y in chamfer], body))
    out.append(rect(*P(30, 0), 58 * k, 44 * k, shutter))
    out.append(rect(*P(66, 8), 12 * k, 28 * k, '#2a2f3a', rx=2 * k))
    out.append(rect(*P(14, 58), 92 * k, 56 * k, label, rx=4 * k))
    # beamed eighth notes on the label
    out.append(circle(*P(42, 100), 7.5 * k, ink))
    out.append(circle(*P(76, 95), 7.5 * k, ink))
    out.append(rect(*P(46.5, 69), 4 * k, 31 * k, ink))
    out.append(rect(*P(80.5, 64), 4 * k, 31 * k, ink))
    out.append(poly([P(46.5, 68), P(84.5, 62), P(84.5, 71), P(46.5, 77)], ink))
    return out

def keyboard():
    out = []
    out.append(rect(8, 106, 240, 134, '#00000033', rx=18))          # soft shadow
    out.append(rect(10, 102, 236, 132, '#5a6478', rx=16))           # rim, visible on dark panels
    out.append(rect(13, 105, 230, 126, BODY, rx=13.5))
    out.append(rect(26, 114, 70, 24, '#67d4bf', rx=4))               # display
    out.append(rect(33, 120, 40, 4, '#2c3140aa'))
    out.append(rect(33, 128, 52, 4, '#2c3140aa'))
    for i, c in enumerate(['#f0a830', '#e4574a', '#8d97ab']):
        out.append(circle(110 + i * 15, 126, 5.5, c))
    x0, x1, y0, h = 20, 236, 148, 76
    n = 10
    w = (x1 - x0) / n
    for i in range(n):
        out.append(rect(x0 + i * w + 1, y0, w - 2, h, '#f6f6f1', rx=3))
        out.append(rect(x0 + i * w + 1, y0 + h - 8, w - 2, 8, '#d6d9e0', rx=3))
    for i in [0, 1, 3, 4, 5, 7, 8]:
        cx = x0 + (i + 1) * w
        out.append(rect(cx - 7, y0, 14, 46, '#15171d', rx=2))
        out.append(rect(cx - 5, y0 + 36, 10, 6, '#3b404e', rx=1.5))
    return out

def shapes():
    s = keyboard()
    s += floppy(124, 4, 118, '#2f6fd6')
    return s

if __name__ == '__main__':
    out = sys.argv[1]
    sh = shapes()
    open(out + '/tessaro.svg', 'w').write(svg(sh, 256, 'Tessaro'))
    for size in (256, 48):
        write_png(out + '/tessaro-%d.png' % size, render(sh, size, size / 256.0, ss=4 if size == 256 else 8), size)
