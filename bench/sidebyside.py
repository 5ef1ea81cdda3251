#!/usr/bin/env python3
"""Times commands side by side: each round runs every command once, in turn, so that a slow
moment of the machine falls on all of them alike. Prints the median and spread of each and the
ratio of each to the first (the baseline)."""
import argparse
import statistics
import subprocess
import sys
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=15)
    parser.add_argument("--warmup", type=int, default=2)
    parser.add_argument("--name", action="append", required=True)
    parser.add_argument("--command", action="append", required=True,
                        help="a shell command; the first is the baseline")
    args = parser.parse_args()
    if len(args.name) != len(args.command):
        parser.error("one --name per --command")

    times = {name: [] for name in args.name}
    for round_number in range(args.warmup + args.rounds):
        for name, command in zip(args.name, args.command):
            start = time.perf_counter()
            done = subprocess.run(command, shell=True, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
            took = time.perf_counter() - start
            if done.returncode != 0:
                sys.exit(f"{name} failed with exit status {done.returncode}")
            if round_number >= args.warmup:
                times[name].append(took * 1000)

    baseline = statistics.median(times[args.name[0]])
    print(f"{'':24}{'median ms':>12}{'min ms':>10}{'max ms':>10}{'ratio':>8}")
    for name in args.name:
        samples = times[name]
        median = statistics.median(samples)
        print(f"{name:24}{median:12.1f}{min(samples):10.1f}{max(samples):10.1f}"
              f"{median / baseline:8.2f}")


if __name__ == "__main__":
    main()
