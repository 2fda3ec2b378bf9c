# Draws the symbol font that stands in for "Wingdings" and "Webdings" on the
# page: the two arrow marks framing the map strip, the daylight-saving sun and
# the world map. Drawn here from coordinates rather than taken from a font
# file so the page looks the same whatever fonts the user has.
#
# usage: fontforge -lang=py -script symbols-font.py OUT.ttf
import math
import sys

import fontforge

EM = 1000
ASCENT, DESCENT = 800, 200

# The world map, one copy per 360 degrees of longitude. At the page's 185 px
# the strip is 240 px wide and moves 10 px per hour, so 360 degrees must come
# out at 240 px: 240 / 185 em. Two copies side by side cover every shift from
# 0 to 230 px. Longitude -180 is the glyph's left edge, so with no shift the
# strip is centred on Greenwich.
DEGREE = 240 / 185 * EM / 360
# The strip shows the glyph from 26 px to 146 px below the line top, that is
# (ascent - 26/185 em) down to (ascent - 146/185 em); the latitudes fill it.
LAT_TOP = ASCENT - 26 / 185 * EM
LAT_BOTTOM = ASCENT - 146 / 185 * EM

# Coastlines as rough polygons of (longitude, latitude).
LAND = [
    # North America
    [(-168, 66), (-160, 71), (-140, 70), (-125, 70), (-95, 72), (-80, 73), (-62, 67),
     (-55, 52), (-66, 45), (-76, 35), (-81, 25), (-90, 30), (-97, 26), (-97, 20),
     (-87, 21), (-83, 10), (-78, 8), (-85, 13), (-105, 20), (-117, 32), (-124, 40),
     (-124, 48), (-135, 58), (-150, 60), (-165, 60)],
    # Greenland
    [(-55, 60), (-45, 60), (-20, 70), (-18, 80), (-40, 83), (-65, 80), (-70, 76), (-55, 70)],
    # Iceland
    [(-24, 64), (-14, 64), (-15, 66), (-22, 66)],
    # South America
    [(-78, 8), (-60, 10), (-50, 0), (-35, -7), (-40, -22), (-48, -28), (-58, -38),
     (-65, -45), (-68, -55), (-75, -50), (-72, -30), (-70, -18), (-81, -5), (-80, 2)],
    # Eurasia
    [(-10, 36), (-9, 43), (-2, 44), (-5, 48), (2, 51), (8, 54), (10, 58), (5, 62),
     (15, 69), (25, 71), (40, 68), (60, 70), (80, 73), (100, 77), (120, 73), (140, 72),
     (160, 70), (180, 67), (180, 64), (163, 60), (155, 58), (160, 52), (142, 46),
     (135, 43), (130, 42), (127, 36), (121, 40), (122, 31), (118, 24), (108, 21),
     (106, 10), (100, 14), (100, 6), (104, 1), (98, 8), (98, 16), (92, 22), (88, 22),
     (80, 15), (77, 8), (72, 20), (67, 24), (57, 25), (56, 27), (50, 30), (48, 29),
     (51, 25), (56, 24), (59, 22), (52, 16), (43, 13), (38, 20), (35, 28), (34, 31),
     (35, 36), (28, 37), (26, 40), (23, 37), (22, 40), (19, 42), (16, 41), (18, 40),
     (16, 38), (12, 44), (13, 45), (8, 44), (3, 43), (-1, 37), (-5, 36)],
    # Africa
    [(-17, 21), (-6, 36), (10, 37), (20, 32), (32, 31), (34, 28), (43, 12), (51, 12),
     (40, -3), (40, -15), (33, -26), (20, -35), (18, -30), (12, -18), (13, -6), (9, -1),
     (9, 4), (-3, 5), (-8, 4), (-17, 14)],
    # Madagascar
    [(44, -25), (47, -25), (50, -15), (49, -12), (44, -16)],
    # Britain and Ireland
    [(-5, 50), (1, 51), (-2, 56), (-4, 59), (-6, 57), (-3, 54)],
    [(-10, 52), (-6, 52), (-6, 55), (-9, 54)],
    # Japan
    [(130, 31), (135, 34), (141, 36), (142, 40), (141, 45), (145, 44), (140, 42), (136, 36), (130, 34)],
    # Sumatra, Borneo, Java, New Guinea
    [(95, 5), (106, -6), (104, -5), (98, 0)],
    [(109, 1), (117, 7), (119, 1), (116, -4), (110, -3)],
    [(105, -6), (114, -7), (114, -8), (105, -7)],
    [(131, -1), (141, -3), (150, -10), (141, -9), (138, -8), (132, -3)],
    # Australia
    [(114, -22), (122, -18), (130, -12), (137, -12), (136, -15), (142, -11), (146, -19),
     (153, -25), (151, -34), (147, -38), (140, -38), (135, -35), (131, -31), (116, -35), (115, -30)],
    # New Zealand
    [(172, -35), (178, -38), (174, -42), (168, -46), (167, -45), (172, -41), (175, -39)],
    # Antarctica
    [(-180, -78), (-150, -76), (-120, -73), (-90, -72), (-60, -64), (-55, -66), (-30, -76),
     (0, -70), (30, -69), (60, -67), (90, -66), (120, -66), (150, -68), (170, -72),
     (180, -78), (180, -86), (-180, -86)],
]


