"""Preview screens built from the generated pictures, placed as the game places
them, so the interface can be judged as a player sees it.  Writes into out/."""
import os
import sys

from PIL import Image, ImageDraw

from ui_common import RES, ROOT, font

OUT = os.path.join(ROOT, "out")


def load(rel):
    return Image.open(os.path.join(RES, rel)).convert("RGBA")


def frame(im, k, w, h):
    return im.crop((k * w, 0, k * w + w, h))


def put(scr, im, xy, scale=1.0, origin=(0, 0)):
    if scale != 1.0:
        im = im.resize((max(1, int(im.size[0] * abs(scale))), max(1, int(im.size[1] * abs(scale)))),
                       Image.LANCZOS)
        if scale < 0:
            im = im.transpose(Image.FLIP_LEFT_RIGHT)
    x = int(round(xy[0] - origin[0] * abs(scale)))
    y = int(round(xy[1] - origin[1] * abs(scale)))
    layer = Image.new("RGBA", scr.size, (0, 0, 0, 0))
    layer.paste(im, (x, y))
    scr.alpha_composite(layer)


def text(scr, xy, s, size, fill=(0, 0, 0, 255)):
    d = ImageDraw.Draw(scr)
    # SFML puts the top of the line box at y; the glyphs start a little lower
    d.multiline_text((xy[0], xy[1] + size * 0.18), s, font=font(size), fill=fill, anchor="la",
                     spacing=size * 0.2)


def centred(scr, im, c, scale=1.0):
    put(scr, im, c, scale, origin=(im.size[0] / 2.0, im.size[1] / 2.0))


