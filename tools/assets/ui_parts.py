"""Reusable interface pieces: stars, buttons, boards, arrows, padlocks."""
import math

from PIL import Image
import numpy as np

from ui_common import (Pic, INK, INK_SOFT, CREAM, PAPER, KETCHUP, KETCHUP_DARK, MUSTARD,
                       MUSTARD_DARK, BUN, LETTUCE, LETTUCE_DARK, SKY, SKY_DARK, WOOD,
                       WOOD_DARK, WOOD_LIGHT, BOARD, GREY, GREY_DARK, WHITE, CLEAR,
                       star_points, mix, with_alpha, hstrip, emoji, grey_version, apply_grain,
                       outlined)

STAR_GOLD = (255, 204, 51, 255)
STAR_GOLD_LIGHT = (255, 232, 120, 255)
STAR_EMPTY = (196, 186, 170, 255)
STAR_EMPTY_LIGHT = (218, 210, 196, 255)


def star_image(r, ow, kind, s=4):
    """One star of outer radius r (final px), outline ow; kind 'full'/'empty'/'half'."""
    pad = ow + 3
    size = int(math.ceil(2 * (r + pad)))
    c = size / 2.0

    def one(fill, light):
        p = Pic(size, size, s=s)
        pts = star_points(c, c + r * 0.04, r, r * 0.5)
        p.polygon(pts, fill, outline=INK, ow=ow)
        # upper-left facet highlight gives the flat star some volume
        inner = star_points(c - r * 0.08, c - r * 0.06, r * 0.55, r * 0.27)
        p.polygon(inner, light)
        return p.result()

    if kind == "full":
        return one(STAR_GOLD, STAR_GOLD_LIGHT)
    if kind == "empty":
        return one(STAR_EMPTY, STAR_EMPTY_LIGHT)
    full = np.asarray(one(STAR_GOLD, STAR_GOLD_LIGHT))
    empty = np.asarray(one(STAR_EMPTY, STAR_EMPTY_LIGHT)).copy()
    half = int(round(c))
    empty[:, :half] = full[:, :half]
    # the dark seam between the halves keeps a half star readable when tiny
    return Image.fromarray(empty, "RGBA")


def star_frames(w, h, centres, radii, ow_ratio=0.15):
    """11 frames: frame k has k half-stars lit, stars listed left to right."""
    cache = {}
    frames = []
    for k in range(11):
        fr = Image.new("RGBA", (w, h), CLEAR)
        for i, ((cx, cy), r) in enumerate(zip(centres, radii)):
            lit = k - 2 * i
            kind = "full" if lit >= 2 else ("half" if lit == 1 else "empty")
            key = (r, kind)
            if key not in cache:
                cache[key] = star_image(r, max(2, r * ow_ratio), kind)
            im = cache[key]
            fr.alpha_composite(im, (int(round(cx - im.size[0] / 2)), int(round(cy - im.size[1] / 2))))
        frames.append(fr)
    return hstrip(frames)


def rating_stars():
    """Stars.png: 11 frames of 315 x 197, five stars in an arch."""
    xs = [36, 96, 157.5, 219, 279]
    ys = [132, 100, 84, 100, 132]
    rs = [31, 37, 45, 37, 31]
    return star_frames(315, 197, list(zip(xs, ys)), rs, ow_ratio=0.16)


def bar_stars():
    """Stars2.png: 11 frames of 538 x 91, a flat row of five stars."""
    xs = [53 + i * 108 for i in range(5)]
    return star_frames(538, 91, [(x, 47) for x in xs], [42] * 5, ow_ratio=0.19)


def button(w, h, label=None, size=None, fill=KETCHUP, dark=KETCHUP_DARK, text_fill=WHITE,
           radius=None, ow=4, s=3, icon=None, icon_size=None, icon_dx=0, label_dx=0, stroke=None):
    """A chunky cartoon button: outline, lower lip, top shine, optional emoji and label."""
    p = Pic(w, h, s=s)
    r = radius if radius is not None else min(h / 2.0 - 1, 22)
    lip = max(3, h * 0.08)
    p.rrect((1, 1, w - 1, h - 1), r, dark, outline=INK, ow=ow)
    p.rrect((1 + ow, 1 + ow, w - 1 - ow, h - 1 - ow - lip), max(1, r - ow), fill)
    p.rrect((1 + ow + r * 0.5, 1 + ow + 3, w - 1 - ow - r * 0.5, 1 + ow + 3 + (h - 2 * ow) * 0.18),
            max(1, (h - 2 * ow) * 0.09), with_alpha(WHITE, 80))
    cy = (h - lip) / 2.0 + 0.5
    if icon:
        isz = icon_size or h * 0.6
        p.emoji(icon, w / 2.0 + icon_dx, cy, isz)
    if label:
        sz = size or h * 0.42
        st = stroke if stroke is not None else max(2, sz * 0.09)
        p.text((w / 2.0 + label_dx, cy + sz * 0.02), label, sz, fill=text_fill, anchor="mm",
               stroke=st, stroke_fill=INK)
    return p.result()


def arrow_shape(p, x0, y0, w, h, fill, ow, direction="right", outline=INK):
    """A fat cartoon arrow inside the box; direction 'right' or 'left'."""
    mid = y0 + h / 2.0
    shaft_h = h * 0.42
    head_x = x0 + w * 0.48
    pts = [(x0, mid - shaft_h / 2), (head_x, mid - shaft_h / 2), (head_x, y0),
           (x0 + w, mid), (head_x, y0 + h), (head_x, mid + shaft_h / 2), (x0, mid + shaft_h / 2)]
    if direction == "left":
        pts = [(2 * x0 + w - x, y) for x, y in pts]
    p.polygon(pts, fill, outline=outline, ow=ow)


