"""Tower buttons, tower info panels and the help pictures of the towers."""
import math

from PIL import Image, ImageDraw, ImageFilter

from characters_kit import (Canvas, INK, CLEAR, WHITE, CREAM, KETCHUP, KETCHUP_DARK, MUSTARD,
                            MUSTARD_DARK, BUN, LETTUCE, SKY, SKY_DARK, GOLD, GOLD_DARK, rgba,
                            shade, emoji, reduce, font)
import characters_towers as ct
from words import french

BUTTON = 90


def round_button(fill, icon, icon_size=58, ring=MUSTARD, icon_dy=0):
    """A round 90 x 90 button: ring, coloured disc, soft shine, emoji icon."""
    W = H = BUTTON
    cv = Canvas(W, H, ow=0)
    s = cv.s
    d = cv.d
    c = W / 2.0
    # drop shadow
    sh = Image.new("RGBA", cv.im.size, CLEAR)
    ImageDraw.Draw(sh).ellipse([(c - 40) * s, (c - 37) * s, (c + 40) * s, (c + 43) * s], fill=(0, 0, 0, 90))
    sh = sh.filter(ImageFilter.GaussianBlur(2 * s))
    cv.im.alpha_composite(sh)
    d = ImageDraw.Draw(cv.im)
    d.ellipse([(c - 42) * s, (c - 42) * s, (c + 42) * s, (c + 42) * s], fill=INK)
    d.ellipse([(c - 39) * s, (c - 39) * s, (c + 39) * s, (c + 39) * s], fill=ring)
    d.ellipse([(c - 33) * s, (c - 33) * s, (c + 33) * s, (c + 33) * s], fill=INK)
    d.ellipse([(c - 31) * s, (c - 31) * s, (c + 31) * s, (c + 31) * s], fill=fill)
    d.ellipse([(c - 26) * s, (c - 29) * s, (c + 20) * s, (c - 8) * s], fill=shade(fill, 1.25))
    cv.d = d
    if icon is not None:
        ic = icon.resize((icon.width * s, icon.height * s), Image.LANCZOS)
        cv.layer(ic, int((c - icon.width / 2) * s), int((c - icon.height / 2 + icon_dy) * s))
    return cv


def build_button(kind):
    fill = {"frite": (255, 206, 84, 255), "burger": KETCHUP, "soda": SKY}[kind]
    name = {"frite": "french-fries", "burger": "hamburger", "soda": "cup-with-straw"}[kind]
    cv = round_button(fill, emoji(name, 50), ring=CREAM)
    # a little "+" badge: it builds
    cv.circle(72, 72, 11, LETTUCE, ow=2.2)
    cv.fillpoly([(66, 70.4), (78, 70.4), (78, 73.6), (66, 73.6)], WHITE)
    cv.fillpoly([(70.4, 66), (73.6, 66), (73.6, 78), (70.4, 78)], WHITE)
    return cv.final()


def game_icon(size):
    """The game's icon: the burger on the build button's ketchup disc, size x size, with no
    badge and a little more room around it (window icon and desktop icons)."""
    k = size / 96.0
    ss = 4
    M = size * ss
    c = M / 2.0
    im = Image.new("RGBA", (M, M), CLEAR)
    sh = Image.new("RGBA", (M, M), CLEAR)
    r = 42 * k * ss
    ImageDraw.Draw(sh).ellipse([c - r, c - r + 3 * k * ss, c + r, c + r + 3 * k * ss],
                               fill=(0, 0, 0, 90))
    im.alpha_composite(sh.filter(ImageFilter.GaussianBlur(2 * k * ss)))
    d = ImageDraw.Draw(im)
    for radius, fill in ((42, INK), (39, CREAM), (33, INK), (31, KETCHUP)):
        r = radius * k * ss
        d.ellipse([c - r, c - r, c + r, c + r], fill=fill)
    d.ellipse([c - 26 * k * ss, c - 29 * k * ss, c + 20 * k * ss, c - 8 * k * ss],
              fill=shade(KETCHUP, 1.25))
    burger = emoji("hamburger", round(48 * k * ss))
    im.alpha_composite(burger, dest=(int(c - burger.width / 2), int(c - burger.height / 2)))
    return reduce(im, size, size)


