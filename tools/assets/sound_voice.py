"""The satisfied customers' lines, spoken by espeak-ng's French voice with a
pitch, speed and voice variant per kind of customer."""
import os
import subprocess

import numpy as np

from sound_synth import (fade, fft_filter, highpass_gain, read_wav, resample_to_sr, secs,
                         trim_silence)

# kind of customer -> (line, espeak-ng voice, pitch 0-99, words per minute,
# how much the voice rises and falls)
VOICES = {
    # a hungry young man, bright, quick and sing-song
    "Client Satisfait.ogg": ("Miam, trop bon !", "fr+m3", 78, 175, "x-high"),
    # a warm father, pleased for the whole table
    "Père satisfait.ogg": ("Merci, c'était délicieux !", "fr+m1", 40, 150, "high"),
    # the big eater: deep, slow, contented
    "Enrober Satisfait.ogg": ("Hmm, je suis calé !", "fr+m2", 12, 125, "high"),
    # the businessman: clipped, fast and flat
    "Businessman Satisfait.ogg": ("Parfait, efficace.", "fr+m7", 45, 190, "low"),
}


def speak(name, workdir):
    text, voice, pitch, speed, swing = VOICES[name]
    path = os.path.join(workdir, "voice.wav")
    ssml = '<speak><prosody range="%s">%s</prosody></speak>' % (swing, text)
    subprocess.run(["espeak-ng", "-m", "-v", voice, "-p", str(pitch), "-s", str(speed),
                    "-w", path, ssml], check=True)
    x, sr = read_wav(path)
    os.remove(path)
    x = resample_to_sr(x, sr)
    # take off the rumble and the silences espeak-ng leaves around the line
    x = fft_filter(x, highpass_gain(90.0, 2))
    x = trim_silence(x, thresh_db=-42.0, pad_in=0.005, pad_out=0.04)
    x = shorten_pauses(x, 0.09)
    return fade(x, 0.003, 0.03)


def shorten_pauses(x, keep, thresh_db=-45.0, win=0.01):
    """espeak-ng pauses a long while at a comma; a happy customer leaving
    does not, so every silent stretch is cut down to keep seconds."""
    w = secs(win)
    k = len(x) // w
    level = np.sqrt(np.mean(x[: k * w].reshape(k, w) ** 2, axis=1))
    quiet = level < 10.0 ** (thresh_db / 20.0) * np.max(np.abs(x))
    out = []
    i = 0
    while i < k:
        j = i
        while j < k and quiet[j] == quiet[i]:
            j += 1
        seg = x[i * w: j * w]
        if quiet[i] and (j - i) * w > secs(keep):
            half = secs(keep) // 2
            seg = np.concatenate([fade(seg[:half], 0, 0.004), fade(seg[-half:], 0.004, 0)])
        out.append(seg)
        i = j
    out.append(x[k * w:])
    return np.concatenate(out)
