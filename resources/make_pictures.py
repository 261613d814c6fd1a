#!/usr/bin/env python3
"""Draws the program's pictures as SVG files and lists them in pictures.qrc.

Run from anywhere with any Python 3 (standard library only):

    python3 resources/make_pictures.py

It rewrites resources/pictures/*.svg and resources/pictures.qrc. The formula
pictures are typeset here with DejaVu Sans advance widths, so fractions, roots,
exponents and indices line up without a text-layout engine in the viewer: every
run of text becomes its own <text> element at a computed position, which Qt's
SVG renderer and librsvg draw alike. Formula pictures are black on a
transparent ground; the icons, schemes and window pictures carry their own
colours.

The program reads three of them as JPEG files (the designations scheme, the
About background and the splash): after changing one of those, run
resources/render_jpegs.sh and commit the JPEG files it writes to resources/jpeg/.
"""

import html
import re
import math
import os
import sys
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, "pictures")
FONT_FAMILY = "DejaVu Sans, sans-serif"

# Advance widths of DejaVu Sans and DejaVu Sans Bold, in font units (2048 per em),
# keyed by code point in hex. Only the characters the pictures use need to be here.
_REGULAR_ADVANCES = """
20:651 21:821 22:942 23:1716 24:1303 25:1946 26:1597 27:563 28:799 29:799 2a:1024 2b:1716
2c:651 2d:739 2e:651 2f:690 30:1303 31:1303 32:1303 33:1303 34:1303 35:1303 36:1303 37:1303
38:1303 39:1303 3a:690 3b:690 3c:1716 3d:1716 3e:1716 3f:1087 40:2048 41:1401 42:1405
43:1430 44:1577 45:1294 46:1178 47:1587 48:1540 49:604 4a:604 4b:1343 4c:1141 4d:1767
4e:1532 4f:1612 50:1235 51:1612 52:1423 53:1300 54:1251 55:1499 56:1401 57:2025 58:1403
59:1251 5a:1403 5b:799 5c:690 5d:799 5e:1716 5f:1024 60:1024 61:1255 62:1300 63:1126 64:1300
65:1260 66:721 67:1300 68:1298 69:569 6a:569 6b:1186 6c:569 6d:1995 6e:1298 6f:1253 70:1300
71:1300 72:842 73:1067 74:803 75:1298 76:1212 77:1675 78:1212 79:1212 7a:1075 7b:1303 7c:690
7d:1303 7e:1716 401:1294 451:1260 410:1401 411:1405 412:1405 413:1249 414:1600 415:1294
416:2206 417:1313 418:1532 419:1532 41a:1454 41b:1540 41c:1767 41d:1540 41e:1612 41f:1540
420:1235 421:1430 422:1251 423:1248 424:1763 425:1403 426:1590 427:1404 428:2190 429:2240
42a:1705 42b:1807 42c:1405 42d:1430 42e:2211 42f:1423 430:1255 431:1263 432:1207 433:1076
434:1416 435:1260 436:1845 437:1089 438:1331 439:1331 43a:1237 43b:1309 43c:1545 43d:1339
43e:1253 43f:1339 440:1300 441:1126 442:1193 443:1212 444:1751 445:1212 446:1394 447:1210
448:1874 449:1929 44a:1447 44b:1617 44c:1207 44d:1124 44e:1724 44f:1232 391:1401 392:1405
393:1141 394:1401 395:1294 396:1403 397:1540 398:1612 399:604 39a:1343 39b:1401 39c:1767
39d:1532 39e:1294 39f:1612 3a0:1540 3a1:1235 3a3:1294 3a4:1251 3a5:1251 3a6:1612 3a7:1403
3a8:1612 3a9:1565 3aa:604 3ab:1251 3ac:1350 3ad:1107 3ae:1298 3af:693 3b0:1185 3b1:1350
3b2:1307 3b3:1212 3b4:1253 3b5:1107 3b6:1114 3b7:1298 3b8:1253 3b9:693 3ba:1207 3bb:1212
3bc:1303 3bd:1144 3be:1142 3bf:1253 3c0:1233 3c1:1300 3c2:1202 3c3:1298 3c4:1233 3c5:1185
3c6:1351 3c7:1183 3c8:1351 3c9:1715 b7:651 2212:1716 d7:1716 221a:1305 b2:821 b3:821
2070:821 b9:821 2074:821 2075:821 2076:821 2077:821 2078:821 2079:821 2026:2048 2013:1024
2014:2048 2022:1208 2264:1716 2265:1716 b0:1024 2248:1716 2219:1282 2032:465
"""
_BOLD_ADVANCES = """
20:713 21:934 22:1067 23:1716 24:1425 25:2052 26:1786 27:627 28:936 29:936 2a:1071 2b:1716
2c:778 2d:850 2e:778 2f:748 30:1425 31:1425 32:1425 33:1425 34:1425 35:1425 36:1425 37:1425
38:1425 39:1425 3a:819 3b:819 3c:1716 3d:1716 3e:1716 3f:1188 40:2048 41:1585 42:1561
43:1503 44:1700 45:1399 46:1399 47:1681 48:1714 49:762 4a:762 4b:1587 4c:1305 4d:2038
4e:1714 4f:1741 50:1501 51:1741 52:1577 53:1475 54:1397 55:1663 56:1585 57:2259 58:1579
59:1483 5a:1485 5b:936 5c:748 5d:936 5e:1716 5f:1024 60:1024 61:1382 62:1466 63:1214 64:1466
65:1389 66:891 67:1466 68:1458 69:702 6a:702 6b:1362 6c:702 6d:2134 6e:1458 6f:1407 70:1466
71:1466 72:1010 73:1219 74:979 75:1458 76:1335 77:1892 78:1321 79:1335 7a:1192 7b:1458
7c:748 7d:1458 7e:1716 401:1399 451:1389 410:1585 411:1561 412:1561 413:1305 414:1824
415:1399 416:2507 417:1455 418:1714 419:1714 41a:1674 41b:1701 41c:2038 41d:1714 41e:1741
41f:1714 420:1501 421:1503 422:1397 423:1579 424:2031 425:1579 426:1900 427:1655 428:2530
429:2715 42a:1924 42b:2122 42c:1561 42d:1503 42e:2404 42f:1577 430:1382 431:1430 432:1296
433:1070 434:1654 435:1389 436:2038 437:1190 438:1435 439:1435 43a:1390 43b:1500 43c:1674
43d:1415 43e:1407 43f:1415 440:1466 441:1214 442:1187 443:1335 444:2032 445:1321 446:1518
447:1406 448:2175 449:2264 44a:1539 44b:1852 44c:1295 44d:1214 44e:1991 44f:1315 391:1585
392:1561 393:1305 394:1585 395:1399 396:1485 397:1714 398:1741 399:762 39a:1587 39b:1585
39c:2038 39d:1714 39e:1294 39f:1741 3a0:1714 3a1:1501 3a3:1399 3a4:1397 3a5:1483 3a6:1741
3a7:1579 3a8:1740 3a9:1741 3aa:762 3ab:1483 3ac:1407 3ad:1140 3ae:1458 3af:798 3b0:1383
3b1:1407 3b2:1466 3b3:1395 3b4:1407 3b5:1140 3b6:1210 3b7:1458 3b8:1407 3b9:798 3ba:1455
3bb:1296 3bc:1507 3bd:1395 3be:1210 3bf:1407 3c0:1620 3c1:1466 3c2:1214 3c3:1595 3c4:1307
3c5:1383 3c6:1602 3c7:1321 3c8:1626 3c9:1780 b7:778 2212:1716 d7:1716 221a:1366 b2:897
b3:897 2070:897 b9:897 2074:897 2075:897 2076:897 2077:897 2078:897 2079:897 2026:2048
2013:1024 2014:2048 2022:1309 2264:1716 2265:1716 b0:1024 2248:1716 2219:778 2032:540
"""


