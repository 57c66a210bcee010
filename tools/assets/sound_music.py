"""The four looping musics of the restaurant: composed from seeded random
choices over fixed chord charts, played by a little chip band (two pulse
channels, a triangle bass, a noise drum kit) and rendered into a circular
buffer, so every note tail, echo and reverb wraps from the end back into the
start and the loop point is seamless by construction."""
import numpy as np

from sound_synth import (SR, adsr, exp_decay, fft_filter, highpass_gain,
                         lowpass_gain, midi_hz, noise, normalise, pulse, reverb_ir,
                         secs, sine, triangle)

NOTE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
QUALITY = {
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "maj7": (0, 4, 7, 11),
    "m7": (0, 3, 7, 10), "6": (0, 4, 7, 9), "m6": (0, 3, 7, 9),
    "9": (0, 4, 7, 10, 14), "m9": (0, 3, 7, 10, 14), "maj9": (0, 4, 7, 11, 14),
    "sus4": (0, 5, 7), "7sus4": (0, 5, 7, 10), "dim7": (0, 3, 6, 9),
}
MAJOR = (0, 2, 4, 5, 7, 9, 11)
# a chord interval -> the same degree one semitone away (major third <-> minor
# third, and so on): the note a tune must not play against it
ALTERED = {3: 4, 4: 3, 6: 7, 8: 7, 10: 11, 11: 10, 13: 14, 14: 13}


def chord(name):
    root = NOTE[name[0]]
    rest = name[1:]
    if rest[:1] in ("#", "b"):
        root += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return root % 12, QUALITY[rest]


def chart(bars):
    """'Fmaj7 | Gm7 C7 | ...' -> list of (start beat, root pc, intervals)."""
    out = []
    for i, bar in enumerate(bars.split("|")):
        names = bar.split()
        step = 4.0 / len(names)
        for j, nm in enumerate(names):
            r, iv = chord(nm)
            out.append((i * 4.0 + j * step, r, iv))
    return out


# ---------------------------------------------------------------- instruments

def lead_voice(m, n, vel, duty=0.25, vib=0.005, rel=0.07, decay=0.18, sus=0.55):
    total = n + secs(rel)
    t = np.arange(total) / SR
    depth = vib * np.clip((t - 0.12) / 0.2, 0.0, 1.0)
    f = midi_hz(m) * (1.0 + depth * np.sin(2 * np.pi * 5.6 * t))
    env = adsr(total, a=0.004, d=decay, s=sus, r=rel, gate=n / SR)
    return pulse(f, total, duty) * env * vel


def bass_voice(m, n, vel, bite=0.22):
    total = n + secs(0.03)
    f = midi_hz(m)
    y = triangle(f, total) + bite * pulse(f, total, 0.25)
    env = adsr(total, a=0.002, d=0.22, s=0.55, r=0.03, gate=n / SR)
    return y * env * vel


def stab_voice(ms, n, vel, duty=0.5, decay=0.09, sus=0.25):
    total = n + secs(0.04)
    y = np.zeros(total)
    for k, m in enumerate(ms):
        y += pulse(midi_hz(m), total, duty, phase0=0.13 * k)
    env = adsr(total, a=0.002, d=decay, s=sus, r=0.04, gate=n / SR)
    return y * env * vel / len(ms)


def pad_voice(ms, n, vel):
    total = n + secs(0.12)
    y = np.zeros(total)
    for k, m in enumerate(ms):
        y += triangle(midi_hz(m), total, 0.21 * k) + 0.15 * pulse(midi_hz(m) * 1.002, total, 0.5)
    env = adsr(total, a=0.06, d=0.4, s=0.7, r=0.12, gate=n / SR)
    return y * env * vel / len(ms)


def arp_voice(m, n, vel):
    total = n + secs(0.02)
    env = adsr(total, a=0.001, d=0.05, s=0.2, r=0.02, gate=n / SR)
    return pulse(midi_hz(m), total, 0.125) * env * vel


