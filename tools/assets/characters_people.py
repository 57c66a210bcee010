"""The four customers: walking sheets, shadows, hit effects, gauge, faces.

Every figure is drawn for the two directions that face right (towards the
viewer going down-right, back to the viewer going up-right); the rows that
go left are mirror images.  A figure is a flat cartoon puppet: tapered
limbs for arms and legs, a torso shape, a round head with its hair, all
with the brown outline of the interface.  The walk cycle is a sine: legs
swing along the walking direction, the swinging foot lifts, arms swing
against the legs and the body bobs up when the legs pass each other.
"""
import math

from PIL import Image, ImageFilter, ImageOps

from characters_kit import (Canvas, INK, CLEAR, WHITE, KETCHUP, KETCHUP_DARK, MUSTARD,
                            MUSTARD_DARK, BUN, LETTUCE, COLA, COLA_LIGHT, rgba, shade,
                            mix, emoji, reduce)

SKIN = (250, 196, 150, 255)
SKIN_DARK = (214, 150, 104, 255)
BLUSH = (246, 140, 130, 200)

# type key -> cell size (frameWidth, frameHeight)
CELL = {
    "celib": (77, 106),
    "famille": (109, 120),
    "gros": (98, 125),
    "business": (87, 103),
}
FRIES_CELL = (129, 124)


def V(x, y):
    return (x, y)


def add(a, b, k=1.0):
    return (a[0] + b[0] * k, a[1] + b[1] * k)


def lerp(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)


def ik(a, b, length, bend_dir):
    """Middle joint of a two-part limb from a to b of total length `length`,
    bending to the side of screen vector bend_dir."""
    dx, dy = b[0] - a[0], b[1] - a[1]
    d = math.hypot(dx, dy) or 0.001
    half = length / 2.0
    m = lerp(a, b, 0.5)
    if d >= length:
        return m
    h = math.sqrt(max(0.0, half * half - (d / 2) ** 2))
    px, py = -dy / d, dx / d
    if px * bend_dir[0] + py * bend_dir[1] < 0:
        px, py = -px, -py
    return (m[0] + px * h, m[1] + py * h)


# --------------------------------------------------------------------------
# Puppet geometry
class Pose:
    pass


def pose(P, gx, gy, phase, back, s=1.0):
    """Joint positions of a walking figure.  P: proportions (final pixels at
    scale 1), (gx, gy): ground point, phase: 0..2pi, back: seen from behind."""
    g = Pose()
    fy = -0.22 if back else 0.22
    f = (0.88, fy)                         # walking direction on screen
    lat = (0.55, 0.22) if back else (-0.55, 0.22)   # towards the viewer's side
    g.f, g.lat, g.back = f, lat, back
    sphase = math.sin(phase)
    bob = -P["bob"] * s * (1 - abs(sphase))
    lean = P.get("lean", 0.0) * s
    hc = (gx + lean * 0.3, gy - P["leg"] * s + bob + P["bob"] * s * 0.5)
    g.hip = hc
    sc = (hc[0] + lean, hc[1] - P["torso"] * s)
    g.sh = sc
    g.neck = (sc[0] + lean * 0.2, sc[1] - P.get("neck", 2) * s)
    g.head = (g.neck[0] + lean * 0.2 + (1.5 * s if not back else 0.5 * s),
              g.neck[1] - P["head"] * s * 0.92)
    g.hr = P["head"] * s
    legs = []
    for i, ph in enumerate((phase, phase + math.pi)):
        side = 1 if i == 0 else -1           # 0 = near leg, 1 = far leg
        hip = add(hc, lat, P["hipw"] * s * side)
        sw = math.sin(ph)
        lift = P["lift"] * s * max(0.0, math.cos(ph))
        base = add((gx, gy), lat, P["hipw"] * s * 0.9 * side)
        ank = add(base, f, P["stride"] * s * sw)
        ank = (ank[0], ank[1] - lift)
        knee = ik(hip, ank, P["leg"] * s * 1.02, (f[0], 0))
        legs.append((hip, knee, ank, lift))
    g.legs = legs
    arms = []
    for i, ph in enumerate((phase, phase + math.pi)):
        side = 1 if i == 0 else -1
        # arms hang at the sides of the torso, the near one towards the viewer
        sx = (0.78 if back else -0.78) * side
        shl = (sc[0] + sx * P["shw"] * s, sc[1] + 2.5 * s + 0.12 * side * P["shw"] * s)
        sw = -math.sin(ph) * P["swing"] * s
        hand = (shl[0] + f[0] * sw, shl[1] + P["arm"] * s * 0.93 + abs(sw) * -0.15 + f[1] * sw)
        elbow = ik(shl, hand, P["arm"] * s, (-f[0], 0))
        arms.append((shl, elbow, hand))
    g.arms = arms
    g.s = s
    return g


def draw_leg(cv, leg, P, far, s, trouser=None, shoe=None, f=(1, 0)):
    hip, knee, ank, lift = leg
    k = 0.82 if far else 1.0
    tc = shade(trouser or P["pants"], k)
    r = P["legr"] * s
    cv.limb(hip, knee, r * 1.08, r, tc)
    cv.limb(knee, ank, r, r * 0.85, tc)
    toe = (ank[0] + f[0] * 4.2 * s, ank[1] + 1.2 * s + f[1] * 2.0 * s)
    heel = (ank[0] - f[0] * 1.0 * s, ank[1] + 1.0 * s)
    cv.limb(heel, toe, 2.4 * s, 2.6 * s, shade(shoe or P["shoe"], k))
    if P.get("sole"):
        cv.line([(heel[0] - 0.5 * s, heel[1] + 1.8 * s), (toe[0] + 0.5 * s, toe[1] + 1.8 * s)],
                1.0 * s, shade(P["sole"], k))


def draw_arm(cv, arm, P, far, s, sleeve=None, hand_col=None):
    shl, elbow, hand = arm
    k = 0.82 if far else 1.0
    r = P["armr"] * s
    sc = shade(sleeve or P["top"], k)
    if P.get("short_sleeve"):
        cv.limb(shl, elbow, r * 1.15, r * 1.0, sc)
        cv.limb(lerp(shl, elbow, 0.55), hand, r * 0.8, r * 0.75, shade(SKIN, k))
    else:
        cv.limb(shl, elbow, r * 1.1, r, sc)
        cv.limb(elbow, hand, r, r * 0.9, sc)
    cv.circle(hand[0], hand[1] + 0.8 * s, r * 0.95, shade(hand_col or SKIN, k))


def draw_torso(cv, g, P, s):
    sc, hc = g.sh, g.hip
    sw, hw = P["shw"] * s * 1.05, P["hipw"] * s * 1.35
    pts = [(sc[0] - sw, sc[1] + 1 * s), (sc[0] - sw * 0.6, sc[1] - 1.0 * s),
           (sc[0] + sw * 0.6, sc[1] - 1.0 * s), (sc[0] + sw, sc[1] + 1 * s),
           (hc[0] + hw, hc[1] + 2.5 * s), (hc[0] - hw, hc[1] + 2.5 * s)]
    cv.poly(pts, P["top"])
    return pts


