"""What a caller can pass wrongly: the library's messages as ValueError, and named TypeError or ValueError for
wrong types and shapes; nothing crashes or leaks."""

import math
import sys

import numpy as np
import pytest

import quoria

TRACE = "RayTracer::CalculateLegsFromEntryPoint : "


def message(call):
    with pytest.raises((ValueError, TypeError, IndexError)) as raised:
        call()
    return type(raised.value), str(raised.value)


def plate_with(**changes):
    arguments = dict(centre=(0, 0, 0), size_x=10, size_y=10, size_z=10)
    arguments.update(changes)
    return quoria.create_axis_aligned_plate(**arguments)


def test_the_library_refusals_are_value_errors_with_its_exact_messages(plate):
    slope = quoria.SlopeConfiguration(1, 2, 3)
    tracer = quoria.RayTracer(plate)
    wedge = dict(probe_set_origin=(0, 0, 0), length=40, width=20, height=8, wedge_angle=0.5, roof_angle=0.0,
                 rotation_angle=0.0)
    cases = [
        (lambda: plate_with(size_y=0), "RectangularPrism::RectangularPrism : Prism sizes must be larger than 0."),
        (lambda: quoria.create_x_oriented_bar(centre=(0, 0, 0), radius=-1, length=2),
         "Bar::Bar : Radius must be positive."),
        (lambda: quoria.create_wedge_on_axis_aligned_plate(**{**wedge, "roof_angle": 0.1}),
         "CreationUtilitiesWedge : Roof angle must be equal to 0\u00b0."),
        (lambda: quoria.create_wedge_on_axis_aligned_plate(**{**wedge, "wedge_angle": 2.0}),
         "CreationUtilitiesWedge : Wedge angle must be contained within [-90\u00b0, 90\u00b0]."),
        # The library's own spelling, as callers match it.
        (lambda: quoria.SlopeConfiguration(1, 2, -3),
         "SlopeConfiguraiton::SlopeConfiguration : Offset must be positive."),
        (lambda: quoria.create_y_oriented_counterbored_pipe(centre=(0, 0, 0), inner_radius=40, outer_radius=50,
                                                            length=200, slopes=[(-1, 0, 0)] * 4),
         "SlopeConfiguration::SlopeConfiguration : Height must be positive."),
        (lambda: setattr(slope, "width", -1), "SlopeConfiguration::SetWidth : Width must be positive."),
        (lambda: quoria.RayTracer([]), "RayTracer::RayTracer : The configuration must contain at least one solid."),
        (lambda: tracer.trace((0, 0, 0), length=-1), TRACE + "Requested total ray length must be larger than 0."),
        (lambda: tracer.trace((0, 0, 0), math.pi / 2, legs=1),
         TRACE + "Beam refraction angle must be contained within ]-90\u00b0, 90\u00b0[."),
        (lambda: tracer.trace((0, 0, -1), legs=1), TRACE + "Entry point is not on the configuration or is on a corner."),
        # On the edge of the top face and the x = -60 end.
        (lambda: tracer.trace_report((-60, 0, 0), legs=1),
         TRACE + "Entry point is not on the configuration or is on a corner."),
        (lambda: tracer.trace((0, 0, float("nan")), legs=1),
         TRACE + "Entry point is not on the configuration or is on a corner."),
        (lambda: plate.snap((150, 40, 10)), "SnapToFace : The point projects onto no face of the solid."),
        (lambda: plate.snap((140, 0, -5)), "SnapToFace : The point projects onto an edge of the solid."),
        (lambda: quoria.Material("x", 3000, 3000),
         "Material::Material : The shear speed must be smaller than the longitudinal speed."),
        (lambda: quoria.Material("x", float("nan"), 0),
         "Material::Material : The longitudinal speed must be positive and finite."),
    ]
    for call, expected in cases:
        assert message(call) == (ValueError, expected)
    # The slope kept its width.
    assert slope.width == 2.0


