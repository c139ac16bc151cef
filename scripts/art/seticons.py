import sys
sys.path.insert(0, __import__('os').path.dirname(__file__))
from raster import *

KINDS = {
    # name: floppy body, badge colour, badge sign
    'set-mdb':   ('#2f6fd6', '#1f9a45', 'check'),
    'set-style': ('#2f6fd6', '#ef8412', 'note'),
    'set-other': ('#8b94a5', '#5f6779', 'bar'),
}

def icon32(body, badge, sign):
    s = []
    s.append(poly([(1, 2), (23, 2), (27, 6), (27, 28), (1, 28)], '#1d2330'))    # outline
    s.append(poly([(2, 3), (22.6, 3), (26, 6.4), (26, 27), (2, 27)], body))
    s.append(rect(8, 3, 12, 9, '#d6dbe3'))
    s.append(rect(15, 5, 3, 5, '#2a2f3a'))
    s.append(rect(6, 15, 16, 12, '#fbfbf8'))
    s.append(rect(8, 18, 10, 1.5, '#b9c0cc'))
    s.append(rect(8, 21.5, 8, 1.5, '#b9c0cc'))
    cx, cy = 23.5, 23.5
    s.append(circle(cx, cy, 8.5, '#ffffff'))
    s.append(circle(cx, cy, 7.2, badge))
    s += sign_shapes(sign, cx, cy, 1.0)
    return s

def icon16(body, badge, sign):
    s = []
    s.append(poly([(0, 1), (12, 1), (14, 3), (14, 15), (0, 15)], '#1d2330'))
    s.append(poly([(1, 2), (11.6, 2), (13, 3.4), (13, 14), (1, 14)], body))
    s.append(rect(4, 2, 6, 4, '#d6dbe3'))
    s.append(rect(7, 3, 2, 2, '#2a2f3a'))
    s.append(rect(3, 8, 8, 6, '#fbfbf8'))
    cx, cy = 11.5, 11.5
    s.append(circle(cx, cy, 4.6, '#ffffff'))
    s.append(circle(cx, cy, 3.8, badge))
    s += sign_shapes(sign, cx, cy, 0.52)
    return s

def sign_shapes(sign, cx, cy, k):
    w = '#ffffff'
    if sign == 'check':
        lw = 2.0 if k == 1 else 1.3
        return [line(cx - 4 * k, cy + 0.2 * k, cx - 1.2 * k, cy + 3 * k, lw, w),
                line(cx - 1.9 * k, cy + 3 * k, cx + 4 * k, cy - 3.2 * k, lw, w)]
    if sign == 'note':
        if k == 1:
            return [circle(cx - 1.5, cy + 2.3, 2.3, w), rect(cx - 0.1, cy - 4.5, 1.8, 7, w),
                    poly([(cx + 1.7, cy - 4.5), (cx + 4.2, cy - 2.6), (cx + 4.2, cy - 1.0), (cx + 1.7, cy - 2.6)], w)]
        return [rect(9, 12, 2, 2, w), rect(11, 9, 1, 5, w), rect(12, 9, 1, 1, w), rect(12, 10, 1, 1, '#ffffffaa')]
    # bar
    if k == 1:
        return [rect(cx - 4, cy - 1, 8, 2, w)]
    return [rect(9, 11, 5, 1, w)]

if __name__ == '__main__':
    out = sys.argv[1]
    for name, (body, badge, sign) in KINDS.items():
        write_png('%s/%s.png' % (out, name), render(icon16(body, badge, sign), 16, 1.0, ss=8), 16)
        write_png('%s/%s@2x.png' % (out, name), render(icon32(body, badge, sign), 32, 1.0, ss=8), 32)
