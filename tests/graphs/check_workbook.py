# Reads the workbook that test_graphs' Chart in Excel wrote with an
# independent spreadsheet library (Debian's python3-openpyxl) and compares it
# with the list of cells the test left beside it: the file's name, the chart
# expected, then one cell a line ("A2 s text", "B5 n 12.5", "A30 empty").
import math
import os
import sys

import openpyxl


def main(folder, expected_path):
    with open(expected_path) as f:
        lines = [line.rstrip("\n") for line in f if line.strip()]
    book = openpyxl.load_workbook(os.path.join(folder, lines[0]))
    problems = []
    if book.sheetnames != ["Sheet1"]:
        problems.append("sheets %s" % book.sheetnames)
    sheet = book["Sheet1"]

    kind, gap = lines[1].split()[1:]
    charts = sheet._charts
    if len(charts) != 1:
        problems.append("%d charts, expected one" % len(charts))
    else:
        chart = charts[0]
        if kind == "column" and (chart.tagname != "barChart" or chart.type != "col"):
            problems.append("a %s chart, expected columns" % chart.tagname)
        if kind == "column" and chart.gapWidth != int(gap):
            problems.append("gap width %s, expected %s" % (chart.gapWidth, gap))
        if len(chart.series) != 1:
            problems.append("%d series, expected one" % len(chart.series))

    for line in lines[2:]:
        cell, what = line.split(" ", 2)[:2]
        value = sheet[cell].value
        if what == "empty":
            if value is not None:
                problems.append("%s holds %r, expected nothing" % (cell, value))
        elif what == "s":
            want = line.split(" ", 2)[2]
            if value != want:
                problems.append("%s holds %r, expected %r" % (cell, value, want))
        else:
            want = float(line.split(" ", 2)[2])
            if not isinstance(value, (int, float)) or not math.isclose(value, want, rel_tol=1e-12, abs_tol=1e-12):
                problems.append("%s holds %r, expected the number %r" % (cell, value, want))
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
