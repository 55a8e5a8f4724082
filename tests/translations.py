#!/usr/bin/env python3
"""Every text of the sources, as lupdate finds them now, is translated in each
shipped catalogue, keeping its %N markers and keyboard accelerator.
usage: translations.py LUPDATE SOURCE_DIR DIR[,DIR...]"""
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

lupdate, root, dirs = sys.argv[1], Path(sys.argv[2]), sys.argv[3].split(",")


def catalogue(path):
    """Translations by context and source; unfinished ones empty."""
    texts = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            done = translation is not None and translation.get("type") is None
            texts[(name, message.findtext("source"))] = "".join(translation.itertext()) if done else ""
    return texts


def markers(text):
    return sorted(re.findall(r"%\d|&(?=\w)", text))


with tempfile.TemporaryDirectory() as tmp:
    now_ts = Path(tmp) / "now.ts"
    subprocess.run([lupdate, "-I", ".", "-locations", "none", *dirs, "-ts", str(now_ts)],
                   cwd=root, check=True, capture_output=True)
    now = catalogue(now_ts)
shipped = sorted((root / "resources" / "translations").glob("tagforge_*.ts"))
problems = [] if len(now) > 100 and len(shipped) >= 2 else [f"{len(now)} texts, {len(shipped)} catalogues"]
for ts in shipped:
    translated = catalogue(ts)
    for key in now:
        source, text = key[1], translated.get(key, "")
        if not text:
            problems.append(f"{ts.name}: not translated (make translations-update): {source}")
        elif markers(text) != markers(source):
            problems.append(f"{ts.name}: {source!r} and {text!r} differ in %N or &")
print("\n".join(problems))
sys.exit(1 if problems else 0)