def fake_map():
    scr = Image.new("RGBA", (1920, 1080), (70, 56, 50, 255))
    d = ImageDraw.Draw(scr)
    for y in range(0, 1080, 60):
        for x in range(0, 1920, 60):
            if (x // 60 + y // 60) % 2 == 0:
                d.rectangle((x, y, x + 59, y + 59), fill=(86, 70, 62, 255))
    d.rectangle((0, 480, 1540, 600), fill=(160, 130, 90, 255))
    return scr


def hud_screen(end=None):
    scr = fake_map()
    put(scr, load("textures/hud/HUD.png"), (1540, 0))
    text(scr, (1610, 505), "Vague : 3", 30)
    text(scr, (1570, 390), "Objectif: ", 25)
    text(scr, (1620, 25), "320", 60)
    put(scr, frame(load("textures/hud/PauseButton.png"), 0, 43, 69), (1584, 993))
    put(scr, load("textures/hud/OptionsButton.png"), (1655, 993))
    put(scr, frame(load("textures/hud/Stars.png"), 7, 315, 197), (1575, 145))
    put(scr, frame(load("textures/hud/Stars2.png"), 5, 538, 91), (1700, 385), 0.35)
    put(scr, frame(load("textures/hud/mute button.png"), 0, 78, 39), (1738, 1008))
    put(scr, load("textures/hud/B x2.png"), (1828, 993))
    # review panel
    text(scr, (1655, 755), "Pas besoin de faire la queue,\nj'ai pu manger à volonté !", 16, (255, 255, 255, 255))
    text(scr, (1655, 885), "Le Burger était vraiment\ntrès bon, les frites aussi,\net la boisson aussi !", 16, (255, 255, 255, 255))
    put(scr, frame(load("textures/hud/Stars2.png"), 8, 538, 91), (1640, 735), 0.2)
    put(scr, frame(load("textures/hud/Stars2.png"), 3, 538, 91), (1640, 865), 0.2)
    faces = []
    for n in ("familleFace", "grosFace", "celibFace", "businessManFace"):
        try:
            faces.append(load("textures/hud/%s.png" % n))
        except OSError:
            f = Image.new("RGBA", (60, 60), (0, 0, 0, 0))
            ImageDraw.Draw(f).ellipse((2, 2, 58, 58), fill=(250, 200, 150, 255), outline=(0, 0, 0, 255), width=3)
            faces.append(f)
    face = faces[0]
    put(scr, faces[2], (1570, 745))
    put(scr, faces[1], (1570, 875))
    # wave preview, map 1
    put(scr, load("textures/hud/PrévisuCase.png"), (335, 80))
    for i, (fx, fy) in enumerate(((359, 173), (359, 330), (515, 174), (518, 329))):
        put(scr, faces[i], (fx, fy), 1.2)
    for (cx, cy, s) in ((385, 260, "x 3"), (385, 298, "x 1"), (538, 260, "x 7"), (538, 298, "x 2")):
        text(scr, (cx, cy), s, 25)
    timer = load("textures/hud/TimerAnim.png")
    put(scr, frame(timer, 3, 90, 91), (481, 295), 1.0, origin=(45, 45.5))
    # map 2 style box
    put(scr, load("textures/hud/PrévisuCase2.png"), (491, 720))
    for i, (fx, fy) in enumerate(((514, 750), (514, 905), (670, 750), (670, 905))):
        put(scr, faces[i], (fx, fy), 1.2)
    for (cx, cy, s) in ((541, 840, "x 2"), (541, 875, "x 1"), (696, 840, "x 4"), (694, 875, "x 5")):
        text(scr, (cx, cy), s, 25)
    put(scr, frame(timer, 8, 90, 91), (641, 875), 1.0, origin=(45, 45.5))
    if end is not None:
        put(scr, load("textures/hud/Victory.png" if end else "textures/hud/Defeat.png"), (0, 0))
        put(scr, frame(load("textures/hud/Stars.png"), 8, 315, 197), (1475, 400), 0.7)
        put(scr, frame(load("textures/hud/Stars2.png"), 5, 538, 91), (1430, 725), 0.6)
        put(scr, load("textures/hud/B Continuer.png"), (1414, 555))
        revs = ["Je repasserai demain !", "Très animé et coloré,\nsuper repas !",
                "Pas besoin de faire la queue,\nj'ai pu manger à volonté !",
                "Très bonne nourriture,\nj'en parlerai \nau commité."]
        for i, (sy, ty) in enumerate(((160, 190), (400, 430), (630, 660), (860, 890))):
            text(scr, (690, ty), revs[i], 35)
            put(scr, frame(load("textures/hud/Stars2.png"), 6 + i, 538, 91), (680, sy), 0.3)
    put(scr, frame(load("textures/hud/cursor.png"), 0, 38, 37), (900, 500))
    return scr


def tutorial_screen():
    scr = hud_screen()
    bubble = load("textures/hud/spat dialogue.png")
    by = 1080 - bubble.size[1]
    put(scr, bubble, (178, by))
    put(scr, frame(load("textures/hud/spat anim.png"), 3, 357, 502), (0, 578))
    s = ("Grâce aux étoiles gagnées lors du premier niveau,\nnous pouvons par exemple débloquer "
         "une amélioration niveau 2 de l'une des Nourri'Tours.")
    f = font(25)
    # broken at blanks to the bubble's inner width, as the game does
    lines = []
    for line in s.split("\n"):
        cur = ""
        for word in line.split(" "):
            cand = word if not cur else cur + " " + word
            if cur and f.getlength(cand) > bubble.size[0] - 178 - 44:
                lines.append(cur)
                cand = word
            cur = cand
        lines.append(cur)
    s = "\n".join(lines)
    d = ImageDraw.Draw(scr)
    bb = d.multiline_textbbox((0, 0), s, font=f)
    text(scr, (178 + 178, by + bubble.size[1] / 2 - (bb[3] - bb[1]) / 2), s, 25)
    return scr


def ig_menu_screen(options=False):
    scr = hud_screen()
    if not options:
        put(scr, load("textures/hud/IGmenu.png").crop((0, 0, 640, 640)), (550, 130))
        for i, y in enumerate((380, 470, 565, 655)):
            put(scr, load("textures/hud/FullFleche.png" if i == 1 else "textures/hud/EmptyFleche.png"), (570, y))
        d = ImageDraw.Draw(scr)
        for (x0, x1, y0, y1) in ((15, 240, 240, 290), (15, 300, 335, 380), (15, 195, 430, 475), (15, 310, 525, 570)):
            d.rectangle((550 + x0, 130 + y0, 550 + x1, 130 + y1), outline=(0, 200, 255, 255))
    else:
        put(scr, load("textures/hud/IGOptions.png"), (550, 130))
        bar = load("textures/hud/volumeBar.png")
        put(scr, bar, (576, 669))
        put(scr, bar, (576, 482))
        put(scr, load("textures/hud/igOptions retour.png"), (795, 779))
        d = ImageDraw.Draw(scr)
        for (x, y) in ((576 + 275, 487), (576 + 400, 674)):
            d.ellipse((x - 25, y - 5 + 5 - 5, x + 25, y + 45 + 5), fill=(0, 0, 0, 255))
            d.ellipse((x - 20, y + 5 - 5, x + 20, y + 40 - 5 + 5), fill=(150, 150, 150, 255))
    return scr


def main():
    os.makedirs(OUT, exist_ok=True)
    which = sys.argv[1:] or ["hud", "end", "tuto"]
    if "hud" in which:
        hud_screen().convert("RGB").save(os.path.join(OUT, "mock_hud.png"))
    if "end" in which:
        hud_screen(True).convert("RGB").save(os.path.join(OUT, "mock_victory.png"))
        hud_screen(False).convert("RGB").save(os.path.join(OUT, "mock_defeat.png"))
    if "tuto" in which:
        tutorial_screen().convert("RGB").save(os.path.join(OUT, "mock_tutorial.png"))
    if "igmenu" in which:
        ig_menu_screen().convert("RGB").save(os.path.join(OUT, "mock_igmenu.png"))
        ig_menu_screen(True).convert("RGB").save(os.path.join(OUT, "mock_igoptions.png"))


if __name__ == "__main__":
    main()
