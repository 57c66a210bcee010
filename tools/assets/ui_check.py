#!/usr/bin/python3
"""Checks the interface pictures against what the game expects of them: sizes and
frame layouts, the see-through screen of the cabinet, light or dark areas under
the game's texts, logo frames that load fast, font coverage and the shader's
uniforms.  Run from the repository root after tools/assets/ui.py:

    /usr/bin/python3 tools/assets/ui_check.py
"""
import glob
import os
import subprocess
import sys
import traceback

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from words import LANGUAGES  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RES = os.path.join(ROOT, "resources")
HUD = "textures/hud/"
MENU = "textures/Menu/"


def img(rel):
    return Image.open(os.path.join(RES, rel))


def rgba(rel):
    return np.asarray(img(rel).convert("RGBA")).astype("int32")


def versions(rel):
    """The picture and its twins in every language that has one: a twin must meet everything
    the game expects of the French picture."""
    folder, name = os.path.split(rel)
    twins = [os.path.join(folder, code, name) for code in LANGUAGES]
    return [rel] + [t for t in twins if os.path.exists(os.path.join(RES, t))]


def lum(a):
    return (a[..., 0] * 299 + a[..., 1] * 587 + a[..., 2] * 114) // 1000


# exact sizes the game's texture rectangles rely on
EXACT = {
    HUD + "cursor.png": (76, 37),
    HUD + "HUD.png": (380, 1080),
    HUD + "Stars.png": (3465, 197),
    HUD + "Stars2.png": (5918, 91),
    HUD + "PauseButton.png": (86, 69),
    HUD + "OptionsButton.png": (69, 69),
    HUD + "mute button.png": (156, 39),
    HUD + "B x2.png": (80, 69),
    HUD + "Victory.png": (1920, 1080),
    HUD + "Defeat.png": (1920, 1080),
    HUD + "TimerAnim.png": (900, 91),
    HUD + "EmptyFleche.png": (40, 40),
    HUD + "FullFleche.png": (40, 40),
    HUD + "igOptions retour.png": (160, 40),
    HUD + "spat anim.png": (2856, 502),
    HUD + "IGmenu.png": (1280, 735),
    MENU + "Borne v2.png": (979, 1080),
    MENU + "FondMenu.png": (1920, 1080),
    MENU + "Fond.png": (735, 695),
    MENU + "LVL.png": (980, 280),
    MENU + "LVL2.png": (980, 280),
    MENU + "LVL3.png": (980, 280),
    MENU + "Cadenas Sheets.png": (770, 135),
    MENU + "Stars.png": (3465, 197),
    MENU + "Credits Sheets.png": (1128, 152),
    MENU + "Credits.png": (747, 2498),
    MENU + "FondIntro.png": (1920, 1080),
    MENU + "Intro.png": (979, 1080),
    MENU + "QZ manger.png": (3188, 939),
    MENU + "QZ manger debut.png": (600, 685),
    "textures/menu/gros QZ.png": (262, 248),
}
for kind in ("Frite", "Burger", "Soda"):
    for lvl in (1, 2, 3):
        EXACT[MENU + "%s %d.png" % (kind, lvl)] = (306, 158)

# files that only need to exist with a sensible size (min w, min h, max w, max h)
ROUGH = {
    HUD + "B Continuer.png": (200, 60, 420, 140),
    HUD + "PrévisuCase.png": (260, 320, 300, 360),
    HUD + "PrévisuCase2.png": (260, 300, 300, 360),
    HUD + "IGOptions.png": (600, 700, 700, 760),
    HUD + "volumeBar.png": (565, 36, 600, 60),
    HUD + "spat dialogue.png": (760, 260, 822, 320),
    MENU + "VolumeBar.png": (565, 36, 600, 60),
    MENU + "Sons + SFX.png": (400, 250, 600, 300),
    MENU + "Fleches.png": (50, 80, 90, 120),
    MENU + "CaseTuto1.png": (40, 40, 80, 80),
    MENU + "CaseTuto2.png": (40, 40, 80, 80),
    MENU + "B Reset.png": (100, 50, 140, 70),
    MENU + "Nourritours.png": (200, 200, 260, 260),
    MENU + "Clients.png": (200, 200, 260, 260),
    MENU + "Fond Shop.png": (630, 550, 660, 570),
}
for name in ("B Jouer.png", "B Shop.png", "B Options.png", "B Aide.png", "B Quitter.png"):
    ROUGH[MENU + name] = (180, 80, 260, 110)


