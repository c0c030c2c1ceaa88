"""Many beams at once: the same legs as one trace at a time, errors per beam, the GIL, Ctrl-C."""

import math
import pickle
import sys
import threading
import time
import types

import numpy as np
import pytest

import quoria

ENTRY = "RayTracer::CalculateLegsFromEntryPoint : "


def specimens():
    """A wedge on a plate, a pipe, a counterbored plate: each with points of its faces, some off them."""
    plate = quoria.create_axis_aligned_plate(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25)
    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=40, width=20, height=8,
                                                      wedge_angle=0.628, roof_angle=0.0, rotation_angle=0.0)
    pipe = quoria.create_x_oriented_pipe(centre=(0, 0, 0), inner_radius=40, outer_radius=50, length=300)
    bevel = quoria.create_axis_aligned_counterbored_plate(centre=(0, 0, 12.5), size_x=200, size_y=60, size_z=25,
                                                          slopes=[(5, 10, 20)] * 4)
    slope, _ = wedge.snap((-20, 0, -22.5))
    return [
        ([wedge, plate], [slope, (30, 0, 0), (100, 5, 25), (0, 0, -100)]),
        (pipe, [(0, 0, 50), (10, 50, 0), (20, 0, -40), (0, 0, 45)]),
        (bevel, [(-60, 3, 0), (60, 3, 25), (0, 0, 12.5), (-100, 0, 10)]),
    ]


def test_many_beams_give_the_legs_endings_and_errors_of_one_at_a_time():
    rng = np.random.default_rng(7)
    for solids, entries in specimens():
        tracer = quoria.RayTracer(solids)
        points = np.repeat(np.asarray(entries, dtype=float), 6, axis=0)
        refraction = rng.uniform(-1.2, 1.2, len(points))
        # One angle out of range, and one point not on any face: both fail alone.
        refraction[3] = 2.0
        skew = rng.uniform(-math.pi, math.pi, len(points))
        for stop in ({"legs": 7}, {"length": 180.0}):
            many = tracer.trace_many(points, refraction, skew, behaviors=["Transmit"], threads=2, **stop)
            assert len(many) == len(points) == len(many.endings)
            assert many.offsets[0] == 0 and many.offsets[-1] == len(many.lengths) == len(many.starts)
            for i, (point, r, s) in enumerate(zip(points, refraction, skew)):
                try:
                    report = tracer.trace_report(point, r, s, behaviors=["Transmit"], **stop)
                except ValueError as refused:
                    assert (many.endings[i], many.errors[i]) == ("error", str(refused))
                    assert len(many[i]) == 0
                    continue
                assert i not in many.errors
                legs = slice(many.offsets[i], many.offsets[i + 1])
                assert np.array_equal(many[i], report.legs)
                assert np.array_equal(many.starts[legs], report.legs[:, 0])
                assert np.array_equal(many.ends[legs], report.legs[:, 1])
                assert np.array_equal(many.lengths[legs], report.lengths)
                for name in ("solids", "faces", "behaviors"):
                    assert np.array_equal(getattr(many, name)[legs], getattr(report, name)), name
                assert many.endings[i] == report.ending
            assert many.errors[3].startswith(ENTRY)
            # Beams fail alone: the others are traced.
            assert 0 < len(many.errors) < len(points) - 6
            assert many[-1].shape[1:] == (2, 3) and np.array_equal(many[-1], many[len(many) - 1])
            with pytest.raises(IndexError):
                many[len(many)]


def test_the_arrays_are_owned_by_numpy_and_pickle():
    tracer = quoria.RayTracer(quoria.create_axis_aligned_plate(centre=(0, 0, 10), size_x=100, size_y=100, size_z=20))
    many = tracer.trace_many([(0, 0, 0), (5, 5, 0)], [0.3, -0.3], legs=3)
    dtypes = [(name, getattr(many, name).dtype) for name in
              ("offsets", "starts", "ends", "lengths", "solids", "faces", "behaviors")]
    assert dtypes == [("offsets", np.int64), ("starts", np.float64), ("ends", np.float64), ("lengths", np.float64),
                      ("solids", np.int32), ("faces", np.int32), ("behaviors", np.int32)]
    starts = many.starts
    # No copy: the array's base is the capsule that frees the library's vector.
    assert starts.base is not None and not starts.flags.owndata
    del many
    assert starts.shape == (6, 3) and np.array_equal(starts[0], (0, 0, 0))
    again = pickle.loads(pickle.dumps(tracer.trace_many([(0, 0, 0)], 0.3, legs=2)))
    assert np.array_equal(again[0], tracer.trace((0, 0, 0), 0.3, legs=2)) and again.endings == ["legs"]


