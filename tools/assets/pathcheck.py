"""Walks customers over the route pictures the way the game does and checks
that every customer reaches the way out.

Run from the repository root:  /usr/bin/python3 tools/assets/pathcheck.py
Writes debug overlays into out/overlays/ (not part of the game).
Exit status 1 when a check fails.
"""
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import maps  # noqa: E402

f32 = np.float32
A = float(f32(3.14 / 6))
C, S = math.cos(A), math.sin(A)
STEP = {0: (C, S), 1: (-C, S), 2: (C, -S), 3: (-C, -S)}
# Bachelor, Family, BigEater, BusinessMan
WALK_SPEEDS = [125, 100, 150, 200]
TYPE_NAMES = ["Bachelor", "Family", "BigEater", "BusinessMan"]
EXIT = 4

failures = []


def fail(msg):
    failures.append(msg)
    print("FAIL:", msg)


def load_classes(route):
    img = np.asarray(Image.open(os.path.join(maps.MAP_DIR, route.file)).convert("RGB"))
    if img.shape[:2] != (maps.H, maps.W):
        fail("%s is %dx%d" % (route.file, img.shape[1], img.shape[0]))
    cls = maps.classify(img)
    want = maps.classify(maps.route_image(route))
    if (cls != want).any():
        fail("%s: %d pixels read as another class than drawn" % (route.file, int((cls != want).sum())))
    # another JPEG decoder may round differently: keep a margin of 3 to the thresholds
    coloured = want >= 0
    v = img[coloured].astype(int)
    hi = v[v >= 128]
    lo = v[v < 128]
    if hi.size and hi.min() < 253 + 0 or lo.size and lo.max() > 9 - 3:
        fail("%s: band colours too close to the thresholds (%d, %d)" % (route.file, hi.min(), lo.max()))
    grey = img[~coloured].astype(int)
    if grey.size and grey.min() < 250:
        fail("%s: neutral floor not white (%d)" % (route.file, grey.min()))
    return cls


def read(cls, x, y):
    """Class under the feet; outside the picture reads as black (no change)."""
    h, w = cls.shape
    if 0 < x < w and 0 < y < h:
        return int(cls[int(y), int(x)])
    return -1


def walk(cls, x, y, direction, speed, dt, max_seconds=120.0):
    """One customer alone. Returns (exited, seconds, trail, left_image)."""
    x, y = f32(x), f32(y)
    d = float(f32(f32(speed) * f32(dt)))
    trail = [(float(x), float(y))]
    h, w = cls.shape
    left = False
    frames = int(max_seconds / dt)
    for i in range(frames):
        cx, cy = STEP[direction]
        x = f32(float(x) + d * cx)
        y = f32(float(y) + d * cy)
        trail.append((float(x), float(y)))
        if not (0 < x < w and 0 < y < h):
            left = True
        k = read(cls, x, y)
        if 0 <= k <= 3:
            direction = k
        elif k == EXIT:
            return True, (i + 1) * dt, trail, left
    return False, frames * dt, trail, left


class Walker:
    __slots__ = ("id", "x", "y", "dir", "walk", "speed", "cls", "group", "exited",
                 "stepped", "born", "route", "minx", "maxx", "miny", "maxy")


STRAY = [0, 0]
WIDE_AISLE = None