def test_sizes():
    for rel, size in EXACT.items():
        assert img(rel).size == size, (rel, img(rel).size, size)
    for rel, (w0, h0, w1, h1) in ROUGH.items():
        w, h = img(rel).size
        assert w0 <= w <= w1 and h0 <= h <= h1, (rel, (w, h))


def test_star_frames_count_half_stars():
    for rel, fw in ((HUD + "Stars.png", 315), (HUD + "Stars2.png", 538)):
        a = rgba(rel)
        gold = (a[..., 0] > 230) & (a[..., 1] > 170) & (a[..., 2] < 140) & (a[..., 3] > 200)
        counts = [int(gold[:, k * fw:(k + 1) * fw].sum()) for k in range(11)]
        assert counts[0] == 0, (rel, counts[0])
        assert all(counts[k + 1] > counts[k] for k in range(10)), (rel, counts)
    assert np.array_equal(rgba(HUD + "Stars.png"), rgba(MENU + "Stars.png"))


def test_padlock_sheet_edge_is_clear():
    # the shop shows one rectangle past the last frame: its clamped edge must be invisible
    a = rgba(MENU + "Cadenas Sheets.png")
    assert a[:, -1, 3].max() == 0
    for k in range(7):
        assert a[:, k * 110:(k + 1) * 110, 3].max() > 0


def test_cabinet_screen_is_open_and_sides_are_not():
    x = lambda wx: wx - 941
    for rel in versions(MENU + "Borne v2.png"):
        a = rgba(rel)[..., 3]
        # the section content shows through the screen
        assert a[176:848, x(1178):x(1838)].max() == 0, rel
        # the level cards parked at x 651 and 1851 stay hidden
        assert a[:, x(1851):].min() == 255, rel
        assert a[:, :x(1166)].min() == 255, rel
        assert a[:160, :].min() == 255 and a[862:, :].min() == 255, rel
    f = rgba(MENU + "FondMenu.png")[..., 3]
    assert f[:, :941].min() == 255 and f[:, 941:].max() == 0
    for rel in versions(MENU + "Intro.png"):
        assert rgba(rel)[..., 3].min() == 255, rel


def test_text_areas_have_the_right_contrast():
    px = lambda wx: wx - 1540
    for rel in versions(HUD + "HUD.png"):
        h = rgba(rel)
        # black texts: money, objective label, wave
        assert lum(h[30:90, px(1625):px(1880)]).mean() > 200, rel
        assert lum(h[392:420, px(1572):px(1690)]).mean() > 200, rel
        assert lum(h[508:540, px(1612):px(1760)]).mean() > 200, rel
        # white review texts sit on the dark board
        assert lum(h[755:850, px(1655):px(1905)]).mean() < 90, rel
        assert lum(h[885:975, px(1655):px(1905)]).mean() < 90, rel
    for rel in versions(HUD + "Victory.png") + versions(HUD + "Defeat.png"):
        e = rgba(rel)
        for ty in (190, 430, 660, 890):
            assert lum(e[ty:ty + 110, 690:1300]).mean() > 220, (rel, ty)
        assert e[0:20, 0:600, 3].max() < 200  # the level stays visible around the board
    for rel in versions(MENU + "Intro.png"):
        c = rgba(rel)
        # the black prompt "Appuyez pour commencer" at (1221, 750)
        assert lum(c[752:786, 1221 - 941:1630 - 941]).mean() > 220, rel
    for rel in versions(MENU + "Borne v2.png"):
        b = rgba(rel)
        # heading (1221, 80) and star balance (1086, 85) are black texts
        assert lum(b[84:140, 1221 - 941:1800 - 941]).mean() > 220, rel
        assert lum(b[88:140, 1086 - 941:1125 - 941]).mean() > 200, rel