class Kit:
    """Noise and triangle drums, a few pre-rendered variants of each."""

    def __init__(self, rng):
        self.rng = rng
        self.sounds = {k: [getattr(self, "_" + k)() for _ in range(3)]
                       for k in ("kick", "snare", "hat", "ohat", "shaker", "rim",
                                 "clap", "tomh", "toml", "crash")}

    def get(self, name, i):
        v = self.sounds[name]
        return v[i % len(v)]

    def _kick(self):
        n = secs(0.28)
        t = np.arange(n) / SR
        f = 48.0 + 120.0 * np.exp(-t / 0.028)
        y = sine(f, n) * exp_decay(n, 0.12, 0.001)
        y[: secs(0.004)] += noise(secs(0.004), self.rng) * 0.3
        return y

    def _snare(self):
        n = secs(0.22)
        nz = np.diff(noise(n + 1, self.rng, hold=2))
        tone = triangle(185.0 * (1 + 0.5 * np.exp(-np.arange(n) / SR / 0.01)), n)
        return 0.55 * nz * exp_decay(n, 0.065) + 0.6 * tone * exp_decay(n, 0.035)

    def _hat(self):
        n = secs(0.06)
        nz = np.diff(np.diff(noise(n + 2, self.rng)))
        return nz * exp_decay(n, 0.012) * 0.45

    def _ohat(self):
        n = secs(0.32)
        nz = np.diff(np.diff(noise(n + 2, self.rng)))
        env = exp_decay(n, 0.09)
        env[-secs(0.02):] *= np.linspace(1, 0, secs(0.02))
        return nz * env * 0.35

    def _shaker(self):
        n = secs(0.09)
        nz = np.diff(noise(n + 1, self.rng))
        t = np.arange(n) / SR
        env = np.minimum(t / 0.018, 1.0) * np.exp(-np.maximum(t - 0.018, 0) / 0.025)
        return nz * env * 0.45

    def _rim(self):
        n = secs(0.06)
        y = pulse(1650.0, n, 0.5) * 0.4 + sine(820.0, n)
        return y * exp_decay(n, 0.011) * 0.7

    def _clap(self):
        n = secs(0.25)
        nz = fft_filter(noise(n, self.rng), lambda f: np.exp(-((f - 1400) / 900) ** 2))
        env = np.zeros(n)
        t = np.arange(n) / SR
        for k in range(3):
            t0 = k * 0.011
            env += (t >= t0) * np.exp(-np.maximum(t - t0, 0) / 0.006) * 0.7
        env += (t >= 0.033) * np.exp(-np.maximum(t - 0.033, 0) / 0.07)
        return nz * env * 1.6

    def _tomh(self):
        return self._tom(210.0)

    def _toml(self):
        return self._tom(140.0)

    def _tom(self, f0):
        n = secs(0.25)
        t = np.arange(n) / SR
        f = f0 * (1.0 + 0.6 * np.exp(-t / 0.04))
        return triangle(f, n) * exp_decay(n, 0.12) * 0.9

    def _crash(self):
        n = secs(1.6)
        nz = np.diff(np.diff(noise(n + 2, self.rng)))
        env = exp_decay(n, 0.45, 0.002)
        env[-secs(0.05):] *= np.linspace(1, 0, secs(0.05))
        return nz * env * 0.22


# ---------------------------------------------------------------- song buffer

def largest_factor(n):
    f, p = 1, 2
    while p * p <= n:
        while n % p == 0:
            n //= p
            f = p
        p += 1
    return max(f, n)


def smooth_near(x, reach=80):
    """The integer nearest x whose prime factors are all 7 or less."""
    c = int(round(x))
    for d in range(reach):
        for n in (c - d, c + d):
            if largest_factor(n) <= 7:
                return n
    return c


class Song:
    def __init__(self, bpm, bars, seed, swing=0.5):
        # a whole number of samples per beat, chosen near the tempo with only
        # small prime factors: the loop is then exactly bars x beat long and
        # the FFTs over the whole loop stay fast
        self.spb = smooth_near(SR * 60.0 / bpm)
        self.beat = self.spb / SR
        self.bars = bars
        self.beats = bars * 4
        self.L = self.beats * self.spb
        self.swing = swing
        self.rng = np.random.default_rng(seed)
        self.kit = Kit(np.random.default_rng(seed + 1000))
        self.buses = {}
        self.hits = 0

    def pos(self, beat):
        i = np.floor(beat)
        f = beat - i
        if self.swing != 0.5:
            f = f * 2 * self.swing if f < 0.5 else self.swing + (f - 0.5) * 2 * (1 - self.swing)
        return int(round((i + f) * self.spb))

    def span(self, beat, dur):
        return max(1, self.pos(beat + dur) - self.pos(beat))

    def put(self, bus, beat, sig):
        if bus not in self.buses:
            self.buses[bus] = np.zeros(self.L)
        b = self.buses[bus]
        s = self.pos(beat) % self.L
        while len(sig):
            k = min(len(sig), self.L - s)
            b[s:s + k] += sig[:k]
            sig = sig[k:]
            s = 0

    def drum(self, name, beat, vel=1.0, bus="drums"):
        self.hits += 1
        v = vel * (1.0 + 0.06 * (self.rng.random() - 0.5))
        self.put(bus, beat, self.kit.get(name, self.hits) * v)

    def vel(self, base):
        return base * (1.0 + 0.08 * (self.rng.random() - 0.5))


