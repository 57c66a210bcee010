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
import os
import sys
from PIL import Image

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
MAP_DIR = os.path.join(ROOT, "resources", "textures", "map")
TOUR_DIR = os.path.join(ROOT, "resources", "textures", "tour")


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


def main():
    write_route_images()


if __name__ == "__main__":
    main()
