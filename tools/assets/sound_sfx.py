"""Short effects of the game: tower shots, hits, interface blips, jingles,
the crowd at the end of a level and the crunchy bites of the splash.
Each function returns a mono float array at 44.1 kHz; every one draws its
randomness from its own fixed seed."""
import numpy as np

from sound_synth import (SR, adsr, bandpass_gain, exp_decay, fade, fft_filter,
                         lowpass_gain, midi_hz, noise, onepole_lp,
                         pulse, reverb_ir, convolve, saw, secs, sine, svf_bandpass,
                         triangle)


def _rng(seed):
    return np.random.default_rng(seed)


def _mix(total, parts):
    """parts: (start seconds, signal) -> one buffer long enough for all."""
    n = max(secs(total), max(secs(t) + len(x) for t, x in parts))
    y = np.zeros(n)
    for t, x in parts:
        s = secs(t)
        y[s:s + len(x)] += x
    return y


def _room(x, seed, amount=0.15, size=0.6, decay=0.18):
    ir = reverb_ir(size, _rng(seed), decay=decay)
    wet = convolve(x, ir)
    y = np.zeros(len(wet))
    y[:len(x)] += x
    return y + amount * wet


def _soften(x, fc=7000.0):
    """Round off the top of the square waves so the blips do not hiss."""
    return fft_filter(x, lowpass_gain(fc, 1))


def _note(m, dur, duty=0.25, a=0.004, d=0.1, s=0.6, r=0.05, vib=0.0, wave="pulse"):
    n = secs(dur)
    t = np.arange(n) / SR
    f = midi_hz(m) * (1.0 + vib * np.sin(2 * np.pi * 6.0 * t) * np.clip((t - 0.1) / 0.2, 0, 1))
    if wave == "pulse":
        y = pulse(f, n, duty)
    elif wave == "tri":
        y = triangle(f, n)
    else:
        y = 0.6 * pulse(f, n, duty) + 0.7 * triangle(f, n)
    return y * adsr(n, a=a, d=d, s=s, r=r)


# ---------------------------------------------------------------- interface

def click():
    """Pressing a pedestal or a tower: a short wooden 'tock' with a bright tick."""
    n = secs(0.09)
    t = np.arange(n) / SR
    tock = sine(950.0 * (1 + 0.5 * np.exp(-t / 0.004)), n) * exp_decay(n, 0.018, 0.0005)
    tick = pulse(2400.0, n, 0.5) * exp_decay(n, 0.004, 0.0002) * 0.35
    body = triangle(520.0, n) * exp_decay(n, 0.03, 0.001) * 0.35
    return fade(tock + tick + body, 0.0, 0.01)


def countdown_beep():
    """One step of the wave countdown: a clean, short two-layer beep."""
    n = secs(0.16)
    y = 0.6 * pulse(midi_hz(81), n, 0.5) + 0.5 * triangle(midi_hz(93), n)
    return fade(_soften(y * adsr(n, a=0.002, d=0.05, s=0.55, r=0.05)), 0.0, 0.005)


def refusal():
    """A price the till cannot pay: two short low blips stepping down, soft and dull, so that
    a few in a row never grate."""
    parts = []
    for j, m in enumerate((55, 50)):
        x = _note(m, 0.07, duty=0.5, a=0.002, d=0.03, s=0.5, r=0.02, wave="mix")
        parts.append((j * 0.08, x))
    return fade(fft_filter(_mix(0.17, parts), lowpass_gain(2500.0, 1)), 0.0, 0.01)


def path_alert():
    """The mop is put away: two quick high-low pairs of warning beeps."""
    parts = []
    for k in range(2):
        for j, m in enumerate((88, 81)):
            x = _note(m, 0.11, duty=0.5, a=0.002, d=0.04, s=0.8, r=0.02)
            x = x + 0.3 * _note(m + 12, 0.11, duty=0.25, a=0.002, d=0.03, s=0.6, r=0.02)
            parts.append((k * 0.3 + j * 0.13, x))
    return fade(_soften(_mix(0.6, parts)), 0.0, 0.01)


# ---------------------------------------------------------------- towers