def sell_button():
    cv = round_button((140, 168, 204, 255), emoji("coin", 48), ring=CREAM)
    cv.circle(72, 72, 11, KETCHUP, ow=2.2)
    cv.fillpoly([(65.5, 70.2), (78.5, 70.2), (78.5, 73.8), (65.5, 73.8)], WHITE)
    return cv.final()


def upgrade_button():
    cv = round_button(LETTUCE, None, ring=CREAM)
    c = 45
    arrow = [(c, 20), (c + 20, 42), (c + 9, 42), (c + 9, 66), (c - 9, 66), (c - 9, 42), (c - 20, 42)]
    cv.poly(arrow, WHITE, ow=2.6)
    cv.poly([(c + 13 + 8 * math.cos(-math.pi / 2 + i * math.pi / 5) * (1 if i % 2 == 0 else 0.45),
              22 + 8 * math.sin(-math.pi / 2 + i * math.pi / 5) * (1 if i % 2 == 0 else 0.45))
             for i in range(10)], GOLD, ow=1.8)
    return cv.final()


# --------------------------------------------------------------------------
# Info panel.  Drawn at (1000, 800); the game writes, in window pixels:
# name (1010, 890) white 30; level (1260, 820); feed (1300, 875);
# interval (1280, 945); range (1250, 1005), size 25 black.
PANEL_X, PANEL_Y = 1000, 800


