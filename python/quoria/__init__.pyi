"""Type stubs of quoria: lengths in the caller's unit (mm for sound), angles in radians, speeds in m/s, times in µs."""

import enum
from typing import Callable, Dict, List, Literal, NamedTuple, Optional, Sequence, Tuple, Union, overload

import numpy as np
import numpy.typing as npt

__version__: str

PointLike = Union[Sequence[float], npt.ArrayLike]
SlopeLike = Union["SlopeConfiguration", Tuple[float, float, float]]

class Behavior(enum.IntEnum):
    Reflect = 0
    Transmit = 1
    Stop = 2

class WaveMode(enum.IntEnum):
    L = 0
    T = 1

class Face(NamedTuple):
    """The face where a leg ends, as a behaviour callable receives it."""

    solid: int
    index: int
    kind: str

BehaviorLike = Union[str, Behavior, Callable[[Face], Union[str, Behavior]]]
WaveModeLike = Union[Literal["L", "T"], WaveMode]
Law = Optional[Callable[[float], float]]

class SlopeConfiguration:
    height: float
    width: float
    offset: float
    def __init__(self, height: float, width: float, offset: float) -> None: ...
    @property
    def angle(self) -> float: ...

class Solid:
    @property
    def face_count(self) -> int: ...
    @property
    def face_kinds(self) -> list[str]: ...
    @property
    def factory(self) -> str: ...
    @property
    def parameters(self) -> dict[str, object]: ...
    @overload
    def snap(self, point: PointLike, return_distance: Literal[False] = ...) -> Tuple[np.ndarray, int]: ...
    @overload
    def snap(self, point: PointLike, return_distance: Literal[True]) -> Tuple[np.ndarray, int, float]: ...
    def face_normal(self, face: int, point: PointLike) -> np.ndarray: ...
    def faces_containing(self, point: PointLike) -> np.ndarray: ...

class TraceReport:
    @property
    def legs(self) -> np.ndarray: ...
    @property
    def solids(self) -> np.ndarray: ...
    @property
    def faces(self) -> np.ndarray: ...
    @property
    def behaviors(self) -> np.ndarray: ...
    @property
    def lengths(self) -> np.ndarray: ...
    @property
    def ending(self) -> str: ...
    def __len__(self) -> int: ...

class BatchResult:
    @property
    def offsets(self) -> np.ndarray: ...
    @property
    def starts(self) -> np.ndarray: ...
    @property
    def ends(self) -> np.ndarray: ...
    @property
    def lengths(self) -> np.ndarray: ...
    @property
    def solids(self) -> np.ndarray: ...
    @property
    def faces(self) -> np.ndarray: ...
    @property
    def behaviors(self) -> np.ndarray: ...
    @property
    def endings(self) -> List[str]: ...
    @property
    def errors(self) -> Dict[int, str]: ...
    def __len__(self) -> int: ...
    def __getitem__(self, beam: int) -> np.ndarray: ...

class RayTracer:
    def __init__(self, solids: Union[Solid, Sequence[Solid]]) -> None: ...
    @property
    def solids(self) -> Tuple[Solid, ...]: ...
    def trace(
        self,
        point: PointLike,
        refraction_angle: float = 0.0,
        skew_angle: float = 0.0,
        *,
        legs: Optional[int] = None,
        length: Optional[float] = None,
        behaviors: Sequence[BehaviorLike] = (),
        laws: Sequence[Law] = (),
    ) -> np.ndarray: ...
    def trace_report(
        self,
        point: PointLike,
        refraction_angle: float = 0.0,
        skew_angle: float = 0.0,
        *,
        legs: Optional[int] = None,
        length: Optional[float] = None,
        behaviors: Sequence[BehaviorLike] = (),
        laws: Sequence[Law] = (),
    ) -> TraceReport: ...
    def trace_many(
        self,
        points: npt.ArrayLike,
        refraction_angles: Union[float, npt.ArrayLike] = 0.0,
        skew_angles: Union[float, npt.ArrayLike] = 0.0,
        *,
        legs: Optional[int] = None,
        length: Optional[float] = None,
        behaviors: Sequence[BehaviorLike] = (),
        laws: Sequence[Law] = (),
        threads: int = 0,
        progress: bool = False,
    ) -> BatchResult: ...

class Material:
    def __init__(self, name: str, longitudinal_speed: float, shear_speed: float) -> None: ...
    @property
    def name(self) -> str: ...
    @property
    def longitudinal_speed(self) -> float: ...
    @property
    def shear_speed(self) -> float: ...
    @property
    def carries_shear_waves(self) -> bool: ...
    def speed(self, mode: WaveModeLike) -> float: ...

MaterialLike = Union[Material, str]

def material(name: str) -> Material: ...
def materials() -> List[Material]: ...
@overload
def refracted_angle(incidence_angle: float, incident_speed: float, refracted_speed: float) -> Optional[float]: ...
@overload
def refracted_angle(
    incidence_angle: npt.ArrayLike, incident_speed: npt.ArrayLike, refracted_speed: npt.ArrayLike
) -> np.ndarray: ...
@overload
def critical_angle(incident_speed: float, refracted_speed: float) -> Optional[float]: ...
@overload
def critical_angle(incident_speed: npt.ArrayLike, refracted_speed: npt.ArrayLike) -> np.ndarray: ...
@overload
def incidence_for_refracted_angle(
    refracted_angle: float, incident_speed: float, refracted_speed: float
) -> Optional[float]: ...
@overload
def incidence_for_refracted_angle(
    refracted_angle: npt.ArrayLike, incident_speed: npt.ArrayLike, refracted_speed: npt.ArrayLike
) -> np.ndarray: ...