def soda_shot():
    """Soda fountain: a gush of pour noise with bubbles fizzing up."""
    rng = _rng(301)
    dur = 0.75
    n = secs(dur)
    t = np.arange(n) / SR
    env = np.minimum(t / 0.03, 1.0) * np.exp(-np.maximum(t - 0.12, 0) / 0.22)
    # pouring liquid: band-limited noise whose centre glides down a little
    pour = svf_bandpass(noise(n, rng), 1800.0 - 600.0 * t / dur, 2.5) * 0.9
    pour *= env
    # fizz: many tiny high pops, thinning out
    fizz = np.zeros(n)
    count = 160
    times = np.sort(rng.uniform(0.0, dur - 0.03, count) ** 1.4 / dur ** 0.4)
    for tt in times:
        m = secs(0.012)
        f0 = rng.uniform(2500, 6500)
        tl = np.arange(m) / SR
        blip = sine(f0 * (1 + 0.8 * tl / 0.012), m) * np.exp(-tl / 0.003)
        s = secs(tt)
        fizz[s:s + m] += blip[: max(0, min(m, n - s))] * rng.uniform(0.2, 0.6)
    fizz *= np.exp(-t / 0.45)
    y = pour + 0.5 * fizz
    return fade(y, 0.002, 0.05)


def fries_burst():
    """Fries cannon: four quick pops, each a little pitch drop with a puff."""
    rng = _rng(302)
    parts = []
    for k in range(4):
        n = secs(0.07)
        t = np.arange(n) / SR
        f0 = (700.0, 640.0, 760.0, 600.0)[k]
        body = sine(f0 * np.exp(-t / 0.02) + 140.0, n) * exp_decay(n, 0.022, 0.0008)
        puff = fft_filter(noise(n, rng), bandpass_gain(2500.0, 1.2)) * exp_decay(n, 0.01, 0.0005)
        parts.append((k * 0.075 + rng.uniform(0, 0.006), body + 0.45 * puff))
    return fade(_mix(0.36, parts), 0.0, 0.01)


def burger_whoosh():
    """A burger thrown across the room: a swelling, sliding air whoosh."""
    rng = _rng(303)
    dur = 0.5
    n = secs(dur)
    t = np.arange(n) / SR
    fc = 500.0 + 1500.0 * np.sin(np.pi * t / dur) ** 2
    y = svf_bandpass(noise(n, rng), fc, 2.0)
    env = np.sin(np.pi * np.clip(t / dur, 0, 1)) ** 1.5
    wobble = 1.0 + 0.25 * np.sin(2 * np.pi * 14.0 * t)
    y = fft_filter(y * env * wobble, lowpass_gain(3200.0, 2))
    return fade(y, 0.005, 0.02)


def burger_splat():
    """A burger lands on a customer: a soft, wet splat with a low thump."""
    rng = _rng(304)
    n = secs(0.3)
    t = np.arange(n) / SR
    thump = sine(60.0 + 90.0 * np.exp(-t / 0.025), n) * exp_decay(n, 0.06, 0.002)
    cut = 1200.0 * np.exp(-t / 0.06) + 220.0
    wet = onepole_lp(onepole_lp(noise(n, rng), cut), cut) * 6.0
    wet *= exp_decay(n, 0.07, 0.003)
    # a couple of squelchy little sliding bubbles
    sq = np.zeros(n)
    for k, (st, f) in enumerate(((0.03, 380.0), (0.07, 300.0), (0.11, 460.0))):
        m = secs(0.05)
        tl = np.arange(m) / SR
        b = sine(f * (1 + 1.5 * tl / 0.05), m) * np.sin(np.pi * tl / 0.05) * 0.25
        sq[secs(st):secs(st) + m] += b
    y = fft_filter(0.8 * thump + wet + sq, lowpass_gain(3500.0, 2))
    return fade(y, 0.001, 0.03)


# ---------------------------------------------------------------- jingles

def _seq(notes, duty=0.25, wave="mix"):
    """notes: (start, dur, midi, vel)"""
    parts = []
    for st, d, m, v in notes:
        parts.append((st, v * _note(m, d, duty=duty, d=0.12, s=0.6, r=0.06, vib=0.004, wave=wave)))
    return _mix(0, parts)


