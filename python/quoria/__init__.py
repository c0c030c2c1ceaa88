"""Exact analytic inspection specimens and straight beam tracing, numpy arrays in and out.

Build a specimen with one of the factories, hand one or several to a
RayTracer, and ask it for the legs of a beam that enters at a point of a face:

    import quoria
    plate = quoria.create_axis_aligned_plate(centre=(0, 0, 10), size_x=100, size_y=100, size_z=20)
    tracer = quoria.RayTracer([plate])
    legs = tracer.trace((0, 0, 0), refraction_angle=0.5, legs=3)     # (3, 2, 3) float64

Sound runs through an AcousticTracer, one material per solid, with Snell's
law at every interface and the mode, speed and time of flight of each leg:

    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=40, width=20,
                                                      height=8, wedge_angle=0.628, roof_angle=0, rotation_angle=0)
    sound = quoria.AcousticTracer([wedge, plate], [quoria.material("rexolite"), quoria.material("steel")])
    point, _ = wedge.snap((-20, 0, -22.5))
    path = sound.trace(point, legs=3, behaviors=["Transmit"], modes="LT")
    path.modes, path.times, path.time                                 # ['L', 'T', 'T'], µs

Points are any sequence or array of three numbers; arrays come back as
float64 (int32 for indices); angles are radians and lengths share the
caller's unit, millimetres for sound, with speeds in m/s and times in
microseconds. The library's errors are ValueError with its own messages.
"""

from ._quoria import (
    AcousticBatchResult,
    AcousticReport,
    AcousticTracer,
    BatchResult,
    Behavior,
    Face,
    FocalLaws,
    Material,
    ProbeExit,
    RayTracer,
    ScanFocalPoints,
    SlopeConfiguration,
    Solid,
    TraceReport,
    WaveMode,
    __version__,
    create_axis_aligned_counterbored_plate,
    create_axis_aligned_plate,
    create_wedge_on_axis_aligned_plate,
    create_wedge_on_x_oriented_cylinder,
    create_wedge_on_y_oriented_cylinder,
    create_x_oriented_bar,
    create_x_oriented_counterbored_pipe,
    create_x_oriented_pipe,
    create_y_oriented_bar,
    create_y_oriented_counterbored_pipe,
    create_y_oriented_pipe,
    critical_angle,
    find_probe_exit,
    focal_laws,
    incidence_for_refracted_angle,
    linear_array_on_wedge,
    linear_scan_focal_points,
    material,
    materials,
    refracted_angle,
    sectorial_scan_focal_points,
)

__all__ = [
    "AcousticBatchResult",
    "AcousticReport",
    "AcousticTracer",
    "BatchResult",
    "Behavior",
    "Face",
    "FocalLaws",
    "Material",
    "ProbeExit",
    "RayTracer",
    "ScanFocalPoints",
    "SlopeConfiguration",
    "Solid",
    "TraceReport",
    "WaveMode",
    "__version__",
    "create_axis_aligned_counterbored_plate",
    "create_axis_aligned_plate",
    "create_wedge_on_axis_aligned_plate",
    "create_wedge_on_x_oriented_cylinder",
    "create_wedge_on_y_oriented_cylinder",
    "create_x_oriented_bar",
    "create_x_oriented_counterbored_pipe",
    "create_x_oriented_pipe",
    "create_y_oriented_bar",
    "create_y_oriented_counterbored_pipe",
    "create_y_oriented_pipe",
    "critical_angle",
    "find_probe_exit",
    "focal_laws",
    "incidence_for_refracted_angle",
    "linear_array_on_wedge",
    "linear_scan_focal_points",
    "material",
    "materials",
    "refracted_angle",
    "sectorial_scan_focal_points",
]
