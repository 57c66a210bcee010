"""In-game pictures: cursor, side panel, buttons, end panels, wave preview,
countdown, in-game menu and options, tutorial spatula and its speech bubble."""
import math

from PIL import Image, ImageFilter

from ui_common import (Pic, save, hstrip, emoji, star_points, mix, with_alpha, apply_grain,
                       text_width, INK, INK_SOFT, CREAM, PAPER, KETCHUP, KETCHUP_DARK, MUSTARD,
                       MUSTARD_DARK, BUN, LETTUCE, LETTUCE_DARK, SKY, SKY_DARK, WOOD, WOOD_DARK,
                       WOOD_LIGHT, BOARD, BOARD_LIGHT, GREY, GREY_DARK, WHITE, BLACK, CLEAR)
import ui_parts as parts
from words import french, speaking, twin, LANGUAGES

HUD = "textures/hud/"


# ---------------------------------------------------------------- cursor
def cursor():
    frames = []
    for pressed in (0, 1):
        p = Pic(38, 37, s=6)
        o = 0.6 if pressed else 0.0
        k = 0.9 if pressed else 1.0
        pts = [(2, 2), (2, 29), (9, 23), (14, 34), (19.5, 31.5), (14.5, 21), (23, 21)]
        pts = [(2 + (x - 2) * k + o, 2 + (y - 2) * k + o) for x, y in pts]
        fill = BUN if pressed else MUSTARD
        p.polygon(pts, fill, outline=INK, ow=2.6, shadow=None if pressed else (1.2, 1.5, 0.8, 90))
        p.polygon([(4.5 + o, 7 + o), (4.5 + o, 17 + o), (9 + o, 12 + o)], with_alpha(WHITE, 140))
        frames.append(p.result())
    return hstrip(frames)


# ---------------------------------------------------------------- side panel
def plate(p, box, fill=CREAM, r=14, ow=4):
    p.rrect(box, r, fill, outline=INK, ow=ow, shadow=(0, 4, 3, 90))


def hud_panel(t=french):
    """HUD.png, 380 x 1080, drawn at (1540, 0): everything below is in panel pixels
    (window x - 1540)."""
    W, H = 380, 1080
    p = Pic(W, H, s=2)
    # wooden back board with planks
    p.rrect((0, -30, W + 30, H + 30), 26, WOOD, outline=INK, ow=6)
    for i, y in enumerate(range(120, H, 150)):
        p.line([(10, y), (W, y)], WOOD_DARK, 3, rounded=False)
    for x, y in ((356, 458), (24, 458), (356, 676), (24, 676)):
        p.circle(x, y, 4, WOOD_DARK)

    # money: coin + cream plate; text at window (1620, 25) size 60
    plate(p, (14, 14, 368, 106))
    p.emoji("coin", 47, 60, 56, shadow=(1, 2, 1, 80))

    # rating: stars picture at window (1575, 145) 315 x 197
    plate(p, (14, 118, 368, 350), fill=(255, 240, 205, 255))
    p.rrect((84, 126, 296, 160), 15, KETCHUP, outline=INK, ow=3)
    p.text((190, 143), t("Note"), 22, fill=WHITE, stroke=2, stroke_fill=INK)

    # objective: label at (1570, 390) size 25, stars at (1700, 385) scale 0.35
    plate(p, (14, 368, 368, 432))

    # wave: text at (1610, 505) size 30
    plate(p, (14, 484, 368, 556))
    p.emoji("busts-in-silhouette", 43, 520, 44)

    # the restaurant's neon sign between the wave and the reviews: it names the place and
    # does nothing, so it hangs flat on the wall with no bevel or drop shadow of a button
    neon_sign(p, (40, 584, 342, 670))

    # reviews: dark chalkboard; white texts at (1655, 755) and (1655, 885)
    p.rrect((8, 684, W + 30, 982), 16, BOARD, outline=INK, ow=5, shadow=(0, 4, 3, 90))
    p.rrect((70, 690, 310, 728), 12, MUSTARD, outline=INK, ow=3)
    p.text((190, 709), t("Avis clients"), 23, fill=INK)
    p.line([(24, 862), (366, 862)], BOARD_LIGHT, 3)
    for y in (745, 875):  # faint chalk frames where the faces sit
        p.rrect((26, y - 4, 98, y + 68), 12, BOARD_LIGHT)

    # buttons shelf: buttons at y 993..1062
    p.rrect((8, 986, W + 30, 1074), 14, WOOD_DARK, outline=INK, ow=5)
    img = p.result()
    return img