def objective_reached():
    """The rating climbs back over the objective: a bright rising arpeggio."""
    mel = [(0.00, 0.1, 72, 0.8), (0.08, 0.1, 76, 0.85), (0.16, 0.1, 79, 0.9), (0.24, 0.45, 84, 1.0)]
    harm = [(0.24, 0.45, 79, 0.45), (0.24, 0.45, 76, 0.35)]
    y = _seq(mel, duty=0.25) + _seq(harm, duty=0.5)
    sparkle = _seq([(0.30, 0.08, 96, 0.25), (0.36, 0.08, 100, 0.2), (0.42, 0.1, 103, 0.18)], duty=0.125, wave="pulse")
    y = _mix(0, [(0, y), (0, sparkle)])
    return fade(_room(_soften(y), 401, 0.12), 0.0, 0.04)


def objective_lost():
    """The rating drops under the objective: a drooping little minor figure."""
    parts = []
    for k, (st, d, m) in enumerate([(0.0, 0.14, 76), (0.13, 0.14, 72), (0.26, 0.42, 67)]):
        n = secs(d)
        t = np.arange(n) / SR
        bend = 1.0 if k < 2 else 2 ** (-1.2 * np.clip(t - 0.1, 0, None) / 12.0 / 0.3)
        f = midi_hz(m) * bend
        x = (0.6 * pulse(f, n, 0.5) + 0.6 * triangle(f, n)) * adsr(n, a=0.004, d=0.1, s=0.6, r=0.08)
        parts.append((st, x))
        parts.append((st, 0.3 * triangle(midi_hz(m - 9) * (bend if k == 2 else 1.0), n)
                      * adsr(n, a=0.004, d=0.1, s=0.6, r=0.08)))
    return fade(_room(_soften(_mix(0, parts)), 402, 0.12), 0.0, 0.04)


def victory_fanfare():
    """Level won: a chip brass fanfare over a drum roll, ending on a big chord."""
    rng = _rng(403)
    q = 0.15  # one 'ta'
    mel = [(0, q, 67), (q, q, 67), (2 * q, q, 67), (3 * q, 0.45, 72),
           (3 * q + 0.45, q, 67), (4 * q + 0.45, 0.3, 72), (5 * q + 0.75, 1.3, 76)]
    lead = _mix(0, [(st, _note(m, d, duty=0.25, d=0.15, s=0.7, r=0.08, vib=0.006, wave="mix"))
                    for st, d, m in mel])
    low = _mix(0, [(st, 0.5 * _note(m - 12, d, duty=0.5, d=0.15, s=0.7, r=0.08, wave="mix"))
                   for st, d, m in mel])
    end = 5 * q + 0.75
    chord = _mix(0, [(end, 0.35 * _note(m, 1.25, duty=0.5, a=0.01, d=0.3, s=0.7, r=0.45, vib=0.005, wave="mix"))
                     for m in (60, 64, 67, 72)])
    bass = _mix(0, [(end, 0.7 * _note(48, 1.25, a=0.005, d=0.3, s=0.6, r=0.45, wave="tri"))])
    roll = np.zeros(secs(end + 0.05))
    tt = 0.0
    while tt < end - 0.02:
        m = secs(0.08)
        hit = np.diff(noise(m + 1, rng, hold=2)) * exp_decay(m, 0.03)
        s = secs(tt)
        vel = 0.15 + 0.25 * tt / end
        roll[s:s + m] += hit[: len(roll) - s] * vel
        tt += 0.05
    crash_n = secs(1.6)
    crash = np.diff(np.diff(noise(crash_n + 2, rng))) * exp_decay(crash_n, 0.5) * 0.18
    kick_n = secs(0.3)
    tk = np.arange(kick_n) / SR
    kick = sine(50 + 110 * np.exp(-tk / 0.03), kick_n) * exp_decay(kick_n, 0.15)
    y = _mix(3.0, [(0, lead), (0, low), (0, chord), (0, bass), (0, roll), (end, crash), (end, kick * 0.8)])
    return fade(_room(_soften(y, 9000.0), 404, 0.18, 1.0, 0.3), 0.0, 0.3)


