"""The satisfied customers' lines, spoken by espeak-ng's French voice with a
pitch, speed and voice variant per kind of customer."""
import os
import subprocess

import numpy as np

from sound_synth import fade, fft_filter, highpass_gain, read_wav, resample_to_sr, trim_silence

# kind of customer -> (line, espeak-ng voice, pitch 0-99, words per minute)
VOICES = {
    # a hungry young man, bright and quick
    "Client Satisfait.ogg": ("Miam, trop bon !", "fr+m3", 62, 170),
    # a warm, calm father
    "Père satisfait.ogg": ("Merci, c'était délicieux !", "fr+m1", 38, 150),
    # the big eater: deep, slow, contented
    "Enrober Satisfait.ogg": ("Hmm, je suis calé !", "fr+m2", 12, 125),
    # the businessman: clipped and fast
    "Businessman Satisfait.ogg": ("Parfait, efficace.", "fr+m7", 45, 190),
}


def speak(name, workdir):
    text, voice, pitch, speed = VOICES[name]
    path = os.path.join(workdir, "voice.wav")
    subprocess.run(["espeak-ng", "-v", voice, "-p", str(pitch), "-s", str(speed),
                    "-w", path, text], check=True)
    x, sr = read_wav(path)
    os.remove(path)
    x = resample_to_sr(x, sr)
    # take off the rumble and the silences espeak-ng leaves around the line
    x = fft_filter(x, highpass_gain(90.0, 2))
    x = trim_silence(x, thresh_db=-42.0, pad_in=0.005, pad_out=0.04)
    return fade(x, 0.003, 0.03)