def test_wrong_arguments_name_themselves_and_odd_values_fail_their_beam_alone():
    plate = quoria.create_axis_aligned_plate(centre=(0, 0, 10), size_x=100, size_y=100, size_z=20)
    tracer = quoria.RayTracer(plate)
    cases = [
        (TypeError, "points must be an array of shape (N, 3), not str", ("abc",), {"legs": 1}),
        (TypeError, "points must be an array of shape (N, 3), not NoneType", (None,), {"legs": 1}),
        (ValueError, "points must be an array of shape (N, 3), not an array of shape (3,)", ((0, 0, 0),),
         {"legs": 1}),
        (ValueError, "points must be an array of shape (N, 3), not an array of shape (2, 2)", ([[0, 0], [1, 1]],),
         {"legs": 1}),
        (ValueError, "refraction_angles must be a number or an array of shape (2,), one per point, not an array "
                     "of shape (3,)", ([(0, 0, 0)] * 2, [0, 0, 0]), {"legs": 1}),
        (TypeError, "skew_angles must be a number or an array of numbers, not str", ([(0, 0, 0)], 0, "x"),
         {"legs": 1}),
        (TypeError, "give legs or length: the trace ends after that many legs or once the legs reach that total "
                    "length", ([(0, 0, 0)],), {}),
        (ValueError, "threads must be zero or more, not -1", ([(0, 0, 0)],), {"legs": 1, "threads": -1}),
        (TypeError, "behaviors[0] must be 'Reflect', 'Transmit', 'Stop', a quoria.Behavior or a callable, not "
                    "int", ([(0, 0, 0)],), {"legs": 1, "behaviors": [3]}),
    ]
    for error, message, args, keywords in cases:
        with pytest.raises(error) as raised:
            tracer.trace_many(*args, **keywords)
        assert str(raised.value) == message
    # The library's own refusal of the whole batch comes before any beam.
    with pytest.raises(ValueError, match="^TraceBatch : Requested total ray length must be larger than 0.$"):
        tracer.trace_many([(0, 0, 0), (math.nan, 0, 0)], length=-1.0)

    for empty in ([], np.empty((0, 3))):
        none = tracer.trace_many(empty, legs=3)
        assert (len(none), none.offsets.tolist(), none.starts.shape, none.endings, none.errors) == (
            0, [0], (0, 3), [], {})
    odd = tracer.trace_many([(math.nan, 0, 0), (0, 0, math.inf), (0, 0, 0), (0, 0, 0), (0, 0, 0)],
                            [0, 0, math.nan, math.inf, 0.4], legs=2)
    # A NaN refraction angle slips past the library's range check, in one trace as in many: no leg, 'open'.
    assert odd.endings == ["error", "error", "open", "error", "legs"]
    assert odd.endings[2] == tracer.trace_report((0, 0, 0), math.nan, legs=2).ending and len(odd[2]) == 0
    assert odd.errors == {
        0: ENTRY + "Entry point is not on the configuration or is on a corner.",
        1: ENTRY + "Entry point is not on the configuration or is on a corner.",
        3: ENTRY + "Beam refraction angle must be contained within ]-90\u00b0, 90\u00b0[.",
    }


def test_a_law_that_raises_fails_its_beam_and_an_interrupt_stops_the_batch():
    plate = quoria.create_axis_aligned_plate(centre=(0, 0, 10), size_x=100, size_y=100, size_z=20)
    tracer = quoria.RayTracer(plate)
    points = [(x, 0, 0) for x in (-10, 0, 10)]

    def law(angle):
        # The angle from the outward normal of the bottom face: pi less the refraction angle.
        if angle < math.pi - 0.35:
            raise ZeroDivisionError("too steep")
        return angle

    many = tracer.trace_many(points, [0.3, 0.4, 0.2], legs=3, laws=[law], threads=2)
    assert many.endings == ["legs", "error", "legs"]
    assert many.errors == {1: "ZeroDivisionError: too steep"}
    assert np.array_equal(many[0], tracer.trace(points[0], 0.3, legs=3, laws=[law]))
    # A law that returns what is not an angle: the binding's message, named as Python names it.
    many = tracer.trace_many(points[:1], 0.3, legs=3, laws=[lambda angle: "steep"])
    assert many.errors == {0: "TypeError: laws[0] must return an angle in radians, not str"}
    # A Python callable serialises the work but stays correct from the library's threads.
    calls = []
    many = tracer.trace_many(points * 50, 0.3, legs=3, behaviors=[lambda face: calls.append(face) or "Reflect"],
                             threads=2)
    assert len(calls) == 150 and many.endings == ["legs"] * 150

    calls.clear()

    def interrupted(angle):
        calls.append(angle)
        raise KeyboardInterrupt

    with pytest.raises(KeyboardInterrupt):
        tracer.trace_many(points * 1000, 0.3, legs=3, laws=[interrupted], threads=1)
    # Once interrupted, no other beam calls into Python.
    assert len(calls) == 1


class FakeBar:
    """Stands for tqdm.tqdm: counts what it is told and, once, simulates Ctrl-C."""

    bars = []

    def __init__(self, total, unit, interrupt=False):
        self.total, self.unit, self.done, self.closed, self.interrupt = total, unit, 0, False, interrupt
        FakeBar.bars.append(self)

    def update(self, count):
        self.done += count
        if self.interrupt:
            import _thread
            _thread.interrupt_main()

    def close(self):
        self.closed = True


