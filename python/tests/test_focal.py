"""Focal laws of an array probe on a flat wedge: times by hand, symmetric delays, scans and statuses."""

import math

import numpy as np
import pytest

import quoria

HEIGHT = 8.0


@pytest.fixture
def flat_probe():
    """A 0 degree wedge: its probe face z = -8 lies over the plate's top z = 0, for x in [-40, 0]."""
    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=40, width=20,
                                                      height=HEIGHT, wedge_angle=0.0, roof_angle=0, rotation_angle=0)
    plate = quoria.create_axis_aligned_plate(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25)
    sound = quoria.AcousticTracer([wedge, plate], ["rexolite", "steel"])
    # 16 elements 0.6 apart, centred on x = -20.
    elements = quoria.linear_array_on_wedge(wedge, 16, 0.6, 15.5)
    return sound, elements


def test_straight_below_an_element_and_symmetric_delays(flat_probe):
    sound, elements = flat_probe
    assert elements.shape == (16, 3)
    assert np.allclose(elements[[0, -1]], [(-24.5, 0, -HEIGHT), (-15.5, 0, -HEIGHT)])
    below = (elements[3, 0], 0.0, 15.0)
    laws = quoria.focal_laws(sound, elements, [below, (-20, 0, 15)], modes="LT", threads=2)
    shapes = [getattr(laws, name).shape for name in ("times", "delays", "refraction_angles", "valid", "statuses")]
    assert shapes == [(2, 16)] * 5 and laws.interface_points.shape == (2, 16, 3) and laws.valid.dtype == bool
    assert laws.valid.all() and set(laws.statuses.ravel()) == {"valid"}

    # Straight down: 8 mm of L in rexolite, then 15 mm of T in steel; mm over m/s is ms, times 1000 µs.
    wedge_l, steel_t = quoria.material("rexolite").longitudinal_speed, quoria.material("steel").shear_speed
    assert laws.times[0, 3] == pytest.approx(1000 * (HEIGHT / wedge_l + 15 / steel_t), rel=1e-12)
    assert np.allclose(laws.interface_points[0, 3], (elements[3, 0], 0, 0), atol=1e-9)
    assert laws.refraction_angles[0, 3] == pytest.approx(0, abs=1e-9)
    # It is the nearest element, so it fires last; the farthest fires first, at 0.
    assert np.argmin(laws.times[0]) == 3 and np.argmax(laws.delays[0]) == 3
    assert laws.delays[0, -1] == 0 and np.allclose(laws.delays[0], laws.times[0].max() - laws.times[0])

    # Under the middle of the array: mirror-image elements have the same times, the ends fire first.
    centred = laws.delays[1]
    assert np.allclose(centred, centred[::-1], rtol=0, atol=1e-12)
    assert centred[0] == centred[-1] == 0 and np.all(np.diff(centred[:8]) > 0)
    # The farther an element from the middle, the steeper its path; Snell's law holds at the crossing.
    assert np.all(np.diff(laws.refraction_angles[1, 8:]) > 0)
    crossing = laws.interface_points[1, -1]
    incidence = math.atan2(abs(crossing[0] - elements[-1, 0]), HEIGHT)
    assert math.sin(laws.refraction_angles[1, -1]) == pytest.approx(math.sin(incidence) * steel_t / wedge_l)


def test_scans_apertures_and_refusals(flat_probe):
    sound, elements = flat_probe
    exit = quoria.find_probe_exit(sound, elements)
    assert isinstance(exit, quoria.ProbeExit) and exit.solid == 1
    assert np.allclose(exit.point, (-20, 0, 0)) and np.allclose(exit.normal, (0, 0, 1))

    sector = quoria.sectorial_scan_focal_points(sound, elements, -0.3, 0.3, 0.1, depth=20)
    assert sector.aperture_size == 0 and len(sector.aperture_starts) == 0
    assert np.allclose(sector.angles, np.linspace(-0.3, 0.3, 7))
    assert np.allclose(sector.points[:, 2], 20)
    # At 20 of depth along angle a from the exit's normal: 20 tan(a) along the forward direction.
    assert np.allclose(sector.points[:, 0], -20 + 20 * np.tan(sector.angles) * exit.forward[0])

    linear = quoria.linear_scan_focal_points(sound, elements, 8, 0.0, sound_path=20)
    assert linear.aperture_starts.tolist() == list(range(9)) and linear.aperture_size == 8
    laws = quoria.focal_laws(sound, elements, linear.points, aperture_starts=linear.aperture_starts,
                             aperture_size=linear.aperture_size)
    assert laws.statuses[0].tolist() == ["valid"] * 8 + ["outside-aperture"] * 8
    assert laws.valid[2].tolist() == [False] * 2 + [True] * 8 + [False] * 6
    assert np.isnan(laws.times[0, 8:]).all() and np.isnan(laws.delays[0, 8:]).all()

    with pytest.raises(ValueError, match="^ComputeFocalLaws : There must be at least one element.$"):
        quoria.focal_laws(sound, [], [(-20, 0, 15)])
    with pytest.raises(ValueError, match=r"^elements must be an array of shape \(N, 3\), not an array of shape "
                                         r"\(16, 2\)$"):
        quoria.focal_laws(sound, elements[:, :2], [(-20, 0, 15)])
    with pytest.raises(ValueError, match="^modes must hold two wave modes, the elements' and the focal points', "
                                         "not 3$"):
        quoria.focal_laws(sound, elements, [(-20, 0, 15)], modes="LTT")
    with pytest.raises(TypeError, match="^give depth or sound_path, not both$"):
        quoria.sectorial_scan_focal_points(sound, elements, 0, 0.1, 0.1, depth=1, sound_path=1)
    with pytest.raises(TypeError, match="^wedge must be a quoria.Solid, not AcousticTracer$"):
        quoria.linear_array_on_wedge(sound, 4, 1.0, 1.0)
