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


WEDGE_60 = math.asin(2330 / 3230 * math.sin(math.radians(60)))
PLATE = ("create_axis_aligned_plate", dict(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25))
MINE = ("mine", 5000.0, 2500.0)

# Sound: the specimens, the material of each (a built-in name or name, L, T), a rough entry point and the
# solid to snap it onto, and beams: (refraction, skew, "legs", "length" or "time", amount, behaviour
# letters, mode letters).
SOUND_SCENARIOS = {
    "wedge on plate, shear at 60 degrees": (
        [("create_wedge_on_axis_aligned_plate",
          dict(probe_set_origin=(0, 0, 0), length=40, width=20, height=8, wedge_angle=WEDGE_60, roof_angle=0.0,
               rotation_angle=0.0)), PLATE],
        ["rexolite", "steel"], (-30, 0, -32.5), 0,
        [(0.0, 0.0, "time", 40.0, "T", "LT"), (-0.05, 0.1, "legs", 8, "TRRRRR", "LT"),
         (0.0, 0.0, "legs", 6, "T", "LTL"), (-0.1, -0.2, "length", 150.0, "TR", "LLT"),
         (0.0, 0.0, "legs", 4, "", "LTLT")]),
    "wedge on plate, past the first critical angle": (
        [("create_wedge_on_axis_aligned_plate",
          dict(probe_set_origin=(0, 0, 0), length=40, width=20, height=8, wedge_angle=0.628, roof_angle=0.0,
               rotation_angle=0.2)), PLATE],
        ["Cross-linked polystyrene", "Carbon steel"], (-20, 0, -22.5), 0,
        [(0.0, 0.0, "legs", 5, "T", "L"), (0.0, 0.0, "legs", 5, "T", "LT"), (-0.2, 0.1, "time", 25.0, "TR", "LTL")]),
    "wedge on x cylinder": (
        [("create_wedge_on_x_oriented_cylinder",
          dict(probe_set_origin=(0, 0, 0), length=40, width=20, height=8, wedge_angle=math.radians(30),
               roof_angle=0.0, cylinder_centroid=(0, 0, 100))),
         ("create_x_oriented_bar", dict(centre=(0, 0, 100), radius=100, length=400))],
        ["pmma", MINE], (-20, 0, -19.5), 0,
        [(0.0, 0.0, "legs", 6, "TRRRR", "LT"), (-0.2, 0.3, "length", 300.0, "T", "LLTL")]),
    "immersion over a counterbored pipe": (
        [("create_x_oriented_pipe", dict(centre=(0, 0, 0), inner_radius=50, outer_radius=80, length=300)),
         ("create_x_oriented_counterbored_pipe",
          dict(centre=(0, 0, 0), inner_radius=40, outer_radius=50, length=200,
               slopes=[(3, 10, 10), (0, 0, 0), (0, 0, 0), (3, 10, 10)]))],
        ["water", "stainless"], (10, 0, -81), 0,
        [(0.1, 0.0, "legs", 8, "TRRRTR", "LT"), (0.05, 0.2, "time", 120.0, "TRRR", "L"),
         (0.1, 0.0, "legs", 8, "TRT", "LTT"), (0.4, 0.0, "legs", 3, "T", "LL")]),
    "water alone": (
        [("create_axis_aligned_plate", dict(centre=(0, 0, 0), size_x=50, size_y=50, size_z=20))],
        ["Water"], (0, 0, -11), 0, [(0.3, 0.0, "legs", 4, "", "T"), (0.3, 0.0, "time", 0.0, "", "T")]),
}


def material_of(entry):
    return quoria.material(entry) if isinstance(entry, str) else quoria.Material(*entry)


