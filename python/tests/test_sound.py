"""Sound through the binding: materials, Snell's law by hand, and traces whose legs, modes and times are
worked out from the geometry of a wedge on a plate."""

import math
import threading

import numpy as np
import pytest

import quoria

DEGREE = math.pi / 180
# Cross-linked polystyrene, the wedge, and carbon steel, in m/s.
WEDGE_L, STEEL_L, STEEL_T = 2330.0, 5900.0, 3230.0


def test_snell_by_hand_signs_boundaries_and_arrays():
    # sin(54.57) / 3230 = sin(36) / 2330; the second critical angle asin(2330 / 3230).
    assert quoria.refracted_angle(36 * DEGREE, WEDGE_L, STEEL_T) / DEGREE == pytest.approx(54.57, abs=0.005)
    assert quoria.refracted_angle(-36 * DEGREE, WEDGE_L, STEEL_T) / DEGREE == pytest.approx(-54.57, abs=0.005)
    assert quoria.critical_angle(WEDGE_L, STEEL_T) / DEGREE == pytest.approx(46.17, abs=0.005)
    assert quoria.critical_angle(WEDGE_L, STEEL_L) / DEGREE == pytest.approx(23.26, abs=0.005)
    assert quoria.refracted_angle(46 * DEGREE, WEDGE_L, STEEL_T) is not None
    assert quoria.refracted_angle(46.5 * DEGREE, WEDGE_L, STEEL_T) is None
    # Into a slower medium there is no critical angle, nor into one as fast.
    assert quoria.critical_angle(STEEL_T, WEDGE_L) is None and quoria.critical_angle(STEEL_T, STEEL_T) is None
    # The wedge for 60 degrees of shear in steel: sin = 2330 / 3230 sin 60.
    assert quoria.incidence_for_refracted_angle(60 * DEGREE, WEDGE_L, STEEL_T) / DEGREE == pytest.approx(
        38.66, abs=0.005)
    assert quoria.incidence_for_refracted_angle(60 * DEGREE, STEEL_T, WEDGE_L) is None
    # Grazing incidence, +-90 degrees included, refracts at the critical angle of the way back.
    assert quoria.refracted_angle(math.pi / 2, STEEL_T, WEDGE_L) == pytest.approx(math.asin(WEDGE_L / STEEL_T))
    assert quoria.refracted_angle(-math.pi / 2, STEEL_T, WEDGE_L) == pytest.approx(-math.asin(WEDGE_L / STEEL_T))
    with pytest.raises(ValueError, match=r"^RefractedAngle : Incidence angle must be contained within"):
        quoria.refracted_angle(np.nextafter(math.pi / 2, 4), STEEL_T, WEDGE_L)
    # Numbers of any kind give a float; arrays give arrays of their broadcast shape, NaN for no wave.
    assert type(quoria.critical_angle(np.float32(WEDGE_L), 3230)) is float
    angles = quoria.refracted_angle(np.radians([[0, 36], [50, -36]]), WEDGE_L, [STEEL_T, STEEL_T])
    assert angles.shape == (2, 2) and angles.dtype == np.float64
    assert np.allclose(np.degrees(angles), [[0, 54.57], [np.nan, -54.57]], atol=0.005, equal_nan=True)
    critical = quoria.critical_angle([[WEDGE_L], [STEEL_T]], [STEEL_L, STEEL_T])
    assert np.allclose(np.degrees(critical), [[23.26, 46.17], [33.19, np.nan]], atol=0.005, equal_nan=True)
    assert quoria.incidence_for_refracted_angle(np.array(0.5), 1, 1).shape == ()


def test_the_built_in_materials_by_name_and_their_table():
    table = quoria.materials()
    assert [m.name for m in table] == [
        "Carbon steel", "Austenitic stainless steel", "Aluminium", "Titanium", "Copper", "Grey cast iron",
        "Ductile cast iron", "Acrylic", "Cross-linked polystyrene", "Polystyrene", "Water", "Glycerine"]
    steel = quoria.material("steel")
    assert steel == quoria.Material("Carbon steel", STEEL_L, STEEL_T) == quoria.material("CARBON STEEL")
    assert quoria.material("Rexolite").longitudinal_speed == WEDGE_L
    assert quoria.material("water").speed("L") == 1480 and not quoria.material("Water").carries_shear_waves
    assert [m.name for m in table if not m.carries_shear_waves] == ["Water", "Glycerine"]
    # The list is the caller's: the table stays as it is.
    table.clear()
    assert len(quoria.materials()) == 12


def wedge_and_plate(wedge_angle, plate_material="steel", wedge_material="rexolite"):
    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=40, width=20, height=8,
                                                      wedge_angle=wedge_angle, roof_angle=0.0, rotation_angle=0.0)
    plate = quoria.create_axis_aligned_plate(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25)
    sound = quoria.AcousticTracer([wedge, plate], [wedge_material, plate_material])
    # On the sloping face above x = -20: the beam runs along its inward normal, wedge_angle off the
    # vertical, down the 8 + 20 tan(wedge_angle) to the plate.
    return sound, (-20, 0, -8 - 20 * math.tan(wedge_angle))