def polygon(pen, points):
    pen.moveTo(points[0])
    for p in points[1:]:
        pen.lineTo(p)
    pen.closePath()


def map_point(lon, lat, copy):
    x = (lon + 180 + 360 * copy) * DEGREE
    y = LAT_BOTTOM + (lat + 90) / 180 * (LAT_TOP - LAT_BOTTOM)
    return (round(x), round(y))


def draw_world(glyph):
    pen = glyph.glyphPen()
    for copy in (0, 1):
        for land in LAND:
            polygon(pen, [map_point(lon, lat, copy) for lon, lat in land])
    pen = None
    glyph.width = round(720 * DEGREE)


def draw_arrowhead(glyph, pointing_down):
    # A solid arrowhead marking the strip's middle, the chosen zone's meridian.
    pen = glyph.glyphPen()
    if pointing_down:
        polygon(pen, [(150, 650), (850, 650), (500, 100)])
    else:
        polygon(pen, [(150, 100), (500, 650), (850, 100)])
    pen = None
    glyph.width = EM


def draw_sun(glyph):
    # The daylight-saving mark: a small sun, a disc with eight rays.
    pen = glyph.glyphPen()
    cx, cy, r = 500, 330, 200
    polygon(pen, [(round(cx + r * math.cos(a * math.pi / 16)), round(cy + r * math.sin(a * math.pi / 16)))
                  for a in range(32)])
    for k in range(8):
        a = k * math.pi / 4
        inner, outer, half = 250, 400, 0.16
        polygon(pen, [
            (round(cx + outer * math.cos(a)), round(cy + outer * math.sin(a))),
            (round(cx + inner * math.cos(a + half)), round(cy + inner * math.sin(a + half))),
            (round(cx + inner * math.cos(a - half)), round(cy + inner * math.sin(a - half))),
        ])
    pen = None
    glyph.width = EM


def build(path):
    font = fontforge.font()
    font.encoding = "UnicodeFull"
    font.fontname = "KestrunSymbols"
    font.familyname = "Kestrun Symbols"
    font.fullname = "Kestrun Symbols"
    font.em = EM
    font.ascent, font.descent = ASCENT, DESCENT
    for attr in ("os2_winascent_add", "os2_windescent_add", "os2_typoascent_add",
                 "os2_typodescent_add", "hhea_ascent_add", "hhea_descent_add"):
        setattr(font, attr, 0)
    font.os2_winascent, font.os2_windescent = ASCENT, DESCENT
    font.os2_typoascent, font.os2_typodescent = ASCENT, -DESCENT
    font.hhea_ascent, font.hhea_descent = ASCENT, -DESCENT
    font.os2_typolinegap = font.hhea_linegap = 0

    space = font.createChar(0x20, "space")
    space.width = EM // 2
    draw_arrowhead(font.createChar(0xDA, "Uacute"), pointing_down=True)
    draw_arrowhead(font.createChar(0xD9, "Ugrave"), pointing_down=False)
    draw_sun(font.createChar(ord("R"), "R"))
    draw_world(font.createChar(0xE3A8, "world"))

    for glyph in font.glyphs():
        glyph.removeOverlap()
        glyph.correctDirection()
    font.generate(path)


if __name__ == "__main__":
    build(sys.argv[1])
