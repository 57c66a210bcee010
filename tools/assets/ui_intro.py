"""Start-up pictures: the biting splash, the flying burger, the animated logo,
the intro backdrop and the title picture."""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from ui_common import (Pic, save, hstrip, emoji, outlined, star_points, with_alpha, text_width,
                       font, INK, CREAM, PAPER, KETCHUP, KETCHUP_DARK, MUSTARD, MUSTARD_DARK, BUN,
                       SKY, SKY_DARK, WHITE, CLEAR, LETTUCE)
import ui_menu
from ui_parts import mascot
from words import french, speaking, twin, LANGUAGES

# Small canvas on purpose: the intro loads one frame every 50 ms, and the frame
# decodes in time proportional to its pixel count.  The sprite sits at (0, 0), so
# the canvas only has to reach the logo's right and bottom edges.
LOGO_W, LOGO_H = 1230, 540
LOGO_CX = 900          # after the 500 px slide the logo is centred at x 400 of the menu
FIRST_RIBBON_FRAME = 41  # the subtitle ribbon unrolls from here: the frames before have no words


def bitten(img, bites):
    """Cuts round bite marks (scalloped by small tooth circles) out of img."""
    a = img.getchannel("A")
    m = Image.new("L", img.size, 255)
    d = ImageDraw.Draw(m)
    for (cx, cy, r) in bites:
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=0)
        for k in range(7):
            ang = math.radians(k * 360 / 7.0)
            tx, ty = cx + r * math.cos(ang), cy + r * math.sin(ang)
            d.ellipse((tx - r * 0.22, ty - r * 0.22, tx + r * 0.22, ty + r * 0.22), fill=0)
    m = m.filter(ImageFilter.GaussianBlur(1.2))
    out = img.copy()
    out.putalpha(Image.fromarray(np.minimum(np.asarray(a), np.asarray(m)), "L"))
    return out


def qz_manger(t=french):
    """4 frames of 797 x 939 at (562, 71) on the black start screen."""
    W, H = 797, 939
    burger = outlined(emoji("hamburger", 640), 16)
    bx = (W - burger.size[0]) // 2
    by = 70
    bite_sets = [[],
                 [(640, 200, 190)],
                 [(640, 200, 190), (660, 470, 210)],
                 [(640, 200, 190), (660, 470, 210), (520, 660, 200), (420, 90, 170)]]
    frames = []
    for k in range(4):
        fr = Image.new("RGBA", (W, H), CLEAR)
        b = bitten(burger, bite_sets[k])
        fr.alpha_composite(b, (bx, by))
        p = Pic(W, H, s=2)
        p.im = fr.resize((W * 2, H * 2), Image.LANCZOS)
        rng = np.random.default_rng(40 + k)
        for _ in range(k * 6):  # crumbs
            x = float(rng.uniform(520, 760))
            y = float(rng.uniform(300, 780))
            r = float(rng.uniform(6, 13))
            p.circle(x, y, r, BUN, outline=INK, ow=2.5)
        p.text((W / 2, 870), t("L'équipe Gobbler présente"), 40, fill=WHITE)
        if k:
            p.text((W / 2 - 250 + 170 * k, 40 + 10 * k), t(["", "Crounch !", "Miam !", "Slurp !"][k]), 46,
                   fill=MUSTARD, stroke=4, stroke_fill=INK)
        frames.append(p.result())
    return hstrip(frames)