def _arc_pts(hx, hy, r, a0, a1, n=14):
    return [(hx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             hy + r * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def draw_head_base(cv, g, P, s, style="normal"):
    """Neck, ears, head and hair.  The face is drawn by the caller."""
    hx, hy = g.head
    r = g.hr
    hair = P["hair"]
    cv.limb(g.neck, (g.neck[0], g.neck[1] - r * 0.4), r * 0.36, r * 0.36, SKIN_DARK)
    if g.back:
        cv.circle(hx - r * 0.95, hy + r * 0.12, r * 0.23, SKIN)
        cv.circle(hx + r * 0.95, hy + r * 0.12, r * 0.23, SKIN)
    cv.circle(hx, hy, r, SKIN)
    R = r * (1.06 if style != "crew" else 1.02)
    if g.back:
        low = 0.55 if style != "crew" else 0.38
        pts = _arc_pts(hx, hy, R, 150, 390, 20)
        pts += [(hx + r * 0.75, hy + r * low + r * 0.05), (hx + r * 0.3, hy + r * (low + 0.12)),
                (hx - r * 0.3, hy + r * (low + 0.12)), (hx - r * 0.75, hy + r * low + r * 0.05)]
        cv.poly(pts, hair)
        if style == "spiky":
            for a in (200, 235, 270, 305, 340):
                t = math.radians(a)
                cv.poly([(hx + R * 0.92 * math.cos(t - 0.22), hy + R * 0.92 * math.sin(t - 0.22)),
                         (hx + R * 1.3 * math.cos(t), hy + R * 1.3 * math.sin(t)),
                         (hx + R * 0.92 * math.cos(t + 0.22), hy + R * 0.92 * math.sin(t + 0.22))], hair)
            cv.circle(hx, hy - r * 0.1, r * 0.2, hair, ow=0)
        elif style == "neat":
            cv.line(_arc_pts(hx + r * 0.1, hy - r * 0.15, r * 0.75, 200, 300, 8), r * 0.08,
                    shade(hair, 1.4))
        return
    # front three-quarter view: hair covers the top and the back of the head
    fore = {"crew": -0.62, "neat": -0.5, "spiky": -0.42, "normal": -0.5}[style]
    pts = _arc_pts(hx, hy, R, 115, 345, 22)
    pts += [(hx + r * 0.72, hy + r * fore), (hx + r * 0.25, hy + r * (fore + 0.05)),
            (hx - r * 0.2, hy + r * (fore + 0.25)), (hx - r * 0.42, hy + r * 0.1),
            (hx - r * 0.5, hy + r * 0.55)]
    cv.poly(pts, hair)
    if style == "spiky":
        for a in (195, 228, 260, 292, 322):
            t = math.radians(a)
            cv.poly([(hx + R * 0.9 * math.cos(t - 0.24), hy + R * 0.9 * math.sin(t - 0.24)),
                     (hx + R * 1.24 * math.cos(t + 0.1), hy + R * 1.24 * math.sin(t + 0.1)),
                     (hx + R * 0.9 * math.cos(t + 0.24), hy + R * 0.9 * math.sin(t + 0.24))], hair)
        cv.circle(hx - r * 0.1, hy - r * 0.35, r * 0.45, hair, ow=0)
        # fringe falling on the forehead
        cv.poly([(hx + r * 0.1, hy - r * 0.6), (hx + r * 0.95, hy - r * 0.62), (hx + r * 0.8, hy - r * 0.2),
                 (hx + r * 0.55, hy - r * 0.38), (hx + r * 0.35, hy - r * 0.15)], hair, ow=0.6 * s)
    elif style == "neat":
        cv.poly([(hx - r * 0.2, hy - r * 0.85), (hx + r * 0.98, hy - r * 0.55), (hx + r * 0.9, hy - r * 0.35),
                 (hx + r * 0.2, hy - r * 0.42)], hair, ow=0)
        cv.line([(hx - r * 0.25, hy - r * 0.95), (hx + r * 0.55, hy - r * 0.82)], r * 0.08,
                shade(hair, 1.5))
    # ear on the back side of the face
    cv.circle(hx - r * 0.42, hy + r * 0.2, r * 0.22, SKIN, ow=0.8 * s)
    cv.blob(hx - r * 0.42, hy + r * 0.2, r * 0.09, r * 0.12, SKIN_DARK)


def draw_face(cv, g, s, mood="smile", eye_y=0.08, brows=None):
    hx, hy = g.head
    r = g.hr
    ex1, ex2 = hx + r * 0.02, hx + r * 0.52
    ey = hy + r * eye_y
    er = r * 0.11
    for ex, k in ((ex1, 1.0), (ex2, 0.88)):
        cv.blob(ex, ey, er * 0.95 * k, er * 1.35 * k, INK)
        cv.dot(ex + er * 0.3, ey - er * 0.5, er * 0.38, WHITE)
    if brows:
        for ex in (ex1, ex2):
            cv.line([(ex - er * 1.3, ey - er * 2.6 + brows), (ex + er * 1.4, ey - er * 3.0)],
                    r * 0.09, INK)
    cv.blob(hx - r * 0.16, hy + r * 0.42, r * 0.16, r * 0.09, BLUSH)
    cv.blob(hx + r * 0.70, hy + r * 0.42, r * 0.11, r * 0.08, BLUSH)
    # nose on the facing side
    cv.blob(hx + r * 0.9, hy + r * 0.3, r * 0.13, r * 0.12, SKIN_DARK)
    cv.blob(hx + r * 0.86, hy + r * 0.27, r * 0.12, r * 0.11, SKIN)
    mx, my = hx + r * 0.3, hy + r * 0.55
    if mood == "smile":
        cv.arc(mx, my - r * 0.14, r * 0.26, r * 0.2, 20, 160, r * 0.09, INK)
    elif mood == "open":
        cv.ellipse(mx, my, r * 0.22, r * 0.2, (150, 40, 40, 255), ow=r * 0.07)
        cv.blob(mx, my + r * 0.1, r * 0.13, r * 0.08, (240, 110, 110, 255))
    elif mood == "hungry":
        # wide open D-shaped mouth, tongue out and a drool drop: starving
        pts = [(mx - r * 0.3, my - r * 0.12)] + [
            (mx + r * 0.3 * math.cos(a), my - r * 0.12 + r * 0.32 * math.sin(a))
            for a in [math.pi * i / 10 for i in range(11)]][::-1]
        pts = [(mx - r * 0.3, my - r * 0.12), (mx + r * 0.32, my - r * 0.14)] + [
            (mx + r * 0.31 * math.cos(a), my - r * 0.13 + r * 0.3 * math.sin(a))
            for a in [math.pi * i / 10 for i in range(11)]]
        cv.poly(pts, (150, 40, 40, 255), ow=r * 0.07)
        cv.blob(mx + r * 0.02, my + r * 0.08, r * 0.16, r * 0.09, (240, 110, 120, 255))
        cv.circle(mx - r * 0.22, my + r * 0.28, r * 0.07, (160, 215, 245, 255), ow=r * 0.04)
    elif mood == "grin":
        cv.poly([(mx - r * 0.26, my - r * 0.08), (mx + r * 0.3, my - r * 0.1),
                 (mx + r * 0.05, my + r * 0.2)], WHITE, ow=r * 0.07)
    elif mood == "flat":
        cv.line([(mx - r * 0.18, my), (mx + r * 0.22, my - r * 0.03)], r * 0.09, INK)


# --------------------------------------------------------------------------
# The four customers.  Each draw function draws one figure facing right.
BACHELOR = dict(leg=36, torso=26, head=12, neck=2, hipw=5.2, shw=11, arm=29, armr=3.6,
                legr=3.8, stride=10, lift=4.5, swing=8, bob=1.6, lean=1.0,
                top=(46, 176, 160, 255), top2=(30, 130, 120, 255), pants=(70, 100, 170, 255),
                shoe=(245, 245, 245, 255), sole=(226, 58, 46, 255), hair=(120, 70, 36, 255))


def draw_bachelor(cv, gx, gy, phase, back, s=1.0, parts=None):
    P = BACHELOR
    g = pose(P, gx, gy, phase, back, s)
    near_leg, far_leg = g.legs
    near_arm, far_arm = g.arms
    draw_arm(cv, far_arm, P, True, s)
    draw_leg(cv, far_leg, P, True, s, f=g.f)
    draw_leg(cv, near_leg, P, False, s, f=g.f)
    pts = draw_torso(cv, g, P, s)
    sc, hc = g.sh, g.hip
    # hoodie band at the waist and pocket / hood
    cv.poly([(hc[0] - P["hipw"] * s * 1.45, hc[1] - 1.0 * s), (hc[0] + P["hipw"] * s * 1.45, hc[1] - 1.0 * s),
             (hc[0] + P["hipw"] * s * 1.4, hc[1] + 3 * s), (hc[0] - P["hipw"] * s * 1.4, hc[1] + 3 * s)],
            P["top2"], ow=s * 0.9)
    if not back:
        cx = sc[0] + 2.5 * s
        cv.poly([(cx - 6 * s, hc[1] - 9 * s), (cx + 6 * s, hc[1] - 9 * s), (cx + 7 * s, hc[1] - 2 * s),
                 (cx - 7 * s, hc[1] - 2 * s)], P["top2"], ow=s * 0.8)
        # hood folded behind the neck and the drawstrings
        cv.poly([(sc[0] - 9 * s, sc[1] - 1 * s), (sc[0] - 3 * s, sc[1] - 5 * s), (sc[0] + 7 * s, sc[1] - 2 * s),
                 (sc[0] + 2 * s, sc[1] + 4 * s)], P["top2"], ow=s * 0.9)
        cv.line([(sc[0] + 1 * s, sc[1] + 3 * s), (sc[0] + 0.5 * s, sc[1] + 11 * s)], 1.1 * s, WHITE)
        cv.line([(sc[0] + 5 * s, sc[1] + 2 * s), (sc[0] + 5.5 * s, sc[1] + 10 * s)], 1.1 * s, WHITE)
    if back:
        # hood hanging on the back
        cv.poly([(sc[0] - 9 * s, sc[1] + 1 * s), (sc[0] - 6 * s, sc[1] - 5 * s), (sc[0] + 6 * s, sc[1] - 5 * s),
                 (sc[0] + 9 * s, sc[1] + 1 * s), (sc[0], sc[1] + 10 * s)], P["top2"], ow=s * 1.0)
        cv.line([(sc[0] - 5 * s, sc[1] + 1 * s), (sc[0], sc[1] + 6 * s), (sc[0] + 5 * s, sc[1] + 1 * s)],
                0.9 * s, shade(P["top2"], 0.75))
    draw_head_base(cv, g, P, s, "spiky")
    if not back:
        draw_face(cv, g, s, "smile")
    # headphones resting round his neck
    nx, ny = g.neck
    band = (30, 30, 36, 255)
    if not back:
        cv.arc(nx + 1.5 * s, ny - 1.0 * s, 6.5 * s, 4.0 * s, 10, 170, 1.4 * s, band)
        cv.circle(nx - 4.5 * s, ny + 0.5 * s, 2.6 * s, (226, 58, 46, 255), ow=0.9 * s)
        cv.circle(nx + 7.0 * s, ny + 0.5 * s, 2.2 * s, (226, 58, 46, 255), ow=0.9 * s)
    else:
        cv.arc(nx, ny - 0.5 * s, 6.5 * s, 3.5 * s, 10, 170, 1.4 * s, band)
        cv.circle(nx - 6.0 * s, ny + 0.5 * s, 2.4 * s, (226, 58, 46, 255), ow=0.9 * s)
        cv.circle(nx + 6.0 * s, ny + 0.5 * s, 2.4 * s, (226, 58, 46, 255), ow=0.9 * s)
    draw_arm(cv, near_arm, P, False, s)
    return g


BUSINESS = dict(leg=35, torso=26, head=12, neck=2, hipw=5.0, shw=11, arm=28, armr=3.5,
                legr=3.6, stride=12.5, lift=4.5, swing=7, bob=1.4, lean=2.5,
                top=(48, 62, 104, 255), pants=(40, 52, 90, 255), shoe=(40, 30, 30, 255),
                hair=(50, 38, 32, 255), tie=(214, 40, 50, 255))


def draw_briefcase(cv, hand, s, far=False):
    k = 0.85 if far else 1.0
    hx, hy = hand
    cv.poly([(hx - 4 * s, hy - 1 * s), (hx + 4 * s, hy - 1 * s), (hx + 4 * s, hy + 2 * s),
             (hx - 4 * s, hy + 2 * s)], shade((90, 55, 30, 255), k), ow=0.9 * s)
    box = [(hx - 10 * s, hy + 1.5 * s), (hx + 10 * s, hy + 1.5 * s), (hx + 10 * s, hy + 15 * s),
           (hx - 10 * s, hy + 15 * s)]
    cv.poly(box, shade((150, 92, 46, 255), k))
    cv.line([(hx - 9 * s, hy + 6 * s), (hx + 9 * s, hy + 6 * s)], 1.0 * s, shade((110, 64, 30, 255), k))
    cv.poly([(hx - 1.8 * s, hy + 4.5 * s), (hx + 1.8 * s, hy + 4.5 * s), (hx + 1.8 * s, hy + 7.5 * s),
             (hx - 1.8 * s, hy + 7.5 * s)], (255, 205, 60, 255), ow=0.6 * s)


def draw_businessman(cv, gx, gy, phase, back, s=1.0):
    P = BUSINESS
    g = pose(P, gx, gy, phase, back, s)
    near_leg, far_leg = g.legs
    near_arm, far_arm = g.arms
    # the briefcase hand swings less: pull it back towards the body
    shl, elbow, hand = near_arm
    hand = (shl[0] + (hand[0] - shl[0]) * 0.45 + 2 * s, hand[1] - 2 * s)
    elbow = ik(shl, hand, P["arm"] * s * 0.93, (-g.f[0], 0))
    near_arm = (shl, elbow, hand)
    draw_arm(cv, far_arm, P, True, s)
    draw_leg(cv, far_leg, P, True, s, f=g.f)
    draw_leg(cv, near_leg, P, False, s, f=g.f)
    pts = draw_torso(cv, g, P, s)
    sc, hc = g.sh, g.hip
    if not back:
        # shirt V, tie, lapels, buttons
        cx = sc[0] + 3 * s
        cv.poly([(cx - 4.5 * s, sc[1] - 0.5 * s), (cx + 4.5 * s, sc[1] - 0.5 * s), (cx, sc[1] + 13 * s)],
                WHITE, ow=0.8 * s)
        cv.poly([(cx - 1.4 * s, sc[1] + 1 * s), (cx + 1.4 * s, sc[1] + 1 * s), (cx + 2.2 * s, sc[1] + 12 * s),
                 (cx, sc[1] + 15 * s), (cx - 2.2 * s, sc[1] + 12 * s)], P["tie"], ow=0.7 * s)
        cv.line([(cx - 5 * s, sc[1]), (cx - 1.5 * s, sc[1] + 13 * s)], 1.0 * s, shade(P["top"], 0.7))
        cv.line([(cx + 5 * s, sc[1]), (cx + 1.5 * s, sc[1] + 13 * s)], 1.0 * s, shade(P["top"], 0.7))
        cv.dot(cx, sc[1] + 18 * s, 0.9 * s, shade(P["top"], 0.6))
        cv.dot(cx, sc[1] + 22 * s, 0.9 * s, shade(P["top"], 0.6))
        # pocket square
        cv.poly([(cx + 6 * s, sc[1] + 6 * s), (cx + 9 * s, sc[1] + 6 * s), (cx + 8.5 * s, sc[1] + 8.5 * s)],
                WHITE, ow=0.5 * s)
    else:
        cv.line([(sc[0], sc[1] + 6 * s), (hc[0], hc[1] + 2 * s)], 1.0 * s, shade(P["top"], 0.7))
        cv.poly([(sc[0] - 4 * s, sc[1] - 1 * s), (sc[0] + 4 * s, sc[1] - 1 * s), (sc[0] + 3 * s, sc[1] + 2 * s),
                 (sc[0] - 3 * s, sc[1] + 2 * s)], WHITE, ow=0.6 * s)
    draw_head_base(cv, g, P, s, "neat")
    if not back:
        draw_face(cv, g, s, "smile", brows=0.0)
    if back:
        # in the back view the briefcase hangs on the near (right) side in front of the body
        draw_arm(cv, near_arm, P, False, s)
        draw_briefcase(cv, near_arm[2], s)
    else:
        draw_briefcase(cv, near_arm[2], s)
        draw_arm(cv, near_arm, P, False, s)
    return g


GROS = dict(leg=40, torso=35, head=15, neck=1, hipw=8.5, shw=14, arm=30, armr=4.8,
            legr=5.6, stride=9.5, lift=4.0, swing=7, bob=2.2, lean=-0.5,
            top=(226, 58, 46, 255), pants=(110, 120, 70, 255), shoe=(90, 55, 30, 255),
            hair=(196, 96, 40, 255), short_sleeve=True)


def draw_gros(cv, gx, gy, phase, back, s=1.0):
    P = GROS
    g = pose(P, gx, gy, phase, back, s)
    near_leg, far_leg = g.legs
    near_arm, far_arm = g.arms
    draw_arm(cv, far_arm, P, True, s)
    draw_leg(cv, far_leg, P, True, s, f=g.f)
    draw_leg(cv, near_leg, P, False, s, f=g.f)
    sc, hc = g.sh, g.hip
    # round body: shoulders plus a big belly
    cv.poly([(sc[0] - 15 * s, sc[1] + 3 * s), (sc[0] - 9 * s, sc[1] - 2 * s), (sc[0] + 9 * s, sc[1] - 2 * s),
             (sc[0] + 15 * s, sc[1] + 3 * s), (hc[0] + 14 * s, hc[1] + 2 * s),
             (hc[0] - 14 * s, hc[1] + 2 * s)], P["top"])
    bx = hc[0] + (5 * s if not back else 2 * s)
    cv.ellipse(bx, hc[1] - 12 * s, 20 * s, 19 * s, P["top"])
    if not back:
        cv.blob(bx - 7 * s, hc[1] - 19 * s, 6 * s, 8 * s, shade(P["top"], 1.2))
    else:
        # back seam of the stretched t-shirt
        cv.line([(hc[0] + 1 * s, sc[1] + 4 * s), (hc[0] + 2 * s, hc[1] - 1 * s)], 0.9 * s, shade(P["top"], 0.75))
    # belt line under the belly
    cv.poly([(hc[0] - 14 * s, hc[1] + 0 * s), (hc[0] + 15 * s, hc[1] + 0 * s), (hc[0] + 14 * s, hc[1] + 4 * s),
             (hc[0] - 13 * s, hc[1] + 4 * s)], P["pants"], ow=0.9 * s)
    if not back:
        # white napkin tucked in the collar: he is here to eat
        nx = sc[0] + 4 * s
        cv.poly([(nx - 8 * s, sc[1] - 1 * s), (nx + 8 * s, sc[1] - 1 * s), (nx + 11 * s, sc[1] + 17 * s),
                 (nx, sc[1] + 21 * s), (nx - 11 * s, sc[1] + 17 * s)], WHITE, ow=1.0 * s)
        for i in range(3):
            cv.line([(nx - 8 * s + i * 7 * s, sc[1] + 14 * s), (nx - 5 * s + i * 7 * s, sc[1] + 17 * s)],
                    0.9 * s, (226, 58, 46, 255))
        cv.blob(nx + 2 * s, sc[1] + 9 * s, 2.0 * s, 1.6 * s, (255, 200, 61, 255))
    draw_head_base(cv, g, P, s, "crew")
    hx, hy, r = g.head[0], g.head[1], g.hr
    if not back:
        # double chin
        cv.arc(hx + r * 0.25, hy + r * 0.75, r * 0.5, r * 0.2, 20, 160, r * 0.07, SKIN_DARK)
        draw_face(cv, g, s, "hungry")
    draw_arm(cv, near_arm, P, False, s)
    # a fork in the near hand, ready
    hx2, hy2 = near_arm[2]
    cv.limb((hx2, hy2 + 1 * s), (hx2 + 1 * s, hy2 - 13 * s), 0.9 * s, 0.9 * s, (200, 205, 215, 255),
            ow=0.7 * s)
    for dx in (-1.6, 0.0, 1.6):
        cv.limb((hx2 + (1 + dx) * s, hy2 - 13 * s), (hx2 + (1 + dx * 1.2) * s, hy2 - 18 * s), 0.45 * s,
                0.45 * s, (200, 205, 215, 255), ow=0.55 * s)
    cv.circle(hx2, hy2 + 0.8 * s, P["armr"] * s * 0.95, SKIN)
    return g


FATHER = dict(leg=42, torso=31, head=12.5, neck=2, hipw=5.4, shw=11.5, arm=29, armr=3.7,
              legr=4.0, stride=8.5, lift=4.5, swing=7, bob=1.5, lean=0.5,
              top=(250, 160, 50, 255), pants=(70, 100, 170, 255), shoe=(110, 70, 40, 255),
              hair=(90, 56, 30, 255), short_sleeve=True)
GIRL = dict(leg=20, torso=16, head=10, neck=1, hipw=3.0, shw=6.5, arm=16, armr=2.4,
            legr=2.5, stride=5, lift=3.5, swing=4, bob=1.2, lean=0.0,
            top=(240, 100, 160, 255), pants=(250, 205, 170, 255), shoe=(226, 58, 46, 255),
            hair=(250, 200, 70, 255))


def draw_girl(cv, gx, gy, phase, back, s, hold=None):
    P = GIRL
    g = pose(P, gx, gy, phase, back, s)
    near_leg, far_leg = g.legs
    near_arm, far_arm = g.arms
    if hold is not None:
        # the hand that holds daddy's is raised to the meeting point
        arm_idx = 1
        shl = g.arms[arm_idx][0]
        el = ik(shl, hold, P["arm"] * s, (0, 1))
        held = (shl, el, hold)
    draw_arm(cv, far_arm if hold is None else held, P, True, s)
    draw_leg(cv, far_leg, P, True, s, f=g.f)
    draw_leg(cv, near_leg, P, False, s, f=g.f)
    sc, hc = g.sh, g.hip
    # dress: a flared triangle
    cv.poly([(sc[0] - 6 * s, sc[1]), (sc[0] + 6 * s, sc[1]), (hc[0] + 11 * s, hc[1] + 4 * s),
             (hc[0] - 11 * s, hc[1] + 4 * s)], P["top"])
    cv.line([(hc[0] - 10 * s, hc[1] + 2.5 * s), (hc[0] + 10 * s, hc[1] + 2.5 * s)], 1.2 * s, WHITE)
    if not back:
        cv.dot(sc[0] + 2 * s, sc[1] + 5 * s, 1.5 * s, WHITE)
    hx, hy, r = g.head[0], g.head[1], g.hr
    # two pigtails with red bobbles, behind the head
    tails = (-1, 1) if back else (-1,)
    for side in tails:
        px = hx + side * r * 1.0
        cv.ellipse(px + side * r * 0.25, hy + r * 0.35, r * 0.36, r * 0.55, P["hair"])
        cv.circle(px, hy - r * 0.15, r * 0.2, (226, 58, 46, 255))
    draw_head_base(cv, g, P, s, "normal")
    if not back:
        draw_face(cv, g, s, "grin")
    else:
        cv.line([(hx, hy - r * 0.95), (hx, hy + r * 0.4)], r * 0.08, shade(P["hair"], 0.8))
    draw_arm(cv, near_arm, P, False, s)
    return g


def family_positions(w, gy, back, s=1.0):
    """Ground points of the father and of the girl inside the family cell."""
    cx = w / 2.0
    if not back:
        return (cx + 13 * s, gy - 2 * s), (cx - 21 * s, gy + 1 * s)
    return (cx - 13 * s, gy - 1 * s), (cx + 21 * s, gy + 1 * s)


def draw_family(cv, gx, gy, phase, back, s=1.0, w=109, girl_shift=None):
    fpos, gpos = family_positions(w, gy, back, s)
    offs = gx - w / 2.0
    fpos = (fpos[0] + offs, fpos[1])
    gpos = (gpos[0] + offs, gpos[1])
    if girl_shift:
        gpos = (gpos[0] + girl_shift[0] * s, gpos[1] + girl_shift[1] * s)
    P = FATHER
    g = pose(P, fpos[0], fpos[1], phase, back, s)
    # the girl takes two small steps for one of daddy's
    gg = pose(GIRL, gpos[0], gpos[1], phase * 2, back, s)
    # meeting point of the held hands
    fs = g.arms[0][0]
    gs = gg.arms[1][0]
    hold = ((fs[0] + gs[0]) / 2 + g.f[0] * 1.0 * s, gs[1] + 10 * s + math.sin(phase) * 0.6 * s)
    near_leg, far_leg = g.legs
    near_arm, far_arm = g.arms
    f_el = ik(fs, hold, P["arm"] * s, (0, 1) if False else (-g.lat[0], 0))
    held = (fs, f_el, hold)

    def father_body():
        draw_arm(cv, far_arm, P, True, s)
        draw_leg(cv, far_leg, P, True, s, f=g.f)
        draw_leg(cv, near_leg, P, False, s, f=g.f)
        sc, hc = g.sh, g.hip
        draw_torso(cv, g, P, s)
        if not back:
            cx = sc[0] + 3 * s
            # polo collar and buttons
            cv.poly([(cx - 5 * s, sc[1] - 1 * s), (cx, sc[1] + 4 * s), (cx + 5 * s, sc[1] - 1 * s),
                     (cx + 2 * s, sc[1] + 3 * s), (cx - 2 * s, sc[1] + 3 * s)], WHITE, ow=0.8 * s)
            cv.line([(cx, sc[1] + 4 * s), (cx, sc[1] + 10 * s)], 0.9 * s, shade(P["top"], 0.7))
        else:
            cv.poly([(sc[0] - 6 * s, sc[1] - 1 * s), (sc[0] + 6 * s, sc[1] - 1 * s), (sc[0] + 5 * s, sc[1] + 2 * s),
                     (sc[0] - 5 * s, sc[1] + 2 * s)], WHITE, ow=0.7 * s)
        cv.line([(g.hip[0] - 7 * s, g.hip[1] + 1 * s), (g.hip[0] + 7 * s, g.hip[1] + 1 * s)], 1.6 * s,
                (110, 70, 40, 255))
        draw_head_base(cv, g, P, s, "normal")
        hx, hy, r = g.head[0], g.head[1], g.hr
        if not back:
            # short beard along the jaw
            cv.poly([(hx - r * 0.55, hy + r * 0.25), (hx - r * 0.35, hy + r * 0.8), (hx + r * 0.25, hy + r * 1.02),
                     (hx + r * 0.85, hy + r * 0.72), (hx + r * 0.8, hy + r * 0.5), (hx + r * 0.25, hy + r * 0.72),
                     (hx - r * 0.2, hy + r * 0.5)], P["hair"], ow=0.5 * s)
            draw_face(cv, g, s, "smile")

    if not back:
        # front: father behind, girl in front; father's holding arm on his near side
        father_body()
        draw_girl(cv, gpos[0], gpos[1], phase * 2, back, s, hold=hold)
        draw_arm(cv, held, P, False, s)
    else:
        father_body()
        draw_arm(cv, held, P, False, s)
        draw_girl(cv, gpos[0], gpos[1], phase * 2, back, s, hold=hold)
    return g, gg


DRAW = {
    "celib": draw_bachelor,
    "business": draw_businessman,
    "gros": draw_gros,
    "famille": draw_family,
}


def ground_y(key):
    w, h = CELL[key]
    return h - 8.0


def render_figure(key, frame, back, cw=None, ch=None, s=1.0, gx=None, gy=None):
    """One figure facing right, as a supersampled canvas."""
    w, h = CELL[key]
    cw = cw or w
    ch = ch or h
    cv = Canvas(cw, ch, ow=1.35 * max(s, 0.8))
    phase = 2 * math.pi * frame / 8.0
    gx = cw / 2.0 if gx is None else gx
    gy = ground_y(key) if gy is None else gy
    if key == "famille":
        draw_family(cv, gx, gy, phase, back, s, w=w)
    else:
        DRAW[key](cv, gx, gy, phase, back, s)
    return cv


def body_sheet(key):
    w, h = CELL[key]
    sheet = Image.new("RGBA", (w * 8, h * 4), CLEAR)
    for frame in range(8):
        front = render_figure(key, frame, False).final()
        backv = render_figure(key, frame, True).final()
        cells = [front, ImageOps.mirror(front), backv, ImageOps.mirror(backv)]
        for row, im in enumerate(cells):
            sheet.paste(im, (frame * w, row * h))
    return sheet


def head_geometry(key, back):
    """Where head and chest are in a cell (frame 0, facing right), for effects."""
    w, h = CELL[key]
    cv = Canvas(4, 4)
    phase = 0.0
    gy = ground_y(key)
    if key == "famille":
        g, gg = draw_family(cv, w / 2.0, gy, phase, back, 1.0, w=w)
        return dict(head=g.head, hr=g.hr, sh=g.sh, hip=g.hip, head2=gg.head, hr2=gg.hr, hip2=gg.hip)
    g = DRAW[key](cv, w / 2.0, gy, phase, back, 1.0)
    return dict(head=g.head, hr=g.hr, sh=g.sh, hip=g.hip)


# --------------------------------------------------------------------------
# Shadows
def shadow_ellipses(key, back):
    w, h = CELL[key]
    gy = ground_y(key)
    if key == "famille":
        fpos, gpos = family_positions(w, gy, back)
        return [(fpos[0], fpos[1] + 1, 19, 6.5), (gpos[0], gpos[1] + 1, 12, 4.5)]
    rx = {"celib": 19, "business": 20, "gros": 26}[key]
    return [(w / 2.0, gy + 1, rx, rx * 0.34)]


def shadow_cell(key, back, mirror=False):
    w, h = CELL[key]
    s = 4
    im = Image.new("L", (w * s, h * s), 0)
    from PIL import ImageDraw
    d = ImageDraw.Draw(im)
    for (cx, cy, rx, ry) in shadow_ellipses(key, back):
        d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=120)
    im = im.filter(ImageFilter.GaussianBlur(2.2 * s)).resize((w, h), Image.LANCZOS)
    out = Image.new("RGBA", (w, h), (30, 18, 10, 0))
    out.putalpha(im)
    out = Image.merge("RGBA", (Image.new("L", (w, h), 30), Image.new("L", (w, h), 18),
                               Image.new("L", (w, h), 10), im))
    if mirror:
        out = ImageOps.mirror(out)
    return out


def shadow_sheet(key):
    w, h = CELL[key]
    if key != "famille":
        return shadow_cell(key, False)
    sheet = Image.new("RGBA", (w, h * 4), CLEAR)
    cells = [shadow_cell(key, False), shadow_cell(key, False, True),
             shadow_cell(key, True), shadow_cell(key, True, True)]
    for r, c in enumerate(cells):
        sheet.paste(c, (0, r * h))
    return sheet


# --------------------------------------------------------------------------
# Hit effects
def fry_stick(cv, x, y, ang, L=11.0, r=1.6, col=MUSTARD):
    dx, dy = math.cos(ang) * L / 2, math.sin(ang) * L / 2
    cv.limb((x - dx, y - dy), (x + dx, y + dy), r, r, col, ow=0.9)
    cv.line([(x - dx * 0.7 - 0.5, y - dy * 0.7), (x + dx * 0.5 - 0.5, y + dy * 0.5)], 0.5,
            shade(col, 1.35))


def starburst(cv, x, y, r1, r2, n, col, rot=0.0, ow=1.0):
    pts = []
    for i in range(2 * n):
        rr = r1 if i % 2 == 0 else r2
        a = rot + math.pi * i / n
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a)))
    cv.poly(pts, col, ow=ow)