def _parse_advances(table):
    advances = {}
    for item in table.split():
        code, width = item.split(":")
        advances[chr(int(code, 16))] = int(width) / 2048.0
    return advances


ADVANCES = {False: _parse_advances(_REGULAR_ADVANCES), True: _parse_advances(_BOLD_ADVANCES)}


def text_width(text, size, bold=False):
    table = ADVANCES[bold]
    missing = [ch for ch in text if ch not in table]
    if missing:
        raise SystemExit("no advance width for %r" % missing[0])
    return sum(table[ch] for ch in text) * size


def fmt(value):
    """A coordinate as short as it can be written."""
    text = "%.2f" % value
    text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


# ---------------------------------------------------------------------------
# Formula layout. A node lays itself out at a font size and returns a Box: its
# width, its height above and below the baseline, and the marks to draw, in
# pixels relative to the left end of its baseline (y grows downwards).

ASCENT = 0.76  # capitals, digits and parentheses reach about this high, in em
DESCENT = 0.21  # descenders of g, p, φ and the parentheses
AXIS = 0.313  # height of the minus sign's bar: fraction bars sit here
SCRIPT = 0.7  # size of indices and exponents against their base


class Box:
    def __init__(self, width, ascent, descent, items=()):
        self.width = width
        self.ascent = ascent
        self.descent = descent
        self.items = list(items)

    def moved(self, dx, dy):
        return [_move(item, dx, dy) for item in self.items]


def _move(item, dx, dy):
    kind = item[0]
    if kind == "text":
        _, x, y, text, size, bold = item
        return ("text", x + dx, y + dy, text, size, bold)
    if kind == "rect":
        _, x, y, w, h = item
        return ("rect", x + dx, y + dy, w, h)
    _, commands, stroke = item
    return ("path", [(op, [c + (dx if i % 2 == 0 else dy) for i, c in enumerate(coords)])
                     for op, coords in commands], stroke)


class Text:
    def __init__(self, text, bold=False):
        self.text = text
        self.bold = bold

    def layout(self, size):
        return Box(text_width(self.text, size, self.bold), ASCENT * size, DESCENT * size,
                   [("text", 0.0, 0.0, self.text, size, self.bold)])


class Row:
    def __init__(self, *children):
        self.children = children

    def layout(self, size):
        x, ascent, descent, items = 0.0, 0.0, 0.0, []
        for child in self.children:
            box = child.layout(size)
            items += box.moved(x, 0.0)
            x += box.width
            ascent = max(ascent, box.ascent)
            descent = max(descent, box.descent)
        return Box(x, ascent, descent, items)


class Space:
    def __init__(self, em):
        self.em = em

    def layout(self, size):
        return Box(self.em * size, 0.0, 0.0)


class Scaled:
    def __init__(self, child, factor):
        self.child = child
        self.factor = factor

    def layout(self, size):
        return self.child.layout(size * self.factor)


class Scripts:
    """A base with an index below and/or an exponent above, both after it."""

    def __init__(self, base, sub=None, sup=None):
        self.base = base
        self.sub = sub
        self.sup = sup

    def layout(self, size):
        base = self.base.layout(size)
        width, ascent, descent, items = base.width, base.ascent, base.descent, list(base.items)
        if self.sup is not None:
            sup = self.sup.layout(size * SCRIPT)
            shift = max(0.42 * size, base.ascent - 0.42 * size)
            x = base.width + 0.03 * size
            items += sup.moved(x, -shift)
            ascent = max(ascent, shift + sup.ascent)
            width = max(width, x + sup.width)
        if self.sub is not None:
            sub = self.sub.layout(size * SCRIPT)
            shift = max(0.2 * size, base.descent - 0.3 * size)
            items += sub.moved(base.width, shift)
            descent = max(descent, shift + sub.descent)
            width = max(width, base.width + sub.width)
        return Box(width + 0.04 * size, ascent, descent, items)


class Frac:
    """A numerator over a denominator with a bar between them."""

    def __init__(self, numerator, denominator):
        self.numerator = numerator
        self.denominator = denominator

    def layout(self, size):
        num = self.numerator.layout(size)
        den = self.denominator.layout(size)
        pad, gap = 0.16 * size, 0.06 * size
        bar = max(0.06 * size, 0.8)
        width = max(num.width, den.width) + 2 * pad
        bar_y = -AXIS * size
        num_y = bar_y - bar / 2 - gap - num.descent
        den_y = bar_y + bar / 2 + gap + den.ascent
        items = num.moved((width - num.width) / 2, num_y) + den.moved((width - den.width) / 2, den_y)
        items.append(("rect", pad * 0.5, bar_y - bar / 2, width - pad, bar))
        return Box(width, num.ascent - num_y, den_y + den.descent, items)


class Paren:
    """Parentheses around a child, drawn as curves when the child is taller than a line."""

    def __init__(self, child):
        self.child = child

    def layout(self, size):
        inner = self.child.layout(size)
        if inner.ascent + inner.descent <= (ASCENT + DESCENT) * size * 1.05:
            return Row(Text("("), self.child, Text(")")).layout(size)
        top = -inner.ascent - 0.04 * size
        bottom = inner.descent + 0.04 * size
        height = bottom - top
        pw, stroke = 0.38 * size, max(0.075 * size, 0.8)
        left_x = pw - 0.08 * size
        right_x = pw + inner.width + 0.08 * size
        bulge = 0.2 * size
        left = [("M", [left_x, top]),
                ("C", [left_x - bulge, top + height * 0.28, left_x - bulge, bottom - height * 0.28,
                       left_x, bottom])]
        right = [("M", [right_x, top]),
                 ("C", [right_x + bulge, top + height * 0.28, right_x + bulge, bottom - height * 0.28,
                        right_x, bottom])]
        items = inner.moved(pw, 0.0) + [("path", left, stroke), ("path", right, stroke)]
        return Box(2 * pw + inner.width, -top + stroke, bottom + stroke, items)


class Sqrt:
    """A radical sign with its bar over the child."""

    def __init__(self, child):
        self.child = child

    def layout(self, size):
        inner = self.child.layout(size)
        stroke = max(0.065 * size, 0.8)
        top = -inner.ascent - 0.08 * size
        bottom = inner.descent
        tick = -AXIS * size
        start = 0.66 * size
        end = start + inner.width + 0.06 * size
        sign = [("M", [0.04 * size, tick + 0.07 * size]), ("L", [0.16 * size, tick]),
                ("L", [0.34 * size, bottom]), ("L", [0.58 * size, top]), ("L", [end, top])]
        items = inner.moved(start, 0.0) + [("path", sign, stroke)]
        return Box(end + 0.08 * size, -top + stroke, bottom + stroke / 2, items)


