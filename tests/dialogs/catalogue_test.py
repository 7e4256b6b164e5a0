#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Every text of the libraries' dialog templates, string tables and menus has
# its translation: Korean for the texts written in English, English for the
# ones written in Korean. A text added without one fails here, so the
# catalogues cannot fall behind the templates.
# Usage: catalogue_test.py SOURCE_DIR
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

source = Path(sys.argv[1])
files = ["dialogs/resources.cpp", "appdialogs/resources.cpp", "imaging/widgets/resources.cpp"]
# Names and words that stay as they are in every language: AutoCAD's
# keywords, product names, version numbers, and labels without words.
kept = {"BY&LAYER", "&BYBLOCK", "Vandrel Airfoil", "&S"}


def catalogue(name):
    texts = {}
    for context in ET.parse(source / "translations" / name).getroot():
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is not None and (translation.text or "") and translation.get("type") != "unfinished":
                texts.setdefault(context.find("name").text, set()).add(message.find("source").text)
    return texts


korean = catalogue("vandrel_ko.ts")
english = catalogue("vandrel_en.ts")
literal = r'"((?:[^"\\]|\\.)*)"'
patterns = {
    "Dialog": [r'DialogTemplate t \{' + literal,
               r'\{\s*[A-Z_0-9+ ()a-z<>]+,\s*"[A-Za-z_0-9]+",\s*[^"]*?,\s*-?\d+,\s*-?\d+,\s*\d+,\s*\d+,\s*' + literal + r'\s*\}'],
    "String": [r'addString\([A-Z_0-9]+,\s*' + literal],
    "Menu": [r'\{\s*(?:ID_[A-Z_0-9]+|kSubMenu),\s*' + literal + r'\s*\}'],
}
missing = []
seen = 0
for name in files:
    text = (source / name).read_text(encoding="utf-8")
    for context, expressions in patterns.items():
        for expression in expressions:
            for m in re.finditer(expression, text):
                value = m.group(1).encode().decode("unicode_escape").encode("latin-1").decode("utf-8")
                if not value or value in kept or not re.search(r"[A-Za-z\uac00-\ud7a3]", value) \
                        or re.fullmatch(r"Version [\d.]+", value):
                    continue
                seen += 1
                hangul = re.search(r"[\uac00-\ud7a3]", value)
                table, wanted = (english, "English") if hangul else (korean, "Korean")
                if value not in table.get(context, set()):
                    missing.append(f"{name}: {context} \"{value}\" has no {wanted} translation")
# The studio's own window is built in its main(): its texts are checked here,
# the other windows' by WindowTexts.EveryWindowTextHasItsKoreanTranslation.
calls = r'(?:addMenu|addAction|setWindowTitle|QLabel|QPushButton|QDockWidget|setPlaceholderText)\(' + literal
for name in ["apps/main.cpp", "apps/DatabasePage.cpp", "apps/StudioWindow.cpp", "apps/BlockList.cpp"]:
    for m in re.finditer(calls, (source / name).read_text(encoding="utf-8")):
        value = m.group(1)
        if value in {"Vandrel Studio"} or not re.search(r"[A-Za-z]{2}", value):
            continue
        seen += 1
        if value not in korean.get("Studio", set()):
            missing.append(f"{name}: Studio \"{value}\" has no Korean translation")
if seen < 100:
    missing.append(f"only {seen} texts found: the patterns no longer match the resource files")
for line in missing:
    print(line)
sys.exit(1 if missing else 0)