def target_points(key, back):
    """Aim point(s) of food on a customer inside its own cell: the mouth in
    front views, the back of the head from behind."""
    G = head_geometry(key, back)
    hx, hy = G["head"]
    r = G["hr"]
    pts = [(hx + (r * 0.35 if not back else 0), hy + r * 0.45, r)]
    if key == "famille":
        hx2, hy2 = G["head2"]
        pts.append((hx2 + (G["hr2"] * 0.3 if not back else 0), hy2 + G["hr2"] * 0.45, G["hr2"]))
    return pts, G


def fries_effect_sheet(key):
    w, h = CELL[key]
    FW, FH = FRIES_CELL
    ox, oy = (FW - w) // 2, FH - h
    sheet = Image.new("RGBA", (FW * 3, FH * 4), CLEAR)
    for back in (False, True):
        pts, G = target_points(key, back)
        for fr in range(3):
            cv = Canvas(FW, FH, ow=1.0)
            for (tx, ty, r) in pts:
                tx, ty = tx + ox, ty + oy
                if fr == 0:
                    # fries flying in from all around, with speed lines
                    for i, a in enumerate((200, 240, 300, 340, 20, 160)):
                        ang = math.radians(a)
                        dist = r * 2.4 + (i % 2) * 5
                        x, y = tx + math.cos(ang) * dist, ty + math.sin(ang) * dist * 0.8
                        # keep the incoming fries inside the effect frame
                        x = min(max(x, 16.0), FW - 16.0)
                        y = max(y, 14.0)
                        cv.line([(x + math.cos(ang) * 6, y + math.sin(ang) * 5),
                                 (x + math.cos(ang) * 13, y + math.sin(ang) * 10)], 0.9,
                                (255, 255, 255, 220))
                        fry_stick(cv, x, y, ang + 0.3, L=10 + (i % 3) * 1.5)
                elif fr == 1:
                    starburst(cv, tx, ty, r * 1.05, r * 0.55, 8, (255, 236, 120, 255), 0.2)
                    starburst(cv, tx, ty, r * 0.6, r * 0.3, 8, WHITE, 0.6, ow=0)
                    for i, a in enumerate((210, 260, 320, 20, 150)):
                        ang = math.radians(a)
                        dist = r * 1.2
                        fry_stick(cv, tx + math.cos(ang) * dist, ty + math.sin(ang) * dist * 0.8,
                                  ang + 1.2, L=9)
                else:
                    # bits falling, salt sparkles
                    for i, a in enumerate((200, 250, 290, 340, 30, 150)):
                        ang = math.radians(a)
                        dist = r * 1.6 + (i % 2) * 3
                        x = tx + math.cos(ang) * dist
                        y = ty + math.sin(ang) * dist * 0.7 + 8
                        fry_stick(cv, x, y, ang + 2.0 + i, L=6, r=1.3)
                    for (dx, dy) in ((-9, -10), (10, -8), (-3, -14), (13, 3)):
                        starburst(cv, tx + dx, ty + dy, 2.6, 0.9, 4, WHITE, 0.0, ow=0.6)
            im = cv.final()
            for mirror in (False, True):
                row = (2 if back else 0) + (1 if mirror else 0)
                cell = ImageOps.mirror(im) if mirror else im
                sheet.paste(cell, (fr * FW, row * FH))
    return sheet