class AcousticReport(TraceReport):
    @property
    def modes(self) -> List[Literal["L", "T"]]: ...
    @property
    def speeds(self) -> np.ndarray: ...
    @property
    def times(self) -> np.ndarray: ...
    @property
    def time(self) -> float: ...
    @property
    def message(self) -> str: ...

class AcousticBatchResult(BatchResult):
    @property
    def modes(self) -> np.ndarray: ...
    @property
    def speeds(self) -> np.ndarray: ...
    @property
    def times(self) -> np.ndarray: ...
    @property
    def time(self) -> np.ndarray: ...

class AcousticTracer:
    def __init__(
        self, solids: Union[Solid, Sequence[Solid]], materials: Union[MaterialLike, Sequence[MaterialLike]]
    ) -> None: ...
    @property
    def solids(self) -> Tuple[Solid, ...]: ...
    @property
    def materials(self) -> Tuple[Material, ...]: ...
    def trace(
        self,
        point: PointLike,
        refraction_angle: float = 0.0,
        skew_angle: float = 0.0,
        *,
        legs: Optional[int] = None,
        length: Optional[float] = None,
        time: Optional[float] = None,
        behaviors: Sequence[BehaviorLike] = (),
        modes: Union[str, Sequence[WaveModeLike]] = (),
    ) -> AcousticReport: ...
    def trace_many(
        self,
        points: npt.ArrayLike,
        refraction_angles: Union[float, npt.ArrayLike] = 0.0,
        skew_angles: Union[float, npt.ArrayLike] = 0.0,
        *,
        legs: Optional[int] = None,
        length: Optional[float] = None,
        time: Optional[float] = None,
        behaviors: Sequence[BehaviorLike] = (),
        modes: Union[str, Sequence[WaveModeLike]] = (),
        threads: int = 0,
        progress: bool = False,
    ) -> AcousticBatchResult: ...

def create_axis_aligned_plate(centre: PointLike, size_x: float, size_y: float, size_z: float) -> Solid: ...
def create_x_oriented_bar(centre: PointLike, radius: float, length: float) -> Solid: ...
def create_y_oriented_bar(centre: PointLike, radius: float, length: float) -> Solid: ...
def create_x_oriented_pipe(centre: PointLike, inner_radius: float, outer_radius: float, length: float) -> Solid: ...
def create_y_oriented_pipe(centre: PointLike, inner_radius: float, outer_radius: float, length: float) -> Solid: ...
def create_axis_aligned_counterbored_plate(
    centre: PointLike, size_x: float, size_y: float, size_z: float, slopes: Sequence[SlopeLike]
) -> Solid: ...
def create_x_oriented_counterbored_pipe(
    centre: PointLike, inner_radius: float, outer_radius: float, length: float, slopes: Sequence[SlopeLike]
) -> Solid: ...
def create_y_oriented_counterbored_pipe(
    centre: PointLike, inner_radius: float, outer_radius: float, length: float, slopes: Sequence[SlopeLike]
) -> Solid: ...
def create_wedge_on_axis_aligned_plate(
    probe_set_origin: PointLike,
    length: float,
    width: float,
    height: float,
    wedge_angle: float,
    roof_angle: float,
    rotation_angle: float,
) -> Solid: ...
def create_wedge_on_x_oriented_cylinder(
    probe_set_origin: PointLike,
    length: float,
    width: float,
    height: float,
    wedge_angle: float,
    roof_angle: float,
    cylinder_centroid: PointLike,
) -> Solid: ...
def create_wedge_on_y_oriented_cylinder(
    probe_set_origin: PointLike,
    length: float,
    width: float,
    height: float,
    wedge_angle: float,
    roof_angle: float,
    cylinder_centroid: PointLike,
) -> Solid: ...

class FocalLaws:
    @property
    def times(self) -> np.ndarray: ...
    @property
    def delays(self) -> np.ndarray: ...
    @property
    def interface_points(self) -> np.ndarray: ...
    @property
    def refraction_angles(self) -> np.ndarray: ...
    @property
    def valid(self) -> np.ndarray: ...
    @property
    def statuses(self) -> np.ndarray: ...

class ProbeExit(NamedTuple):
    """Where the central beam of a group of elements leaves their solid."""

    point: np.ndarray
    normal: np.ndarray
    forward: np.ndarray
    solid: int

class ScanFocalPoints(NamedTuple):
    """The focal points of a scan, with a linear scan's sliding aperture."""

    points: np.ndarray
    angles: np.ndarray
    aperture_starts: np.ndarray
    aperture_size: int

def focal_laws(
    sound: AcousticTracer,
    elements: npt.ArrayLike,
    focal_points: npt.ArrayLike,
    modes: Union[str, Sequence[WaveModeLike]] = ("L", "T"),
    threads: int = 0,
    *,
    aperture_starts: Sequence[int] = (),
    aperture_size: int = 0,
) -> FocalLaws: ...
def linear_array_on_wedge(wedge: Solid, element_count: int, pitch: float, first_element_offset: float) -> np.ndarray: ...
def find_probe_exit(sound: AcousticTracer, elements: npt.ArrayLike) -> ProbeExit: ...
def sectorial_scan_focal_points(
    sound: AcousticTracer,
    elements: npt.ArrayLike,
    first_angle: float,
    last_angle: float,
    angle_step: float,
    *,
    depth: Optional[float] = None,
    sound_path: Optional[float] = None,
) -> ScanFocalPoints: ...
def linear_scan_focal_points(
    sound: AcousticTracer,
    elements: npt.ArrayLike,
    aperture_size: int,
    angle: float,
    *,
    depth: Optional[float] = None,
    sound_path: Optional[float] = None,
) -> ScanFocalPoints: ...