def test_a_zero_count_or_length_returns_no_leg_before_any_check(plate):
    tracer = quoria.RayTracer(plate)
    legs = tracer.trace((1e9, 0, 0), 2.0, legs=0)
    assert legs.shape == (0, 2, 3) and legs.dtype == np.float64
    report = tracer.trace_report((1e9, 0, 0), 2.0, length=0.0)
    assert (len(report), report.ending, report.faces.dtype) == (0, "length", np.int32)


def test_wrong_types_and_shapes_name_the_argument(plate):
    tracer = quoria.RayTracer(plate)
    top = (0, 0, 0)
    three = "must be a sequence of three numbers"
    cases = [
        (lambda: plate_with(centre="abc"), (TypeError, f"centre {three}, not str")),
        (lambda: plate_with(centre=(1, 2)), (ValueError, f"centre {three}, not an array of shape (2,)")),
        (lambda: plate_with(centre=np.zeros((3, 1))), (ValueError, f"centre {three}, not an array of shape (3, 1)")),
        (lambda: plate_with(centre=np.array([])), (ValueError, f"centre {three}, not an array of shape (0,)")),
        (lambda: plate_with(centre=[1, "a", 3]), (TypeError, f"centre {three}, not list")),
        (lambda: plate_with(size_x="10"), (TypeError, "size_x must be a number, not str")),
        (lambda: plate_with(size_z=None), (TypeError, "size_z must be a number, not NoneType")),
        (lambda: plate_with(size_y=10 ** 400), (ValueError, "size_y is too large for a double")),
        (lambda: quoria.create_x_oriented_counterbored_pipe(centre=top, inner_radius=40, outer_radius=50, length=200,
                                                            slopes=[(0, 0, 0)] * 3),
         (ValueError, "slopes must hold four slope configurations, one per quadrant, not 3")),
        (lambda: quoria.create_x_oriented_counterbored_pipe(centre=top, inner_radius=40, outer_radius=50, length=200,
                                                            slopes=[(0, 0, 0), "x", (0, 0, 0), (0, 0, 0)]),
         (TypeError, "slopes[1] must be a quoria.SlopeConfiguration or (height, width, offset), not str")),
        (lambda: quoria.create_x_oriented_counterbored_pipe(centre=top, inner_radius=40, outer_radius=50, length=200,
                                                            slopes=[(0, 0, 0)] * 3 + [(1, 2)]),
         (ValueError, "slopes[3] must be a quoria.SlopeConfiguration or (height, width, offset), "
                      "not a sequence of 2")),
        (lambda: quoria.RayTracer([plate, 3]), (TypeError, "solids[1] must be a quoria.Solid, not int")),
        (lambda: tracer.trace(top), (TypeError, "give legs or length: the trace ends after that many legs or once "
                                                "the legs reach that total length")),
        (lambda: tracer.trace(top, legs=1, length=2.0), (TypeError, "give legs or length, not both")),
        (lambda: tracer.trace(top, legs=2.5), (TypeError, "legs must be an integer, not float")),
        (lambda: tracer.trace(top, legs=True), (TypeError, "legs must be an integer, not bool")),
        (lambda: tracer.trace(top, legs=-1), (ValueError, "legs must be zero or more, not -1")),
        (lambda: tracer.trace(top, "0.5", legs=1), (TypeError, "refraction_angle must be a number, not str")),
        (lambda: tracer.trace(top, skew_angle=[1], legs=1), (TypeError, "skew_angle must be a number, not list")),
        (lambda: tracer.trace(top, legs=1, behaviors="Transmit"),
         (TypeError, "behaviors must be a sequence of behaviours, not str")),
        (lambda: tracer.trace(top, legs=1, behaviors=["Reflect", "Bounce"]),
         (ValueError, "behaviors[1] must be 'Reflect', 'Transmit' or 'Stop', not 'Bounce'")),
        (lambda: tracer.trace(top, legs=1, behaviors=[1]),
         (TypeError, "behaviors[0] must be 'Reflect', 'Transmit', 'Stop', a quoria.Behavior or a callable, not int")),
        (lambda: tracer.trace(top, legs=3, behaviors=["Reflect", lambda face: "Bounce"]),
         (ValueError, "behaviors[1] must return 'Reflect', 'Transmit' or 'Stop', not 'Bounce'")),
        (lambda: tracer.trace(top, legs=3, behaviors=[lambda face: None]),
         (TypeError, "behaviors[0] must return 'Reflect', 'Transmit', 'Stop', a quoria.Behavior, not NoneType")),
        (lambda: tracer.trace(top, legs=1, laws=lambda angle: angle),
         (TypeError, "laws must be a sequence of laws (callables or None), not function")),
        (lambda: tracer.trace(top, legs=1, laws=[None, 3]), (TypeError, "laws[1] must be a callable or None, not int")),
        (lambda: tracer.trace(top, 0.3, legs=3, laws=[None, lambda angle: "x"]),
         (TypeError, "laws[1] must return an angle in radians, not str")),
        (lambda: tracer.trace(top, 0.3, legs=3, laws=[lambda angle: math.inf]),
         (ValueError, "laws[0] must return a finite angle in radians, not inf")),
        (lambda: plate.face_normal(6, top), (IndexError, "face must be below the solid's 6 faces, not 6")),
        (lambda: quoria.create_x_oriented_bar(centre=top, radius=1, length=2).face_normal(0, (0, 0, 5)),
         (ValueError, "CylindricalSurface::GetNormal : Point is not contained in CylindricalSurface.")),
        (lambda: quoria.Material(3, 1, 0), (TypeError, "name must be a str, not int")),
        (lambda: quoria.Material("water", 1480, 0).speed("S"), (ValueError, "mode must be 'L' or 'T', not 'S'")),
    ]
    for call, expected in cases:
        assert message(call) == expected


