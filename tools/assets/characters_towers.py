"""The food towers: fries cannon, burger spatula-catapult and soda fountain.

Each machine is modelled in a small isometric scene (forward = the way it
faces) and rendered once per sheet row and per animation column.  The point
that stands on the pedestal centre is the world origin, placed at the
catalogue origin of the frame; every machine sits on its own round plinth,
since an occupied pedestal is not drawn under it.
"""
import math

from PIL import Image, ImageDraw, ImageFilter

from characters_kit import (Canvas, Iso, Scene, ROW_ROT, INK, CLEAR, WHITE, CREAM, KETCHUP,
                            KETCHUP_DARK, MUSTARD, MUSTARD_DARK, BUN, LETTUCE, SKY, SKY_DARK,
                            COLA, COLA_LIGHT, STEEL, STEEL_DARK, GOLD, GOLD_DARK, rgba, shade,
                            mix, circle_pts, hull, reduce, ISO_RX, ISO_RY)

# type, level -> frame w, h, origin x, y, frame count, hover (l, w, t, h)
CAT = {
    ("frite", 1): (365, 244, 190, 190, 9, (122, 158, 74, 152)),
    ("frite", 2): (317, 218, 160, 168, 9, (87, 155, 41, 174)),
    ("frite", 3): (361, 271, 177, 214, 9, (102, 176, 57, 210)),
    ("burger", 1): (200, 181, 96, 147, 6, (0, 105, 0, 127)),
    ("burger", 2): (200, 211, 96, 177, 6, (0, 106, 0, 151)),
    ("burger", 3): (200, 241, 96, 207, 6, (0, 114, 0, 208)),
    ("soda", 1): (389, 445, 176, 354, 10, (111, 130, 135, 238)),
    ("soda", 2): (495, 510, 225, 383, 11, (157, 135, 142, 260)),
    ("soda", 3): (559, 580, 258, 449, 12, (185, 144, 152, 318)),
}

# where the thrown burger (19 x 22, placed by its top-left corner) starts,
# rows 0 and 1, per level
BURGER_MUZZLE = {1: ((127, 133), (48, 133)), 2: ((131, 137), (60, 137)), 3: ((133, 149), (62, 149))}

RANGE_SIZE = {
    ("frite", 1): (420, 244), ("frite", 2): (560, 324), ("frite", 3): (700, 406),
    ("burger", 1): (420, 244), ("burger", 2): (490, 284), ("burger", 3): (560, 324),
    ("soda", 1): (420, 244), ("soda", 2): (560, 324), ("soda", 3): (700, 406),
}
RANGE_TINT = {"frite": (255, 196, 40), "burger": (236, 96, 40), "soda": (60, 170, 235)}

OW = 1.6
DARK_STEEL = (84, 90, 104, 255)
RED = (222, 52, 44, 255)
RED_DARK = (168, 34, 30, 255)
FRY = (255, 214, 70, 255)
FRY_DARK = (236, 160, 30, 255)


def plinth(sc, a, ring=MUSTARD, h=8):
    """Square slab like the free pedestal (grey with a yellow ring), which is
    not drawn any more once a tower stands on it."""
    iso = sc.iso
    sc.box(-a, -a, 0, a, a, h, (178, 184, 198, 255), top=(232, 234, 240, 255), depth_bias=-1000)
    w = iso.world

    def ring_fn(c):
        def sq(t):
            return [w(-a * t, -a * t, h), w(a * t, -a * t, h), w(a * t, a * t, h), w(-a * t, a * t, h)]
        c.poly(sq(0.84), ring, ow=1.2)
        c.poly(sq(0.62), (244, 245, 250, 255), ow=1.2)
    sc.custom(-999, ring_fn)


def fries_bundle(sc, u, v, z, spread, n, hmin, hmax, seed=0, bias=0.0):
    """Fries sticking out of a carton top."""
    for i in range(n):
        a = (i * 2.39996 + seed) % (2 * math.pi)
        rr = spread * math.sqrt((i + 0.5) / n)
        du, dv = rr * math.cos(a), rr * math.sin(a)
        hh = hmin + (hmax - hmin) * (((i * 7 + seed * 3) % 5) / 4.0)
        tilt_u, tilt_v = du * 0.25, dv * 0.25
        sc.box(u + du - 2.2, v + dv - 2.2, z, u + du + 2.2, v + dv + 2.2, z + hh,
               FRY, top=(255, 236, 150, 255), depth_bias=bias + 0.01 * i)


# --------------------------------------------------------------------------
# Fries cannon
def box_faces_band(sc, hw, z0, z1, col, bias=0.6):
    """A coloured band around the two visible faces of a square body centred
    on the origin (the body is symmetric, so this works in every rotation)."""
    iso = sc.iso
    w = iso.world

    def fn(c):
        c.fillpoly([w(hw, -hw, z1), w(hw, hw, z1), w(hw, hw, z0), w(hw, -hw, z0)], shade(col, 0.82))
        c.fillpoly([w(-hw, hw, z1), w(hw, hw, z1), w(hw, hw, z0), w(-hw, hw, z0)], col)
        for z in (z0, z1):
            c.line([w(hw, -hw, z), w(hw, hw, z), w(-hw, hw, z)], 1.0, INK)
    sc.custom(iso.depth(0, 0, (z0 + z1) / 2) + bias, fn)


