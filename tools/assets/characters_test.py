"""Checks of the customer, tower and tower-HUD pictures the game cuts into frames.

Run from the repository root: /usr/bin/python3 -m unittest tools/assets/characters_test.py
(or with pytest).  The game slices these sheets with fixed frame sizes, so a
picture of the wrong size or with its figure off the anchor point shows up
as a cut or floating sprite in play.
"""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageOps  # noqa: E402

from characters_kit import RES  # noqa: E402
import characters_towers as ct  # noqa: E402

CLIENT = os.path.join(RES, "textures", "client")
TOUR = os.path.join(RES, "textures", "tour")
HUD = os.path.join(RES, "textures", "hud")
MENU = os.path.join(RES, "textures", "Menu")

# body sheet, shadow, effect prefix, frame width, frame height
CUSTOMERS = [
    ("leCelibataire.png", "ombre celib.png", "Celibataire", 77, 106),
    ("laFamille.png", "ombre famille.png", "Famille", 109, 120),
    ("leGros.png", "ombre enrobé.png", "Enrobé", 98, 125),
    ("leBusinessMan.png", "ombre businessman.png", "Businessman", 87, 103),
]


def load(*parts):
    return Image.open(os.path.join(*parts)).convert("RGBA")


def cell(im, col, row, w, h):
    return im.crop((col * w, row * h, col * w + w, row * h + h))


class CustomerSheets(unittest.TestCase):
    def test_sizes_of_every_customer_picture(self):
        for body, shadow, prefix, w, h in CUSTOMERS:
            with self.subTest(body=body):
                self.assertEqual(load(CLIENT, body).size, (8 * w, 4 * h))
                rows = 4 if prefix == "Famille" else 1
                self.assertEqual(load(CLIENT, shadow).size, (w, rows * h))
                self.assertEqual(load(CLIENT, prefix + " frite effet.png").size, (3 * 129, 4 * 124))
                self.assertEqual(load(CLIENT, prefix + " burger effet.png").size, (4 * w, h))
                self.assertEqual(load(CLIENT, prefix + " soda effet.png").size, (4 * w, h))

    def test_every_walk_frame_stands_on_the_anchor(self):
        # the sprite origin is (w / 2, h): the feet must be at the bottom centre
        for body, _, _, w, h in CUSTOMERS:
            im = load(CLIENT, body)
            for row in range(4):
                for col in range(8):
                    with self.subTest(body=body, row=row, col=col):
                        bb = cell(im, col, row, w, h).getbbox()
                        self.assertIsNotNone(bb)
                        self.assertGreaterEqual(bb[3], h - 6)
                        self.assertGreaterEqual(bb[1], 1, "head touches the gauge above the cell")
                        mid = (bb[0] + bb[2]) / 2.0
                        self.assertLess(abs(mid - w / 2.0), 14)

    def test_left_rows_mirror_the_right_rows(self):
        for body, _, _, w, h in CUSTOMERS:
            im = load(CLIENT, body)
            for col in (0, 3):
                for right, left in ((0, 1), (2, 3)):
                    a = ImageOps.mirror(cell(im, col, right, w, h)).tobytes()
                    self.assertEqual(a, cell(im, col, left, w, h).tobytes(), body)

    def test_walk_cycle_moves(self):
        for body, _, _, w, h in CUSTOMERS:
            im = load(CLIENT, body)
            frames = {cell(im, c, 0, w, h).tobytes() for c in range(8)}
            self.assertGreaterEqual(len(frames), 6, body)

    def test_gauge(self):
        fill = load(CLIENT, "satisfaction.png")
        frame = load(CLIENT, "jauge.png")
        self.assertEqual(fill.size, (100, 10))
        self.assertEqual(frame.size, (104, 14))
        # the fill is cut by width: every column must be solid
        self.assertEqual(fill.getchannel("A").getextrema(), (255, 255))
        # the frame is drawn first, the fill over its see-through inside
        self.assertLess(frame.getpixel((52, 7))[3], 200)
        self.assertEqual(frame.getpixel((52, 0))[3], 255)