def test_what_the_caller_passes_never_crashes(plate):
    tracer = quoria.RayTracer(plate)
    top = (0, 0, 0)
    # Counts beyond unsigned int are clamped: the tracer stops at 250 legs anyway.
    assert tracer.trace_report(top, 0.2, legs=10 ** 30).ending == "limit"
    assert len(tracer.trace(top, 0.2, legs=2 ** 32 + 3)) == 250
    # What the library makes of NaN and infinities, without a crash.
    assert len(tracer.trace(top, float("nan"), legs=5)) <= 250
    assert tracer.trace_report(top, 0.2, length=float("nan")).ending == "limit"
    assert tracer.trace_report(top, 0.2, length=float("inf")).ending == "limit"
    with pytest.raises(ValueError):
        plate_with(size_x=float("inf"))
    quoria.create_x_oriented_bar(centre=(0, 0, float("nan")), radius=1, length=2)
    # Long lists of behaviours and laws are read, and only the first ones used.
    many = tracer.trace(top, 0.2, legs=3, behaviors=["Reflect"] * 100000, laws=[None] * 100000)
    assert np.array_equal(many, tracer.trace(top, 0.2, legs=3))


class Raised(Exception):
    pass


def test_exceptions_of_laws_and_behaviours_propagate_as_themselves_and_nothing_leaks(plate):
    tracer = quoria.RayTracer(plate)
    errors = []

    def law(angle):
        errors.append(Raised("from the law"))
        raise errors[-1]

    def behavior(face):
        raise KeyError(face.index)

    before = sys.getrefcount(law), sys.getrefcount(behavior), sys.getrefcount(tracer)
    for _ in range(50):
        with pytest.raises(Raised) as raised:
            tracer.trace((0, 0, 0), 0.3, legs=4, laws=[None, law])
        assert raised.value is errors[-1]
        with pytest.raises(KeyError) as raised:
            tracer.trace_report((0, 0, 0), 0.3, legs=4, behaviors=[behavior])
        # The bottom face, z = 25, is the plate's face 5.
        assert raised.value.args == (5,)
    del raised, errors[:]
    assert (sys.getrefcount(law), sys.getrefcount(behavior), sys.getrefcount(tracer)) == before
    # The tracer traces on as before.
    assert tracer.trace_report((0, 0, 0), 0.3, legs=4).ending == "legs"


