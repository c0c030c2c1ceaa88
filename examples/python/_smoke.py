"""Runs an example as ctest does: the Agg backend, --smoke, and its figure written to a PNG that must
show something.

    python3 _smoke.py EXAMPLE.py OUTPUT.png

Exits with 77, which ctest reads as skipped, when a module the example needs and quoria does not
(matplotlib, Dask, ...) is not installed.
"""

import os
import runpy
import sys

SKIPPED = 77
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def main(script, output):
    # Before anything imports pyplot: no display is needed, nor wanted.
    os.environ["MPLBACKEND"] = "Agg"
    if os.path.exists(output):
        os.remove(output)
    sys.path.insert(0, os.path.dirname(os.path.abspath(script)))
    sys.argv = [script, "--smoke", "--output", output]
    try:
        runpy.run_path(script, run_name="__main__")
    except ModuleNotFoundError as missing:
        if missing.name is None or missing.name.split(".")[0] == "quoria":
            raise
        print(f"skipped: {script} needs {missing.name}, which is not installed")
        return SKIPPED

    import matplotlib.image
    import numpy as np

    with open(output, "rb") as figure:
        assert figure.read(len(PNG_SIGNATURE)) == PNG_SIGNATURE, f"{output} is not a PNG"
    pixels = matplotlib.image.imread(output)
    # A blank canvas means nothing was drawn.
    assert pixels.ndim == 3 and np.ptp(pixels[..., :3]) > 0, f"{output} is blank"
    print(f"{script}: {output}, {pixels.shape[1]} x {pixels.shape[0]}")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
