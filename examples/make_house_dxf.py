#!/usr/bin/env python3
"""Writes examples/house.dxf: the project's own example plan as another CAD program
would hand it over (ASCII DXF R12, Latin-1 texts, metres).

A house of 12 m by 9 m: outer walls 36.5 cm, partitions 11.5 cm, a curved bay to the
east, windows with their glass line, doors with their leaves and swings, and room
names with their areas. Only the standard library is used, so the file can be made
again anywhere: python3 examples/make_house_dxf.py
"""
import math
import os

WALL = 0.365
PART = 0.115
W, H = 12.0, 9.0

out = []


def group(code, value):
    out.append(f"{code:3d}")
    out.append(value if isinstance(value, str) else (f"{value:d}" if isinstance(value, int) else repr(float(value))))


def line(layer, a, b):
    group(0, "LINE"); group(8, layer)
    group(10, a[0]); group(20, a[1]); group(30, 0.0)
    group(11, b[0]); group(21, b[1]); group(31, 0.0)


def arc(layer, c, r, start, end):
    group(0, "ARC"); group(8, layer)
    group(10, c[0]); group(20, c[1]); group(30, 0.0)
    group(40, r); group(50, start); group(51, end)


def text(layer, p, height, s):
    group(0, "TEXT"); group(8, layer)
    group(10, p[0]); group(20, p[1]); group(30, 0.0)
    group(40, height); group(1, s); group(72, 1); group(11, p[0]); group(21, p[1]); group(31, 0.0)


def faces(layer, a, b, openings):
    """Wall faces from a to b (axis-parallel), open where the openings (from, to) are."""
    horizontal = a[1] == b[1]
    lo, hi = (a[0], b[0]) if horizontal else (a[1], b[1])
    at = lo
    for o_from, o_to in sorted(openings):
        if o_from > at:
            line(layer, pt(horizontal, a, at), pt(horizontal, a, o_from))
        at = o_to
    if hi > at:
        line(layer, pt(horizontal, a, at), pt(horizontal, a, hi))


def pt(horizontal, base, t):
    return (t, base[1]) if horizontal else (base[0], t)


def window(horizontal, outer, inner, o_from, o_to):
    """Jambs and the glass line in the middle of the wall."""
    def p(t, v):
        return (t, v) if horizontal else (v, t)
    for t in (o_from, o_to):
        line("OEFFNUNGEN", p(t, outer), p(t, inner))
    mid = (outer + inner) / 2
    line("OEFFNUNGEN", p(o_from, mid), p(o_to, mid))


def door(hinge, width, leaf_angle, swing_from, swing_to):
    """The open leaf from the hinge and its swing as a quarter circle."""
    tip = (hinge[0] + width * math.cos(math.radians(leaf_angle)), hinge[1] + width * math.sin(math.radians(leaf_angle)))
    line("TUEREN", hinge, tip)
    arc("TUEREN", hinge, width, swing_from, swing_to)


# ---- header and tables ----------------------------------------------------------------
group(0, "SECTION"); group(2, "HEADER")
group(9, "$ACADVER"); group(1, "AC1009")
group(9, "$INSUNITS"); group(70, 6)
group(9, "$MEASUREMENT"); group(70, 1)
group(9, "$EXTMIN"); group(10, -0.5); group(20, -0.5); group(30, 0.0)
group(9, "$EXTMAX"); group(10, 14.5); group(20, 9.5); group(30, 0.0)
group(0, "ENDSEC")

layers = [("0", 7), ("WAENDE", 7), ("OEFFNUNGEN", 4), ("TUEREN", 3), ("RAEUME", 2)]
group(0, "SECTION"); group(2, "TABLES")
group(0, "TABLE"); group(2, "LTYPE"); group(70, 1)
group(0, "LTYPE"); group(2, "CONTINUOUS"); group(70, 0); group(3, "Solid line"); group(72, 65); group(73, 0); group(40, 0.0)
group(0, "ENDTAB")
group(0, "TABLE"); group(2, "LAYER"); group(70, len(layers))
for name, colour in layers:
    group(0, "LAYER"); group(2, name); group(70, 0); group(62, colour); group(6, "CONTINUOUS")