class Stack:
    """Lines one under another, left-aligned; the box's baseline is its top edge."""

    def __init__(self, *lines, gap=0.25):
        self.lines = lines
        self.gap = gap

    def layout(self, size):
        y, width, items = 0.0, 0.0, []
        for index, line in enumerate(self.lines):
            box = line.layout(size)
            if index:
                y += self.gap * size
            y += box.ascent
            items += box.moved(0.0, y)
            y += box.descent
            width = max(width, box.width)
        return Box(width, 0.0, y, items)


def M(source, bold=False):
    """Parses a line of formula text: x_i is an index, x^e an exponent, {..} groups."""
    node, end = _parse(source, 0, None, bold)
    if end != len(source):
        raise SystemExit("unbalanced braces in %r" % source)
    return node


def _parse(source, index, closing, bold):
    parts, buffer = [], ""
    while index < len(source):
        ch = source[index]
        if ch == closing:
            index += 1
            break
        if ch in "_^":
            if not buffer:
                raise SystemExit("a script without a base in %r" % source)
            if buffer[:-1]:
                parts.append(Text(buffer[:-1], bold))
            base, buffer = Text(buffer[-1], bold), ""
            scripts = {}
            while index < len(source) and source[index] in "_^":
                mark = source[index]
                index += 1
                if source[index] == "{":
                    group, index = _parse(source, index + 1, "}", bold)
                else:
                    group, index = Text(source[index], bold), index + 1
                scripts[mark] = group
            parts.append(Scripts(base, scripts.get("_"), scripts.get("^")))
            continue
        buffer += ch
        index += 1
    if buffer:
        parts.append(Text(buffer, bold))
    return (parts[0] if len(parts) == 1 else Row(*parts)), index


def render_box(box, x0, y0, colour="#000000"):
    """SVG elements for a laid-out box whose baseline starts at (x0, y0)."""
    out = []
    for item in box.moved(x0, y0):
        kind = item[0]
        if kind == "text":
            _, x, y, text, size, bold = item
            # Each run of words is placed on its own: SVG viewers collapse and
            # trim blanks, while the layout counted every one of them.
            for match in re.finditer(r"\S+(?: \S+)*", text):
                left = x + text_width(text[:match.start()], size, bold)
                weight = ' font-weight="bold"' if bold else ""
                out.append('<text x="%s" y="%s" font-size="%s"%s>%s</text>'
                           % (fmt(left), fmt(y), fmt(size), weight, html.escape(match.group(0))))
        elif kind == "rect":
            _, x, y, w, h = item
            out.append('<rect x="%s" y="%s" width="%s" height="%s"/>' % (fmt(x), fmt(y), fmt(w), fmt(h)))
        else:
            _, commands, stroke = item
            d = " ".join(op + " " + " ".join(fmt(c) for c in coords) for op, coords in commands)
            out.append('<path d="%s" fill="none" stroke="%s" stroke-width="%s" '
                       'stroke-linecap="round" stroke-linejoin="round"/>' % (d, colour, fmt(stroke)))
    return ('<g font-family="%s" fill="%s">\n%s\n</g>' % (FONT_FAMILY, colour, "\n".join(out)))


def math_label(x, y, source, size, colour="#000000", anchor="start", bold=False):
    """A short label with indices, its baseline at y; anchor places x at its start, middle or end."""
    box = M(source, bold).layout(size)
    if anchor == "middle":
        x -= box.width / 2
    elif anchor == "end":
        x -= box.width
    return render_box(box, x, y, colour)


# ---------------------------------------------------------------------------
# Documents.

def svg_document(width, height, title, body):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="%d" height="%d" '
            'viewBox="0 0 %d %d">\n<title>%s</title>\n%s\n</svg>\n'
            % (width, height, width, height, html.escape(title), body))


# ---------------------------------------------------------------------------
# Formula pictures: black text on a transparent ground. Pictures that share a
# place in the window (the switching ones, the rows of a page) share one font
# size, so that a switch or a row does not jump.

PAD_X, PAD_Y = 4.0, 3.0


class Formula:
    def __init__(self, name, width, height, title, node):
        self.name = name
        self.width = width
        self.height = height
        self.title = title
        self.node = node


def frac(prefix, numerator, denominator, suffix=None):
    parts = [M(prefix), Frac(M(numerator), M(denominator))]
    if suffix:
        parts.append(M(suffix))
    return Row(*parts)


def note(source):
    return Scaled(M(source), 0.85)