# ---------------------------------------------------------------- melody

def allowed_notes(pcs, lo=28, hi=100):
    return [m for m in range(lo, hi) if m % 12 in pcs]


def nearest(cands, target, prefer_up=True):
    best = min(cands, key=lambda m: (abs(m - target), -m if prefer_up else m))
    return best


def chord_at(ch, beat):
    cur = ch[0]
    for c in ch:
        if c[0] <= beat + 1e-6:
            cur = c
    return cur


def rand_steps(rng, count):
    steps = []
    direction = 1 if rng.random() < 0.5 else -1
    for _ in range(count):
        if rng.random() < 0.3:
            direction = -direction
        # mostly steps, some skips, the odd leap: a tune one can hum
        size = rng.choice([0, 1, 2, 3], p=[0.12, 0.52, 0.27, 0.09])
        steps.append(int(direction * size))
    return steps


def realise(rhythm, steps, ch, key, scale, start, lo, hi, offset=0.0):
    """Turn a rhythm and a contour (in scale steps) into notes that sit on the
    chord tones at the strong places of the bar."""
    scale_pcs = {(key + s) % 12 for s in scale}
    scale_notes = allowed_notes(scale_pcs)
    notes = []
    p = start
    for (b, d), st in zip(rhythm, steps):
        beat = b + offset
        idx = min(range(len(scale_notes)), key=lambda i: abs(scale_notes[i] - p))
        target = scale_notes[max(0, min(len(scale_notes) - 1, idx + st))]
        if target > hi or target < lo:
            target = scale_notes[max(0, min(len(scale_notes) - 1, idx - st))]
        _, root, iv = chord_at(ch, beat)
        strong = (abs(beat - round(beat)) < 1e-6 and round(beat) % 2 == 0) or d >= 1.0
        if strong:
            tones = allowed_notes({(root + i) % 12 for i in iv}, lo, hi + 1)
            pitch = nearest(tones, target, st >= 0)
        else:
            pitch = target
            # a chord that borrows a note from outside the key (D7's F# in F)
            # wins over the key's own version of that note (F): no sour rub
            tones_pc = {(root + i) % 12 for i in iv}
            for i in iv:
                pc = (root + i) % 12
                alt = ALTERED.get(i)
                if pc not in scale_pcs and alt is not None and pitch % 12 == (root + alt) % 12 \
                        and pitch % 12 not in tones_pc:
                    pitch += 1 if (pc - pitch) % 12 == 1 else -1
                    break
        pitch = min(max(pitch, lo), hi)
        notes.append((beat, d, pitch))
        p = pitch
    return notes


class CellDeck:
    """Deals the bar rhythms of a phrase like cards, so that neighbouring
    bars rarely repeat the same figure."""

    def __init__(self, rng, cells):
        self.rng, self.cells, self.hand = rng, cells, []

    def draw(self):
        if not self.hand:
            self.hand = list(self.rng.permutation(len(self.cells)))
        return self.cells[self.hand.pop()]


def pick_rhythm(deck, bars):
    out = []
    for i in range(bars):
        out += [(i * 4 + b, d) for b, d in deck.draw()]
    return out


def cadence_bar(deck):
    """A bar of the rhythm vocabulary, then a long note to breathe on."""
    return [(b, d) for b, d in deck.draw()] + [(4.0, 2.5)]


