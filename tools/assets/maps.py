"""Dining-room floor plans of the three maps: aisles, walking routes and the
hidden route pictures that steer the customers.

Everything is laid out in floor coordinates (p, q):
  p grows along the DownRight diagonal, q along the DownLeft diagonal,
  x = 0.866 * (p - q), y = 0.5 * (p + q)   (window pixels).
A customer walking DownRight adds d to p, DownLeft adds d to q, UpRight
subtracts d from q, UpLeft subtracts d from p.

Run from the repository root: /usr/bin/python3 tools/assets/maps.py
pathcheck.py imports the floor plans from here.
"""
import numpy as np

W, H = 1920, 1080
HUD_X = 1540
K = 3.0 ** 0.5  # x / K turns a screen x offset into floor units

DOWN_RIGHT, DOWN_LEFT, UP_RIGHT, UP_LEFT = 0, 1, 2, 3
DIR_VEC = {DOWN_RIGHT: (1, 0), DOWN_LEFT: (0, 1), UP_RIGHT: (0, -1), UP_LEFT: (-1, 0)}
# colour of the band that turns a customer into that direction
TURN_RGB = {DOWN_LEFT: (255, 0, 0), DOWN_RIGHT: (0, 0, 255),
            UP_LEFT: (0, 255, 0), UP_RIGHT: (255, 255, 0)}
EXIT_RGB = (255, 0, 255)

HALF_AISLE = 46      # visible half width of an aisle, floor units
BAND_REACH = 72      # half width of a turn band across the aisle
BAND_DEPTH = 46      # band length along the walking direction (> 2 longest steps)
LANE_PULL = 0.5      # how much of a lane offset survives a bend


def to_screen(p, q):
    return (0.8660254 * (p - q), 0.5 * (p + q))


def to_floor(x, y):
    return (x / K + y, y - x / K)


def direction_between(a, b):
    dp, dq = b[0] - a[0], b[1] - a[1]
    if abs(dq) < 1e-6 and dp > 0:
        return DOWN_RIGHT
    if abs(dq) < 1e-6 and dp < 0:
        return UP_LEFT
    if abs(dp) < 1e-6 and dq > 0:
        return DOWN_LEFT
    if abs(dp) < 1e-6 and dq < 0:
        return UP_RIGHT
    raise ValueError("route legs must follow a floor diagonal: %r -> %r" % (a, b))


class Route:
    """One walking route: entrance, corners, start of the exit band.

    lean: optional per-corner slope of the turning line (see band_masks)."""

    def __init__(self, name, file, entrance_xy, corners, exit_start, lean=None):
        self.name = name
        self.file = file
        self.entrance_xy = entrance_xy
        ep = to_floor(*entrance_xy)
        self.points = [ep] + list(corners) + [exit_start]
        self.lean = lean or {}
        self.dirs = [direction_between(self.points[i], self.points[i + 1])
                     for i in range(len(self.points) - 1)]

    @property
    def start_dir(self):
        return self.dirs[0]


def _lateral_axis(d):
    # unit floor vector across a walking direction
    v = DIR_VEC[d]
    return (abs(v[1]), abs(v[0]))


def band_masks(route, P, Q):
    """Boolean masks (turn bands with their new direction, exit band)."""
    bands = []
    for i in range(1, len(route.points) - 1):
        cp, cq = route.points[i]
        din, dout = route.dirs[i - 1], route.dirs[i]
        I, O = DIR_VEC[din], DIR_VEC[dout]
        lat = _lateral_axis(din)
        # Lane e (offset across the incoming leg) turns on the line
        # C + e * (lat + sigma * kappa * I); kappa = 1 would keep every lane
        # at its own distance from the bend, a smaller |kappa| draws the lanes
        # together, so offsets from side steps and from overshooting the
        # band by one step die out instead of adding up bend after bend.
        kappa = route.lean.get(i, LANE_PULL)
        sigma = -(lat[0] * O[0] + lat[1] * O[1])
        v = (lat[0] + sigma * kappa * I[0], lat[1] + sigma * kappa * I[1])
        n = (v[1], -v[0])
        s = n[0] * I[0] + n[1] * I[1]
        n = (n[0] / s, n[1] / s)
        depth = n[0] * (P - cp) + n[1] * (Q - cq)
        e = lat[0] * (P - cp) + lat[1] * (Q - cq)
        m = (depth >= 0) & (depth <= BAND_DEPTH) & (np.abs(e) <= BAND_REACH)
        bands.append((m, dout))
    ex, eq = route.points[-1]
    dlast = route.dirs[-1]
    O = DIR_VEC[dlast]
    lat = _lateral_axis(dlast)
    depth = O[0] * (P - ex) + O[1] * (Q - eq)
    e = lat[0] * (P - ex) + lat[1] * (Q - eq)
    exitm = (depth >= 0) & (np.abs(e) <= BAND_REACH + 10)
    return bands, exitm


_grid = None


def floor_grid():
    global _grid
    if _grid is None:
        ys, xs = np.mgrid[0:H, 0:W].astype(np.float64)
        xs += 0.5
        ys += 0.5
        _grid = (xs / K + ys, ys - xs / K)
    return _grid


def route_image(route):
    """RGB array of the route picture: white floor, coloured bands.

    The bands are cut along the 8 x 8 blocks of the JPEG so that every block
    holds one flat colour, which a quality-100 JPEG gives back exactly."""
    P, Q = floor_grid()
    P8, Q8 = P[4::8, 4::8], Q[4::8, 4::8]
    img8 = np.full(P8.shape + (3,), 255, np.uint8)
    bands, exitm = band_masks(route, P8, Q8)
    for m, d in bands:
        img8[m] = TURN_RGB[d]
    img8[exitm] = EXIT_RGB
    return np.repeat(np.repeat(img8, 8, 0), 8, 1)[:H, :W]


# ---------------------------------------------------------------- the maps
F1 = to_floor(487, 68)      # map 1 entrance, under the door
G1 = to_floor(513, 1072)    # map 1 way out, bottom edge
F2 = to_floor(455, 1075)    # map 2 entrance, front edge
F3A = to_floor(118, 1070)   # map 3 front entrance
F3B = to_floor(741, 0)      # map 3 back entrance

# map 1: one long diagonal from the door, one bend, out at the front
M1_ROW = F1[1]
M1_COL = G1[0]
MAP1_ROUTES = [
    Route("map1", "lvl_1 collision chemin1.jpg", (487, 68),
          [(M1_COL, M1_ROW)], (M1_COL, 725.0)),
]
MAP1_AISLES = [((300.0, M1_ROW), (M1_COL, M1_ROW)),
               ((M1_COL, M1_ROW), (M1_COL, 840.0))]
MAP1_EXIT = (513, 1072)

# map 2: zig-zag around the tables; the short way is the middle column
M2_ROW0 = F2[1]          # 812.3
M2_C1, M2_R1, M2_C2, M2_R2, M2_C3, M2_R3 = 953.0, 406.0, 553.0, -292.0, 1153.0, 210.0
M2_EXIT_P = 1785.0
MAP2_ROUTES = [
    Route("map2", "lvl_2 collision chemin1.jpg", (455, 1075),
          [(M2_C1, M2_ROW0), (M2_C1, M2_R1), (M2_C2, M2_R1), (M2_C2, M2_R2),
           (M2_C3, M2_R2), (M2_C3, M2_R3)], (M2_EXIT_P, M2_R3)),
    Route("map2 fast", "lvl_2 collision chemin2_fast.jpg", (455, 1075),
          [(M2_C3, M2_ROW0), (M2_C3, M2_R3)], (M2_EXIT_P, M2_R3)),
]
MAP2_AISLES = [((1400.0, M2_ROW0), (M2_C1, M2_ROW0)), ((M2_C1, M2_ROW0), (M2_C1, M2_R1)),
               ((M2_C1, M2_R1), (M2_C2, M2_R1)), ((M2_C2, M2_R1), (M2_C2, M2_R2)),
               ((M2_C2, M2_R2), (M2_C3, M2_R2)), ((M2_C3, M2_R2), (M2_C3, M2_ROW0)),
               ((M2_C3, M2_R3), (1960.0, M2_R3))]
MAP2_SHORTCUT = ((M2_C3, M2_R3), (M2_C3, M2_ROW0))
MAP2_EXIT = to_screen(1840.0, M2_R3)

