"""Small chiptune synthesizer shared by the music and sound generators.

Everything works on float64 numpy arrays at 44.1 kHz, values roughly in
[-1, 1].  Oscillators are band-limited with PolyBLEP so the square waves stay
bright without the harsh fold-back whistles of naive square waves.
"""
import os
import shutil
import subprocess
import sys
import wave

import numpy as np

SR = 44100


def secs(n):
    """Number of samples in n seconds."""
    return int(round(n * SR))


def midi_hz(m):
    return 440.0 * 2.0 ** ((np.asarray(m, dtype=float) - 69.0) / 12.0)


# ---------------------------------------------------------------- oscillators

def _phase(freq, n, phase0=0.0):
    """Running phase in cycles (0..1) for a constant or per-sample frequency."""
    f = np.broadcast_to(np.asarray(freq, dtype=float), (n,))
    inc = f / SR
    ph = phase0 + np.cumsum(inc) - inc
    return np.mod(ph, 1.0), inc


def _blep(t, dt):
    """PolyBLEP correction around a unit step at phase 0."""
    r = np.zeros_like(t)
    lo = t < dt
    x = t[lo] / dt[lo]
    r[lo] = x + x - x * x - 1.0
    hi = t > 1.0 - dt
    x = (t[hi] - 1.0) / dt[hi]
    r[hi] = x * x + x + x + 1.0
    return r


def pulse(freq, n, duty=0.5, phase0=0.0):
    """Band-limited pulse wave with the given duty cycle, DC removed."""
    t, dt = _phase(freq, n, phase0)
    dt = np.maximum(dt, 1e-9)
    y = np.where(t < duty, 1.0, -1.0)
    y += _blep(t, dt)
    y -= _blep(np.mod(t - duty + 1.0, 1.0), dt)
    return y - (2.0 * duty - 1.0)


def saw(freq, n, phase0=0.0):
    t, dt = _phase(freq, n, phase0)
    dt = np.maximum(dt, 1e-9)
    return 2.0 * t - 1.0 - _blep(t, dt)


def triangle(freq, n, phase0=0.0):
    t, _ = _phase(freq, n, phase0)
    return 4.0 * np.abs(t - 0.5) - 1.0


def sine(freq, n, phase0=0.0):
    t, _ = _phase(freq, n, phase0)
    return np.sin(2.0 * np.pi * t)


def noise(n, rng, hold=1):
    """White noise; hold > 1 keeps each value for that many samples, which
    gives the grainy, lower 'chip' noise of old sound chips."""
    if hold <= 1:
        return rng.uniform(-1.0, 1.0, n)
    k = n // hold + 1
    return np.repeat(rng.uniform(-1.0, 1.0, k), hold)[:n]


# ---------------------------------------------------------------- envelopes

def adsr(n, a=0.005, d=0.05, s=0.7, r=0.05, gate=None):
    """Attack/decay/sustain/release envelope; the release starts at gate
    seconds (default: n minus the release) and ends at sample n."""
    t = np.arange(n) / SR
    if gate is None:
        gate = max(n / SR - r, 0.0)
    env = np.empty(n)
    a = max(a, 1e-4)
    att = t < a
    env[att] = t[att] / a
    dec = (t >= a) & (t < gate)
    env[dec] = s + (1.0 - s) * np.exp(-(t[dec] - a) / max(d, 1e-4))
    # level reached at the gate, so the release starts without a jump
    if gate < a:
        g_level = gate / a
    else:
        g_level = s + (1.0 - s) * np.exp(-(gate - a) / max(d, 1e-4))
    rel = t >= gate
    env[rel] = g_level * np.clip(1.0 - (t[rel] - gate) / max(r, 1e-4), 0.0, 1.0)
    return env


def exp_decay(n, tau, attack=0.001):
    t = np.arange(n) / SR
    env = np.exp(-t / tau)
    na = max(1, secs(attack))
    env[:na] *= np.linspace(0.0, 1.0, na, endpoint=False)
    return env