def info_panel(two_columns, t=french):
    W = 540 if two_columns else 520
    H = 270
    cv = Canvas(W, H, ow=2.0)
    s = cv.s
    d = cv.d
    # drop shadow, body, outline
    sh = Image.new("RGBA", cv.im.size, CLEAR)
    ImageDraw.Draw(sh).rounded_rectangle([6 * s, 8 * s, (W - 2) * s, (H - 1) * s], radius=22 * s,
                                         fill=(0, 0, 0, 80))
    sh = sh.filter(ImageFilter.GaussianBlur(3 * s))
    cv.im.alpha_composite(sh)
    d = ImageDraw.Draw(cv.im)
    d.rounded_rectangle([2 * s, 2 * s, (W - 6) * s, (H - 6) * s], radius=22 * s, fill=INK)
    d.rounded_rectangle([5 * s, 5 * s, (W - 9) * s, (H - 9) * s], radius=19 * s, fill=CREAM)
    # red and white awning stripes along the top
    aw = Image.new("L", cv.im.size, 0)
    ad = ImageDraw.Draw(aw)
    for i in range(0, W, 28):
        ad.rectangle([i * s, 5 * s, (i + 14) * s, 14 * s], fill=255)
    clip = Image.new("L", cv.im.size, 0)
    ImageDraw.Draw(clip).rounded_rectangle([5 * s, 5 * s, (W - 9) * s, (H - 9) * s], radius=19 * s, fill=255)
    from PIL import ImageChops
    aw = ImageChops.multiply(aw, clip)
    red = Image.new("RGBA", cv.im.size, KETCHUP)
    cv.im.paste(red, (0, 0), aw)
    d.rounded_rectangle([2 * s, 2 * s, (W - 6) * s, (H - 6) * s], radius=22 * s, outline=INK, width=3 * s)
    # level ribbon behind "Niv." (text at 260, 20 relative)
    lx0, lx1 = 236, (W - 16 if two_columns else 380)
    d.rounded_rectangle([lx0 * s, 16 * s, lx1 * s, 54 * s], radius=12 * s, fill=INK)
    d.rounded_rectangle([(lx0 + 3) * s, 19 * s, (lx1 - 3) * s, 51 * s], radius=10 * s, fill=MUSTARD)
    # dark plate for the white name (text at 10, 90, two lines of size 30)
    d.rounded_rectangle([3 * s, 74 * s, 158 * s, 176 * s], radius=16 * s, fill=INK)
    d.rounded_rectangle([6 * s, 77 * s, 155 * s, 173 * s], radius=13 * s, fill=(96, 52, 36, 255))
    d.rounded_rectangle([6 * s, 77 * s, 155 * s, 90 * s], radius=10 * s, fill=(120, 70, 48, 255))
    cv.d = d
    # value rows: feed (300, 75), interval (280, 145), range (250, 205); text height ~ 30
    rows = [("Nourrit", 300, 75, "hamburger"), ("Cadence", 280, 145, "stopwatch"),
            ("Portée", 250, 205, "bullseye")]
    f_lab = font(17)
    for (key, vx, vy, ic) in rows:
        label = t(key)
        lw = f_lab.getlength(label)
        band_x0 = vx - 10 - lw - 32
        band_x1 = W - (14 if two_columns else 22)
        d.rounded_rectangle([band_x0 * s, (vy - 5) * s, band_x1 * s, (vy + 36) * s], radius=14 * s,
                            fill=(255, 232, 190, 255))
        d.rounded_rectangle([(vx - 8) * s, (vy - 2) * s, (band_x1 - 3) * s, (vy + 33) * s], radius=12 * s,
                            fill=WHITE)
        cv.d = d
        e = emoji(ic, 26)
        cv.paste(e, band_x0 + 4, vy + 2)
        # label between icon and value
        tx = vx - 10 - lw
        lab = Image.new("RGBA", (200 * s, 30 * s), CLEAR)
        ImageDraw.Draw(lab).text((0, 0), label, font=font(17 * s), fill=INK)
        cv.layer(lab, int(tx * s), int((vy + 7) * s))
        d = ImageDraw.Draw(cv.im)
        cv.d = d
        if two_columns:
            # arrow from the current value to the next level's
            ax = 392 if key != "Nourrit" else 410
            ay = vy + 16
            cv.poly([(ax - 12, ay - 4), (ax + 2, ay - 4), (ax + 2, ay - 9), (ax + 12, ay), (ax + 2, ay + 9),
                     (ax + 2, ay + 4), (ax - 12, ay + 4)], LETTUCE, ow=1.6)
            d = cv.d
    if two_columns:
        ax, ay = 392, 35
        cv.poly([(ax - 12, ay - 4), (ax + 2, ay - 4), (ax + 2, ay - 9), (ax + 12, ay), (ax + 2, ay + 9),
                 (ax + 2, ay + 4), (ax - 12, ay + 4)], LETTUCE, ow=1.6)
    return cv.final()


# --------------------------------------------------------------------------
# Where each machine's badge sits across its 150 x 150 help picture: the page centres the
# picture between the menu's buttons and the machine's text, so the badge is kept small and
# set off to the side that has room, even at its enlarged hover scale (1.3; the soda 1.1).
HELP_BADGE_X = {"burger": 81, "frite": 88, "soda": 95}


def help_tower(kind):
    """150 x 150: the level-2 machine on a soft round badge, with clear room around them."""
    level = 2
    W, H, OX, OY, N, HB = ct.CAT[(kind, level)]
    if kind == "soda":
        im = ct.soda_tower(level, 0, N)
    elif kind == "frite":
        im = ct.fries_tower(level, 0, 0, N)
    else:
        im = ct.burger_tower(level, 0, 0, N)
    bbox = im.getbbox()
    im = im.crop(bbox)
    S = 150
    scale = min(100.0 / im.width, 106.0 / im.height)
    im = im.resize((max(1, int(im.width * scale)), max(1, int(im.height * scale))), Image.LANCZOS)
    cv = Canvas(S, S, ow=2.0)
    cx = HELP_BADGE_X[kind]
    tint = {"frite": (255, 226, 150, 255), "burger": (255, 200, 160, 255), "soda": (190, 228, 250, 255)}[kind]
    cv.circle(cx, 92, 47, tint, ow=2.2)
    out = cv.final()
    out.alpha_composite(im, (int(cx - im.width / 2), int(142 - im.height)))
    return out
