"""Builds the quoria package with the project's own CMake build: the compiled module and libQuoria land
side by side in the package, and the module finds the library through its $ORIGIN run path.

    python3 -m pip install --no-build-isolation .

QUORIA_CMAKE_ARGS passes extra arguments to the CMake configuration (e.g. -DCMAKE_BUILD_TYPE=RelWithDebInfo).
"""

import os
import re
import shlex
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def project_version():
    match = re.search(r"project\(Quoria\s+VERSION\s+([0-9.]+)", (ROOT / "CMakeLists.txt").read_text())
    return match.group(1)


class BuildWithCMake(build_ext):
    def build_extension(self, extension):
        package = Path(self.get_ext_fullpath(extension.name)).resolve().parent
        build = Path(self.build_temp).resolve() / "cmake"
        configure = ["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                     "-DQUORIA_BUILD_PYTHON=ON", "-DQUORIA_BUILD_TESTS=OFF", "-DQUORIA_BUILD_TOOLS=OFF",
                     "-DQUORIA_INSTALL=OFF", f"-DPython3_EXECUTABLE={sys.executable}"]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        configure += shlex.split(os.environ.get("QUORIA_CMAKE_ARGS", ""))
        subprocess.run(configure, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", str(min(os.cpu_count() or 1, 2)))
        subprocess.run(["cmake", "--build", str(build), "--target", "_quoria", "--parallel", jobs], check=True)
        subprocess.run(["cmake", "--install", str(build), "--component", "python", "--prefix",
                        str(package.parent)], check=True)
        # Wheels hold no symbolic links: keep the library under the name the module asks for.
        for link in package.iterdir():
            if link.is_symlink():
                target = link.resolve()
                link.unlink()
                shutil.move(str(target), str(link))


setup(
    version=project_version(),
    ext_modules=[Extension("quoria._quoria", sources=[])],
    cmdclass={"build_ext": BuildWithCMake},
    # Clear of build/, where the README's CMake build lives.
    options={"build": {"build_base": "build-python"}},
)
