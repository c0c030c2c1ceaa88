"""Shared pieces of the quoria tests: the C++ reference program and a few specimens."""

import os
import subprocess

import pytest

import quoria

# The parameters of each factory in the order of the C++ header, which the
# reference program reads positionally.
HEADER_ORDER = {
    "create_axis_aligned_plate": ["centre", "size_x", "size_y", "size_z"],
    "create_x_oriented_bar": ["centre", "radius", "length"],
    "create_y_oriented_bar": ["centre", "radius", "length"],
    "create_x_oriented_pipe": ["centre", "inner_radius", "outer_radius", "length"],
    "create_y_oriented_pipe": ["centre", "inner_radius", "outer_radius", "length"],
    "create_axis_aligned_counterbored_plate": ["centre", "size_x", "size_y", "size_z", "slopes"],
    "create_x_oriented_counterbored_pipe": ["centre", "inner_radius", "outer_radius", "length", "slopes"],
    "create_y_oriented_counterbored_pipe": ["centre", "inner_radius", "outer_radius", "length", "slopes"],
    "create_wedge_on_axis_aligned_plate": [
        "probe_set_origin", "length", "width", "height", "wedge_angle", "roof_angle", "rotation_angle"],
    "create_wedge_on_x_oriented_cylinder": [
        "probe_set_origin", "length", "width", "height", "wedge_angle", "roof_angle", "cylinder_centroid"],
    "create_wedge_on_y_oriented_cylinder": [
        "probe_set_origin", "length", "width", "height", "wedge_angle", "roof_angle", "cylinder_centroid"],
}


def cpp_name(factory):
    return "".join(word.capitalize() for word in factory.split("_"))


def flatten(value):
    if isinstance(value, (int, float)):
        return [float(value)]
    return [number for item in value for number in flatten(item)]


def hexes(values):
    return " ".join(float(v).hex() for v in values)


class Reference:
    """Runs the reference program on a list of commands and parses its answers."""

    def __init__(self, program):
        self.program = program

    def run(self, commands):
        completed = subprocess.run([self.program], input="\n".join(commands) + "\n", capture_output=True,
                                   check=True, text=True, encoding="cp1252")
        lines = completed.stdout.splitlines()
        answers = []
        while lines:
            words = lines.pop(0).split(" ")
            if words[0] == "report":
                legs = [lines.pop(0).split(" ") for _ in range(int(words[2]))]
                answers.append({
                    "ending": words[1],
                    "solids": [int(leg[1]) for leg in legs],
                    "faces": [int(leg[2]) for leg in legs],
                    "behaviors": [int(leg[3]) for leg in legs],
                    "legs": [[[float.fromhex(x) for x in leg[4:7]], [float.fromhex(x) for x in leg[7:10]]]
                             for leg in legs],
                })
            elif words[0] == "acoustic":
                legs = [lines.pop(0).split(" ") for _ in range(int(words[2]))]
                answers.append({
                    "ending": words[1],
                    "time": float.fromhex(words[3]),
                    "message": " ".join(words[4:]),
                    "solids": [int(leg[1]) for leg in legs],
                    "faces": [int(leg[2]) for leg in legs],
                    "behaviors": [int(leg[3]) for leg in legs],
                    "legs": [[[float.fromhex(x) for x in leg[4:7]], [float.fromhex(x) for x in leg[7:10]]]
                             for leg in legs],
                    "modes": [leg[10] for leg in legs],
                    "speeds": [float.fromhex(leg[11]) for leg in legs],
                    "times": [float.fromhex(leg[12]) for leg in legs],
                })
            elif words[0] == "material" and len(words) > 1:
                answers.append(self.material(words))
            elif words[0] == "table":
                answers.append([self.material(lines.pop(0).split(" ")) for _ in range(int(words[1]))])
            elif words[0] == "angle":
                answers.append(None if words[1] == "none" else float.fromhex(words[1]))
            elif words[0] == "snap":
                answers.append((int(words[1]), [float.fromhex(x) for x in words[2:5]], float.fromhex(words[5])))
            elif words[0] == "error":
                answers.append(("error", " ".join(words[1:])))
            else:
                answers.append(tuple(words))
        return answers

    @staticmethod
    def material(words):
        return (" ".join(words[3:]), float.fromhex(words[1]), float.fromhex(words[2]))

    @staticmethod
    def material_command(material):
        return f"material {hexes([material.longitudinal_speed, material.shear_speed])} {material.name}"

    @staticmethod
    def solid_command(factory, arguments):
        values = flatten([arguments[name] for name in HEADER_ORDER[factory]])
        return "solid " + cpp_name(factory) + " " + hexes(values)


@pytest.fixture(scope="session")
def reference():
    program = os.environ.get("QUORIA_REFERENCE_TRACE")
    if not program:
        pytest.skip("QUORIA_REFERENCE_TRACE names no reference program (run the tests through ctest)")
    return Reference(program)


@pytest.fixture
def plate():
    """x in [-60, 140], y in [-30, 30], z in [0, 25]: the top face z = 0 faces -z."""
    return quoria.create_axis_aligned_plate(centre=(40, 0, 12.5), size_x=200, size_y=60, size_z=25)


@pytest.fixture
def wedge_on_plate(plate):
    wedge = quoria.create_wedge_on_axis_aligned_plate(probe_set_origin=(0, 0, 0), length=40, width=20, height=8,
                                                      wedge_angle=0.628, roof_angle=0.0, rotation_angle=0.0)
    return wedge, plate
