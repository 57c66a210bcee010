"""Drawing kit for the customers, the food towers and their HUD pictures.

Shapes are drawn supersampled (SS times the final size) in painter's order;
every shape first lays down its dark outline (the same shape grown by the
outline width) and then its fill, so parts stacked on top of each other get
a dark line between them, like a flat cartoon.  The towers use a tiny
isometric projection so that a machine can be turned to the four diagonal
directions of the dining-room floor.
"""
import math
import os
import subprocess

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
RES = os.path.join(ROOT, "resources")
EMOJI_DIR = os.path.join(HERE, "node_modules", "fluentui-emoji", "icons", "flat")
FONT_FILE = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
CACHE = os.path.join("/tmp", "gobbler-characters-emoji-cache")

SS = 4  # supersampling factor

# Same warm palette and brown ink as the rest of the interface.
INK = (59, 35, 20, 255)
CLEAR = (0, 0, 0, 0)
WHITE = (255, 255, 255, 255)
CREAM = (255, 246, 222, 255)
KETCHUP = (226, 58, 46, 255)
KETCHUP_DARK = (170, 36, 30, 255)
MUSTARD = (255, 200, 61, 255)
MUSTARD_DARK = (224, 150, 20, 255)
BUN = (240, 150, 55, 255)
LETTUCE = (108, 190, 60, 255)
SKY = (80, 180, 232, 255)
SKY_DARK = (36, 110, 170, 255)
COLA = (120, 52, 28, 255)
COLA_LIGHT = (170, 88, 48, 255)
STEEL = (196, 204, 214, 255)
STEEL_DARK = (120, 130, 146, 255)
GOLD = (255, 205, 60, 255)
GOLD_DARK = (205, 140, 20, 255)

USED_EMOJI = set()


def rgba(c, a=None):
    if len(c) == 3:
        c = (c[0], c[1], c[2], 255)
    if a is not None:
        c = (c[0], c[1], c[2], a)
    return tuple(int(v) for v in c)


def shade(c, f):
    """Darker (f < 1) or lighter (f > 1, towards white) version of a colour."""
    c = rgba(c)
    if f <= 1.0:
        return (int(c[0] * f), int(c[1] * f), int(c[2] * f), c[3])
    t = min(1.0, f - 1.0)
    return (int(c[0] + (255 - c[0]) * t), int(c[1] + (255 - c[1]) * t),
            int(c[2] + (255 - c[2]) * t), c[3])


def mix(c1, c2, t):
    c1, c2 = rgba(c1), rgba(c2)
    return tuple(int(round(c1[i] + (c2[i] - c1[i]) * t)) for i in range(4))


def font(size):
    return ImageFont.truetype(FONT_FILE, max(1, int(round(size))))


def emoji(name, size):
    """The named Fluent flat emoji rasterised at size x size (RGBA)."""
    USED_EMOJI.add(name)
    size = int(round(size))
    os.makedirs(CACHE, exist_ok=True)
    out = os.path.join(CACHE, "%s_%d.png" % (name, size))
    if not os.path.exists(out):
        src = os.path.join(EMOJI_DIR, name + ".svg")
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), src, "-o", out],
                       check=True)
    im = Image.open(out).convert("RGBA")
    im.load()
    return im


def reduce(im, w, h):
    """Supersampled RGBA to its final size, with premultiplied alpha."""
    return im.convert("RGBa").resize((w, h), Image.LANCZOS).convert("RGBA")


def save_png(im, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    im.save(path, optimize=True)


def circle_pts(cx, cy, rx, ry, n=24, a0=0.0, a1=2 * math.pi):
    return [(cx + rx * math.cos(a0 + (a1 - a0) * i / n),
             cy + ry * math.sin(a0 + (a1 - a0) * i / n)) for i in range(n + 1)]


def hull(points):
    """Convex hull (monotone chain) of 2-D points."""
    pts = sorted(set((round(p[0], 3), round(p[1], 3)) for p in points))
    if len(pts) <= 2:
        return pts

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])
    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