def box_faces_band_at(sc, cu, cv_, hu, hv, z0, z1, col):
    """Band on the visible faces of a box centred on local (cu, cv_)."""
    iso = sc.iso
    pts = [iso.turn(cu + a * hu, cv_ + b * hv) for a in (-1, 1) for b in (-1, 1)]
    X0, X1 = min(p[0] for p in pts), max(p[0] for p in pts)
    Y0, Y1 = min(p[1] for p in pts), max(p[1] for p in pts)
    w = iso.world

    def fn(c):
        c.fillpoly([w(X1, Y0, z1), w(X1, Y1, z1), w(X1, Y1, z0), w(X1, Y0, z0)], shade(col, 0.82))
        c.fillpoly([w(X0, Y1, z1), w(X1, Y1, z1), w(X1, Y1, z0), w(X0, Y1, z0)], col)
    X, Y = iso.turn(cu, cv_)
    sc.custom(X + Y + (z0 + z1) / 2 + 0.6, fn)


def fries_tower(level, row, frame, nframes):
    W, H, OX, OY, N, HB = CAT[("frite", level)]
    cv = Canvas(W, H, ow=OW)
    iso = Iso(OX, OY, ROW_ROT[row])
    sc = Scene(cv, iso)
    k = {1: 1.65, 2: 1.75, 3: 1.9}[level]
    R = {1: 48, 2: 54, 3: 58}[level]
    plinth(sc, {1: 38, 2: 43, 3: 50}[level], ring={1: MUSTARD, 2: MUSTARD, 3: GOLD}[level], h=8)
    recoil = {1: -5, 2: -3, 3: -1.5}.get(frame, 0) * k
    z0 = 9
    bh = 30 * k
    hw = 17 * k
    body = RED
    if level >= 2:
        # chrome fryer cabinet under the carton, with its oil window
        fh = {2: 12, 3: 15}[level] * k
        fw = hw + 4
        sc.box(-fw, -fw, z0, fw, fw, z0 + fh, STEEL, top=(226, 228, 234, 255), depth_bias=-0.5)
        w_ = iso.world

        def window(c, fw=fw, fh=fh):
            c.poly([w_(fw, -fw * 0.6, z0 + fh * 0.75), w_(fw, fw * 0.6, z0 + fh * 0.75),
                    w_(fw, fw * 0.6, z0 + fh * 0.25), w_(fw, -fw * 0.6, z0 + fh * 0.25)], (255, 170, 40, 255),
                   ow=1.0)
            c.poly([w_(-fw * 0.6, fw, z0 + fh * 0.75), w_(fw * 0.6, fw, z0 + fh * 0.75),
                    w_(fw * 0.6, fw, z0 + fh * 0.25), w_(-fw * 0.6, fw, z0 + fh * 0.25)], (255, 190, 60, 255),
                   ow=1.0)
        sc.custom(iso.depth(0, 0, z0 + fh / 2) + 0.2, window)
        z0 += fh
    if level == 3:
        # two small fries hoppers feeding the gatling from the sides
        for side in (-1, 1):
            v0 = side * (hw + 9 * k)
            sc.box(-7 * k, v0 - 6 * k, z0, 7 * k, v0 + 6 * k, z0 + 16 * k, RED, top=shade(RED, 1.2),
                   depth_bias=-0.3)
            box_faces_band_at(sc, 0, v0, 7 * k, 6 * k, z0 + 9 * k, z0 + 12 * k, GOLD)
            fries_bundle(sc, 0, v0, z0 + 16 * k, 4.5 * k, 5, 5 * k, 10 * k, seed=side + 4, bias=1.5)
    # the body is a giant fries carton: wider at the top, with a band and
    # a smile-shaped cut on its front faces
    a0, a1 = hw * 0.86, hw * 1.08
    zb, zt = z0, z0 + bh
    w_ = iso.world

    def hw_at(z):
        return a0 + (a1 - a0) * (z - zb) / (zt - zb)

    def carton(c):
        fx = [w_(a1, -a1, zt), w_(a1, a1, zt), w_(a0, a0, zb), w_(a0, -a0, zb)]
        fy = [w_(-a1, a1, zt), w_(a1, a1, zt), w_(a0, a0, zb), w_(-a0, a0, zb)]
        topf = [w_(-a1, -a1, zt), w_(a1, -a1, zt), w_(a1, a1, zt), w_(-a1, a1, zt)]
        c.poly(hull(fx + fy + topf), body)
        c.fillpoly(fx, shade(body, 0.78))
        c.fillpoly(fy, body)
        c.fillpoly(topf, shade(body, 0.55))
        for (z0b, z1b, col) in ((zb + bh * 0.5, zb + bh * 0.7, MUSTARD),) + (
                ((zb + bh * 0.1, zb + bh * 0.2, WHITE if level == 2 else GOLD),) if level >= 2 else ()):
            h0, h1 = hw_at(z0b), hw_at(z1b)
            c.fillpoly([w_(h1, -h1, z1b), w_(h1, h1, z1b), w_(h0, h0, z0b), w_(h0, -h0, z0b)], shade(col, 0.82))
            c.fillpoly([w_(-h1, h1, z1b), w_(h1, h1, z1b), w_(h0, h0, z0b), w_(-h0, h0, z0b)], col)
        # smile cut on each front face
        for face in (0, 1):
            pts = []
            for i in range(9):
                t = -0.75 + 1.5 * i / 8
                z = zt - bh * 0.1 - bh * 0.16 * (1 - t * t / 0.5625)
                hz = hw_at(z)
                pts.append(w_(hz, t * hz, z) if face == 0 else w_(t * hz, hz, z))
            c.line(pts, 1.6, (255, 236, 150, 255))
        c.line([w_(a0, a0, zb), w_(a1, a1, zt)], 1.0, INK)
        c.line([w_(-a1, a1, zt), w_(a1, a1, zt), w_(a1, -a1, zt)], 1.0, INK)
    sc.custom(iso.depth(0, 0, (zb + zt) / 2), carton)
    top = z0 + bh
    # fries crown on top of the carton
    fries_bundle(sc, 0, 0, top, hw * 0.78, {1: 11, 2: 14, 3: 18}[level], 9 * k, 20 * k,
                 seed=level, bias=2)
    if level == 3:
        sc.vcyl(0, 0, top + 22 * k, top + 25 * k, 3, GOLD, depth_bias=5)

        def crown_star(c):
            x, y = iso.p(0, 0, top + 30 * k)
            star(c, x, y, 9, 4.2, 5, GOLD, rot=-math.pi / 2, ow=1.4)
        sc.custom(iso.depth(0, 0, top + 30 * k) + 50, crown_star)
    # barrels
    bz = z0 + bh * 0.42
    mouth_u = hw + 22 * k + recoil
    if level == 1:
        offs = [(0, 0)]
    elif level == 2:
        offs = [(-6.5 * k, 0), (6.5 * k, 0)]
    else:
        rot = frame * 0.7
        offs = [(5.5 * k * math.cos(rot + i * 2.094), 5.5 * k * math.sin(rot + i * 2.094)) for i in range(3)]
    br = {1: 6.0, 2: 4.8, 3: 3.6}[level] * k
    sc.tube((hw - 2, 0, bz), (hw + 5 * k + recoil * 0.3, 0, bz), (br + 3 * k) if level < 3 else 10.5 * k,
            STEEL_DARK if level < 3 else GOLD_DARK, cap=DARK_STEEL, depth_bias=3)
    mouths = []
    for (dv, dz) in offs:
        a = (hw + 2 * k + recoil, dv, bz + dz)
        b = (mouth_u, dv, bz + dz)
        sc.tube(a, b, br, STEEL, cap=(60, 50, 40, 255), depth_bias=4 + dz * 0.01)
        sc.tube((mouth_u - 4 * k, dv, bz + dz), (mouth_u - 0.5 * k, dv, bz + dz), br + 1.0,
                RED if level < 3 else GOLD, cap=(60, 50, 40, 255), depth_bias=4.5 + dz * 0.01)
        mouths.append((mouth_u, dv, bz + dz))
    if level == 3:
        # gatling front plate holding the barrels together
        sc.tube((mouth_u - 11 * k, 0, bz), (mouth_u - 8 * k, 0, bz), 10 * k, GOLD, cap=GOLD_DARK,
                depth_bias=4.2)
    # firing: fries fly out of each muzzle in the facing direction, rising
    # towards the customers' mouths
    if frame > 0:
        for mi, (mu, mv, mz) in enumerate(mouths):
            nst = {1: 8, 2: 6, 3: 5}[level]
            for j in range(nst):
                t0 = 1 + (j % 4) * 0.45 + mi * 0.3 + (j // 4) * 0.25
                age = frame - t0
                if age < 0:
                    continue
                dist = 4 + age * 24
                if dist > 165:
                    continue
                lat = ((j * 37 + mi * 11) % 9 - 4) * 0.045 * dist
                up = ((j * 13) % 5 - 2) * 0.03 * dist + 0.42 * dist - 0.0012 * dist * dist
                pu, pv, pz = mu + dist, mv + lat, mz + up
                spin = j * 1.3 + frame * 0.9
                L = 10.0
                a3 = (pu - L / 2 * math.cos(spin), pv, pz - L / 2 * math.sin(spin))
                b3 = (pu + L / 2 * math.cos(spin), pv, pz + L / 2 * math.sin(spin))

                def fn(c, a3=a3, b3=b3):
                    p1, p2 = iso.p(*a3), iso.p(*b3)
                    c.limb(p1, p2, 2.6, 2.6, FRY, ow=1.3)
                    c.line([p1, lerp2(p1, p2, 0.6)], 0.9, (255, 244, 180, 255))
                sc.custom(iso.depth(pu, pv, pz) + 10, fn)
        if frame <= 2:
            for (mu, mv, mz) in mouths:
                cu = mu + 4 * k

                def puff(c, cu=cu, mv=mv, mz=mz, fr=frame):
                    x, y = iso.p(cu, mv, mz)
                    rr = (7 if fr == 1 else 10) * k
                    star(c, x, y, rr, rr * 0.55, 8, (255, 240, 150, 255) if fr == 1 else (255, 255, 255, 235))
                sc.custom(iso.depth(cu, mv, mz) + 12, puff)
    sc.draw()
    return cv.final()


def lerp2(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)


def star(c, x, y, r1, r2, n, col, rot=0.0, ow=1.0):
    pts = []
    for i in range(2 * n):
        rr = r1 if i % 2 == 0 else r2
        a = rot + math.pi * i / n
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a)))
    c.poly(pts, col, ow=ow)