def gros_qz():
    """262 x 248, origin (131, 124): the grinning burger that flies in."""
    im = Image.new("RGBA", (262, 248), CLEAR)
    m = mascot(236, mood="wink")
    im.alpha_composite(m, ((262 - m.size[0]) // 2, (248 - m.size[1]) // 2 + 4))
    return im


# ---------------------------------------------------------------- logo
def letter_images(word, size):
    """Each letter of the wordmark as its own sprite, with its x in the word."""
    f = font(size)
    out = []
    x = 0.0
    for i, ch in enumerate(word):
        w = f.getlength(ch)
        p = Pic(int(w + size * 0.5), int(size * 1.5), s=2)
        cx = p.w / 2.0
        cy = p.h / 2.0
        p.text((cx + size * 0.05, cy + size * 0.07), ch, size, fill=KETCHUP_DARK, stroke=size * 0.07,
               stroke_fill=KETCHUP_DARK)
        p.text((cx, cy), ch, size, fill=MUSTARD if i % 2 == 0 else (255, 176, 60, 255),
               stroke=size * 0.07, stroke_fill=INK)
        out.append((p.result(), x + w / 2.0))
        x += f.getlength(ch) + size * 0.02
    return out, x


def ribbon(width, text):
    h = 64
    p = Pic(int(width) + 80, h + 20, s=2)
    W = p.w
    p.polygon([(0, 18), (60, 18), (60, h + 8), (0, h + 8), (22, (h + 26) / 2.0)], KETCHUP_DARK,
              outline=INK, ow=5)
    p.polygon([(W, 18), (W - 60, 18), (W - 60, h + 8), (W, h + 8), (W - 22, (h + 26) / 2.0)],
              KETCHUP_DARK, outline=INK, ow=5)
    p.rrect((30, 6, W - 30, h), 10, KETCHUP, outline=INK, ow=5)
    p.text((W / 2.0, h / 2.0 + 4), text, 32, fill=WHITE, stroke=3, stroke_fill=INK)
    return p.result()


def ease_out_bounce(t):
    if t < 1 / 2.75:
        return 7.5625 * t * t
    if t < 2 / 2.75:
        t -= 1.5 / 2.75
        return 7.5625 * t * t + 0.75
    if t < 2.5 / 2.75:
        t -= 2.25 / 2.75
        return 7.5625 * t * t + 0.9375
    t -= 2.625 / 2.75
    return 7.5625 * t * t + 0.984375


def scaled(im, sx, sy=None):
    sy = sx if sy is None else sy
    w = max(1, int(round(im.size[0] * sx)))
    h = max(1, int(round(im.size[1] * sy)))
    return im.resize((w, h), Image.BICUBIC)


def paste_c(canvas, im, cx, cy):
    canvas.alpha_composite_safe = None
    x = int(round(cx - im.size[0] / 2.0))
    y = int(round(cy - im.size[1] / 2.0))
    W, H = canvas.size
    x0, y0 = max(0, x), max(0, y)
    x1, y1 = min(W, x + im.size[0]), min(H, y + im.size[1])
    if x1 <= x0 or y1 <= y0:
        return
    canvas.alpha_composite(im.crop((x0 - x, y0 - y, x1 - x, y1 - y)), (x0, y0))


def logo_frames(t=french):
    """95 frames (0..94).  Shown: 1..50 then 65..94; the last one stays as the logo."""
    word = "Gobbler"
    letters, word_w = letter_images(word, 140)
    m_grin = mascot(230, "grin")
    m_wink = mascot(230, "wink")
    rib = ribbon(420, t("Fast-food défense"))
    word_y = 352
    word_x0 = LOGO_CX - word_w / 2.0
    mascot_y = 152
    rib_y = 470
    sparkle = Pic(60, 60, s=3)
    sparkle.polygon(star_points(30, 30, 27, 8, n=4, rot=0), WHITE, outline=MUSTARD_DARK, ow=3)
    sparkle = sparkle.result()
    frames = []
    for f in range(95):
        c = Image.new("RGBA", (LOGO_W, LOGO_H), CLEAR)
        g = f if f <= 50 else (50 if f < 65 else f)
        # mascot drop 1..16 with bounce, squash on landing
        if g >= 1:
            t = min(1.0, (g - 1) / 15.0)
            y = -200 + (mascot_y + 200) * ease_out_bounce(t)
            sx, sy = 1.0, 1.0
            if 10 <= g <= 18:
                k = math.sin(math.pi * (g - 10) / 8.0) * 0.12
                sx, sy = 1 + k, 1 - k
            if 66 <= g <= 76:  # happy hop before the wink
                hop = math.sin(math.pi * (g - 66) / 10.0)
                y -= 40 * hop
            m = m_wink if 78 <= g <= 86 else m_grin
            im = scaled(m, sx, sy) if (sx, sy) != (1.0, 1.0) else m
            paste_c(c, im, LOGO_CX, y + (m.size[1] - im.size[1]) / 2.0)
        # letters pop in from frame 17, one every 3 frames
        for i, (li, lx) in enumerate(letters):
            start = 17 + 3 * i
            if g < start:
                continue
            t = g - start
            sc = {0: 0.3, 1: 0.8, 2: 1.2, 3: 1.08}.get(t, 1.0)
            wob = 0
            if 66 <= g <= 80:
                wob = -14 * math.sin(math.pi * ((g - 66) / 14.0 * 2 - i * 0.25)) if (g - 66) / 14.0 * 2 - i * 0.25 > 0 else 0
                wob = min(0, wob)
            im = li if sc == 1.0 else scaled(li, sc)
            paste_c(c, im, word_x0 + lx, word_y + wob)
        # ribbon unrolls 41..50
        if g >= FIRST_RIBBON_FRAME:
            t = min(1.0, (g - 40) / 8.0)
            w = max(2, int(rib.size[0] * t))
            part = rib.crop(((rib.size[0] - w) // 2, 0, (rib.size[0] - w) // 2 + w, rib.size[1]))
            paste_c(c, part, LOGO_CX, rib_y)
        # sparkles around during the finale, none on the last frame
        if 68 <= g <= 92:
            for j, (sx_, sy_) in enumerate(((LOGO_CX - 310, 260), (LOGO_CX + 300, 230), (LOGO_CX + 160, 60),
                                            (LOGO_CX - 180, 80))):
                ph = ((g - 68) + j * 4) % 12 / 12.0
                s = math.sin(math.pi * ph)
                if s > 0.15:
                    paste_c(c, scaled(sparkle, 0.4 + 0.8 * s), sx_, sy_)
        # shine sweeping over the word 82..92
        if 82 <= g <= 92:
            t = (g - 82) / 10.0
            sx0 = word_x0 - 100 + (word_w + 200) * t
            shine = Image.new("L", c.size, 0)
            ImageDraw.Draw(shine).polygon([(sx0, word_y - 90), (sx0 + 40, word_y - 90),
                                           (sx0 - 10, word_y + 90), (sx0 - 50, word_y + 90)], fill=150)
            a = np.asarray(c).astype("int16")
            mask = (np.asarray(shine).astype("int16") * (a[..., 3] > 200)) // 255
            for ch in range(3):
                a[..., ch] = a[..., ch] + (255 - a[..., ch]) * mask // 255
            c = Image.fromarray(a.clip(0, 255).astype("uint8"), "RGBA")
        frames.append(c)
    return frames


# ---------------------------------------------------------------- backdrops
def fond_intro():
    """FondIntro.png: sunburst behind the logo, centred on the logo's place."""
    W, H = 1920, 1080
    p = Pic(W, H, s=1, bg=(255, 176, 60, 255))
    im = p.im
    d = ImageDraw.Draw(im)
    cx, cy = LOGO_CX, 300
    n = 24
    for i in range(n):
        if i % 2:
            continue
        a0 = math.radians(i * 360.0 / n)
        a1 = math.radians((i + 1) * 360.0 / n)
        R = 2600
        d.polygon([(cx, cy), (cx + R * math.cos(a0), cy + R * math.sin(a0)),
                   (cx + R * math.cos(a1), cy + R * math.sin(a1))], fill=(255, 200, 80, 255))
    # glow and vignette
    yy, xx = np.mgrid[0:H, 0:W]
    r = np.sqrt((xx - cx) ** 2 + (yy - cy) ** 2) / 1100.0
    a = np.asarray(im).astype("float32")
    glow = np.clip(1 - r * 1.6, 0, 1)[..., None] * np.array([60, 50, 40])
    vig = np.clip(r - 0.55, 0, 1)[..., None] * np.array([120, 110, 90])
    a[..., :3] = a[..., :3] + glow - vig
    im = Image.fromarray(a.clip(0, 255).astype("uint8"), "RGBA")
    # the dining room of the menus below the wall, so the slide ends on the same scene
    room = ui_menu.dining_room()
    foods = (("french-fries", 120), ("hamburger", 130), ("cup-with-straw", 120), ("hot-dog", 110),
             ("pizza", 100), ("french-fries", 120), ("hamburger", 130), ("cup-with-straw", 120),
             ("hot-dog", 110), ("pizza", 100))
    for x in (150, 450, 750, 1050, 1350, 1650):
        room.rrect((x - 8, 900, x + 8, 1060), 4, (120, 120, 130, 255), outline=INK, ow=3)
        room.ellipse((x - 60, 880, x + 60, 920), KETCHUP, outline=INK, ow=5)
    low = room.result()
    im.alpha_composite(low.crop((0, 636, W, H)), (0, 636))
    # the food stands on the counter in front of the wall
    p3 = Pic(W, H, s=2)
    p3.im = im.resize((W * 2, H * 2), Image.LANCZOS)
    for i, (name, sz) in enumerate(foods):
        p3.emoji(name, 120 + i * 190, 660 + (130 - sz) / 2, sz, shadow=(0, 6, 4, 90))
    return p3.result()


def intro_picture(t=french):
    """Intro.png at (941, 0): the cabinet switched on, showing the game's title.
    The prompt 'Appuyez pour commencer' is written by the game at (1221, 750)."""
    x0, y0, x1, y1 = ui_menu.HOLE
    W, H = x1 - x0, y1 - y0
    p = Pic(W, H, s=2, bg=(40, 30, 70, 255))
    cx, cy = W / 2.0, 250
    for i in range(20):
        if i % 2:
            continue
        a0 = math.radians(i * 18)
        a1 = math.radians(i * 18 + 18)
        R = 900
        p.polygon([(cx, cy), (cx + R * math.cos(a0), cy + R * math.sin(a0)),
                   (cx + R * math.cos(a1), cy + R * math.sin(a1))], (60, 44, 100, 255))
    for k in range(40):
        rx = (k * 137) % W
        ry = (k * 71) % 520
        p.circle(rx, ry, 2 + k % 3, with_alpha(WHITE, 150))
    p.paste(mascot(300, "grin"), (cx, 210), anchor="mm", shadow=(0, 8, 6, 120))
    p.text((cx + 5, 440), "Gobbler", 120, fill=KETCHUP_DARK, stroke=8, stroke_fill=KETCHUP_DARK)
    p.text((cx, 432), "Gobbler", 120, fill=MUSTARD, stroke=8, stroke_fill=INK)
    # light band for the black prompt text (window x 1221.., y 750..790)
    px0 = 1200 - 1170
    p.rrect((px0, 568, px0 + 470, 636), 30, PAPER, outline=INK, ow=5, shadow=(0, 5, 4, 120))
    p.emoji("backhand-index-pointing-left-default", px0 + 525, 602, 60)
    return ui_menu.cabinet(screen=p.result(), title=True, t=t)


# The visible pixels of the burger before its first bite, in the sheet's first frame.
FIRST_BITE_BOX = (98, 210, 698, 895)


def build():
    bites = qz_manger()
    save(bites, "textures/Menu/QZ manger.png")
    # The burger before its first bite, alone and cut to its visible pixels: the game's first
    # picture, read in a fraction of the time the whole sheet takes. The game places it at the
    # same offset (98, 210) in the sheet's first frame.
    first = bites.crop((0, 0, 797, 939))
    assert first.getbbox() == FIRST_BITE_BOX, first.getbbox()
    save(first.crop(FIRST_BITE_BOX), "textures/Menu/QZ manger debut.png")
    save(gros_qz(), "textures/menu/gros QZ.png")
    save(fond_intro(), "textures/Menu/FondIntro.png")
    save(intro_picture(), "textures/Menu/Intro.png")
    for i, fr in enumerate(logo_frames()):
        save(fr, "textures/Logo/%d.png" % i, quantize=True)
    for code in LANGUAGES:
        build_twins(speaking(code))


def build_twins(t):
    """A language's twins of the start-up pictures that have words in them."""
    bites = qz_manger(t)
    save(bites, twin("textures/Menu/QZ manger.png", t.language))
    # cut at the French picture's box, which the game places it by; nothing of it may lie outside
    first = bites.crop((0, 0, 797, 939))
    bbox = first.getbbox()
    x0, y0, x1, y1 = FIRST_BITE_BOX
    assert bbox[0] >= x0 and bbox[1] >= y0 and bbox[2] <= x1 and bbox[3] <= y1, bbox
    save(first.crop(FIRST_BITE_BOX), twin("textures/Menu/QZ manger debut.png", t.language))
    save(intro_picture(t), twin("textures/Menu/Intro.png", t.language))
    for i, fr in enumerate(logo_frames(t)):
        if i >= FIRST_RIBBON_FRAME:
            save(fr, twin("textures/Logo/%d.png" % i, t.language), quantize=True)


if __name__ == "__main__":
    build()