def sound_of(name):
    specimens, media, near, snap_to, beams = SOUND_SCENARIOS[name]
    solids = [getattr(quoria, factory)(**arguments) for factory, arguments in specimens]
    # Built-in materials by their names, the others as quoria.Material.
    sound = quoria.AcousticTracer(solids, [entry if isinstance(entry, str) else material_of(entry)
                                           for entry in media])
    point, _ = solids[snap_to].snap(near)
    names = {"R": "Reflect", "T": "Transmit", "S": "Stop"}
    paths = [sound.trace(point, refraction, skew, behaviors=[names[letter] for letter in letters],
                         modes=list(modes), **{stop: amount})
             for refraction, skew, stop, amount, letters, modes in beams]
    return sound, point, paths


@pytest.mark.parametrize("name", sorted(SOUND_SCENARIOS))
def test_python_sound_equals_the_cpp_one_bit_for_bit(reference, name):
    specimens, media, near, snap_to, beams = SOUND_SCENARIOS[name]
    sound, point, paths = sound_of(name)
    assert sound.materials == tuple(material_of(entry) for entry in media)

    commands = [Reference.solid_command(factory, arguments) for factory, arguments in specimens]
    commands += [Reference.material_command(material) for material in sound.materials]
    indices = " ".join(str(i) for i in range(len(specimens)))
    commands.append(f"sound {len(specimens)} {indices} {indices}")
    for refraction, skew, stop, amount, letters, modes in beams:
        commands.append(f"hear {stop} {float(amount).hex()} {hexes(point)} {hexes([refraction, skew])} "
                        f"{letters or '_'} {modes or '_'}")
    answers = reference.run(commands)[2 * len(specimens) + 1:]

    for beam, path, expected in zip(beams, paths, answers):
        for field in ("solids", "faces", "behaviors", "legs", "speeds", "times"):
            assert getattr(path, field).tolist() == expected[field], (beam, field)
        assert (path.modes, path.time, path.ending, path.message) == (
            expected["modes"], expected["time"], expected["ending"], expected["message"]), beam
        # The library's time of each leg, by the same operations.
        assert np.array_equal(path.times, 1000 * path.lengths / path.speeds), beam


def test_the_sound_scenarios_reach_every_ending_of_sound():
    endings = {path.ending for name in SOUND_SCENARIOS for path in sound_of(name)[2]}
    assert {"legs", "length", "time", "critical-angle", "error"} <= endings


def test_materials_and_snell_equal_the_cpp_ones_bit_for_bit(reference):
    angles = [0.0, 0.3, -0.6, math.radians(36), math.radians(46.5), math.pi / 2, -math.pi / 2]
    speeds = [(2330.0, 3230.0), (3230.0, 2330.0), (1480.0, 5900.0), (5900.0, 5900.0)]
    commands = ["table", "find STEEL", "find rexolite", "find Glycerol"]
    calls = []
    for first, second in speeds:
        commands.append(f"critical {hexes([first, second])}")
        calls.append(lambda first=first, second=second: quoria.critical_angle(first, second))
        for angle in angles:
            for function, command in ((quoria.refracted_angle, "refracted"),
                                      (quoria.incidence_for_refracted_angle, "incidence")):
                commands.append(f"{command} {hexes([angle, first, second])}")
                calls.append(lambda f=function, a=angle, v=first, w=second: f(a, v, w))
    answers = reference.run(commands)

    table, steel, rexolite, glycerine = answers[:4]
    assert [(m.name, m.longitudinal_speed, m.shear_speed) for m in quoria.materials()] == table
    for answer, name in ((steel, "STEEL"), (rexolite, "rexolite"), (glycerine, "Glycerol")):
        found = quoria.material(name)
        assert (found.name, found.longitudinal_speed, found.shear_speed) == answer
    assert [call() for call in calls] == answers[4:]
    assert None in answers[4:]

    # Over arrays, each element is the number's answer, NaN for none.
    for first, second in speeds:
        for function in (quoria.refracted_angle, quoria.incidence_for_refracted_angle):
            singles = [function(angle, first, second) for angle in angles]
            assert np.array_equal(function(np.array(angles), first, second),
                                  [math.nan if value is None else value for value in singles], equal_nan=True)
