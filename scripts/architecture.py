#!/usr/bin/env python3
"""docs/ARCHITECTURE.md's drawing and tables of the libraries and programs, made from the
target graph that CMake wrote at configure time (build/targets.tsv).

    scripts/architecture.py BUILD_DIR          rewrites the generated part of the document
    scripts/architecture.py BUILD_DIR --check  fails, showing the difference, when it is stale

The "what it is" column stays as written by hand; a new library must be described there."""
import difflib
import pathlib
import sys

DOC = pathlib.Path(__file__).resolve().parent.parent / "docs" / "ARCHITECTURE.md"
BEGIN = "<!-- made by scripts/architecture.py from the build's target graph; edit the descriptions only -->"
END = "<!-- end of the part made by scripts/architecture.py -->"
UNDESCRIBED = "(not yet described)"

# Other people's libraries, as the document names them.
OUTSIDE = {
    "SDL::SDL": "SDL", "OpenGL::GL": "OpenGL", "OpenGL::GLU": "GLU", "SOIL::SOIL": "SOIL",
    "ZLIB::ZLIB": "zlib", "Boost::headers": "Boost", "Threads::Threads": "threads",
}


def read_targets(build):
    targets = {}
    for line in (pathlib.Path(build) / "targets.tsv").read_text().splitlines():
        name, kind, folder, public, private = line.split("\t")
        targets[name] = {
            "library": kind == "STATIC_LIBRARY",
            "folder": folder + "/",
            "public": [l for l in public.split(",") if l],
            "private": [l for l in private.split(",") if l],
        }
    return targets


def links_text(target, ours):
    def name(link):
        return f"`{link}`" if link in ours else OUTSIDE.get(link, link)
    public = ", ".join(name(l) for l in target["public"])
    private = ", ".join(name(l) for l in target["private"])
    if public and private:
        return f"{public}; {private} (private)"
    return public or (f"{private} (private)" if private else "nothing")


def layers(libraries):
    """Each library's height: 0 for one that links none of ours, else one above its highest."""
    height = {}

    def of(name):
        if name not in height:
            t = libraries[name]
            below = [of(l) for l in t["public"] + t["private"] if l in libraries]
            height[name] = 1 + max(below) if below else 0
        return height[name]
    for name in libraries:
        of(name)
    return height


def descriptions(text):
    """The hand-written "what it is" column of the libraries' table, by library."""
    found = {}
    for line in text.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) == 4 and cells[0].startswith("`") and cells[0].endswith("`"):
            found[cells[0].strip("`")] = cells[2]
    return found


def generated(targets, described):
    libraries = {n: t for n, t in targets.items() if t["library"]}
    programs = {n: t for n, t in targets.items() if not t["library"]}
    height = layers(libraries)
    order = sorted(libraries, key=lambda n: (-height[n], libraries[n]["folder"], n))
    width = max(len(n) for n in libraries) + 2
    out = ["```"]
    for h in sorted(set(height.values()), reverse=True):
        label = f"layer {h}"
        for n in (n for n in order if height[n] == h):
            ours = [l for l in libraries[n]["public"] + libraries[n]["private"] if l in libraries]
            arrow = f"─► {', '.join(ours)}" if ours else ""
            out.append(f"{label:<9}{n:<{width}}{arrow}".rstrip())
            label = ""
    out.append("```")
    out.append("")
    out.append("| library | folder | what it is | links |")
    out.append("|---|---|---|---|")
    for n in order:
        t = libraries[n]
        out.append(f"| `{n}` | `{t['folder']}` | {described.get(n, UNDESCRIBED)} | "
                   f"{links_text(t, libraries)} |")
    out.append("")
    out.append("| program | folder | links |")
    out.append("|---|---|---|")
    for n in sorted(programs, key=lambda n: (programs[n]["folder"], n)):
        t = programs[n]
        out.append(f"| `{n}` | `{t['folder']}` | {links_text(t, libraries)} |")
    return "\n".join(out)


def main():
    if len(sys.argv) not in (2, 3) or (len(sys.argv) == 3 and sys.argv[2] != "--check"):
        sys.exit(__doc__)
    text = DOC.read_text()
    if BEGIN not in text or END not in text:
        sys.exit(f"FAIL: {DOC} has lost its markers around the generated part")
    head, rest = text.split(BEGIN, 1)
    old, tail = rest.split(END, 1)
    body = generated(read_targets(sys.argv[1]), descriptions(old))
    new = f"{head}{BEGIN}\n{body}\n{END}{tail}"
    if len(sys.argv) == 2:
        DOC.write_text(new)
    elif new != text:
        sys.stdout.writelines(difflib.unified_diff(
            text.splitlines(True), new.splitlines(True), str(DOC), "from the target graph"))
        sys.exit("FAIL: docs/ARCHITECTURE.md differs from the target graph; "
                 "run scripts/architecture.py build and describe any new library")
    if UNDESCRIBED in body:
        sys.exit(f"FAIL: docs/ARCHITECTURE.md has a library {UNDESCRIBED}: describe it")


if __name__ == "__main__":
    main()
