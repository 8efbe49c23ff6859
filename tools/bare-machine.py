#!/usr/bin/python3
"""What to hide so that this machine looks, to one command of the Makefile,
like a fresh one with only that command's packages installed: the packages
that tools/install-deps.sh installs for any command, with what apt installed
for them (their dependencies and recommendations), less the same for the one
command and the system's essential packages. Writes three lists into OUT-DIR,
for tools/bare-machine.sh to act on:

  dirs          directories that hold only hidden packages' files: a tmpfs each
  files         the hidden packages' other files: /dev/null bound over each
  alternatives  NAME TARGET a line: the choice that /etc/alternatives/NAME
                takes once the hidden packages are gone (TARGET "-": none)

usage: bare-machine.py COMMAND PACKAGE-LIST-OF-COMMAND PACKAGE-LIST-OF-ALL OUT-DIR
"""
import glob
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True


def installed_packages():
    """name -> (dependency clauses, provides) of every installed package."""
    fields = "${Package}\t${Status}\t${Essential}\t${Priority}\t${Pre-Depends}\t${Depends}\t${Recommends}\t${Provides}\n"
    out = subprocess.run(["dpkg-query", "-W", "-f", fields], check=True,
                         capture_output=True, text=True).stdout
    packages, essential = {}, set()
    for line in out.splitlines():
        name, status, is_essential, priority, pre, dep, rec, prov = line.split("\t")
        if not status.endswith(" installed"):
            continue
        clauses = [c for c in ", ".join(x for x in (pre, dep, rec) if x).split(",") if c.strip()]
        packages[name] = (clauses, [bare_name(p) for p in prov.split(",") if p.strip()])
        if is_essential == "yes" or priority == "required":
            essential.add(name)
    return packages, essential


def bare_name(text):
    """'libfoo:any (>= 1)' -> 'libfoo'."""
    return re.split(r"[\s:(]", text.strip(), maxsplit=1)[0]


def closure(roots, packages):
    """The roots and every installed package that satisfies any alternative
    of any of their dependencies or recommendations, recursively."""
    providers = {}
    for name, (_, provides) in packages.items():
        providers.setdefault(name, set()).add(name)
        for virtual in provides:
            providers.setdefault(virtual, set()).add(name)
    seen, todo = set(), [r for r in roots if r in packages]
    while todo:
        name = todo.pop()
        if name in seen:
            continue
        seen.add(name)
        for clause in packages[name][0]:
            for alternative in clause.split("|"):
                todo.extend(providers.get(bare_name(alternative), ()))
    return seen


def package_paths():
    """path (as the system resolves it) -> the packages that list it."""
    owners = {}
    for listing in glob.glob("/var/lib/dpkg/info/*.list"):
        package = os.path.basename(listing)[:-len(".list")].split(":")[0]
        with open(listing, encoding="utf-8", errors="surrogateescape") as f:
            for line in f:
                path = line.rstrip("\n")
                if path in ("", "/."):
                    continue
                # Debian 12's /bin, /lib and /sbin are links into /usr.
                parent, leaf = os.path.split(path)
                owners.setdefault(os.path.join(os.path.realpath(parent), leaf), set()).add(package)
    return owners


def hidden_paths(hidden, owners):
    """The largest directories that hold nothing of a package still shown,
    and the hidden packages' files outside them."""
    shown_inside = set()  # directories with a shown package's path below them
    for path, pkgs in owners.items():
        if pkgs - hidden:
            d = os.path.dirname(path)
            while d not in shown_inside and d != "/":
                shown_inside.add(d)
                d = os.path.dirname(d)
    hidden_owned = [p for p, pkgs in owners.items() if pkgs <= hidden]

    def hideable(d):
        return os.path.isdir(d) and not os.path.islink(d) and d not in shown_inside

    dirs = set()
    for path in hidden_owned:
        if hideable(path):
            top = path
            while hideable(os.path.dirname(top)) and owners.get(os.path.dirname(top), set()) <= hidden:
                top = os.path.dirname(top)
            dirs.add(top)
    dirs = {d for d in dirs if not any(d.startswith(o + "/") for o in dirs if o != d)}

    def under_dirs(path):
        d = os.path.dirname(path)
        while d != "/":
            if d in dirs:
                return True
            d = os.path.dirname(d)
        return False

    # A link is left alone: a bind mount would cover what it points to, which
    # may be a shown package's file; a link into hidden files leads nowhere.
    files = sorted(p for p in hidden_owned
                   if p not in dirs and not under_dirs(p) and os.path.isfile(p) and not os.path.islink(p))
    return sorted(dirs), files, under_dirs


def alternatives(is_hidden):
    """NAME TARGET for each alternative now pointing at a hidden file."""
    lines = []
    for link in sorted(glob.glob("/etc/alternatives/*")):
        if not os.path.islink(link):
            continue
        name, target = os.path.basename(link), os.readlink(link)
        if not is_hidden(target):
            continue
        query = subprocess.run(["update-alternatives", "--query", name],
                               capture_output=True, text=True).stdout
        choices = re.findall(r"^Alternative: (.*)\nPriority: (-?\d+)", query, re.M)
        shown = sorted((int(p), a) for a, p in choices if not is_hidden(a))
        lines.append("%s %s" % (name, shown[-1][1] if shown else "-"))
    return lines


def read_list(path):
    with open(path) as f:
        return [line.strip() for line in f if line.strip()]


def main(command, command_list, all_list, out_dir):
    packages, essential = installed_packages()
    keep = closure(read_list(command_list), packages) | essential
    hidden = closure(read_list(all_list), packages) - keep
    owners = package_paths()
    dirs, files, under_dirs = hidden_paths(hidden, owners)
    hidden_files = set(files)

    def is_hidden(path):
        path = os.path.realpath(path) if os.path.exists(path) else path
        return path in hidden_files or path in dirs or under_dirs(path)

    os.makedirs(out_dir, exist_ok=True)
    for name, lines in (("packages", sorted(hidden)), ("dirs", dirs), ("files", files),
                        ("alternatives", alternatives(is_hidden))):
        with open(os.path.join(out_dir, name), "w") as f:
            f.write("".join(line + "\n" for line in lines))
    print("bare-machine: for make %s, %d packages hidden: %d directories, %d files"
          % (command, len(hidden), len(dirs), len(files)))


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
