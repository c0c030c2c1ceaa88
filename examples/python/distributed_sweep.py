"""A sweep of beams into a pipe, sharded over a Dask cluster: how many legs 400 mm of travel takes at each angle.

Every beam enters the pipe's outer surface at one point, at a refraction angle from 0 to 80 degrees and a skew
from -90 to 90 degrees, and bounces between the outer and inner walls. The beams are cut into shards; each task
traces its shard with trace_many on a tracer that its worker builds once, from the pickled configuration, and
returns the batch's arrays.

    python3 examples/python/distributed_sweep.py [--scheduler tcp://HOST:8786] [--output sweep.png] [--smoke]

Without --scheduler it starts a small LocalCluster of its own; with it, it runs on that cluster, whose workers
need quoria installed (see docs/python.md).
"""

import pickle
import time

import matplotlib.pyplot as plt
import numpy as np
from dask.distributed import Client, LocalCluster, get_worker

import quoria
from _examples import arguments, finish

LENGTH = 400.0
ENTRY = (0.0, 0.0, -50.0)


def tracer_for(configuration):
    """The worker's tracer for a pickled configuration, unpickled on first use only.

    Kept on the worker object: a global of this script would travel with each task and start empty."""
    worker = get_worker()
    tracers = worker.__dict__.setdefault("quoria_tracers", {})
    if configuration not in tracers:
        tracers[configuration] = pickle.loads(configuration)
    return tracers[configuration]


def trace_shard(configuration, refraction_angles, skew_angles):
    """One task: the legs of a shard of beams, as flat arrays (a quoria.BatchResult pickles as them)."""
    tracer = tracer_for(configuration)
    points = np.repeat(np.asarray([ENTRY]), len(refraction_angles), axis=0)
    # One thread per task: the cluster's workers already fill the cores.
    return tracer.trace_many(points, refraction_angles, skew_angles, length=LENGTH, threads=1)


def more_options(parser):
    parser.add_argument("--scheduler", metavar="ADDRESS",
                        help="the address of a running Dask scheduler, e.g. tcp://10.0.0.5:8786")
    parser.add_argument("--workers", type=int, default=2, help="workers of the local cluster (default 2)")


def main():
    args = arguments(__doc__.splitlines()[0], more_options)
    pipe = quoria.create_x_oriented_pipe(centre=(0, 0, 0), inner_radius=40, outer_radius=50, length=300)
    configuration = pickle.dumps(quoria.RayTracer(pipe))

    count = 60 if args.smoke else 400
    refraction = np.radians(np.linspace(0, 80, count))
    skew = np.radians(np.linspace(-90, 90, count))
    grid_refraction, grid_skew = (grid.ravel() for grid in np.meshgrid(refraction, skew, indexing="ij"))
    shards = np.array_split(np.arange(len(grid_refraction)), 6 if args.smoke else 64)

    if args.scheduler:
        client, cluster = Client(args.scheduler), None
    else:
        # In smoke mode, threads of this process: the batches release the GIL, and nothing is spawned.
        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=1, processes=not args.smoke,
                               dashboard_address=None)
        client = Client(cluster)
    try:
        start = time.perf_counter()
        shared = client.scatter(configuration, broadcast=True)
        futures = [client.submit(trace_shard, shared, grid_refraction[shard], grid_skew[shard], pure=False)
                   for shard in shards]
        results = client.gather(futures)
        elapsed = time.perf_counter() - start
    finally:
        client.close()
        if cluster is not None:
            cluster.close()

    legs = np.concatenate([np.diff(result.offsets) for result in results])
    failed = sum(len(result.errors) for result in results)
    print(f"{len(legs)} beams, {legs.sum()} legs in {len(shards)} shards, {failed} failed, {elapsed:.2f} s")

    figure, axes = plt.subplots(figsize=(8, 5.5))
    image = axes.pcolormesh(np.degrees(skew), np.degrees(refraction), legs.reshape(count, count), cmap="magma",
                            shading="nearest")
    figure.colorbar(image, ax=axes, label=f"legs in {LENGTH:.0f} mm")
    axes.set(xlabel="skew angle (degrees)", ylabel="refraction angle (degrees)",
             title=f"Beams into a 10 mm pipe wall: {len(legs)} beams in {len(shards)} tasks")
    figure.tight_layout()
    finish(figure, args)


if __name__ == "__main__":
    main()
