#!/usr/bin/python3
"""Interface generator: HUD, in-game overlays, menus, intro and logo, the game
font, the spotlight shader and the licence list.

Run from the repository root:  /usr/bin/python3 tools/assets/ui.py
Writes only under resources/ (textures/hud, textures/Menu, textures/menu,
textures/Logo, fonts, shaders, LICENSES.md) plus tools/assets/SOURCES-ui.md.
"""
import glob
import gzip
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ui_common  # noqa: E402
from ui_common import RES, HERE, FONT_FILE  # noqa: E402
from words import french, speaking, languages, LANGUAGES  # noqa: E402

FONT_LICENCE_GZ = "/usr/share/doc/fonts-comfortaa/OFL.txt.gz"
FONT_COPYRIGHT = "/usr/share/doc/fonts-comfortaa/copyright"
EMOJI_LICENCE = os.path.join(HERE, "node_modules", "fluentui-emoji", "LICENSE")

SHADER = """// Tutorial spotlight: the captured frame is darkened everywhere except a soft
// lit circle around LightPosition (window pixels, y counted from the bottom).
#version 120

uniform sampler2D texture;
uniform vec3 AmbientLight;
uniform vec3 LightPosition;
uniform vec3 LightColor;
uniform float LightRadius;

void main()
{
    vec4 pixel = texture2D(texture, gl_TexCoord[0].xy);
    float radius = max(LightRadius, 1.0);
    float edge = max(10.0, radius * 0.22);
    float dist = distance(gl_FragCoord.xy, LightPosition.xy);
    // 1 inside the circle, 0 outside, with a soft rim of width 'edge'
    float lit = 1.0 - smoothstep(radius - edge, radius, dist);
    // outside: the ambient level plus a faint wash of the light's colour
    vec3 dim = clamp(AmbientLight + LightColor, 0.0, 1.0);
    // a warm rim so the circle reads as a spotlight
    float rim = smoothstep(radius - edge, radius - edge * 0.5, dist) * lit;
    vec3 factor = mix(dim, vec3(1.0), lit) + vec3(0.10, 0.08, 0.0) * rim;
    gl_FragColor = vec4(clamp(pixel.rgb * factor, 0.0, 1.0), pixel.a) * gl_Color;
}
"""