SOUND = "AcousticTracer::Trace : "
KNOWN = ("FindMaterial : Unknown material; the known names are Carbon steel, Austenitic stainless steel, Aluminium, "
         "Titanium, Copper, Grey cast iron, Ductile cast iron, Acrylic, Cross-linked polystyrene, Polystyrene, Water, "
         "Glycerine, and the short names steel, mild steel, stainless, stainless steel, aluminum, cast iron, "
         "nodular cast iron, pmma, rexolite, glycerin, glycerol.")


def test_sound_refusals_and_the_order_of_its_checks(plate):
    sound = quoria.AcousticTracer(plate, "steel")
    top, off = (0, 0, 0), (0, 0, -1)
    within = "must be contained within [-90\u00b0, 90\u00b0]."
    cases = [
        (lambda: quoria.AcousticTracer([], []),
         (ValueError, "AcousticTracer::AcousticTracer : The configuration must contain at least one solid.")),
        (lambda: quoria.AcousticTracer([plate, plate], ["steel"]),
         (ValueError, "AcousticTracer::AcousticTracer : There must be one material per solid, in the same order.")),
        (lambda: quoria.AcousticTracer(plate, []),
         (ValueError, "AcousticTracer::AcousticTracer : There must be one material per solid, in the same order.")),
        (lambda: quoria.AcousticTracer(plate, "unobtainium"), (ValueError, KNOWN)),
        (lambda: quoria.material("Steel "), (ValueError, KNOWN)),
        (lambda: sound.trace(top, time=-1.0), (ValueError, SOUND + "The total time must be positive or zero, and finite.")),
        (lambda: sound.trace(top, time=math.inf),
         (ValueError, SOUND + "The total time must be positive or zero, and finite.")),
        (lambda: sound.trace(top, length=math.nan),
         (ValueError, SOUND + "The total length must be positive or zero, and finite.")),
        # The stop is checked before the beam.
        (lambda: sound.trace(off, math.pi, time=-1.0),
         (ValueError, SOUND + "The total time must be positive or zero, and finite.")),
        (lambda: sound.trace(top, -math.pi / 2, legs=1),
         (ValueError, SOUND + "Beam refraction angle must be contained within ]-90\u00b0, 90\u00b0[.")),
        (lambda: sound.trace(off, legs=1), (ValueError, SOUND + "Entry point is not on the configuration or is on a corner.")),
        (lambda: quoria.refracted_angle(0, 0, 1), (ValueError, "RefractedAngle : Speeds must be positive and finite.")),
        (lambda: quoria.refracted_angle(2, 0, 1), (ValueError, "RefractedAngle : Incidence angle " + within)),
        (lambda: quoria.refracted_angle(math.nan, 1, 1), (ValueError, "RefractedAngle : Incidence angle " + within)),
        (lambda: quoria.critical_angle(1, math.inf), (ValueError, "CriticalAngle : Speeds must be positive and finite.")),
        (lambda: quoria.incidence_for_refracted_angle(-2, 1, 1),
         (ValueError, "IncidenceForRefractedAngle : Refracted angle " + within)),
        (lambda: quoria.incidence_for_refracted_angle(0, 1, -1),
         (ValueError, "IncidenceForRefractedAngle : Speeds must be positive and finite.")),
        # Over arrays the library refuses the first element it must.
        (lambda: quoria.refracted_angle([0, 0.5, 2], [1, -1, 1], 1),
         (ValueError, "RefractedAngle : Speeds must be positive and finite.")),
    ]
    for call, expected in cases:
        assert message(call) == expected
    # A stop of 0 answers no leg before the beam is looked at.
    for stop in ("legs", "length", "time"):
        path = sound.trace(off, math.pi, **{stop: 0})
        assert (len(path), path.ending, path.speeds.shape, path.modes) == (0, stop, (0,), [])