FORMULA_GROUPS = [
    # Walter: contact angle (input page) and mean chip thickness (result page), 200 x 100.
    (16.0, [
        Formula("Imagevs_0", 200, 100, "φs := 2·arcsin(ae/Dc)", M("φ_s := 2·arcsin(a_e/D_c)")),
        Formula("Imagevs_1", 200, 100, "φs := 90 + arcsin((ae − Dc/2) / (Dc/2))",
                Row(M("φ_s := 90 + arcsin"), Paren(Frac(M("a_e − D_c/2"), M("D_c/2"))))),
    ]),
    (16.0, [
        Formula("Imagehm_0", 200, 100, "hm := (114.7·fz·sin(κ)·ae/Dc) / φs",
                frac("h_m := ", "114.7·f_z·sin(κ)·a_e/D_c", "φ_s")),
        Formula("Imagehm_1", 200, 100, "hm := fz·√(ae/Dc)", Row(M("h_m := f_z·"), Sqrt(M("a_e/D_c")))),
    ]),
    # Walter: power, removal rate and specific cutting force.
    (14.0, [
        Formula("Image5", 230, 50, "Pmot := ae·ap·vf·kc / (6·10⁷·η)",
                frac("P_{mot} := ", "a_e·a_p·v_f·k_c", "6·10^7·η")),
        Formula("Image6", 150, 40, "Q := ae·ap·vf / 1000", frac("Q := ", "a_e·a_p·v_f", "1000")),
        Formula("Image8", 230, 50, "kc = (1 − 0.01·γ0)·kc1.1 / hm^mc",
                frac("k_c = ", "(1 − 0.01·γ_0)·k_{c1.1}", "h_m^{mc}")),
    ]),
    # Aluminium formula panel: one picture per group, each wide enough that the
    # formulas keep the size of those on the result pages.
    (14.0, [
        Formula("ImageAlSz", 300, 62, "Sz = k1·D^X1·Ks / (t^Y1·B^Z1)",
                frac("S_z = ", "k_1·D^{X1}·K_s", "t^{Y1}·B^{Z1}")),
        Formula("ImageAlV1", 300, 62, "V1 = k2 / (Sz^X2·t^Y2·K^Z2), K = B/D",
                frac("V_1 = ", "k_2", "S_z^{X2}·t^{Y2}·K^{Z2}", ",   K = B/D")),
        Formula("ImageAlV2", 300, 62,
                "V2 = (N·η·K·k3 / (t^X3·Sz^Y3·D^Z3))^m1, K = B/D, N: main-drive power of the machine, kW",
                Stack(Row(M("V_2 = "), Scripts(Paren(Frac(M("N·η·K·k_3"), M("t^{X3}·S_z^{Y3}·D^{Z3}"))),
                                               sup=M("m1")), M(",   K = B/D")),
                      note("N – мощность главного привода станка, кВт"), gap=0.1)),
        Formula("Image17", 300, 62, "P := k4·t^X4·fz^Y4·D^Z4 / n^m2",
                frac("P := ", "k_4·t^{X4}·f_z^{Y4}·D^{Z4}", "n^{m2}")),
    ]),
    # Aluminium result page.
    (14.0, [
        Formula("ImageAln", 150, 40, "n = V·1000/(D·π)", frac("n = ", "V·1000", "D·π")),
        Formula("ImageAlV", 150, 40, "V = min(V1, V2)", M("V = min(V_1, V_2)")),
        Formula("ImageAlF", 150, 40, "F = fz·Z·n", M("F = f_z·Z·n")),
        Formula("Image18", 150, 40, "M := P·D / 2000", frac("M := ", "P·D", "2000")),
        Formula("Image19", 150, 40, "Nct := P·V / (1020·60)", frac("N_{ct} := ", "P·V", "1020·60")),
    ]),
    # Titanium: the speed of each alloy, shown by the alloy list.
    (14.0, [
        Formula("ImageTiVbase_0", 230, 50, "ВТ20: V = 17.9·D^0.15 / (T^0.11·t^0.19·fz^0.45·B^0.12)",
                frac("V = ", "17.9·D^{0.15}", "T^{0.11}·t^{0.19}·f_z^{0.45}·B^{0.12}")),
        Formula("ImageTiVbase_1", 230, 50,
                "ВТ22: V = 27·D^0.18·K / (T^0.12·t^0.6·fz^0.58·B^0.29·z^0.1), K := K1·...·K8",
                Stack(frac("V = ", "27·D^{0.18}·K", "T^{0.12}·t^{0.6}·f_z^{0.58}·B^{0.29}·z^{0.1}"),
                      note("K := K_1·...·K_8"), gap=0.05)),
        Formula("ImageTiVbase_2", 230, 50, "ВТ 6ч: V = 0.8·17.9·D^0.15 / (T^0.11·t^0.19·fz^0.45·B^0.12)",
                frac("V = ", "0.8·17.9·D^{0.15}", "T^{0.11}·t^{0.19}·f_z^{0.45}·B^{0.12}")),
    ]),
    # Titanium: the low-rigidity speed of each milling direction.
    (14.0, [
        Formula("ImageTiVsmall_0", 130, 50, "попутное: Vs = 33.55·D^0.26 / (T^0.29·t^0.46·fz^0.53)",
                frac("V_s = ", "33.55·D^{0.26}", "T^{0.29}·t^{0.46}·f_z^{0.53}")),
        Formula("ImageTiVsmall_1", 130, 50, "встречное: Vs = 13·D^0.26 / (T^0.45·t^0.77·fz^0.92)",
                frac("V_s = ", "13·D^{0.26}", "T^{0.45}·t^{0.77}·f_z^{0.92}")),
    ]),
    # Titanium result page.
    (14.0, [
        Formula("Image20", 230, 50, "fz := 0.014·D^0.75·Ks / (t^0.22·B^0.1), Ks := K1·...·K5",
                frac("f_z := ", "0.014·D^{0.75}·K_s", "t^{0.22}·B^{0.1}", ",   K_s := K_1·...·K_5")),
        Formula("Image21", 150, 40, "n := V·1000 / (D·π)", frac("n := ", "V·1000", "D·π")),
        Formula("Image22", 150, 40, "F := fz·z·n", M("F := f_z·z·n")),
        Formula("Image23", 150, 40, "M := P·D / 2000", frac("M := ", "P·D", "2000")),
        Formula("Image24", 150, 40, "Nct := P·V / (1020·60)", frac("N_{ct} := ", "P·V", "1020·60")),
        Formula("Image27", 150, 40, "P := √(Px² + Py²)", Row(M("P := "), Sqrt(M("P_x^2 + P_y^2")))),
    ]),
    # The deflection of the cutter, the same on every result page.
    (14.0, [
        Formula(name, 230, 50, "δ := F·L³ / (3·E·I), I := π·(0.8·D)⁴ / 64",
                Row(frac("δ := ", "F·L^3", "3·E·I"), M(",   I := "), Frac(M("π·(0.8·D)^4"), M("64"))))
        for name in ("ImageStDefl", "ImageAlDefl", "ImageTiDefl")
    ]),
    # The products of powers beside Cx and Cy, with the exponents the force step computes
    # with (the recommendations print fz^0.75·t^0.85 and fz^0.8, which it does not use);
    # hз is the flank-wear criterion hz.
    (14.0, [
        Formula("Image25", 180, 30, "fz^0.755·t^0.5·B^0.65·hз^0.38", M("f_z^{0.755}·t^{0.5}·B^{0.65}·h_з^{0.38}")),
        Formula("Image26", 180, 30, "fz^0.3·t^0.17·B^0.32·hз^0.75", M("f_z^{0.3}·t^{0.17}·B^{0.32}·h_з^{0.75}")),
    ]),
]


def fits(formula, size):
    box = formula.node.layout(size)
    return (box.width <= formula.width - 2 * PAD_X
            and box.ascent + box.descent <= formula.height - 2 * PAD_Y)


def group_size(max_size, formulas):
    size = max_size
    while not all(fits(f, size) for f in formulas):
        size -= 0.25
        if size < 7:
            raise SystemExit("formulas of %s do not fit" % ", ".join(f.name for f in formulas))
    return size


def formula_pictures():
    pictures = {}
    for max_size, formulas in FORMULA_GROUPS:
        size = group_size(max_size, formulas)
        for formula in formulas:
            box = formula.node.layout(size)
            y = (formula.height - (box.ascent + box.descent)) / 2 + box.ascent
            pictures[formula.name] = svg_document(formula.width, formula.height, formula.title,
                                                  render_box(box, PAD_X, y))
    return pictures


# ---------------------------------------------------------------------------
# Drawing helpers for the icons, schemes and window pictures.

CUTTER_FILL, CUTTER_LINE = "#d3e2f4", "#2d5b94"
SHANK_FILL = "#c3cfdd"
HOLDER_FILL, HOLDER_LINE = "#a9b2bd", "#4b5563"
STOCK_FILL, STOCK_LINE = "#cfd4db", "#5f6b7a"
CHIP_FILL, CHIP_LINE = "#f2a03a", "#a85a00"
MOTION = "#c62828"  # feed and speed arrows
DIMENSION = "#1a4d8f"  # dimension lines and their letters
INK = "#1f2933"


def point_on(cx, cy, r, degrees):
    """A point of a circle; angles grow clockwise on screen, 0 to the right."""
    a = math.radians(degrees)
    return cx + r * math.cos(a), cy + r * math.sin(a)


def frange(start, stop, steps):
    """steps + 1 evenly spaced values from start to stop, both included."""
    return [start + (stop - start) * k / steps for k in range(steps + 1)]


def points(pairs):
    return " ".join("%s,%s" % (fmt(x), fmt(y)) for x, y in pairs)


