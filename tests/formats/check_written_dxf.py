# Reads the DXF file that test_formats wrote with an independent DXF library
# (Debian's python3-ezdxf) and compares it with the description test_formats
# left beside it: the header extents, then one line per polyline with its
# layer, colour number and points.
import sys

import ezdxf
from ezdxf import recover


def main(dxf_path, expected_path):
    doc, auditor = recover.readfile(dxf_path)
    problems = []
    if auditor.has_errors:
        problems.append("the library found errors: %s" % [str(e.message) for e in auditor.errors])
    if doc.dxfversion != "AC1009":
        problems.append("read as version %s, not as an R12 file" % doc.dxfversion)

    with open(expected_path) as f:
        lines = [line.split() for line in f if line.strip()]
    extents = [float(v) for v in lines[0][1:]]
    if (list(doc.header["$EXTMIN"])[:2] != extents[:2]
            or list(doc.header["$EXTMAX"])[:2] != extents[2:]):
        problems.append("extents %s %s, expected %s" % (doc.header["$EXTMIN"], doc.header["$EXTMAX"], extents))

    entities = list(doc.modelspace())
    wanted = lines[1:]
    if len(entities) != len(wanted):
        problems.append("%d entities, expected %d" % (len(entities), len(wanted)))
    for i, (entity, want) in enumerate(zip(entities, wanted)):
        layer, colour = want[0], int(want[1])
        points = [(float(want[k]), float(want[k + 1])) for k in range(2, len(want), 2)]
        if entity.dxftype() != "POLYLINE" or not entity.is_2d_polyline:
            problems.append("entity %d is a %s" % (i, entity.dxftype()))
            continue
        if entity.dxf.layer != layer:
            problems.append("entity %d on layer %s, expected %s" % (i, entity.dxf.layer, layer))
        if entity.dxf.color != colour:
            problems.append("entity %d in colour %d, expected %d" % (i, entity.dxf.color, colour))
        if entity.is_closed:
            problems.append("entity %d is closed" % i)
        got = [(v.dxf.location.x, v.dxf.location.y) for v in entity.vertices]
        if got != points:
            problems.append("entity %d has points %s, expected %s" % (i, got, points))
        for v in entity.vertices:
            if v.dxf.layer != layer or v.dxf.color != colour:
                problems.append("a vertex of entity %d is on %s in %d" % (i, v.dxf.layer, v.dxf.color))
                break

    for p in problems:
        print(p)
    print("%d polylines read back" % len(entities))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
