"""One code base, one picture: compares the frames the native scene drew with the
frames the Windows scene drew under Wine at the same scene times.

  same_picture_compare.py NATIVE_FOLDER WINDOWS_FOLDER TIME...

Each folder holds frame-TIME.ppm (binary RGB) for every TIME. Prints, per time,
the largest channel difference and the shares of pixels that differ at all and
by more than the tolerance, writes the differences (16 times brighter) beside
the Windows frames, and fails when a frame is missing, the sizes differ, or
fewer than the aimed share of pixels lie within the tolerance.
"""
import os
import sys

TOLERANCE = 2  # of 255, per channel
AIM = 0.995  # share of pixels within the tolerance
AMPLIFY = 16


def read_ppm(path):
    with open(path, "rb") as data:
        content = data.read()
    fields, at = [], 0
    while len(fields) < 4:
        while content[at:at + 1].isspace():
            at += 1
        end = at
        while not content[end:end + 1].isspace():
            end += 1
        fields.append(content[at:end])
        at = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError("%s is not an 8-bit binary PPM" % path)
    width, height = int(fields[1]), int(fields[2])
    pixels = content[at + 1:at + 1 + 3 * width * height]
    if len(pixels) != 3 * width * height:
        raise ValueError("%s is cut short" % path)
    return width, height, pixels


def compare(native, windows, difference_path):
    width, height, a = native
    _, _, b = windows
    largest, differing, outside = 0, 0, 0
    amplified = bytearray(len(a))
    for pixel in range(0, len(a), 3):
        worst = max(abs(a[pixel + c] - b[pixel + c]) for c in range(3))
        largest = max(largest, worst)
        differing += worst > 0
        outside += worst > TOLERANCE
        for c in range(3):
            amplified[pixel + c] = min(255, AMPLIFY * abs(a[pixel + c] - b[pixel + c]))
    with open(difference_path, "wb") as picture:
        picture.write(b"P6\n%d %d\n255\n" % (width, height) + bytes(amplified))
    count = width * height
    return largest, differing / count, outside / count


def main(arguments):
    native_folder, windows_folder, times = arguments[0], arguments[1], arguments[2:]
    failures = 0
    for time in times:
        name = "frame-%s.ppm" % time
        paths = [os.path.join(native_folder, name), os.path.join(windows_folder, name)]
        missing = [path for path in paths if not os.path.isfile(path)]
        if missing:
            print("T = %s: missing %s (the native suite writes the native frames, the Windows test the others)"
                  % (time, ", ".join(missing)))
            failures += 1
            continue
        native, windows = (read_ppm(path) for path in paths)
        if native[:2] != windows[:2]:
            print("T = %s: sizes differ, native %dx%d, Windows %dx%d" % ((time,) + native[:2] + windows[:2]))
            failures += 1
            continue
        largest, differing, outside = compare(native, windows, os.path.join(windows_folder, "difference-%s.ppm"
                                                                            % time))
        print("T = %s: largest channel difference %d/255; pixels differing %.3f %%, by more than %d/255 %.3f %%"
              % (time, largest, 100 * differing, TOLERANCE, 100 * outside))
        if 1.0 - outside < AIM:
            print("T = %s: only %.3f %% of the pixels within %d/255 (aim %.1f %%)"
                  % (time, 100 * (1.0 - outside), TOLERANCE, 100 * AIM))
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
