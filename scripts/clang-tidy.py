#!/usr/bin/env python3
"""Runs clang-tidy (the checks of .clang-tidy) over the files of src/ that one build compiles.

    python3 scripts/clang-tidy.py build/native          # the portable core, as the native build compiles it
    python3 scripts/clang-tidy.py build/win32 --shell   # the Windows shell: win32_* files, plugin/, host_wrapper/

The build's compile_commands.json gives each file's flags (one command a file, the first). The
shell is parsed by clang as a 32-bit Windows program (--target=i686-w64-mingw32) against the
mingw-w64 headers and the C++ headers of the build's own g++; the headers widl writes are in the
build folder, so the Windows build must have run. Files are checked -j N at a time (by default
one per processor of the machine); any finding fails (WarningsAsErrors), and only the files with
findings are printed.
"""
import argparse
import concurrent.futures
import json
import os
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
SHELL_FILE = re.compile(r"^src/((plugin|host_wrapper)/|[a-z_]+/win32_)")


def mingw_arguments(compiler):
    """clang's arguments for the mingw-w64 target, with the C++ headers of `compiler` (its g++)."""
    libgcc = subprocess.run([compiler, "-print-libgcc-file-name"], capture_output=True, text=True, check=True)
    cxx = pathlib.Path(libgcc.stdout.strip()).parent / "include" / "c++"
    target = re.sub(r"-g\+\+.*$", "", pathlib.Path(compiler).name)  # i686-w64-mingw32
    return [f"--target={target}", f"--sysroot=/usr/{target}", "-nostdinc++",
            f"-isystem{cxx}", f"-isystem{cxx / target}", f"-isystem{cxx / 'backward'}"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", help="a build folder with compile_commands.json")
    parser.add_argument("--shell", action="store_true", help="the Windows shell's files, parsed for mingw-w64")
    parser.add_argument("-j", type=int, default=os.cpu_count() or 2)
    args = parser.parse_args()
    clang_tidy = os.environ.get("CLANG_TIDY", "clang-tidy")

    database = json.loads((pathlib.Path(args.build) / "compile_commands.json").read_text())
    entries = {}
    for entry in database:
        path = pathlib.Path(entry["directory"], entry["file"]).resolve()
        try:
            name = path.relative_to(ROOT).as_posix()
        except ValueError:
            continue
        if name.startswith("src/") and bool(SHELL_FILE.match(name)) == args.shell:
            entries.setdefault(name, entry)
    if not entries:
        print(f"clang-tidy: no file of src/ in {args.build}/compile_commands.json")
        return 1

    extra = []
    if args.shell:
        first = next(iter(entries.values()))
        command = first.get("arguments") or shlex.split(first["command"])
        extra = [f"--extra-arg-before={a}" for a in mingw_arguments(command[0])]

    started = time.monotonic()
    with tempfile.TemporaryDirectory() as folder:
        # One command a file: the Windows build compiles a few of common/'s files into both DLLs.
        (pathlib.Path(folder) / "compile_commands.json").write_text(json.dumps(list(entries.values())))

        def tidy(name):
            run = subprocess.run([clang_tidy, "--quiet", f"-p={folder}", *extra, str(ROOT / name)],
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
            lines = [l for l in run.stdout.splitlines() if not re.match(r"^\d+ warnings? (generated|treated as errors?)\.?$", l)]
            return name, run.returncode, lines

        failed = []
        with concurrent.futures.ThreadPoolExecutor(max(1, args.j)) as pool:
            for name, code, lines in pool.map(tidy, sorted(entries)):
                if code != 0:
                    failed.append(name)
                    print(f"--- {name}")
                    print("\n".join(lines))
    seconds = time.monotonic() - started
    which = "the Windows shell" if args.shell else "the portable core"
    print(f"clang-tidy: {len(entries)} files of {which}, {len(failed)} with findings, {seconds:.0f} s")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
