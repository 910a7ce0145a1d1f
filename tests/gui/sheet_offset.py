#!/usr/bin/python3
"""Prints how far down the sheet a screenshot's viewport shows it: the top row of the sheet
picture SHEET that the screen area at (X, Y), as wide as the sheet, begins with.
Exits 1 when no place of the sheet matches the screen exactly.
Usage: sheet_offset.py SCREENSHOT X Y SHEET"""
import subprocess
import sys

STRIP = 80  # rows compared; enough to hold text, so the place is unique


def gray_rows(path, crop=None):
    args = ["convert", path] + (["-crop", crop, "+repage"] if crop else []) + ["-depth", "8", "gray:-"]
    raw = subprocess.run(args, check=True, capture_output=True).stdout
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True)
    width = int(size.stdout.split()[0]) if crop is None else int(crop.split("x")[0])
    return [raw[i:i + width] for i in range(0, len(raw), width)]


def main():
    shot, x, y, sheet = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    sheet_rows = gray_rows(sheet)
    width = len(sheet_rows[0])
    screen = gray_rows(shot, f"{width}x{STRIP}+{x}+{y}")
    places = [top for top in range(len(sheet_rows) - STRIP + 1)
              if all(sheet_rows[top + i] == screen[i] for i in range(STRIP))]
    if len(places) != 1:
        sys.exit(f"the screen at {x},{y} matches the sheet at {places or 'no place'}")
    print(places[0])


if __name__ == "__main__":
    main()
