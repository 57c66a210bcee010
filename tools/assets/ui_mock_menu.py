"""Preview of the menu screens, placed as the game places them (writes out/)."""
import os

from PIL import Image, ImageDraw

from ui_mock import OUT, load, frame, put, text, centred

BUTTONS = (("B Jouer.png", (1091, 235)), ("B Shop.png", (1091, 370)), ("B Options.png", (1091, 510)),
           ("B Aide.png", (1086, 640)), ("B Quitter.png", (1096, 770)))


def menu_base(section, heading, stars=7, hover=None, logo=True):
    scr = Image.new("RGBA", (1920, 1080), (0, 0, 0, 255))
    M = "textures/Menu/"
    put(scr, load(M + "Fond.png"), (1145, 165))
    if section:
        section(scr)
    put(scr, load(M + "Borne v2.png"), (941, 0))
    put(scr, frame(load(M + "Credits Sheets.png"), 0, 141, 152), (1071, 905))
    for i, (name, c) in enumerate(BUTTONS):
        centred(scr, load(M + name), c, 1.2 if hover == i else 1.0)
    put(scr, load(M + "FondMenu.png"), (0, 0))
    if logo and os.path.exists(os.path.join(os.path.dirname(__file__), "../../resources/textures/Logo/94.png")):
        put(scr, load("textures/Logo/94.png"), (-500, 0))
    text(scr, (1221, 80), heading, 50)
    if stars < 10:
        text(scr, (1086, 85), str(stars), 50)
    else:
        text(scr, (1081, 98), str(stars), 35)
    return scr


def level_select(scr):
    M = "textures/Menu/"
    put(scr, frame(load(M + "LVL.png"), 0, 490, 280), (1251, 270))
    put(scr, frame(load(M + "LVL2.png"), 1, 490, 280), (1851, 270))
    centred(scr, frame(load(M + "Cadenas Sheets.png"), 0, 110, 135), (2095.5, 410))
    centred(scr, load(M + "Fleches.png"), (1211, 400))
    centred(scr, load(M + "Fleches.png"), (1781, 400), -1.0)
    text(scr, (1291, 580), "              Vagues: 5\n\n        Difficulté: Facile", 30)
    text(scr, (1291, 200), " C'est l'ouverture !", 40)
    text(scr, (1891, 200), "Les choses se corsent", 40)
    text(scr, (1391, 770), "Niveau 1", 40)
    put(scr, frame(load(M + "Stars.png"), 6, 315, 197), (1584, 550), 0.5)


def options(scr):
    M = "textures/Menu/"
    put(scr, load(M + "VolumeBar.png"), (1209, 475))
    put(scr, load(M + "VolumeBar.png"), (1209, 290))
    put(scr, load(M + "Sons + SFX.png"), (1209, 190))
    put(scr, load(M + "CaseTuto1.png"), (1541, 585))
    d = ImageDraw.Draw(scr)
    for y, kx in ((300, 1209 + 275), (485, 1209 + 400)):
        d.rectangle((1216, y, kx, y + 30), fill=(0, 0, 0, 255))
        d.ellipse((kx - 25, y - 5, kx + 25, y + 45), fill=(0, 0, 0, 255))
        d.ellipse((kx - 20, y, kx + 20, y + 40), fill=(150, 150, 150, 255))
    text(scr, (1341, 605), "Tutoriel", 40)
    put(scr, load(M + "B Reset.png"), (1211, 752))
    text(scr, (1341, 760), "Suppr. partie", 40)


def shop(scr):
    M = "textures/Menu/"
    put(scr, load(M + "Fond Shop.png"), (1188, 190))
    for kind, x in (("Burger", 1193), ("Soda", 1402), ("Frite", 1616)):
        for lvl, y in ((1, 190), (2, 380), (3, 570)):
            put(scr, frame(load(M + "%s %d.png" % (kind, lvl)), 0 if lvl == 1 or kind == "Soda" and lvl == 2 else 1,
                           153, 158), (x, y))
    for (cx, cy) in ((1691, 450), (1271, 450), (1691, 645), (1271, 645), (1481, 645)):
        centred(scr, frame(load(M + "Cadenas Sheets.png"), 0, 110, 135), (cx, cy), 0.5)
    put(scr, load(M + "B Reset.png"), (1211, 752))
    text(scr, (1371, 765), "Réinitialiser", 40)


def help0(scr):
    M = "textures/Menu/"
    centred(scr, load(M + "Nourritours.png"), (1631, 450), 1.1)
    centred(scr, load(M + "Clients.png"), (1351, 450))


def main(out):
    menu_base(None, "               Menu", hover=0).convert("RGB").save(os.path.join(out, "mock_menu.png"))
    menu_base(level_select, "Sélection de niveaux").convert("RGB").save(os.path.join(out, "mock_levels.png"))
    menu_base(options, "              Options", stars=12).convert("RGB").save(os.path.join(out, "mock_options.png"))
    menu_base(shop, "           Fournisseur").convert("RGB").save(os.path.join(out, "mock_shop.png"))
    menu_base(help0, "               Aides").convert("RGB").save(os.path.join(out, "mock_help.png"))
    scr = menu_base(None, "               Menu")
    put(scr, load("textures/Menu/Credits.png").crop((0, 300, 747, 1346)), (100, 13))
    scr.convert("RGB").save(os.path.join(out, "mock_credits.png"))
    # title picture after the intro
    M = "textures/Menu/"
    scr = Image.new("RGBA", (1920, 1080), (0, 0, 0, 255))
    put(scr, load(M + "FondIntro.png"), (0, 0))
    put(scr, load(M + "FondMenu.png"), (0, 0))
    put(scr, load(M + "Intro.png"), (941, 0))
    put(scr, frame(load(M + "Credits Sheets.png"), 0, 141, 152), (1071, 905))
    text(scr, (1221, 750), "Appuyez pour commencer", 30)
    if os.path.exists(os.path.join(os.path.dirname(__file__), "../../resources/textures/Logo/94.png")):
        put(scr, load("textures/Logo/94.png"), (-500, 0))
    scr.convert("RGB").save(os.path.join(out, "mock_title.png"))
    # logo animating over the intro background
    for k in (12, 30, 45, 70, 94):
        p = os.path.join(os.path.dirname(__file__), "../../resources/textures/Logo/%d.png" % k)
        if os.path.exists(p):
            scr = load(M + "FondIntro.png")
            put(scr, load("textures/Logo/%d.png" % k), (0, 0))
            scr.convert("RGB").resize((960, 540)).save(os.path.join(out, "mock_logo_%d.png" % k))
    # splash
    scr = Image.new("RGBA", (1920, 1080), (0, 0, 0, 255))
    put(scr, frame(load(M + "QZ manger.png"), 2, 797, 939), (562, 71))
    centred(scr, load("textures/menu/gros QZ.png"), (60, 1010))
    scr.convert("RGB").save(os.path.join(out, "mock_splash.png"))


if __name__ == "__main__":
    main(OUT)