def crowd(routes_cls, schedule, gs, dt, max_seconds=240.0):
    """Several customers with the side-step rule. schedule: list of
    (time, type, route index). Returns list of problems."""
    problems = []
    pending = sorted(schedule)
    live = []  # newest first
    nid = 1
    t = 0.0
    frames = int(max_seconds / dt)
    h, w = maps.H, maps.W
    for frame in range(frames):
        t += dt
        while pending and pending[0][0] <= t:
            _, typ, ri = pending.pop(0)
            route, cls = routes_cls[ri]
            c = Walker()
            c.id = nid
            nid += 1
            c.x, c.y = f32(route.entrance_xy[0]), f32(route.entrance_xy[1])
            c.dir = route.start_dir
            c.walk = WALK_SPEEDS[typ]
            c.speed = c.walk
            c.cls = cls
            c.group = ri  # caller gives group-equal indices per group run
            c.exited = False
            c.stepped = 0
            c.born = t
            c.route = route.name
            c.minx = c.maxx = float(c.x)
            c.miny = c.maxy = float(c.y)
            live.insert(0, c)
        # side steps
        for a in live:
            a.stepped = 0
        fd = float(f32(dt))
        for a in live:
            for b in live:
                if a is b:
                    continue
                dx, dy = float(a.x) - float(b.x), float(a.y) - float(b.y)
                if math.sqrt(dx * dx + dy * dy) >= 40.0:
                    continue
                if not (0 < a.x < w and 0 < a.y < h):
                    continue
                faster = a.speed > b.speed
                slower = a.speed < b.speed
                once = False
                if a.dir in (0, 1):
                    side = 1 if faster else -1
                    once = (a.dir == 0 and not faster and not slower)
                else:
                    side = -1 if faster else 1
                    once = (a.dir == 2 and not faster and not slower)
                da = a.speed * fd
                db = b.speed * fd
                pa = read_probe(a.cls, float(a.x) + side * da * C, float(a.y))
                pb = read_probe(a.cls, float(b.x) - side * db * C, float(b.y))
                if 0 <= pa <= 3:
                    if not (once and a.stepped):
                        a.x = f32(float(a.x) + side * da * C * 0.5)
                        if once:
                            a.stepped = 1
                if 0 <= pb <= 3:
                    if not (once and b.stepped):
                        b.x = f32(float(b.x) - side * db * C * 0.5)
                        if once:
                            b.stepped = 1
        # walking
        for c in list(live):
            c.speed = c.walk * gs
            d = float(f32(f32(c.speed) * f32(dt)))
            cx, cy = STEP[c.dir]
            c.x = f32(float(c.x) + d * cx)
            c.y = f32(float(c.y) + d * cy)
            xi, yi = int(c.x), int(c.y)
            if 0 <= xi < w and 0 <= yi < h:
                STRAY[0] += 1
                if not WIDE_AISLE[yi, xi]:
                    STRAY[1] += 1
            if not (0 < c.x < w and 0 < c.y < h) and t - c.born > 0.5:
                problems.append("customer %d (%s) left the picture at (%.0f, %.0f)"
                                % (c.id, c.route, c.x, c.y))
                live.remove(c)
                continue
            k = read(c.cls, c.x, c.y)
            if 0 <= k <= 3:
                c.dir = k
            elif k == EXIT:
                live.remove(c)
        if not pending and not live:
            return problems, t
    for c in live:
        problems.append("customer %d (%s) still walking after %.0f s at (%.0f, %.0f)"
                        % (c.id, c.route, max_seconds, c.x, c.y))
    return problems, t


def read_probe(cls, x, y):
    h, w = cls.shape
    xi = int(x)  # truncation towards zero
    if x < 0 or y < 0:
        return -1
    yi = int(y)
    if 0 <= xi < w and 0 <= yi < h:
        return int(cls[yi, xi])
    return -1


def lateral_starts(route, offsets):
    """Entrance shifted across the aisle (as if pushed aside earlier)."""
    p, q = maps.to_floor(*route.entrance_xy)
    d = route.start_dir
    v = maps.DIR_VEC[d]
    p, q = p + 90 * v[0], q + 90 * v[1]
    lat = (1, 0) if d in (maps.DOWN_LEFT, maps.UP_RIGHT) else (0, 1)
    out = []
    for e in offsets:
        out.append(maps.to_screen(p + e * lat[0], q + e * lat[1]))
    return out


def ellipse_hits(px, py, size, trail):
    a, b = size[0] / 2.0, size[1] / 2.0
    for (x, y) in trail:
        if ((x - px) / a) ** 2 + ((y - py) / b) ** 2 <= 1.0:
            return True
    return False