def burger_icon(cv, x, y, r, squash=1.0, tilt=0.0):
    """A small burger (bun, patty, lettuce, cheese)."""
    ry = r * 0.85 * squash
    cv.ellipse(x, y + ry * 0.45, r, ry * 0.35, BUN)
    cv.ellipse(x, y + ry * 0.15, r * 1.02, ry * 0.28, (120, 60, 30, 255))
    cv.poly([(x - r * 1.05, y - ry * 0.02), (x + r * 1.05, y - ry * 0.02), (x + r * 0.2, y + ry * 0.35)],
            (255, 200, 61, 255), ow=0.7)
    cv.ellipse(x, y - ry * 0.02, r * 1.08, ry * 0.16, LETTUCE, ow=0.7)
    cv.poly(
        [(x - r, y - ry * 0.05)] + [(x + r * math.cos(a), y - ry * 0.05 - ry * 0.75 * math.sin(a))
                                    for a in [math.pi * i / 12 for i in range(13)]][::-1],
        BUN)
    for (dx, dy) in ((-0.4, -0.45), (0.1, -0.6), (0.5, -0.38), (-0.1, -0.3)):
        cv.blob(x + dx * r, y + dy * ry, r * 0.09, r * 0.06, (255, 240, 200, 255))


def splat(cv, x, y, r, col, n=9, seed=0):
    pts = []
    for i in range(2 * n):
        rr = r * (1.0 if i % 2 == 0 else 0.62) * (0.85 + 0.3 * ((i * 7 + seed * 3) % 5) / 4)
        a = 2 * math.pi * i / (2 * n) + seed
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a) * 0.9))
    cv.poly(pts, col, ow=0.8)
    cv.blob(x - r * 0.25, y - r * 0.25, r * 0.25, r * 0.18, shade(col, 1.35))


