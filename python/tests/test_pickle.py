"""Solids, tracers and results travel to other processes by their construction parameters."""

import concurrent.futures
import multiprocessing
import pickle

import numpy as np

import quoria
from test_reference import SCENARIOS


def test_every_kind_of_solid_and_its_tracer_round_trip(reference=None):
    for name, (specimens, near, snap_to, beams) in SCENARIOS.items():
        solids = [getattr(quoria, factory)(**arguments) for factory, arguments in specimens]
        for solid in solids:
            copy = pickle.loads(pickle.dumps(solid))
            assert copy == solid and copy is not solid, name
            assert (repr(copy), copy.parameters, copy.factory) == (repr(solid), solid.parameters, solid.factory)
        tracer = quoria.RayTracer(solids)
        copy = pickle.loads(pickle.dumps(tracer))
        assert list(copy.solids) == solids
        point, _ = solids[snap_to].snap(near)
        refraction, skew = beams[0][:2]
        original = tracer.trace_report(point, refraction, skew, legs=20)
        travelled = pickle.loads(pickle.dumps(original))
        assert np.array_equal(copy.trace(point, refraction, skew, legs=20), original.legs)
        for field in ("legs", "solids", "faces", "behaviors", "lengths", "ending"):
            assert np.array_equal(getattr(travelled, field), getattr(original, field)), field


def test_small_values_round_trip():
    values = [quoria.SlopeConfiguration(1, 2, 3), quoria.Material("pmma", 2730, 1430), quoria.Behavior.Transmit,
              quoria.WaveMode.T, quoria.Face(1, 4, "Ring")]
    for value in values:
        assert pickle.loads(pickle.dumps(value)) == value


def test_a_tracer_traces_in_a_worker_process(wedge_on_plate):
    tracer = quoria.RayTracer(list(wedge_on_plate))
    point, _ = wedge_on_plate[0].snap((-20, 0, -22.5))
    context = multiprocessing.get_context("spawn")
    with concurrent.futures.ProcessPoolExecutor(max_workers=1, mp_context=context) as pool:
        legs = pool.submit(tracer.trace, point, 0.1, legs=6, behaviors=["Transmit"]).result(timeout=120)
    assert np.array_equal(legs, tracer.trace(point, 0.1, legs=6, behaviors=["Transmit"]))


def test_sound_round_trips_and_traces_in_a_worker_process(wedge_on_plate):
    materials = [quoria.material("rexolite"), quoria.Material("mine", 5000.0, 2500.0)]
    sound = quoria.AcousticTracer(list(wedge_on_plate), materials)
    copy = pickle.loads(pickle.dumps(sound))
    assert list(copy.solids) == list(wedge_on_plate) and copy.materials == tuple(materials)
    assert repr(copy) == repr(sound)
    point, _ = wedge_on_plate[0].snap((-20, 0, -22.5))
    fields = ("legs", "solids", "faces", "behaviors", "lengths", "ending", "modes", "speeds", "times", "time",
              "message")
    paths = [sound.trace(point, -0.1, legs=6, behaviors=["Transmit"], modes="LT"),
             quoria.AcousticTracer(wedge_on_plate[1], "water").trace((0, 0, 0), legs=2, modes="T")]
    assert [path.ending for path in paths] == ["legs", "error"]
    for path in paths:
        travelled = pickle.loads(pickle.dumps(path))
        assert type(travelled) is quoria.AcousticReport
        for field in fields:
            assert np.array_equal(getattr(travelled, field), getattr(path, field)), field
    again = copy.trace(point, -0.1, legs=6, behaviors=["Transmit"], modes="LT")
    assert np.array_equal(again.legs, paths[0].legs) and again.times.tolist() == paths[0].times.tolist()

    context = multiprocessing.get_context("spawn")
    with concurrent.futures.ProcessPoolExecutor(max_workers=1, mp_context=context) as pool:
        remote = pool.submit(sound.trace, point, -0.1, legs=6, behaviors=["Transmit"], modes="LT").result(timeout=120)
    for field in fields:
        assert np.array_equal(getattr(remote, field), getattr(paths[0], field)), field