def big_batch(count):
    plate = quoria.create_axis_aligned_plate(centre=(0, 0, 10), size_x=100, size_y=100, size_z=20)
    x = np.linspace(-40, 40, count)
    return quoria.RayTracer(plate), np.column_stack([x, np.zeros(count), np.zeros(count)]), np.full(count, 0.7)


def test_progress_bar_and_ctrl_c_cancel(monkeypatch):
    fake = types.ModuleType("tqdm")
    fake.tqdm = FakeBar
    monkeypatch.setitem(sys.modules, "tqdm", fake)
    tracer, points, angles = big_batch(20000)
    FakeBar.bars.clear()
    many = tracer.trace_many(points[:100], angles[:100], legs=5, progress=True)
    (bar,) = FakeBar.bars
    assert (bar.total, bar.unit, bar.done, bar.closed, len(many)) == (100, "beam", 100, True, 100)

    # A signal seen at the first report cancels: the bar is closed short of the end.
    FakeBar.bars.clear()
    fake.tqdm = lambda total, unit: FakeBar(total, unit, interrupt=True)
    with pytest.raises(KeyboardInterrupt):
        tracer.trace_many(points, angles, legs=100, threads=1, progress=True)
    (bar,) = FakeBar.bars
    assert bar.closed and 0 < bar.done < len(points)

    # Without a bar, Ctrl-C still stops the batch.
    timer = threading.Timer(0.05, __import__("_thread").interrupt_main)
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            for _ in range(100):
                tracer.trace_many(points, angles, legs=100, threads=1)
    finally:
        timer.cancel()


def test_the_gil_is_released_while_tracing(monkeypatch):
    # The main thread counts ticks while another traces, and the progress reports note the count. With
    # the GIL held through the batch no tick could happen between two reports: the long switch interval
    # keeps the tracing thread from being asked for it in the moment a report runs Python.
    ticks, seen = [0], []

    class Bar:
        def __init__(self, total, unit):
            pass

        def update(self, count):
            seen.append(ticks[0])

        def close(self):
            pass

    monkeypatch.setitem(sys.modules, "tqdm", types.SimpleNamespace(tqdm=Bar))
    tracer, points, angles = big_batch(10000)
    worker = threading.Thread(target=lambda: tracer.trace_many(points, angles, legs=100, threads=1, progress=True))
    interval = sys.getswitchinterval()
    sys.setswitchinterval(1.0)
    try:
        worker.start()
        while worker.is_alive():
            time.sleep(0.001)
            ticks[0] += 1
        worker.join()
    finally:
        sys.setswitchinterval(interval)
    # The last report is the one at the end; each report is at least 50 ms after the one before.
    reports = len(seen) - 1
    assert reports >= 3
    assert seen[-2] - seen[0] >= 5 * (reports - 1)


def test_sound_in_batches_gives_what_one_trace_at_a_time_gives():
    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=40, width=20, height=8,
                                                      wedge_angle=0.628, roof_angle=0.0, rotation_angle=0.0)
    plate = quoria.create_axis_aligned_plate(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25)
    slope, _ = wedge.snap((-20, 0, -22.5))
    rng = np.random.default_rng(11)
    points = np.repeat([slope, (30, 0, 0), (0, 0, -100)], 8, axis=0)
    refraction = rng.uniform(-1.0, 1.0, len(points))
    refraction[1] = 2.0
    # Water under the wedge: a T leg there ends the beam with 'error' and a message, keeping its legs.
    for materials, modes in ((["rexolite", "steel"], "LT"), (["rexolite", "water"], "LLT")):
        sound = quoria.AcousticTracer([wedge, plate], materials)
        for stop in ({"legs": 6}, {"time": 30.0}, {"length": 90.0}):
            many = sound.trace_many(points, refraction, 0.1, behaviors=["Transmit", "Reflect", "Transmit"],
                                    modes=modes, threads=2, **stop)
            assert len(many) == len(points) and many.modes.shape == many.speeds.shape == many.times.shape
            for i, (point, angle) in enumerate(zip(points, refraction)):
                try:
                    path = sound.trace(point, angle, 0.1, behaviors=["Transmit", "Reflect", "Transmit"],
                                       modes=modes, **stop)
                except ValueError as refused:
                    assert (many.endings[i], many.errors[i], len(many[i])) == ("error", str(refused), 0)
                    continue
                legs = slice(many.offsets[i], many.offsets[i + 1])
                assert np.array_equal(many[i], path.legs)
                assert many.modes[legs].tolist() == path.modes
                assert np.array_equal(many.speeds[legs], path.speeds)
                assert np.array_equal(many.times[legs], path.times)
                assert (many.time[i], many.endings[i], many.errors.get(i, "")) == (path.time, path.ending,
                                                                                    path.message)
            assert many.errors[1].startswith("AcousticTracer::Trace : ")
            if materials[1] == "water" and "legs" in stop:
                assert "error" in many.endings[:8] or "critical-angle" in many.endings[:8]
    with pytest.raises(ValueError, match="^TraceBatch : The total time must be positive or zero, and finite.$"):
        sound.trace_many(points, time=math.nan)
    again = pickle.loads(pickle.dumps(many))
    assert again.modes.tolist() == many.modes.tolist() and np.array_equal(again.time, many.time)