class Canvas:
    """A picture drawn at SS times its size; coordinates are final pixels.

    ow is the outline width in final pixels (0 = no outline)."""

    def __init__(self, w, h, ow=1.4, ink=INK, ss=SS):
        self.w, self.h, self.s = w, h, ss
        self.ow = ow
        self.ink = ink
        self.im = Image.new("RGBA", (w * ss, h * ss), CLEAR)
        self.d = ImageDraw.Draw(self.im)

    # -- low level, scaled ---------------------------------------------------
    def _p(self, pts):
        s = self.s
        return [(x * s, y * s) for x, y in pts]

    def _ell(self, cx, cy, rx, ry, fill):
        s = self.s
        if rx <= 0 or ry <= 0:
            return
        self.d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=fill)

    def _poly(self, pts, fill, grow=0.0):
        P = self._p(pts)
        if len(P) >= 3:
            self.d.polygon(P, fill=fill)
        if grow > 0:
            w = grow * 2 * self.s
            self.d.line(P + [P[0]], fill=fill, width=max(1, int(round(w))), joint="curve")
            for (x, y) in P:
                self.d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=fill)

    def _cap(self, p1, p2, r1, r2, fill):
        """Convex hull of two discs (a tapered limb)."""
        pts = circle_pts(p1[0], p1[1], r1, r1, 20) + circle_pts(p2[0], p2[1], r2, r2, 20)
        self._poly(hull(pts), fill)

    # -- outlined shapes ------------------------------------------------------
    def ellipse(self, cx, cy, rx, ry, fill, ow=None, ink=None):
        ow = self.ow if ow is None else ow
        if ow > 0:
            self._ell(cx, cy, rx + ow, ry + ow, ink or self.ink)
        self._ell(cx, cy, rx, ry, rgba(fill))

    def circle(self, cx, cy, r, fill, ow=None, ink=None):
        self.ellipse(cx, cy, r, r, fill, ow, ink)

    def poly(self, pts, fill, ow=None, ink=None):
        ow = self.ow if ow is None else ow
        if ow > 0:
            self._poly(pts, ink or self.ink, grow=ow)
        self._poly(pts, rgba(fill))

    def limb(self, p1, p2, r1, r2=None, fill=WHITE, ow=None, ink=None):
        r2 = r1 if r2 is None else r2
        ow = self.ow if ow is None else ow
        if ow > 0:
            self._cap(p1, p2, r1 + ow, r2 + ow, ink or self.ink)
        self._cap(p1, p2, r1, r2, rgba(fill))

    def line(self, pts, width, fill):
        """A plain stroke without outline (seams, drawstrings, highlights)."""
        P = self._p(pts)
        w = max(1, int(round(width * self.s)))
        self.d.line(P, fill=rgba(fill), width=w, joint="curve")
        for (x, y) in (P[0], P[-1]):
            self.d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=rgba(fill))

    def dot(self, cx, cy, r, fill):
        self._ell(cx, cy, r, r, rgba(fill))

    def blob(self, cx, cy, rx, ry, fill):
        self._ell(cx, cy, rx, ry, rgba(fill))

    def fillpoly(self, pts, fill):
        self._poly(pts, rgba(fill))

    def arc(self, cx, cy, rx, ry, a0, a1, width, fill):
        """Arc in degrees (0 = right, clockwise on screen)."""
        s = self.s
        self.d.arc([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], a0, a1,
                   fill=rgba(fill), width=max(1, int(round(width * s))))

    def paste(self, im, x, y):
        """Composite an RGBA picture given at final scale with top-left (x, y)."""
        big = im.resize((im.width * self.s, im.height * self.s), Image.LANCZOS)
        self.layer(big, int(round(x * self.s)), int(round(y * self.s)))

    def paste_big(self, im, x, y):
        """Composite an RGBA picture already at supersampled scale; (x, y) final px."""
        self.layer(im, int(round(x * self.s)), int(round(y * self.s)))

    def layer(self, layer, x0, y0):
        W, H = self.im.size
        lw, lh = layer.size
        cx0, cy0 = max(0, x0), max(0, y0)
        cx1, cy1 = min(W, x0 + lw), min(H, y0 + lh)
        if cx1 <= cx0 or cy1 <= cy0:
            return
        part = layer.crop((cx0 - x0, cy0 - y0, cx1 - x0, cy1 - y0))
        self.im.alpha_composite(part, dest=(cx0, cy0))
        self.d = ImageDraw.Draw(self.im)

    def sub(self):
        """A blank canvas of the same size (for translucent overlays)."""
        return Canvas(self.w, self.h, self.ow, self.ink, self.s)

    def over(self, other, alpha=1.0):
        """Composite another canvas of the same size on top, with extra opacity."""
        im = other.im
        if alpha < 1.0:
            a = im.getchannel("A").point(lambda v: int(v * alpha))
            im = im.copy()
            im.putalpha(a)
        self.im.alpha_composite(im)
        self.d = ImageDraw.Draw(self.im)

    def final(self):
        return reduce(self.im, self.w, self.h)


# --------------------------------------------------------------------------
# Isometric projection for the machines.
# World X runs towards the bottom right of the screen, Y towards the bottom
# left, Z up.  One world unit along X or Y moves 0.866 px across and 0.5 px
# down, one along Z moves 1 px up: a true isometric view, so a floor circle
# of radius R is an ellipse of 1.2247 R by 0.7071 R.
C30 = math.cos(math.pi / 6)
S30 = 0.5
ISO_RX = C30 * math.sqrt(2)
ISO_RY = S30 * math.sqrt(2)


