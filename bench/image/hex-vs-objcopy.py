#!/usr/bin/env python3
"""CPU time of `tovrin-cli image` beside `objcopy -I ihex -O binary` on the same HEX file.

For each image size a program directory is generated with one plain chip
definition large enough for it, and a HEX file of 16-byte records (an
extended-address record before every 64 KiB, which tovrin stores as data and
objcopy follows). Both programs then run alternately on that file, each
writing its image to a file, and the ratio of their summed user+system times
is printed; below 1 tovrin is the faster.

usage: hex-vs-objcopy.py [--cli build/release/bin/tovrin-cli] [--runs 7] [--sizes-kib 1024 16384]
"""
import argparse
import os
import pathlib
import resource
import shutil
import subprocess
import sys
import tempfile

RECORD_BYTES = 16


def record(address: int, kind: int, data: bytes) -> str:
    body = bytes([len(data), address >> 8 & 0xFF, address & 0xFF, kind]) + data
    return ":" + body.hex().upper() + f"{-sum(body) & 0xFF:02X}\n"


def write_hex(path: pathlib.Path, size: int) -> None:
    lines = []
    for offset in range(0, size, RECORD_BYTES):
        if offset % 0x10000 == 0:
            lines.append(record(0, 4, (offset >> 16).to_bytes(2, "big")))
        data = bytes((offset + k) * 7 & 0xFF for k in range(RECORD_BYTES))
        lines.append(record(offset & 0xFFFF, 0, data))
    lines.append(":00000001FF\n")
    path.write_text("".join(lines), encoding="ascii")


def write_program_dir(root: pathlib.Path, size: int) -> None:
    (root / "Device").mkdir(parents=True)
    (root / "Pats").mkdir()
    definition = f"[General]\r\nProgram_set=0x0F\r\nChipID=0x1620\r\nMemID=0x0001\r\n\r\n[ROM]\r\nSize={size // 2}\r\nBitWidth=16\r\n"
    (root / "Device" / "BENCH.dev").write_bytes(definition.encode("ascii"))


def cpu_seconds(command: list) -> float:
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default="build/release/bin/tovrin-cli")
    parser.add_argument("--objcopy", default=shutil.which("objcopy") or "objcopy")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--sizes-kib", type=int, nargs="+", default=[1024, 16384])
    args = parser.parse_args()
    cli = str(pathlib.Path(args.cli).resolve())

    with tempfile.TemporaryDirectory(prefix="tovrin-hex-bench-") as tmp:
        root = pathlib.Path(tmp)
        for kib in args.sizes_kib:
            size = kib * 1024
            program_dir = root / f"prog{kib}"
            write_program_dir(program_dir, size)
            source = root / f"image{kib}.hex"
            write_hex(source, size)
            ours_cmd = [cli, "--program-dir", str(program_dir), "image", "--chip", "BENCH",
                        "--source", str(source), "-o", str(root / "ours.qvb")]
            theirs_cmd = [args.objcopy, "-I", "ihex", "-O", "binary", str(source), str(root / "theirs.bin")]
            cpu_seconds(ours_cmd)  # warm the page cache for both
            cpu_seconds(theirs_cmd)
            ours = theirs = 0.0
            for _ in range(args.runs):
                ours += cpu_seconds(ours_cmd)
                theirs += cpu_seconds(theirs_cmd)
            # tovrin takes 16-bit addresses only, so its code holds the last 64 KiB segment.
            ours_code = (root / "ours.qvb").read_bytes()[80:80 + 0x10000]
            if ours_code != (root / "theirs.bin").read_bytes()[size - 0x10000:size]:
                sys.exit("the two programs disagree on the last 64 KiB")
            print(f"{kib:>6} KiB image, {source.stat().st_size / 2**20:.1f} MiB HEX, {args.runs} runs each: "
                  f"tovrin-cli {ours / args.runs * 1000:.1f} ms, objcopy {theirs / args.runs * 1000:.1f} ms, "
                  f"ratio {ours / theirs:.2f}")


if __name__ == "__main__":
    main()
