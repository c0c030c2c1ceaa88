"""Focal laws of a 16-element probe on a rexolite wedge: a sectorial scan focused 20 mm deep in a steel plate.

For each angle of the sector, the firing delay of every element (so that all their waves reach the focal
point at once) is printed as a table in microseconds and drawn beside the paths of one focal law.

    python3 examples/python/focal_law_table.py [--output laws.png] [--smoke]
"""

import math

import matplotlib.pyplot as plt

import quoria
from _examples import arguments, finish

ELEMENTS, PITCH, FIRST_OFFSET = 16, 0.6, 10.0
DEPTH = 20.0


def main():
    args = arguments(__doc__.splitlines()[0])
    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=40, width=20, height=8,
                                                      wedge_angle=math.radians(36), roof_angle=0, rotation_angle=0)
    plate = quoria.create_axis_aligned_plate(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25)
    sound = quoria.AcousticTracer([wedge, plate], ["rexolite", "steel"])
    elements = quoria.linear_array_on_wedge(wedge, ELEMENTS, PITCH, FIRST_OFFSET)
    step = math.radians(10 if args.smoke else 5)
    scan = quoria.sectorial_scan_focal_points(sound, elements, math.radians(40), math.radians(70), step,
                                              depth=DEPTH)
    laws = quoria.focal_laws(sound, elements, scan.points, modes="LT")

    print(f"Delays in \u00b5s, focal points {DEPTH:.0f} mm deep; one row per angle, one column per element")
    print("angle " + "".join(f"{n:>7d}" for n in range(1, ELEMENTS + 1)))
    for angle, row, valid in zip(scan.angles, laws.delays, laws.valid):
        cells = "".join(f"{delay:7.3f}" if ok else "      -" for delay, ok in zip(row, valid))
        print(f"{math.degrees(angle):4.0f}\u00b0 {cells}")

    figure, (table, paths) = plt.subplots(1, 2, figsize=(13, 5), gridspec_kw={"width_ratios": [1, 1.3]})
    image = table.imshow(laws.delays, aspect="auto", cmap="viridis", origin="lower",
                         extent=(0.5, ELEMENTS + 0.5, -0.5, len(scan.angles) - 0.5))
    table.set_yticks(range(len(scan.angles)), [f"{math.degrees(a):.0f}\u00b0" for a in scan.angles])
    table.set(xlabel="element", ylabel="refracted angle in steel", title="Firing delays")
    figure.colorbar(image, ax=table, label="delay (\u00b5s)")

    # The paths of the middle law: element, interface crossing, focal point.
    k = len(scan.angles) // 2
    for element, crossing in zip(elements, laws.interface_points[k]):
        paths.plot([element[0], crossing[0], scan.points[k, 0]], [element[2], crossing[2], scan.points[k, 2]],
                   color="C0", linewidth=0.7)
    paths.plot(elements[:, 0], elements[:, 2], "s", color="C1", markersize=3, label="elements")
    paths.plot(scan.points[:, 0], scan.points[:, 2], "x", color="C3", label="focal points")
    paths.axhline(0, color="0.4", linewidth=1)
    paths.set(aspect="equal", xlabel="x (mm)", ylabel="z (mm)", ylim=(DEPTH + 5, -20),
              title=f"Paths of the {math.degrees(scan.angles[k]):.0f}\u00b0 law")
    paths.legend(loc="lower left", fontsize="small")
    figure.tight_layout()
    finish(figure, args)


if __name__ == "__main__":
    main()
