"""Traces through the binding: legs, faces identified by their normals, behaviours and laws, threads."""

import math
import threading

import numpy as np
import pytest

import quoria

WEDGE_ANGLE = 0.628
ENTRY_NEAR = (-20, 0, -22.5)


def test_the_wedge_on_the_plate_legs_and_faces_by_their_normals(wedge_on_plate):
    wedge, plate = wedge_on_plate
    point, face = wedge.snap(ENTRY_NEAR)
    assert point.dtype == np.float64 and point.shape == (3,)
    # The rough point lies inside the wedge, under its sloping face: the move runs along the face's
    # outward normal, which leans back from the beam's path, towards -x and up (-z).
    moved = point - np.asarray(ENTRY_NEAR)
    normal = wedge.face_normal(face, point)
    assert np.allclose(moved / np.linalg.norm(moved), normal, atol=1e-12)
    assert np.allclose(normal, (-math.sin(WEDGE_ANGLE), 0, -math.cos(WEDGE_ANGLE)), atol=1e-12)

    tracer = quoria.RayTracer([wedge, plate])
    report = tracer.trace_report(point, 0.0, 0.0, legs=5, behaviors=["Transmit"])
    assert (report.legs.shape, report.legs.dtype, report.ending) == ((5, 2, 3), np.float64, "legs")
    assert report.solids.tolist() == [0, 1, 1, 1, 1]
    assert report.behaviors.tolist() == [quoria.Behavior.Transmit, quoria.Behavior.Reflect,
                                         quoria.Behavior.Reflect, quoria.Behavior.Reflect, quoria.Behavior.Stop]
    # The legs are chained, each beginning where the one before ended.
    assert np.array_equal(report.legs[1:, 0], report.legs[:-1, 1])
    assert np.allclose(report.lengths, np.linalg.norm(report.legs[:, 1] - report.legs[:, 0], axis=1))
    # The beam enters along the slope's inward normal, wedge_angle off the vertical, and keeps that
    # direction through the plate: each plate leg crosses its 25 of thickness and runs 25 tan(angle) along x.
    steps = report.legs[:, 1] - report.legs[:, 0]
    assert np.allclose(np.arctan2(steps[:, 0], np.abs(steps[:, 2])), WEDGE_ANGLE, atol=1e-12)
    assert np.allclose(report.legs[1:, 1, 2], [25, 0, 25, 0])
    assert np.allclose(steps[1:, 0], 25 * math.tan(WEDGE_ANGLE))
    # Faces by their outward normals where the legs end: the wedge's bottom (out of the wedge, +z),
    # then the plate's bottom and top in turn.
    solids = (wedge, plate)
    normals = [solids[s].face_normal(f, end)
               for s, f, end in zip(report.solids, report.faces, report.legs[:, 1])]
    assert np.allclose(normals, [(0, 0, 1), (0, 0, 1), (0, 0, -1), (0, 0, 1), (0, 0, -1)], atol=1e-12)
    assert np.array_equal(tracer.trace(point, legs=5, behaviors=["Transmit"]), report.legs)


def test_behaviours_as_names_members_or_callables_and_laws_see_the_angle_from_the_normal(wedge_on_plate):
    wedge, plate = wedge_on_plate
    point, _ = wedge.snap(ENTRY_NEAR)
    tracer = quoria.RayTracer([wedge, plate])
    by_name = tracer.trace(point, legs=5, behaviors=["Transmit", "Reflect"])
    assert np.array_equal(tracer.trace(point, legs=5, behaviors=[quoria.Behavior.Transmit]), by_name)

    seen = []

    def transmit_into_the_plate(face):
        seen.append(face)
        return quoria.Behavior.Transmit if face.solid == 0 else "Reflect"

    legs = tracer.trace(point, legs=5, behaviors=[transmit_into_the_plate] * 5)
    assert np.array_equal(legs, by_name)
    # Asked where legs 1 to 4 end, in order; the fifth ends the trace.
    assert [(f.solid, f.index) for f in seen] == [(0, 1), (1, 5), (1, 4), (1, 5)]
    assert seen[0] == quoria.Face(solid=0, index=1, kind="Polygon")
    assert all(f.kind == "Rectangle" for f in seen[1:])

    angles = []

    def along_the_normal(angle):
        angles.append(angle)
        return 0.0

    turned = tracer.trace_report(point, legs=3, behaviors=["Transmit"], laws=[along_the_normal])
    # Transmitted through the wedge's bottom, whose outward normal is +z: the outgoing direction is
    # wedge_angle from it, and the law turns the beam onto the normal, straight down.
    assert angles == [pytest.approx(WEDGE_ANGLE, abs=1e-12)]
    assert np.allclose(turned.legs[1], [turned.legs[0, 1], turned.legs[0, 1] + (0, 0, 25)], atol=1e-9)
    # A Stop ends the trace where it is asked.
    stopped = tracer.trace_report(point, legs=5, behaviors=["Transmit", "Stop"])
    assert (len(stopped), stopped.ending, stopped.behaviors[-1]) == (2, "stop", quoria.Behavior.Stop)


