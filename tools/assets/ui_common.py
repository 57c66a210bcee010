"""Shared drawing kit for the interface pictures (HUD, menus, intro).

Everything is drawn supersampled (scale S) and reduced at the end, so the
flat cartoon shapes get smooth edges.  Colours, outlines and shadows are kept
in one place so every screen of the restaurant looks like the same game.
"""
import math
import os
import subprocess

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
RES = os.path.join(ROOT, "resources")
EMOJI_DIR = os.path.join(HERE, "node_modules", "fluentui-emoji", "icons", "flat")
FONT_FILE = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
CACHE = os.path.join("/tmp", "gobbler-ui-emoji-cache")

# Palette: warm fast-food colours with one dark brown outline everywhere.
INK = (59, 35, 20, 255)          # outline brown
INK_SOFT = (92, 58, 36, 255)
CREAM = (255, 246, 222, 255)
PAPER = (255, 251, 240, 255)
KETCHUP = (226, 58, 46, 255)
KETCHUP_DARK = (170, 36, 30, 255)
MUSTARD = (255, 200, 61, 255)
MUSTARD_DARK = (224, 150, 20, 255)
BUN = (240, 150, 55, 255)
LETTUCE = (108, 190, 60, 255)
LETTUCE_DARK = (62, 135, 40, 255)
SKY = (80, 180, 232, 255)
SKY_DARK = (36, 110, 170, 255)
WOOD = (160, 95, 48, 255)
WOOD_DARK = (112, 62, 30, 255)
WOOD_LIGHT = (196, 130, 72, 255)
BOARD = (44, 42, 52, 255)        # chalkboard
BOARD_LIGHT = (64, 62, 74, 255)
GREY = (150, 150, 150, 255)
GREY_DARK = (95, 95, 100, 255)
WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)
CLEAR = (0, 0, 0, 0)

USED_EMOJI = set()


def font(size):
    return ImageFont.truetype(FONT_FILE, max(1, int(round(size))))


def text_width(s, size):
    """Width in pixels of a one-line string in the game font."""
    return font(size).getlength(s)


def emoji(name, size):
    """The named Fluent flat emoji rasterised at size x size (RGBA)."""
    USED_EMOJI.add(name)
    size = int(round(size))
    os.makedirs(CACHE, exist_ok=True)
    out = os.path.join(CACHE, "%s_%d.png" % (name, size))
    if not os.path.exists(out):
        src = os.path.join(EMOJI_DIR, name + ".svg")
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), src, "-o", out], check=True)
    im = Image.open(out).convert("RGBA")
    im.load()
    return im


def grey_version(im, dark=0.75):
    """Locked look: desaturated and slightly darkened, alpha kept."""
    a = im.getchannel("A")
    g = im.convert("L").point(lambda v: int(v * dark + 30))
    out = Image.merge("RGBA", (g, g, g, a))
    return out


def with_alpha(c, a):
    return (c[0], c[1], c[2], a)


def mix(c1, c2, t):
    return tuple(int(round(c1[i] + (c2[i] - c1[i]) * t)) for i in range(4))