# map 3: two entrances; the front one loops round the left tables, the back
# one climbs round the upper tables; the short ways go straight through
M3_CA = F3A[0]           # 1138.1, front entrance column
M3_CB = F3B[0]           # 427.8, back entrance column
M3_RA = 600.0            # row of the front loop
M3_CL = 652.0            # left column of the front loop
M3_RM = 318.0            # middle row
M3_CK = 1343.0           # column by the kiosks
M3_RT = 120.0            # row to the way out
M3_CX = 1643.0           # last column, down to the way out
M3_RB = -83.0            # row under the back entrance
M3_CU = 843.0            # column up to the top row
M3_RU = -370.0           # top row
M3_CS = 943.0            # short way of the back entrance
M3_EXIT_Q = 430.0
MAP3_ROUTES = [
    Route("map3 front", "lvl_3 collision chemin 1.jpg", (118, 1070),
          [(M3_CA, M3_RA), (M3_CL, M3_RA), (M3_CL, M3_RM), (M3_CK, M3_RM),
           (M3_CK, M3_RT), (M3_CX, M3_RT)], (M3_CX, M3_EXIT_Q), lean={2: -0.35}),
    Route("map3 back", "lvl_3 collision chemin 2.jpg", (741, 0),
          [(M3_CB, M3_RB), (M3_CU, M3_RB), (M3_CU, M3_RU), (M3_CA, M3_RU),
           (M3_CA, M3_RT), (M3_CX, M3_RT)], (M3_CX, M3_EXIT_Q)),
    Route("map3 front fast", "lvl_3 collision chemin 1_fast.jpg", (118, 1070),
          [(M3_CA, M3_RT), (M3_CX, M3_RT)], (M3_CX, M3_EXIT_Q)),
    Route("map3 back fast", "lvl_3 collision chemin 2_fast.jpg", (741, 0),
          [(M3_CB, M3_RB), (M3_CS, M3_RB), (M3_CS, M3_RT), (M3_CX, M3_RT)],
          (M3_CX, M3_EXIT_Q)),
]
MAP3_AISLES = [((M3_CA, 1100.0), (M3_CA, M3_RA)), ((M3_CA, M3_RA), (M3_CL, M3_RA)),
               ((M3_CL, M3_RA), (M3_CL, M3_RM)), ((M3_CL, M3_RM), (M3_CK, M3_RM)),
               ((M3_CK, M3_RM), (M3_CK, M3_RT)), ((M3_CA, M3_RA), (M3_CA, M3_RU)),
               ((M3_CB, -520.0), (M3_CB, M3_RB)), ((M3_CB, M3_RB), (M3_CS, M3_RB)),
               ((M3_CU, M3_RB), (M3_CU, M3_RU)), ((M3_CU, M3_RU), (M3_CA, M3_RU)),
               ((M3_CS, M3_RB), (M3_CS, M3_RT)), ((M3_CS, M3_RT), (M3_CX, M3_RT)),
               ((M3_CX, M3_RT), (M3_CX, 620.0))]
MAP3_SHORTCUTS = [((M3_CA, M3_RT), (M3_CA, M3_RA)), ((M3_CS, M3_RB), (M3_CS, M3_RT))]
MAP3_EXIT = to_screen(M3_CX, 500.0)

# fixed layout of the levels (pedestals: facing, x, y)
PEDESTALS = {
    1: [(1, 1032, 280), (2, 860.5, 379.5), (3, 1376, 680), (4, 1202.5, 580),
        (0, 1032, 680), (3, 946, 930)],
    2: [(0, 132, 780), (4, 473, 780), (4, 301, 480), (0, 387, 230), (4, 731, 230),
        (1, 1075, 230), (4, 1075, 430), (4, 644, 680), (4, 817, 780), (1, 1247, 830),
        (4, 990, 690)],
    3: [(0, 111, 480), (4, 282, 580), (2, 369, 230), (3, 455, 980), (4, 455, 480),
        (4, 541, 730), (4, 713, 430), (4, 713, 630), (4, 886, 730), (4, 971, 380),
        (4, 1056, 630), (2, 1057, 830), (4, 1229, 530), (4, 1229, 730), (1, 1315, 280),
        (4, 1315, 980)],
}
DECORATIONS = {
    1: [("bornesprite.png", 48, 132, 0, 1216, 751), ("borne.png", 48, 132, 0, 1105, 72),
        ("borne.png", 48, 132, 0, 994, 9), ("celib borne.png", 60, 147, 1, 1169, 719),
        ("Sprite celib commande.png", 60, 147, 1, 1142, 40), ("tele.png", 139, 169, 4, 17, 341),
        ("gros mange.png", 172, 179, 2, 376, 417), ("gros mange.png", 172, 179, 3, 1070, 879),
        ("sprite poubelle face vers droite.png", 60, 112, 5, 845, 588)],
    2: [("gros mange.png", 172, 179, 3, 486, 373), ("gros mange seul.png", 170, 175, 2, 834, 818),
        ("sprite poubelle face vers gauche.png", 60, 112, 5, 1508, 332),
        ("sprite poubelle dos vers droite.png", 60, 112, 5, -19, 349)],
    3: [("gros mange.png", 172, 179, 3, -18, 767), ("borne.png", 48, 132, 0, 558, 857),
        ("borne.png", 48, 132, 0, 675, 789), ("borne.png", 48, 132, 0, 779, 731),
        ("Sprite celib commande.png", 60, 147, 1, 712, 757),
        ("gros mange seul.png", 170, 175, 2, 377, 251),
        ("sprite poubelle face vers gauche.png", 60, 112, 5, 1867, 267),
        ("sprite poubelle face vers droite.png", 60, 112, 5, 1143, 132),
        ("sprite poubelle dos vers gauche.png", 60, 112, 5, 321, 589)],
}
SIGNS = {2: [(709.5, 728)], 3: [(771.5, 474), (799, 680), (523.5, 828)]}
MOPPERS = {2: [(767.5, 692.5)], 3: [(839, 439), (839, 439), (591, 793)]}
ROUTES = {1: MAP1_ROUTES, 2: MAP2_ROUTES, 3: MAP3_ROUTES}
AISLES = {1: MAP1_AISLES, 2: MAP2_AISLES, 3: MAP3_AISLES}
SHORTCUTS = {1: [], 2: [MAP2_SHORTCUT], 3: MAP3_SHORTCUTS}
EXITS = {1: MAP1_EXIT, 2: MAP2_EXIT, 3: MAP3_EXIT}
# which routes each entrance uses (map, route index) -> entrance
RANGE_SIZES = {1: (420, 244), 3: (700, 406)}


def aisle_mask(mapno, P=None, Q=None, half=HALF_AISLE, extra=()):
    """Floor area of the visible aisle (union of straight strips)."""
    if P is None:
        P, Q = floor_grid()
    m = np.zeros(P.shape, bool)
    for (a, b) in list(AISLES[mapno]) + list(extra):
        p0, p1 = sorted((a[0], b[0]))
        q0, q1 = sorted((a[1], b[1]))
        m |= (P >= p0 - half) & (P <= p1 + half) & (Q >= q0 - half) & (Q <= q1 + half)
    return m


# ---------------------------------------------------------------- output
import math
import os
import subprocess
import sys
from PIL import Image, ImageDraw, ImageFilter, ImageFont

from words import french, speaking, languages, twin, LANGUAGES

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
MAP_DIR = os.path.join(ROOT, "resources", "textures", "map")
TOUR_DIR = os.path.join(ROOT, "resources", "textures", "tour")
EMOJI_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                         "node_modules", "fluentui-emoji", "icons", "flat")
FONT_FILE = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
CACHE = "/tmp/gobbler-maps-emoji"

INK = (59, 35, 20, 255)
CLEAR = (0, 0, 0, 0)
USED_EMOJI = set()


def rgba(c, a=None):
    c = tuple(int(v) for v in c)
    if len(c) == 3:
        c = c + (255,)
    if a is not None:
        c = c[:3] + (int(a),)
    return c


def shade(c, f):
    c = rgba(c)
    if f <= 1.0:
        return (int(c[0] * f), int(c[1] * f), int(c[2] * f), c[3])
    t = f - 1.0
    return tuple(int(v + (255 - v) * t) for v in c[:3]) + (c[3],)


def mix(a, b, t):
    a, b = rgba(a), rgba(b)
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(4))


def emoji(name, size):
    """A Fluent flat emoji rasterised at size x size."""
    USED_EMOJI.add(name)
    os.makedirs(CACHE, exist_ok=True)
    out = os.path.join(CACHE, "%s-%d.png" % (name, size))
    if not os.path.exists(out):
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size),
                        os.path.join(EMOJI_DIR, name + ".svg"), "-o", out], check=True)
    return Image.open(out).convert("RGBA")


def font(size):
    return ImageFont.truetype(FONT_FILE, size)


