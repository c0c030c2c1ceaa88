"""The Python package gives bit for bit what the C++ interface gives, for every kind of specimen."""

import math

import numpy as np
import pytest

import quoria
from conftest import Reference, hexes

SLOPES = [(5, 10, 20)] * 4
Y_SLOPES = [(5, 10, 10), (5, 90, 10), (5, 0, 10), (5, 0, 10)]

# Each: the specimens (factory, arguments), a rough entry point and the solid
# to snap it onto, and beams: (refraction, skew, "legs" or "length", amount,
# behaviour letters, law factors or None).
SCENARIOS = {
    "plate": (
        [("create_axis_aligned_plate", dict(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25))],
        (10, 3, -1), 0,
        [(0.5, 0.0, "legs", 6, "", []), (0.3, 0.7, "length", 100.0, "RR", [None, 0.9]),
         (1.2, -0.4, "legs", 1000, "", []), (0.2, 0.0, "legs", 5, "RS", [])]),
    "x bar": (
        [("create_x_oriented_bar", dict(centre=(0, 0, 0), radius=20, length=200))],
        (3, 1, -25), 0, [(0.4, 0.3, "legs", 8, "", []), (0.1, 1.2, "length", 150.0, "RRT", [])]),
    "y bar": (
        [("create_y_oriented_bar", dict(centre=(0, 5, 0), radius=20, length=200))],
        (1, 3, -25), 0, [(0.4, 0.3, "legs", 8, "", []), (-0.6, 0.2, "legs", 4, "", [1.1])]),
    "x pipe": (
        [("create_x_oriented_pipe", dict(centre=(0, 0, 0), inner_radius=40, outer_radius=50, length=300))],
        (10, 0, -55), 0, [(0.7, 1.0, "legs", 10, "", []), (0.3, 0.0, "legs", 3, "RRR", [])]),
    "y pipe": (
        [("create_y_oriented_pipe", dict(centre=(0, 0, 0), inner_radius=40, outer_radius=50, length=300))],
        (0, 10, -55), 0, [(0.7, 1.0, "legs", 10, "", []), (0.5, -0.5, "length", 80.0, "", [])]),
    "counterbored plate": (
        [("create_axis_aligned_counterbored_plate",
          dict(centre=(0, 0, 12.5), size_x=200, size_y=60, size_z=25, slopes=SLOPES))],
        (-60, 3, -1), 0, [(0.7, 0.4, "legs", 12, "", []), (1.0, 0.0, "legs", 6, "", [])]),
    "x counterbored pipe": (
        [("create_x_oriented_counterbored_pipe",
          dict(centre=(0, 0, 0), inner_radius=40, outer_radius=50, length=200,
               slopes=[(3, 10, 10), (0, 0, 0), (0, 0, 0), (3, 10, 10)]))],
        (0, 0, -51), 0, [(math.pi / 4, math.pi / 2, "legs", 5, "", []), (0.6, 0.3, "legs", 12, "", [])]),
    "y counterbored pipe": (
        [("create_y_oriented_counterbored_pipe",
          dict(centre=(0, 0, 0), inner_radius=40, outer_radius=50, length=200, slopes=Y_SLOPES))],
        (0, 2.5, -51), 0, [(math.pi / 4, math.pi / 2, "legs", 3, "", []), (0.6, 0.4, "legs", 12, "", [])]),
    "wedge on plate": (
        [("create_wedge_on_axis_aligned_plate",
          dict(probe_set_origin=(0, 0, 0), length=40, width=20, height=8, wedge_angle=0.628, roof_angle=0.0,
               rotation_angle=0.2)),
         ("create_axis_aligned_plate", dict(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25))],
        (-20, 0, -22.5), 0,
        [(0.0, 0.0, "legs", 5, "TRRRR", [1.3]), (0.1, 0.05, "legs", 6, "TRT", [1.3, None, 0.8])]),
    "wedge on x cylinder": (
        [("create_wedge_on_x_oriented_cylinder",
          dict(probe_set_origin=(0, 0, 0), length=40, width=20, height=8, wedge_angle=math.radians(30),
               roof_angle=0.0, cylinder_centroid=(0, 0, 100))),
         ("create_x_oriented_bar", dict(centre=(0, 0, 100), radius=100, length=400))],
        (-20, 0, -19.5), 0, [(0.0, 0.0, "legs", 4, "TR", [1.4]), (0.2, 0.3, "length", 300.0, "T", [])]),
    "wedge on y cylinder": (
        [("create_wedge_on_y_oriented_cylinder",
          dict(probe_set_origin=(0, 0, 0), length=40, width=20, height=8, wedge_angle=math.radians(20),
               roof_angle=0.0, cylinder_centroid=(0, 0, 100))),
         ("create_y_oriented_pipe", dict(centre=(0, 0, 100), inner_radius=80, outer_radius=100, length=200))],
        (-18, 0, -14), 0, [(0.0, 0.0, "legs", 6, "TRRRRT", [1.4]), (0.1, -0.2, "legs", 3, "T", [])]),
}


