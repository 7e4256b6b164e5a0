#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes vandrel(1), vandrel-thumbnailer(1) and the bash completion of
vandrel from the program's own help: the option tables each command sets up
for its parser. Generated at build time, so the page and the completion
cannot drift from the commands.
    scripts/make-docs.py VANDREL VERSION OUT_DIR
"""
import os
import re
import subprocess
import sys

vandrel, version, out = sys.argv[1], sys.argv[2], sys.argv[3]
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")


def helptext(*args):
    return subprocess.run([vandrel, *args, "--help"], capture_output=True, text=True, env=env, check=True).stdout


def commands():
    text = helptext()
    block = text.split("Commands:\n", 1)[1].split("\n\n", 1)[0]
    return [(m.group(1), m.group(2)) for m in re.finditer(r"^  (\S+)\s+(.*)$", block, re.M)]


def parse(text):
    """The usage line, the description, the actions (first words of the
    indented lines above Options:), the options and the arguments."""
    lines = text.split("\n")
    usage = lines[0].replace("Usage: ", "")
    body, options, arguments, part = [], [], [], "body"
    for line in lines[1:]:
        if line == "Options:":
            part = "options"
        elif line == "Arguments:":
            part = "arguments"
        elif part == "body":
            body.append(line)
        elif part == "options":
            m = re.match(r"^  (-\S.*?)(?:  +(.*))?$", line)
            if m:
                options.append([m.group(1).strip(), m.group(2) or ""])
            elif line.strip() and options:
                options[-1][1] += " " + line.strip()
        elif part == "arguments":
            m = re.match(r"^  (\S+)\s+(.*)$", line)
            if m:
                arguments.append([m.group(1), m.group(2)])
            elif line.strip() and arguments:
                arguments[-1][1] += " " + line.strip()
    actions = []
    for line in body:
        m = re.match(r"^  ([a-z][a-z0-9-]*)\b", line)
        if m and m.group(1) not in actions:
            actions.append(m.group(1))
    flags = []
    for flag_text, _ in options:
        flags += re.findall(r"(--?[A-Za-z][\w-]*)", flag_text.split(" <")[0])
    return usage, "\n".join(body).strip(), actions, options, arguments, flags


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    # Characters past ASCII as groff's named escapes, whatever the locale.
    text = "".join(c if ord(c) < 128 else "\\[u%04X]" % ord(c) for c in text)
    return "\n".join(("\\&" + l if l.startswith((".", "'")) else l) for l in text.split("\n"))


# The files an argument of a command names, for completion.
globs = {"slide": "@(sld|SLD)", "slb": "@(slb|SLB)", "dwg": "@(dwg|DWG)", "dxf": "@(dxf|DXF)",
         "dbf": "@(dbf|DBF)", "ini": "@(ini|INI)", "bmp": "@(bmp|BMP)", "airfoil": "@(dat|DAT)",
         "image": "@(bmp|jpg|jpeg|png|gif|tif|tiff|webp|pnm|ppm|pgm|pbm|BMP|JPG|JPEG|PNG|GIF|TIF|TIFF)"}

cmds = commands()
parsed = {name: parse(helptext(name)) for name, _ in cmds}

page = [".TH VANDREL 1 \"\" \"vandrel %s\" \"User Commands\"" % version,
        ".SH NAME", "vandrel \\- read, draw and maintain CAD files from the shell",
        ".SH SYNOPSIS", ".B vandrel", "[\\-\\-yes] \\fICOMMAND\\fR [\\fIARGS\\fR]...",
        ".SH DESCRIPTION",
        "Reads, draws and maintains AutoCAD slides and slide libraries, DWG previews, DXF drawings, "
        "dBASE tables, INI files, images, albums and airfoil outlines.",
        ".SH OPTIONS",
        ".TP", ".B \\-\\-yes", "Answer Yes to every question (overwrite without asking).",
        ".TP", ".B \\-\\-version", "Print the version.", ".TP", ".B \\-\\-help", "Print the help.",
        ".SH COMMANDS"]
for name, summary in cmds:
    usage, body, actions, options, arguments, flags = parsed[name]
    page += [".SS %s" % roff(name), roff(summary[0].upper() + summary[1:]) + ".", ".PP",
             ".B vandrel " + roff(usage.replace("vandrel ", "", 1)), ".PP", ".nf", roff(body), ".fi"]
    for flag_text, text in options:
        page += [".TP", ".B " + roff(flag_text), roff(text)]
    for arg, text in arguments:
        page += [".TP", ".I " + roff(arg), roff(text)]
page += [".SH EXIT STATUS", "0 on success, 1 on failure, 2 for a command line that cannot be used; "
         "the slide and library commands exit with the operation's code.",
         ".SH SEE ALSO", ".BR vandrel\\-thumbnailer (1)"]
with open(os.path.join(out, "vandrel.1"), "w") as f:
    f.write("\n".join(page) + "\n")

with open(os.path.join(out, "vandrel-thumbnailer.1"), "w") as f:
    f.write("\n".join([
        ".TH VANDREL\\-THUMBNAILER 1 \"\" \"vandrel %s\" \"User Commands\"" % version,
        ".SH NAME", "vandrel\\-thumbnailer \\- thumbnails of slides, slide libraries and drawings for file managers",
        ".SH SYNOPSIS", ".B vandrel\\-thumbnailer", "\\-s \\fISIZE\\fR \\fIINPUT\\fR \\fIOUTPUT\\fR",
        ".SH DESCRIPTION",
        "Writes a PNG of at most SIZE \\(mu SIZE pixels (1 to 4096) of INPUT, a path or a file: address: "
        "a slide, the first slide of a slide library, the preview stored in a DWG drawing, or a DXF "
        "drawing (its embedded preview when it has one). The freedesktop thumbnailer entry "
        "vandrel.thumbnailer runs it. The output is written through a temporary file, so no partial "
        "PNG is left.",
        ".SH EXIT STATUS", "0 when the thumbnail was written; 1, with one line on standard error, for a "
        "file it cannot draw; 2 for a command line that cannot be used.",
        ".SH SEE ALSO", ".BR vandrel (1)"]) + "\n")

bash = ["# bash completion for vandrel, made from its commands' help by scripts/make-docs.py",
        "_vandrel()", "{", "    local cur prev words cword",
        "    _init_completion || return", "    local command= i",
        "    for ((i = 1; i < cword; i++)); do",
        "        [[ ${words[i]} != -* ]] && { command=${words[i]}; break; }",
        "    done",
        "    if [[ -z $command ]]; then",
        "        COMPREPLY=($(compgen -W '%s --yes --version --help' -- \"$cur\"))" % " ".join(n for n, _ in cmds),
        "        return", "    fi", "    case $prev in",
        "        -o|--output|-d|--dir|--cache) _filedir; return ;;", "    esac",
        "    local options= actions= glob=", "    case $command in"]
for name, _ in cmds:
    usage, body, actions, options, arguments, flags = parsed[name]
    bash.append("        %s) options='%s'; actions='%s'; glob='%s' ;;" % (
        name, " ".join(flags), " ".join(actions), globs.get(name, "")))
bash += ["    esac",
         "    if [[ $cur == -* ]]; then",
         "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))",
         "    elif [[ $prev == \"$command\" && -n $actions ]]; then",
         "        COMPREPLY=($(compgen -W \"$actions\" -- \"$cur\"))",
         "    elif [[ -n $glob ]]; then",
         "        _filedir \"$glob\"",
         "        [[ ${#COMPREPLY[@]} -eq 0 ]] && _filedir",
         "    else",
         "        _filedir",
         "    fi", "}", "complete -F _vandrel vandrel"]
with open(os.path.join(out, "vandrel.bash"), "w") as f:
    f.write("\n".join(bash) + "\n")