class Iso:
    """Projection with the world origin at screen point (ox, oy), facing
    rotation rot (quarter turns: 0 = +X DownRight, 1 = +Y DownLeft,
    2 = -X UpLeft, 3 = -Y UpRight)."""

    def __init__(self, ox, oy, rot=0, scale=1.0):
        self.ox, self.oy, self.rot, self.k = ox, oy, rot % 4, scale

    def turn(self, u, v):
        """Local (forward u, left-side v) to world X, Y."""
        r = self.rot
        if r == 0:
            return u, v
        if r == 1:
            return -v, u
        if r == 2:
            return -u, -v
        return v, -u

    def world(self, X, Y, Z):
        k = self.k
        return (self.ox + (X - Y) * C30 * k, self.oy + ((X + Y) * S30 - Z) * k)

    def p(self, u, v, z):
        X, Y = self.turn(u, v)
        return self.world(X, Y, z)

    def depth(self, u, v, z):
        X, Y = self.turn(u, v)
        return X + Y + z


# rotation index for each Direction row (DownRight, DownLeft, UpRight, UpLeft)
ROW_ROT = [0, 1, 3, 2]


class Scene:
    """Collects iso primitives with a depth and draws them back to front."""

    def __init__(self, cv, iso):
        self.cv, self.iso = cv, iso
        self.items = []
        self.n = 0

    def add(self, depth, fn):
        self.items.append((depth, self.n, fn))
        self.n += 1

    def draw(self):
        for _, _, fn in sorted(self.items, key=lambda t: (t[0], t[1])):
            fn(self.cv)
        self.items = []

    # -- primitives in local (u, v, z) coordinates ---------------------------
    def vcyl(self, u, v, z0, z1, r, col, top=None, depth_bias=0.0, bands=True, ow=None):
        iso = self.iso
        k = iso.k

        def fn(cv):
            bx, by = iso.p(u, v, z0)
            tx, ty = iso.p(u, v, z1)
            rx, ry = r * ISO_RX * k, r * ISO_RY * k
            side = hull(circle_pts(bx, by, rx, ry, 32) + circle_pts(tx, ty, rx, ry, 32))
            cv.poly(side, col, ow=ow)
            if bands:
                # cel shading: a light band on the left, a dark one on the right
                lt = shade(col, 1.25)
                dk = shade(col, 0.78)
                for (a0, a1, c) in ((0.62, 0.80, lt), (0.05, 0.22, dk)):
                    pts = []
                    for i in range(9):
                        a = math.pi * (a0 + (a1 - a0) * i / 8)
                        pts.append((bx + rx * math.cos(a), by + ry * math.sin(a)))
                    for i in range(9):
                        a = math.pi * (a1 - (a1 - a0) * i / 8)
                        pts.append((tx + rx * math.cos(a), ty + ry * math.sin(a)))
                    cv.fillpoly(pts, c)
            cv.ellipse(tx, ty, rx, ry, top or shade(col, 1.18), ow=ow)
        self.add(iso.depth(u, v, (z0 + z1) / 2) + depth_bias, fn)

    def cone(self, u, v, z0, z1, r0, r1, col, top=None, depth_bias=0.0, ow=None):
        """Vertical frustum from radius r0 at z0 to r1 at z1."""
        iso = self.iso
        k = iso.k

        def fn(cv):
            bx, by = iso.p(u, v, z0)
            tx, ty = iso.p(u, v, z1)
            side = hull(circle_pts(bx, by, r0 * ISO_RX * k, r0 * ISO_RY * k, 32)
                        + circle_pts(tx, ty, r1 * ISO_RX * k, r1 * ISO_RY * k, 32))
            cv.poly(side, col, ow=ow)
            # light band
            lt = shade(col, 1.22)
            pts = []
            for i in range(9):
                a = math.pi * (0.62 + 0.18 * i / 8)
                pts.append((bx + r0 * ISO_RX * k * math.cos(a), by + r0 * ISO_RY * k * math.sin(a)))
            for i in range(9):
                a = math.pi * (0.80 - 0.18 * i / 8)
                pts.append((tx + r1 * ISO_RX * k * math.cos(a), ty + r1 * ISO_RY * k * math.sin(a)))
            cv.fillpoly(pts, lt)
            if top is not False:
                cv.ellipse(tx, ty, r1 * ISO_RX * k, r1 * ISO_RY * k, top or shade(col, 1.18), ow=ow)
        self.add(iso.depth(u, v, (z0 + z1) / 2) + depth_bias, fn)

    def box(self, u0, v0, z0, u1, v1, z1, col, top=None, depth_bias=0.0, ow=None):
        """Axis-aligned box in local coordinates (drawn with its 3 visible faces)."""
        iso = self.iso
        corners = {}
        for a in (u0, u1):
            for b in (v0, v1):
                X, Y = iso.turn(a, b)
                corners[(a, b)] = (X, Y)
        Xs = [c[0] for c in corners.values()]
        Ys = [c[1] for c in corners.values()]
        X0, X1, Y0, Y1 = min(Xs), max(Xs), min(Ys), max(Ys)
        w = iso.world

        def fn(cv):
            topf = [w(X0, Y0, z1), w(X1, Y0, z1), w(X1, Y1, z1), w(X0, Y1, z1)]
            fx = [w(X1, Y0, z1), w(X1, Y1, z1), w(X1, Y1, z0), w(X1, Y0, z0)]
            fy = [w(X0, Y1, z1), w(X1, Y1, z1), w(X1, Y1, z0), w(X0, Y1, z0)]
            sil = hull(topf + fx + fy)
            cv.poly(sil, col, ow=ow)
            cv.fillpoly(fx, shade(col, 0.78))
            cv.fillpoly(fy, col)
            cv.fillpoly(topf, top or shade(col, 1.2))
            # inner edges
            e = max(0.8, (cv.ow if ow is None else ow) * 0.6)
            cv.line([w(X1, Y1, z0), w(X1, Y1, z1)], e, INK)
            cv.line([w(X0, Y1, z1), w(X1, Y1, z1), w(X1, Y0, z1)], e, INK)
        cu, cvv = (u0 + u1) / 2, (v0 + v1) / 2
        self.add(iso.depth(cu, cvv, (z0 + z1) / 2) + depth_bias, fn)

    def tube(self, a, b, r, col, cap=None, depth_bias=0.0, ow=None, n=20):
        """Cylinder between local points a and b (u, v, z) with radius r."""
        iso = self.iso
        k = iso.k
        ax, ay, az = a
        bx, by, bz = b
        d = (bx - ax, by - ay, bz - az)
        L = math.sqrt(sum(c * c for c in d)) or 1.0
        d = tuple(c / L for c in d)
        # two unit vectors perpendicular to the axis
        h = (0, 0, 1) if abs(d[2]) < 0.9 else (1, 0, 0)
        e1 = (d[1] * h[2] - d[2] * h[1], d[2] * h[0] - d[0] * h[2], d[0] * h[1] - d[1] * h[0])
        n1 = math.sqrt(sum(c * c for c in e1))
        e1 = tuple(c / n1 for c in e1)
        e2 = (d[1] * e1[2] - d[2] * e1[1], d[2] * e1[0] - d[0] * e1[2], d[0] * e1[1] - d[1] * e1[0])

        def ring(c):
            out = []
            for i in range(n):
                t = 2 * math.pi * i / n
                p = tuple(c[j] + r * (math.cos(t) * e1[j] + math.sin(t) * e2[j]) for j in range(3))
                out.append(iso.p(*p))
            return out
        # which end faces the camera: camera direction is +X +Y +Z in world
        X, Y = iso.turn(d[0], d[1])
        facing = X + Y + d[2]

        def fn(cv):
            ra, rb = ring(a), ring(b)
            cv.poly(hull(ra + rb), col, ow=ow)
            # highlight stripe along the tube
            mid_a = iso.p(ax, ay, az + r * 0.55)
            mid_b = iso.p(bx, by, bz + r * 0.55)
            cv.line([mid_a, mid_b], max(0.8, r * 0.35 * k), shade(col, 1.3))
            if facing > 0:
                cv.poly(rb, cap or shade(col, 0.6), ow=ow)
            else:
                cv.poly(ra, cap or shade(col, 0.6), ow=ow)
        cu = ((ax + bx) / 2, (ay + by) / 2, (az + bz) / 2)
        self.add(iso.depth(*cu) + depth_bias, fn)
        return facing

    def flat(self, pts3, col, depth=None, depth_bias=0.0, ow=None):
        """A planar polygon given by local 3-D points."""
        iso = self.iso

        def fn(cv):
            cv.poly([iso.p(*p) for p in pts3], col, ow=ow)
        if depth is None:
            n = len(pts3)
            depth = iso.depth(sum(p[0] for p in pts3) / n, sum(p[1] for p in pts3) / n,
                              sum(p[2] for p in pts3) / n)
        self.add(depth + depth_bias, fn)

    def custom(self, depth, fn):
        self.add(depth, fn)