NEON_RED = (255, 64, 96, 255)
NEON_YELLOW = (255, 196, 40, 255)
SIGN_BACK = (34, 28, 38, 255)


def ring(p, box, r, colour, width, oval=False):
    """Only the outline of a rounded rectangle (or an oval), width pixels wide, inside box."""
    k = p.s

    def fn(d, ox, oy):
        b = [box[0] * k + ox, box[1] * k + oy, box[2] * k + ox, box[3] * k + oy]
        if oval:
            d.ellipse(b, outline=colour, width=int(width * k))
        else:
            d.rounded_rectangle(b, radius=r * k, outline=colour, width=int(width * k))
    p._shape(box, fn)


def neon(p, draw):
    """Tubes drawn by draw(layer) on a layer of p's size, lit: a wide soft glow of their own
    colour under them, then the tubes themselves."""
    layer = Pic(p.w, p.h, s=p.s)
    draw(layer)
    glow = layer.im.filter(ImageFilter.GaussianBlur(5 * p.s))
    halo = layer.im.filter(ImageFilter.GaussianBlur(12 * p.s))
    p.im.alpha_composite(halo)
    p.im.alpha_composite(glow)
    p.im.alpha_composite(glow)
    p.im.alpha_composite(layer.im)


def neon_sign(p, box):
    x0, y0, x1, y1 = box
    # two short chains from hooks in the plank seam above
    for cx in (x0 + 46, x1 - 46):
        for k in range(2):
            ring(p, (cx - 3, y0 - 14 + 7 * k, cx + 3, y0 - 4 + 7 * k), 0, GREY_DARK, 2, oval=True)
        p.circle(cx, y0 - 14, 4, GREY, outline=INK, ow=2)
    # the dark back board in a thin steel frame, screwed at the corners
    p.rrect(box, 6, SIGN_BACK, outline=GREY_DARK, ow=4)
    ring(p, (x0 + 4, y0 + 4, x1 - 4, y1 - 4), 3, INK, 2)
    for sx, sy in ((x0 + 12, y0 + 12), (x1 - 12, y0 + 12), (x0 + 12, y1 - 12), (x1 - 12, y1 - 12)):
        p.circle(sx, sy, 3, GREY)
    cy = (y0 + y1) / 2

    def tubes(q):
        # a burger drawn in yellow tube: bun dome, patty, bottom bun
        bx = x0 + 50
        q.arc((bx - 26, cy - 26, bx + 26, cy + 10), 180, 360, NEON_YELLOW, 4)
        q.line([(bx - 26, cy - 8), (bx + 26, cy - 8)], NEON_YELLOW, 4)
        q.line([(bx - 24, cy + 2), (bx + 24, cy + 2)], NEON_RED, 4)
        ring(q, (bx - 24, cy + 10, bx + 24, cy + 20), 5, NEON_YELLOW, 4)
        for dx in (-10, 2, 13):
            q.circle(bx + dx, cy - 17 + abs(dx) * 0.15, 1.6, NEON_YELLOW)
        # the name in red tube with a pale hot core
        q.text(((x0 + 90 + x1 - 10) / 2, cy + 2), "Gobbler", 38, fill=(255, 226, 232, 255),
               stroke=3, stroke_fill=NEON_RED)
    neon(p, tubes)


# ---------------------------------------------------------------- buttons
def pause_button():
    frames = []
    for state in (0, 1):
        p = Pic(43, 69, s=4)
        p.rrect((1, 1, 42, 68), 12, KETCHUP_DARK if state == 0 else LETTUCE_DARK, outline=INK, ow=3)
        p.rrect((4, 4, 39, 60), 9, KETCHUP if state == 0 else LETTUCE)
        p.rrect((8, 7, 35, 13), 3, with_alpha(WHITE, 80))
        if state == 0:
            p.rrect((10, 20, 18, 48), 3, WHITE, outline=INK, ow=2)
            p.rrect((25, 20, 33, 48), 3, WHITE, outline=INK, ow=2)
        else:
            p.polygon([(12, 20), (33, 34), (12, 48)], WHITE, outline=INK, ow=2.2)
        frames.append(p.result())
    return hstrip(frames)


