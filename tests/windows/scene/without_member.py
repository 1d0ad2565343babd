"""Copies a ZIP archive without one member: without_member.py IN OUT NAME"""
import sys
import zipfile

source, target, dropped = sys.argv[1:4]
with zipfile.ZipFile(source) as zin, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as zout:
    for info in zin.infolist():
        if info.filename.lower() != dropped.lower():
            zout.writestr(info, zin.read(info.filename))