def polygon(pairs, fill, stroke="none", width=1.0, extra=""):
    return '<polygon points="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"%s/>' % (
        points(pairs), fill, stroke, fmt(width), extra)


def line(x1, y1, x2, y2, colour, width=1.0, extra=""):
    return '<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="%s"%s/>' % (
        fmt(x1), fmt(y1), fmt(x2), fmt(y2), colour, fmt(width), extra)


def rect(x, y, w, h, fill, stroke="none", width=1.0, extra=""):
    return '<rect x="%s" y="%s" width="%s" height="%s" fill="%s" stroke="%s" stroke-width="%s"%s/>' % (
        fmt(x), fmt(y), fmt(w), fmt(h), fill, stroke, fmt(width), extra)


def circle(cx, cy, r, fill, stroke="none", width=1.0, extra=""):
    return '<circle cx="%s" cy="%s" r="%s" fill="%s" stroke="%s" stroke-width="%s"%s/>' % (
        fmt(cx), fmt(cy), fmt(r), fill, stroke, fmt(width), extra)


def path(d, fill, stroke="none", width=1.0, extra=""):
    return '<path d="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"%s/>' % (
        d, fill, stroke, fmt(width), extra)


def text(x, y, content, size, colour=INK, anchor="start", bold=False):
    """Plain text placed by its measured width, so no viewer's anchoring is relied on."""
    width = text_width(content, size, bold)
    if anchor == "middle":
        x -= width / 2
    elif anchor == "end":
        x -= width
    weight = ' font-weight="bold"' if bold else ""
    return '<text x="%s" y="%s" font-family="%s" font-size="%s" fill="%s"%s>%s</text>' % (
        fmt(x), fmt(y), FONT_FAMILY, fmt(size), colour, weight, html.escape(content))


def head(x, y, dx, dy, colour, length=6.0, half_width=2.4):
    """A filled arrowhead whose tip is at (x, y), pointing along (dx, dy)."""
    norm = math.hypot(dx, dy)
    ux, uy = dx / norm, dy / norm
    bx, by = x - ux * length, y - uy * length
    return polygon([(x, y), (bx - uy * half_width, by + ux * half_width),
                    (bx + uy * half_width, by - ux * half_width)], colour)


def arrow(x1, y1, x2, y2, colour, width=1.2, length=6.0, half_width=2.4):
    norm = math.hypot(x2 - x1, y2 - y1)
    ex, ey = x2 - (x2 - x1) / norm * length * 0.8, y2 - (y2 - y1) / norm * length * 0.8
    return line(x1, y1, ex, ey, colour, width) + head(x2, y2, x2 - x1, y2 - y1, colour, length, half_width)


def dimension(x1, y1, x2, y2, colour=DIMENSION, width=0.8, length=5.0):
    """A dimension line with an arrowhead at each end."""
    return (line(x1, y1, x2, y2, colour, width)
            + head(x1, y1, x1 - x2, y1 - y2, colour, length, 1.8)
            + head(x2, y2, x2 - x1, y2 - y1, colour, length, 1.8))


def arc_arrow(cx, cy, rx, ry, start, end, colour, width=1.2, length=6.0, half_width=2.4):
    """An arc of an ellipse from angle start to angle end (degrees, clockwise on screen) with a head at its end."""
    def at(degrees):
        a = math.radians(degrees)
        return cx + rx * math.cos(a), cy + ry * math.sin(a)

    sweep = 1 if end > start else 0
    # Stop the stroke a little before the tip so the head covers its end.
    back = math.degrees(length * 0.7 / max(rx, ry)) * (1 if sweep else -1)
    x1, y1 = at(start)
    x2, y2 = at(end - back)
    large = 1 if abs(end - start) > 180 else 0
    d = "M %s %s A %s %s 0 %d %d %s %s" % (fmt(x1), fmt(y1), fmt(rx), fmt(ry), large, sweep, fmt(x2), fmt(y2))
    a = math.radians(end)
    tx, ty = -rx * math.sin(a), ry * math.cos(a)
    if not sweep:
        tx, ty = -tx, -ty
    tip_x, tip_y = at(end)
    return (path(d, "none", colour, width, ' stroke-linecap="round"')
            + head(tip_x, tip_y, tx, ty, colour, length, half_width))


def clip_segment(x1, y1, x2, y2, left, top, right, bottom):
    """The part of a segment inside a rectangle (Liang-Barsky), or None."""
    t0, t1 = 0.0, 1.0
    dx, dy = x2 - x1, y2 - y1
    for p, q in ((-dx, x1 - left), (dx, right - x1), (-dy, y1 - top), (dy, bottom - y1)):
        if p == 0:
            if q < 0:
                return None
            continue
        t = q / p
        if p < 0:
            t0 = max(t0, t)
        else:
            t1 = min(t1, t)
    if t0 > t1:
        return None
    return x1 + t0 * dx, y1 + t0 * dy, x1 + t1 * dx, y1 + t1 * dy


def end_mill_side(x, top, width, length, flute_step=12.0, slope=0.45):
    """The cutting part of an end mill seen from the side: a body with helical flute lines."""
    out = [rect(x, top, width, length, CUTTER_FILL, CUTTER_LINE, 1.0)]
    rise = width * slope
    y = top + flute_step * 0.5
    while y < top + length + rise:
        clipped = clip_segment(x, y, x + width, y - rise, x, top, x + width, top + length)
        if clipped:
            out.append(line(*clipped, colour=CUTTER_LINE, width=0.8))
        y += flute_step
    return "".join(out)


def cutter_top(cx, cy, r, teeth=4, phase=0.0, gash=0.0, width=1.0, fill=CUTTER_FILL):
    """An end mill seen along its axis: a disc with a flute gash ahead of each tooth."""
    gash = gash or r * 0.28
    out = [circle(cx, cy, r, fill, CUTTER_LINE, width)]
    for k in range(teeth):
        a = phase + k * 360.0 / teeth
        tip = point_on(cx, cy, r, a)
        # The gash (chip room) lies ahead of the tooth: the cutter turns clockwise.
        back = point_on(cx, cy, r, a + 32)
        root = point_on(cx, cy, r - gash, a + 8)
        out.append(polygon([tip, root, back], "#ffffff", CUTTER_LINE, width * 0.8))
    return "".join(out)


def stock_with_shoulder(cx, cy, r, engaged_y, left, right, bottom, ahead_right=True):
    """Stock seen from above with the cutter in a shoulder cut: the wall runs along
    the cutter's far side and the uncut stock stands ahead of it."""
    wall_y = cy + r
    dx = math.sqrt(r * r - (engaged_y - cy) ** 2)
    if ahead_right:
        d = "M %s %s L %s %s L %s %s A %s %s 0 0 0 %s %s L %s %s L %s %s Z" % tuple(
            fmt(v) for v in (left, bottom, left, wall_y, cx, wall_y, r, r, cx + dx, engaged_y,
                             right, engaged_y, right, bottom))
    else:
        d = "M %s %s L %s %s L %s %s A %s %s 0 0 1 %s %s L %s %s L %s %s Z" % tuple(
            fmt(v) for v in (right, bottom, right, wall_y, cx, wall_y, r, r, cx - dx, engaged_y,
                             left, engaged_y, left, bottom))
    return path(d, STOCK_FILL, STOCK_LINE, 0.8)


