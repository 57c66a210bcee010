"""The words baked into the pictures, in every language the pictures are made in.

Each words_<code>.py beside this file holds WORDS, that language's table of the French words. A
drawing function with words in it takes them through a `t` parameter: `french` (the words as
written, the default) or `speaking(code)`. A picture in another language is saved as the French
one's twin, in a folder named after the language beside it, which the game shows when it speaks
that language. A twin keeps the French picture's pixel size and frame layout, since the game
measures every hit box and frame on the French one.
"""
import glob
import importlib
import os


def french(words):
    return words


french.language = "fr"


def _tables():
    here = os.path.dirname(os.path.abspath(__file__))
    tables = {}
    for path in sorted(glob.glob(os.path.join(here, "words_*.py"))):
        code = os.path.basename(path)[len("words_"):-len(".py")]
        tables[code] = importlib.import_module("words_" + code).WORDS
    return tables


TABLES = _tables()
# Every language with a word table, so a new table is a new set of twins.
LANGUAGES = sorted(TABLES)


def speaking(code):
    """The words of a picture in a language. A word missing from its table stops the build
    rather than leave French in that language's picture."""
    table = TABLES[code]

    def t(words):
        return table[words]

    t.language = code
    return t


def languages(args):
    """The languages named among a generator's arguments."""
    return [a for a in args if a in TABLES]


def twin(path, language):
    """The twin of a picture in a language: same name, in a folder of the language beside it."""
    folder, name = os.path.split(path)
    return os.path.join(folder, language, name)
