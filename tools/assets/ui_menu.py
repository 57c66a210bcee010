"""Menu pictures: the arcade cabinet, the dining-room background, panel buttons,
level cards, padlocks, options, help tiles, supplier shop and credits."""
import math

from PIL import Image, ImageDraw

from ui_common import (Pic, save, hstrip, emoji, grey_version, star_points, mix, with_alpha,
                       apply_grain, text_width, INK, INK_SOFT, CREAM, PAPER, KETCHUP, KETCHUP_DARK,
                       MUSTARD, MUSTARD_DARK, BUN, LETTUCE, LETTUCE_DARK, SKY, SKY_DARK, WOOD,
                       WOOD_DARK, WOOD_LIGHT, BOARD, BOARD_LIGHT, GREY, GREY_DARK, WHITE, BLACK,
                       CLEAR)
import ui_parts as parts
from words import french, twin

MENU = "textures/Menu/"
CAB_X = 941                      # window x of the cabinet's left edge
HOLE = (229, 168, 905, 856)      # screen opening, cabinet pixels (window x 1170..1846): card 2 waits at x 1851
SCREEN_BG = (255, 247, 228, 255)


# ---------------------------------------------------------------- cabinet
def cabinet(screen=None, title=False, t=french):
    """979 x 1080 arcade cabinet.  Opaque everywhere but the screen opening, so the
    level cards sliding off to the sides stay hidden.  With screen given (an RGBA
    picture of the opening's size) the opening is filled, for the title picture."""
    W, H = 979, 1080
    p = Pic(W, H, s=2)
    body = KETCHUP
    p.rrect((0, -20, W + 20, H + 20), 0, KETCHUP_DARK)
    # side/left column panel
    p.rrect((4, 0, 222, H + 20), 24, body, outline=INK, ow=6)
    p.rrect((18, 14, 208, 40), 10, with_alpha(WHITE, 60))
    # marquee
    p.rrect((206, -20, W + 20, 162), 26, MUSTARD, outline=INK, ow=6)
    p.rrect((236, 54, W - 16, 152), 18, CREAM, outline=INK, ow=4)
    for i in range(17):
        x = 250 + i * 42
        p.circle(x, 30, 8, (255, 250, 220, 255), outline=INK, ow=2.5)
    # screen bezel
    p.rrect((206, 150, W + 20, 880), 30, (52, 46, 58, 255), outline=INK, ow=6)
    p.rrect((HOLE[0] - 8, HOLE[1] - 8, HOLE[2] + 8, HOLE[3] + 8), 20, (28, 24, 32, 255))
    # control panel
    p.polygon([(206, 872), (W + 20, 872), (W + 20, 960), (206, 960)], MUSTARD_DARK, outline=INK, ow=6)
    p.polygon([(212, 878), (W + 20, 878), (W + 20, 900), (212, 900)], with_alpha(WHITE, 70))
    p.rrect((206, 952, W + 20, H + 20), 0, body, outline=INK, ow=6)
    # joystick and buttons on the panel
    p.ellipse((300, 906, 380, 940), (40, 36, 44, 255), outline=INK, ow=4)
    p.line([(340, 922), (352, 884)], INK, 12)
    p.circle(354, 880, 17, KETCHUP, outline=INK, ow=4)
    for i, c in enumerate((LETTUCE, SKY, MUSTARD)):
        p.ellipse((420 + i * 62, 902, 466 + i * 62, 934), c, outline=INK, ow=4)
    # coin door: the credits hot spot (window 1595..1760, 866..1063)
    p.rrect((660, 968, 814, 1062), 12, (60, 56, 66, 255), outline=INK, ow=5)
    for x in (700, 774):
        p.rrect((x - 16, 984, x + 16, 1020), 6, (250, 120, 40, 255), outline=INK, ow=3)
        p.rrect((x - 3, 990, x + 3, 1014), 2, INK)
    p.text((737, 1042), t("Crédits"), 20, fill=MUSTARD, stroke=2, stroke_fill=INK)
    # sign rail for the credits sign (sign drawn by the game at window (1071, 905))
    p.rrect((120, 896, 282, 904), 4, WOOD_DARK, outline=INK, ow=2)
    # column of the five panel buttons
    p.rrect((22, 178, 204, 840), 20, KETCHUP_DARK, outline=INK, ow=4)
    for y in (190, 828):
        for x in (36, 190):
            p.circle(x, y, 5, (250, 200, 160, 255))
    # star balance plaque: text at window (1086, 85)
    p.rrect((24, 58, 204, 158), 20, CREAM, outline=INK, ow=5, shadow=(0, 4, 3, 90))
    if title:
        # the title picture shows no balance: three stars fill the plaque
        for i, x in enumerate((66, 114, 162)):
            p.emoji("star", x, 108 - (8 if i == 1 else 0), 46)
        p.text((592, 103), t("Bienvenue chez Gobbler !"), 44, fill=INK)
        for y, name in ((300, "hamburger"), (470, "french-fries"), (640, "cup-with-straw")):
            p.emoji(name, 113, y, 120, shadow=(0, 5, 4, 100))
    else:
        p.emoji("star", 86, 108, 62)
    # speaker grille under the screen
    for i in range(6):
        p.rrect((520 + i * 22, 1000, 532 + i * 22, 1050), 5, KETCHUP_DARK)
    im = p.result()
    if screen is not None:
        im.alpha_composite(screen, (HOLE[0], HOLE[1]))
        # punch the rest of the opening so nothing odd shows through
    else:
        d = ImageDraw.Draw(im)
        d.rounded_rectangle(HOLE, radius=14, fill=CLEAR)
    # inner glass edge
    g = Pic(W, H, s=2)
    g.rrect((HOLE[0] - 2, HOLE[1] - 2, HOLE[2] + 2, HOLE[3] + 2), 16, CLEAR, outline=INK, ow=4)
    gi = g.result()
    # keep only the ring (the inside is transparent already)
    im.alpha_composite(gi)
    return im


