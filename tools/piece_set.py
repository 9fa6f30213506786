#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's own piece set: python3 tools/piece_set.py data/pieces/quarvelin"""
import os, sys

OUT = sys.argv[1] if len(sys.argv) > 1 else "data/pieces/quarvelin"
os.makedirs(OUT, exist_ok=True)

def f(v):
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s

def pt(p):
    return f"{f(p[0])},{f(p[1])}"

def mir(p):
    return (100 - p[0], p[1])

def sym(start, segs):
    """Right half from centre top `start` to centre bottom, mirrored into a closed path."""
    pts = [start]
    for s in segs:
        pts.append(s[-1])
    full = list(segs)
    for i in range(len(segs) - 1, -1, -1):
        s = segs[i]
        prev = pts[i]
        kind = s[0]
        if kind == "L":
            full.append(("L", mir(prev)))
        elif kind == "C":
            full.append(("C", mir(s[2]), mir(s[1]), mir(prev)))
        elif kind == "Q":
            full.append(("Q", mir(s[1]), mir(prev)))
        elif kind == "A":
            _, rx, ry, rot, large, sweep, _p = s
            full.append(("A", rx, ry, -rot, large, sweep, mir(prev)))
    # Drop the centre points that only split a straight line in two.
    cur = start
    cleaned = []
    for i, s in enumerate(full):
        nxt = full[(i + 1) % len(full)]
        if s[0] == "L" and nxt[0] == "L" and s[1][0] == 50:
            a, b, c = cur, s[1], nxt[1]
            if abs((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])) < 1e-9:
                continue
        cleaned.append(s)
        cur = s[-1]
    if cleaned[0][0] == "L" and cleaned[0][1][1] == start[1] and cleaned[-1][-1][1] == start[1]:
        # the start itself lies on a straight edge: begin at the first corner instead
        first = cleaned.pop(0)
        return " ".join([f"M{pt(first[1])}"] + [seg_str(x) for x in cleaned]) + " Z"
    return " ".join([f"M{pt(start)}"] + [seg_str(x) for x in cleaned]) + " Z"

def seg_str(s):
    k = s[0]
    if k == "L":
        return f"L{pt(s[1])}"
    if k == "C":
        return f"C{pt(s[1])} {pt(s[2])} {pt(s[3])}"
    if k == "Q":
        return f"Q{pt(s[1])} {pt(s[2])}"
    if k == "A":
        _, rx, ry, rot, large, sweep, p = s
        return f"A{f(rx)},{f(ry)} {f(rot)} {large},{sweep} {pt(p)}"
    raise ValueError(k)

def open_path(start, segs):
    return " ".join([f"M{pt(start)}"] + [seg_str(s) for s in segs])

def circle(cx, cy, r):
    return f"M{f(cx - r)},{f(cy)} A{f(r)},{f(r)} 0 1,1 {f(cx + r)},{f(cy)} A{f(r)},{f(r)} 0 1,1 {f(cx - r)},{f(cy)} Z"

def band(y0, y1, hw_top, hw_bot, r=2.0):
    """A rounded band (disc seen from the side)."""
    return sym((50, y0), [
        ("L", (50 + hw_top - r, y0)),
        ("Q", (50 + hw_top, y0), (50 + hw_top + (hw_bot - hw_top) * r / (y1 - y0), y0 + r)),
        ("L", (50 + hw_bot - (hw_bot - hw_top) * r / (y1 - y0), y1 - r)),
        ("Q", (50 + hw_bot, y1), (50 + hw_bot - r, y1)),
        ("L", (50, y1)),
    ])

def hline(y, hw, sag=0.0):
    """A seam across a piece; sag bends it downward like the front edge of a disc."""
    if sag:
        return open_path((50 - hw, y), [("Q", (50, y + 2 * sag), (50 + hw, y))])
    return open_path((50 - hw, y), [("L", (50 + hw, y))])

INK = "#1b1b1b"
LIGHT_DETAIL = "#e4ddcc"