def icon_surfaces():
    shoulder = (stock_with_shoulder(16, 18, 10, 22, -1, 41, 41)
                + cutter_top(16, 18, 10, gash=3.2, width=0.9)
                + circle(16, 18, 1.2, CUTTER_LINE)
                + arrow(27, 5, 38, 5, MOTION, 1.4, 4.5, 2.2))
    body_cx, body_cy, body_r, r = 28, 48, 24, 9
    cx, cy = point_on(body_cx, body_cy, body_r + r, -115)
    contour = (circle(body_cx, body_cy, body_r, STOCK_FILL, STOCK_LINE, 0.8)
               + arc_arrow(body_cx, body_cy, body_r + r, body_r + r, -142, -62, MOTION, 1.2, 4.5, 2.2)
               + cutter_top(cx, cy, r, gash=3.0, width=0.9)
               + circle(cx, cy, 1.2, CUTTER_LINE))
    slot_d = "M -1 -1 L 41 -1 L 41 41 L -1 41 L -1 30 L 17 30 A 10 10 0 0 0 17 10 L -1 10 Z"
    slot = (path(slot_d, STOCK_FILL, STOCK_LINE, 0.8)
            + cutter_top(17, 20, 10, gash=3.2, width=0.9)
            + arrow(11, 20, 25, 20, MOTION, 1.4, 4.5, 2.2))
    return {
        "ImageSurface_0": svg_document(40, 40, "End mill at a shoulder (plane, step), seen from above", shoulder),
        "ImageSurface_1": svg_document(40, 40, "End mill following a curved contour, seen from above", contour),
        "ImageSurface_2": svg_document(40, 40, "End mill in a slot or pocket, seen from above", slot),
    }


def icon_directions():
    def picture(climb):
        cx = 30 if climb else 40
        body = stock_with_shoulder(cx, 17, 11, 21, -1, 71, 41, ahead_right=climb)
        body += cutter_top(cx, 17, 11, gash=3.4, width=0.9) + circle(cx, 17, 1.2, CUTTER_LINE)
        # The spindle turns clockwise in both; only the feed direction changes.
        body += arc_arrow(cx, 17, 6.5, 6.5, 200, 330, CUTTER_LINE, 1.1, 3.6, 1.8)
        if climb:
            body += arrow(47, 8, 66, 8, MOTION, 1.6, 5.5, 2.6)
        else:
            body += arrow(23, 8, 4, 8, MOTION, 1.6, 5.5, 2.6)
        return body

    climb = "Climb milling: cutter turning clockwise, fed to the right, stock ahead on the right"
    conventional = "Conventional milling: cutter turning clockwise, fed to the left, stock ahead on the left"
    return {
        "ImageDirection_0": svg_document(70, 40, climb, picture(True)),
        "ImageDirection_1": svg_document(70, 40, conventional, picture(False)),
    }


def icon_buttons():
    help_body = (polygon([(6.5, 2.5), (20.5, 2.5), (25.5, 7.5), (25.5, 29.5), (6.5, 29.5)], "#ffffff", "#5f6b7a", 1.0)
                 + '<polyline points="20.5,2.5 20.5,7.5 25.5,7.5" fill="none" stroke="#5f6b7a" stroke-width="1"/>'
                 + rect(9, 18, 12, 5, STOCK_FILL, STOCK_LINE, 0.6)
                 + rect(12, 7, 4, 13, CUTTER_FILL, CUTTER_LINE, 0.7)
                 + line(9, 25.5, 17, 25.5, "#8a94a3", 1.0)
                 + circle(23, 23, 7.5, "#2d6cc0", "#ffffff", 1.0)
                 + text(23, 27.2, "?", 11.5, "#ffffff", "middle", True))
    material_body = (polygon([(12, 2.5), (21.5, 7.2), (12, 12), (2.5, 7.2)], "#e4e8ed", "#4b5563", 0.9)
                     + polygon([(2.5, 7.2), (12, 12), (12, 21.5), (2.5, 16.7)], "#b3bbc5", "#4b5563", 0.9)
                     + polygon([(12, 12), (21.5, 7.2), (21.5, 16.7), (12, 21.5)], "#8b95a2", "#4b5563", 0.9)
                     + line(5.5, 7.2, 12, 10.4, "#ffffff", 0.6, ' stroke-opacity="0.8"'))
    keys = "".join(rect(4 + 3 * col, 7 + 3 * row, 2, 2, "#f2a03a" if (col, row) == (2, 2) else "#ffffff")
                   for row in range(3) for col in range(3))
    step_body = (rect(2.5, 0.5, 11, 15, "#4f6f98", "#2b4466", 1.0, ' rx="1.5"')
                 + rect(4, 2, 8, 3.5, "#dff3d6") + keys)
    mail_body = (rect(2.5, 5.5, 19, 13, "#fffdf4", "#7a6a3a", 1.0)
                 + '<polyline points="2.5,5.5 12,13 21.5,5.5" fill="none" stroke="#7a6a3a" '
                   'stroke-width="1" stroke-linejoin="round"/>'
                 + line(2.5, 18.5, 9.5, 11.5, "#7a6a3a", 0.7)
                 + line(21.5, 18.5, 14.5, 11.5, "#7a6a3a", 0.7))
    back_d = "M 19 20 L 19 12 Q 19 8 15 8 L 8.5 8"
    copy_back = (path(back_d, "none", "#1565c0", 2.6, ' stroke-linecap="round"')
                 + polygon([(3, 8), (9.5, 3.2), (9.5, 12.8)], "#1565c0"))
    return {
        "BitBtnHelp": svg_document(32, 32, "Scheme of the cutting parameters", help_body),
        "BitBtnStMaterial": svg_document(24, 24, "Workpiece material", material_body),
        "StepButton": svg_document(16, 16, "Compute this step", step_body),
        "MailPicture": svg_document(24, 24, "Write a letter", mail_body),
        "Image9": svg_document(24, 24, "Copy the cutting speed back to the input", copy_back),
        "Image10": svg_document(24, 24, "Copy the feed per tooth back to the input", copy_back),
    }


def gradient(ident, top, bottom):
    return ('<defs><linearGradient id="%s" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/>'
            '</linearGradient></defs>' % (ident, top, bottom))


def holder_and_shank(cx, top, holder_width, shank_width, holder_height, taper_height, shank_height):
    """Tool holder with its taper and the shank of the end mill, from the side."""
    hw, sw = holder_width / 2, shank_width / 2
    y1, y2 = top + holder_height, top + holder_height + taper_height
    return (rect(cx - hw, top, holder_width, holder_height, HOLDER_FILL, HOLDER_LINE, 1.0)
            + polygon([(cx - hw + 2, y1), (cx + hw - 2, y1), (cx + sw + 3, y2), (cx - sw - 3, y2)],
                      "#bcc4ce", HOLDER_LINE, 1.0)
            + rect(cx - sw, y2, shank_width, shank_height, SHANK_FILL, CUTTER_LINE, 1.0))


