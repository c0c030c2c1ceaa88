"""A sectorial scan: an array probe on a rexolite wedge sweeps shear waves from 35 to 75 degrees through a steel plate.

Every beam leaves the middle of the array, crosses the wedge as a longitudinal wave and refracts into the
plate as a shear wave at its angle of the sector, then bounces between the plate's faces. All beams are
traced in one call (trace_many) and each leg is coloured by time of flight.

    python3 examples/python/sectorial_scan.py [--output scan.png] [--smoke]
"""

import math

import matplotlib.pyplot as plt
import numpy as np
from matplotlib.collections import LineCollection
from matplotlib.patches import Polygon

import quoria
from _examples import arguments, finish

WEDGE_ANGLE = math.radians(36)
WEDGE_LENGTH, WEDGE_HEIGHT = 40.0, 8.0
PLATE_CENTRE, PLATE_SIZE = (40.0, 0.0, 12.5), (200.0, 60.0, 25.0)
FIRST, LAST = math.radians(35), math.radians(75)
# Microseconds of flight to follow.
TIME = 40.0


def specimen():
    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=WEDGE_LENGTH, width=20,
                                                      height=WEDGE_HEIGHT, wedge_angle=WEDGE_ANGLE, roof_angle=0,
                                                      rotation_angle=0)
    plate = quoria.create_axis_aligned_plate(centre=PLATE_CENTRE, size_x=PLATE_SIZE[0], size_y=PLATE_SIZE[1],
                                             size_z=PLATE_SIZE[2])
    return wedge, plate


def sweep(wedge, plate, wedge_material, plate_material, count):
    """The sector's angles in steel, the legs of every beam as a batch, and each leg's time of flight (µs)."""
    refracted = np.linspace(FIRST, LAST, count)
    # The incidence under the wedge that refracts to each angle; the probe face is tilted by the wedge's angle.
    incidence = quoria.incidence_for_refracted_angle(refracted, wedge_material.longitudinal_speed,
                                                     plate_material.shear_speed)
    elements = quoria.linear_array_on_wedge(wedge, 16, 0.6, 10.0)
    centre, _ = wedge.snap(elements.mean(axis=0))
    points = np.repeat(centre[None, :], count, axis=0)
    sound = quoria.AcousticTracer([wedge, plate], [wedge_material, plate_material])
    many = sound.trace_many(points, incidence - WEDGE_ANGLE, time=TIME, behaviors=["Transmit"], modes="LT")
    return refracted, many, many.times


def leg_start_times(offsets, times):
    """The time of flight at the start of each leg: the times before it in its own beam."""
    total = np.cumsum(times)
    counts = np.diff(offsets)
    before_beam = np.concatenate([[0.0], total])[offsets[:-1]]
    return total - times - np.repeat(before_beam, counts)


def draw_section(axes):
    rise = WEDGE_LENGTH * math.tan(WEDGE_ANGLE)
    wedge = [(-WEDGE_LENGTH, 0), (-WEDGE_LENGTH, -WEDGE_HEIGHT), (0, -WEDGE_HEIGHT - rise), (0, 0)]
    x, _, z = PLATE_CENTRE
    half_x, half_z = PLATE_SIZE[0] / 2, PLATE_SIZE[2] / 2
    plate = [(x - half_x, z - half_z), (x + half_x, z - half_z), (x + half_x, z + half_z), (x - half_x, z + half_z)]
    axes.add_patch(Polygon(wedge, closed=True, facecolor="0.92", edgecolor="0.3"))
    axes.add_patch(Polygon(plate, closed=True, facecolor="0.82", edgecolor="0.3"))


def main():
    args = arguments(__doc__.splitlines()[0])
    wedge_material, plate_material = quoria.material("rexolite"), quoria.material("steel")
    wedge, plate = specimen()
    refracted, many, times = sweep(wedge, plate, wedge_material, plate_material, 9 if args.smoke else 41)
    assert not many.errors, many.errors

    starts = leg_start_times(many.offsets, times)
    segments = np.stack([many.starts[:, [0, 2]], many.ends[:, [0, 2]]], axis=1)
    figure, axes = plt.subplots(figsize=(12, 4.8))
    draw_section(axes)
    legs = LineCollection(segments, array=starts + times / 2, cmap="plasma", linewidths=0.8)
    axes.add_collection(legs)
    figure.colorbar(legs, ax=axes, label="time of flight at the middle of the leg (\u00b5s)")
    axes.set(xlim=(-45, 145), ylim=(30, -42), aspect="equal", xlabel="x (mm)", ylabel="z (mm)",
             title=f"Sectorial scan, {len(many)} beams from {math.degrees(FIRST):.0f}\u00b0 to "
                   f"{math.degrees(LAST):.0f}\u00b0 of shear, {TIME:.0f} \u00b5s of flight")
    figure.tight_layout()
    finish(figure, args)


if __name__ == "__main__":
    main()