def fade(x, fin=0.0, fout=0.0):
    """Short linear fades at both ends (in seconds) so nothing clicks."""
    x = np.array(x, dtype=float)
    a, b = secs(fin), secs(fout)
    if a > 0:
        x[:a] *= np.linspace(0.0, 1.0, a)
    if b > 0:
        x[-b:] *= np.linspace(1.0, 0.0, b)
    return x


# ---------------------------------------------------------------- filters

def fft_filter(x, gain_fn, circular=False):
    """Zero-phase filter through the spectrum.  gain_fn(freqs_hz) -> gain.
    With circular=False the signal is padded so tails do not wrap around;
    with circular=True they wrap, which is what a looping music wants."""
    x = np.asarray(x, dtype=float)
    n = x.shape[-1]
    m = n if circular else int(2 ** np.ceil(np.log2(n * 2)))
    spectrum = np.fft.rfft(x, m, axis=-1)
    f = np.fft.rfftfreq(m, 1.0 / SR)
    spectrum *= gain_fn(f)
    return np.fft.irfft(spectrum, m, axis=-1)[..., :n]


def lowpass_gain(fc, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (f / fc) ** (2 * order))


def highpass_gain(fc, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (fc / np.maximum(f, 1e-3)) ** (2 * order))


def bandpass_gain(fc, q):
    def g(f):
        f = np.maximum(f, 1e-3)
        return 1.0 / np.sqrt(1.0 + q * q * (f / fc - fc / f) ** 2)
    return g


def onepole_lp(x, fc):
    """Causal one-pole low-pass, cutoff fc (scalar or per sample array).
    Used for short effects whose tone sweeps in time."""
    x = np.asarray(x, dtype=float)
    fc = np.broadcast_to(np.asarray(fc, dtype=float), x.shape)
    a = 1.0 - np.exp(-2.0 * np.pi * fc / SR)
    y = np.empty_like(x)
    s = 0.0
    for i in range(x.shape[0]):
        s += a[i] * (x[i] - s)
        y[i] = s
    return y


def svf_bandpass(x, fc, q):
    """Time-varying state-variable band-pass (Chamberlin), for sweeps and
    vowel-like resonances in short effects.  fc may be an array."""
    x = np.asarray(x, dtype=float)
    fc = np.broadcast_to(np.asarray(fc, dtype=float), x.shape)
    f = 2.0 * np.sin(np.pi * np.minimum(fc, SR / 6.0) / SR)
    damp = 1.0 / q
    low = band = 0.0
    y = np.empty_like(x)
    for i in range(x.shape[0]):
        low += f[i] * band
        high = x[i] - low - damp * band
        band += f[i] * high
        y[i] = band
    return y


def reverb_ir(seconds, rng, decay=0.35, predelay=0.012, bright=6000.0):
    """Synthetic room: exponentially decaying noise, darker as it fades."""
    n = secs(seconds)
    t = np.arange(n) / SR
    ir = rng.standard_normal(n) * np.exp(-t / decay)
    ir = fft_filter(ir, lowpass_gain(bright, 1))
    ir[: secs(predelay)] = 0.0
    return ir / np.sqrt(np.sum(ir ** 2))


def convolve(x, ir, circular=False):
    n = x.shape[-1]
    m = n if circular else int(2 ** np.ceil(np.log2(n + len(ir))))
    if circular and len(ir) > n:
        ir = ir[:n]
    y = np.fft.irfft(np.fft.rfft(x, m, axis=-1) * np.fft.rfft(ir, m), m, axis=-1)
    return y[..., :n] if circular else y[..., : n + len(ir) - 1]


# ---------------------------------------------------------------- levels

def peak_db(x):
    p = np.max(np.abs(x))
    return 20.0 * np.log10(max(p, 1e-12))


