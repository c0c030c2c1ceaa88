"""A fan of beams from a shear-wave probe: a rexolite wedge cut for 45 degrees of shear in a steel plate.

Each beam leaves the middle of the wedge's sloping face a little off its normal, runs as a longitudinal
wave down the wedge, converts to a shear wave in the plate and bounces between its faces. The legs are
coloured by time of flight; beside them, Snell's law for that interface shows where the fan lands.

    python3 examples/python/wedge_fan.py [--output fan.png] [--smoke]
"""

import math

import matplotlib.pyplot as plt
import numpy as np
from matplotlib.collections import LineCollection
from matplotlib.patches import Polygon

import quoria
from _examples import arguments, finish

WEDGE_LENGTH, WEDGE_HEIGHT = 40.0, 8.0
PLATE_CENTRE, PLATE_SIZE = (40.0, 0.0, 12.5), (200.0, 60.0, 25.0)
SHEAR_ANGLE = math.radians(45)
# How far each side of the slope's normal the fan spreads, in the wedge.
SPREAD = math.radians(5)
# Microseconds of flight to follow.
TIME = 45.0


def specimen(wedge_material, plate_material):
    wedge_angle = quoria.incidence_for_refracted_angle(SHEAR_ANGLE, wedge_material.longitudinal_speed,
                                                       plate_material.shear_speed)
    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=WEDGE_LENGTH, width=20,
                                                      height=WEDGE_HEIGHT, wedge_angle=wedge_angle, roof_angle=0,
                                                      rotation_angle=0)
    plate = quoria.create_axis_aligned_plate(centre=PLATE_CENTRE, size_x=PLATE_SIZE[0], size_y=PLATE_SIZE[1],
                                             size_z=PLATE_SIZE[2])
    return wedge, plate, wedge_angle


def trace_fan(sound, point, refraction_angles):
    """One trace per beam: L in the wedge, T from the plate on, into the plate and reflected there."""
    return [sound.trace(point, angle, time=TIME, behaviors=["Transmit"], modes="LT") for angle in refraction_angles]


def coloured_legs(paths, pieces=20):
    """Each leg cut into short pieces in the x-z plane, with the time of flight at the middle of each."""
    segments, times = [], []
    fractions = np.linspace(0, 1, pieces + 1)
    for path in paths:
        starts = np.concatenate([[0.0], np.cumsum(path.times)[:-1]])
        for (start, end), leg_start, leg_time in zip(path.legs[:, :, [0, 2]], starts, path.times):
            points = start + fractions[:, None] * (end - start)
            segments.extend(np.stack([points[:-1], points[1:]], axis=1))
            times.extend(leg_start + leg_time * (fractions[:-1] + fractions[1:]) / 2)
    return np.array(segments), np.array(times)


def draw_section(axes, wedge_angle):
    """The wedge and the plate cut by the plane y = 0: the slope rises from the front of the wedge (x = 0)."""
    rise = WEDGE_LENGTH * math.tan(wedge_angle)
    wedge = [(-WEDGE_LENGTH, 0), (-WEDGE_LENGTH, -WEDGE_HEIGHT), (0, -WEDGE_HEIGHT - rise), (0, 0)]
    x, _, z = PLATE_CENTRE
    half_x, half_z = PLATE_SIZE[0] / 2, PLATE_SIZE[2] / 2
    plate = [(x - half_x, z - half_z), (x + half_x, z - half_z), (x + half_x, z + half_z), (x - half_x, z + half_z)]
    axes.add_patch(Polygon(wedge, closed=True, facecolor="0.92", edgecolor="0.3", label="wedge"))
    axes.add_patch(Polygon(plate, closed=True, facecolor="0.82", edgecolor="0.3", label="plate"))


def draw_snell(axes, wedge_material, plate_material, wedge_angle):
    incidence = np.radians(np.linspace(0, 90, 721))
    for mode, speed in (("L", plate_material.longitudinal_speed), ("T", plate_material.shear_speed)):
        # NaN past the critical angle leaves a gap in the curve.
        refracted = quoria.refracted_angle(incidence, wedge_material.longitudinal_speed, speed)
        axes.plot(np.degrees(incidence), np.degrees(refracted), label=f"{mode} in {plate_material.name.lower()}")
        critical = quoria.critical_angle(wedge_material.longitudinal_speed, speed)
        if critical is not None:
            axes.axvline(math.degrees(critical), color="0.6", linestyle=":", linewidth=1)
    axes.axvspan(math.degrees(wedge_angle - SPREAD), math.degrees(wedge_angle + SPREAD), color="C2", alpha=0.25,
                 label="the fan")
    axes.set(xlabel=f"incidence in {wedge_material.name.lower()} (degrees)", ylabel="refracted angle (degrees)",
             xlim=(0, 90), ylim=(0, 90), title="Snell's law at the wedge's foot")
    axes.legend(loc="lower right", fontsize="small")


def main():
    args = arguments(__doc__.splitlines()[0])
    wedge_material, plate_material = quoria.material("rexolite"), quoria.material("steel")
    wedge, plate, wedge_angle = specimen(wedge_material, plate_material)
    sound = quoria.AcousticTracer([wedge, plate], [wedge_material, plate_material])

    # The middle of the slope, snapped exactly onto it.
    point, _ = wedge.snap((-WEDGE_LENGTH / 2, 0, -WEDGE_HEIGHT - WEDGE_LENGTH / 2 * math.tan(wedge_angle)))
    angles = np.linspace(-SPREAD, SPREAD, 5 if args.smoke else 41)
    paths = trace_fan(sound, point, angles)
    segments, times = coloured_legs(paths)

    figure, (section, snell) = plt.subplots(1, 2, figsize=(13, 5), gridspec_kw={"width_ratios": [2.2, 1]})
    draw_section(section, wedge_angle)
    legs = LineCollection(segments, array=times, cmap="viridis", linewidths=1)
    section.add_collection(legs)
    figure.colorbar(legs, ax=section, label="time of flight (\u00b5s)")
    section.set(xlim=(-45, 145), ylim=(30, -40), aspect="equal", xlabel="x (mm)", ylabel="z (mm)",
                title=f"{len(paths)} beams, {math.degrees(SHEAR_ANGLE):.0f}\u00b0 shear probe, "
                      f"{TIME:.0f} \u00b5s of flight")
    endings = sorted({path.ending for path in paths})
    section.text(0.99, 0.97, "endings: " + ", ".join(endings), transform=section.transAxes, fontsize="small",
                 ha="right", va="top")
    draw_snell(snell, wedge_material, plate_material, wedge_angle)
    figure.tight_layout()
    finish(figure, args)


if __name__ == "__main__":
    main()