def chip_curl(cx, cy, r, phase):
    """A small curled chip: a crescent between two offset circles."""
    outer = [point_on(cx, cy, r, phase + a) for a in frange(0, 250, 12)]
    ox, oy = point_on(0, 0, r * 0.35, phase + 125)
    inner = [point_on(cx + ox, cy + oy, r * 0.6, phase + a) for a in frange(250, 0, 12)]
    return polygon(outer + inner, CHIP_FILL, CHIP_LINE, 0.6)


def splash():
    cx = 100
    body = [gradient("sky", "#f5f8fc", "#c9d8ea"),
            rect(0.5, 0.5, 199, 199, "url(#sky)", "#4d6f9c", 1.0),
            text(cx, 27, "Расчет режимов", 16, "#1d3f6e", "middle", True),
            text(cx, 46, "резания", 16, "#1d3f6e", "middle", True),
            text(cx, 61, "концевое фрезерование", 10, "#4a5d75", "middle")]
    # Stock with a shoulder: the cutter has milled the left part down to its tip.
    body.append(polygon([(14, 156), (cx, 156), (cx, 138), (186, 138), (186, 180), (14, 180)],
                        STOCK_FILL, STOCK_LINE, 1.0))
    body.append(holder_and_shank(cx, 68, 46, 20, 10, 8, 16))
    body.append(end_mill_side(cx - 14, 102, 28, 54, 10.0))
    # Chips thrown off at the leading edge.
    for x, y, phase in ((121, 129, 0), (131, 119, 130), (119, 114, 250)):
        body.append(chip_curl(x, y, 4.2, phase))
    body.append(arc_arrow(cx, 87, 20, 5, 20, 160, MOTION, 1.3, 5.0, 2.2))
    body.append(text(cx - 24, 90, "n", 10, MOTION, "end"))
    body.append(arrow(140, 108, 176, 108, MOTION, 1.6, 6.0, 2.8))
    body.append(math_label(158, 101, "V_f", 10, MOTION, "middle"))
    body.append(text(cx, 194, "Walter  •  Алюминий  •  Титан", 9, "#4a5d75", "middle"))
    return {"Splash": svg_document(200, 200, "Расчет режимов резания", "\n".join(body))}


def about_background():
    body = [gradient("calm", "#ffffff", "#e7eef7"),
            rect(0, 0, 280, 199, "url(#calm)"),
            rect(0, 0, 280, 3, "#8fa9cb")]
    # A faint end mill on the right, under the labels' right ends only.
    mill = holder_and_shank(0, 0, 40, 22, 12, 8, 22) + end_mill_side(-15, 42, 30, 70, 11.0)
    body.append('<g transform="translate(236 46) rotate(18)" opacity="0.16">%s</g>' % mill)
    body.append(line(0, 198.5, 280, 198.5, "#c5d3e6", 1.0))
    return {"AboutBackground": svg_document(280, 199, "About window background", "\n".join(body))}


LEGEND = [
    ("D", "диаметр фрезы, мм"),
    ("z", "число зубьев фрезы"),
    ("a_p, B", "ширина фрезерования (вдоль оси), мм"),
    ("a_e, t", "глубина фрезерования, мм"),
    ("L", "вылет фрезы, длина режущей части, мм"),
    ("n", "частота вращения шпинделя, об/мин"),
    ("V_c", "скорость резания, м/мин"),
    ("V_f", "минутная подача, мм/мин"),
    ("f_z", "подача на зуб, мм/зуб"),
    ("h_m", "средняя толщина стружки, мм"),
    ("φ_s", "угол контакта фрезы, град"),
    ("κ", "главный угол в плане, град"),
    ("γ_0", "передний угол, град"),
]


def designations_side_view():
    """The end mill from the side, cutting a shoulder: L, ap = B, κ, n and Vf."""
    cx, tip, cut_top = 130, 188, 150
    out = [text(10, 40, "Вид сбоку", 9, "#6b7785")]
    out.append(polygon([(14, tip), (cx, tip), (cx, cut_top), (290, cut_top), (290, 222), (14, 222)],
                       STOCK_FILL, STOCK_LINE, 1.0))
    out.append(holder_and_shank(cx, 34, 68, 36, 14, 12, 30))
    out.append(end_mill_side(cx - 25, 90, 50, tip - 90, 13.0))
    # L: from the holder's face to the tip.
    out.append(line(cx - 38, 60, 52, 60, DIMENSION, 0.6) + line(cx - 27, tip, 52, tip, DIMENSION, 0.6))
    out.append(dimension(58, 60, 58, tip))
    out.append(math_label(52, 128, "L", 12, DIMENSION, "end"))
    # ap = B: the uncut stock ahead of the cutter down to the cutter's tip.
    out.append(line(cx + 25, tip, 182, tip, DIMENSION, 0.6, ' stroke-dasharray="3 2"'))
    out.append(dimension(176, cut_top, 176, tip))
    out.append(math_label(182, 173, "a_p = B", 12, DIMENSION))
    # κ between the machined floor and the side cutting edge.
    out.append(arc_arrow(cx - 25, tip, 15, 15, 180, 270, DIMENSION, 0.8, 4.0, 1.6))
    out.append(math_label(cx - 40, tip - 6, "κ", 12, DIMENSION, "end"))
    # Spindle rotation and feed.
    out.append(arc_arrow(cx, 76, 27, 6, 25, 160, MOTION, 1.4, 6.0, 2.6))
    out.append(math_label(cx - 30, 72, "n", 12, MOTION, "end"))
    out.append(arrow(196, 116, 250, 116, MOTION, 1.6, 7.0, 3.0))
    out.append(math_label(223, 108, "V_f", 12, MOTION, "middle"))
    return "\n".join(out)