def padlock_frame(t, w=110, h=135, s=4):
    """Padlock opening at t in 0..1: the shackle lifts, then swings out around its
    left leg; the last frame is wide open with a sparkle."""
    p = Pic(w, h, s=s)
    body = (12, 58, 98, 128)
    lift = 18 * min(1.0, t / 0.5)
    swing = max(0.0, (t - 0.5) / 0.5)
    theta = math.radians(125) * swing
    cx, rad = 55, 25
    top = 28 - lift
    px = cx - rad
    pts = [(cx - rad, 70 - lift)]
    for i in range(0, 181, 10):
        a = math.radians(180 + i)
        pts.append((cx + rad * math.cos(a), top + rad + rad * math.sin(a)))
    pts.append((cx + rad, 70 - lift))
    leg = [(px + (x - px) * math.cos(theta), y) for x, y in pts]
    p.line(leg, INK, 17)
    p.line(leg, (200, 200, 210, 255), 9)
    p.line([(x - 2, y - 1) for x, y in leg[4:12]], (242, 242, 250, 255), 3)
    p.rrect(body, 14, MUSTARD, outline=INK, ow=5, shadow=(0, 3, 2, 70))
    p.rrect((body[0] + 6, body[1] + 6, body[2] - 6, body[1] + 18), 6, (255, 226, 120, 255))
    p.circle(55, 88, 9, INK)
    p.polygon([(50, 90), (60, 90), (63, 112), (47, 112)], INK)
    if t >= 0.99:
        for (sx, sy, sr) in ((88, 24, 10), (100, 50, 6), (74, 8, 6)):
            p.polygon(star_points(sx, sy, sr, sr * 0.35, n=4, rot=0), WHITE, outline=MUSTARD_DARK, ow=1.5)
    return p.result()


def padlock_sheet(n=7):
    frames = [padlock_frame(i / (n - 1.0)) for i in range(n)]
    sheet = hstrip(frames)
    # The shop plays one step past the last frame: its rectangle then starts at the
    # sheet's right edge, where a stretched edge column would show.  Keep that
    # column fully transparent so the extra step shows nothing.
    a = np.asarray(sheet).copy()
    a[:, -2:, 3] = 0
    return Image.fromarray(a, "RGBA")


def wood_board(w, h, s=2, outline=INK, ow=6, radius=26, inner=CREAM, frame=WOOD, frame_w=18,
               shadow=True, seed=1):
    """A wooden framed board with a cream inside (menus, end panel)."""
    p = Pic(w, h, s=s)
    sh = (0, 8, 8, 110) if shadow else None
    p.rrect((ow, ow, w - ow - (8 if shadow else 0), h - ow - (14 if shadow else 0)), radius, frame,
            outline=outline, ow=ow, shadow=sh)
    ib = (ow + frame_w, ow + frame_w, w - ow - frame_w - (8 if shadow else 0),
          h - ow - frame_w - (14 if shadow else 0))
    p.rrect(ib, max(4, radius - frame_w), inner, outline=outline, ow=max(3, ow - 2))
    return p, ib


# ---------------------------------------------------------------- mascot
def mascot(size, mood="grin", outline=True):
    """The burger mascot: the flat burger with eyes on its bun and a big grin."""
    s = 2
    big = size * s
    base = emoji("hamburger", big)
    p = Pic(size, size, s=s)
    p.paste(base, (0, 0))
    ex = (0.40, 0.60)
    ey = 0.335
    for i, x in enumerate(ex):
        if mood == "wink" and i == 1:
            p.arc((size * (x - 0.06), size * (ey - 0.04), size * (x + 0.06), size * (ey + 0.05)),
                  200, 340, INK, size * 0.022)
            continue
        p.ellipse((size * (x - 0.055), size * (ey - 0.07), size * (x + 0.055), size * (ey + 0.07)),
                  WHITE, outline=INK, ow=size * 0.018)
        p.circle(size * (x + 0.012), size * (ey + 0.015), size * 0.03, INK)
        p.circle(size * (x + 0.022), size * (ey - 0.005), size * 0.011, WHITE)
    # grin across the cheese, with teeth
    mx0, mx1, my = 0.30, 0.70, 0.60
    pts = []
    for i in range(21):
        t = i / 20.0
        x = mx0 + (mx1 - mx0) * t
        y = my + 0.09 * math.sin(math.pi * t)
        pts.append((size * x, size * y))
    top = [(size * (mx0 + (mx1 - mx0) * i / 20.0), size * (my + 0.015 * math.sin(math.pi * i / 20.0)))
           for i in range(20, -1, -1)]
    p.polygon(pts + top, (120, 20, 20, 255), outline=INK, ow=size * 0.018)
    p.rrect((size * 0.36, size * (my + 0.01), size * 0.64, size * (my + 0.045)), size * 0.01, WHITE)
    p.ellipse((size * 0.45, size * (my + 0.045), size * 0.55, size * (my + 0.085)), (255, 120, 120, 255))
    im = p.result()
    if outline:
        im = outlined(im, max(2, int(size * 0.025)))
    return im
