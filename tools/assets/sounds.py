#!/usr/bin/python3
"""Writes every music and sound of the game under resources/sfx/.

    /usr/bin/python3 tools/assets/sounds.py            # everything
    /usr/bin/python3 tools/assets/sounds.py sons       # only the short sounds
    /usr/bin/python3 tools/assets/sounds.py musiques   # only the musics
    /usr/bin/python3 tools/assets/sounds.py Refus.ogg  # only the sounds named

Run from the repository root.  Needs numpy, oggenc (vorbis-tools) and
espeak-ng.  The output is the same on every run: all randomness is seeded
and each Ogg stream gets a serial number derived from its file name.

Levels: sounds and musics are played at the same volume setting (50) by
default, so the files themselves carry the balance: effects sit around
-16 dB of gated RMS, the musics a few dB under them so the shots and voices
read over the band, and the logo jingle (played at full volume, twice the
others) 6 dB lower again so it lands at the same loudness.
"""
import os
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import sound_music  # noqa: E402
import sound_sfx as fx  # noqa: E402
import sound_voice  # noqa: E402
from sound_synth import (SR, encode_ogg, fade, loudness_db, normalise, peak_db,  # noqa: E402
                         require_tools, trim_silence, write_wav)

ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
SONS = os.path.join(ROOT, "resources", "sfx", "sons")
MUSIQUES = os.path.join(ROOT, "resources", "sfx", "musiques")

EFFECT_DB = -16.0
MUSIC_DB = -20.0
VOICE_DB = -15.0

# file name -> (maker, loudness target in dB); the tower shots and hits repeat
# all through a wave, so they sit a little under the rarer events
SOUNDS = [
    ("Click Socle et Tour.ogg", fx.click, EFFECT_DB - 2),
    ("Tir Soda.ogg", fx.soda_shot, EFFECT_DB - 3),
    ("Projectile Burger Trajet.ogg", fx.burger_whoosh, EFFECT_DB - 4),
    ("Tir Frite 4.ogg", fx.fries_burst, EFFECT_DB - 2),
    ("Impact Burger.ogg", fx.burger_splat, EFFECT_DB - 2),
    ("Client Satisfait.ogg", None, VOICE_DB),
    ("Père satisfait.ogg", None, VOICE_DB),
    ("Enrober Satisfait.ogg", None, VOICE_DB),
    ("Businessman Satisfait.ogg", None, VOICE_DB),
    ("Score Objectif Atteint.ogg", fx.objective_reached, EFFECT_DB),
    ("Score en dessous Objectif.ogg", fx.objective_lost, EFFECT_DB),
    ("Alerte Chemin Ouvert.ogg", fx.path_alert, EFFECT_DB - 1),
    ("Décompte 2.ogg", fx.countdown_beep, EFFECT_DB - 2),
    ("Victoire !.ogg", fx.victory_fanfare, EFFECT_DB),
    ("Victoire applaudissement.ogg", fx.applause, EFFECT_DB - 1),
    ("défaite foule.ogg", fx.crowd_disappointed, EFFECT_DB - 1),
    ("Défaite musique.ogg", fx.defeat_tune, EFFECT_DB),
    ("Crocs.ogg", lambda: fx.bite(701, 0.30, 3), EFFECT_DB),
    ("Croc 2.ogg", lambda: fx.bite(702, 0.26, 2), EFFECT_DB),
    ("Crocs 3.ogg", lambda: fx.bite(703, 0.36, 4), EFFECT_DB),
    ("Intro Logo.ogg", fx.intro_jingle, EFFECT_DB - 6),
    ("Refus.ogg", fx.refusal, EFFECT_DB - 4),
]


def serial(name):
    return zlib.crc32(name.encode("utf-8")) & 0x7FFFFFFF


def emit(folder, name, x, quality, tmp):
    wav = os.path.join(tmp, "out.wav")
    write_wav(wav, x)
    out = os.path.join(folder, name)
    encode_ogg(wav, out, quality, serial(name))
    os.remove(wav)
    n = x.shape[-1]
    print("%-34s %6.2f s  peak %6.1f dB  loud %6.1f dB  %8d bytes"
          % (name, n / SR, peak_db(x), loudness_db(x), os.path.getsize(out)))


def main(argv):
    what = set(argv[1:]) or {"sons", "musiques"}
    named = {a for a in what if a.endswith(".ogg")}
    require_tools("oggenc", "espeak-ng")
    with tempfile.TemporaryDirectory() as tmp:
        if "sons" in what or named:
            os.makedirs(SONS, exist_ok=True)
            for name, maker, target in SOUNDS:
                if named and name not in named:
                    continue
                x = sound_voice.speak(name, tmp) if maker is None else maker()
                # no dead air: the splash waits for a voice to end, and the
                # end-of-level panel stacks several of these
                x = fade(trim_silence(x, thresh_db=-48.0, pad_in=0.0, pad_out=0.01), 0.0, 0.015)
                emit(SONS, name, normalise(x, target), 4, tmp)
        if "musiques" in what:
            os.makedirs(MUSIQUES, exist_ok=True)
            for name, fn in sound_music.MUSICS:
                emit(MUSIQUES, name, sound_music.render(fn, MUSIC_DB), 3, tmp)


if __name__ == "__main__":
    main(sys.argv)