# --------------------------------------------------------------------------
# Burger spatula catapult
def burger_3d(sc, u, v, z, r, bias=0.0):
    """A burger lying flat, as stacked discs."""
    sc.vcyl(u, v, z, z + r * 0.35, r, BUN, depth_bias=bias, bands=False)
    sc.vcyl(u, v, z + r * 0.35, z + r * 0.62, r * 1.05, (120, 60, 30, 255), top=(150, 80, 40, 255),
            depth_bias=bias + 0.01, bands=False)
    sc.vcyl(u, v, z + r * 0.62, z + r * 0.75, r * 1.1, LETTUCE, depth_bias=bias + 0.02, bands=False)
    sc.cone(u, v, z + r * 0.75, z + r * 1.25, r, r * 0.72, BUN, top=shade(BUN, 1.15), depth_bias=bias + 0.03)

    def seeds(c):
        for (du, dv) in ((0.2, -0.2), (-0.2, 0.1), (0.1, 0.35), (-0.35, -0.3)):
            x, y = sc.iso.p(u + du * r, v + dv * r, z + r * 1.28)
            c.blob(x, y, 1.2, 0.8, (255, 240, 200, 255))
    sc.custom(sc.iso.depth(u, v, z + r) + bias + 0.05, seeds)


def burger_tower(level, row, frame, nframes):
    W, H, OX, OY, N, HB = CAT[("burger", level)]
    cv = Canvas(W, H, ow=OW)
    iso = Iso(OX, OY, ROW_ROT[row])
    sc = Scene(cv, iso)
    k = {1: 1.25, 2: 1.32, 3: 1.4}[level]
    plinth(sc, 31, ring={1: MUSTARD, 2: MUSTARD, 3: GOLD}[level], h=7)
    z0 = 7
    gh = {1: 24, 2: 34, 3: 48}[level]
    hw = 20 * k
    body = {1: RED, 2: (244, 150, 40, 255), 3: RED}[level]
    sc.box(-hw, -hw * 0.9, z0, hw, hw * 0.9, z0 + gh, body, top=(70, 64, 64, 255))
    gt = z0 + gh
    # grill bars on top
    for i in range(5):
        t = -0.7 + 0.35 * i
        a, b = (-hw * 0.85, t * hw * 0.9, gt + 0.3), (hw * 0.85, t * hw * 0.9, gt + 0.3)

        def bars(c, a=a, b=b):
            c.line([iso.p(*a), iso.p(*b)], 1.1, (30, 30, 30, 255))
        sc.custom(iso.depth(0, t * hw, gt) + 0.5, bars)
    # knobs on the front face (the one facing the way it throws)
    for t in (-0.45, 0.0, 0.45):
        pos = (hw + 0.6, t * hw, z0 + gh * 0.45)
        sc.custom(iso.depth(*pos) + 1,
                  lambda c, pos=pos: c.circle(*iso.p(*pos), 2.4 * k, MUSTARD if level < 3 else GOLD))
    if level >= 2:
        # flames licking out under the grill top
        for t in (-0.5, 0.0, 0.5):
            pos = (t * hw, hw * 0.9 + 0.5, z0 + gh * 0.55)

            def flame(c, pos=pos, t=t):
                x, y = iso.p(*pos)
                f = 1.0 + 0.2 * math.sin(frame * 1.7 + t * 5)
                c.poly([(x - 3.5, y + 4), (x - 2.5, y - 4 * f), (x, y - 9 * f), (x + 2.5, y - 4 * f),
                        (x + 3.5, y + 4)], (255, 140, 40, 255), ow=1.0)
                c.poly([(x - 1.8, y + 3), (x, y - 4 * f), (x + 1.8, y + 3)], (255, 230, 90, 255), ow=0)
            sc.custom(iso.depth(*pos) + 1, flame)
    if level >= 2:
        # chimney hood at the back
        cv0 = -hw * 0.9 + 1
        cu0 = -hw * 0.55
        sc.box(cu0, cv0, gt, cu0 + 10 * k, cv0 + 10 * k, gt + 26 * k, STEEL, depth_bias=-2)
        sc.vcyl(cu0 + 5 * k, cv0 + 5 * k, gt + 26 * k, gt + 38 * k, 4 * k, DARK_STEEL, depth_bias=-1.5)
        if level == 3:
            # a golden star crowns the chimney
            def crown(c):
                x, y = iso.p(cu0 + 5 * k, cv0 + 5 * k, gt + 46 * k)
                star(c, x, y, 9, 4, 5, GOLD, rot=-math.pi / 2, ow=1.4)
            sc.custom(iso.depth(cu0, cv0, gt + 46 * k) - 1.2, crown)
        if frame in (1, 2, 3):
            def smoke(c, fr=frame):
                x, y = iso.p(cu0 + 5 * k, cv0 + 5 * k, gt + 42 * k + fr * 5)
                for j in range(fr):
                    c.circle(x + j * 3, y - j * 7, 4 + j * 1.5, (235, 235, 240, 230), ow=1.0)
            sc.custom(iso.depth(-hw, cv0, gt + 60) - 1, smoke)
    if level == 3:
        # golden crown band
        box_faces_band_at(sc, 0, 0, hw, hw * 0.9, z0 + gh * 0.74, z0 + gh * 0.9, GOLD)
    # ketchup and mustard squeeze bottles on the back corners
    for (bu, bv, col) in ((-hw * 0.7, hw * 0.62, KETCHUP), (-hw * 0.7, -hw * 0.62, MUSTARD)):
        if level >= 2 and bv < 0:
            continue  # the chimney stands there
        sc.vcyl(bu, bv, gt, gt + 13 * k, 3.6 * k, col, depth_bias=-0.2)
        sc.cone(bu, bv, gt + 13 * k, gt + 19 * k, 3.6 * k, 1.0 * k, col, depth_bias=-0.1)
    # the arm: pivot on a post at the front of the grill
    pu, pz = hw * 0.45, gt + 12 * k
    sc.box(pu - 3, -4, gt, pu + 3, 4, pz, STEEL_DARK, depth_bias=0.6)
    # throw target for this row (rows 2, 3 use row 0's pose)
    mz = BURGER_MUZZLE[level][row if row < 2 else 0]
    tx, ty = mz[0] + 6 - OX, mz[1] + 8 - OY
    if row != 1:
        tu = tx / 0.866
        tz = 0.5 * tu - ty
    else:
        tu = -tx / 0.866
        tz = 0.5 * tu - ty
    L = math.hypot(tu - pu, tz - pz)
    th_throw = math.atan2(tu - pu, tz - pz)
    L0 = {1: 36, 2: 42, 3: 48}[level]
    poses = {0: (-0.95, L0), 1: (th_throw, L), 2: (1.05, L0), 3: (0.35, L0), 4: (-0.45, L0), 5: (-0.8, L0)}
    th, LL = poses.get(frame, (-0.95, L0))
    du, dz = math.sin(th), math.cos(th)
    end = (pu + du * LL, 0, pz + dz * LL)
    handle_end = (pu + du * (LL - 10), 0, pz + dz * (LL - 10))
    sc.tube((pu, 0, pz), handle_end, 3.0 * k, (150, 92, 46, 255), cap=(110, 64, 30, 255), depth_bias=2)
    # spatula blade: a flat plate across the arm, always held face up
    bw = 9.5 * k
    blade = [(handle_end[0], -bw, handle_end[2]), (handle_end[0], bw, handle_end[2]),
             (end[0] + du * 4, bw, end[2] + dz * 4), (end[0] + du * 4, -bw, end[2] + dz * 4)]
    bd = iso.depth(end[0], 0, end[2]) + 2.5
    sc.flat(blade, STEEL if level < 3 else GOLD, depth=bd)
    for t in (-0.4, 0.0, 0.4):
        a = (handle_end[0] + du * 2, t * bw, handle_end[2] + dz * 2)
        b = (end[0] + du * 1, t * bw, end[2] + dz * 1)
        sc.custom(bd + 0.01, lambda c, a=a, b=b: c.line([iso.p(*a), iso.p(*b)], 0.9, STEEL_DARK))
    # a burger waits on the blade except right after the throw
    if frame in (0, 4, 5):
        bu = (handle_end[0] + end[0]) / 2
        bz = (handle_end[2] + end[2]) / 2 + 2
        burger_3d(sc, bu, 0, bz, 10.5 * k, bias=bd + 0.1 - iso.depth(bu, 0, bz + 5))
    if frame == 1:
        # whoosh of the throw
        def whoosh(c):
            pts = []
            for i in range(7):
                t = th_throw - 1.4 + 1.4 * i / 6
                pts.append(iso.p(pu + math.sin(t) * (LL + 4), 0, pz + math.cos(t) * (LL + 4)))
            c.line(pts, 2.2, (255, 255, 255, 220))
        sc.custom(bd + 5, whoosh)
    sc.draw()
    return cv.final()