def burger_effect_sheet(key):
    w, h = CELL[key]
    sheet = Image.new("RGBA", (w * 4, h), CLEAR)
    for back in (False, True):
        pts, G = target_points(key, back)
        cv = Canvas(w, h, ow=1.0)
        for i, (tx, ty, r) in enumerate(pts):
            hx, hy = G["head"] if i == 0 else G["head2"]
            hip = G["hip"] if i == 0 else G["hip2"]
            chest = (hx + (3 if not back else 0), (hy + hip[1]) / 2 + 4)
            # sauce on the shirt
            splat(cv, chest[0] - 3, chest[1], r * 0.55, KETCHUP, seed=1 + i)
            splat(cv, chest[0] + 6, chest[1] + 8, r * 0.35, MUSTARD, seed=2 + i)
            cv.blob(chest[0] - 3, chest[1] + r * 0.7, 1.3, 3.0, KETCHUP)
            # the burger squashed on the face / back of the head, impact star behind
            starburst(cv, tx + 2, ty - r * 0.3, r * 1.25, r * 0.75, 9, (255, 236, 120, 230), 0.1)
            burger_icon(cv, tx + 1, ty - r * 0.15, r * 0.85, squash=0.9)
            # flying lettuce and sesame bits
            for (dx, dy, c) in ((-r * 1.3, -r * 1.0, LETTUCE), (r * 1.4, -r * 0.9, LETTUCE),
                                (r * 1.2, r * 0.5, (255, 200, 61, 255))):
                cv.ellipse(tx + dx, ty + dy, 2.4, 1.5, c, ow=0.6)
        im = cv.final()
        base = 2 if back else 0
        sheet.paste(im, (base * w, 0))
        sheet.paste(ImageOps.mirror(im), ((base + 1) * w, 0))
    return sheet