def options_button():
    p = Pic(69, 69, s=4)
    p.circle(34.5, 34.5, 33, MUSTARD_DARK, outline=INK, ow=3)
    p.circle(34.5, 32.5, 28, MUSTARD)
    p.emoji("gear", 34.5, 33, 46)
    return p.result()


def speaker(p, cx, cy, k, muted):
    """A white cartoon loudspeaker; sound waves, or a red cross when muted."""
    body = [(cx - 13 * k, cy - 5 * k), (cx - 6 * k, cy - 5 * k), (cx + 3 * k, cy - 12 * k),
            (cx + 3 * k, cy + 12 * k), (cx - 6 * k, cy + 5 * k), (cx - 13 * k, cy + 5 * k)]
    p.polygon(body, WHITE, outline=INK, ow=2.2 * k)
    if muted:
        for a, b in (((cx + 8 * k, cy - 6 * k), (cx + 18 * k, cy + 6 * k)),
                     ((cx + 8 * k, cy + 6 * k), (cx + 18 * k, cy - 6 * k))):
            p.line([a, b], INK, 5 * k)
            p.line([a, b], KETCHUP, 2.4 * k)
    else:
        for r in (8, 14):
            p.arc((cx + 3 * k - r * k, cy - r * k, cx + 3 * k + r * k, cy + r * k), -50, 50, INK, 4.4 * k)
            p.arc((cx + 3 * k - r * k + 0.2, cy - r * k + 0.2, cx + 3 * k + r * k - 0.2, cy + r * k - 0.2),
                  -46, 46, WHITE, 2.0 * k)


def mute_button():
    frames = []
    for state in (0, 1):
        p = Pic(78, 39, s=4)
        p.rrect((1, 1, 77, 38), 17, SKY_DARK if state == 0 else GREY_DARK, outline=INK, ow=3)
        p.rrect((4, 4, 74, 32), 14, SKY if state == 0 else GREY)
        speaker(p, 37, 18.5, 1.05, state == 1)
        frames.append(p.result())
    return hstrip(frames)


def speed_button():
    p = Pic(80, 69, s=4)
    p.rrect((1, 1, 79, 68), 16, SKY_DARK, outline=INK, ow=3)
    p.rrect((4, 4, 76, 60), 13, SKY)
    p.rrect((10, 7, 70, 14), 4, with_alpha(WHITE, 80))
    p.text((40, 33), "x2", 40, fill=WHITE, stroke=3.5, stroke_fill=INK)
    return p.result()


def continue_button(t=french):
    return parts.button(330, 104, t("Continuer"), size=44, fill=LETTUCE, dark=LETTUCE_DARK)


# ---------------------------------------------------------------- end panels
def end_overlay(won, t=french):
    W, H = 1920, 1080
    p = Pic(W, H, s=2, bg=(20, 12, 8, 120))
    # the board
    bx0, by0, bx1, by1 = 628, 28, 1840, 1062
    p.rrect((bx0, by0, bx1, by1), 30, WOOD, outline=INK, ow=7, shadow=(0, 10, 10, 140))
    p.rrect((bx0 + 18, by0 + 18, bx1 - 18, by1 - 18), 18, (252, 236, 200, 255), outline=INK, ow=4)
    # reviews column title
    p.text((995, 88), t("Avis des clients"), 40, fill=INK)
    # four review tickets: bars at (680, 160/400/630/860), texts at (690, 190/430/660/890)
    # one ticket per customer type, in the game's type order
    names = ("Le Célibataire", "La Famille", "L'enrobé", "Le Business Man")
    for (top, bottom), name in zip(((146, 374), (386, 604), (616, 834), (846, 1032)), names):
        p.rrect((662, top, 1338, bottom), 14, PAPER, outline=INK, ow=3, shadow=(0, 3, 2, 60))
        p.text((1322, top + 24), t(name), 20, fill=(150, 120, 95, 255), anchor="rm")
    # right column
    cx = 1590
    colour = MUSTARD if won else (120, 170, 230, 255)
    title = t("Victoire !") if won else t("Défaite...")
    p.rrect((1368, 70, 1812, 190), 26, KETCHUP if won else SKY_DARK, outline=INK, ow=5,
            shadow=(0, 5, 4, 90))
    p.text((cx, 128), title, 62, fill=colour if won else WHITE, stroke=5, stroke_fill=INK)
    p.emoji("trophy" if won else "crying-face", cx, 275, 120, shadow=(0, 4, 3, 80))
    p.text((cx, 372), t("Note finale"), 30, fill=INK)
    p.text((cx, 700), t("Objectif"), 30, fill=INK)
    if won:
        p.emoji("party-popper", 1430, 270, 70)
        p.emoji("party-popper", 1752, 270, 70)
        p.emoji("hamburger", cx, 900, 150, shadow=(0, 5, 4, 80))
    else:
        p.emoji("broken-heart", cx, 900, 130, shadow=(0, 5, 4, 80))
    return p.result()