def burger_shot():
    """The thrown burger, 19 x 22, seen slightly from above with a spin blur."""
    cv = Canvas(19, 22, ow=1.1)
    x, y, r = 9.5, 12, 8.0
    cv.ellipse(x, y + 4.2, r, 2.6, BUN)
    cv.ellipse(x, y + 2.0, r * 1.02, 2.3, (120, 60, 30, 255))
    cv.poly([(x - r * 1.05, y + 0.4), (x + r * 1.05, y + 0.4), (x + 2, y + 4)], (255, 200, 61, 255), ow=0.7)
    cv.ellipse(x, y + 0.5, r * 1.1, 1.4, LETTUCE, ow=0.7)
    pts = [(x - r, y)] + [(x + r * math.cos(a), y - 7.5 * math.sin(a))
                          for a in [math.pi * i / 16 for i in range(17)]][::-1]
    cv.poly(pts, BUN)
    cv.blob(x - 3, y - 4.5, 2.2, 1.3, (255, 214, 150, 255))
    for (dx, dy) in ((-3.5, -2.5), (0.5, -5), (3.5, -2.8), (1, -2)):
        cv.blob(x + dx, y + dy, 0.8, 0.55, (255, 245, 215, 255))
    return cv.final()


# --------------------------------------------------------------------------
# Soda fountain
SODA_DROP = (196, 100, 44, 255)