def test_sound_arguments_of_the_wrong_kind_name_the_argument(plate):
    sound = quoria.AcousticTracer(plate, quoria.material("steel"))
    top = (0, 0, 0)
    cases = [
        (lambda: quoria.AcousticTracer([plate, "plate"], ["steel", "steel"]),
         (TypeError, "solids[1] must be a quoria.Solid, not str")),
        (lambda: quoria.AcousticTracer(plate, 5900), (TypeError, "materials must be a sequence of quoria.Material or names, not int")),
        (lambda: quoria.AcousticTracer([plate, plate], ["steel", None]),
         (TypeError, "materials[1] must be a quoria.Material or the name of a built-in one, not NoneType")),
        (lambda: quoria.material(None), (TypeError, "name must be a str, not NoneType")),
        (lambda: sound.trace(top), (TypeError, "give legs, length or time: the trace ends after that many legs, once the "
                                               "legs reach that total length (mm) or once they reach that total time (\u00b5s)")),
        (lambda: sound.trace(top, length=1.0, time=2.0), (TypeError, "give only one of legs, length and time")),
        (lambda: sound.trace(top, legs=1, length=1.0, time=2.0), (TypeError, "give only one of legs, length and time")),
        (lambda: sound.trace(top, time="1"), (TypeError, "time must be a number, not str")),
        (lambda: sound.trace(top, legs=1.0), (TypeError, "legs must be an integer, not float")),
        (lambda: sound.trace(top, legs=1, modes="LS"), (ValueError, "modes[1] must be 'L' or 'T', not 'S'")),
        (lambda: sound.trace(top, legs=1, modes=["L", 1]),
         (TypeError, "modes[1] must be 'L', 'T' or a quoria.WaveMode, not int")),
        (lambda: sound.trace(top, legs=1, modes=quoria.WaveMode.T),
         (TypeError, "modes must be a sequence of wave modes, not WaveMode")),
        (lambda: sound.trace(top, legs=1, behaviors=["Reflect", "Transmitted"]),
         (ValueError, "behaviors[1] must be 'Reflect', 'Transmit' or 'Stop', not 'Transmitted'")),
        (lambda: sound.trace(top, 0.2, legs=3, behaviors=[lambda face: 1]),
         (TypeError, "behaviors[0] must return 'Reflect', 'Transmit', 'Stop', a quoria.Behavior, not int")),
        (lambda: quoria.refracted_angle("0.5", 1, 1), (TypeError, "incidence_angle must be a number, not str")),
        (lambda: quoria.critical_angle(1, None), (TypeError, "refracted_speed must be a number, not NoneType")),
        (lambda: quoria.incidence_for_refracted_angle([0.1, "a"], 1, 1),
         (TypeError, "refracted_angle must be a number or an array of numbers, not list")),
        (lambda: quoria.refracted_angle(np.zeros(3), [1, 2], np.ones((2, 1))),
         (ValueError, "incidence_angle, incident_speed and refracted_speed cannot be broadcast together: "
                      "shapes (3,), (2,) and (2, 1)")),
    ]
    for call, expected in cases:
        assert message(call) == expected


def test_exceptions_of_sound_behaviours_propagate_and_nothing_leaks(plate):
    sound = quoria.AcousticTracer(plate, "stainless")

    def behavior(face):
        raise KeyError(face.index)

    before = sys.getrefcount(behavior), sys.getrefcount(sound)
    for _ in range(50):
        with pytest.raises(KeyError) as raised:
            sound.trace((0, 0, 0), 0.3, time=100.0, behaviors=[behavior], modes="LT")
        assert raised.value.args == (5,)
    del raised
    assert (sys.getrefcount(behavior), sys.getrefcount(sound)) == before
    assert sound.trace((0, 0, 0), 0.3, legs=4, modes="LT").ending == "legs"