# ---------------------------------------------------------------- wave preview
def preview_box(title_top, t=french):
    """Box for the faces and counts of the coming wave.  Contents are laid out by
    the game: faces at (+24, +93) ... for the titled-at-top box, (+23, +30) ...
    for the titled-at-bottom one; the timer sits between the two columns."""
    W = 272
    H = 340 if title_top else 332
    p = Pic(W, H, s=3)
    p.rrect((3, 3, W - 5, H - 6), 22, (255, 248, 228, 255), outline=INK, ow=4, shadow=(0, 4, 3, 100))
    ty = 38 if title_top else H - 40
    p.rrect((14, ty - 24, W - 16, ty + 24), 16, KETCHUP, outline=INK, ow=3)
    p.text((W / 2 - 1, ty), t("Prochaine vague"), 23, fill=WHITE, stroke=2, stroke_fill=INK)
    # no slots for the faces: a wave shows only the customer types it brings
    return p.result()


def timer_anim():
    frames = []
    for i in range(10):
        n = 10 - i
        p = Pic(90, 91, s=4)
        cx, cy = 45, 46.5
        p.circle(cx, cy, 42, INK, shadow=(0, 2, 1.5, 90))
        p.circle(cx, cy, 38, (255, 244, 214, 255))
        # remaining time as a red pie that shrinks each second
        frac = n / 10.0
        p.pieslice((cx - 34, cy - 34, cx + 34, cy + 34), -90, -90 + 360 * frac,
                   KETCHUP if n > 3 else (255, 120, 30, 255))
        p.circle(cx, cy, 25, (255, 250, 236, 255), outline=INK, ow=2.5)
        p.rrect((cx - 8, 0, cx + 8, 9), 3, INK)  # stopwatch button
        p.text((cx, cy + 1), str(n), 30 if n < 10 else 26, fill=INK)
        frames.append(p.result())
    return hstrip(frames)


# ---------------------------------------------------------------- in-game menu
IG_W, IG_H = 640, 720


def ig_board(title, H=IG_H):
    IG_H = H
    p = Pic(IG_W, IG_H, s=2)
    p.rrect((2, 2, IG_W - 10, IG_H - 14), 26, WOOD, outline=INK, ow=6, shadow=(0, 8, 6, 120))
    p.rrect((8, 88, IG_W - 16, IG_H - 22), 18, (252, 236, 200, 255), outline=INK, ow=4)
    p.rrect((150, 14, IG_W - 170, 84), 22, KETCHUP, outline=INK, ow=5)
    p.text(((IG_W - 20) / 2.0 + 0, 49), title, 44, fill=WHITE, stroke=4, stroke_fill=INK)
    return p


IG_MENU_ITEMS = (("Reprendre", 240, 290), ("Recommencer", 335, 380), ("Options", 428, 475),
                 ("Menu", 523, 570), ("Passer le tutoriel", 618, 665))