def soda_drop(c, x, y, rr, ow):
    """A drop of cola in flight: round below, pointed above, with a glint."""
    pts = [(x + rr * math.cos(math.radians(a)), y + rr * math.sin(math.radians(a)))
           for a in range(-30, 211, 20)]
    c.poly(pts + [(x, y - rr * 1.9)], SODA_DROP, ow=ow)
    c.dot(x - rr * 0.35, y - rr * 0.1, rr * 0.3, WHITE)


def soda_parts(level):
    k = {1: 1.0, 2: 1.1, 3: 1.22}[level]
    return k


def soda_tower(level, frame, nframes):
    W, H, OX, OY, N, HB = CAT[("soda", level)]
    cv = Canvas(W, H, ow=OW)
    iso = Iso(OX, OY, 0)
    sc = Scene(cv, iso)
    k = soda_parts(level)
    plinth(sc, {1: 46, 2: 50, 3: 55}[level], ring={1: MUSTARD, 2: MUSTARD, 3: GOLD}[level], h=8)
    z0 = 8
    # a little shake before the fountain goes off
    spawn = N - 4
    shake = 0.0
    if 1 <= frame <= 3:
        shake = (1.5 if frame % 2 else -1.5) * k
    squash = 1.0 - (0.05 if frame in (2, 3) else 0.0) + (0.03 if frame == 4 else 0.0)
    # dispenser cabinet
    ch = 46 * k
    sc.vcyl(0, 0, z0, z0 + ch, 36 * k, RED, top=(236, 236, 240, 255))
    # white wave band on the cabinet
    sc.vcyl(0, 0, z0 + ch * 0.5, z0 + ch * 0.68, 36.6 * k, WHITE, top=WHITE, depth_bias=0.3, bands=False)
    # giant cup on top: stripes
    c0 = z0 + ch
    cup_h = (120 * k) * squash
    r0, r1 = 28 * k, 40 * k
    cup_top = c0 + cup_h

    def cup(c):
        bx, by = iso.p(shake * 0.2, 0, c0)
        tx, ty = iso.p(shake, 0, cup_top)
        b_rx, b_ry = r0 * ISO_RX, r0 * ISO_RY
        t_rx, t_ry = r1 * ISO_RX, r1 * ISO_RY
        side = hull(circle_pts(bx, by, b_rx, b_ry, 36) + circle_pts(tx, ty, t_rx, t_ry, 36))
        c.poly(side, WHITE)
        # red vertical stripes of a paper cup (front half only)
        for i in range(6):
            a0 = math.pi * (0.06 + i * 0.16)
            a1 = a0 + math.pi * 0.08
            pts = []
            for j in range(5):
                a = a0 + (a1 - a0) * j / 4
                pts.append((bx + b_rx * math.cos(a), by + b_ry * math.sin(a)))
            for j in range(5):
                a = a1 - (a1 - a0) * j / 4
                pts.append((tx + t_rx * math.cos(a), ty + t_ry * math.sin(a)))
            c.fillpoly(pts, RED if level < 3 else (226, 58, 46, 255))
        # soft shading on the right, light on the left
        pts = []
        for j in range(9):
            a = math.pi * (0.0 + 0.12 * j / 8)
            pts.append((bx + b_rx * math.cos(a), by + b_ry * math.sin(a)))
        for j in range(9):
            a = math.pi * (0.12 - 0.12 * j / 8)
            pts.append((tx + t_rx * math.cos(a), ty + t_ry * math.sin(a)))
        c.fillpoly(pts, (0, 0, 0, 40))
        # logo badge: a drop
        lx, ly = iso.p(shake * 0.6 + r1 * 0.62, r1 * 0.62, c0 + cup_h * 0.5)
        c.circle(lx, ly, 11 * k, SKY if level < 3 else GOLD, ow=1.4)
        c.poly([(lx, ly - 8 * k), (lx + 5 * k, ly + 1 * k), (lx, ly + 6 * k), (lx - 5 * k, ly + 1 * k)],
               WHITE, ow=1.0)
        # lid
        c.ellipse(tx, ty, t_rx + 3, t_ry + 2, (236, 236, 240, 255) if level < 3 else GOLD)
        c.ellipse(tx, ty - 4, t_rx * 0.85, t_ry * 0.85, WHITE if level < 3 else (255, 236, 150, 255))
        if level >= 2:
            # ice cubes peeking out over the rim
            for (dx, dy, rr) in ((-0.55, -0.1, 7), (0.5, -0.25, 6), (-0.15, 0.35, 6.5), (0.45, 0.3, 5.5)):
                x, y = tx + dx * t_rx, ty - 4 + dy * t_ry
                r2 = rr * k * 1.25
                c.poly([(x - r2, y), (x - r2 * 0.2, y - r2 * 0.9), (x + r2, y - r2 * 0.3), (x + r2 * 0.3, y + r2 * 0.6)],
                       (200, 236, 255, 255), ow=1.2)
                c.blob(x - r2 * 0.3, y - r2 * 0.3, r2 * 0.25, r2 * 0.15, WHITE)
        if level == 3:
            # a band of gold stars round the cup
            for i in range(5):
                a = math.pi * (0.18 + 0.16 * i)
                if i == 2:
                    continue
                sx = (bx + tx) / 2 + (b_rx + t_rx) / 2 * 0.86 * math.cos(a)
                sy = (by + ty) / 2 + (b_ry + t_ry) / 2 * 0.86 * math.sin(a) + cup_h * 0.22
                star(c, sx, sy, 6, 2.6, 5, GOLD, rot=-math.pi / 2, ow=1.0)
    sc.custom(iso.depth(0, 0, c0 + cup_h / 2), cup)
    # straws: one per level
    straws = [(0.0, 6.0)] if level == 1 else ([(-8.0, 4.0), (10.0, 10.0)] if level == 2 else
                                                [(-12.0, 2.0), (0.0, 14.0), (12.0, 4.0)])
    straw_cols = [(255, 255, 255, 255), (255, 255, 255, 255), (255, 255, 255, 255)]
    tips = []
    for i, (du, dv) in enumerate(straws):
        sh = (44 + 8 * i) * k
        a = (du * k + shake, dv * k, cup_top - 2)
        b = (du * k + shake, dv * k, cup_top + sh)
        sc.tube(a, b, 3.2 * k, (255, 255, 255, 255), cap=(200, 60, 60, 255), depth_bias=20 + i)

        def stripe(c, a=a, b=b):
            p1, p2 = iso.p(*a), iso.p(*b)
            for j in range(6):
                t = (j + 0.5) / 6
                x, y = lerp2(p1, p2, t)
                c.line([(x - 3.2 * k, y + 1.5), (x + 3.2 * k, y - 1.5)], 1.6 * k, RED)
        sc.custom(iso.depth(*b) + 21 + i, stripe)
        tips.append(b)
    # front tap with its lever
    tap = (36 * k * 0.72, 36 * k * 0.72, z0 + ch * 0.82)
    sc.tube((tap[0] - 6, tap[1] - 6, tap[2]), (tap[0] + 6 * k, tap[1] + 6 * k, tap[2] - 2), 3.5 * k, STEEL,
            cap=DARK_STEEL, depth_bias=5)
    lever_down = 2 <= frame <= N - 2

    def lever(c):
        x, y = iso.p(tap[0] + 3, tap[1] + 3, tap[2] + 2)
        ang = -1.2 if not lever_down else -0.4
        x2, y2 = x + math.cos(ang) * 12 * k, y + math.sin(ang) * 12 * k
        c.limb((x, y), (x2, y2), 1.8 * k, 1.8 * k, DARK_STEEL)
        c.circle(x2, y2, 3.2 * k, RED)
    sc.custom(iso.depth(*tap) + 6, lever)
    # pouring from the tap onto the floor while the fountain runs
    if lever_down:
        def pour(c):
            x, y = iso.p(tap[0] + 6 * k, tap[1] + 6 * k, tap[2] - 4)
            yb = iso.p(tap[0] + 6 * k, tap[1] + 6 * k, 0)[1]
            c.limb((x, y), (x, yb - 2), 2.6 * k, 3.6 * k, COLA_LIGHT, ow=1.2)
            c.ellipse(x, yb, 9 * k, 3.5 * k, COLA, ow=1.0)
        sc.custom(iso.depth(tap[0] + 6, tap[1] + 6, 0) + 7, pour)
    # the fountain: soda shoots out of the straws and rains all around
    g = frame - 3   # 0 at the first gush
    if g >= 0 and frame < N:
        peak = [0.35, 0.7, 1.0, 1.0, 0.85, 0.6, 0.4, 0.25, 0.15][min(g, 8)]
        after = frame - spawn
        for ti, tip in enumerate(tips):
            tx, ty = iso.p(*tip)
            jet_h = 62 * k * peak

            def jet(c, tx=tx, ty=ty, jet_h=jet_h):
                if jet_h < 4:
                    return
                c.limb((tx, ty), (tx, ty - jet_h), 4.0 * k, 8.0 * k, COLA_LIGHT, ow=1.5)
                c.line([(tx - 1.5 * k, ty - 3), (tx - 3.0 * k, ty - jet_h + 5)], 2.0 * k, (222, 156, 112, 255))
                # foam crown
                for j in range(6):
                    a = math.pi * (1.0 + 0.2 * j)
                    c.circle(tx + math.cos(a) * 8 * k, ty - jet_h + math.sin(a) * 4 * k, 4.6 * k,
                             (255, 238, 214, 255), ow=1.2)
            sc.custom(iso.depth(*tip) + 30, jet)
        # arcs of droplets falling to the floor around the machine
        if g >= 1:
            top_z = cup_top + 44 * k + 62 * k * peak * 0.8
            R_land = {1: 100, 2: 135, 3: 145}[level]
            ndir = 12
            prog = min(1.0, (g - 0.5) / 3.0)
            for i in range(ndir):
                a = 2 * math.pi * (i + 0.5) / ndir
                for j in range(3):
                    t = prog - j * 0.18
                    if t <= 0 or t > 1.05:
                        continue
                    ru = R_land * t
                    zz = top_z * (1 - t * t) + 4
                    pu, pv = ru * math.cos(a), ru * math.sin(a)

                    def drop(c, pu=pu, pv=pv, zz=zz, j=j):
                        x, y = iso.p(pu, pv, zz)
                        soda_drop(c, x, y, (6.0 - j * 1.3) * k, ow=1.1)
                    sc.custom(iso.depth(pu, pv, zz) + 40, drop)
        # bubbles around the cup
        for j in range(6):
            bz = c0 + cup_h * (0.2 + 0.14 * j) + (frame * 9) % 20
            a = j * 1.1 + frame * 0.4
            pu, pv = (r1 + 8) * math.cos(a), (r1 + 8) * math.sin(a)
            sc.custom(iso.depth(pu, pv, bz) + 5,
                      lambda c, pu=pu, pv=pv, bz=bz, j=j: c.circle(*iso.p(pu, pv, bz), (2.0 + j % 3) * k,
                                                                  (215, 240, 255, 255), ow=1.0))
    elif 1 <= frame <= 2:
        for j in range(3):
            bz = cup_top + 6 + j * 8 + frame * 4
            sc.custom(iso.depth(0, 0, bz) + 30,
                      lambda c, bz=bz, j=j: c.circle(*iso.p(tips[0][0] + (j - 1) * 4, tips[0][1], bz + 44 * k),
                                                     2.5 * k, (215, 240, 255, 255), ow=1.0))
    sc.draw()
    return cv.final()