def fond():
    """Fond.png 735 x 695 at (1145, 165): the lit screen behind every section."""
    W, H = 735, 695
    p = Pic(W, H, s=1, bg=SCREEN_BG)
    d = ImageDraw.Draw(p.im)
    for y in range(0, H, 46):
        for x in range(0, W, 46):
            if (x // 46 + y // 46) % 2 == 0:
                d.rectangle((x, y, x + 45, y + 45), fill=(252, 238, 212, 255))
    # a faint wallpaper of food, light enough to keep every text readable
    names = ("hamburger", "french-fries", "cup-with-straw")
    k = 0
    for yi, y in enumerate(range(40, H, 115)):
        for x in range(40 + (57 if yi % 2 else 0), W, 115):
            icon = emoji(names[k % 3], 40)
            k += 1
            a = icon.getchannel("A").point(lambda v: v * 22 // 255)
            icon.putalpha(a)
            p.im.alpha_composite(icon, (x - 20, y - 20))
    im = p.result()
    # soft vignette so the content sits in a glowing screen
    import numpy as np
    a = np.asarray(im).astype("float32")
    yy, xx = np.mgrid[0:H, 0:W]
    dx = (xx - W / 2) / (W / 2)
    dy = (yy - H / 2) / (H / 2)
    v = np.clip((dx ** 2 + dy ** 2) - 0.55, 0, 1) * 28
    a[..., :3] -= v[..., None]
    return Image.fromarray(a.clip(0, 255).astype("uint8"), "RGBA")


# ---------------------------------------------------------------- background
def dining_room(W=1920, H=1080, seed=3):
    """The restaurant scene on the left of the menus (and the intro backdrop)."""
    p = Pic(W, H, s=2, bg=(250, 214, 150, 255))
    # wall stripes
    for i, x in enumerate(range(-40, W, 80)):
        if i % 2 == 0:
            p.rrect((x, 0, x + 40, 700), 0, (246, 200, 128, 255))
    # tiled lower wall
    p.rrect((-10, 640, W + 10, 720), 0, KETCHUP, outline=INK, ow=5)
    for x in range(0, W, 48):
        p.rrect((x + 4, 652, x + 40, 708), 6, KETCHUP_DARK)
    # checkered floor
    p.rrect((-10, 860, W + 10, H + 10), 0, (245, 240, 230, 255))
    for yi, y in enumerate(range(860, H, 55)):
        for xi, x in enumerate(range(-55, W, 110)):
            off = 55 if yi % 2 else 0
            p.rrect((x + off, y, x + off + 55, y + 55), 0, (60, 56, 70, 255))
    # counter
    p.rrect((-20, 720, W + 20, 880), 14, (230, 90, 60, 255), outline=INK, ow=6,
            shadow=(0, 8, 6, 100))
    p.rrect((-20, 706, W + 20, 740), 10, (240, 240, 245, 255), outline=INK, ow=5)
    for x in range(40, W, 130):
        p.rrect((x, 760, x + 80, 850), 12, (210, 70, 46, 255))
    return p


def fond_menu():
    """FondMenu.png: the dining room on the left (x < 941), transparent over the cabinet.
    The logo left by the intro is drawn on top of it at x 70..870, y 40..640."""
    W, H = 1920, 1080
    p = dining_room()
    # food on the counter (the intro backdrop repeats this row across the screen)
    for x, name, sz in ((120, "french-fries", 120), (300, "hamburger", 130), (470, "cup-with-straw", 120),
                        (660, "hot-dog", 110), (820, "pizza", 100)):
        p.emoji(name, x, 660 + (130 - sz) / 2, sz, shadow=(0, 6, 4, 90))
    # stools
    for x in (150, 450, 750):
        p.rrect((x - 8, 900, x + 8, 1060), 4, (120, 120, 130, 255), outline=INK, ow=3)
        p.ellipse((x - 60, 880, x + 60, 920), KETCHUP, outline=INK, ow=5)
    # cabinet shadow on the wall
    im = p.result()
    import numpy as np
    a = np.asarray(im).copy()
    xs = np.arange(W)
    shade = np.clip((xs - 880) / 61.0, 0, 1) * 70
    a[..., :3] = (a[..., :3].astype("float32") - shade[None, :, None]).clip(0, 255).astype("uint8")
    a[:, CAB_X:, 3] = 0
    im = Image.fromarray(a, "RGBA")
    return im


# ---------------------------------------------------------------- buttons
PANEL_BUTTONS = (("B Jouer.png", "Jouer", LETTUCE, LETTUCE_DARK),
                 ("B Shop.png", "Fournisseur", SKY, SKY_DARK),
                 ("B Options.png", "Options", MUSTARD, MUSTARD_DARK),
                 ("B Aide.png", "Aides", BUN, (200, 110, 30, 255)),
                 ("B Quitter.png", "Quitter", KETCHUP, KETCHUP_DARK))


def panel_button(label, fill, dark):
    w, h = 216, 90
    size = 40
    while text_width(label, size) > w - 34:
        size -= 1
    return parts.button(w, h, label, size=size, fill=fill, dark=dark, radius=24, ow=5)


def map_thumbnail(n, w, h):
    """The level's own map picture (drawn by the maps generator), cropped to the
    dining room and shrunk to w x h; None when the map is not there."""
    import os
    from ui_common import RES
    path = os.path.join(RES, "textures", "map", "lvl_%d.jpg" % n)
    if not os.path.exists(path):
        return None
    im = Image.open(path).convert("RGBA")
    # the playing area left of the side panel, trimmed to the card's shape
    cw = 1540
    ch = int(round(cw * h / float(w)))
    top = max(0, (1080 - ch) // 2)
    return im.crop((0, top, cw, top + ch)).resize((w, h), Image.LANCZOS)


def level_card(n):
    """LVL*.png: 2 frames of 490 x 280, open then locked (greyed).  Shows the
    level's dining room, with a badge and the level's flavour."""
    W, H = 490, 280
    p = Pic(W, H, s=2)
    bgs = {1: ((255, 226, 140, 255), (250, 206, 110, 255)),
           2: ((170, 220, 250, 255), (140, 200, 240, 255)),
           3: ((255, 170, 150, 255), (245, 140, 120, 255))}
    a, b = bgs[n]
    thumb = map_thumbnail(n, W - 12, H - 12)
    p.rrect((3, 3, W - 3, H - 3), 26, a, outline=INK, ow=6)
    if thumb is not None:
        mask = Image.new("L", (W * 2, H * 2), 0)
        ImageDraw.Draw(mask).rounded_rectangle((12, 12, W * 2 - 12, H * 2 - 12), radius=44, fill=255)
        big = Image.new("RGBA", (W * 2, H * 2), CLEAR)
        big.paste(thumb.resize(((W - 12) * 2, (H - 12) * 2), Image.LANCZOS), (12, 12))
        layer = Image.new("RGBA", (W * 2, H * 2), CLEAR)
        layer.paste(big, (0, 0), mask)
        p.im.alpha_composite(layer)
    else:
        for yi, y in enumerate(range(150, 268, 28)):
            for x in range(12 + (28 if yi % 2 else 0), W - 12, 56):
                p.rrect((x, y, x + 28, min(y + 28, 266)), 0, b)
    p.rrect((3, 3, W - 3, H - 3), 26, CLEAR, outline=INK, ow=6)
    # flavour stickers in the bottom-left corner
    stickers = {1: ("ribbon", "hamburger"), 2: ("warning", "droplet"), 3: ("person-running-default", "fire")}
    p.rrect((14, H - 74, 142, H - 14), 24, with_alpha(PAPER, 235), outline=INK, ow=4)
    for i, name in enumerate(stickers[n]):
        p.emoji(name, 50 + i * 56, H - 44, 44)
    # level badge
    p.circle(W - 42, 42, 28, KETCHUP, outline=INK, ow=4, shadow=(0, 3, 2, 90))
    p.text((W - 42, 43), str(n), 32, fill=WHITE, stroke=3, stroke_fill=INK)
    open_ = p.result()
    locked = grey_version(open_, dark=0.6)
    return hstrip([open_, locked])


def fleches():
    p = Pic(70, 100, s=4)
    parts.arrow_shape(p, 5, 8, 60, 84, MUSTARD, 5, direction="left")
    return p.result()


def sons_sfx(t=french):
    """Sons + SFX.png at (1209, 190); bars come at window y 290 and 475 (local 100, 285)."""
    p = Pic(560, 280, s=2)
    p.emoji("musical-notes", 34, 52, 58)
    p.text((76, 52), t("Musique"), 46, fill=INK, anchor="lm")
    p.emoji("speaker-high-volume", 34, 238, 58)
    p.text((76, 238), t("Effets"), 46, fill=INK, anchor="lm")
    return p.result()


def case_tuto(checked):
    p = Pic(64, 64, s=4)
    p.rrect((3, 3, 61, 61), 12, PAPER, outline=INK, ow=4, shadow=(0, 2, 1.5, 80))
    if checked:
        p.line([(15, 33), (27, 46), (50, 17)], INK, 11)
        p.line([(15, 33), (27, 46), (50, 17)], LETTUCE, 6)
    return p.result()


def b_reset():
    return parts.button(120, 60, None, fill=KETCHUP, dark=KETCHUP_DARK, icon="counterclockwise-arrows-button",
                        icon_size=40, radius=18, ow=4)


HELP_TILES = (("Nourritours.png", "Nourri'Tours", (("french-fries", 62, 92, 80), ("hamburger", 115, 72, 96),
                                                 ("cup-with-straw", 170, 92, 80)), MUSTARD),
              ("Clients.png", "Clients", (("man-office-worker-default", 64, 90, 84), ("girl-default", 166, 90, 84),
                                          ("person-raising-hand-default", 115, 70, 84)), SKY))


def help_tile(label, emojis, colour):
    p = Pic(230, 230, s=2)
    p.rrect((4, 4, 226, 226), 30, colour, outline=INK, ow=6, shadow=(0, 5, 4, 90))
    p.rrect((16, 14, 214, 28), 7, with_alpha(WHITE, 70))
    for (name, x, y, sz) in emojis:
        p.emoji(name, x, y, sz, shadow=(0, 4, 3, 80))
    p.rrect((14, 170, 216, 216), 16, PAPER, outline=INK, ow=4)
    size = 28
    while text_width(label, size) > 190:
        size -= 1
    p.text((115, 193), label, size, fill=INK)
    return p.result()


# ---------------------------------------------------------------- shop
def fond_shop(screen):
    """640 x 560 at (1188, 190): three columns of upgrade pictures (x 5, 214, 428) on
    rows at y 0, 190, 380.  Each column is tinted over the screen it stands on (`screen`,
    Fond.png at (1145, 165)) and opaque, so the panel's buttons pass under it."""
    W, H = 640, 560
    p = Pic(W, H, s=2)
    for x0, col in ((0, KETCHUP), (209, SKY), (423, MUSTARD)):
        p.rrect((x0, 0, x0 + 163, 548), 22, with_alpha(col, 90), outline=with_alpha(INK, 150), ow=3)
    columns = p.result()
    out = screen.crop((1188 - 1145, 190 - 165, 1188 - 1145 + W, 190 - 165 + H)).convert("RGBA")
    out.alpha_composite(columns)
    out.putalpha(columns.getchannel("A").point(lambda v: 255 if v else 0))
    return out


def shop_price_tags():
    """Prix.png, two frames of 76 x 34: the price in stars of a level 2 (3) and of a level 3
    (6), hung by the shop on the top edge of the picture it buys."""
    frames = []
    for price in ("3", "6"):
        p = Pic(76, 34, s=3)
        cx, cy = 38, 17
        p.rrect((cx - 34, cy - 12, cx + 34, cy + 14), 12, PAPER, outline=INK, ow=3,
                shadow=(0, 2, 2, 70))
        p.text((cx - 10, cy + 1), price, 20, fill=INK)
        p.polygon(star_points(cx + 14, cy + 1, 10, 5), parts.STAR_GOLD, outline=INK, ow=2)
        frames.append(p.result())
    return hstrip(frames)


SHOP_FOOD = {"Frite": "french-fries", "Burger": "hamburger", "Soda": "cup-with-straw"}
SHOP_COL = {"Frite": MUSTARD, "Burger": KETCHUP, "Soda": SKY}


def shop_picture(kind, level, t=french):
    """153 x 158 tile: the food kiosk of that level, unlocked then locked (grey)."""
    W, H = 153, 158
    p = Pic(W, H, s=3)
    col = SHOP_COL[kind]
    dark = mix(col, INK, 0.35)
    p.rrect((3, 3, W - 3, H - 3), 20, PAPER, outline=INK, ow=4, shadow=(0, 3, 2, 70))
    # kiosk body with a serving window, wider at each level
    bw = 96 + level * 10
    x0, x1 = (W - bw) / 2.0, (W + bw) / 2.0
    p.rrect((x0, 30, x1, 116), 10, col, outline=INK, ow=4)
    p.rrect((x0 + 9, 46, x1 - 9, 104), 8, (255, 250, 236, 255), outline=INK, ow=3)
    p.rrect((x0 + 4, 106, x1 - 4, 114), 3, dark)
    # striped awning
    n = 4 + level
    sw = (x1 - x0 + 8) / n
    for i in range(n):
        sx = x0 - 4 + i * sw
        c = col if i % 2 == 0 else WHITE
        p.rrect((sx, 16, sx + sw, 36), 0, c)
        p.ellipse((sx, 28, sx + sw, 42), c)
    p.rrect((x0 - 4, 14, x1 + 4, 20), 3, INK)
    for i in range(n):
        sx = x0 - 4 + i * sw
        p.arc((sx, 28, sx + sw, 42), 0, 180, INK, 2.5)
    name = SHOP_FOOD[kind]
    if level == 1:
        p.emoji(name, W / 2, 76, 54, shadow=(0, 3, 2, 80))
    elif level == 2:
        p.emoji(name, W / 2 - 19, 78, 48, shadow=(0, 3, 2, 80))
        p.emoji(name, W / 2 + 19, 74, 50, shadow=(0, 3, 2, 80))
    else:
        p.emoji(name, W / 2 - 32, 82, 42, shadow=(0, 3, 2, 80))
        p.emoji(name, W / 2 + 32, 82, 42, shadow=(0, 3, 2, 80))
        p.emoji(name, W / 2, 72, 52, shadow=(0, 3, 2, 80))
        p.emoji("crown", W - 26, 22, 30)
    # level plate: "Niv. N" and N stars
    p.rrect((12, 120, W - 12, 150), 13, INK_SOFT if level < 3 else KETCHUP_DARK, outline=INK, ow=3)
    plate = t("Niv. %d") % level
    tw = text_width(plate, 19)
    total = tw + 6 + level * 17
    tx = W / 2.0 - total / 2.0
    p.text((tx, 135.5), plate, 19, fill=WHITE, anchor="lm")
    for i in range(level):
        p.polygon(star_points(tx + tw + 14 + i * 17, 135.5, 8.5, 4.2), parts.STAR_GOLD, outline=INK, ow=1.8)
    open_ = p.result()
    return hstrip([open_, grey_version(open_, dark=0.62)])


# ---------------------------------------------------------------- credits
def credits_sign(t=french):
    """8 frames of 141 x 152: the hanging sign turns over (frames 1..7) from
    'Crédits' to its open side."""
    frames = []
    W, H = 141, 152
    for i in range(8):
        p = Pic(W, H, s=3)
        # strings and hook
        theta = math.pi * i / 7.0
        sx = abs(math.cos(theta))
        front = i < 4
        half = 60 * max(sx, 0.06)
        cx = 70.5
        p.line([(cx - 40, 4), (cx - half * 0.8, 40)], INK, 3)
        p.line([(cx + 40, 4), (cx + half * 0.8, 40)], INK, 3)
        p.circle(cx - 40, 5, 4, WOOD_DARK)
        p.circle(cx + 40, 5, 4, WOOD_DARK)
        col = PAPER if front else LETTUCE
        p.rrect((cx - half, 38, cx + half, 140), max(2, 16 * sx), col, outline=INK, ow=4,
                shadow=(0, 4, 3, 80))
        if sx > 0.5:
            inner = Pic(120, 100, s=3)
            if front:
                # the coin door beside it starts the credits: the sign asks for a coin
                inner.emoji("coin", 60, 30, 42)
                inner.text((60, 76), t("Insérez\nune pièce"), 15, fill=INK, spacing=0.15)
            else:
                inner.emoji("open-book", 60, 34, 46)
                inner.text((60, 80), t("Lire !"), 24, fill=INK)
            im = inner.result()
            iw = max(1, int(120 * sx))
            p.paste(im, (cx, 89), size=(iw, 100), anchor="mm")
        frames.append(p.result())
    return hstrip(frames)


def credits_page(third_party, t=french):
    """747 x 2498 page scrolled in a 747 x 1046 window; third_party is a list of
    (title, [lines]) already in the page's language."""
    W, H = 747, 2498
    p = Pic(W, H, s=2, bg=CLEAR)
    p.rrect((0, 0, W, H), 30, WOOD, outline=INK, ow=6)
    p.rrect((16, 16, W - 16, H - 16), 20, PAPER, outline=INK, ow=4)
    # the top of the page is what shows first: title and a hint to drag it
    y = 110
    p.paste(ui_mascot(170 * p.s), (W / 2, y), anchor="mm")
    y += 150
    p.text((W / 2 + 4, y + 5), "Gobbler", 84, fill=KETCHUP_DARK, stroke=6, stroke_fill=KETCHUP_DARK)
    p.text((W / 2, y), "Gobbler", 84, fill=MUSTARD, stroke=6, stroke_fill=INK)
    y += 90
    p.text((W / 2, y), t("Fast-food défense"), 34, fill=KETCHUP)
    y += 60
    p.text((W / 2, y), t("Un jeu de l'équipe Gobbler"), 30, fill=INK)
    y += 70
    p.rrect((W / 2 - 230, y - 24, W / 2 + 230, y + 24), 24, (255, 236, 200, 255))
    p.text((W / 2, y), t("Faites glisser la page pour lire la suite"), 20, fill=INK_SOFT)
    y += 100

    def heading(words):
        nonlocal y
        p.rrect((W / 2 - 270, y - 30, W / 2 + 270, y + 30), 22, KETCHUP, outline=INK, ow=4,
                shadow=(0, 4, 3, 70))
        p.text((W / 2, y), words, 34, fill=WHITE, stroke=3, stroke_fill=INK)
        y += 78

    def line(words, size=27, fill=INK, gap=1.5):
        nonlocal y
        p.text((W / 2, y), words, size, fill=fill)
        y += int(size * gap)

    def food_row(names):
        nonlocal y
        n = len(names)
        for i, name in enumerate(names):
            p.emoji(name, W / 2 + (i - (n - 1) / 2.0) * 90, y + 20, 64)
        y += 100

    heading(t("L'équipe Gobbler"))
    for role, who in (("Direction du restaurant", "l'équipe Gobbler"),
                      ("Conception du jeu", "l'équipe Gobbler"),
                      ("Programmation", "l'équipe Gobbler"),
                      ("Graphismes et animations", "l'équipe Gobbler"),
                      ("Musiques et bruitages", "l'équipe Gobbler"),
                      ("Textes et avis clients", "l'équipe Gobbler")):
        line(t(role), 28, KETCHUP_DARK, 1.25)
        line(t(who), 25, INK, 1.65)
    food_row(("french-fries", "hamburger", "cup-with-straw"))
    heading(t("Fait maison"))
    for words in ("Salles, décors et clients :", "dessinés par programme,", "en style dessin animé.", "",
              "Musiques et bruitages :", "synthétisés par nos soins.", "",
              "Nourri'Tours et mascotte :", "assemblées en cuisine."):
        if words:
            line(t(words), 25, INK, 1.45)
        else:
            y += 20
    y += 40
    heading(t("Ressources tierces"))
    for title, lines in third_party:
        if y > H - 330:
            break
        line(title, 29, KETCHUP_DARK, 1.35)
        for words in lines:
            if y > H - 300:
                break
            line(words, 22, INK_SOFT, 1.45)
        y += 26
    y = max(y + 30, H - 260)
    heading(t("Merci !"))
    line(t("Merci d'avoir dîné chez nous !"), 28, INK, 1.5)
    p.emoji("smiling-face-with-heart-eyes", W / 2, H - 80, 70)
    return p.result()


def ui_mascot(size):
    return parts.mascot(size, "grin")


def wrap(text, size, width):
    words = text.split()
    lines, cur = [], ""
    for w in words:
        t = (cur + " " + w).strip()
        if text_width(t, size) > width and cur:
            lines.append(cur)
            cur = w
        else:
            cur = t
    if cur:
        lines.append(cur)
    return lines


def build(stars_img, third_party):
    screen = fond()
    save(screen, MENU + "Fond.png")
    save(cabinet(), MENU + "Borne v2.png")
    save(fond_menu(), MENU + "FondMenu.png")
    for fname, label, fill, dark in PANEL_BUTTONS:
        save(panel_button(label, fill, dark), MENU + fname)
    save(level_card(1), MENU + "LVL.png")
    save(level_card(2), MENU + "LVL2.png")
    save(level_card(3), MENU + "LVL3.png")
    save(parts.padlock_sheet(), MENU + "Cadenas Sheets.png")
    save(fleches(), MENU + "Fleches.png")
    save(stars_img, MENU + "Stars.png")
    save(sons_sfx(), MENU + "Sons + SFX.png")
    import ui_hud
    save(ui_hud.volume_bar(), MENU + "VolumeBar.png")
    save(case_tuto(True), MENU + "CaseTuto1.png")
    save(case_tuto(False), MENU + "CaseTuto2.png")
    save(b_reset(), MENU + "B Reset.png")
    for fname, label, emojis, colour in HELP_TILES:
        save(help_tile(label, emojis, colour), MENU + fname)
    save(fond_shop(screen), MENU + "Fond Shop.png")
    save(shop_price_tags(), MENU + "Prix.png")
    for kind in ("Frite", "Burger", "Soda"):
        for lvl in (1, 2, 3):
            save(shop_picture(kind, lvl), MENU + "%s %d.png" % (kind, lvl))
    save(credits_sign(), MENU + "Credits Sheets.png")
    save(credits_page(third_party), MENU + "Credits.png")


def build_twins(t, third_party):
    """A language's twins of the menu pictures that have words in them; third_party is the
    credits' list of third-party material in that language."""
    def twin_of(rel):
        return twin(rel, t.language)
    save(cabinet(t=t), twin_of(MENU + "Borne v2.png"))
    for fname, label, fill, dark in PANEL_BUTTONS:
        if t(label) != label:
            save(panel_button(t(label), fill, dark), twin_of(MENU + fname))
    save(sons_sfx(t), twin_of(MENU + "Sons + SFX.png"))
    for fname, label, emojis, colour in HELP_TILES:
        save(help_tile(t(label), emojis, colour), twin_of(MENU + fname))
    for kind in ("Frite", "Burger", "Soda"):
        for lvl in (1, 2, 3):
            save(shop_picture(kind, lvl, t), twin_of(MENU + "%s %d.png" % (kind, lvl)))
    save(credits_sign(t), twin_of(MENU + "Credits Sheets.png"))
    save(credits_page(third_party, t), twin_of(MENU + "Credits.png"))