def directions(path):
    steps = path.legs[:, 1] - path.legs[:, 0]
    return steps / np.linalg.norm(steps, axis=1)[:, None]


def test_sixty_degrees_of_shear_through_a_wedge_on_a_plate():
    wedge_angle = math.asin(WEDGE_L / STEEL_T * math.sin(60 * DEGREE))
    sound, entry = wedge_and_plate(wedge_angle)
    path = sound.trace(entry, time=40.0, behaviors=["Transmit"], modes=["L", "T"])

    # L down the wedge, T at 60 degrees down through the 25 of plate and back up, 25 / cos 60 = 50 each.
    drop = 8 + 20 * math.tan(wedge_angle)
    lengths = np.array([drop / math.cos(wedge_angle), 50, 50])
    speeds = np.array([WEDGE_L, STEEL_T, STEEL_T])
    assert (path.ending, path.modes, path.message) == ("time", ["L", "T", "T"], "")
    assert path.solids.tolist() == [0, 1, 1] and np.array_equal(path.speeds, speeds)
    assert path.behaviors.tolist() == [quoria.Behavior.Transmit, quoria.Behavior.Reflect, quoria.Behavior.Stop]
    assert np.allclose(path.lengths, lengths, atol=1e-9)
    # Microseconds: mm over m/s is ms.
    assert np.allclose(path.times, 1000 * lengths / speeds, rtol=1e-12)
    assert path.time == pytest.approx(np.sum(1000 * lengths / speeds), rel=1e-12)
    assert path.time == pytest.approx(44.152, abs=5e-4) and path.time == sum(path.times)
    sin60, cos60 = math.sin(60 * DEGREE), math.cos(60 * DEGREE)
    assert np.allclose(directions(path), [(math.sin(wedge_angle), 0, math.cos(wedge_angle)),
                                          (sin60, 0, cos60), (sin60, 0, -cos60)], atol=1e-12)
    bottom_of_wedge = entry[0] + drop * math.tan(wedge_angle)
    assert np.allclose(path.legs[:, 1], [(bottom_of_wedge, 0, 0), (bottom_of_wedge + 25 * math.tan(60 * DEGREE), 0, 25),
                                         (bottom_of_wedge + 50 * math.tan(60 * DEGREE), 0, 0)], atol=1e-9)

    # The stops count inclusively: the first leg's own time or length ends the trace after it, a hair
    # more takes the next leg.
    for stop, first in (("time", path.times[0]), ("length", path.lengths[0])):
        at = sound.trace(entry, behaviors=["Transmit"], modes="LT", **{stop: first})
        beyond = sound.trace(entry, behaviors=["Transmit"], modes="LT", **{stop: np.nextafter(first, 1e9)})
        assert (len(at), at.ending, len(beyond), beyond.ending) == (1, stop, 2, stop)
        assert np.array_equal(at.legs, path.legs[:1]) and np.array_equal(beyond.legs, path.legs[:2])
    # The modes as a string, names or members, and modes past the last leg's keep it.
    for modes in ("LT", ("L", "T"), [quoria.WaveMode.L, quoria.WaveMode.T], "LTTTTTT"):
        same = sound.trace(entry, time=40.0, behaviors=["Transmit"], modes=modes)
        assert np.array_equal(same.legs, path.legs) and same.modes == path.modes


def test_mode_conversion_on_reflection_and_critical_angles():
    # L at 60 degrees in steel (sin = 2330 / 5900 sin 60 in the wedge) reflects off the bottom as T at
    # asin(3230 / 5900 sin 60) = 28.30 degrees, back up and on along +x.
    l60 = math.asin(WEDGE_L / STEEL_L * math.sin(60 * DEGREE))
    sound, entry = wedge_and_plate(l60)
    path = sound.trace(entry, legs=3, behaviors=["Transmit"], modes="LLT")
    t = math.asin(STEEL_T / STEEL_L * math.sin(60 * DEGREE))
    assert t / DEGREE == pytest.approx(28.30, abs=0.005)
    assert np.allclose(directions(path)[1:], [(math.sin(60 * DEGREE), 0, math.cos(60 * DEGREE)),
                                              (math.sin(t), 0, -math.cos(t))], atol=1e-12)
    assert path.speeds.tolist() == [WEDGE_L, STEEL_L, STEEL_T]

    # T at 60 degrees cannot reflect as L (sin = 5900 / 3230 sin 60 > 1): the trace ends at the bottom,
    # the last leg with the Reflect that could not be carried out. As T it mirrors.
    wedge_angle = math.asin(WEDGE_L / STEEL_T * math.sin(60 * DEGREE))
    sound, entry = wedge_and_plate(wedge_angle)
    cut = sound.trace(entry, legs=4, behaviors=["Transmit"], modes="LTL")
    assert (cut.ending, cut.modes, cut.behaviors.tolist()) == ("critical-angle", ["L", "T"], [1, 0])
    mirrored = sound.trace(entry, legs=4, behaviors=["Transmit"], modes="LTT")
    assert np.array_equal(mirrored.legs[:2], cut.legs) and len(mirrored) == 4

    # 0.628 rad (35.98 degrees) is past the first critical angle, 23.26, and before the second, 46.17.
    sound, entry = wedge_and_plate(0.628)
    longitudinal = sound.trace(entry, legs=3, behaviors=["Transmit"], modes="L")
    assert (longitudinal.ending, len(longitudinal), longitudinal.behaviors.tolist()) == ("critical-angle", 1, [1])
    shear = sound.trace(entry, legs=3, behaviors=["Transmit"], modes="LT")
    refracted = math.asin(STEEL_T / WEDGE_L * math.sin(0.628))
    assert np.allclose(directions(shear)[1], (math.sin(refracted), 0, math.cos(refracted)), atol=1e-12)
    assert np.array_equal(shear.legs[0], longitudinal.legs[0])