class TowerSheets(unittest.TestCase):
    def test_sizes(self):
        for (kind, level), (W, H, OX, OY, N, HB) in ct.CAT.items():
            rows = 2 if kind == "soda" else 4
            with self.subTest(kind=kind, level=level):
                self.assertEqual(load(TOUR, "%s tower lvl_%d.png" % (kind, level)).size, (N * W, rows * H))
                rw, rh = ct.RANGE_SIZE[(kind, level)]
                self.assertEqual(load(TOUR, "range %s nv %d.png" % (kind, level)).size, (rw, rh))
        self.assertEqual(load(TOUR, "burger tower shoot.png").size, (19, 22))

    def test_machine_base_centred_on_the_origin(self):
        for (kind, level), (W, H, OX, OY, N, HB) in ct.CAT.items():
            im = load(TOUR, "%s tower lvl_%d.png" % (kind, level))
            for row in range(1 if kind == "soda" else 4):
                with self.subTest(kind=kind, level=level, row=row):
                    c = cell(im, 0, row, W, H)
                    # the lowest opaque line is the front corner of the slab
                    alpha = c.getchannel("A")
                    bb = alpha.getbbox()
                    low = alpha.crop((0, bb[3] - 3, W, bb[3])).getbbox()
                    self.assertLess(abs((low[0] + low[2]) / 2.0 - OX), 6)
                    self.assertGreater(bb[3], OY)
                    self.assertLess(bb[3] - OY, 70)

    def test_every_firing_frame_differs_from_idle(self):
        for (kind, level), (W, H, OX, OY, N, HB) in ct.CAT.items():
            im = load(TOUR, "%s tower lvl_%d.png" % (kind, level))
            idle = cell(im, 0, 0, W, H).tobytes()
            for col in range(1, N - 1):
                with self.subTest(kind=kind, level=level, col=col):
                    self.assertNotEqual(cell(im, col, 0, W, H).tobytes(), idle)

    def test_soda_splash_row(self):
        for level in (1, 2, 3):
            W, H, OX, OY, N, HB = ct.CAT[("soda", level)]
            im = load(TOUR, "soda tower lvl_%d.png" % level)
            sizes = []
            for col in range(N):
                bb = cell(im, col, 1, W, H).getbbox()
                if col >= 4:
                    self.assertIsNone(bb, "only the first four columns hold the splash")
                    continue
                self.assertIsNotNone(bb)
                # the puddle lies on the floor around the tower's foot
                self.assertLess(abs((bb[0] + bb[2]) / 2.0 - OX), 25)
                self.assertLess(bb[1], OY)
                self.assertGreater(bb[3], OY)
                sizes.append(bb[2] - bb[0])
            self.assertEqual(sizes, sorted(sizes[:3]) + sizes[3:])

    def test_range_discs_fill_their_picture(self):
        for (kind, level), (rw, rh) in ct.RANGE_SIZE.items():
            im = load(TOUR, "range %s nv %d.png" % (kind, level))
            a = im.getchannel("A")
            self.assertGreater(a.getpixel((rw // 2, rh // 2)), 0)
            self.assertGreater(a.getpixel((1, rh // 2)), 0)
            self.assertEqual(a.getpixel((0, 0)), 0)
            self.assertLess(a.getpixel((rw // 2, rh // 2)), 200, "the disc must stay see-through")


class HudPictures(unittest.TestCase):
    def test_sizes(self):
        for name in ("create frite tower.png", "create burger tower.png", "create soda tower.png",
                     "delete tower.png", "upgrade tower.png"):
            self.assertEqual(load(HUD, name).size, (90, 90))
        self.assertEqual(load(HUD, "InfoTour.png").size, (520, 270))
        w2, h2 = load(HUD, "InfoTour2.png").size
        self.assertEqual(h2, 270)
        # drawn at x 1000; the HUD panel starts at x 1540
        self.assertLessEqual(1000 + w2, 1540)
        for name in ("celibFace.png", "familleFace.png", "grosFace.png", "businessManFace.png"):
            self.assertEqual(load(HUD, name).size, (60, 60))
        void = load(HUD, "void.png")
        self.assertEqual(void.getchannel("A").getextrema(), (0, 0))
        for name in ("Burger.png", "Soda.png", "Frites.png"):
            self.assertEqual(load(MENU, name).size, (150, 150))
        for name in ("IconCélibataire.png", "IconBusinessMan.png", "IconFamille.png", "IconGros.png"):
            self.assertEqual(load(MENU, name).size, (110, 120))

    def test_name_plate_is_dark_under_the_white_name(self):
        # name text at (10, 90) in the panel, white: its background must be dark
        for name in ("InfoTour.png", "InfoTour2.png"):
            r, g, b, a = load(HUD, name).getpixel((60, 120))
            self.assertEqual(a, 255)
            self.assertLess(r + g + b, 3 * 128)


if __name__ == "__main__":
    unittest.main()