def check_map(mapno, overlay_dir):
    routes = maps.ROUTES[mapno]
    classes = [load_classes(r) for r in routes]
    trails = []
    for route, cls in zip(routes, classes):
        worst = 0.0
        for typ, ws in enumerate(WALK_SPEEDS):
            for gs in (1, 2):
                for fps in (60, 20):
                    ok, secs, trail, left = walk(cls, route.entrance_xy[0], route.entrance_xy[1],
                                                 route.start_dir, ws * gs, 1.0 / fps)
                    if not ok:
                        fail("%s: %s at game speed %d, %d fps never reaches the way out"
                             % (route.file, TYPE_NAMES[typ], gs, fps))
                    if left:
                        fail("%s: %s at game speed %d, %d fps leaves the picture"
                             % (route.file, TYPE_NAMES[typ], gs, fps))
                    worst = max(worst, secs * gs)
                    if typ == 0 and gs == 1 and fps == 60:
                        trails.append(trail)
                        length = secs * ws
        print("  %-36s ok: walk %5.0f px, slowest %.1f s of game time" % (route.file, length, worst))
        # pushed-aside customers still find every bend
        for (sx, sy) in lateral_starts(route, (-40, -25, 25, 40)):
            for ws in (100, 400):
                for fps in (60, 20):
                    ok, secs, trail, left = walk(cls, sx, sy, route.start_dir, ws, 1.0 / fps)
                    if not ok or left:
                        fail("%s: customer started %.0f,%.0f aside at %d px/s %d fps is lost"
                             % (route.file, sx, sy, ws, fps))
    # pedestals beside the aisle and in reach of it
    for (facing, px, py) in maps.PEDESTALS[mapno]:
        hit = any(ellipse_hits(px, py, maps.RANGE_SIZES[1], tr) for tr in trails)
        if not hit:
            fail("map %d pedestal (%g, %g): level-1 range misses every route" % (mapno, px, py))
        pp, pq = maps.to_floor(px, py)
        for tr in trails:
            for (x, y) in tr[::3]:
                fp, fq = maps.to_floor(x, y)
                if abs(fp - pp) < 30 + 25 and abs(fq - pq) < 30 + 25:
                    fail("map %d pedestal (%g, %g) stands on a route at (%.0f, %.0f)"
                         % (mapno, px, py, x, y))
                    break
        if facing < 4:
            v = maps.DIR_VEC[facing]
            ap, aq = pp + 100 * v[0], pq + 100 * v[1]
            m = maps.aisle_mask(mapno, np.array([ap]), np.array([aq]), half=maps.HALF_AISLE + 15)
            if not m[0]:
                fail("map %d pedestal (%g, %g) facing %d has no aisle on that side"
                     % (mapno, px, py, facing))
    # decorations off the aisle: their foot line must stay clear
    P, Q = maps.floor_grid()
    aisle = maps.aisle_mask(mapno)
    for (name, fw, fh, kind, dx, dy) in maps.DECORATIONS[mapno]:
        x0, x1 = int(max(dx + 8, 0)), int(min(dx + fw - 8, maps.W - 1))
        yb = int(min(dy + fh - 6, maps.H - 1))
        if x1 > x0 and aisle[yb, x0:x1].any():
            fail("map %d decoration %s at (%d, %d) stands on the aisle" % (mapno, name, dx, dy))
    # crowds with side steps: the wave scripts send customers close together
    global WIDE_AISLE
    WIDE_AISLE = maps.aisle_mask(mapno, half=maps.HALF_AISLE + 12)
    groups = {1: [[0]], 2: [[0], [1]], 3: [[0, 1], [2, 3]]}[mapno]
    for grp in groups:
        sched = []
        t = 0.1
        for k in range(24):
            for j, ri in enumerate(grp):
                sched.append((t, (k * 3 + j) % 4, ri))
            t += 0.35 + 0.4 * ((k * 7) % 3)
        rc = {ri: (routes[ri], classes[ri]) for ri in grp}
        for gs in (1, 2):
            for fps in (60, 20):
                probs, secs = crowd(rc, [(tt / gs, ty, ri) for (tt, ty, ri) in sched], gs, 1.0 / fps)
                for pmsg in probs[:5]:
                    fail("map %d crowd gs %d %d fps: %s" % (mapno, gs, fps, pmsg))
        print("  crowd on %s: ok, %.2f%% of steps off the aisle"
              % (", ".join(routes[ri].file for ri in grp), 100.0 * STRAY[1] / max(1, STRAY[0])))
        if STRAY[1] > 0.01 * STRAY[0]:
            fail("map %d: pushed customers leave the aisle too often" % mapno)
        STRAY[0] = STRAY[1] = 0
    if overlay_dir:
        draw_overlay(mapno, routes, classes, trails, overlay_dir)