def ig_menu_board(t, items):
    p = ig_board(t("Pause"), 640 + 95 * (items - 4))
    for label, y0, y1 in IG_MENU_ITEMS[:items]:
        p.rrect((12, y0 - 3, 368, y1 + 3), 14, PAPER, outline=INK, ow=3, shadow=(0, 3, 2, 60))
        # text kept inside each item's hover box (right edges 240, 300, 195, 310, 350)
        p.text((66, (y0 + y1) / 2.0 + 2), t(label), 30, fill=INK, anchor="lm")
    p.emoji("cook-default", 492, 360, 160, shadow=(0, 5, 4, 80))
    p.emoji("hamburger", 462, 520, 84, shadow=(0, 4, 3, 80))
    p.emoji("french-fries", 542, 510, 70, shadow=(0, 4, 3, 80))
    p.text((310, 158), t("Le service attend..."), 30, fill=INK_SOFT)
    return p.result()


def ig_menu(t=french):
    """IGmenu.png at (550, 130), two frames side by side: the menu's four items (640 x 640, clear
    below), and the same with a fifth, "Passer le tutoriel", while the first level's lesson runs
    (640 x 735).  Items (board pixels): hover boxes x 15..240/300/195/310/350, y 240..290,
    335..380, 430..475, 525..570, 620..665; arrows at board (20, 250/340/435/525/620)."""
    sheet = Image.new("RGBA", (2 * IG_W, 735), CLEAR)
    sheet.paste(ig_menu_board(t, 4), (0, 0))
    sheet.paste(ig_menu_board(t, 5), (IG_W, 0))
    return sheet


def fleche(filled):
    p = Pic(40, 40, s=5)
    if filled:
        parts.arrow_shape(p, 3, 5, 34, 30, KETCHUP, 3)
    else:
        parts.arrow_shape(p, 3, 5, 34, 30, with_alpha(PAPER, 0), 3, outline=INK)
        # outline only: redraw the inside as transparent is not possible; draw thin inner line
    return p.result()


def empty_fleche():
    p = Pic(40, 40, s=5)
    pts = _arrow_pts(3, 5, 34, 30)
    p.line(pts + [pts[0]], INK, 3)
    return p.result()


def _arrow_pts(x0, y0, w, h):
    mid = y0 + h / 2.0
    sh = h * 0.42
    hx = x0 + w * 0.48
    return [(x0, mid - sh / 2), (hx, mid - sh / 2), (hx, y0), (x0 + w, mid), (hx, y0 + h),
            (hx, mid + sh / 2), (x0, mid + sh / 2)]


def ig_options(t=french):
    """IGOptions.png at (550, 130): bars at board (26, 352) music and (26, 539) effects,
    back label at board (245, 649). The game puts the language buttons at board (26, 104) and
    the fullscreen row at (26, 166): the volumes' heading stands below them, over the volumes."""
    p = ig_board(t("Options"))
    p.line([(26, 243), (597, 243)], (232, 210, 170, 255), 3)
    p.emoji("musical-notes", 60, 312, 46)
    p.text((96, 314), t("Musique"), 38, fill=INK, anchor="lm")
    p.emoji("speaker-high-volume", 60, 499, 46)
    p.text((96, 501), t("Effets"), 38, fill=INK, anchor="lm")
    # grooves behind the bars so the board reads even before the bars are drawn
    p.rrect((20, 346, 597, 398), 16, (232, 210, 170, 255))
    p.rrect((20, 533, 597, 585), 16, (232, 210, 170, 255))
    p.text((310, 268), t("Réglez le volume"), 30, fill=INK_SOFT)
    return p.result()


def volume_bar():
    """565 x 50: a rounded groove; the first 551 pixels are the 0..100 range, the
    black fill of the menu runs inside it at (+7, +10) with height 30."""
    p = Pic(565, 50, s=3)
    p.rrect((1, 3, 564, 47), 20, WOOD_DARK, outline=INK, ow=4)
    p.rrect((6, 9, 559, 41), 14, (255, 244, 214, 255))
    for i in range(11):
        x = 7 + i * 55.1
        p.line([(x, 12), (x, 18)], (200, 170, 120, 255), 2)
    return p.result()