def write_text(rel, content):
    path = os.path.join(RES, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(content)


def font_and_licence():
    os.makedirs(os.path.join(RES, "fonts"), exist_ok=True)
    shutil.copyfile(FONT_FILE, os.path.join(RES, "fonts", "SlyCooper.ttf"))
    ofl = gzip.open(FONT_LICENCE_GZ, "rt", encoding="utf-8").read()
    head = ("SlyCooper.ttf is an unmodified copy of Comfortaa Bold (Debian package\n"
            "fonts-comfortaa 3.001), by Johan Aakerlund, under the SIL Open Font License 1.1\n"
            "(Reserved Font Name \"Comfortaa\"). Only the file name differs.\n\n")
    write_text("fonts/LICENSE-SlyCooper.txt", head + ofl)


def sources_ui():
    """tools/assets/SOURCES-ui.md, from what the pictures actually used."""
    lines = ["# Third-party sources used by the interface pictures (ui.py)", "",
             "- `/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf`, Debian `fonts-comfortaa` "
             "(Comfortaa by Johan Aakerlund), SIL Open Font License 1.1: copied as "
             "`resources/fonts/SlyCooper.ttf`, and used for the text baked into the pictures."]
    for name in sorted(ui_common.USED_EMOJI):
        lines.append("- `icons/flat/%s.svg`, npm `fluentui-emoji` 1.3.0 (Microsoft Fluent Emoji), MIT" % name)
    with open(os.path.join(HERE, "SOURCES-ui.md"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def read_sources():
    out = []
    for path in sorted(glob.glob(os.path.join(HERE, "SOURCES-*.md"))):
        name = os.path.basename(path)[len("SOURCES-"):-3]
        with open(path, encoding="utf-8") as f:
            out.append((name, f.read()))
    return out


# Known third-party material, recognised in the generators' source lists, with the
# wording the credits page shows for it.
KNOWN_CREDITS = (
    ("fluent", "Fluent Emoji", ["© Microsoft Corporation", "licence MIT"]),
    ("comfortaa", "Police Comfortaa", ["© Johan Aakerlund", "SIL Open Font License 1.1"]),
    ("espeak", "Voix de synthèse eSpeak NG", ["et ses données de voix", "licence GPL 3.0 ou ultérieure"]),
    ("vorbis", "Encodage Ogg Vorbis", ["vorbis-tools (oggenc), Xiph.Org", "utilisé pour fabriquer les sons"]),
)
LICENCE_WORDS = ("cc0", "cc-by", "cc by", "gpl", "mit", "ofl", "apache", "public domain", "domaine public")


def credits_entries(sources, t=french):
    """Third-party blocks (title, lines) for the credits page, from every SOURCES file, with
    the page's own words through t (the names found in the SOURCES files stay as they are)."""
    found = []
    others = []
    for _, text in sources:
        low = text.lower()
        for key, title, lines in KNOWN_CREDITS:
            if key in low and (title, lines) not in found:
                found.append((title, lines))
        for raw in text.splitlines():
            l = raw.lower()
            if not raw.strip().startswith(("-", "*", "|")) or "---" in raw:
                continue
            if any(k for k, _, _ in KNOWN_CREDITS if k in l):
                continue
            if "own work" in l or "project's own" in l or "procedural" in l:
                continue
            if any(w in l for w in LICENCE_WORDS):
                entry = raw.strip().lstrip("-*| ").replace("`", "").split("|")[0].split(" — ")[0].strip()
                entry = entry if len(entry) <= 50 else entry[:47] + "..."
                if entry and entry not in others:
                    others.append(entry)
    order = [k for _, k, _ in KNOWN_CREDITS]
    found.sort(key=lambda e: order.index(e[0]))
    found = [(t(title), [t(line) for line in lines]) for title, lines in found]
    if others:
        found.append((t("Autres sources"), others[:20] + [t("(détails dans LICENSES.md)")]))
    found.append((t("Bibliothèque SFML / CSFML"), [t("© Laurent Gomila et contributeurs"), t("licence zlib/png")]))
    return found


def licences_md(sources):
    parts = ["# Licences of third-party material in resources/", "",
             "Everything under resources/ is generated by tools/assets/ from the sources below.",
             "Per-generator lists follow, then the full licence texts.", ""]
    for name, text in sources:
        parts.append("## From the %s generator (tools/assets/SOURCES-%s.md)" % (name, name))
        parts.append("")
        body = text.strip().splitlines()
        if body and body[0].startswith("#"):
            body = body[1:]
        while body and not body[0].strip():
            body = body[1:]
        parts.extend(l for l in body)
        parts.append("")
    parts.append("## Licence texts")
    parts.append("")
    parts.append("### MIT License (Microsoft Fluent Emoji, npm `fluentui-emoji`)")
    parts.append("")
    parts.append("```")
    parts.append(open(EMOJI_LICENCE, encoding="utf-8").read().strip())
    parts.append("```")
    parts.append("")
    parts.append("### SIL Open Font License 1.1 (Comfortaa, copied as fonts/SlyCooper.ttf)")
    parts.append("")
    parts.append("```")
    parts.append(gzip.open(FONT_LICENCE_GZ, "rt", encoding="utf-8").read().strip())
    parts.append("```")
    parts.append("")
    # licences that other generators name besides MIT and OFL
    named = " ".join(t for _, t in sources).lower()
    if "gpl" in named:
        parts.append("### GNU General Public License")
        parts.append("")
        parts.append("Some tools or data named above are under the GPL. The full texts ship with")
        parts.append("Debian as /usr/share/common-licenses/GPL-2 and /usr/share/common-licenses/GPL-3,")
        parts.append("and are published by the Free Software Foundation (https://www.gnu.org/licenses/).")
        parts.append("")
    for key, label in (("cc0", "CC0"), ("cc-by", "CC BY"), ("cc by", "CC BY"), ("apache", "Apache")):
        if key in named:
            parts.append("Material under %s is listed above with its source; its terms are those of" % label)
            parts.append("that source's licence.")
            parts.append("")
    write_text("LICENSES.md", "\n".join(parts))


def main():
    """No argument: every picture, French and its twins. 'hud', 'menu', 'intro' for a part;
    language codes ('en', 'es') for those languages' twins alone."""
    only = sys.argv[1:]
    import ui_hud
    import ui_menu
    import ui_intro
    if only and languages(only) == only:
        for code in only:
            t = speaking(code)
            ui_hud.build_twins(t)
            ui_menu.build_twins(t, credits_entries(read_sources(), t))
            ui_intro.build_twins(t)
        return
    stars = None
    if not only or "hud" in only:
        stars = ui_hud.build()
    if not only or "menu" in only:
        if stars is None:
            import ui_parts
            stars = ui_parts.rating_stars()
        ui_menu.build(stars, credits_entries(read_sources()))
        for code in LANGUAGES:
            ui_menu.build_twins(speaking(code), credits_entries(read_sources(), speaking(code)))
    if not only or "intro" in only:
        ui_intro.build()
    font_and_licence()
    write_text("shaders/SimpleLight.frag", SHADER)
    if not only:
        sources_ui()
    licences_md(read_sources())


if __name__ == "__main__":
    main()
