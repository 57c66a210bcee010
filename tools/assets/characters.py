#!/usr/bin/python3
"""Writes the customers, the food towers and their HUD and help pictures, and the game's icon
(the window's, under resources/, and the installed desktop icons under packaging/).

Run from the repository root: /usr/bin/python3 tools/assets/characters.py
Everything is drawn procedurally (plus a few Fluent flat emoji icons), so the
output is the same on every run.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

from characters_kit import RES, save_png, USED_EMOJI, CLEAR  # noqa: E402
import characters_people as cp  # noqa: E402
import characters_towers as ct  # noqa: E402
import characters_hud as ch  # noqa: E402
from words import speaking, languages, twin, LANGUAGES  # noqa: E402

CLIENT = os.path.join(RES, "textures", "client")
TOUR = os.path.join(RES, "textures", "tour")
HUD = os.path.join(RES, "textures", "hud")
MENU = os.path.join(RES, "textures", "Menu")
ICON = os.path.join(RES, "textures", "icon")
# The desktop's icons of an installed game (not read by the game itself).
DESKTOP_ICONS = os.path.join(os.path.dirname(RES), "packaging", "icons")

# customer key -> (body sheet, shadow, hit-effect prefix, face, help icon)
CUSTOMERS = {
    "celib": ("leCelibataire.png", "ombre celib.png", "Celibataire", "celibFace.png",
              "IconCélibataire.png"),
    "famille": ("laFamille.png", "ombre famille.png", "Famille", "familleFace.png", "IconFamille.png"),
    "gros": ("leGros.png", "ombre enrobé.png", "Enrobé", "grosFace.png", "IconGros.png"),
    "business": ("leBusinessMan.png", "ombre businessman.png", "Businessman", "businessManFace.png",
                 "IconBusinessMan.png"),
}

TOWER_FILE = {"frite": "frite", "burger": "burger", "soda": "soda"}


def customers():
    for key, (body, shadow, prefix, face, icon) in CUSTOMERS.items():
        save_png(cp.body_sheet(key), os.path.join(CLIENT, body))
        save_png(cp.shadow_sheet(key), os.path.join(CLIENT, shadow))
        save_png(cp.fries_effect_sheet(key), os.path.join(CLIENT, prefix + " frite effet.png"))
        save_png(cp.burger_effect_sheet(key), os.path.join(CLIENT, prefix + " burger effet.png"))
        save_png(cp.soda_effect_sheet(key), os.path.join(CLIENT, prefix + " soda effet.png"))
        save_png(cp.face(key), os.path.join(HUD, face))
        save_png(cp.help_icon(key), os.path.join(MENU, icon))
    save_png(cp.gauge_fill(), os.path.join(CLIENT, "satisfaction.png"))
    save_png(cp.gauge_frame(), os.path.join(CLIENT, "jauge.png"))
    save_png(Image.new("RGBA", (60, 60), CLEAR), os.path.join(HUD, "void.png"))


def towers():
    for kind in ("frite", "burger", "soda"):
        for level in (1, 2, 3):
            save_png(ct.tower_sheet(kind, level),
                     os.path.join(TOUR, "%s tower lvl_%d.png" % (TOWER_FILE[kind], level)))
            save_png(ct.range_disc(kind, level), os.path.join(TOUR, "range %s nv %d.png" % (kind, level)))
    save_png(ct.burger_shot(), os.path.join(TOUR, "burger tower shoot.png"))


def hud():
    for kind in ("frite", "burger", "soda"):
        save_png(ch.build_button(kind), os.path.join(HUD, "create %s tower.png" % kind))
    save_png(ch.sell_button(), os.path.join(HUD, "delete tower.png"))
    save_png(ch.upgrade_button(), os.path.join(HUD, "upgrade tower.png"))
    save_png(ch.info_panel(False), os.path.join(HUD, "InfoTour.png"))
    save_png(ch.info_panel(True), os.path.join(HUD, "InfoTour2.png"))
    for code in LANGUAGES:
        hud_twins(speaking(code))
    for kind, name in (("burger", "Burger.png"), ("soda", "Soda.png"), ("frite", "Frites.png")):
        save_png(ch.help_tower(kind), os.path.join(MENU, name))


def hud_twins(t):
    """A language's twins of the tower panels, whose value rows are labelled."""
    for two_columns, name in ((False, "InfoTour.png"), (True, "InfoTour2.png")):
        save_png(ch.info_panel(two_columns, t), twin(os.path.join(HUD, name), t.language))


def icons():
    # 128 px: a 256 px icon is more than one X request can carry.
    save_png(ch.game_icon(128), os.path.join(ICON, "gobbler.png"))
    for size in (64, 128, 256, 512):
        save_png(ch.game_icon(size), os.path.join(DESKTOP_ICONS, "gobbler-%d.png" % size))


def main():
    only = set(sys.argv[1:]) or {"customers", "towers", "hud", "icons"}
    twins_only = languages(sys.argv[1:])
    if "customers" in only:
        customers()
    if "towers" in only:
        towers()
    if "hud" in only:
        hud()
    if "icons" in only:
        icons()
    for code in twins_only:  # a language's twins alone
        hud_twins(speaking(code))


if __name__ == "__main__":
    main()