def phrase(rng, ch, key, scale, cells, lo, hi, plan=("A", "A", "B", "C")):
    """An 8-bar (or 2 x len(plan) bar) melody: motifs repeated over new chords
    so the tune is singable rather than a random walk."""
    motifs = {}
    notes = []
    start = (lo + hi) // 2
    deck = CellDeck(rng, cells)
    for k, tag in enumerate(plan):
        if tag == "C":
            r = cadence_bar(deck)
            st = rand_steps(rng, len(r))
            st[-1] = -1
        elif tag in motifs:
            r, st = motifs[tag]
        else:
            r = pick_rhythm(deck, 2)
            st = rand_steps(rng, len(r))
            motifs[tag] = (r, st)
        notes += realise(r, st, ch, key, scale, start, lo, hi, offset=8.0 * k)
        start = notes[-1][2]
    return notes


def harmony_of(notes, ch, lo):
    """A second voice a third or sixth under the tune, on chord tones."""
    out = []
    for b, d, p in notes:
        _, root, iv = chord_at(ch, b)
        tones = [m for m in allowed_notes({(root + i) % 12 for i in iv}, lo, p) if p - m >= 3]
        if tones:
            out.append((b, d, tones[-1]))
    return out


def voicing(root, iv, lo=55, hi=70, drop_root=True):
    ivs = list(iv)
    if drop_root and len(ivs) >= 4:
        ivs = ivs[1:]
    ms = sorted(nearest([m for m in range(lo, hi + 1) if m % 12 == (root + i) % 12] or [lo], (lo + hi) / 2)
                for i in ivs)
    return ms


# ---------------------------------------------------------------- mixing

def pan_gains(pan):
    a = (pan + 1.0) * np.pi / 4.0
    return np.cos(a) * np.sqrt(2.0), np.sin(a) * np.sqrt(2.0)


def mixdown(song, buses, reverb=0.25, seed=1):
    """buses: bus -> (gain, pan, lowpass Hz or None, reverb send, echo).

    The whole mix is done on the spectra of the circular loop: filters,
    panning, the ping-pong echo (delays of a whole loop wrap around exactly)
    and the room are products there, so one transform per bus and one back
    per channel are all it costs."""
    L = song.L
    f = np.fft.rfftfreq(L, 1.0 / SR)
    z = np.exp(-2j * np.pi * np.arange(len(f)) * song.pos(0.75) / L)
    fb = 0.38
    echo_l = fb * z / (1.0 - (fb * z) ** 2)
    echo_r = (fb * z) ** 2 / (1.0 - (fb * z) ** 2)
    out = np.zeros((2, len(f)), dtype=complex)
    send = np.zeros(len(f), dtype=complex)
    for bus, sig in sorted(song.buses.items()):
        gain, pan, lp, rsend, echo = buses[bus]
        X = np.fft.rfft(sig) * gain
        if lp:
            X *= lowpass_gain(lp, 1)(f)
        gl, gr = pan_gains(pan)
        out[0] += X * (gl + echo * echo_l)
        out[1] += X * (gr + echo * echo_r)
        send += X * rsend
    rng = np.random.default_rng(seed)
    for ch in range(2):
        ir = reverb_ir(1.4, rng, decay=0.32)
        out[ch] += reverb * send * np.fft.rfft(ir, L)
    out *= highpass_gain(35.0, 2)(f) * lowpass_gain(13000.0, 1)(f)
    return np.fft.irfft(out, L, axis=-1)


# ---------------------------------------------------------------- the songs

def _lead(song, notes, bus, **kw):
    for b, d, p in notes:
        n = song.span(b, d * 0.92)
        song.put(bus, b, lead_voice(p, n, song.vel(1.0), **kw))


def _bass_line(song, ch, pattern):
    """pattern(bar, root_midi, chord) -> [(beat in bar, dur, midi, vel)]"""
    for bar in range(song.bars):
        _, root, iv = chord_at(ch, bar * 4.0)
        r = 36 + ((root - 36) % 12)
        if r > 45:
            r -= 12
        for b, d, m, v in pattern(bar, r, (root, iv), ch):
            song.put("bass", bar * 4 + b, bass_voice(m, song.span(bar * 4 + b, d), song.vel(v)))


