#!/usr/bin/python3
"""Checks for the sound generators and for the files they wrote.

    /usr/bin/python3 tools/assets/sound_check.py

The synthesizer cases run anywhere numpy is; the file cases need sox and the
generated resources/sfx/ tree (they are skipped when it is missing)."""
import os
import shutil
import subprocess
import sys
import unittest

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import sound_music  # noqa: E402
import sound_synth as S  # noqa: E402
import sound_voice  # noqa: E402
import sounds  # noqa: E402


class SynthTest(unittest.TestCase):
    def test_pulse_is_bounded_and_centred(self):
        for duty in (0.125, 0.25, 0.5):
            y = S.pulse(440.0, S.SR, duty)
            self.assertLess(abs(y.mean()), 0.01)
            self.assertLess(np.max(np.abs(y)), 2.2)
        # a high note must not fold back into loud low whistles
        y = S.pulse(3000.0, S.SR, 0.5)
        spectrum = np.abs(np.fft.rfft(y))
        f = np.fft.rfftfreq(len(y), 1.0 / S.SR)
        below = spectrum[(f > 50) & (f < 2800)].max()
        self.assertLess(below, spectrum.max() * 0.05)

    def test_adsr_has_no_jump_at_release(self):
        env = S.adsr(S.secs(0.3), a=0.01, d=0.05, s=0.6, r=0.05, gate=0.02)
        self.assertLess(np.max(np.abs(np.diff(env))), 0.01)
        self.assertAlmostEqual(env[-1], 0.0, places=2)

    def test_normalise_reaches_target_under_ceiling(self):
        rng = np.random.default_rng(1)
        x = np.concatenate([np.zeros(S.SR), S.sine(440.0, S.SR) * 0.01, np.zeros(S.SR)])
        y = S.normalise(x, -16.0)
        self.assertAlmostEqual(S.loudness_db(y), -16.0, delta=0.3)
        spiky = rng.standard_normal(S.SR) * 0.01
        spiky[100] = 1.0
        y = S.normalise(spiky, -10.0, peak_max_db=-1.5)
        self.assertLessEqual(S.peak_db(y), -1.49)

    def test_loudness_ignores_silence(self):
        x = S.sine(1000.0, S.SR) * 0.5
        padded = np.concatenate([np.zeros(3 * S.SR), x, np.zeros(3 * S.SR)])
        self.assertAlmostEqual(S.loudness_db(x), S.loudness_db(padded), delta=0.5)

    def test_trim_and_resample(self):
        x = np.concatenate([np.zeros(1000), np.ones(500) * 0.5, np.zeros(3000)])
        t = S.trim_silence(x, pad_in=0.0, pad_out=0.0)
        self.assertLessEqual(len(t), 502)
        y = S.resample_to_sr(np.sin(2 * np.pi * 300 * np.arange(22050) / 22050), 22050)
        self.assertEqual(len(y), S.SR)
        self.assertAlmostEqual(np.max(np.abs(y[1000:-1000])), 1.0, delta=0.02)