def draw_overlay(mapno, routes, classes, trails, overlay_dir):
    pic = os.path.join(maps.MAP_DIR, "lvl_%d.jpg" % mapno)
    if os.path.exists(pic):
        base = Image.open(pic).convert("RGB")
    else:
        base = Image.new("RGB", (maps.W, maps.H), (90, 90, 90))
    aisle = maps.aisle_mask(mapno)
    colours = {0: (0, 0, 255), 1: (255, 0, 0), 2: (255, 255, 0), 3: (0, 255, 0), 4: (255, 0, 255)}
    for ri, (route, cls) in enumerate(zip(routes, classes)):
        arr = np.asarray(base).astype(np.float32).copy()
        arr[aisle] = arr[aisle] * 0.75 + np.array([255, 255, 255]) * 0.25
        for k, col in colours.items():
            m = cls == k
            arr[m] = arr[m] * 0.35 + np.array(col) * 0.65
        img = Image.fromarray(arr.astype(np.uint8))
        dr = ImageDraw.Draw(img)
        for (facing, px, py) in maps.PEDESTALS[mapno]:
            for size, col in ((maps.RANGE_SIZES[1], (0, 200, 0)), (maps.RANGE_SIZES[3], (0, 120, 255))):
                a, b = size[0] / 2, size[1] / 2
                dr.ellipse([px - a, py - b, px + a, py + b], outline=col, width=2)
            dr.polygon([(px - 52, py), (px, py - 30), (px + 52, py), (px, py + 30)], outline=(0, 0, 0), width=3)
            if facing < 4:
                v = maps.DIR_VEC[facing]
                ex, ey = maps.to_screen(*[a + 90 * b for a, b in zip(maps.to_floor(px, py), v)])
                dr.line([px, py, ex, ey], fill=(0, 0, 0), width=5)
                dr.ellipse([ex - 6, ey - 6, ex + 6, ey + 6], fill=(0, 0, 0))
            dr.text((px - 20, py - 8), "f%d" % facing, fill=(255, 255, 255))
        for (name, fw, fh, kind, dx, dy) in maps.DECORATIONS[mapno]:
            dr.rectangle([dx, dy, dx + fw, dy + fh], outline=(255, 128, 0), width=3)
            dr.text((dx + 2, dy + 2), name[:14], fill=(255, 128, 0))
        for (sx, sy) in maps.SIGNS.get(mapno, []):
            dr.rectangle([sx - 30, sy - 52, sx + 30, sy + 52], outline=(255, 255, 0), width=3)
        for (mx, my) in maps.MOPPERS.get(mapno, []):
            dr.rectangle([mx - 56, my - 58, mx + 57, my + 59], outline=(0, 255, 255), width=3)
        tr = trails[ri]
        dr.line(tr, fill=(255, 0, 0), width=3)
        ex, ey = maps.EXITS[mapno]
        dr.ellipse([ex - 14, ey - 14, ex + 14, ey + 14], fill=(255, 0, 255), outline=(0, 0, 0), width=3)
        sx, sy = route.entrance_xy
        dr.ellipse([sx - 14, sy - 14, sx + 14, sy + 14], fill=(0, 255, 0), outline=(0, 0, 0), width=3)
        dr.rectangle([maps.HUD_X, 0, maps.W, maps.H], outline=(255, 0, 0), width=4)
        img.save(os.path.join(overlay_dir, "map%d_%s.png" % (mapno, route.file.replace(" ", "_")[:-4])))


