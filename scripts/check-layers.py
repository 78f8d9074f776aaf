#!/usr/bin/env python3
"""Checks that every file under src/ includes headers of its own layer or of a lower one only,
and that nothing in src/ calls what only tests may call.

The folders under src/ are the layers (README, "Layout"): common/ below media/, player/ and
submit/ (side by side: none includes another), below report/, below ui/, below plugin/ and
host_wrapper/ (side by side too). An include names a header by its layer, "player/song_title.h";
a quoted include without a folder may only name a header that the build generates (below). Every
#include line of src/ is read, headers and sources, core and shell alike. A name that ends in
"ForTesting" is a seam only tests (and benchmarks) call: src/ may declare and define one, never
call one. Before it reads src/, the check holds itself against a small table of lines it must
accept and reject.

    python3 scripts/check-layers.py [SRC]     # exit 0 when every include keeps to the rule
"""
import pathlib
import re
import sys

# A layer may include its own headers and those of every layer of a lower rank.
RANK = {"common": 0, "media": 1, "player": 1, "submit": 1, "report": 2, "ui": 3, "plugin": 4, "host_wrapper": 4}

# Headers the build writes into its generated/ folder, included without a folder: the version
# (from common/sonoquill_version.h.in) and the COM contract widl writes from plugin/'s IDL, which
# the shell's COM objects of every layer implement.
GENERATED = {"sonoquill_version.h", "kvo_winamp_gen.h", "sonoquill_wa.h"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
# A call: the name after an object (".", "->"), or where an expression stands ("return", "=", "(",
# ",", "!", "&&", "||", after a condition or a brace), or as a statement of its own. A declaration or a definition has a type before
# the name ("Countdown& CountdownForTesting()", "void frmMain::ResetForTesting() {").
TEST_ONLY_CALL = re.compile(r'(\.|->|\breturn\s+|[=(,!{;)]\s*|&&\s*|\|\|\s*|^\s*)(\w+::)*\w+ForTesting\s*\(')
SOURCES = {".h", ".cpp", ".c", ".in", ".rc", ".idl"}


def verdict(layer, line):
    """None when a file of `layer` may hold `line`, else why not."""
    code = line.split("//", 1)[0]
    if TEST_ONLY_CALL.search(code):
        return "calls a ...ForTesting name, which only tests may call"
    match = INCLUDE.match(line)
    if not match:
        return None
    quote, name = match.groups()
    parts = name.split("/")
    target = parts[0] if len(parts) > 1 else None
    if target in RANK:
        if target == layer or RANK[target] < RANK[layer]:
            return None
        return f"{layer}/ may not include {target}/"
    if quote == '"' and name not in GENERATED:
        return f'"{name}" names no layer: include it as "layer/{parts[-1]}"'
    return None  # a system or library header


# What the check must accept and reject, held before every run.
TABLE = [
    ("common", '#include "common/scope_exit.h"', True),
    ("media", '#include "common/code_page.h"', True),
    ("player", '#include "player/playing_file.h"', True),
    ("ui", '#include "submit/request.h"', True),
    ("report", '#include "player/winamp_mod.h"', True),
    ("report", '#include "submit/submission_ports.h"', True),
    ("report", '#include "media/cls_mp3.h"', True),
    ("ui", '#include "report/reporter.h"', True),
    ("plugin", '#include "ui/win32_frm_main.h"', True),
    ("host_wrapper", "#include <windows.h>", True),
    ("submit", '#include "sonoquill_version.h"', True),
    ("common", '#include "media/cls_mp3.h"', False),
    ("submit", '#include "player/playing_file.h"', False),
    ("player", '#include "report/play_watch.h"', False),
    ("submit", '#include "report/song_identity.h"', False),
    ("report", '#include "ui/win32_frm_main.h"', False),
    ("media", '  #  include "player/song_title.h"', False),
    ("player", "#include <submit/request.h>", False),
    ("ui", '#include "plugin/win32_plugin.h"', False),
    ("host_wrapper", '#include "plugin/win32_plugin.h"', False),
    ("plugin", '#include "win32_plugin.h"', False),
    ("ui", '// #include "plugin/win32_plugin.h"', True),
    ("ui", "    Countdown& CountdownForTesting() { return report_.countdown(); }", True),
    ("ui", "void frmMain::ResetForTesting() {", True),
    ("ui", "    // form.CountdownForTesting() sets the counter", True),
    ("ui", "    form.CountdownForTesting().lngCounter = 0;", False),
    ("ui", "    return report_.CountdownForTesting();", False),
    ("ui", "    if (!ready) ResetForTesting();", False),
    ("ui", "    { ResetForTesting(); }", False),
    ("ui", "    frmMain::ResetForTesting();", False),
]


def main():
    for layer, line, accepted in TABLE:
        if (verdict(layer, line) is None) != accepted:
            print(f"check-layers: its own table fails: {layer}/ {line!r} should be {'accepted' if accepted else 'rejected'}")
            return 2

    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "src")
    faults = []
    files = sorted(p for p in src.rglob("*") if p.is_file() and p.suffix in SOURCES)
    for path in files:
        relative = path.relative_to(src)
        layer = relative.parts[0] if len(relative.parts) > 1 else None
        if layer not in RANK:
            faults.append(f"{relative}: not in a layer folder ({', '.join(RANK)})")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            why = verdict(layer, line)
            if why:
                faults.append(f"src/{relative}:{number}: {line.strip()}: {why}")
    for fault in faults:
        print(fault)
    print(f"check-layers: {len(files)} files, {len(faults)} lines against the layers or calling a test-only name")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