SODA_FILM = (226, 146, 70, 255)   # the thin amber edge where the drink runs out
SODA = (132, 40, 18, 255)         # cola
SODA_DEEP = (72, 18, 8, 255)      # where it lies deepest
SODA_EDGE = (128, 52, 20, 255)
FOAM = (255, 250, 240, 255)
FOAM_SHADE = (236, 214, 186, 255)


def soda_splash(level, frame):
    """Row 1: a spilt cola puddle spreading on the floor around the tower: see-through amber
    at its thin edge, darker where deep, a glossy shine, a frothy collar and bubbles fizzing
    up through it; drops of drink are still flying while it spreads."""
    W, H, OX, OY, N, HB = CAT[("soda", level)]
    cv = Canvas(W, H, ow=1.0, ink=SODA_EDGE)
    k = {1: 1.0, 2: 1.2, 3: 1.4}[level]
    grow = [0.45, 0.72, 0.92, 1.0][frame]
    # the floor below the tower's foot is all the room the puddle has
    full = {1: 150, 2: 190, 3: 205}[level]
    rx = full * grow
    ry = rx * {1: 0.48, 2: 0.52, 3: 0.5}[level]
    cx, cy = OX, OY

    def wobble(a):
        return 1.0 + 0.09 * math.sin(a * 3 + level) + 0.07 * math.sin(a * 5 + 1.3)

    def at(a, d, dy=0.0):
        return cx + rx * wobble(a) * d * math.cos(a), cy + dy + ry * wobble(a) * d * math.sin(a)

    def outline(scale, dy=0.0):
        return [at(2 * math.pi * i / 72, scale, dy) for i in range(72)]

    # the drink itself, see-through: the floor shows under it
    liquid = cv.sub()
    liquid.poly(outline(1.0), SODA_FILM)
    liquid.poly(outline(0.93, -1), SODA, ow=0)
    liquid.poly(outline(0.7, -2), SODA_DEEP, ow=0)
    cv.over(liquid, [0.8, 0.76, 0.72, 0.68][frame])

    top = cv.sub()
    # the sky of the room mirrored on the wet top, and glossy streaks on the lit side
    top.blob(cx - rx * 0.32, cy - ry * 0.36, rx * 0.34, ry * 0.14, (255, 236, 220, 90))
    for a0, a1, sc, wdt in ((196, 252, 0.74, 3.6 * k), (260, 276, 0.74, 3.6 * k),
                            (24, 62, 0.8, 2.4 * k)):
        top.arc(cx, cy - 2, rx * sc, ry * sc, a0, a1, wdt, (255, 255, 255, 240))
    # a frothy collar: overlapping bubbles all round the rim, thicker at the back
    for i in range(64):
        a = 2 * math.pi * (i + 0.5 * (i % 2)) / 64
        back = 0.5 + 0.5 * max(0.0, -math.sin(a))
        rr = (1.8 + 1.2 * ((i * 5) % 3) + 1.6 * back) * k * (0.7 + 0.3 * grow)
        x, y = at(a, 0.95 - 0.03 * (i % 2))
        top.circle(x, y, rr, FOAM_SHADE if i % 3 == 0 else FOAM, ow=0.6)
        top.dot(x - rr * 0.3, y - rr * 0.35, rr * 0.3, WHITE)
    # bubbles rising through the drink, most near the fountain: small rings with a glint, a
    # new pattern every frame so the puddle fizzes
    rnd = (level * 97 + frame * 31) % 1000
    for i in range(int(26 + 22 * grow * k)):
        rnd = (rnd * 421 + 173) % 1000
        a = 2 * math.pi * rnd / 1000
        rnd = (rnd * 421 + 173) % 1000
        d = 0.12 + 0.7 * (rnd / 1000) ** 1.5
        x, y = at(a, d, -2)
        r = (1.0 + (i % 4) * 0.6) * k
        top.arc(x, y, r, r, 0, 360, max(0.9, 0.5 * k), (255, 246, 230, 255))
        top.dot(x - r * 0.35, y - r * 0.35, max(0.6, r * 0.3), WHITE)
    # drops of drink thrown outwards while it spreads: amber, with a glint
    if frame <= 2:
        for i in range(12):
            a = 2 * math.pi * (i + 0.5) / 12
            d = min(1.05 + 0.1 * frame + 0.05 * (i % 3), (min(OX, W - OX) - 10) / rx)
            x, y = cx + rx * d * math.cos(a), cy + ry * min(d * math.sin(a), 0.95) - 10 * (2 - frame)
            soda_drop(top, x, y, (4 - frame) * k, ow=0.8)
    cv.over(top, [0.96, 0.94, 0.92, 0.88][frame])
    return cv.final()