def draw_scene(mapno, overlay_dir):
    """The room as the game shows it at the start of a level: map, door,
    pedestals, props (first frame), signs and mopping men; sorted by y."""
    img = Image.open(os.path.join(maps.MAP_DIR, "lvl_%d.jpg" % mapno)).convert("RGBA")
    md = maps.MAP_DIR
    if mapno == 1:
        door = Image.open(os.path.join(md, "door.png")).crop((0, 0, 149, 245))
        img.alpha_composite(door, (446, 0), (0, 129, 149, 245))
    ped = Image.open(os.path.join(maps.TOUR_DIR, "tour position.png"))
    for (_, px, py) in maps.PEDESTALS[mapno]:
        img.alpha_composite(ped, (int(px - 52), int(py - 30)))
    items = []
    for (name, fw, fh, kind, dx, dy) in maps.DECORATIONS[mapno]:
        top = fh if kind == 3 else 0
        items.append((dy, Image.open(os.path.join(md, name)).crop((0, top, fw, top + fh)), dx, dy))
    for (sx, sy) in maps.SIGNS.get(mapno, []):
        items.append((sy, Image.open(os.path.join(md, "sol glissant.png")), sx - 30, sy - 52))
    for (mx, my) in maps.MOPPERS.get(mapno, []):
        items.append((my, Image.open(os.path.join(md, "serpilleur.png")).crop((0, 0, 113, 117)), mx - 56, my - 58))
    for (_, im, x, y) in sorted(items, key=lambda t: t[0]):
        x, y = int(x), int(y)
        cx0, cy0 = max(0, -x), max(0, -y)
        img.alpha_composite(im, (max(x, 0), max(y, 0)), (cx0, cy0, im.width, im.height))
    img.convert("RGB").save(os.path.join(overlay_dir, "scene%d.png" % mapno))


PROP_SIZES = {
    "map/bornesprite.png": (9 * 48, 132), "map/borne.png": (9 * 48, 132),
    "map/celib borne.png": (20 * 60, 147), "map/Sprite celib commande.png": (20 * 60, 147),
    "map/gros mange.png": (12 * 172, 2 * 179), "map/gros mange seul.png": (12 * 170, 175),
    "map/tele.png": (25 * 139, 4 * 169), "map/door.png": (5 * 149, 245),
    "map/sprite poubelle face vers droite.png": (5 * 60, 112),
    "map/sprite poubelle face vers gauche.png": (5 * 60, 112),
    "map/sprite poubelle dos vers droite.png": (5 * 60, 112),
    "map/sprite poubelle dos vers gauche.png": (5 * 60, 112),
    "map/sol glissant.png": (60, 104), "map/serpilleur.png": (5 * 113, 2 * 117),
    "map/warning.png": (120, 120), "tour/tour position.png": (104, 60),
    "map/lvl_1.jpg": (1920, 1080), "map/lvl_2.jpg": (1920, 1080), "map/lvl_3.jpg": (1920, 1080),
}


def check_props():
    base = os.path.join(maps.ROOT, "resources", "textures")
    for name, size in PROP_SIZES.items():
        path = os.path.join(base, name)
        if not os.path.exists(path):
            fail("missing %s" % name)
            continue
        im = Image.open(path)
        if im.size != size:
            fail("%s is %dx%d, the game cuts it as %dx%d" % (name, im.size[0], im.size[1], size[0], size[1]))
        if name.endswith(".png") and im.mode != "RGBA":
            fail("%s has no transparency" % name)
    print("props: %d pictures checked" % len(PROP_SIZES))


def main():
    if "scene" in sys.argv:
        d = os.path.join(maps.ROOT, "out", "overlays")
        os.makedirs(d, exist_ok=True)
        for m in (1, 2, 3):
            draw_scene(m, d)
        return
    overlay_dir = os.path.join(maps.ROOT, "out", "overlays")
    os.makedirs(overlay_dir, exist_ok=True)
    only = [int(a) for a in sys.argv[1:]] or [1, 2, 3]
    check_props()
    for mapno in only:
        print("map %d" % mapno)
        check_map(mapno, overlay_dir)
    if failures:
        print("%d problem(s)" % len(failures))
        sys.exit(1)
    print("all routes ok")


if __name__ == "__main__":
    main()