def law_list(factors):
    return [None if k is None else (lambda angle, k=k: angle * k) for k in factors]


@pytest.mark.parametrize("name", sorted(SCENARIOS))
def test_python_traces_equal_the_cpp_ones_bit_for_bit(reference, name):
    specimens, near, snap_to, beams = SCENARIOS[name]
    # Keywords in reverse order: the binding maps them by name.
    solids = [getattr(quoria, factory)(**dict(reversed(list(arguments.items()))))
              for factory, arguments in specimens]
    point, face, distance = solids[snap_to].snap(near, return_distance=True)

    commands = [Reference.solid_command(factory, arguments) for factory, arguments in specimens]
    commands.append("tracer " + " ".join(str(i) for i in range(len(solids))))
    commands.append(f"snap {snap_to} {hexes(near)}")
    for refraction, skew, stop, amount, letters, laws in beams:
        law_tokens = " ".join("-" if k is None else float(k).hex() for k in laws)
        commands.append(f"trace {stop} {float(amount).hex()} {hexes(point)} {hexes([refraction, skew])} "
                        f"{letters or '_'} {law_tokens}")
    answers = reference.run(commands)

    for solid, answer in zip(solids, answers):
        assert answer == ("solid", str(solid.face_count))
    assert answers[len(solids) + 1] == (face, list(point), distance)

    tracer = quoria.RayTracer(solids)
    names = {"R": "Reflect", "T": "Transmit", "S": "Stop"}
    for beam, expected in zip(beams, answers[len(solids) + 2:]):
        refraction, skew, stop, amount, letters, laws = beam
        arguments = dict(behaviors=[names[letter] for letter in letters], laws=law_list(laws), **{stop: amount})
        report = tracer.trace_report(point, refraction, skew, **arguments)
        assert len(report) > 0
        assert report.legs.tolist() == expected["legs"]
        assert report.solids.tolist() == expected["solids"]
        assert report.faces.tolist() == expected["faces"]
        assert report.behaviors.tolist() == expected["behaviors"]
        assert report.ending == expected["ending"]
        assert np.array_equal(tracer.trace(point, refraction, skew, **arguments), report.legs)


def test_the_library_messages_reach_python_as_they_stand(reference):
    """The reference program prints the library's bytes; the binding decodes them as Windows-1252."""
    plate = quoria.create_axis_aligned_plate(centre=(0, 0, 0), size_x=10, size_y=10, size_z=10)
    answers = reference.run([Reference.solid_command("create_axis_aligned_plate", plate.parameters), "tracer 0",
                             "trace legs 0x1.0p+0 0x0.0p+0 0x0.0p+0 -0x1.4p+2 0x1.921fb54442d18p+0 0x0.0p+0 _"])
    assert answers[2][0] == "error"
    with pytest.raises(ValueError) as raised:
        quoria.RayTracer(plate).trace((0, 0, -5), math.pi / 2, legs=1)
    assert str(raised.value) == answers[2][1]
    assert "\u00b0" in str(raised.value)