def svg(name, shapes, seams, details, white, beads=()):
    grad = ("""<linearGradient id="g" x1="0" y1="0" x2="1" y2="0.25">
      <stop offset="0" stop-color="#fffdf6"/><stop offset="0.55" stop-color="#f6eedb"/><stop offset="1" stop-color="#ddd0b2"/>
    </linearGradient>""" if white else
            """<linearGradient id="g" x1="0" y1="0" x2="1" y2="0.25">
      <stop offset="0" stop-color="#4a4a4a"/><stop offset="0.5" stop-color="#2c2c2c"/><stop offset="1" stop-color="#161616"/>
    </linearGradient>""")
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" viewBox="-3 -5 106 106" width="106" height="106">',
           f"  <title>{name}</title>",
           f"  <defs>\n    {grad}\n  </defs>",
           f'  <g fill="url(#g)" stroke="{INK}" stroke-width="3.3" stroke-linejoin="round" stroke-linecap="round">']
    for s in shapes:
        out.append(f'    <path d="{s}"/>')
    out.append("  </g>")
    if beads:
        # Small round ornaments take a lighter outline or they read as rings.
        out.append(f'  <g fill="url(#g)" stroke="{INK}" stroke-width="2.6">')
        for b in beads:
            out.append(f'    <path d="{b}"/>')
        out.append("  </g>")
    lines = list(details) + ([] if white else list(seams))
    if lines:
        col = INK if white else LIGHT_DETAIL
        w = "2.4" if white else "1.8"
        out.append(f'  <g fill="none" stroke="{col}" stroke-width="{w}" stroke-linejoin="round" stroke-linecap="round">')
        for l in lines:
            out.append(f'    <path d="{l}"/>')
        out.append("  </g>")
    out.append("</svg>\n")
    return "\n".join(out)

# ---------------------------------------------------------------- pieces

def base(hw_low=31, hw_up=26, y_up=76, y_mid=83, y_bot=91):
    """Stepped foot: one outline around both steps keeps it clean at small sizes."""
    r = 2.2
    foot = sym((50, y_up), [
        ("L", (50 + hw_up - r, y_up)),
        ("Q", (50 + hw_up, y_up), (50 + hw_up + 0.4, y_up + r)),
        ("L", (50 + hw_up + 1.4, y_mid - 0.2)),
        ("Q", (50 + hw_up + 1.6, y_mid), (50 + hw_up + 2.2, y_mid)),
        ("L", (50 + hw_low - r, y_mid)),
        ("Q", (50 + hw_low, y_mid), (50 + hw_low + 0.3, y_mid + r)),
        ("L", (50 + hw_low + 0.7, y_bot - r)),
        ("Q", (50 + hw_low + 1, y_bot), (50 + hw_low - r, y_bot)),
        ("L", (50, y_bot)),
    ])
    seams = [hline(y_up, hw_up - 3), hline(y_mid, hw_up - 1)]
    return [foot], seams

def pawn():
    body = sym((50, 47), [("L", (58, 47)), ("C", (58.5, 60), (62, 70), (70, 78)), ("L", (50, 78))])
    head = circle(50, 32, 11.5)
    collar = band(41.5, 49, 14, 15, 3)
    sh, se = base(hw_low=26, hw_up=21.5, y_up=77, y_mid=83.5, y_bot=90.5)
    return [body, head, collar] + sh, [hline(41.5, 11), hline(49, 6.5)] + se, []

def rook():
    body = sym((50, 37), [("L", (66, 37)), ("C", (66, 52), (67.5, 66), (71.5, 77)), ("L", (50, 77))])
    ring = band(32.5, 39, 19.5, 20.5, 2)
    top = sym((50, 13), [("L", (55, 13)), ("L", (55, 20.5)), ("L", (61.5, 20.5)), ("L", (61.5, 13)),
                         ("L", (71, 13)), ("L", (69.5, 33)), ("L", (50, 33))])
    sh, se = base()
    return [body, top, ring] + sh, [hline(32.5, 16.5), hline(39, 13)] + se, []

def bishop():
    body = sym((50, 50), [("L", (57, 50)), ("C", (57.5, 62), (61, 71), (68, 77)), ("L", (50, 77))])
    ball = circle(50, 10.5, 4.6)
    mitre = sym((50, 14.5), [("C", (56, 18.5), (64.5, 26), (64.5, 33.5)),
                             ("C", (64.5, 40), (60.5, 44), (59, 46.5)), ("L", (50, 46.5))])
    collar = band(44, 51, 13.5, 14, 2.5)
    sh, se = base(hw_low=30, hw_up=25)
    slit = open_path((59.5, 22.5), [("L", (49.5, 33))])
    return [body, mitre, ball, collar] + sh, [hline(44, 10.5), hline(51, 7)] + se, [slit]