def loudness_db(x, win=0.05):
    """Gated, weighted RMS: mean power of the 50 ms windows that are no more
    than 30 dB below the loudest one, in dBFS (a 1 kHz sine of peak 1 reads
    about -2 dB).  Silences at the edges and between notes do not count."""
    x = np.asarray(x, dtype=float)
    mono = x.mean(axis=0) if x.ndim == 2 else x
    # roughly how loud it seems: deep bass counts less, presence a bit more
    mono = fft_filter(mono, lambda f: highpass_gain(100.0, 1)(f)
                      * np.sqrt((1 + (f / 1500.0) ** 2) / (1 + (f / 1500.0) ** 2 / 2.5)),
                      circular=True)
    w = max(1, secs(win))
    k = max(1, len(mono) // w)
    blocks = mono[: k * w].reshape(k, w) if len(mono) >= w else mono[None, :]
    p = np.mean(blocks ** 2, axis=1)
    keep = p >= p.max() * 1e-3
    return 10.0 * np.log10(max(np.mean(p[keep]), 1e-20))


def normalise(x, target_db, peak_max_db=-1.5):
    """Gain to reach the loudness target, limited so the peak stays under
    peak_max_db; a short soft-knee limiter catches rare spikes first."""
    x = np.asarray(x, dtype=float)
    g = 10.0 ** ((target_db - loudness_db(x)) / 20.0)
    y = x * g
    lim = 10.0 ** (peak_max_db / 20.0)
    p = np.max(np.abs(y))
    if p > lim:
        # soft-clip only what pokes above ~80 % of the ceiling
        knee = 0.8 * lim
        over = np.abs(y) > knee
        yo = y[over]
        y[over] = np.sign(yo) * (knee + (lim - knee) * np.tanh((np.abs(yo) - knee) / (lim - knee)))
        # and if a lot was squashed, fall back to plain gain
        p2 = np.max(np.abs(y))
        if p2 > lim:
            y *= lim / p2
    return y


def trim_silence(x, thresh_db=-50.0, pad_in=0.004, pad_out=0.03):
    """Cut leading and trailing near-silence, keeping a hair of margin."""
    a = np.abs(x if x.ndim == 1 else x.max(axis=0))
    idx = np.nonzero(a > 10.0 ** (thresh_db / 20.0) * max(a.max(), 1e-12))[0]
    if len(idx) == 0:
        return x
    s = max(0, idx[0] - secs(pad_in))
    e = min(a.shape[0], idx[-1] + secs(pad_out))
    return x[..., s:e]


# ---------------------------------------------------------------- files

def write_wav(path, x):
    """16-bit PCM WAV; x is (n,) mono or (2, n) stereo."""
    x = np.asarray(x, dtype=float)
    if x.ndim == 1:
        x = x[None, :]
    data = np.clip(np.round(x.T * 32767.0), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(x.shape[0])
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(data.tobytes())


def read_wav(path):
    """Mono float array and its sample rate."""
    with wave.open(path, "rb") as w:
        sr = w.getframerate()
        ch = w.getnchannels()
        raw = w.readframes(w.getnframes())
    a = np.frombuffer(raw, dtype="<i2").astype(float) / 32768.0
    if ch > 1:
        a = a.reshape(-1, ch).mean(axis=1)
    return a, sr


def resample_to_sr(x, sr):
    """Band-limited resampling through the spectrum (used for the 22.05 kHz
    speech of espeak-ng)."""
    if sr == SR:
        return x
    n_out = int(round(len(x) * SR / sr))
    spectrum = np.fft.rfft(x)
    out = np.zeros(n_out // 2 + 1, dtype=complex)
    k = min(len(spectrum), len(out))
    out[:k] = spectrum[:k]
    return np.fft.irfft(out, n_out) * (n_out / len(x))


def require_tools(*names):
    missing = [t for t in names if shutil.which(t) is None]
    if missing:
        sys.exit("missing tools: %s (apt-get install vorbis-tools sox espeak-ng)"
                 % ", ".join(missing))


def encode_ogg(wav_path, ogg_path, quality, serial):
    """oggenc with a fixed stream serial number so every run writes the
    same bytes (oggenc otherwise picks a random serial)."""
    os.makedirs(os.path.dirname(ogg_path), exist_ok=True)
    tmp = ogg_path + ".tmp"
    subprocess.run(["oggenc", "-Q", "-q", str(quality), "-s", str(serial),
                    "-o", tmp, wav_path], check=True)
    os.replace(tmp, ogg_path)
