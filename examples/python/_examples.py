"""What the example scripts share: their command line and the end of a figure's life."""

import argparse


def arguments(description, more=None):
    """--output FILE writes the figure instead of showing it; --smoke makes a quick run, as the tests do.
    more(parser), if given, adds a script's own options."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--output", metavar="FILE", help="write the figure to FILE (PNG, SVG, PDF, ...)")
    parser.add_argument("--smoke", action="store_true", help="a quick run with few beams")
    if more is not None:
        more(parser)
    return parser.parse_args()


def finish(figure, args):
    if args.output:
        figure.savefig(args.output, dpi=120)
    else:
        import matplotlib.pyplot as plt

        plt.show()