def retour_label(t=french):
    return parts.button(160, 40, t("Retour"), size=24, fill=MUSTARD, dark=MUSTARD_DARK,
                        text_fill=INK, stroke=0, radius=16, ow=3)


# ---------------------------------------------------------------- tutorial
SPAT_W, SPAT_H = 357, 502


def spatula_frame(i):
    """The tutorial's spatula chef: a slotted blade with a face on a wooden handle."""
    p = Pic(SPAT_W, SPAT_H, s=2)
    t = i / 8.0
    bob = 6 * math.sin(2 * math.pi * t)
    tilt = 4 * math.sin(2 * math.pi * t)
    cx = 186 + tilt
    top = 74 + bob
    # handle (bottom, to the frame's edge)
    p.rrect((cx - 24, top + 250, cx + 24, 520), 20, WOOD, outline=INK, ow=6)
    p.rrect((cx - 10, top + 262, cx - 2, 500), 4, WOOD_LIGHT)
    for y in (top + 330, top + 370):
        p.circle(cx, y, 6, WOOD_DARK)
    # neck
    p.rrect((cx - 16, top + 220, cx + 16, top + 268), 6, (170, 175, 185, 255), outline=INK, ow=5)
    # blade
    blade = [(cx - 120, top + 40), (cx - 100, top), (cx + 100, top), (cx + 120, top + 40),
             (cx + 105, top + 215), (cx + 40, top + 245), (cx - 40, top + 245), (cx - 105, top + 215)]
    p.polygon(blade, (215, 222, 232, 255), outline=INK, ow=7, shadow=(0, 6, 5, 90))
    p.polygon([(cx - 95, top + 14), (cx - 20, top + 14), (cx - 70, top + 190), (cx - 92, top + 180)],
              with_alpha(WHITE, 110))
    # red neckerchief under the blade
    p.polygon([(cx - 46, top + 236), (cx + 46, top + 236), (cx, top + 282)], KETCHUP, outline=INK, ow=5)
    p.circle(cx, top + 240, 13, KETCHUP_DARK, outline=INK, ow=4)
    # chef hat
    p.ellipse((cx - 80, top - 38, cx - 10, top + 10), WHITE, outline=INK, ow=5)
    p.ellipse((cx - 35, top - 55, cx + 40, top + 0), WHITE, outline=INK, ow=5)
    p.ellipse((cx + 10, top - 38, cx + 80, top + 10), WHITE, outline=INK, ow=5)
    p.rrect((cx - 70, top - 12, cx + 70, top + 22), 8, WHITE, outline=INK, ow=5)
    # slots (the spatula's grill lines) at the bottom of the blade
    for dx in (-54, -18, 18, 54):
        p.rrect((cx + dx - 7, top + 168, cx + dx + 7, top + 226), 7, (120, 128, 140, 255), outline=INK, ow=3)
    # face
    blink = i == 5
    for ex in (-42, 42):
        if blink:
            p.line([(cx + ex - 14, top + 92), (cx + ex + 14, top + 92)], INK, 6)
        else:
            p.ellipse((cx + ex - 16, top + 66, cx + ex + 16, top + 112), WHITE, outline=INK, ow=5)
            p.circle(cx + ex + 3, top + 94, 9, INK)
            p.circle(cx + ex + 6, top + 90, 3, WHITE)
    p.ellipse((cx - 78, top + 116, cx - 50, top + 136), (255, 150, 150, 200))
    p.ellipse((cx + 50, top + 116, cx + 78, top + 136), (255, 150, 150, 200))
    mouth_open = [0.2, 0.9, 0.5, 1.0, 0.3, 0.8, 0.4, 0.1][i]
    mh = 8 + 26 * mouth_open
    p.ellipse((cx - 30, top + 120, cx + 30, top + 128 + mh), KETCHUP_DARK, outline=INK, ow=5)
    p.ellipse((cx - 14, top + 118 + mh * 0.6, cx + 14, top + 128 + mh), (255, 120, 120, 255))
    # arms: left one waves
    wave = math.sin(2 * math.pi * t) * 30
    sx, sy = cx - 112, top + 140
    hx, hy = sx - 38, sy - 70 - wave
    p.line([(sx, sy), (sx - 30, sy - 24 - wave * 0.4), (hx, hy)], INK, 14)
    p.line([(sx, sy), (sx - 30, sy - 24 - wave * 0.4), (hx, hy)], (215, 222, 232, 255), 6)
    p.circle(hx, hy, 20, WHITE, outline=INK, ow=5)
    sx2, sy2 = cx + 112, top + 140
    p.line([(sx2, sy2), (sx2 + 40, sy2 + 40), (sx2 + 30, sy2 + 90)], INK, 14)
    p.line([(sx2, sy2), (sx2 + 40, sy2 + 40), (sx2 + 30, sy2 + 90)], (215, 222, 232, 255), 6)
    p.circle(sx2 + 30, sy2 + 92, 20, WHITE, outline=INK, ow=5)
    return p.result()