def queen():
    body = sym((50, 44), [("L", (59, 44)), ("C", (59.5, 58), (63, 69), (70.5, 77)), ("L", (50, 77))])
    crown = sym((50, 18), [("Q", (55.5, 31.5), (61, 19)), ("Q", (65.5, 30.5), (71.5, 21)),
                           ("C", (64.5, 28), (61, 33), (61, 39)), ("L", (50, 39))])
    balls = [circle(50, 13.5, 5), circle(61.2, 15, 4.4), circle(38.8, 15, 4.4),
             circle(72, 17.5, 4.2), circle(28, 17.5, 4.2)]
    collar = band(37.5, 45, 15, 15.5, 2.5)
    sh, se = base()
    return [body, crown] + [collar] + sh, [hline(37.5, 12), hline(45, 7.5)] + se, \
        [open_path((41, 31.5), [("Q", (50, 34), (59, 31.5))])], balls

def king():
    # Collar kept above the middle of the square so the body shows there.
    body = sym((50, 44), [("L", (59.5, 44)), ("C", (60, 58), (63, 69), (70.5, 77)), ("L", (50, 77))])
    cross = sym((50, 1.5), [("L", (52.8, 1.5)), ("L", (52.8, 6.5)), ("L", (58, 6.5)), ("L", (58, 12)),
                            ("L", (52.8, 12)), ("L", (52.8, 19)), ("L", (50, 19))])
    crown = sym((50, 17.5), [("C", (58, 17.5), (66.5, 19.5), (66.5, 25)),
                             ("C", (66.5, 30), (61.5, 33.5), (61, 39)), ("L", (50, 39))])
    collar = band(37.5, 44.5, 16, 16.5, 2.5)
    sh, se = base()
    return [body, cross, crown, collar] + sh, [hline(37.5, 13), hline(44.5, 8)] + se, \
        [open_path((36, 26.5), [("Q", (50, 30.5), (64, 26.5))])]

def bumps(points, depth):
    """Scalloped edge through the points, each scallop bulging to the left of travel."""
    segs = []
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        mx, my = (x0 + x1) / 2, (y0 + y1) / 2
        dx, dy = x1 - x0, y1 - y0
        n = (dx * dx + dy * dy) ** 0.5
        # left of travel in screen coordinates (y down) when walking clockwise is outward
        nx, ny = dy / n, -dx / n
        segs.append(("Q", (mx + nx * depth, my + ny * depth), (x1, y1)))
    return segs

def knight():
    # Horse head facing left; traced clockwise from the tip of the ear.
    crest = [(57, 16.5), (65.5, 20.5), (72.5, 28), (77.5, 37.5), (80.5, 48.5), (81, 60), (79.5, 70.5), (77.5, 78)]
    segs = [("C", (53.5, 8), (56, 12), (57, 16.5))] + bumps(crest, -2.2) + [
        ("L", (26, 78)),
        ("C", (24, 69.5), (27, 61.5), (34, 55.5)),        # chest
        ("C", (37, 53), (39.5, 50.5), (41, 47)),          # throat
        ("C", (35.5, 51), (29.5, 55), (24, 57.5)),        # under the jaw
        ("C", (21, 59), (16.5, 59.5), (14, 56.5)),        # chin
        ("C", (10.5, 53), (10.5, 46.5), (13.5, 42.5)),    # muzzle
        ("C", (19, 36.5), (24.5, 30.5), (30.5, 25)),      # bridge of the nose
        ("C", (36, 20), (41, 16.5), (45.5, 14)),          # forehead
        ("C", (46.5, 10), (47.5, 7.5), (49.5, 5)),        # front of the ear
    ]
    head = open_path((49.5, 5), segs) + " Z"
    sh, se = base()
    eye = "M34.5,28 Q38.5,24 43,25.5 Q39.5,29.5 34.5,28 Z"
    nostril = open_path((20.5, 44.5), [("Q", (16.5, 45), (17.5, 49))])
    mouth = open_path((12.5, 53), [("Q", (17.5, 54), (21, 51.5))])
    mane = open_path((57.5, 21), [("C", (65, 27), (70.5, 36.5), (72, 47)), ("C", (73.5, 57), (72.5, 65), (70.5, 73))])
    cheek = open_path((41, 47), [("C", (45.5, 43), (47, 38), (45.5, 33))])
    return [head] + sh, se, [eye, nostril, mouth, mane, cheek]

PIECES = [("Pion", pawn, False), ("Tour", rook, True), ("Cavalier", knight, False), ("Fou", bishop, False),
          ("Dame", queen, True), ("Roi", king, False)]

for i, (name, fn, fem) in enumerate(PIECES):
    shapes, seams, details, *beads = fn()
    beads = beads[0] if beads else ()
    for white, offset, cname in ((False, 2, "noire" if fem else "noir"), (True, 8, "blanche" if fem else "blanc")):
        with open(os.path.join(OUT, f"{offset + i}.svg"), "w") as fh:
            fh.write(svg(f"{name} {cname}", shapes, seams, details, white, beads))