def soda_effect_sheet(key):
    w, h = CELL[key]
    sheet = Image.new("RGBA", (w * 4, h), CLEAR)
    gy = ground_y(key)
    for back in (False, True):
        pts, G = target_points(key, back)
        cv = Canvas(w, h, ow=1.0)
        # sticky soda puddle at the feet (translucent, under the legs' look)
        pud = cv.sub()
        if key == "famille":
            fpos, gpos = family_positions(w, gy, back)
            feet = [(fpos[0], fpos[1] + 1, 21), (gpos[0], gpos[1] + 1, 14)]
        else:
            feet = [(w / 2.0, gy + 1, {"celib": 22, "business": 23, "gros": 28}[key])]
        for (fx, fy, rr) in feet:
            pud.ellipse(fx, fy - 1.5, rr, rr * 0.27, (140, 66, 34, 255), ow=1.0, ink=(90, 40, 20, 255))
            pud.blob(fx - rr * 0.35, fy - rr * 0.08, rr * 0.3, rr * 0.07, (210, 140, 100, 255))
        cv.over(pud, 0.7)
        drops = cv.sub()
        heights = [G["hip"][1]] + ([G["hip2"][1]] if key == "famille" else [])
        for fi, (fx, fy, rr) in enumerate(feet):
            hip_y = heights[min(fi, len(heights) - 1)]
            # wet, dark stain soaking the trousers up to the knees
            knee_y = (fy + hip_y) / 2
            drops.blob(fx, knee_y + (fy - knee_y) * 0.45, rr * 0.55, (fy - knee_y) * 0.6, (110, 48, 22, 150))
            # splash crown of soda thrown up around the shins
            for j in range(7):
                a = math.pi * (1.08 + 0.84 * j / 6)
                x0, y0 = fx + math.cos(a) * rr * 0.95, fy + math.sin(a) * rr * 0.3
                x1, y1 = x0 + math.cos(a) * 3.0, y0 - 5.0 - (j % 2) * 2.0
                drops.limb((x0, y0), (x1, y1), 2.0, 0.8, COLA_LIGHT, ow=0.8)
                drops.circle(x1 + math.cos(a) * 2.5, y1 - 4.0 - (j % 3), 1.4, COLA_LIGHT, ow=0.7)
            # drips running down the legs
            for dx in (-0.25, 0.2):
                x = fx + dx * rr
                drops.limb((x, knee_y), (x, knee_y + 7), 1.0, 1.6, COLA, ow=0.7)
        for i, (tx, ty, r) in enumerate(pts):
            hx, hy = G["head"] if i == 0 else G["head2"]
            # fizz bubbles rising along the body
            for (dx, dy, rr2) in ((-r * 1.4, r * 0.8, 1.6), (r * 1.5, r * 0.2, 2.0),
                                  (r * 1.3, r * 1.9, 1.4), (-r * 1.2, r * 2.6, 1.3), (-r * 1.6, -r * 0.4, 1.2)):
                drops.circle(hx + dx, hy + dy, rr2, (215, 240, 255, 255), ow=0.6, ink=(70, 130, 170, 255))
            # a "slowed" spiral over the head
            sx, sy = hx + r * 1.35, hy - r * 0.6
            drops.arc(sx, sy, r * 0.45, r * 0.32, 0, 300, 1.1, (60, 140, 210, 255))
            drops.arc(sx + r * 0.05, sy, r * 0.22, r * 0.15, 60, 360, 1.1, (60, 140, 210, 255))
        cv.over(drops, 0.95)
        # slow-down swirls near the feet
        for (fx, fy, rr) in feet:
            for k in (-1, 1):
                cx, cy = fx + k * rr * 0.9, fy - 6
                cv.arc(cx, cy, 3.2, 2.4, 180, 450, 0.9, (70, 140, 200, 230))
        im = cv.final()
        base = 2 if back else 0
        sheet.paste(im, (base * w, 0))
        sheet.paste(ImageOps.mirror(im), ((base + 1) * w, 0))
    return sheet