def designations_top_view():
    """The end mill from above in a climb shoulder cut: D, z, n, Vc, ae = t, fz, hm and φs."""
    cx, cy, r, fz, ae = 150, 328, 48, 12, 30
    wall, engaged = cy + r, cy + r - ae
    out = [text(10, 250, "Вид сверху", 9, "#6b7785")]
    # The stock is bounded by the path of the previous tooth (centre cx - fz); the part of
    # it inside the present path is the chip the tooth is cutting now.
    prev = cx - fz
    dx = math.sqrt(r * r - (engaged - cy) ** 2)
    out.append(path("M 96 420 L 96 %s L %s %s A %s %s 0 0 0 %s %s L 290 %s L 290 420 Z" % tuple(
        fmt(v) for v in (wall, prev, wall, r, r, prev + dx, engaged, engaged)), STOCK_FILL, STOCK_LINE, 1.0))
    out.append(circle(prev, cy, r, "none", "#8a94a3", 0.7, ' stroke-dasharray="3 2"'))
    out.append(cutter_top(cx, cy, r, teeth=4, phase=160, gash=9, width=1.2))
    start = math.degrees(math.asin((engaged - cy) / r))
    chip = [point_on(cx, cy, r, a) for a in frange(start, 90, 24)]
    chip += [point_on(prev, cy, r, a) for a in frange(90, start, 24)]
    out.append(polygon(chip, CHIP_FILL, CHIP_LINE, 0.7))
    # Centre lines.
    dash = ' stroke-dasharray="8 2 2 2"'
    out.append(line(cx - r - 6, cy, cx + r + 6, cy, "#6b7785", 0.6, dash))
    out.append(line(cx, cy - r - 6, cx, cy + r + 6, "#6b7785", 0.6, dash))
    # D across the top.
    out.append(line(cx - r, cy, cx - r, 264, DIMENSION, 0.6) + line(cx + r, cy, cx + r, 264, DIMENSION, 0.6))
    out.append(dimension(cx - r, 270, cx + r, 270))
    out.append(math_label(cx, 266, "D", 12, DIMENSION, "middle"))
    # z: the teeth.
    tooth = point_on(cx, cy, r, 340)
    out.append(line(tooth[0] - 3, tooth[1] + 4, 182, 318, DIMENSION, 0.6))
    out.append(math_label(178, 322, "z", 12, DIMENSION, "end"))
    # n: clockwise rotation.
    out.append(arc_arrow(cx, cy, 26, 26, 195, 300, MOTION, 1.4, 6.0, 2.6))
    out.append(math_label(cx - 6, cy - 8, "n", 12, MOTION, "end"))
    # Vc: the cutting speed at a tooth, along the tangent.
    tip = point_on(cx, cy, r, 160)
    out.append(arrow(tip[0], tip[1], tip[0] - 9.5, tip[1] - 26, MOTION, 1.6, 7.0, 3.0))
    out.append(math_label(tip[0] - 12, tip[1] - 26, "V_c", 12, MOTION, "end"))
    # φs: the contact angle, from where the tooth enters the stock to where it leaves it.
    entry = point_on(cx, cy, r, start)
    out.append(line(cx, cy, entry[0], entry[1], DIMENSION, 0.6) + line(cx, cy, cx, wall, DIMENSION, 0.6))
    out.append(arc_arrow(cx, cy, 17, 17, start, 90, DIMENSION, 0.8, 4.0, 1.6))
    out.append(math_label(cx + 17, cy + 22, "φ_s", 11, DIMENSION))
    # hm: the chip.
    mid = point_on(cx - fz / 2, cy, r, 48)
    out.append(line(mid[0], mid[1], 212, 330, DIMENSION, 0.6) + circle(mid[0], mid[1], 1.3, DIMENSION))
    out.append(math_label(214, 334, "h_m", 12, DIMENSION))
    # fz: the step between two tooth paths, seen where they touch the wall.
    out.append(line(prev, wall, prev, 398, DIMENSION, 0.6) + line(cx, wall, cx, 398, DIMENSION, 0.6))
    out.append(arrow(prev - 12, 394, prev, 394, DIMENSION, 0.8, 4.5, 1.8)
               + arrow(cx + 12, 394, cx, 394, DIMENSION, 0.8, 4.5, 1.8) + line(prev, 394, cx, 394, DIMENSION, 0.8))
    out.append(math_label(cx - fz / 2, 411, "f_z", 12, DIMENSION, "middle"))
    # ae = t: how far the stock reaches into the cutter.
    out.append(line(cx + 6, wall, 284, wall, DIMENSION, 0.6, ' stroke-dasharray="3 2"'))
    out.append(dimension(276, engaged, 276, wall))
    out.append(math_label(270, 367, "a_e = t", 12, DIMENSION, "end"))
    # Feed.
    out.append(arrow(214, 296, 266, 296, MOTION, 1.6, 7.0, 3.0))
    out.append(math_label(240, 288, "V_f", 12, MOTION, "middle"))
    return "\n".join(out)


def designations_tooth():
    """A tooth in section with the rake angle γ0 against the radial line."""
    tx, ty = 56, 360
    gamma = 20
    rake_len = 44
    rake = (tx - rake_len * math.sin(math.radians(gamma)), ty + rake_len * math.cos(math.radians(gamma)))
    out = [rect(8.5, 334.5, 80, 88, "#ffffff", "#9aa7b8", 0.8),
           text(12, 346, "Зуб фрезы", 9, "#6b7785")]
    out.append(polygon([(tx, ty), (86, ty + 6), (86, 420), rake], CUTTER_FILL, CUTTER_LINE, 1.0))
    out.append(line(tx, ty - 4, tx, 420, "#6b7785", 0.6, ' stroke-dasharray="6 2 2 2"'))
    out.append(arc_arrow(tx, ty, 30, 30, 90, 90 + gamma, DIMENSION, 0.8, 4.0, 1.6))
    out.append(math_label(tx - 15, ty + 33, "γ_0", 11, DIMENSION, "end"))
    out.append(arrow(tx - 4, ty - 4, tx - 26, ty - 4, MOTION, 1.3, 5.0, 2.2))
    out.append(math_label(tx - 28, ty - 1, "V_c", 10, MOTION, "end"))
    return "\n".join(out)


def designations_legend(top):
    out = [line(10, top, 294, top, "#9aa7b8", 0.8),
           text(12, top + 15, "Обозначения:", 11, INK, bold=True)]
    for index, (symbol, meaning) in enumerate(LEGEND):
        y = top + 30 + index * 11.0
        out.append(math_label(16, y, symbol, 10.5, DIMENSION))
        out.append(text(58, y, "–", 10.5, INK))
        out.append(text(68, y, meaning, 10.5, INK))
        if text_width(meaning, 10.5) > 304 - 68 - 6:
            raise SystemExit("legend line too long: %s" % meaning)
    return "\n".join(out), y


def designations():
    legend, bottom = designations_legend(428)
    if bottom + 4 > 598:
        raise SystemExit("the legend of the designations scheme runs off the picture")
    body = [rect(0, 0, 304, 600, "#ffffff"), rect(0.5, 0.5, 303, 599, "none", "#9aa7b8", 1.0),
            text(152, 20, "Схема параметров резания", 13, INK, "middle", True),
            designations_side_view(), designations_top_view(), designations_tooth(), legend]
    return {"Designations": svg_document(304, 600, "Обозначения: схема параметров резания концевой фрезой",
                                         "\n".join(body))}


# ---------------------------------------------------------------------------

def all_pictures():
    pictures = formula_pictures()
    for more in (icon_surfaces(), icon_directions(), icon_buttons(), splash(), about_background(),
                 designations()):
        pictures.update(more)
    return pictures


def main():
    pictures = all_pictures()
    os.makedirs(OUT_DIR, exist_ok=True)
    for name in sorted(os.listdir(OUT_DIR)):
        if name.endswith(".svg") and name[:-4] not in pictures:
            os.remove(os.path.join(OUT_DIR, name))
    for name, text in sorted(pictures.items()):
        ElementTree.fromstring(text.encode("utf-8"))  # every file must be well-formed XML
        with open(os.path.join(OUT_DIR, name + ".svg"), "w", encoding="utf-8", newline="\n") as out:
            out.write(text)
    lines = ['<!DOCTYPE RCC>', '<RCC>', '<qresource prefix="/pictures">']
    lines += ['    <file alias="%s.svg">pictures/%s.svg</file>' % (name, name) for name in sorted(pictures)]
    lines += ['</qresource>', '</RCC>', '']
    with open(os.path.join(HERE, "pictures.qrc"), "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines))
    print("%d pictures written to %s" % (len(pictures), OUT_DIR))
    return 0


if __name__ == "__main__":
    sys.exit(main())