def star_points(cx, cy, r_out, r_in=None, n=5, rot=-90.0):
    if r_in is None:
        r_in = r_out * 0.5
    pts = []
    for i in range(n * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


class Pic:
    """A picture drawn at S times its size; coordinates are final pixels."""

    def __init__(self, w, h, s=3, bg=CLEAR):
        self.w, self.h, self.s = w, h, s
        self.im = Image.new("RGBA", (w * s, h * s), bg)

    # -- internals -------------------------------------------------------
    def _sc(self, v):
        return v * self.s

    def _composite(self, layer, x0, y0):
        """Alpha-composite layer with its top-left at scaled (x0, y0), clipped."""
        W, H = self.im.size
        lw, lh = layer.size
        cx0, cy0 = max(0, x0), max(0, y0)
        cx1, cy1 = min(W, x0 + lw), min(H, y0 + lh)
        if cx1 <= cx0 or cy1 <= cy0:
            return
        part = layer.crop((cx0 - x0, cy0 - y0, cx1 - x0, cy1 - y0))
        self.im.alpha_composite(part, dest=(cx0, cy0))

    def _shape(self, bbox, draw_fn, pad=0, shadow=None, blur=0):
        """Draw via draw_fn(draw, dx, dy) on a layer covering bbox (final px)."""
        s = self.s
        x0 = int(math.floor(bbox[0] * s)) - pad * s - 2
        y0 = int(math.floor(bbox[1] * s)) - pad * s - 2
        x1 = int(math.ceil(bbox[2] * s)) + pad * s + 2
        y1 = int(math.ceil(bbox[3] * s)) + pad * s + 2
        layer = Image.new("RGBA", (x1 - x0, y1 - y0), CLEAR)
        d = ImageDraw.Draw(layer)
        draw_fn(d, -x0, -y0)
        if blur:
            layer = layer.filter(ImageFilter.GaussianBlur(blur * s))
        self._composite(layer, x0, y0)

    def _shadowed(self, bbox, fn, shadow):
        """shadow = (dx, dy, blur, alpha) or None; fn(d, dx, dy, fill_override)."""
        if shadow:
            sdx, sdy, sblur, salpha = shadow
            sb = (bbox[0] + sdx, bbox[1] + sdy, bbox[2] + sdx, bbox[3] + sdy)

            def sh(d, ox, oy):
                fn(d, ox + sdx * self.s, oy + sdy * self.s, (0, 0, 0, salpha))
            self._shape(sb, sh, pad=int(sblur * 3) + 2, blur=sblur)
        self._shape(bbox, lambda d, ox, oy: fn(d, ox, oy, None), pad=2)

    # -- primitives (final-pixel coordinates) ----------------------------
    def rrect(self, box, r, fill, outline=None, ow=0, shadow=None):
        s = self.s

        def fn(d, ox, oy, over):
            b = [box[0] * s + ox, box[1] * s + oy, box[2] * s + ox, box[3] * s + oy]
            if over is not None:
                d.rounded_rectangle(b, radius=r * s, fill=over)
                return
            if outline is not None and ow > 0:
                d.rounded_rectangle(b, radius=r * s, fill=outline)
                i = ow * s
                b2 = [b[0] + i, b[1] + i, b[2] - i, b[3] - i]
                d.rounded_rectangle(b2, radius=max(0, (r - ow) * s), fill=fill)
            else:
                d.rounded_rectangle(b, radius=r * s, fill=fill)
        self._shadowed(box, fn, shadow)

    def ellipse(self, box, fill, outline=None, ow=0, shadow=None):
        s = self.s

        def fn(d, ox, oy, over):
            b = [box[0] * s + ox, box[1] * s + oy, box[2] * s + ox, box[3] * s + oy]
            if over is not None:
                d.ellipse(b, fill=over)
                return
            if outline is not None and ow > 0:
                d.ellipse(b, fill=outline)
                i = ow * s
                d.ellipse([b[0] + i, b[1] + i, b[2] - i, b[3] - i], fill=fill)
            else:
                d.ellipse(b, fill=fill)
        self._shadowed(box, fn, shadow)

    def circle(self, cx, cy, r, fill, outline=None, ow=0, shadow=None):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), fill, outline, ow, shadow)

    def polygon(self, pts, fill, outline=None, ow=0, shadow=None):
        """Filled polygon; the outline is drawn centred on the edge (joint-rounded)."""
        s = self.s
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        bbox = (min(xs) - ow, min(ys) - ow, max(xs) + ow, max(ys) + ow)

        def fn(d, ox, oy, over):
            P = [(x * s + ox, y * s + oy) for x, y in pts]
            if over is not None:
                d.polygon(P, fill=over)
                if outline is not None and ow > 0:
                    d.line(P + [P[0]], fill=over, width=int(ow * s), joint="curve")
                return
            d.polygon(P, fill=fill)
            if outline is not None and ow > 0:
                d.line(P + [P[0]], fill=outline, width=int(ow * s), joint="curve")
                rr = ow * s / 2.0
                for (x, y) in P:
                    d.ellipse([x - rr, y - rr, x + rr, y + rr], fill=outline)
        self._shadowed(bbox, fn, shadow)

    def line(self, pts, fill, width, rounded=True):
        s = self.s
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        bbox = (min(xs) - width, min(ys) - width, max(xs) + width, max(ys) + width)

        def fn(d, ox, oy):
            P = [(x * s + ox, y * s + oy) for x, y in pts]
            d.line(P, fill=fill, width=int(width * s), joint="curve")
            if rounded:
                rr = width * s / 2.0
                for (x, y) in (P[0], P[-1]):
                    d.ellipse([x - rr, y - rr, x + rr, y + rr], fill=fill)
        self._shape(bbox, fn)

    def arc(self, box, start, end, fill, width):
        s = self.s

        def fn(d, ox, oy):
            b = [box[0] * s + ox, box[1] * s + oy, box[2] * s + ox, box[3] * s + oy]
            d.arc(b, start, end, fill=fill, width=int(width * s))
        self._shape(box, fn, pad=int(width) + 1)

    def pieslice(self, box, start, end, fill):
        s = self.s

        def fn(d, ox, oy):
            b = [box[0] * s + ox, box[1] * s + oy, box[2] * s + ox, box[3] * s + oy]
            d.pieslice(b, start, end, fill=fill)
        self._shape(box, fn)

    def text(self, xy, s_, size, fill=INK, anchor="mm", stroke=0, stroke_fill=INK,
             shadow=None, spacing=0.25, align="center"):
        """Game-font text; anchor as Pillow ('mm' centred, 'lm' left-middle...)."""
        sc = self.s
        f = font(size * sc)
        x, y = xy
        tmp = ImageDraw.Draw(Image.new("RGBA", (1, 1)))
        bb = tmp.multiline_textbbox((x * sc, y * sc), s_, font=f, anchor=anchor,
                                    stroke_width=int(stroke * sc), spacing=spacing * size * sc,
                                    align=align)
        bbox = (bb[0] / sc, bb[1] / sc, bb[2] / sc, bb[3] / sc)

        def fn(d, ox, oy, over):
            kw = dict(font=f, anchor=anchor, spacing=spacing * size * sc, align=align)
            if over is not None:
                d.multiline_text((x * sc + ox, y * sc + oy), s_, fill=over,
                                 stroke_width=int(stroke * sc), stroke_fill=over, **kw)
                return
            d.multiline_text((x * sc + ox, y * sc + oy), s_, fill=fill,
                             stroke_width=int(stroke * sc), stroke_fill=stroke_fill, **kw)
        self._shadowed(bbox, fn, shadow)
        return bbox

    def paste(self, img, xy, size=None, anchor="lt", shadow=None):
        """Paste an RGBA image (given at final scale or rasterised at S)."""
        if size is not None and img.size != (int(size[0] * self.s), int(size[1] * self.s)):
            img = img.resize((int(size[0] * self.s), int(size[1] * self.s)), Image.LANCZOS)
        w, h = img.size
        x, y = xy[0] * self.s, xy[1] * self.s
        if anchor == "mm":
            x -= w / 2
            y -= h / 2
        x, y = int(round(x)), int(round(y))
        if shadow:
            sdx, sdy, sblur, salpha = shadow
            a = img.getchannel("A").point(lambda v: v * salpha // 255)
            sh = Image.new("RGBA", img.size, (0, 0, 0, 0))
            sh.putalpha(a)
            pad = int(sblur * 3 * self.s) + 2
            big = Image.new("RGBA", (w + 2 * pad, h + 2 * pad), CLEAR)
            big.paste(sh, (pad, pad))
            big = big.filter(ImageFilter.GaussianBlur(sblur * self.s))
            self._composite(big, x - pad + sdx * self.s, y - pad + sdy * self.s)
        self._composite(img, x, y)

    def emoji(self, name, cx, cy, size, shadow=None):
        im = emoji(name, size * self.s)
        self.paste(im, (cx, cy), anchor="mm", shadow=shadow)

    def result(self):
        if self.s == 1:
            return self.im.copy()
        return self.im.resize((self.w, self.h), Image.LANCZOS)


def save(img, relpath, quantize=False):
    """Write a PNG under resources/ (deterministic, optimised)."""
    path = os.path.join(RES, relpath)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if quantize:
        img = quantize_rgba(img)
    img.save(path, optimize=True)
    return path


def quantize_rgba(img, colors=256):
    """Palette PNG with per-entry alpha: small files that decode fast."""
    q = img.quantize(colors=colors, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
    return q


def hstrip(frames):
    """Frames side by side, left to right."""
    w = sum(f.size[0] for f in frames)
    h = max(f.size[1] for f in frames)
    out = Image.new("RGBA", (w, h), CLEAR)
    x = 0
    for f in frames:
        out.paste(f, (x, 0))
        x += f.size[0]
    return out


def noise_texture(w, h, seed, amount=10, scale=1):
    """Deterministic soft grain (L image centred on 128) for wood, paper, walls."""
    import numpy as np
    rng = np.random.default_rng(seed)
    n = rng.normal(128, amount, (h // scale + 1, w // scale + 1)).clip(0, 255).astype("uint8")
    im = Image.fromarray(n, "L")
    if scale > 1:
        im = im.resize((w, h), Image.BILINEAR)
    return im.crop((0, 0, w, h))


def apply_grain(img, seed, amount=8, scale=2, mask=None):
    """Adds a gentle grain to an RGBA picture, keeping its alpha."""
    import numpy as np
    arr = np.asarray(img).astype("int16")
    n = np.asarray(noise_texture(img.size[0], img.size[1], seed, amount, scale)).astype("int16") - 128
    if mask is not None:
        n = (n * (np.asarray(mask).astype("int16")) // 255)
    arr[..., :3] = (arr[..., :3] + n[..., None]).clip(0, 255)
    return Image.fromarray(arr.astype("uint8"), "RGBA")


def outlined(img, width, colour=INK):
    """Sticker look for an emoji: a solid outline of `width` px around its shape."""
    pad = width + 2
    big = Image.new("RGBA", (img.size[0] + 2 * pad, img.size[1] + 2 * pad), CLEAR)
    big.paste(img, (pad, pad))
    a = big.getchannel("A").point(lambda v: 255 if v > 60 else 0)
    # a blur then a low threshold grows the shape by about `width` with round corners
    grown = a.filter(ImageFilter.GaussianBlur(width / 2.0)).point(lambda v: 255 if v > 6 else 0)
    grown = grown.filter(ImageFilter.GaussianBlur(0.8))
    base = Image.new("RGBA", big.size, colour)
    base.putalpha(grown)
    base.alpha_composite(big)
    return base