def test_a_shear_wave_in_water_ends_the_trace_with_a_message():
    sound, entry = wedge_and_plate(0.628, plate_material="water")
    # Rexolite carries T: reflected inside the wedge, the wave may be T.
    inside = sound.trace(entry, legs=3, modes="T")
    assert (inside.ending, inside.solids.tolist(), inside.modes) == ("legs", [0, 0, 0], ["T"] * 3)
    into_water = sound.trace(entry, legs=3, modes="LT", behaviors=["Transmit"])
    assert (into_water.ending, len(into_water), into_water.behaviors.tolist()) == ("error", 1, [1])
    assert into_water.message == 'AcousticTracer::Trace : Leg 2 cannot be a T wave: "Water" carries no shear wave.'
    assert into_water.time == into_water.times[0]
    plate = quoria.create_axis_aligned_plate(centre=(0, 0, 0), size_x=10, size_y=10, size_z=10)
    none = quoria.AcousticTracer(plate, quoria.material("glycerol")).trace((0, 0, -5), legs=2, modes=["T"])
    assert (none.ending, len(none), none.time, none.legs.shape) == ("error", 0, 0.0, (0, 2, 3))
    assert none.message == 'AcousticTracer::Trace : Leg 1 cannot be a T wave: "Glycerine" carries no shear wave.'


def test_one_material_throughout_traces_as_the_ray_tracer():
    sound, entry = wedge_and_plate(0.628, plate_material="steel", wedge_material="steel")
    path = sound.trace(entry, 0.1, 0.2, legs=7, behaviors=["Transmit"])
    legs = quoria.RayTracer(list(sound.solids)).trace(entry, 0.1, 0.2, legs=7, behaviors=["Transmit"])
    assert np.array_equal(path.legs, legs) and path.modes == ["L"] * 7
    assert np.array_equal(path.times, 1000 * path.lengths / STEEL_L)


def test_behaviour_callables_threads_and_turns():
    sound, entry = wedge_and_plate(0.628)
    seen = []

    def into_the_plate(face):
        seen.append(face)
        return "Transmit" if face.solid == 0 else quoria.Behavior.Reflect

    path = sound.trace(entry, legs=4, behaviors=[into_the_plate] * 4, modes="LT")
    assert np.array_equal(path.legs, sound.trace(entry, legs=4, behaviors=["Transmit"], modes="LT").legs)
    assert [(f.solid, f.kind) for f in seen] == [(0, "Polygon"), (1, "Rectangle"), (1, "Rectangle")]

    rays = quoria.RayTracer(list(sound.solids))

    def asks_another_tracer(face):
        rays.trace(entry, legs=2)
        return "Transmit"

    beams = [0.01 * i for i in range(-8, 8)]
    expected = [sound.trace(entry, r, 0.1, legs=30, behaviors=[asks_another_tracer], modes="LT") for r in beams]
    results = [None] * len(beams)

    def work(i):
        results[i] = sound.trace(entry, beams[i], 0.1, legs=30, behaviors=[asks_another_tracer], modes="LT")

    threads = [threading.Thread(target=work, args=(i,)) for i in range(len(beams))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert all(np.array_equal(a.legs, b.legs) and a.times.tolist() == b.times.tolist()
               for a, b in zip(results, expected))

    def reenters(face):
        sound.trace(entry, legs=1)
        return "Transmit"

    with pytest.raises(RuntimeError, match="^an AcousticTracer cannot trace from inside one of its own behaviours$"):
        sound.trace(entry, legs=3, behaviors=[reenters])
    assert len(sound.trace(entry, legs=3)) == 3
