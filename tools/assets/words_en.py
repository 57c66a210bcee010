"""The words baked into the pictures, in English, by their French.

A drawing function with words in it takes them through a `t` parameter: `french` (the words
as written, the default) or `english`. The English picture is saved as the French one's twin,
in a folder 'en' beside it, which the game shows when it speaks English. A twin keeps the
French picture's pixel size and frame layout, since the game measures every hit box and frame
on the French one.
"""
import os

# Names the game's own texts use too (customers, towers) read the same here.
EN = {
    # title menu: the cabinet's panel buttons, coin door and welcome line
    "Jouer": "Play",
    "Fournisseur": "Supplier",
    "Options": "Options",
    "Aides": "Help",
    "Quitter": "Quit",
    "Crédits": "Credits",
    "Bienvenue chez Gobbler !": "Welcome to Gobbler!",
    # options cabinet and in-game options
    "Musique": "Music",
    "Effets": "Effects",
    "Réglez le volume": "Set the volume",
    "Retour": "Back",
    # in-game menu
    "Pause": "Paused",
    "Reprendre": "Resume",
    "Recommencer": "Restart",
    "Menu": "Menu",
    "Le service attend...": "The kitchen is waiting...",
    # end of a level
    "Continuer": "Continue",
    "Victoire !": "Victory!",
    "Défaite...": "Defeat...",
    "Avis des clients": "Customer reviews",
    "Le Célibataire": "The Bachelor",
    "La Famille": "The Family",
    "L'enrobé": "The Big Eater",
    "Le Business Man": "The Business Man",
    "Note finale": "Final rating",
    "Objectif": "Goal",
    # side panel and wave preview
    "Note": "Rating",
    "Avis clients": "Reviews",
    "Prochaine vague": "Next wave",
    # tower panels
    "Nourrit": "Feeds",
    "Cadence": "Rate",
    "Portée": "Range",
    # help tiles and supplier
    "Nourri'Tours": "Feed'Towers",
    "Clients": "Customers",
    "Niv. %d": "Lv. %d",
    # credits sign and page
    "Insérez\nune pièce": "Insert\na coin",
    "Lire !": "Read!",
    "Fast-food défense": "Fast-food defence",
    "Un jeu de l'équipe Gobbler": "A game by the Gobbler team",
    "Faites glisser la page pour lire la suite": "Drag the page to read on",
    "L'équipe Gobbler": "The Gobbler team",
    "l'équipe Gobbler": "the Gobbler team",
    "Direction du restaurant": "Restaurant management",
    "Conception du jeu": "Game design",
    "Programmation": "Programming",
    "Graphismes et animations": "Art and animation",
    "Musiques et bruitages": "Music and sound effects",
    "Textes et avis clients": "Writing and customer reviews",
    "Fait maison": "Home-made",
    "Salles, décors et clients :": "Dining rooms, sets and customers:",
    "dessinés par programme,": "drawn by code,",
    "en style dessin animé.": "in a cartoon style.",
    "Musiques et bruitages :": "Music and sound effects:",
    "synthétisés par nos soins.": "synthesised in our own kitchen.",
    "Nourri'Tours et mascotte :": "Feed'Towers and mascot:",
    "assemblées en cuisine.": "put together in the kitchen.",
    "Ressources tierces": "Third-party resources",
    "Merci !": "Thank you!",
    "Merci d'avoir dîné chez nous !": "Thanks for dining with us!",
    "Police Comfortaa": "Comfortaa font",
    "licence MIT": "MIT licence",
    "Voix de synthèse eSpeak NG": "eSpeak NG synthesised voices",
    "et ses données de voix": "and their voice data",
    "licence GPL 3.0 ou ultérieure": "GPL 3.0 or later licence",
    "Encodage Ogg Vorbis": "Ogg Vorbis encoding",
    "utilisé pour fabriquer les sons": "used to make the sounds",
    "Autres sources": "Other sources",
    "(détails dans LICENSES.md)": "(details in LICENSES.md)",
    "Bibliothèque SFML / CSFML": "SFML / CSFML library",
    "© Laurent Gomila et contributeurs": "© Laurent Gomila and contributors",
    "licence zlib/png": "zlib/png licence",
    # names that read the same in both languages
    "Fluent Emoji": "Fluent Emoji",
    "© Microsoft Corporation": "© Microsoft Corporation",
    "© Johan Aakerlund": "© Johan Aakerlund",
    "SIL Open Font License 1.1": "SIL Open Font License 1.1",
    "vorbis-tools (oggenc), Xiph.Org": "vorbis-tools (oggenc), Xiph.Org",
    # start-up splash and logo
    "L'équipe Gobbler présente": "The Gobbler team presents",
    "Crounch !": "Crunch!",
    "Miam !": "Yum!",
    "Slurp !": "Slurp!",
    # props in the dining rooms
    "SOL": "WET",
    "GLISSANT": "FLOOR",
    "MIAM !": "YUM!",
    "2 MENUS = 1 OFFERT": "2 MEALS = 1 FREE",
    "INFO : RUÉE SUR LES FRITES": "NEWS: FRIES FRENZY",
    "COMMANDES": "ORDER HERE",
    "ENTRÉE": "WAY IN",
    "SORTIE": "EXIT",
}


def french(words):
    return words


def english(words):
    """The English of a picture's French words. A word missing here stops the build rather
    than leave French in an English picture."""
    return EN[words]


def twin(path, language="en"):
    """The twin of a picture in a language: same name, in a folder of the language beside it."""
    folder, name = os.path.split(path)
    return os.path.join(folder, language, name)

