"""Tiny supersampling rasteriser: shapes -> RGBA PNG, and the same shapes -> SVG."""
import math, struct, zlib

def hexcol(c):
    c = c.lstrip('#')
    a = 255
    if len(c) == 8:
        a = int(c[6:8], 16)
    return (int(c[0:2], 16), int(c[2:4], 16), int(c[4:6], 16), a)

# Shapes: dicts with kind in rect (x,y,w,h,rx), circle (cx,cy,r), poly (pts), and fill colour.
def rect(x, y, w, h, fill, rx=0):
    return dict(kind='rect', x=x, y=y, w=w, h=h, rx=rx, fill=fill)

def circle(cx, cy, r, fill):
    return dict(kind='circle', cx=cx, cy=cy, r=r, fill=fill)

def poly(pts, fill):
    return dict(kind='poly', pts=pts, fill=fill)

def line(x0, y0, x1, y1, width, fill):
    # a line as a quadrilateral (butt caps)
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy) or 1.0
    ox, oy = -dy / n * width / 2, dx / n * width / 2
    return poly([(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy), (x0 - ox, y0 - oy)], fill)

def bbox(s):
    k = s['kind']
    if k == 'rect':
        return s['x'], s['y'], s['x'] + s['w'], s['y'] + s['h']
    if k == 'circle':
        return s['cx'] - s['r'], s['cy'] - s['r'], s['cx'] + s['r'], s['cy'] + s['r']
    xs = [p[0] for p in s['pts']]; ys = [p[1] for p in s['pts']]
    return min(xs), min(ys), max(xs), max(ys)

def inside(s, x, y):
    k = s['kind']
    if k == 'rect':
        x0, y0, w, h, r = s['x'], s['y'], s['w'], s['h'], s['rx']
        if not (x0 <= x < x0 + w and y0 <= y < y0 + h):
            return False
        if r <= 0:
            return True
        cx = min(max(x, x0 + r), x0 + w - r)
        cy = min(max(y, y0 + r), y0 + h - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if k == 'circle':
        return (x - s['cx']) ** 2 + (y - s['cy']) ** 2 <= s['r'] ** 2
    pts = s['pts']; c = False; j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]; xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            c = not c
        j = i
    return c

def render(shapes, size, scale, ss=6):
    """Renders shapes given in design units; pixel = design * scale."""
    buf = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]  # premultiplied
    offs = [(i + 0.5) / ss for i in range(ss)]
    for s in shapes:
        r, g, b, a = hexcol(s['fill'])
        a /= 255.0
        x0, y0, x1, y1 = bbox(s)
        px0 = max(0, int(math.floor(x0 * scale))); py0 = max(0, int(math.floor(y0 * scale)))
        px1 = min(size, int(math.ceil(x1 * scale))); py1 = min(size, int(math.ceil(y1 * scale)))
        for py in range(py0, py1):
            for px in range(px0, px1):
                hits = 0
                for oy in offs:
                    for ox in offs:
                        if inside(s, (px + ox) / scale, (py + oy) / scale):
                            hits += 1
                if not hits:
                    continue
                cov = a * hits / (ss * ss)
                d = buf[py * size + px]
                d[0] = r * cov + d[0] * (1 - cov)
                d[1] = g * cov + d[1] * (1 - cov)
                d[2] = b * cov + d[2] * (1 - cov)
                d[3] = 255 * cov + d[3] * (1 - cov)
    return buf

def write_png(path, buf, size):
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            r, g, b, a = buf[y * size + x]
            if a > 0:
                f = 255.0 / a
                r, g, b = r * f, g * f, b * f
            raw += bytes(int(max(0, min(255, round(v)))) for v in (r, g, b, a))
    def chunk(t, d):
        c = struct.pack('>I', len(d)) + t + d
        return c + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)

def fmt(v):
    return ('%.2f' % v).rstrip('0').rstrip('.')

def svg(shapes, size, title):
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">' % (size, size, size, size),
           '  <title>%s</title>' % title]
    for s in shapes:
        r, g, b, a = hexcol(s['fill'])
        fill = '#%02x%02x%02x' % (r, g, b)
        op = '' if a == 255 else ' fill-opacity="%s"' % fmt(a / 255.0)
        k = s['kind']
        if k == 'rect':
            rx = ' rx="%s"' % fmt(s['rx']) if s['rx'] else ''
            out.append('  <rect x="%s" y="%s" width="%s" height="%s"%s fill="%s"%s/>' % (
                fmt(s['x']), fmt(s['y']), fmt(s['w']), fmt(s['h']), rx, fill, op))
        elif k == 'circle':
            out.append('  <circle cx="%s" cy="%s" r="%s" fill="%s"%s/>' % (fmt(s['cx']), fmt(s['cy']), fmt(s['r']), fill, op))
        else:
            pts = ' '.join('%s,%s' % (fmt(x), fmt(y)) for x, y in s['pts'])
            out.append('  <polygon points="%s" fill="%s"%s/>' % (pts, fill, op))
    out.append('</svg>')
    return '\n'.join(out) + '\n'