def defeat_tune():
    """Level lost: a sad 'wah wah wah waaah' of a chip trombone, its brightness
    opening and closing on each note and the last one wobbling down."""
    notes = [(0.0, 0.55, 58), (0.6, 0.55, 57), (1.2, 0.55, 56), (1.8, 2.0, 55)]
    total = secs(4.0)
    y = np.zeros(total)
    for k, (st, d, m) in enumerate(notes):
        n = secs(d)
        t = np.arange(n) / SR
        f = midi_hz(m) * np.ones(n)
        if k == 3:
            wob = np.clip((t - 0.35) / 0.3, 0, 1)
            f = f * (1 + 0.018 * wob * np.sin(2 * np.pi * 5.0 * t)) * 2 ** (-0.9 * np.clip(t - 0.6, 0, None) / 12.0)
        ph = np.cumsum(f / SR)
        # additive brass: the higher harmonics open with the 'wah'
        bright = np.sin(np.pi * np.clip(t / min(d, 0.5), 0, 1)) ** 0.7 if k < 3 else \
            0.55 + 0.45 * np.exp(-t / 0.5) * np.sin(np.pi * np.clip(t / 0.5, 0, 1))
        x = np.zeros(n)
        for h in range(1, 26):
            if midi_hz(m) * h > 9000:
                break
            amp = np.exp(-(h - 1) / (1.0 + 6.0 * bright)) / h ** 0.3
            x += amp * np.sin(2 * np.pi * h * ph)
        env = adsr(n, a=0.03, d=0.2, s=0.85, r=0.12 if k < 3 else 0.6)
        s = secs(st)
        y[s:s + n] += x * env
    return fade(_room(y / 4.0, 405, 0.15, 0.8, 0.25), 0.005, 0.1)


def intro_jingle():
    """The logo appears: a quick rising run into a sparkling tonic chord."""
    run = [(0.00, 0.09, 67), (0.07, 0.09, 69), (0.14, 0.09, 71), (0.21, 0.09, 72),
           (0.28, 0.09, 74), (0.35, 0.09, 76), (0.42, 0.09, 77), (0.49, 0.5, 79)]
    lead = _mix(0, [(st, _note(m, d, duty=0.25, d=0.08, s=0.6, r=0.05, wave="mix")) for st, d, m in run])
    end = 0.62
    chord_notes = [(end, 2.0, 72), (end, 2.0, 76), (end, 2.0, 79), (end + 0.12, 1.9, 84)]
    chord = _mix(0, [(st, 0.4 * _note(m, d, duty=0.5, a=0.008, d=0.4, s=0.45, r=0.9, vib=0.005, wave="mix"))
                     for st, d, m in chord_notes])
    bass = _mix(0, [(end, 0.8 * _note(48, 2.0, a=0.004, d=0.5, s=0.5, r=0.9, wave="tri"))])
    sparkle = _mix(0, [(end + 0.1 + 0.09 * k, 0.18 * _note(96 + (0, 4, 7, 12, 16, 12, 7)[k], 0.1, duty=0.125,
                                                            d=0.03, s=0.3, r=0.04, wave="pulse"))
                       for k in range(7)])
    rng = _rng(406)
    cn = secs(1.2)
    cym = np.diff(np.diff(noise(cn + 2, rng))) * exp_decay(cn, 0.35) * 0.12
    y = _mix(2.9, [(0, lead), (0, chord), (0, bass), (0, sparkle), (end, cym)])
    return fade(_room(_soften(y, 9000.0), 407, 0.2, 1.0, 0.3), 0.0, 0.25)


# ---------------------------------------------------------------- crowd

def applause():
    """A full house clapping: hundreds of short band-passed noise claps,
    swelling in and fading out, over a soft wash of room noise."""
    rng = _rng(501)
    dur = 4.0
    n = secs(dur)
    y = np.zeros(n + secs(0.05))
    claps = []
    for _ in range(6):
        m = secs(0.03)
        tl = np.arange(m) / SR
        c = fft_filter(noise(m, rng), bandpass_gain(rng.uniform(900, 2600), 1.5))
        claps.append(c * np.exp(-tl / 0.006))
    # each of 24 people claps at their own steady pace
    for p in range(24):
        rate = rng.uniform(3.2, 5.2)
        tt = rng.uniform(0.0, 0.35)
        stop = dur - rng.uniform(0.2, 1.4)
        vol = rng.uniform(0.3, 1.0)
        c = claps[p % len(claps)]
        while tt < stop:
            s = secs(tt)
            y[s:s + len(c)] += c * vol * rng.uniform(0.7, 1.0)
            tt += 1.0 / rate * rng.uniform(0.9, 1.1)
    y = y[:n]
    t = np.arange(n) / SR
    wash = fft_filter(noise(n, rng), bandpass_gain(1500.0, 0.7)) * 0.05
    y = y + wash
    env = np.minimum(t / 0.25, 1.0) * np.clip((dur - t) / 1.6, 0, 1) ** 1.3
    return fade(_room(y * env, 502, 0.2, 0.8, 0.2)[:n], 0.0, 0.05)


