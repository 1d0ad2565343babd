"""Checks the xscreensaver settings file: well-formed, only the elements and
attributes that Debian's own settings files use (read from the installed
xscreensaver-data files, which carry no DTD), and every control's option one
that the program's usage names.

  settings_file_test.py SETTINGS_FILE REFERENCE_FOLDER [PROGRAM]
"""
import glob
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

OPTION_ATTRIBUTES = ("arg", "arg-set", "arg-unset")


def vocabulary(folder):
    """Each element name the reference files use, with the attributes it carries there."""
    allowed = {}
    files = glob.glob(os.path.join(folder, "*.xml"))
    for path in files:
        for element in ElementTree.parse(path).iter():
            allowed.setdefault(element.tag, set()).update(element.attrib)
    return allowed, len(files)


def foreign_names(root, allowed):
    problems = []
    for element in root.iter():
        if element.tag not in allowed:
            problems.append("element <%s> is not used by the reference files" % element.tag)
            continue
        for name in sorted(set(element.attrib) - allowed[element.tag]):
            problems.append("attribute %s of <%s> is not used by the reference files" % (name, element.tag))
    return problems


def options_of(root):
    """The option words the controls pass, e.g. --speed from "--speed %"."""
    words = set()
    for element in root.iter():
        for name in OPTION_ATTRIBUTES:
            words.update(word for word in element.attrib.get(name, "").split() if word.startswith("-"))
    return words


def unknown_options(root, program):
    usage = subprocess.run([program, "--help"], capture_output=True, text=True, timeout=30)
    if usage.returncode != 0:
        return ["%s --help ended with %d" % (program, usage.returncode)]
    named = set(re.findall(r"-[-a-z]+", usage.stdout))
    # One dash or two: compare the names without their dashes.
    named = {word.lstrip("-") for word in named}
    return ["option %s is not in the program's usage" % word for word in sorted(options_of(root))
            if word.lstrip("-") not in named]


def main(arguments):
    settings, reference = arguments[0], arguments[1]
    allowed, count = vocabulary(reference)
    if count == 0:
        print("no reference settings files in %s (package xscreensaver-data)" % reference)
        return 1
    try:
        root = ElementTree.parse(settings).getroot()
    except ElementTree.ParseError as error:
        print("%s is not well-formed: %s" % (settings, error))
        return 1
    problems = foreign_names(root, allowed)
    if root.tag != "screensaver" or root.get("name") != "zandor3d" or root.get("gl") != "yes":
        problems.append('the root must be <screensaver name="zandor3d" gl="yes">')
    if root.find("command") is None or root.find("command").get("arg") != "--root":
        problems.append('<command arg="--root"/> is missing')
    if len(arguments) > 2:
        problems += unknown_options(root, arguments[2])
    for problem in problems:
        print(problem)
    print("%s: %d elements checked against %d reference files, %d problems"
          % (settings, sum(1 for _ in root.iter()), count, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