def spatula_anim():
    return hstrip([spatula_frame(i) for i in range(8)])


# The bubble ends left of the tower info panel (window x 1000) and so of the HUD, so every
# button and panel a lesson step lights stays in sight; its text wraps to the inner width.
BUBBLE_W, BUBBLE_H = 810, 300


def speech_bubble():
    """BUBBLE_W x BUBBLE_H at (178, 1080 - BUBBLE_H); the text starts 178 px in, vertically
    centred, and stays 44 px clear of the right edge."""
    W, H = BUBBLE_W, BUBBLE_H
    p = Pic(W, H, s=2)
    p.rrect((110, 12, W - 14, H - 10), 48, PAPER, outline=INK, ow=6, shadow=(0, 6, 5, 110))
    # tail towards the spatula's face (the spatula is drawn over the left part)
    p.polygon([(112, 70), (20, 20), (116, 130)], PAPER, outline=INK, ow=6)
    p.polygon([(118, 74), (40, 30), (122, 124)], PAPER)
    p.rrect((150, 21, W - 70, 29), 4, (255, 236, 200, 255))
    return p.result()


def build():
    save(cursor(), HUD + "cursor.png")
    save(hud_panel(), HUD + "HUD.png")
    stars = parts.rating_stars()
    save(stars, HUD + "Stars.png")
    save(parts.bar_stars(), HUD + "Stars2.png")
    save(pause_button(), HUD + "PauseButton.png")
    save(options_button(), HUD + "OptionsButton.png")
    save(mute_button(), HUD + "mute button.png")
    save(speed_button(), HUD + "B x2.png")
    save(end_overlay(True), HUD + "Victory.png")
    save(end_overlay(False), HUD + "Defeat.png")
    save(continue_button(), HUD + "B Continuer.png")
    save(preview_box(True), HUD + "PrévisuCase.png")
    save(preview_box(False), HUD + "PrévisuCase2.png")
    save(timer_anim(), HUD + "TimerAnim.png")
    save(ig_menu(), HUD + "IGmenu.png")
    save(empty_fleche(), HUD + "EmptyFleche.png")
    save(fleche(True), HUD + "FullFleche.png")
    save(ig_options(), HUD + "IGOptions.png")
    save(volume_bar(), HUD + "volumeBar.png")
    save(retour_label(), HUD + "igOptions retour.png")
    save(spatula_anim(), HUD + "spat anim.png")
    save(speech_bubble(), HUD + "spat dialogue.png")
    for code in LANGUAGES:
        build_twins(speaking(code))
    return stars


def build_twins(t):
    """A language's twins of the in-game pictures that have words in them."""
    def twin_of(rel):
        return twin(rel, t.language)
    save(hud_panel(t), twin_of(HUD + "HUD.png"))
    save(end_overlay(True, t), twin_of(HUD + "Victory.png"))
    save(end_overlay(False, t), twin_of(HUD + "Defeat.png"))
    save(continue_button(t), twin_of(HUD + "B Continuer.png"))
    save(preview_box(True, t), twin_of(HUD + "PrévisuCase.png"))
    save(preview_box(False, t), twin_of(HUD + "PrévisuCase2.png"))
    save(ig_menu(t), twin_of(HUD + "IGmenu.png"))
    save(ig_options(t), twin_of(HUD + "IGOptions.png"))
    save(retour_label(t), twin_of(HUD + "igOptions retour.png"))


if __name__ == "__main__":
    build()