def _vowel(src, formants):
    """Shape a buzzy source into a vowel with three resonances."""
    out = np.zeros_like(src)
    for fc, bw, g in formants:
        out += g * fft_filter(src, bandpass_gain(fc, fc / bw))
    return out


def crowd_disappointed():
    """Level lost: a roomful of voices going 'ohhh...', sliding down."""
    rng = _rng(601)
    dur = 3.0
    n = secs(dur)
    t = np.arange(n) / SR
    src = np.zeros(n)
    for v in range(14):
        f0 = rng.uniform(95, 150) if v < 10 else rng.uniform(190, 260)
        start = rng.uniform(0.0, 0.25)
        length = rng.uniform(1.9, 2.6)
        tl = np.clip(t - start, 0, None)
        # rises a touch, then sighs down by about five semitones
        contour = 1.0 + 0.05 * np.sin(np.pi * np.clip(tl / 0.5, 0, 1)) - 0.27 * np.clip((tl - 0.4) / 1.8, 0, 1)
        jitter = 1.0 + 0.01 * np.sin(2 * np.pi * rng.uniform(4, 6) * t + rng.uniform(0, 6))
        f = f0 * contour * jitter
        buzz = saw(f, n, rng.uniform(0, 1))
        env = np.clip(tl / 0.2, 0, 1) * np.clip((start + length - t) / 0.9, 0, 1)
        src += buzz * env * rng.uniform(0.5, 1.0)
    breath = noise(n, rng) * 0.08
    # the open 'oh' closes towards a glum 'ouh' as the sigh runs out
    oh = _vowel(src + breath, [(520.0, 90.0, 1.0), (880.0, 110.0, 0.6), (2500.0, 200.0, 0.12)])
    ou = _vowel(src + breath, [(380.0, 80.0, 1.0), (720.0, 100.0, 0.35), (2300.0, 200.0, 0.08)])
    m = np.clip((t - 0.6) / 1.4, 0, 1)
    y = fft_filter(oh * (1 - m) + ou * m * 1.3, lowpass_gain(3500.0, 2))
    return fade(_room(y, 602, 0.25, 0.9, 0.25)[:n], 0.02, 0.2)


# ---------------------------------------------------------------- bites

def bite(seed, length=0.28, crunches=3):
    """A big crunchy bite: a jaw snap, then bursts of crackling crumbs (a
    few loud cracks among many small ones), over a low chewing thump."""
    rng = _rng(seed)
    n = secs(length)
    t = np.arange(n) / SR
    y = np.zeros(n)
    # snap of the teeth
    m = secs(0.03)
    tl = np.arange(m) / SR
    y[:m] += sine(1300 * np.exp(-tl / 0.008) + 350, m) * np.exp(-tl / 0.005) * 0.5
    # crunch bursts, each a crackle of sparse impulses rung through its own
    # resonance, the first ones the loudest
    for k in range(crunches):
        st = 0.008 + k * (length - 0.09) * 0.9 / max(1, crunches - 1) + rng.uniform(0, 0.012)
        bl = rng.uniform(0.045, 0.075)
        bn = secs(bl)
        crack = np.zeros(bn)
        count = int(bl * rng.uniform(500, 800))
        idx = rng.integers(0, bn, count)
        crack[idx] = rng.choice([-1.0, 1.0], count) * rng.uniform(0, 1, count) ** 3
        fc = rng.uniform(1600, 3200)
        crack = fft_filter(crack, lambda f: bandpass_gain(fc, 1.6)(f) + 0.5 * bandpass_gain(fc * 2.1, 2.0)(f))
        crack *= exp_decay(bn, bl / 2.0, 0.001)
        s = secs(st)
        e = min(n, s + bn)
        y[s:e] += crack[: e - s] * 5.0 * (1.0 - 0.18 * k)
    # low chewing thump under the first crunch
    thump = sine(90 + 110 * np.exp(-t / 0.03), n) * exp_decay(n, 0.05, 0.002) * 0.35
    body = onepole_lp(onepole_lp(noise(n, rng), 350.0), 350.0) * exp_decay(n, 0.07, 0.003) * 3.0
    return fade(y + thump + body, 0.0, 0.02)
