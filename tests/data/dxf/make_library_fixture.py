# Writes library_slope.dxf with an independent DXF library (Debian's
# python3-ezdxf). Run once; the file is committed so that the tests do not
# need the library.
import ezdxf

doc = ezdxf.new("R2000")
msp = doc.modelspace()
doc.layers.add("HOUSE")
doc.layers.add("GROUND")
# A closed outline first, so that the ground is the last chain of the file.
msp.add_polyline2d([(40, 0), (44, 0), (44, 3)], close=True, dxfattribs={"layer": "HOUSE"})
msp.add_circle((42, 5), 1.5, dxfattribs={"layer": "HOUSE"})
msp.add_line((0, 10), (5.5, 8.25), dxfattribs={"layer": "GROUND"})
msp.add_line((5.5, 8.25), (12, 3.1), dxfattribs={"layer": "GROUND"})
msp.add_lwpolyline([(12, 3.1), (20, 0.1), (30, 0)], dxfattribs={"layer": "GROUND"})
doc.saveas("library_slope.dxf")