class Painter:
    """Supersampled drawing surface with outlined flat shapes and an
    isometric projection (p, q, z) -> screen, z up in pixels."""

    def __init__(self, w, h, ss=3, bg=CLEAR, ox=0.0, oy=0.0):
        self.w, self.h, self.ss = w, h, ss
        self.im = Image.new("RGBA", (w * ss, h * ss), rgba(bg))
        self.d = ImageDraw.Draw(self.im)
        self.ox, self.oy = ox, oy

    def S(self, x, y):
        return (x * self.ss, y * self.ss)

    def poly(self, pts, fill, ink=INK, ow=2.0):
        P = [self.S(*p) for p in pts]
        if fill is not None:
            self.d.polygon(P, fill=rgba(fill))
        if ink is not None and ow:
            self.d.line(P + [P[0]], fill=rgba(ink), width=max(1, int(round(ow * self.ss))), joint="curve")

    def ell(self, cx, cy, rx, ry, fill, ink=INK, ow=2.0):
        s = self.ss
        box = [(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s]
        if ink is not None and ow:
            self.d.ellipse(box, fill=rgba(fill) if fill is not None else None, outline=rgba(ink),
                           width=max(1, int(round(ow * s))))
        else:
            self.d.ellipse(box, fill=rgba(fill))

    def line(self, pts, fill, width=2.0):
        self.d.line([self.S(*p) for p in pts], fill=rgba(fill), width=max(1, int(round(width * self.ss))),
                    joint="curve")

    def rect(self, x0, y0, x1, y1, fill, ink=INK, ow=2.0):
        self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], fill, ink, ow)

    def text(self, x, y, s, size, fill, anchor="mm", stroke=0, stroke_fill=INK):
        self.d.text(self.S(x, y), s, font=font(int(size * self.ss)), fill=rgba(fill), anchor=anchor,
                    stroke_width=int(stroke * self.ss), stroke_fill=rgba(stroke_fill))

    def paste(self, im, x, y, size=None):
        """Paste an RGBA picture whose top-left lands at (x, y); size in output px."""
        if size is not None:
            im = im.resize((int(size[0] * self.ss), int(size[1] * self.ss)), Image.LANCZOS)
        self.im.alpha_composite(im, (int(x * self.ss), int(y * self.ss)))

    def emoji(self, name, cx, cy, size):
        im = emoji(name, int(size * self.ss))
        self.im.alpha_composite(im, (int((cx - size / 2) * self.ss), int((cy - size / 2) * self.ss)))

    # isometric helpers
    def iso(self, p, q, z=0.0):
        return (self.ox + 0.8660254 * (p - q), self.oy + 0.5 * (p + q) - z)

    def box(self, p0, q0, p1, q1, z0, z1, top, left=None, right=None, ink=INK, ow=2.0):
        left = left if left is not None else shade(top, 0.82)
        right = right if right is not None else shade(top, 0.66)
        i = self.iso
        self.poly([i(p0, q1, z0), i(p1, q1, z0), i(p1, q1, z1), i(p0, q1, z1)], left, ink, ow)
        self.poly([i(p1, q0, z0), i(p1, q1, z0), i(p1, q1, z1), i(p1, q0, z1)], right, ink, ow)
        self.poly([i(p0, q0, z1), i(p1, q0, z1), i(p1, q1, z1), i(p0, q1, z1)], top, ink, ow)

    def cyl(self, p, q, r, z0, z1, top, side=None, ink=INK, ow=2.0):
        side = side if side is not None else shade(top, 0.72)
        cx, y0 = self.iso(p, q, z0)
        _, y1 = self.iso(p, q, z1)
        rx, ry = 1.2247 * r, 0.7071 * r
        self.ell(cx, y0, rx, ry, side, ink, ow)
        self.poly([(cx - rx, y1), (cx + rx, y1), (cx + rx, y0), (cx - rx, y0)], side, None, 0)
        self.line([(cx - rx, y1), (cx - rx, y0)], ink, ow)
        self.line([(cx + rx, y1), (cx + rx, y0)], ink, ow)
        self.ell(cx, y1, rx, ry, top, ink, ow)

    def floor_poly(self, pts, fill, ink=INK, ow=2.0, z=0.0):
        self.poly([self.iso(p, q, z) for p, q in pts], fill, ink, ow)

    def shadow(self, cx, cy, rx, ry, alpha=70, blur=6):
        s = self.ss
        lay = Image.new("L", (int((2 * rx + 4 * blur) * s), int((2 * ry + 4 * blur) * s)), 0)
        ImageDraw.Draw(lay).ellipse([2 * blur * s, 2 * blur * s, (2 * blur + 2 * rx) * s,
                                     (2 * blur + 2 * ry) * s], fill=alpha)
        lay = lay.filter(ImageFilter.GaussianBlur(blur * s))
        black = Image.new("RGBA", lay.size, (20, 10, 10, 255))
        black.putalpha(lay)
        self.im.alpha_composite(black, (int((cx - rx - 2 * blur) * s), int((cy - ry - 2 * blur) * s)))

    def result(self):
        return self.im.resize((self.w, self.h), Image.LANCZOS)


