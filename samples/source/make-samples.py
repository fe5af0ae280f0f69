#!/usr/bin/env python3
"""Regenerates the demo program directory (samples/) from the UTF-8 sources here.

Definition texts are stored as GBK, as the device files of the burner's
vendor tools are; the chips listed in ENCIPHERED are written in the
enciphered form by `tovrin-cli device encipher` (pass its path).
"""
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
SAMPLES = HERE.parent
ENCIPHERED = {"Q3L88", "K16S20"}


def gbk(text: str) -> bytes:
    return text.replace("\n", "\r\n").encode("gb18030")


def definitions(cli: str) -> None:
    device = SAMPLES / "Device"
    device.mkdir(exist_ok=True)
    for source in sorted(HERE.glob("*.ini")):
        name = source.stem
        plain = gbk(source.read_text(encoding="utf-8"))
        target = device / f"{name}.dev"
        if name in ENCIPHERED:
            with tempfile.NamedTemporaryFile(suffix=".txt") as tmp:
                tmp.write(plain)
                tmp.flush()
                subprocess.run([cli, "device", "encipher", tmp.name, "-o", str(target)], check=True)
        else:
            target.write_bytes(plain)


def patterns() -> None:
    pats = SAMPLES / "Pats"
    pats.mkdir(exist_ok=True)
    first = bytearray((i * 37 + 11) & 0xFF for i in range(592))
    first[7] = 0x03  # allows the function test
    (pats / "Q3L88.pat").write_bytes(bytes(first))
    (pats / "Q3L88.pat2").write_bytes(bytes((i * 53 + 7) & 0xFF for i in range(1280)))


def hex_record(address: int, kind: int, data: bytes) -> str:
    body = bytes([len(data), address >> 8, address & 0xFF, kind]) + data
    checksum = (-sum(body)) & 0xFF
    return ":" + body.hex().upper() + f"{checksum:02X}"


def demo_hex() -> None:
    # A small 14-bit program: 96 words counting down from 0x3FFF.
    words = [(0x3FFF - 0x55 * i) & 0x3FFF for i in range(96)]
    code = b"".join(w.to_bytes(2, "little") for w in words)
    lines = [hex_record(0, 4, b"\x00\x00")]
    for offset in range(0, len(code), 16):
        lines.append(hex_record(offset, 0, code[offset:offset + 16]))
    lines.append(":00000001FF")
    (SAMPLES / "demo.hex").write_bytes(("\r\n".join(lines) + "\r\n").encode("ascii"))


def version() -> None:
    (SAMPLES / "Version.TXT").write_bytes(gbk("Tovrin 一次性编程器 V2013.10.2\n演示目录\n"))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make-samples.py PATH/TO/tovrin-cli")
    patterns()
    demo_hex()
    version()
    definitions(sys.argv[1])