group(0, "ENDTAB")
group(0, "TABLE"); group(2, "STYLE"); group(70, 1)
group(0, "STYLE"); group(2, "STANDARD"); group(70, 0); group(40, 0.0); group(41, 1.0); group(50, 0.0)
group(71, 0); group(42, 0.25); group(3, "txt"); group(4, "")
group(0, "ENDTAB")
group(0, "ENDSEC")

# ---- the plan --------------------------------------------------------------------------
group(0, "SECTION"); group(2, "ENTITIES")

south_windows = [(1.5, 2.76), (6.5, 7.76), (9.0, 10.26)]
north_windows = [(2.0, 3.26), (8.0, 9.26)]
entrance = (1.0, 2.01)          # west wall, y
bay = (2.5, 6.5)                # east wall, y: the curved bay opens the wall here
inner_door_x = (7.0, 7.885)     # partition at y = 5, x
inner_door_y = (3.0, 3.885)     # partition at x = 5, y

faces("WAENDE", (0, 0), (W, 0), south_windows)
faces("WAENDE", (WALL, WALL), (W - WALL, WALL), south_windows)
faces("WAENDE", (0, H), (W, H), north_windows)
faces("WAENDE", (WALL, H - WALL), (W - WALL, H - WALL), north_windows)
faces("WAENDE", (0, 0), (0, H), [entrance])
faces("WAENDE", (WALL, WALL), (WALL, H - WALL), [entrance])
faces("WAENDE", (W, 0), (W, H), [bay])
faces("WAENDE", (W - WALL, WALL), (W - WALL, H - WALL), [(bay[0] + WALL, bay[1] - WALL)])
for o_from, o_to in south_windows:
    window(True, 0.0, WALL, o_from, o_to)
for o_from, o_to in north_windows:
    window(True, H, H - WALL, o_from, o_to)
for y in entrance:
    line("OEFFNUNGEN", (0, y), (WALL, y))

# The curved bay: the outer face goes round, the inner face follows inside the wall.
bay_centre = (W, (bay[0] + bay[1]) / 2)
bay_r = (bay[1] - bay[0]) / 2
arc("WAENDE", bay_centre, bay_r, 270.0, 90.0)
arc("WAENDE", bay_centre, bay_r - WALL, 270.0, 90.0)
line("WAENDE", (W - WALL, bay[0] + WALL), (W, bay[0] + WALL))
line("WAENDE", (W - WALL, bay[1] - WALL), (W, bay[1] - WALL))

# Partitions with their door openings.
faces("WAENDE", (5.0, WALL), (5.0, H - WALL), [inner_door_y])
faces("WAENDE", (5.0 + PART, WALL), (5.0 + PART, H - WALL), [inner_door_y, (5.0, 5.0 + PART)])
faces("WAENDE", (5.0 + PART, 5.0), (W - WALL, 5.0), [inner_door_x])
faces("WAENDE", (5.0 + PART, 5.0 + PART), (W - WALL, 5.0 + PART), [inner_door_x])
for y in inner_door_y:
    line("OEFFNUNGEN", (5.0, y), (5.0 + PART, y))
for x in inner_door_x:
    line("OEFFNUNGEN", (x, 5.0), (x, 5.0 + PART))

# Doors: the leaf stands open, the swing shows where it goes.
door((WALL, entrance[0]), entrance[1] - entrance[0], 0.0, 0.0, 90.0)
door((5.0 + PART, inner_door_y[1]), inner_door_y[1] - inner_door_y[0], 0.0, 270.0, 0.0)
door((inner_door_x[0], 5.0), inner_door_x[1] - inner_door_x[0], 270.0, 270.0, 0.0)

# Rooms with their names and areas (Latin-1 in this file's code page).
rooms = [((2.6, 4.6), "Wohnen", (5.0 - WALL) * (H - 2 * WALL)),
         ((8.4, 7.0), "Küche", (W - WALL - 5.0 - PART) * (H - WALL - 5.0 - PART)),
         ((8.4, 2.6), "Schlafen", (W - WALL - 5.0 - PART) * (5.0 - WALL) + math.pi * bay_r ** 2 / 2)]
for (x, y), name, area in rooms:
    text("RAEUME", (x, y + 0.2), 0.3, name)
    text("RAEUME", (x, y - 0.3), 0.2, f"{area:.2f} m²".replace(".", ","))

group(0, "ENDSEC")
group(0, "EOF")

path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "house.dxf")
with open(path, "w", encoding="latin-1", newline="\r\n") as f:
    f.write("\n".join(out) + "\n")