def save_png(im, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    im.save(path, optimize=True)


# ---------------------------------------------------------------- map pictures
# per map: back walls (floor lines p = PW, q = QW), colours, floor pattern
THEMES = {
    1: dict(PW=373.0, QW=-540.0, tile=64.0,
            floor_a=(246, 226, 190), floor_b=(232, 204, 160), grout=(205, 172, 128),
            aisle=(206, 52, 46), aisle_b=(170, 34, 32), edge=(255, 196, 58), edge_d=(216, 140, 20),
            wall_lo=(206, 52, 46), wall_hi=(255, 240, 214), trim=(255, 196, 58), skirting=(120, 30, 26),
            pattern="carpet"),
    2: dict(PW=420.0, QW=-480.0, tile=36.0,
            floor_a=(196, 140, 86), floor_b=(182, 126, 74), grout=(150, 98, 56),
            aisle=(226, 236, 240), aisle_b=(196, 214, 222), edge=(40, 170, 160), edge_d=(20, 120, 112),
            wall_lo=(40, 150, 140), wall_hi=(236, 248, 240), trim=(250, 180, 60), skirting=(24, 90, 84),
            pattern="planks"),
    3: dict(PW=360.0, QW=-520.0, tile=56.0,
            floor_a=(200, 232, 214), floor_b=(160, 210, 190), grout=(120, 176, 156),
            aisle=(236, 138, 76), aisle_b=(214, 110, 56), edge=(255, 244, 214), edge_d=(210, 190, 150),
            wall_lo=(120, 86, 170), wall_hi=(250, 236, 250), trim=(255, 160, 60), skirting=(70, 46, 110),
            pattern="tiles"),
}
WALL_H = 250.0
MAP_SS = 2


def _floor_arrays(ss):
    ys, xs = np.mgrid[0:H * ss, 0:W * ss].astype(np.float32)
    xs = (xs + 0.5) / ss
    ys = (ys + 0.5) / ss
    return xs, ys, xs / np.float32(K) + ys, ys - xs / np.float32(K)


def _paint_base(mapno, th):
    """Floor, aisle and walls as one RGB array at MAP_SS resolution."""
    ss = MAP_SS
    xs, ys, P, Q = _floor_arrays(ss)
    PW, QW, T = th["PW"], th["QW"], th["tile"]
    img = np.zeros(P.shape + (3,), np.float32)
    # floor tiles
    if th["pattern"] == "planks":
        # planks run along p; staggered joints
        row = np.floor(Q / T)
        joint = np.floor((P + (row % 3) * 57.0) / 150.0)
        base = np.where(((row + joint) % 3) == 0, 1.0, 0.0)[..., None]
        img[:] = np.array(th["floor_a"]) * (1 - base) + np.array(th["floor_b"]) * base
        fq = (Q / T) % 1.0
        fj = ((P + (row % 3) * 57.0) / 150.0) % 1.0
        line = (fq < 0.06) | (fj < 0.012)
        img[line] = th["grout"]
        # a little grain
        grain = (np.sin(P * 0.21 + row * 1.7) * np.sin(P * 0.047 + row * 3.1)) * 6.0
        img += grain[..., None]
    else:
        par = (np.floor(P / T) + np.floor(Q / T)) % 2
        img[:] = np.where(par[..., None] > 0, np.array(th["floor_b"]), np.array(th["floor_a"]))
        fp, fq = (P / T) % 1.0, (Q / T) % 1.0
        line = (fp < 0.035) | (fq < 0.035)
        img[line] = th["grout"]
    # aisle runner
    half = HALF_AISLE
    inner = aisle_mask(mapno, P, Q, half=half - 9)
    outer = aisle_mask(mapno, P, Q, half=half)
    rim = aisle_mask(mapno, P, Q, half=half + 2.5)
    img[rim & ~outer] = INK[:3]
    img[outer & ~inner] = th["edge"]
    edge_in = aisle_mask(mapno, P, Q, half=half - 4)
    img[outer & ~inner & ~edge_in] = th["edge_d"]
    a = np.array(th["aisle"], np.float32)
    bcol = np.array(th["aisle_b"], np.float32)
    if th["pattern"] == "carpet":
        pat = ((np.floor(P / 32) + np.floor(Q / 32)) % 2)[..., None]
        col = a * (1 - pat * 0.35) + bcol * (pat * 0.35)
        dots = (((P % 32) - 16) ** 2 + ((Q % 32) - 16) ** 2) < 20
        col[dots] = th["edge"]
    elif th["pattern"] == "planks":
        pat = ((np.floor(P / 28) + np.floor(Q / 28)) % 2)[..., None]
        col = a * (1 - pat) + bcol * pat
        g = ((P % 28) < 1.6) | ((Q % 28) < 1.6)
        col[g] = (170, 186, 196)
    else:
        pat = ((np.floor(P / 28) + np.floor(Q / 28)) % 2)[..., None]
        col = a * (1 - pat) + bcol * pat
        g = ((P % 28) < 1.8) | ((Q % 28) < 1.8)
        col[g] = (180, 90, 50)
    img[inner] = col[inner]
    # soft darkening of the floor near the walls
    dist = np.minimum(P - PW, Q - QW)
    img *= (1.0 - 0.28 * np.exp(-np.clip(dist, 0, None) / 26.0))[..., None]
    # walls
    ql = PW - xs / np.float32(0.8660254)        # left wall: the floor q under this x
    zl = 0.5 * (PW + ql) - ys
    pr = QW + xs / np.float32(0.8660254)        # right wall
    zr = 0.5 * (pr + QW) - ys
    onleft = (P < PW) & (ql >= QW)
    onright = (Q < QW) & (pr >= PW)
    for m, z, along, light in ((onleft, zl, ql, 1.0), (onright, zr, pr, 0.82)):
        zz = z[m]
        col = np.zeros((zz.size, 3), np.float32)
        col[:] = th["wall_hi"]
        col[zz < 110] = th["wall_lo"]
        col[(zz >= 104) & (zz < 116)] = th["trim"]
        col[zz < 16] = th["skirting"]
        # vertical panel lines on the lower part
        panel = ((along[m] % 80) < 2.5) & (zz < 104) & (zz >= 16)
        col[panel] = np.array(th["wall_lo"]) * 0.8
        col[(zz >= WALL_H - 14) & (zz < WALL_H)] = th["trim"]
        col[zz >= WALL_H] = (70, 52, 60)
        img[m] = col * light
    # the two wall foot lines and the corner
    return np.clip(img, 0, 255).astype(np.uint8)


# ---------------------------------------------------------------- floor props
def sheet(cells, cols, cw, ch, rows=1):
    out = Image.new("RGBA", (cols * cw, rows * ch), CLEAR)
    for idx, im in enumerate(cells):
        if im is None:
            continue
        out.paste(im, ((idx % cols) * cw, (idx // cols) * ch))
    return out


def make_pedestal():
    """Empty plinth, 104 x 60, centre (52, 30) on the floor point."""
    pa = Painter(104, 60, 4, ox=52, oy=27)
    r = 36.0  # floor half size of the slab (diamond 104 wide)
    t = 7.0
    top, side_l, side_r = (214, 220, 230), (160, 168, 182), (128, 136, 152)
    i = pa.iso
    pa.poly([i(-r, r, 0), i(r, r, 0), i(r, r, t), i(-r, r, t)], side_l, INK, 1.6)
    pa.poly([i(r, -r, 0), i(r, r, 0), i(r, r, t), i(r, -r, t)], side_r, INK, 1.6)
    pa.poly([i(-r, -r, t), i(r, -r, t), i(r, r, t), i(-r, r, t)], top, INK, 1.6)
    # yellow and black border, plate in the middle with a plus
    k = 26.0
    pa.poly([i(-k, -k, t), i(k, -k, t), i(k, k, t), i(-k, k, t)], (255, 200, 61), INK, 1.2)
    k2 = 18.0
    pa.poly([i(-k2, -k2, t), i(k2, -k2, t), i(k2, k2, t), i(-k2, k2, t)], (236, 240, 246), INK, 1.0)
    cx, cy = i(0, 0, t)
    pa.line([(cx - 8, cy), (cx + 8, cy)], (70, 170, 80), 3.4)
    pa.line([(cx, cy - 5), (cx, cy + 5)], (70, 170, 80), 3.4)
    return pa.result()


def make_warning():
    pa = Painter(120, 120, 3)
    pa.ell(60, 60, 56, 56, (226, 58, 46), INK, 3)
    pa.ell(60, 60, 46, 46, (255, 240, 200), INK, 2)
    pa.emoji("warning", 60, 57, 78)
    return pa.result()


def make_wet_sign(t=french):
    """Yellow A-frame floor sign, 60 x 104."""
    pa = Painter(60, 104, 4)
    yel, yel_d = (255, 206, 40), (220, 160, 20)
    # back leg, then the front board
    pa.poly([(36, 12), (48, 100), (42, 100), (31, 14)], yel_d, INK, 1.6)
    pa.poly([(22, 8), (38, 8), (52, 96), (8, 96)], yel, INK, 2.0)
    pa.poly([(26, 4), (34, 4), (38, 10), (22, 10)], (60, 60, 60), INK, 1.4)
    # slipping man pictogram in a triangle
    pa.poly([(30, 24), (45, 52), (15, 52)], (255, 255, 255), INK, 1.8)
    pa.ell(31, 35, 2.6, 2.6, INK, None, 0)
    pa.line([(30, 38), (27, 45)], INK, 1.8)
    pa.line([(27, 45), (22, 49)], INK, 1.6)
    pa.line([(27, 45), (33, 49)], INK, 1.6)
    pa.line([(29, 40), (36, 38)], INK, 1.4)
    pa.line([(14, 70), (46, 70)], INK, 1.6)
    pa.text(30, 62, t("SOL"), 7.5, INK)
    pa.text(30, 79, t("GLISSANT"), 5.6, INK)
    pa.line([(13, 88), (47, 88)], (40, 40, 40), 2)
    return pa.result()


def make_bins():
    """Four bins (front or back, turned right or left), 5 columns of 60 x 112:
    empty, then ever fuller up to overflowing."""
    out = {}
    for back in (False, True):
        frames = []
        for level in range(5):
            pa = Painter(60, 112, 4, ox=30, oy=97)
            i = pa.iso
            pa.shadow(30, 99, 26, 9, 80, 3)
            body, body_d, lid = (90, 170, 110), (60, 130, 84), (70, 150, 94)
            r = 13.0
            h = 58.0
            pa.box(-r, -r, r, r, 0, h, lid, body, body_d)
            # the swinging flap on the face turned to the viewer
            if not back:
                pa.poly([i(r, -r + 6, h - 12), i(r, r - 6, h - 12), i(r, r - 6, h - 32), i(r, -r + 6, h - 32)],
                        (40, 60, 50), INK, 1.4)
                x, y = i(r, 0, h - 46)
                pa.emoji("litter-in-bin-sign", x, y, 16)
            else:
                pa.poly([i(-r + 4, r, 8), i(r - 4, r, 8), i(r - 4, r, h - 6), i(-r + 4, r, h - 6)], None,
                        shade(body, 0.85), 1.2)
            # rubbish piling up above the rim
            pile = [(-6, -4, "rolled-up-newspaper"), (5, 3, "french-fries"), (-3, 8, "cup-with-straw"),
                    (8, -8, "hamburger"), (0, 0, "roll-of-paper"), (-9, 6, "popcorn"), (6, 9, "beverage-box"),
                    (-5, -9, "cup-with-straw")]
            n = [0, 1, 3, 5, 8][level]
            for j, (dp, dq, name) in enumerate(pile[:n]):
                lift = 4 + (j // 3) * 9
                x, y = i(dp, dq, h + lift)
                pa.emoji(name, x, y - 4, 18 + (j % 3) * 2)
            if level == 4:
                for (dp, dq, name) in ((r + 8, 4, "cup-with-straw"), (-2, r + 10, "rolled-up-newspaper")):
                    x, y = i(dp, dq, 0)
                    pa.emoji(name, x, y - 6, 15)
            frames.append(pa.result())
        out[back] = frames
    files = {"sprite poubelle face vers droite.png": (out[False], False),
             "sprite poubelle face vers gauche.png": (out[False], True),
             "sprite poubelle dos vers droite.png": (out[True], True),
             "sprite poubelle dos vers gauche.png": (out[True], False)}
    res = {}
    for name, (frames, mirror) in files.items():
        cells = [f.transpose(Image.FLIP_LEFT_RIGHT) if mirror else f for f in frames]
        res[name] = sheet(cells, 5, 60, 112)
    return res


KIOSK_SCREENS = ["hamburger", "french-fries", "cup-with-straw", "hot-dog", "pizza", "soft-ice-cream",
                 "doughnut", "taco", "popcorn"]


def make_kiosk(body, accent):
    """Slim order kiosk, 9 columns of 48 x 132; each column another page of the menu."""
    frames = []
    for f in range(9):
        pa = Painter(48, 132, 4, ox=24, oy=118)
        i = pa.iso
        pa.shadow(24, 120, 20, 7, 80, 3)
        pa.box(-12, -9, 12, 9, 0, 8, shade(body, 0.7))
        pa.box(-7, -5, 7, 5, 8, 62, body)
        # tilted screen head
        pa.box(-14, -7, 14, 7, 62, 104, accent)
        sc = [i(14, -12 + 7, 67), i(14, 12 - 7 + 5, 67), i(14, 12 - 7 + 5, 100), i(14, -12 + 7, 100)]
        sc = [i(-12, 7, 66), i(12, 7, 66), i(12, 7, 100), i(-12, 7, 100)]
        pa.poly(sc, (30, 40, 60), INK, 1.4)
        inner = [i(-10, 7, 69), i(10, 7, 69), i(10, 7, 97), i(-10, 7, 97)]
        pa.poly(inner, (240, 250, 255), None, 0)
        x, y = i(0, 7, 84)
        pa.emoji(KIOSK_SCREENS[f], x, y - 1, 17)
        pa.rect(x - 8, y + 7, x + 8, y + 10, (226, 58, 46), None, 0)
        # card slot and receipt
        x2, y2 = i(0, 7, 52)
        pa.rect(x2 - 5, y2 - 2, x2 + 5, y2 + 2, (40, 40, 40), INK, 0.8)
        frames.append(pa.result())
    return sheet(frames, 9, 48, 132)


def make_door():
    """Double door in the left back wall of map 1 (cells of 149 x 245):
    column 0 closed ... 4 open. The wall foot runs from (0, 245) up to
    (149, 159) inside the cell (drawn at (446, -129) on the map)."""
    frames = []
    PW = THEMES[1]["PW"]
    # map frame -> cell frame offset
    ox, oy = -446.0, 129.0
    for f in range(5):
        pa = Painter(149, 245, 3, ox=ox, oy=oy)
        i = pa.iso
        q0, q1 = -298.0, -154.0   # door frame along the wall
        zt = 146.0
        # frame
        pa.poly([i(PW, q0 - 8, 0), i(PW, q1 + 8, 0), i(PW, q1 + 8, zt + 12), i(PW, q0 - 8, zt + 12)],
                (255, 196, 58), INK, 2.2)
        # the opening: sunny street behind
        pa.poly([i(PW, q0, 0), i(PW, q1, 0), i(PW, q1, zt), i(PW, q0, zt)], (150, 210, 245), INK, 2)
        pa.poly([i(PW, q0, 0), i(PW, q1, 0), i(PW, q1, 30), i(PW, q0, 30)], (150, 150, 160), None, 0)
        x, y = i(PW, q0 + 40, 80)
        pa.emoji("deciduous-tree", x, y, 54)
        # two glass leaves sliding apart into the wall
        lp = Painter(149, 245, 3, ox=ox, oy=oy)
        li = lp.iso
        qm = (q0 + q1) / 2.0
        sl = f / 4.0 * (qm - q0) * 0.92
        for (a, b) in ((q0 - sl, qm - sl), (qm + sl, q1 + sl)):
            lp.poly([li(PW, a, 0), li(PW, b, 0), li(PW, b, zt), li(PW, a, zt)], (236, 248, 255), INK, 2.2)
            lp.poly([li(PW, a + 10, 16), li(PW, b - 10, 16), li(PW, b - 10, zt - 12), li(PW, a + 10, zt - 12)],
                    (150, 210, 240, 200), INK, 1.2)
            lp.line([li(PW, a + 18, 40), li(PW, a + 28, 110)], (235, 250, 255), 3)
            h = b - 6 if a < qm - 1 - sl else a + 6
            lp.line([li(PW, h, 62), li(PW, h, 86)], (160, 160, 170), 3)
        mask = Image.new("L", pa.im.size, 0)
        ImageDraw.Draw(mask).polygon([pa.S(*i(PW, q0, 0)), pa.S(*i(PW, q1, 0)), pa.S(*i(PW, q1, zt)),
                                      pa.S(*i(PW, q0, zt))], fill=255)
        leaves = lp.im.copy()
        leaves.putalpha(Image.composite(lp.im.getchannel("A"), mask, mask))
        pa.im.alpha_composite(leaves)
        pa.poly([i(PW, q0, 0), i(PW, q1, 0), i(PW, q1, zt), i(PW, q0, zt)], None, INK, 2.2)
        # sign above the door
        x, y = i(PW, (q0 + q1) / 2, zt + 6)
        frames.append(pa.result())
    return sheet(frames, 5, 149, 245)


def make_tv(words=french):
    """Television on a low cabinet, cells 139 x 169, 25 columns x 4 rows:
    row 0 snow (3 frames), row 1 a burger advert (25 frames), rows 2 and 3
    single pictures (news, football)."""
    cw, ch = 139, 169
    sx0, sy0, sx1, sy1 = 14, 16, 125, 86   # screen area
    rnd = np.random.RandomState(7)

    def set_tv(content):
        pa = Painter(cw, ch, 3, ox=69.5, oy=140)
        i = pa.iso
        pa.shadow(69.5, 142, 58, 14, 80, 4)
        # cabinet
        pa.box(-38, -14, 38, 14, 0, 40, (150, 96, 56), (170, 112, 66), (120, 76, 42))
        for dp in (-18, 18):
            x, y = i(dp, 14, 20)
            pa.ell(x, y, 3, 3, (255, 210, 120), INK, 1)
        pa.line([i(0, 14, 4), i(0, 14, 36)], INK, 1.6)
        # stand and set
        x, y = i(0, 0, 40)
        pa.poly([(x - 16, y - 2), (x + 16, y - 2), (x + 10, y - 8), (x - 10, y - 8)], (60, 60, 70), INK, 1.6)
        pa.rect(x - 4, y - 18, x + 4, y - 6, (60, 60, 70), INK, 1.4)
        pa.rect(sx0 - 8, sy0 - 8, sx1 + 8, sy1 + 10, (50, 50, 60), INK, 2.4)
        pa.rect(sx0, sy0, sx1, sy1, (20, 20, 30), INK, 1.4)
        pa.ell(sx1 + 2, sy1 + 5, 2, 2, (226, 58, 46), None, 0)
        im = pa.result()
        im.alpha_composite(content, (sx0 + 1, sy0 + 1))
        return im

    sw, sh = sx1 - sx0 - 1, sy1 - sy0 - 1

    def screen(bg):
        return Painter(sw, sh, 3, bg=bg)

    cells = [None] * (25 * 4)
    for f in range(3):
        n = (rnd.rand(sh // 2 + 1, sw // 2 + 1) * 200 + 40).astype(np.uint8)
        im = Image.fromarray(n).resize((sw, sh), Image.NEAREST).convert("RGBA")
        cells[f] = set_tv(im)
    for f in range(25):
        sc = screen((255, 220, 90))
        t = f / 25.0
        # rays turning behind a bouncing burger
        cx, cy = sw / 2, sh / 2 + 4
        for k in range(12):
            a = 2 * math.pi * (k / 12.0 + t / 6.0)
            a2 = a + math.pi / 12
            sc.poly([(cx, cy), (cx + 120 * math.cos(a), cy + 120 * math.sin(a)),
                     (cx + 120 * math.cos(a2), cy + 120 * math.sin(a2))], (255, 190, 60), None, 0)
        bounce = abs(math.sin(t * 2 * math.pi * 2)) * 8
        size = 40 + 4 * math.sin(t * 2 * math.pi)
        sc.emoji("hamburger", cx - 18, cy - 2 - bounce, size)
        sc.emoji("french-fries", cx + 26, cy + 2, 28)
        if f >= 6:
            sc.text(cx, 9, words("MIAM !"), 12, (226, 58, 46), stroke=1.2, stroke_fill=(255, 255, 255))
        if f >= 14:
            sc.rect(4, sh - 15, sw - 4, sh - 3, (226, 58, 46), INK, 1)
            sc.text(cx, sh - 9, words("2 MENUS = 1 OFFERT"), 6.5, (255, 255, 255))
        cells[25 + f] = set_tv(sc.result())
    sc = screen((40, 90, 170))
    sc.rect(0, sh - 16, sw, sh, (226, 58, 46), None, 0)
    sc.text(sw / 2, sh - 8, words("INFO : RUÉE SUR LES FRITES"), 6.2, (255, 255, 255))
    sc.rect(12, 44, 48, sh - 16, (60, 60, 90), INK, 1.4)
    sc.poly([(26, 44), (34, 44), (30, 52)], (255, 255, 255), None, 0)
    sc.ell(30, 30, 14, 16, (250, 196, 150), INK, 1.4)
    sc.poly([(16, 26), (20, 14), (32, 11), (43, 18), (44, 26), (36, 20), (24, 22)], (90, 56, 30), INK, 1.0)
    for ex in (25, 35):
        sc.ell(ex, 30, 1.6, 2.2, INK, None, 0)
    sc.line([(25, 38), (30, 41), (35, 38)], INK, 1.2)
    sc.emoji("french-fries", 80, 30, 36)
    cells[50] = set_tv(sc.result())
    sc = screen((70, 170, 80))
    for k in range(0, sw, 16):
        sc.rect(k, 0, k + 8, sh, (80, 185, 90), None, 0)
    sc.line([(sw / 2, 0), (sw / 2, sh)], (255, 255, 255), 1.5)
    sc.ell(sw / 2, sh / 2, 14, 10, None, (255, 255, 255), 1.5)
    sc.emoji("soccer-ball", sw / 2 + 20, sh / 2 + 6, 14)
    sc.rect(3, 3, 44, 15, (30, 30, 40), None, 0)
    sc.text(24, 9, "2 - 1", 8, (255, 255, 255))
    cells[75] = set_tv(sc.result())
    return sheet(cells, 25, cw, ch, 4)


# The people of the dining room are drawn with the customers' own puppet
# kit, so the client at the kiosk and the eaters look like the customers.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import characters_kit as ck  # noqa: E402
import characters_people as cp  # noqa: E402


def puppet(w, h, draw):
    cv = ck.Canvas(w, h, ow=1.35)
    draw(cv)
    return cv.final()


JANITOR = dict(cp.BUSINESS)
JANITOR.update(top=(90, 130, 200, 255), pants=(70, 100, 170, 255), shoe=(60, 40, 30, 255),
               hair=(60, 44, 36, 255), lean=1.5)


def draw_janitor(cv, gx, gy, phase, back, s, mop_reach=0.0, walking=False):
    P = JANITOR
    g = cp.pose(P, gx, gy, phase if walking else 0.0, back, s)
    near_leg, far_leg = g.legs
    near_arm, far_arm = g.arms
    if not walking:
        # legs apart, standing
        near_leg = (near_leg[0], near_leg[1], near_leg[2], 0)
    # the mop: stick from both hands down to the floor
    head = (gx + 22 * s + mop_reach * s, gy + 2 * s)
    top = (gx + 2 * s + mop_reach * 0.3 * s, g.sh[1] - 4 * s)
    if walking:
        head = (gx - 14 * s, g.sh[1] - 20 * s)
        top = (gx + 16 * s, g.hip[1] + 4 * s)
    cp.draw_arm(cv, far_arm if walking else (far_arm[0], far_arm[1], cp.lerp(top, head, 0.25)), P, True, s)
    cp.draw_leg(cv, far_leg, P, True, s, f=g.f)
    cp.draw_leg(cv, near_leg, P, False, s, f=g.f)
    cp.draw_torso(cv, g, P, s)
    sc, hc = g.sh, g.hip
    # bib overalls with a pocket
    cv.poly([(sc[0] - 7 * s, sc[1] + 6 * s), (sc[0] + 7 * s, sc[1] + 6 * s), (hc[0] + 7 * s, hc[1] + 3 * s),
             (hc[0] - 7 * s, hc[1] + 3 * s)], (60, 90, 160, 255), ow=0.9 * s)
    cp.draw_head_base(cv, g, P, s, "crew")
    hx, hy, r = g.head[0], g.head[1], g.hr
    # cap
    cv.poly([(hx - r * 1.0, hy - r * 0.2), (hx - r * 0.8, hy - r * 0.95), (hx + r * 0.6, hy - r * 1.05),
             (hx + r * 1.0, hy - r * 0.3)], (240, 190, 50, 255), ow=0.9 * s)
    if not back:
        cv.poly([(hx + r * 0.5, hy - r * 0.45), (hx + r * 1.6, hy - r * 0.3), (hx + r * 1.0, hy - r * 0.15)],
                (220, 160, 30, 255), ow=0.8 * s)
        cp.draw_face(cv, g, s, "smile")
    stick = (150, 100, 60, 255)
    cv.limb(top, head, 1.3 * s, 1.3 * s, stick, ow=0.8 * s)
    # string mop head
    for k in range(-3, 4):
        a = (head[0] + k * 1.2 * s, head[1] - 1 * s)
        bb = (head[0] + k * 2.6 * s + mop_reach * 0.15 * s, head[1] + 4 * s)
        cv.limb(a, bb, 1.2 * s, 1.4 * s, (235, 235, 225, 255), ow=0.6 * s)
    cp.draw_arm(cv, near_arm if walking else (near_arm[0], near_arm[1], cp.lerp(top, head, 0.45)), P, False, s)


def make_mopper():
    """Man mopping, cells 113 x 117: row 0 five mopping frames, row 1 four
    frames walking away up-left (seen from behind)."""
    cells = []
    for f in range(5):
        reach = [-8, -2, 6, 2, -5][f]

        def draw(cv, reach=reach):
            cv.ellipse(56, 100, 30, 7, (120, 190, 230, 140), ow=0)
            cv.ellipse(60 + reach, 101, 16, 4, (160, 215, 240, 170), ow=0)
            draw_janitor(cv, 48, 100, 0.0, False, 1.0, reach)
        cells.append(puppet(113, 117, draw))
    for f in range(4):
        def draw(cv, f=f):
            draw_janitor(cv, 56, 104, f * math.pi / 2, True, 1.0, walking=True)
        im = puppet(113, 117, draw)
        cells.append(im.transpose(Image.FLIP_LEFT_RIGHT))   # back view turned left = up-left
    # a fifth walking frame, the same as the first, in case the count reaches 4
    cells = cells[:5] + cells[5:] + [cells[5]]
    return sheet(cells, 5, 113, 117, 2)


def draw_table_front(pa, cx, ty, gy, r, top, food):
    """Round table seen from the front: top at ty, foot on the ground gy."""
    pa.rect(cx - 5, ty, cx + 5, gy - 3, (110, 76, 50), INK, 1.6)
    pa.ell(cx, gy - 2, 20, 6, (110, 76, 50), INK, 1.6)
    pa.ell(cx, ty + 4, r, r * 0.36, shade(top, 0.75), INK, 2)
    pa.ell(cx, ty, r, r * 0.36, top, INK, 2)
    pa.ell(cx - 6, ty + 1, r * 0.36, r * 0.13, (255, 255, 255), INK, 1.3)
    for k, (name, dx, sz) in enumerate(food):
        pa.emoji(name, cx + dx, ty - sz * 0.3, sz)


def make_eater(w, h, table_r, foods, s=1.35):
    """Big client eating at a table: 12 frames of bites."""
    frames = []
    gx, gy = w * 0.44, h - 26
    ty = h - 74
    mouth = (gx + 8 * s, gy - (40 + 35 + 1 + 15 * 0.92) * s + 15 * 0.55 * s)
    plate = (w * 0.44 + 4, ty - 4)
    for f in range(12):
        t = f / 12.0
        lift = max(0.0, math.sin(t * 2 * math.pi))          # burger goes up to the mouth
        chew = abs(math.sin(t * 4 * math.pi))

        def draw(cv, chew=chew):
            cp.draw_gros(cv, gx, gy + chew * 0.6, math.pi / 2, False, s)
        body = puppet(w, h, draw)
        pa = Painter(w, h, 3)
        pa.shadow(w / 2, h - 10, w * 0.45, 13, 70, 5)
        # chair back behind him
        pa.rect(gx - 34, ty - 84, gx + 34, ty + 10, (200, 70, 60), INK, 2)
        pa.rect(gx - 27, ty - 77, gx + 27, ty - 34, (230, 100, 80), None, 0)
        im = pa.result()
        im.alpha_composite(body, (0, 0))
        front = Painter(w, h, 3)
        draw_table_front(front, w * 0.5, ty, h - 8, table_r, (255, 248, 235), foods)
        # the burger on its way to the mouth, smaller after each bite
        bx = plate[0] + (mouth[0] + 6 - plate[0]) * lift
        by = plate[1] + (mouth[1] + 8 - plate[1]) * lift
        size = 34 - (f // 4) * 4
        front.emoji("hamburger", bx, by, size)
        if 4 <= f <= 7:
            for k in range(4):
                a = f * 1.3 + k * 1.7
                front.ell(bx + 18 * math.cos(a), by + 12 * math.sin(a) - 6, 2, 2, (240, 170, 60), INK, 0.7)
        im.alpha_composite(front.result())
        frames.append(im)
    return frames


def make_eaters():
    row0 = make_eater(172, 179, 66, [("french-fries", 34, 30), ("cup-with-straw", -40, 30)])
    row1 = [im.transpose(Image.FLIP_LEFT_RIGHT) for im in row0]
    both = sheet(row0 + row1, 12, 172, 179, 2)
    alone = make_eater(170, 175, 54, [("cup-with-straw", 34, 28)], s=1.3)
    return both, sheet(alone, 12, 170, 175)


def make_client_at_kiosk():
    """Young man choosing his menu at a kiosk, 20 columns of 60 x 147; a
    thought bubble runs through what he might order."""
    frames = []
    choices = ["hamburger", "french-fries", "cup-with-straw", "soft-ice-cream"]
    for f in range(20):
        bob = 0.8 * math.sin(f / 20.0 * 4 * math.pi)

        def draw(cv, bob=bob):
            cp.draw_bachelor(cv, 26, 139 + bob * 0.3, math.pi / 2, False, 1.0)
        body = puppet(60, 147, draw)
        pa = Painter(60, 147, 3)
        pa.shadow(28, 139, 20, 5, 70, 3)
        im = pa.result()
        im.alpha_composite(body)
        bub = Painter(60, 147, 3)
        k = f // 5
        pop = min(1.0, (f % 5 + 1) / 2.0)
        r = 14 * pop
        bub.ell(22, 44, 2.2, 2.2, (255, 255, 255), INK, 1)
        bub.ell(27, 37, 3.2, 3.2, (255, 255, 255), INK, 1)
        bub.ell(34, 20, r + 2, r * 0.85 + 2, (255, 255, 255), INK, 1.4)
        if pop >= 1.0:
            bub.emoji(choices[k], 34, 20, 20)
        im.alpha_composite(bub.result())
        frames.append(im)
    right = sheet(frames, 20, 60, 147)
    left = sheet([fr.transpose(Image.FLIP_LEFT_RIGHT) for fr in frames], 20, 60, 147)
    return right, left


def classify(rgb):
    """Pixel classes exactly as the customers read them: -1 nothing, 0..3 turn, 4 exit."""
    r, g, b = (rgb[..., 0].astype(int), rgb[..., 1].astype(int), rgb[..., 2].astype(int))
    hi = lambda c: c >= 253
    lo = lambda c: c < 10
    out = np.full(r.shape, -1, np.int8)
    out[hi(r) & lo(g) & lo(b)] = DOWN_LEFT
    out[lo(r) & lo(g) & hi(b)] = DOWN_RIGHT
    out[lo(r) & hi(g) & lo(b)] = UP_LEFT
    out[hi(r) & hi(g) & lo(b)] = UP_RIGHT
    out[hi(r) & lo(g) & hi(b)] = 4
    return out


def write_route_images():
    os.makedirs(MAP_DIR, exist_ok=True)
    for mapno in (1, 2, 3):
        for route in ROUTES[mapno]:
            img = route_image(route)
            path = os.path.join(MAP_DIR, route.file)
            Image.fromarray(img).save(path, quality=100, subsampling=0)
            # the JPEG must keep every class exactly
            back = np.asarray(Image.open(path).convert("RGB"))
            want, got = classify(img), classify(back)
            bad = int((want != got).sum())
            if bad:
                sys.exit("%s: %d pixels change class after JPEG" % (route.file, bad))


FURN = {
    1: dict(table=(255, 250, 240), chair=(214, 56, 48), chair_d=(150, 30, 28), wood=(150, 96, 56)),
    2: dict(table=(230, 246, 240), chair=(196, 130, 70), chair_d=(130, 80, 40), wood=(90, 60, 40)),
    3: dict(table=(255, 236, 200), chair=(140, 96, 200), chair_d=(90, 58, 140), wood=(110, 80, 60)),
}
FOODS = ["hamburger", "french-fries", "cup-with-straw", "hot-dog", "pizza", "soft-ice-cream",
         "doughnut", "taco", "popcorn", "sandwich"]


def _chair(pa, p, q, side, fu):
    """Chair at (p, q) whose back is on side (dp, dq) away from the table."""
    dp, dq = side
    seat = fu["chair"]
    back = (p + dp * 10, q + dq * 10)
    def backrest():
        if dp:
            pa.box(back[0] - 2.5, q - 10, back[0] + 2.5, q + 10, 18, 46, seat)
        else:
            pa.box(p - 10, back[1] - 2.5, p + 10, back[1] + 2.5, 18, 46, seat)
    far = dp < 0 or dq < 0
    if far:
        backrest()
    for lp, lq in ((p - 7, q + 7), (p + 7, q + 7), (p + 7, q - 7)):
        pa.line([pa.iso(lp, lq, 0), pa.iso(lp, lq, 16)], fu["chair_d"], 2.2)
    pa.box(p - 10, q - 10, p + 10, q + 10, 14, 20, seat)
    if not far:
        backrest()


def draw_table(pa, p, q, fu, seats=4, k=0):
    cx, cy = pa.iso(p, q)
    pa.shadow(cx, cy + 4, 74, 40, 60, 7)
    sides = [(-1, 0), (0, -1), (1, 0), (0, 1)] if seats == 4 else [(-1, 0), (1, 0)]
    for sd in sides:
        if sd[0] < 0 or sd[1] < 0:
            _chair(pa, p + sd[0] * 40, q + sd[1] * 40, sd, fu)
    pa.cyl(p, q, 5, 0, 30, fu["wood"])
    pa.cyl(p, q, 12, 0, 3, shade(fu["wood"], 0.8))
    pa.cyl(p, q, 30, 30, 35, fu["table"], shade(fu["table"], 0.75))
    for j, (fp, fq) in enumerate(((p - 9, q - 6), (p + 8, q + 7))):
        x, y = pa.iso(fp, fq, 35)
        pa.emoji(FOODS[(k + j * 3) % len(FOODS)], x, y - 9, 22)
    for sd in sides:
        if sd[0] > 0 or sd[1] > 0:
            _chair(pa, p + sd[0] * 40, q + sd[1] * 40, sd, fu)


def draw_bench_table(pa, p, q, fu, k=0):
    """Long wooden table with a bench on each side (map 2)."""
    cx, cy = pa.iso(p, q)
    pa.shadow(cx, cy + 4, 80, 40, 60, 7)
    wood, dark = fu["chair"], fu["chair_d"]

    def bench(qc):
        for lp in (p - 24, p + 24):
            pa.box(lp - 2, qc - 6, lp + 2, qc + 6, 0, 14, dark)
        pa.box(p - 32, qc - 8, p + 32, qc + 8, 14, 19, wood)
    bench(q - 36)
    for lp in (p - 26, p + 26):
        pa.box(lp - 3, q - 14, lp + 3, q + 14, 0, 30, dark)
    pa.box(p - 36, q - 20, p + 36, q + 20, 30, 35, fu["table"], shade(fu["table"], 0.8), shade(fu["table"], 0.65))
    for j, (fp, fq) in enumerate(((p - 16, q - 6), (p + 2, q + 6), (p + 20, q - 4))):
        x, y = pa.iso(fp, fq, 35)
        pa.emoji(FOODS[(k + j * 3) % len(FOODS)], x, y - 9, 21)
    bench(q + 36)


def draw_bar_table(pa, p, q, fu, k=0):
    """High round table with three stools (map 3)."""
    cx, cy = pa.iso(p, q)
    pa.shadow(cx, cy + 4, 66, 36, 60, 7)
    stools = [(p - 34, q - 10), (p + 8, q - 36), (p + 30, q + 24)]
    stools.sort(key=lambda t: t[0] + t[1])
    def stool(sp, sq):
        pa.cyl(sp, sq, 3, 0, 30, (180, 180, 190))
        pa.cyl(sp, sq, 11, 30, 36, fu["chair"], fu["chair_d"])
    for sp, sq in stools[:2]:
        stool(sp, sq)
    pa.cyl(p, q, 4, 0, 50, (170, 170, 180))
    pa.cyl(p, q, 13, 0, 3, (140, 140, 150))
    pa.cyl(p, q, 24, 50, 55, fu["table"], shade(fu["table"], 0.75))
    for j, (fp, fq) in enumerate(((p - 6, q - 5), (p + 7, q + 6))):
        x, y = pa.iso(fp, fq, 55)
        pa.emoji(FOODS[(k + j * 5) % len(FOODS)], x, y - 8, 20)
    stool(*stools[2])


def draw_plant(pa, p, q, k=0, mapno=1):
    x, y = pa.iso(p, q)
    pa.shadow(x, y, 26, 14, 70, 5)
    if mapno == 2:
        # wooden planter with herbs
        pa.box(p - 16, q - 16, p + 16, q + 16, 0, 22, (170, 112, 66), (150, 96, 56), (120, 76, 42))
        x, y = pa.iso(p, q, 22)
        pa.emoji("herb", x, y - 16, 44)
    elif mapno == 3:
        pa.cyl(p, q, 13, 0, 20, (236, 138, 76), (200, 100, 50))
        x, y = pa.iso(p, q, 20)
        pa.emoji("cactus", x, y - 18, 44)
    else:
        pa.emoji("potted-plant", x, y - 28, 62)


def wall_left(pa, th, q0, q1, z0, z1, fill, ink=INK, ow=2.0):
    PW = th["PW"]
    pa.poly([pa.iso(PW, q0, z0), pa.iso(PW, q1, z0), pa.iso(PW, q1, z1), pa.iso(PW, q0, z1)], fill, ink, ow)


def wall_right(pa, th, p0, p1, z0, z1, fill, ink=INK, ow=2.0):
    QW = th["QW"]
    pa.poly([pa.iso(p0, QW, z0), pa.iso(p1, QW, z0), pa.iso(p1, QW, z1), pa.iso(p0, QW, z1)], fill, ink, ow)


def window_left(pa, th, q0, q1):
    wall_left(pa, th, q0, q1, 122, 232, (120, 200, 240))
    qm = (q0 + q1) / 2
    pa.line([pa.iso(th["PW"], qm, 122), pa.iso(th["PW"], qm, 232)], INK, 3)
    pa.line([pa.iso(th["PW"], q0 + 6, 140), pa.iso(th["PW"], q0 + 20, 210)], (235, 250, 255), 4)
    wall_left(pa, th, q0 - 6, q1 + 6, 116, 124, (255, 255, 255))


def window_right(pa, th, p0, p1):
    wall_right(pa, th, p0, p1, 122, 232, (110, 190, 232))
    pm = (p0 + p1) / 2
    pa.line([pa.iso(pm, th["QW"], 122), pa.iso(pm, th["QW"], 232)], INK, 3)
    pa.line([pa.iso(p0 + 8, th["QW"], 140), pa.iso(p0 + 22, th["QW"], 210)], (225, 245, 255), 4)
    wall_right(pa, th, p0 - 6, p1 + 6, 116, 124, (255, 255, 255))


def poster_right(pa, th, p0, name, bg):
    wall_right(pa, th, p0, p0 + 70, 130, 220, bg)
    x, y = pa.iso(p0 + 35, th["QW"], 175)
    pa.emoji(name, x, y, 56)


def poster_left(pa, th, q0, name, bg):
    wall_left(pa, th, q0, q0 + 70, 130, 220, bg)
    x, y = pa.iso(th["PW"], q0 + 35, 175)
    pa.emoji(name, x, y, 56)


def plane_label(pa, cx, cy, text, size, fill, ax, ay, stroke=2):
    """Text drawn on a plane whose text x axis runs along screen vector ax and
    whose text y axis (downwards) runs along ay, centred on (cx, cy)."""
    ss = pa.ss
    fnt = font(int(size * ss))
    l, t, r, b = fnt.getbbox(text)
    tw, tht = r - l + 8 * ss, b - t + 8 * ss
    timg = Image.new("RGBA", (tw, tht), CLEAR)
    ImageDraw.Draw(timg).text((4 * ss - l, 4 * ss - t), text, font=fnt, fill=rgba(fill),
                              stroke_width=int(stroke * ss), stroke_fill=INK)
    cx, cy = cx * ss, cy * ss
    ux, uy = ax
    vx, vy = ay
    det = ux * vy - vx * uy
    a_, b_, d_, e_ = vy / det, -vx / det, -uy / det, ux / det
    c_ = tw / 2 - (a_ * cx + b_ * cy)
    f_ = tht / 2 - (d_ * cx + e_ * cy)
    out = timg.transform(pa.im.size, Image.AFFINE, (a_, b_, c_, d_, e_, f_), resample=Image.BICUBIC)
    pa.im.alpha_composite(out)


def floor_label(pa, p, q, text, size, fill, along="p", flip=False):
    """Text painted flat on the floor, reading along the p or q diagonal."""
    if along == "p":
        ax, ay = (0.8660254, 0.5), (-0.8660254, 0.5)
    else:
        ax, ay = (0.8660254, -0.5), (0.8660254, 0.5)
    cx, cy = pa.iso(p, q)
    plane_label(pa, cx, cy, text, size, fill, ax, ay)


def shop_sign(pa, th, p0, p1, text, bg, fg):
    """Name board on the right-hand back wall."""
    wall_right(pa, th, p0, p1, 150, 212, bg, INK, 3)
    wall_right(pa, th, p0 + 8, p1 - 8, 158, 204, shade(bg, 1.15), None, 0)
    cx, cy = pa.iso((p0 + p1) / 2 + 20, th["QW"], 181)
    plane_label(pa, cx, cy, text, 25, fg, (0.8660254, 0.5), (0.0, 1.0), stroke=2.5)
    x, y = pa.iso(p0 + 28, th["QW"], 181)
    pa.emoji("hamburger", x, y - 4, 42)


def mat(pa, p, q, w, l, along, fill, text=None, tsize=22, tfill=(255, 255, 255), flip=False):
    if along == "p":
        pts = [(p - l, q - w), (p + l, q - w), (p + l, q + w), (p - l, q + w)]
    else:
        pts = [(p - w, q - l), (p + w, q - l), (p + w, q + l), (p - w, q + l)]
    pa.floor_poly(pts, fill, INK, 2.5)
    if text:
        floor_label(pa, p, q, text, tsize, tfill, along, flip)


def spot_free(mapno, p, q, R, tall=False):
    """True when a piece of furniture of floor radius R at (p, q) keeps clear
    of the aisle, the pedestals, the props and the walls."""
    th = THEMES[mapno]
    if p - R < th["PW"] + 6 or q - R < th["QW"] + 6:
        return False
    x, y = to_screen(p, q)
    if not (-40 < x < HUD_X + 40 and 20 < y < H + 30):
        return False
    pp = np.array([p - R, p + R, p - R, p + R, p])
    qq = np.array([q - R, q - R, q + R, q + R, q])
    if aisle_mask(mapno, pp, qq, half=HALF_AISLE + 14).any():
        return False
    # aisle between the corners too
    sp = np.linspace(p - R, p + R, 7)
    sq = np.linspace(q - R, q + R, 7)
    gp, gq = np.meshgrid(sp, sq)
    if aisle_mask(mapno, gp.ravel(), gq.ravel(), half=HALF_AISLE + 14).any():
        return False
    for (_, px, py) in PEDESTALS[mapno]:
        fp, fq = to_floor(px, py)
        if max(abs(fp - p), abs(fq - q)) < R + 72:
            return False
    for (name, fw, fh, kind, dx, dy) in DECORATIONS[mapno]:
        fp, fq = to_floor(dx + fw / 2, dy + fh - 8)
        if max(abs(fp - p), abs(fq - q)) < R + (105 if fw > 150 else 50):
            return False
        if tall is False and dx - 10 < x < dx + fw + 10 and dy < y - 20 < dy + fh:
            return False
    for (bp0, bq0, bp1, bq1) in BLOCKED.get(mapno, []):
        if p + R > bp0 and p - R < bp1 and q + R > bq0 and q - R < bq1:
            return False
    for (ex, ey) in ENTRANCE_ZONES[mapno]:
        fp, fq = to_floor(ex, ey)
        if max(abs(fp - p), abs(fq - q)) < R + 110:
            return False
    for (sx, sy) in SIGNS.get(mapno, []) + MOPPERS.get(mapno, []):
        fp, fq = to_floor(sx, sy + 45)
        if max(abs(fp - p), abs(fq - q)) < R + 40:
            return False
    return True


BLOCKED = {2: [(960.0, -480.0, 1290.0, -400.0)]}
ENTRANCE_ZONES = {1: [(487, 68), (513, 1072)], 2: [(455, 1075), MAP2_EXIT],
                  3: [(118, 1070), (741, 0), MAP3_EXIT]}


def dress_walls(mapno, pa):
    th = THEMES[mapno]
    if mapno == 1:
        for q0 in (-40, 120, 280):
            window_left(pa, th, q0, q0 + 100)
        poster_left(pa, th, -520, "cup-with-straw", (120, 200, 240))
        window_right(pa, th, 810, 910)
        shop_sign(pa, th, 945, 1175, "GOBBLER", (226, 58, 46), (255, 220, 80))
        window_right(pa, th, 1210, 1310)
    elif mapno == 2:
        for q0 in (-300, -120, 60, 240):
            window_left(pa, th, q0, q0 + 110)
        poster_left(pa, th, -420, "pizza", (255, 180, 90))
        window_right(pa, th, 760, 860)
        shop_sign(pa, th, 895, 1125, "GOBBLER", (40, 150, 140), (255, 240, 200))
        window_right(pa, th, 1160, 1260)
    else:
        for q0 in (-330, -90, 150):
            window_left(pa, th, q0, q0 + 120)
        poster_left(pa, th, -450, "taco", (255, 190, 90))
        poster_left(pa, th, 40, "doughnut", (250, 170, 210))
        window_right(pa, th, 800, 900)
        shop_sign(pa, th, 935, 1165, "GOBBLER", (120, 86, 170), (255, 200, 80))
        poster_right(pa, th, 1200, "popcorn", (120, 200, 240))


def dress_floor(mapno, pa, t=french):
    """Door mats at the ways in and out, their words through t."""
    green, red = (60, 170, 90), (210, 50, 50)
    # order corners under the kiosks
    blue = (70, 120, 200)
    if mapno == 1:
        mat(pa, 795.0, -470.0, 40, 125, "p", blue, t("COMMANDES"), 15)
        mat(pa, 1585.0, 168.0, 36, 72, "p", blue, t("COMMANDES"), 12)
    elif mapno == 3:
        mat(pa, 1325.0, 532.0, 38, 148, "q", blue, t("COMMANDES"), 15)
    if mapno == 1:
        mat(pa, M1_COL, 770.0, 40, 30, "q", red, t("SORTIE"), 17)
        mat(pa, 420.0, M1_ROW, 40, 30, "p", green, t("ENTRÉE"), 15)
    elif mapno == 2:
        mat(pa, 1270.0, M2_ROW0, 40, 30, "p", green, t("ENTRÉE"), 15)
        mat(pa, 1835.0, M2_R3, 40, 30, "p", red, t("SORTIE"), 17)
    else:
        mat(pa, M3_CA, 950.0, 40, 30, "q", green, t("ENTRÉE"), 15)
        mat(pa, M3_CB, -360.0, 40, 30, "q", green, t("ENTRÉE"), 15)
        mat(pa, M3_CX, 470.0, 40, 30, "q", red, t("SORTIE"), 17)


def draw_drinks_counter(pa, p0, p1, q0, q1):
    """Self-service drinks counter against the back wall (map 2)."""
    x0, y0 = pa.iso((p0 + p1) / 2, q1)
    pa.shadow(x0, y0 + 4, (p1 - p0) * 0.55, 30, 60, 6)
    pa.box(p0, q0, p1, q1, 0, 44, (236, 246, 240), (40, 150, 140), (24, 110, 104))
    pa.box(p0 - 2, q0 - 2, p1 + 2, q1 + 2, 44, 49, (250, 180, 60))
    # two fountains with their cups
    for pc in (p0 + 40, p1 - 40):
        pa.box(pc - 16, q0 + 2, pc + 16, q0 + 20, 49, 100, (210, 214, 224), (190, 194, 206), (150, 156, 170))
        x, y = pa.iso(pc, q0 + 20, 86)
        pa.rect(x - 9, y - 8, x + 9, y + 6, (226, 58, 46), INK, 1.2)
        x, y = pa.iso(pc + 2, q1 - 6, 49)
        pa.emoji("cup-with-straw", x, y - 10, 22)
    x, y = pa.iso((p0 + p1) / 2, q1 - 4, 49)
    pa.emoji("ice", x, y - 8, 20)


def furnish(mapno, pa, extra_items):
    """Fill the free floor with tables and plants on a regular grid."""
    th = THEMES[mapno]
    fu = FURN[mapno]
    items = list(extra_items)
    k = 0
    step = 185.0
    for i in range(0, 14):
        for j in range(0, 12):
            p = th["PW"] + 95 + i * step + (j % 2) * 92
            q = th["QW"] + 95 + j * step
            kind = "table4" if (i + 2 * j) % 3 else "table2"
            R = 62 if kind == "table4" else 48
            if spot_free(mapno, p, q, R):
                items.append((p, q, kind, k))
                k += 1
            elif spot_free(mapno, p, q, 24):
                items.append((p, q, "plant", k))
                k += 1
    # back to front
    items.sort(key=lambda it: it[0] + it[1])
    for (p, q, kind, k) in items:
        if kind in ("table4", "table2") and mapno == 2:
            draw_bench_table(pa, p, q, fu, k)
        elif kind in ("table4", "table2") and mapno == 3:
            draw_bar_table(pa, p, q, fu, k)
        elif kind == "table4":
            draw_table(pa, p, q, fu, 4, k)
        elif kind == "table2":
            draw_table(pa, p, q, fu, 2, k)
        elif kind == "plant":
            draw_plant(pa, p, q, k, mapno)
        elif callable(kind):
            kind(pa, p, q)


def write_maps(only=(1, 2, 3), t=french):
    """The dining rooms; with t=speaking(code), their twins in that language (the mats' words)."""
    for mapno in only:
        th = THEMES[mapno]
        base = Image.fromarray(_paint_base(mapno, th)).convert("RGBA")
        pa = Painter(W, H, MAP_SS)
        pa.im = base
        pa.d = ImageDraw.Draw(pa.im)
        dress_walls(mapno, pa)
        dress_floor(mapno, pa, t)
        extra = []
        if mapno == 2:
            extra.append((1125.0, -457.0, lambda pa_, p, q: draw_drinks_counter(pa_, 1000.0, 1250.0, -474.0, -440.0),
                          0))
        furnish(mapno, pa, extra)
        path = os.path.join(MAP_DIR, "lvl_%d.jpg" % mapno)
        if t is not french:
            path = twin(path, t.language)
            os.makedirs(os.path.dirname(path), exist_ok=True)
        pa.result().convert("RGB").save(path, quality=90)


def write_props():
    save_png(make_pedestal(), os.path.join(TOUR_DIR, "tour position.png"))
    save_png(make_warning(), os.path.join(MAP_DIR, "warning.png"))
    save_png(make_wet_sign(), os.path.join(MAP_DIR, "sol glissant.png"))
    for name, im in make_bins().items():
        save_png(im, os.path.join(MAP_DIR, name))
    save_png(make_kiosk((230, 230, 236), (226, 58, 46)), os.path.join(MAP_DIR, "borne.png"))
    save_png(make_kiosk((230, 230, 236), (40, 150, 140)), os.path.join(MAP_DIR, "bornesprite.png"))
    save_png(make_door(), os.path.join(MAP_DIR, "door.png"))
    save_png(make_tv(), os.path.join(MAP_DIR, "tele.png"))
    save_png(make_mopper(), os.path.join(MAP_DIR, "serpilleur.png"))
    both, alone = make_eaters()
    save_png(both, os.path.join(MAP_DIR, "gros mange.png"))
    save_png(alone, os.path.join(MAP_DIR, "gros mange seul.png"))
    right, left = make_client_at_kiosk()
    save_png(right, os.path.join(MAP_DIR, "celib borne.png"))
    save_png(left, os.path.join(MAP_DIR, "Sprite celib commande.png"))
    for code in LANGUAGES:
        write_props_twins(speaking(code))


def write_props_twins(t):
    """A language's twins of the props with words on them."""
    save_png(make_wet_sign(t), twin(os.path.join(MAP_DIR, "sol glissant.png"), t.language))
    save_png(make_tv(t), twin(os.path.join(MAP_DIR, "tele.png"), t.language))


def main():
    """No argument: everything. 'props', or map numbers, for one part; language codes ('en',
    'es') for those languages' twins alone (props and dining rooms)."""
    args = sys.argv[1:]
    if args and languages(args) == args:
        for code in args:
            write_props_twins(speaking(code))
            write_maps(t=speaking(code))
        return
    if not args or "props" in args:
        write_props()
    if not args or "routes" in args:
        write_route_images()
    only = [int(a) for a in args if a.isdigit()]
    if not args or only:
        write_maps(only or (1, 2, 3))
        for code in LANGUAGES:
            write_maps(only or (1, 2, 3), speaking(code))


if __name__ == "__main__":
    main()