# --------------------------------------------------------------------------
def tower_sheet(kind, level):
    W, H, OX, OY, N, HB = CAT[(kind, level)]
    if kind == "soda":
        sheet = Image.new("RGBA", (W * N, H * 2), CLEAR)
        for f in range(N):
            sheet.paste(soda_tower(level, f, N), (f * W, 0))
        for f in range(4):
            sheet.paste(soda_splash(level, f), (f * W, H))
        return sheet
    sheet = Image.new("RGBA", (W * N, H * 4), CLEAR)
    fn = fries_tower if kind == "frite" else burger_tower
    for row in range(4):
        for f in range(N):
            sheet.paste(fn(level, row, f, N), (f * W, row * H))
    return sheet


def range_disc(kind, level):
    W, H = RANGE_SIZE[(kind, level)]
    tint = RANGE_TINT[kind]
    s = 2
    im = Image.new("RGBA", (W * s, H * s), CLEAR)
    d = ImageDraw.Draw(im)
    d.ellipse([0, 0, W * s - 1, H * s - 1], fill=tint + (150,))
    e = 4 * s
    d.ellipse([e, e, W * s - 1 - e, H * s - 1 - e], fill=tint + (60,))
    # soft inner glow ring and dashed marks
    e2 = 14 * s
    d.ellipse([e2, e2, W * s - 1 - e2, H * s - 1 - e2], outline=tint + (40,), width=3 * s)
    for i in range(36):
        a0 = 360.0 * i / 36
        d.arc([e + 3 * s, e + 3 * s, W * s - 1 - e - 3 * s, H * s - 1 - e - 3 * s], a0, a0 + 5,
              fill=(255, 255, 255, 120), width=2 * s)
    return reduce(im, W, H)