def song_menu():
    """Title menu: a relaxed bossa in F, like a sunny terrace before service."""
    s = Song(bpm=100, bars=32, seed=11)
    a = chart("Fmaj7 | Fmaj7 | Gm7 | C7 | Am7 | D7 | Gm7 C7 | Fmaj7")
    b = chart("Bbmaj7 | Bbm6 | Am7 | D7 | Gm7 | C7 | Fmaj7 | Gm7 C7")
    form = [a, a, b, a]
    ch = []
    for k, sec in enumerate(form):
        ch += [(t + 32.0 * k, r, iv) for t, r, iv in sec]
    cells = [
        [(0, 1.5), (1.5, 1), (2.5, 1.5)],
        [(0, 0.5), (0.5, 1), (1.5, 0.5), (2, 2)],
        [(0.5, 0.5), (1, 0.5), (1.5, 1.5), (3, 1)],
        [(0, 1), (1, 0.5), (1.5, 0.5), (2, 0.5), (2.5, 1.5)],
        [(0, 2), (2.5, 0.5), (3, 0.5), (3.5, 0.5)],
    ]
    rng = s.rng
    tune_a = phrase(rng, a, 5, MAJOR, cells, 67, 81)
    tune_b = phrase(rng, b, 5, MAJOR, cells, 65, 79, plan=("A", "B", "A", "C"))
    for k, sec in enumerate(form):
        off = 32.0 * k
        tune = tune_a if sec is a else tune_b
        notes = [(bb + off, d, p) for bb, d, p in tune]
        _lead(s, notes, "lead", duty=0.25, vib=0.006)
        if k == 3:
            _lead(s, harmony_of(notes, ch, 58), "harm", duty=0.5, vib=0.004)

    def bossa_bass(bar, r, c, ch_):
        fifth = r + 7 if r + 7 <= 47 else r - 5
        return [(0, 1.4, r, 1.0), (1.5, 0.45, fifth, 0.8), (2, 1.4, fifth, 0.9), (3.5, 0.45, r, 0.8)]
    _bass_line(s, ch, bossa_bass)

    clave = [(0, 0), (1.5, 0), (3, 0), (1, 1), (2.5, 1)]  # (beat, bar of two)
    for bar in range(s.bars):
        bridge = form[bar // 8] is b
        for bt, which in clave:
            if bar % 2 != which:
                continue
            beat = bar * 4 + bt
            _, root, iv = chord_at(ch, beat)
            if not bridge:
                s.put("comp", beat, stab_voice(voicing(root, iv, 57, 72), s.span(beat, 0.4), s.vel(0.8)))
            s.drum("rim", beat, 0.5)
        if bridge:
            # the bridge opens up: the chords ripple in soft broken eighths
            for e in range(8):
                beat = bar * 4 + e * 0.5
                _, root, iv = chord_at(ch, beat)
                tones = sorted(voicing(root, iv, 57, 74, drop_root=False))
                seq = tones + tones[-2:0:-1]
                s.put("comp", beat, arp_voice(seq[e % len(seq)], s.span(beat, 0.45), s.vel(0.85)))
        for e in range(8):
            s.drum("shaker", bar * 4 + e * 0.5, 0.55 if e % 2 else 0.35)
        s.drum("kick", bar * 4, 0.9)
        s.drum("kick", bar * 4 + 1.5, 0.5)
        s.drum("kick", bar * 4 + 2, 0.8)
        s.drum("kick", bar * 4 + 3.5, 0.5)
        if bar % 8 == 7:
            s.drum("tomh", bar * 4 + 3, 0.5)
            s.drum("toml", bar * 4 + 3.5, 0.5)
    buses = {
        "lead": (0.30, -0.15, 7000, 0.45, 0.22),
        "harm": (0.16, 0.35, 5000, 0.4, 0),
        "comp": (0.30, 0.3, 3500, 0.5, 0),
        "bass": (0.62, 0.0, None, 0.05, 0),
        "drums": (0.55, 0.1, None, 0.15, 0),
    }
    return mixdown(s, buses, reverb=0.35, seed=21)


def song_level1():
    """Map 1: a shuffling diner boogie, 12-bar blues in C."""
    s = Song(bpm=112, bars=36, seed=12, swing=0.64)
    blues = chart("C | F | C | C7 | F | F | C | A7 | Dm7 | G7 | C A7 | Dm7 G7")
    ch = []
    for k in range(3):
        ch += [(t + 48.0 * k, r, iv) for t, r, iv in blues]
    cells = [
        [(0, 0.5), (0.5, 0.5), (1, 1), (2, 0.5), (2.5, 1.5)],
        [(0, 1.5), (1.5, 0.5), (2, 0.5), (2.5, 0.5), (3, 1)],
        [(0.5, 0.5), (1, 0.5), (1.5, 0.5), (2, 2)],
        [(0, 0.5), (0.5, 0.5), (1, 0.5), (1.5, 0.5), (2, 1), (3, 0.5), (3.5, 0.5)],
    ]
    scale = (0, 2, 4, 7, 9)  # major pentatonic: bright and bluesy at once
    rng = s.rng
    tune1 = phrase(rng, blues, 0, scale, cells, 67, 81, plan=("A", "A", "B", "B", "D", "C"))
    tune2 = phrase(rng, blues, 0, scale, cells, 69, 84, plan=("A", "B", "A", "B", "D", "C"))
    for k, tune in enumerate([tune1, tune2, tune1]):
        off = 48.0 * k
        notes = [(b + off, d, p) for b, d, p in tune]
        _lead(s, notes, "lead", duty=0.5 if k == 1 else 0.25, vib=0.007)
        if k == 2:
            _lead(s, harmony_of(notes, ch, 57), "harm", duty=0.25, vib=0.005)

    def boogie(bar, r, c, ch_):
        root, iv = c
        third = 4 if 4 in iv else 3
        walk = [0, third, 7, 9, 10, 9, 7, third]
        return [(i * 0.5, 0.45, r + walk[i], 1.0 if i % 2 == 0 else 0.75) for i in range(8)]
    _bass_line(s, ch, boogie)

    for bar in range(s.bars):
        base = bar * 4
        for bt in (1, 3):
            _, root, iv = chord_at(ch, base + bt)
            s.put("comp", base + bt, stab_voice(voicing(root, iv, 58, 72), s.span(base + bt, 0.45), s.vel(0.9)))
        if bar % 2 == 1:
            _, root, iv = chord_at(ch, base + 3.5)
            s.put("comp", base + 3.5, stab_voice(voicing(root, iv, 58, 72), s.span(base + 3.5, 0.3), s.vel(0.6)))
        s.drum("kick", base, 0.9)
        s.drum("kick", base + 2, 0.8)
        s.drum("snare", base + 1, 0.75)
        s.drum("snare", base + 3, 0.8)
        for e in range(8):
            s.drum("hat", base + e * 0.5, 0.6 if e % 2 == 0 else 0.4)
        if bar % 12 == 11:
            for k, bt in enumerate((2.0, 2.5, 3.0, 3.5)):
                s.drum("snare", base + bt, 0.35 + 0.12 * k)
        if bar % 12 == 0:
            s.drum("crash", base, 0.8)
    buses = {
        "lead": (0.30, -0.2, 7000, 0.35, 0.16),
        "harm": (0.17, 0.35, 6000, 0.3, 0),
        "comp": (0.32, 0.3, 3800, 0.4, 0),
        "bass": (0.62, 0.0, None, 0.03, 0),
        "drums": (0.55, 0.05, None, 0.12, 0),
    }
    return mixdown(s, buses, reverb=0.28, seed=22)


def song_level2():
    """Map 2: busier funk in D, sixteenth hats and a bouncing bass."""
    s = Song(bpm=120, bars=40, seed=13)
    a = chart("D9 | D9 | G9 | G9 | D9 | D9 | Em7 A7 | D9 A7")
    b = chart("Gmaj7 | F#m7 | Em7 | A7 | Gmaj7 | F#m7 | Em7 | A7sus4 A7")
    form = [a, a, b, a, b]
    ch = []
    for k, sec in enumerate(form):
        ch += [(t + 32.0 * k, r, iv) for t, r, iv in sec]
    cells = [
        [(0, 0.25), (0.25, 0.5), (0.75, 0.75), (1.5, 0.5), (2, 0.25), (2.5, 1)],
        [(0, 0.75), (0.75, 0.25), (1, 0.5), (1.75, 0.75), (2.5, 0.5), (3, 0.5), (3.5, 0.5)],
        [(0.5, 0.25), (0.75, 0.25), (1, 1), (2.25, 0.25), (2.5, 0.25), (2.75, 0.75), (3.5, 0.5)],
        [(0, 1.5), (1.75, 0.25), (2, 0.5), (2.75, 0.25), (3, 1)],
    ]
    scale = (0, 2, 4, 7, 9, 11)
    rng = s.rng
    tune_a = phrase(rng, a, 2, scale, cells, 66, 81)
    tune_b = phrase(rng, b, 2, MAJOR, cells, 64, 79, plan=("A", "B", "A", "C"))
    for k, sec in enumerate(form):
        off = 32.0 * k
        tune = tune_a if sec is a else tune_b
        notes = [(bb + off, d, p) for bb, d, p in tune]
        _lead(s, notes, "lead", duty=0.125 if sec is a else 0.25, vib=0.006, decay=0.12, sus=0.5)
        if k >= 3:
            _lead(s, harmony_of(notes, ch, 57), "harm", duty=0.25, vib=0.004)

    pats = [
        [(0, 0.4, 0, 1.0), (0.75, 0.2, 12, 0.7), (1.5, 0.4, 0, 0.85), (2.5, 0.2, 10, 0.7),
         (2.75, 0.2, 12, 0.8), (3.25, 0.2, 7, 0.7), (3.5, 0.4, 0, 0.85)],
        [(0, 0.4, 0, 1.0), (0.5, 0.2, 0, 0.6), (1.25, 0.2, 12, 0.8), (1.75, 0.4, 7, 0.8),
         (2.5, 0.4, 0, 0.9), (3, 0.2, 10, 0.7), (3.5, 0.2, 12, 0.8), (3.75, 0.2, 7, 0.6)],
    ]

    def funk_bass(bar, r, c, ch_):
        return [(b, d, r + iv, v) for b, d, iv, v in pats[bar % 2]]
    _bass_line(s, ch, funk_bass)

    stabs = [0.5, 1.75, 2.5, 3.25]
    for bar in range(s.bars):
        base = bar * 4
        for bt in stabs:
            _, root, iv = chord_at(ch, base + bt)
            s.put("comp", base + bt, stab_voice(voicing(root, iv, 60, 74), s.span(base + bt, 0.22),
                                                 s.vel(0.9), duty=0.25, decay=0.05, sus=0.2))
        s.drum("kick", base, 0.95)
        s.drum("kick", base + 0.75, 0.55)
        s.drum("kick", base + 2.5, 0.8)
        s.drum("snare", base + 1, 0.8)
        s.drum("snare", base + 3, 0.85)
        s.drum("snare", base + 1.75, 0.2)
        s.drum("snare", base + 3.25, 0.18)
        if form[bar // 8] is b:
            # bridge: open hats on the offbeats lift it
            for bt in range(4):
                s.drum("ohat", base + bt + 0.5, 0.45)
                s.drum("hat", base + bt, 0.5)
        else:
            for sx in range(16):
                if sx == 14 and bar % 2 == 1:
                    s.drum("ohat", base + 3.5, 0.5)
                elif not (sx == 15 and bar % 2 == 1):
                    s.drum("hat", base + sx * 0.25, 0.55 if sx % 2 == 0 else 0.3)
        if bar % 8 == 7:
            for k, bt in enumerate((3.0, 3.25, 3.5, 3.75)):
                s.drum("tomh" if k < 2 else "toml", base + bt, 0.6)
        if bar % 8 == 0:
            s.drum("crash", base, 0.7)
    buses = {
        "lead": (0.30, -0.2, 7500, 0.3, 0.15),
        "harm": (0.16, 0.4, 6000, 0.3, 0),
        "comp": (0.36, 0.35, 4200, 0.3, 0),
        "bass": (0.62, 0.0, None, 0.0, 0),
        "drums": (0.65, 0.0, None, 0.1, 0),
    }
    return mixdown(s, buses, reverb=0.25, seed=23)


def song_level3():
    """Map 3: the dinner rush, fast disco-funk in E with a four-on-the-floor
    beat, octave bass and sparkling arpeggios."""
    s = Song(bpm=132, bars=48, seed=14)
    a = chart("E | C#m7 | F#m7 | B7 | E | C#m7 | F#m7 B7 | E")
    b = chart("Amaj7 | B7 | G#m7 | C#m7 | Amaj7 | B7 | E C#m7 | F#m7 B7")
    form = [a, b, a, b, a, a]
    ch = []
    for k, sec in enumerate(form):
        ch += [(t + 32.0 * k, r, iv) for t, r, iv in sec]
    cells = [
        [(0, 0.5), (0.5, 0.5), (1, 0.5), (1.5, 1), (2.5, 0.5), (3, 1)],
        [(0, 1), (1, 0.5), (1.5, 0.5), (2, 1.5), (3.5, 0.5)],
        [(0.5, 0.5), (1, 0.5), (1.5, 0.5), (2, 0.5), (2.5, 0.5), (3, 1)],
        [(0, 0.5), (0.5, 0.25), (0.75, 0.25), (1, 1), (2, 0.5), (2.5, 0.5), (3, 0.5), (3.5, 0.5)],
    ]
    rng = s.rng
    tune_a = phrase(rng, a, 4, MAJOR, cells, 68, 83)
    tune_b = phrase(rng, b, 4, MAJOR, cells, 66, 81, plan=("A", "B", "A", "C"))
    for k, sec in enumerate(form):
        off = 32.0 * k
        tune = tune_a if sec is a else tune_b
        notes = [(bb + off, d, p) for bb, d, p in tune]
        _lead(s, notes, "lead", duty=0.25, vib=0.006, decay=0.14)
        if k in (2, 3, 5):
            _lead(s, harmony_of(notes, ch, 59), "harm", duty=0.5, vib=0.004)

    def octave_bass(bar, r, c, ch_):
        return [(i * 0.5, 0.4, r + (12 if i % 2 else 0), 1.0 if i % 2 == 0 else 0.8) for i in range(8)]
    _bass_line(s, ch, octave_bass)

    for bar in range(s.bars):
        base = bar * 4
        _, root, iv = chord_at(ch, base)
        vc = voicing(root, iv, 59, 73)
        for bt in (0.5, 1.5, 2.5, 3.5):
            _, root2, iv2 = chord_at(ch, base + bt)
            s.put("comp", base + bt, stab_voice(voicing(root2, iv2, 59, 73), s.span(base + bt, 0.3),
                                                 s.vel(0.8), duty=0.5))
        s.put("pad", base, pad_voice(vc, s.span(base, 3.8), 0.8))
        # sixteenth arpeggio, rising then falling over the chord, on the B sections
        if form[bar // 8] is b or bar >= 32:
            tones = sorted(voicing(root, iv, 72, 88, drop_root=False))
            seq = tones + tones[-2:0:-1]
            for sx in range(16):
                beat = base + sx * 0.25
                _, r3, iv3 = chord_at(ch, beat)
                if (r3, iv3) != (root, iv):
                    tones = sorted(voicing(r3, iv3, 72, 88, drop_root=False))
                    seq = tones + tones[-2:0:-1]
                    root, iv = r3, iv3
                s.put("arp", beat, arp_voice(seq[sx % len(seq)], s.span(beat, 0.2), s.vel(0.7)))
        for bt in range(4):
            s.drum("kick", base + bt, 0.95)
            s.drum("ohat", base + bt + 0.5, 0.45)
            s.drum("hat", base + bt + 0.25, 0.25)
            s.drum("hat", base + bt + 0.75, 0.25)
        s.drum("clap", base + 1, 0.7)
        s.drum("clap", base + 3, 0.75)
        s.drum("snare", base + 1, 0.35)
        s.drum("snare", base + 3, 0.35)
        if bar % 8 == 7:
            for k in range(8):
                s.drum("snare", base + 2 + k * 0.25, 0.25 + 0.07 * k)
        if bar % 8 == 0:
            s.drum("crash", base, 0.75)
    buses = {
        "lead": (0.30, -0.2, 7500, 0.3, 0.14),
        "harm": (0.15, 0.4, 6000, 0.3, 0),
        "comp": (0.22, 0.35, 4000, 0.3, 0),
        "pad": (0.16, -0.35, 3000, 0.5, 0),
        "arp": (0.15, 0.55, 6000, 0.3, 0.3),
        "bass": (0.60, 0.0, None, 0.0, 0),
        "drums": (0.62, 0.0, None, 0.08, 0),
    }
    return mixdown(s, buses, reverb=0.22, seed=24)


MUSICS = [
    ("Menu Principal.ogg", song_menu),
    ("Niveau 1.ogg", song_level1),
    ("Niveau 2.ogg", song_level2),
    ("Niveau 3.ogg", song_level3),
]


def render(fn, target_db):
    return normalise(fn(), target_db, peak_max_db=-1.5)