class SongTest(unittest.TestCase):
    def test_loop_is_whole_bars_of_smooth_length(self):
        s = sound_music.Song(bpm=132, bars=8, seed=1)
        self.assertEqual(s.L, 32 * s.spb)
        self.assertLessEqual(sound_music.largest_factor(s.spb), 7)
        self.assertAlmostEqual(60.0 / s.beat, 132, delta=0.5)

    def test_notes_past_the_end_wrap_to_the_start(self):
        s = sound_music.Song(bpm=120, bars=1, seed=1)
        s.put("x", 3.9, np.ones(S.SR))
        b = s.buses["x"]
        self.assertAlmostEqual(b.sum(), S.SR)
        self.assertEqual(b[0], 1.0)

    def test_swing_moves_only_the_offbeats(self):
        s = sound_music.Song(bpm=120, bars=1, seed=1, swing=0.64)
        self.assertEqual(s.pos(1.0), s.spb)
        self.assertEqual(s.pos(1.5), s.spb + int(round(0.64 * s.spb)))

    def test_tune_sits_on_chord_tones_at_strong_beats(self):
        ch = sound_music.chart("C | F | G7 | C")
        cells = [[(0, 1), (1, 0.5), (1.5, 0.5), (2, 2)]]
        rng = np.random.default_rng(3)
        notes = sound_music.phrase(rng, ch, 0, sound_music.MAJOR, cells, 60, 79, plan=("A", "C"))
        for b, d, p in notes:
            self.assertTrue(60 <= p <= 79)
            if b % 2 == 0:
                _, root, iv = sound_music.chord_at(ch, b)
                self.assertIn((p - root) % 12, [i % 12 for i in iv])

    def test_tune_never_rubs_against_a_borrowed_chord_tone(self):
        # D7 in F major carries F#: the tune may pass by G or E, never play F
        ch = sound_music.chart("D7 | D7 | D7 | D7")
        cells = [[(0, 0.5), (0.5, 0.5), (1, 0.5), (1.5, 0.5), (2, 0.5), (2.5, 0.5), (3, 0.5), (3.5, 0.5)]]
        for seed in range(20):
            notes = sound_music.phrase(np.random.default_rng(seed), ch, 5, sound_music.MAJOR,
                                       cells, 60, 84, plan=("A", "B"))
            self.assertNotIn(5, [p % 12 for _, _, p in notes])

    def test_chart_parses_accidentals_and_split_bars(self):
        ch = sound_music.chart("Bbmaj7 | F#m7 B7")
        self.assertEqual(ch[0][:2], (0.0, 10))
        self.assertEqual([c[0] for c in ch], [0.0, 4.0, 6.0])
        self.assertEqual(ch[1][1], 6)


class VoiceTest(unittest.TestCase):
    def test_long_pauses_are_shortened(self):
        tone = S.sine(200.0, S.secs(0.3)) * 0.5
        x = np.concatenate([tone, np.zeros(S.secs(0.4)), tone])
        y = sound_voice.shorten_pauses(x, 0.09)
        self.assertLess(len(y), len(x) - S.secs(0.25))
        self.assertGreater(len(y), 2 * len(tone))


def _decode(path):
    raw = subprocess.run(["sox", path, "-t", "f32", "-c", "2", "-"], check=True,
                         stdout=subprocess.PIPE).stdout
    return np.frombuffer(raw, dtype="<f4").reshape(-1, 2)


@unittest.skipUnless(shutil.which("sox") and os.path.isdir(sounds.SONS), "no sox or no files")
class FilesTest(unittest.TestCase):
    def test_exact_set_of_files(self):
        self.assertEqual(sorted(os.listdir(sounds.SONS)), sorted(n for n, _, _ in sounds.SOUNDS))
        self.assertEqual(sorted(os.listdir(sounds.MUSIQUES)), sorted(n for n, _ in sound_music.MUSICS))

    def test_lengths_levels_and_sizes(self):
        limits = {"Client Satisfait.ogg": 1.5, "Alerte Chemin Ouvert.ogg": 1.0,
                  "Décompte 2.ogg": 0.4, "Crocs.ogg": 0.5, "Croc 2.ogg": 0.5,
                  "Crocs 3.ogg": 0.5, "Click Socle et Tour.ogg": 0.3}
        total = 0
        for name, _, _ in sounds.SOUNDS:
            path = os.path.join(sounds.SONS, name)
            x = _decode(path)
            dur = len(x) / S.SR
            self.assertLess(dur, limits.get(name, 5.0), name)
            self.assertLess(np.max(np.abs(x)), 0.99, name)
            # no dead air at either end
            a = np.abs(x).max(axis=1)
            loud = np.nonzero(a > 0.01)[0]
            self.assertLess(loud[0], S.secs(0.02), name)
            self.assertGreater(np.nonzero(a > 0.002)[0][-1], len(a) - S.secs(0.1), name)
            total += os.path.getsize(path)
        for name, _ in sound_music.MUSICS:
            path = os.path.join(sounds.MUSIQUES, name)
            x = _decode(path)
            self.assertTrue(60.0 <= len(x) / S.SR <= 120.0, name)
            self.assertLess(np.max(np.abs(x)), 0.99, name)
            self.assertLess(os.path.getsize(path), 1500000, name)
            # the step across the loop point is no bigger than the steps the
            # music itself takes
            steps = np.abs(np.diff(x, axis=0))
            self.assertLessEqual(np.max(np.abs(x[0] - x[-1])), np.percentile(steps, 99.9), name)
            total += os.path.getsize(path)
        self.assertLess(total, 8 * 1024 * 1024)


if __name__ == "__main__":
    unittest.main()