# --------------------------------------------------------------------------
# Gauge
def gauge_fill():
    W, H = 100, 10
    cv = Canvas(W, H, ow=0)
    s = cv.s
    from PIL import ImageDraw
    im = Image.new("RGBA", (W * s, H * s))
    d = ImageDraw.Draw(im)
    c0, c1, c2 = (255, 176, 40, 255), (250, 226, 60, 255), (96, 200, 70, 255)
    for x in range(W * s):
        t = x / (W * s - 1)
        c = mix(c0, c1, t / 0.45) if t < 0.45 else mix(c1, c2, (t - 0.45) / 0.55)
        d.line([(x, 0), (x, H * s)], fill=c)
    # glossy top, darker bottom, faint notches every ten points
    ov = Image.new("RGBA", im.size, CLEAR)
    od = ImageDraw.Draw(ov)
    od.rectangle([0, 1 * s, W * s, 3.2 * s], fill=(255, 255, 255, 90))
    od.rectangle([0, 7.5 * s, W * s, H * s], fill=(0, 0, 0, 45))
    for x in range(10, W, 10):
        od.line([(x * s, 0), (x * s, H * s)], fill=(0, 0, 0, 30), width=s)
    im.alpha_composite(ov)
    return reduce(im, W, H)


def gauge_frame():
    W, H = 104, 14
    from PIL import ImageDraw
    s = 4
    im = Image.new("RGBA", (W * s, H * s), CLEAR)
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([0, 0, W * s - 1, H * s - 1], radius=5 * s, fill=INK)
    # inner track: dark and see-through, the fill is drawn over it
    d.rectangle([2 * s, 2 * s, (W - 2) * s - 1, (H - 2) * s - 1], fill=(20, 12, 8, 110))
    # a small fork-and-plate hint on the left rim is too small to read: keep it clean
    d.line([(4 * s, 1 * s), ((W - 4) * s, 1 * s)], fill=(120, 86, 60, 255), width=s // 2 + 1)
    return reduce(im, W, H)


# --------------------------------------------------------------------------
# Faces and help portraits
BADGE = {
    "celib": ((170, 226, 218, 255), (46, 176, 160, 255)),
    "famille": ((255, 214, 160, 255), (250, 160, 50, 255)),
    "gros": ((255, 190, 176, 255), (226, 58, 46, 255)),
    "business": ((190, 204, 240, 255), (48, 62, 104, 255)),
}


def portrait(key, W, H, s, gx, gy, badge="circle", girl_shift=None):
    """A close-up of the figure (idle pose, facing right) on a coloured badge."""
    light, dark = BADGE[key]
    out = Canvas(W, H, ow=1.6)
    if badge == "circle":
        r = min(W, H) / 2 - 1.5
        out.circle(W / 2, H / 2, r, light, ow=1.8)
        out.blob(W / 2, H / 2 + r * 0.55, r * 0.8, r * 0.3, shade(light, 1.25))
    else:
        from PIL import ImageDraw
        d = out.d
        S = out.s
        d.rounded_rectangle([0, 0, W * S - 1, H * S - 1], radius=16 * S, fill=INK)
        d.rounded_rectangle([2 * S, 2 * S, (W - 2) * S - 1, (H - 2) * S - 1], radius=14 * S, fill=light)
        d.ellipse([10 * S, (H * 0.62) * S, (W - 10) * S, (H + 25) * S], fill=shade(light, 1.25))
    fig = Canvas(W, H, ow=1.35 * s)
    phase = 0.0
    if key == "famille":
        draw_family(fig, gx, gy, phase, False, s, w=CELL["famille"][0], girl_shift=girl_shift)
    else:
        DRAW[key](fig, gx, gy, phase, False, s)
    # clip the figure to the badge
    from PIL import ImageDraw, ImageChops
    S = out.s
    mask = Image.new("L", out.im.size, 0)
    md = ImageDraw.Draw(mask)
    if badge == "circle":
        r = min(W, H) / 2 - 1.5
        md.ellipse([(W / 2 - r + 1.0) * S, (H / 2 - r + 1.0) * S, (W / 2 + r - 1.0) * S, (H / 2 + r - 1.0) * S],
                   fill=255)
        # let the head stick out of the top of the badge a little
        md.rectangle([0, 0, W * S, (H / 2) * S], fill=255)
    else:
        md.rounded_rectangle([2 * S, 2 * S, (W - 2) * S - 1, (H - 2) * S - 1], radius=14 * S, fill=255)
        md.rectangle([0, 0, W * S, (H * 0.4) * S], fill=255)
    a = ImageChops.multiply(fig.im.getchannel("A"), mask)
    fig.im.putalpha(a)
    out.im.alpha_composite(fig.im)
    return out.final()


def face(key):
    """60 x 60 head-and-shoulders portrait."""
    G = head_geometry(key, False)
    if key == "famille":
        # both heads: scale so that father and girl fit
        s = 1.25
        return portrait(key, 60, 60, s, 30 - 2, 60 + 78, "circle") if False else _family_face()
    s = {"celib": 1.75, "gros": 1.45, "business": 1.8}[key]
    hx, hy = G["head"]
    w, h = CELL[key]
    # place the head centre at about (27, 26..29)
    gx = 27 - (hx - w / 2.0) * s
    gy = {"celib": 29, "gros": 27, "business": 26}[key] + (ground_y(key) - hy) * s
    return portrait(key, 60, 60, s, gx, gy, "circle")


def _family_face():
    G = head_geometry("famille", False)
    w, h = CELL["famille"]
    s = 1.15
    # daddy's head at the top, his girl held up in front of him
    fx, fy = G["head"]
    gx = 36 - (fx - w / 2.0) * s
    gy = 20 + (ground_y("famille") - fy) * s
    return portrait("famille", 60, 60, s, gx, gy, "circle", girl_shift=(17, -33))


# The help page stacks the four portraits 130 to 150 px apart between the menu's buttons and
# their texts and enlarges the one under the pointer to 1.3: the card is kept smaller than
# its picture so neighbours never touch and the texts keep their distance.
ICON_CARD = (20, 16, 80, 88)  # left, top, width, height inside the 110 x 120 picture


def help_icon(key):
    """110 x 120: upper body on a rounded card, with clear room around it."""
    W, H = 110, 120
    cx0, cy0, cw, chh = ICON_CARD
    k = cw / 110.0
    G = head_geometry(key, False)
    w, h = CELL[key]
    if key == "famille":
        s = 1.35 * k
        mx = (G["head"][0] + G["head2"][0]) / 2
        my = (G["head"][1] * 0.6 + G["head2"][1] * 0.4)
        gx = cw / 2 - (mx - w / 2.0) * s
        gy = 44 * k + (ground_y(key) - my) * s
    else:
        s = {"celib": 1.75, "gros": 1.5, "business": 1.8}[key] * k
        hx, hy = G["head"]
        gx = cw / 2 - 4 * k - (hx - w / 2.0) * s
        gy = 36 * k + (ground_y(key) - hy) * s
    out = Image.new("RGBA", (W, H), CLEAR)
    out.alpha_composite(portrait(key, cw, chh, s, gx, gy, "card"), (cx0, cy0))
    return out