def test_threads_take_turns_on_one_tracer_and_a_law_may_not_reenter_it(plate):
    tracer = quoria.RayTracer(plate)
    other = quoria.RayTracer(plate)
    beams = [((x, y, 0), 0.1 + 0.01 * i) for i, (x, y) in enumerate([(0, 0), (10, 5), (-20, 8), (30, -9)] * 4)]

    def law(angle):
        # Another tracer may be used from a law, with the GIL taken back.
        other.trace((5, 5, 0), 0.2, legs=2)
        return angle

    expected = [tracer.trace(p, r, 0.3, legs=40, laws=[law] * 40) for p, r in beams]
    results = [None] * len(beams)

    def work(i):
        p, r = beams[i]
        results[i] = tracer.trace(p, r, 0.3, legs=40, laws=[law] * 40)

    threads = [threading.Thread(target=work, args=(i,)) for i in range(len(beams))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert all(np.array_equal(a, b) for a, b in zip(results, expected))

    def reenter(angle):
        tracer.trace((0, 0, 0), legs=1)
        return angle

    with pytest.raises(RuntimeError, match="cannot trace from inside one of its own laws or behaviours"):
        tracer.trace((0, 0, 0), 0.3, legs=3, laws=[reenter])
    assert len(tracer.trace((0, 0, 0), 0.3, legs=3)) == 3


def test_solids_describe_their_faces_and_snap_idempotently():
    slopes = [quoria.SlopeConfiguration(height=5, width=10, offset=10), (5, 90, 10), (5, 0, 10), (5, 0, 10)]
    pipe = quoria.create_y_oriented_counterbored_pipe(centre=(0, 0, 0), inner_radius=40, outer_radius=50,
                                                      length=200, slopes=slopes)
    assert pipe.face_count == len(pipe.face_kinds) == 11
    assert "TruncatedConicalSurface" in pipe.face_kinds and "Ring" in pipe.face_kinds
    assert pipe.parameters["slopes"][1] == (5.0, 90.0, 10.0)
    # In the bore below the narrowing cone (radius 40 at y = 10 to 35 at y = 20): the foot of the
    # perpendicular in the plane x = 0 is (y, r) = (18, 36), sqrt 45 away.
    point, face, distance = pipe.snap(np.array([0.0, 15.0, -30.0]), return_distance=True)
    assert pipe.face_kinds[face] == "TruncatedConicalSurface"
    assert np.allclose(point, (0, 18, -36), atol=1e-9) and distance == pytest.approx(math.sqrt(45), abs=1e-9)
    again, same, moved = pipe.snap(point, return_distance=True)
    assert (np.array_equal(again, point), same, moved) == (True, face, 0.0)
    assert pipe.faces_containing(point).tolist() == [face]
    assert pipe.faces_containing(point).dtype == np.int32


def test_version_and_materials():
    assert quoria.__version__.count(".") == 2
    steel = quoria.Material("steel", 5920, 3230)
    water = quoria.Material("water", 1480, 0)
    assert (steel.speed("L"), steel.speed(quoria.WaveMode.T), steel.carries_shear_waves) == (5920, 3230, True)
    assert (water.speed("T"), water.carries_shear_waves) == (0, False)
    assert steel == quoria.Material("steel", 5920.0, 3230.0) and steel != water