def test_twins_keep_the_french_layout():
    """Every hit box and frame rectangle is measured on the French picture, so a twin has its
    exact size and pixel format; a twin the same as its French picture would be dead weight,
    and a logo frame must load as fast as the French one. Every language has a twin of each
    picture English has one of, since a missing one would show French words."""
    def twins_of(code):
        return sorted(glob.glob(os.path.join(RES, "textures", "**", code, "*"), recursive=True))
    english = [os.path.relpath(p, RES).replace(os.sep + "en" + os.sep, os.sep + "%s" + os.sep)
               for p in twins_of("en")]
    assert len(english) > 20, len(english)
    for code in LANGUAGES:
        named = [os.path.relpath(p, RES).replace(os.sep + code + os.sep, os.sep + "%s" + os.sep)
                 for p in twins_of(code)]
        assert set(english) <= set(named), (code, sorted(set(english) - set(named)))
    for path in (p for code in LANGUAGES for p in twins_of(code)):
        french = os.path.join(os.path.dirname(os.path.dirname(path)), os.path.basename(path))
        assert os.path.exists(french), path
        with Image.open(path) as en, Image.open(french) as fr:
            assert en.size == fr.size, (path, en.size, fr.size)
            assert en.format == fr.format and (en.mode == "P") == (fr.mode == "P"), (path, en.mode)
            assert not np.array_equal(np.asarray(en.convert("RGBA")), np.asarray(fr.convert("RGBA"))), path
    for code in LANGUAGES:
        for path in glob.glob(os.path.join(RES, "textures", "Logo", code, "*.png")):
            assert os.path.getsize(path) < 120000, path


def test_tutorial_bubble_and_spatula():
    s = rgba(HUD + "spat anim.png")
    for k in range(8):
        fr = s[:, k * 357:(k + 1) * 357, 3]
        assert fr[:, :2].max() < 40 and fr[:, -2:].max() < 40, k   # nothing cut at the sides
        assert fr[-1].max() == 255                                # the handle reaches the bottom
    b = rgba(HUD + "spat dialogue.png")
    H, W = b.shape[:2]
    # text zone from x 178 to 44 px short of the right edge, vertically centred: plain paper
    # for eight lines of the size-25 text
    zone = b[H // 2 - 115:H // 2 + 115, 178:W - 44]
    assert lum(zone).min() > 200 and zone[..., 3].min() == 255


def test_logo_frames_load_fast():
    files = [os.path.join(RES, "textures", "Logo", "%d.png" % i) for i in range(95)]
    for f in files:
        im = Image.open(f)
        w, h = im.size
        assert w <= 1920 and h <= 1080
        assert w * h <= 720000, (f, im.size)          # decode time grows with pixels
        assert im.mode == "P", (f, im.mode)           # one byte a pixel to inflate
        assert os.path.getsize(f) < 120000, f
    last = np.asarray(Image.open(files[94]).convert("RGBA"))[..., 3]
    assert (last > 0).mean() > 0.1


def test_font_covers_every_language():
    # French, then the Spanish accents and opening marks.
    chars = set("éèêëàâäçôöûùüîïœÉÈÀÇÔ'’«»…" "áíóúñÁÉÍÓÚÑ¡¿")
    out = subprocess.run(["fc-query", "--format", "%{charset}", os.path.join(RES, "fonts", "SlyCooper.ttf")],
                         capture_output=True, text=True, check=True).stdout
    ranges = []
    for part in out.split():
        lo, _, hi = part.partition("-")
        ranges.append((int(lo, 16), int(hi or lo, 16)))
    missing = [c for c in chars if not any(lo <= ord(c) <= hi for lo, hi in ranges)]
    assert not missing, missing
    assert os.path.exists(os.path.join(RES, "fonts", "LICENSE-SlyCooper.txt"))


def test_shader_and_licences():
    src = open(os.path.join(RES, "shaders", "SimpleLight.frag"), encoding="utf-8").read()
    for decl in ("uniform sampler2D texture;", "uniform vec3 AmbientLight;", "uniform vec3 LightPosition;",
                 "uniform vec3 LightColor;", "uniform float LightRadius;", "gl_FragCoord", "gl_TexCoord[0]"):
        assert decl in src, decl
    lic = open(os.path.join(RES, "LICENSES.md"), encoding="utf-8").read()
    for path in glob.glob(os.path.join(ROOT, "tools", "assets", "SOURCES-*.md")):
        assert os.path.basename(path) in lic, path
    assert "Open Font License" in lic and "MIT License" in lic


def main():
    tests = [(n, f) for n, f in sorted(globals().items()) if n.startswith("test_") and callable(f)]
    passed = failed = 0
    for name, fn in tests:
        try:
            fn()
            passed += 1
        except Exception:
            failed += 1
            print("FAIL", name)
            traceback.print_exc()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
